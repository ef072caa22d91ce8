#pragma once
// Which loupe the program runs, chosen once at start: the platform's own
// (the live loupe on X11) where the platform can read the screen; elsewhere
// the path the session probe chooses from what the session offers (the
// frozen screen over wlroots screencopy), or none.

#include "platform/VQSessionProbe.h"

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

// Probes the session where needed (the platform cannot pick, or
// VELLICO_PICK_PATH is set) and chooses.
VQLoupeChoice VQChooseLoupe(const VQPlatform &platform, const QString &platformName);
// The probe's choice among the paths this Vellico can run: while the frozen
// loupe over a portal screenshot is not built, a portal that also offers
// PickColor gives the desktop's own picker rather than no picking at all
// (unless VELLICO_PICK_PATH asks for the screenshot).
VQPickChoice VQRunnablePickPath(const VQSessionOffer &offer);
// The choice itself: `platformProblem` is the platform's screenPickingProblem()
// (empty: it can pick), `path` the probe's choice (nothing: not asked). A path
// that cannot run gives a loupe that fails at once with the reason.
VQLoupeChoice VQLoupeChoiceFor(const QString &platformProblem, const std::optional<VQPickChoice> &path);
