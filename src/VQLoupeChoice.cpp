#include "VQLoupeChoice.h"

#include "VQDiagnosis.h"
#include "platform/VQPlatform.h"
#include "platform/VQSessionProbe.h"
#ifdef VELLICO_HAVE_WLR
#include "ui/loupe/VQFrozenLoupe.h"
#endif

VQLoupeChoice VQChooseLoupe(const VQPlatform &platform, const QString &platformName)
{
    VQLoupeChoice choice;
    const QString problem = platform.screenPickingProblem();
    if (problem.isEmpty()) {
        choice.logLine = QStringLiteral("Picking path: the platform's own loupe.");
        return choice;
    }
    const VQPickChoice path = vqChoosePickPath(VQAskPickOffer(platformName, false));
#ifdef VELLICO_HAVE_WLR
    if (path.path == VQPickPath::WlrScreencopy) {
        choice.loupe = [](QString *failure) { return VQFrozenLoupe::selectColor(failure); };
        choice.picking = QStringLiteral("frozen screencopy loupe: each output captured through wlroots screencopy "
                                        "and shown frozen on an overlay surface, the loupe on it, arrow keys move a "
                                        "crosshair (%1)")
                             .arg(path.reason);
        choice.logLine = QStringLiteral("Picking path: screencopy, the frozen loupe (%1).").arg(path.reason);
        return choice;
    }
#endif
    if (path.path == VQPickPath::None)
        choice.logLine = QStringLiteral("Picking path: none; picking is off: %1 (%2).").arg(problem, path.reason);
    else
        choice.logLine = QStringLiteral("Picking path: %1, which Vellico cannot run yet; picking is off: %2 (%3).")
                             .arg(vqPickPathName(path.path), problem, path.reason);
    return choice;
}
