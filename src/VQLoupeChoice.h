#pragma once
// Which loupe the program runs, chosen once at start: the platform's own
// (the live loupe on X11) where the platform can read the screen; elsewhere
// the path the session probe chooses from what the session offers (the
// frozen screen over wlroots screencopy), or none.

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class VQPlatform;

struct VQLoupeChoice {
    // Runs the loupe; empty: the platform's own.
    std::function<std::optional<QColor>(QString *failure)> loupe;
    // How picking works, for --diagnose's "screen picking" line; empty: the platform says.
    QString picking;
    // The path chosen and why, for the log.
    QString logLine;
};

VQLoupeChoice VQChooseLoupe(const VQPlatform &platform, const QString &platformName);
