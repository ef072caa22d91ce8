#include "VQLoupeChoice.h"

#include "VQDiagnosis.h"
#include "platform/VQPlatform.h"
#include "platform/VQSessionProbe.h"
#include "platform/portal/VQPortalColorPicker.h"
#ifdef VELLICO_HAVE_WLR
#include "ui/loupe/VQFrozenLoupe.h"
#endif

namespace
{
// A loupe that cannot run: it fails at once with `reason`.
VQLoupeChoice refusing(const QString &reason)
{
    VQLoupeChoice choice;
    choice.loupe = [reason](QString *failure) -> std::optional<QColor> {
        if (failure)
            *failure = reason;
        return std::nullopt;
    };
    choice.picking = QStringLiteral("off: ") + reason;
    choice.logLine = QStringLiteral("Picking path: none; picking is off: %1.").arg(reason);
    return choice;
}
} // namespace

VQLoupeChoice VQLoupeChoiceFor(const QString &platformProblem, const std::optional<VQPickChoice> &path)
{
    VQLoupeChoice choice;
    if (!path) {
        choice.logLine = QStringLiteral("Picking path: the platform's own loupe.");
        return choice;
    }
    switch (path->path) {
    case VQPickPath::X11Live:
        choice.logLine = QStringLiteral("Picking path: the platform's own loupe (%1).").arg(path->reason);
        return choice;
    case VQPickPath::WlrScreencopy:
#ifdef VELLICO_HAVE_WLR
        choice.loupe = [](QString *failure) { return VQFrozenLoupe::selectColor(failure); };
        choice.picking = QStringLiteral("frozen screencopy loupe: each output captured through wlroots screencopy "
                                        "and shown frozen on an overlay surface, the loupe on it, arrow keys move a "
                                        "crosshair (%1)")
                             .arg(path->reason);
        choice.logLine = QStringLiteral("Picking path: screencopy, the frozen loupe (%1).").arg(path->reason);
        return choice;
#else
        return refusing(QStringLiteral("this Vellico was built without Wayland support (%1)").arg(path->reason));
#endif
    case VQPickPath::PortalScreenshot:
        return refusing(QStringLiteral("the desktop portal's Screenshot is not supported yet (%1)").arg(path->reason));
    case VQPickPath::PortalPickColor:
        choice.loupe = [](QString *failure) { return VQPortalColorPicker::pickColor(failure); };
        choice.picking = QStringLiteral("the desktop's own color picker through the desktop portal's PickColor: "
                                        "no magnifier and no arrow keys of ours (%1)")
                             .arg(path->reason);
        choice.logLine =
            QStringLiteral("Picking path: portal-pick-color, the desktop's own picker (%1).").arg(path->reason);
        return choice;
    case VQPickPath::None:
        break;
    }
    return refusing(platformProblem.isEmpty() ? path->reason
                                              : QStringLiteral("%1 (%2)").arg(platformProblem, path->reason));
}

VQPickChoice VQRunnablePickPath(const VQSessionOffer &offer)
{
    VQPickChoice choice = vqChoosePickPath(offer);
    if (choice.path == VQPickPath::PortalScreenshot && offer.portalPickColor && offer.forcedPath.isEmpty()) {
        choice.path = VQPickPath::PortalPickColor;
        choice.reason += QStringLiteral("; a frozen loupe over the portal's screenshot is not built yet, so the "
                                        "portal's PickColor");
    }
    return choice;
}

VQLoupeChoice VQChooseLoupe(const VQPlatform &platform, const QString &platformName)
{
    const QString problem = platform.screenPickingProblem();
    // The probe asks the compositor and maybe the portal: only where the platform cannot pick, or a test forces a path.
    if (problem.isEmpty() && qEnvironmentVariableIsEmpty("VELLICO_PICK_PATH"))
        return VQLoupeChoiceFor(problem, std::nullopt);
    return VQLoupeChoiceFor(problem, VQRunnablePickPath(VQAskPickOffer(platformName, false)));
}
