#pragma once
// What `vellico --diagnose` prints and the log says at start: one line for the
// session and one for each desktop service, with the way it is given here or
// why it is off.

#include "platform/VQTrayHost.h"

#include <QString>
#include <QStringList>

#include <functional>

class VQDesktopServices;

// The lines, read from the assembled desktop services; `environment` reads a
// variable of the process environment (tests give their own).
QStringList VQDiagnosisLines(const VQDesktopServices &services, VQTrayHost tray,
                             const std::function<QString(const char *)> &environment);

// The tray host here: Qt's own answer, unless the session bus shows a
// StatusNotifierWatcher with no host behind it (which Qt takes for a tray).
VQTrayHost VQTrayHostHere(bool qtSeesTray);

// Why Qt could not reach a desktop session from this environment (neither a
// Wayland nor an X display named, nor another platform chosen), naming what was
// looked for; empty when there may be one. Qt ends the process when it cannot
// reach a display, so the commands that need none are answered before.
QString VQDesktopSessionProblem(const std::function<QString(const char *)> &environment);
