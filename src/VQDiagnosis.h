#pragma once
// What `vellico --diagnose` prints and the log says at start: one line for the
// session and one for each desktop service, with the way it is given here or
// why it is off.

#include <QString>
#include <QStringList>

#include <functional>

class VQPlatform;

// `platformName` is Qt's platform plugin ("xcb", "wayland"…); `environment`
// reads a variable of the process environment (tests give their own).
QStringList VQDiagnosisLines(const VQPlatform &platform, const QString &platformName, bool trayAvailable,
                             const std::function<QString(const char *)> &environment);

// What this session offers for picking, asked of the compositor and the desktop
// portal (each bounded to a moment), and the path the probe chooses from it.
QString VQPickPathOfferedLine(const QString &platformName);
