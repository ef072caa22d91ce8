#include "app/VQDesktopFactory.h"

#include "platform/VQGlobalShortcutService.h"
#include "platform/VQScreenPicker.h"
#include "platform/portal/VQPortalColorPicker.h"
#include "platform/portal/VQPortalShortcutService.h"
#include "ui/loupe/VQMagnifierLoupe.h"
#include "ui/loupe/VQScreenshotLoupe.h"
#include "vqcore/VQLog.h"
#ifdef VELLICO_HAVE_WLR
#include "platform/wlr/VQWlrClipboard.h"
#include "ui/loupe/VQFrozenLoupe.h"
#endif

#include <QDBusConnection>
#include <QGuiApplication>

#include <cstdio>

namespace
{
VQPickerPlan refusing(const QString &reason)
{
    return {VQPickerPlan::Backend::None, QStringLiteral("off: ") + reason,
            QStringLiteral("Picking path: none; picking is off: %1.").arg(reason), reason};
}
} // namespace

VQPickerPlan VQPlanPicker(const QString &problem, const std::optional<VQPickChoice> &path)
{
    using Backend = VQPickerPlan::Backend;
    if (!path)
        return {Backend::X11Loupe, {}, QStringLiteral("Picking path: the platform's own loupe."), {}};
    switch (path->path) {
    case VQPickPath::X11Live:
        return {Backend::X11Loupe,
                {},
                QStringLiteral("Picking path: the platform's own loupe (%1).").arg(path->reason),
                {}};
    case VQPickPath::WlrScreencopy:
#ifdef VELLICO_HAVE_WLR
        return {Backend::FrozenScreencopy,
                QStringLiteral("frozen screencopy loupe: each output captured through wlroots screencopy and shown "
                               "frozen on an overlay surface, the loupe on it, arrow keys move a crosshair (%1)")
                    .arg(path->reason),
                QStringLiteral("Picking path: screencopy, the frozen loupe (%1).").arg(path->reason),
                {}};
#else
        return refusing(QStringLiteral("this Vellico was built without Wayland support (%1)").arg(path->reason));
#endif
    case VQPickPath::PortalScreenshot:
        return {Backend::PortalScreenshot,
                QStringLiteral("frozen screenshot loupe: one screenshot of the desktop through the desktop portal's "
                               "Screenshot, shown frozen on a fullscreen window per screen, the loupe on it, arrow "
                               "keys move a crosshair (%1)")
                    .arg(path->reason),
                QStringLiteral("Picking path: portal-screenshot, the frozen loupe over the portal's screenshot (%1).")
                    .arg(path->reason),
                {},
                !path->fullscreenDrawnAlone};
    case VQPickPath::PortalPickColor:
        return {Backend::PortalPickColor,
                QStringLiteral("the desktop's own color picker through the desktop portal's PickColor: no magnifier "
                               "and no arrow keys of ours (%1)")
                    .arg(path->reason),
                QStringLiteral("Picking path: portal-pick-color, the desktop's own picker (%1).").arg(path->reason),
                {}};
    case VQPickPath::None:
        break;
    }
    return refusing(problem.isEmpty() ? path->reason : QStringLiteral("%1 (%2)").arg(problem, path->reason));
}

VQLoupeFacts VQLoupeFacts::forPlatform(const QString &platformName)
{
    const bool x11 = platformName == QLatin1String("xcb");
    return {!x11, x11};
}

std::unique_ptr<VQScreenPicker> VQMakePicker(const VQPickerPlan &plan, VQX11Input *x11, const VQLoupeFacts &facts)
{
    std::unique_ptr<VQScreenPicker> picker;
    switch (plan.backend) {
    case VQPickerPlan::Backend::X11Loupe:
        if (!x11) {
            picker =
                std::make_unique<VQRefusingPicker>(QStringLiteral("this session offers no way to read the screen"));
            break;
        }
        picker = std::make_unique<VQMagnifierLoupe>(*x11);
        break;
    case VQPickerPlan::Backend::FrozenScreencopy:
#ifdef VELLICO_HAVE_WLR
        picker = std::make_unique<VQFrozenLoupe>(plan.description);
#else
        picker = std::make_unique<VQRefusingPicker>(QStringLiteral("this Vellico was built without Wayland support"));
#endif
        break;
    case VQPickerPlan::Backend::PortalScreenshot:
        picker = std::make_unique<VQScreenshotLoupe>(plan.description, plan.clearWindowsFirst, facts.screenSizesKnown,
                                                     facts.x11Windows);
        break;
    case VQPickerPlan::Backend::PortalPickColor:
        picker = std::make_unique<VQPortalPickColorPicker>(plan.description);
        break;
    case VQPickerPlan::Backend::None:
        picker = std::make_unique<VQRefusingPicker>(plan.reason);
        break;
    }
    picker->setLogLine(plan.logLine);
    return picker;
}

namespace
{
const QString kNoShortcuts = QStringLiteral("this session offers no global shortcuts to programs; bind `vellico "
                                            "--pick` to a key in the desktop's keyboard settings");

bool hasNoScreen(const QString &platformName)
{
    return platformName == QLatin1String("offscreen") || platformName == QLatin1String("minimal");
}

// The X server's calls on "xcb" (when the display answers); elsewhere nothing, said once.
std::unique_ptr<VQX11Input> connectX11(const QString &platformName)
{
    if (platformName == QLatin1String("xcb")) {
        if (auto x11 = VQX11Input::connect())
            return x11;
    }
    // A Wayland client has none of these from Qt's platform: the picker and the
    // shortcut go through what the session offers, and --diagnose says which.
    if (platformName == QLatin1String("wayland")) {
        VQLog(QStringLiteral("The Wayland platform: windows, the pointer and the keys stay with the compositor; "
                             "picking and the global shortcut go through what the session offers."));
    } else {
        const QString message = QStringLiteral("No desktop services for the \"%1\" platform: focus hand-back and the "
                                               "global shortcut are off, and the screen is read only where the session "
                                               "offers another way.")
                                    .arg(platformName);
        VQLog(message);
        if (!hasNoScreen(platformName))
            std::fprintf(stderr, "vellico: %s\n", qPrintable(message));
    }
    return nullptr;
}

QString screenProblem(const VQX11Input *x11, const QString &platformName)
{
    return x11 ? x11->screenPickingProblem()
               : QStringLiteral("Vellico cannot read the screen on the \"%1\" platform").arg(platformName);
}

VQDesktopServices::Pieces piecesOver(std::unique_ptr<VQX11Input> x11, const QString &platformName)
{
    VQDesktopServices::Pieces parts;
    parts.platformName = platformName;
    if (x11) {
        const VQX11Input::Description description = x11->describe();
        parts.name = description.name;
        parts.pointerWatch = description.pointerWatch;
        parts.shortcut = std::make_unique<VQHotKeyShortcutService>(*x11);
    } else if (platformName == QLatin1String("wayland")) {
        // Say what the session is, not "none".
        parts.name = QStringLiteral("Wayland (windows, the pointer and the keys stay with the compositor)");
    }
    parts.x11 = std::move(x11);
    return parts;
}
} // namespace

std::unique_ptr<VQDesktopServices> VQDesktopFactory::assemble(std::unique_ptr<VQX11Input> x11,
                                                              const QString &platformName)
{
    const QString problem = screenProblem(x11.get(), platformName);
    VQDesktopServices::Pieces parts = piecesOver(std::move(x11), platformName);
    parts.picker = VQMakePicker(
        VQPlanPicker(problem, problem.isEmpty() ? std::nullopt : std::optional(VQPickChoice{VQPickPath::None, {}})),
        parts.x11.get(), VQLoupeFacts::forPlatform(platformName));
    if (!parts.shortcut)
        parts.shortcut = std::make_unique<VQUnsupportedShortcutService>(kNoShortcuts);
    return std::make_unique<VQDesktopServices>(std::move(parts));
}

std::unique_ptr<VQDesktopServices> VQDesktopFactory::forSession(const QString &platformName)
{
#ifdef VELLICO_HAVE_WLR
    // Copies that follow no input in our windows (commands from other
    // processes, the frozen screen's pick) reach the clipboard this way.
    VQLog(VQWlrClipboard::installPasteboard(platformName));
#endif
    std::unique_ptr<VQX11Input> x11 = connectX11(platformName);
    const QString problem = screenProblem(x11.get(), platformName);
    VQDesktopServices::Pieces parts = piecesOver(std::move(x11), platformName);
    const VQLoupeFacts facts = VQLoupeFacts::forPlatform(platformName);

    // The session is asked only where X11 cannot pick, or a test forces a path;
    // the picker is chosen when it answers, and a pick asked for before waits.
    if (!problem.isEmpty() || !qEnvironmentVariableIsEmpty("VELLICO_PICK_PATH")) {
        auto picker = std::make_unique<VQDeferredPicker>(
            QStringLiteral("waiting for the session to say how a pixel can be picked"));
        auto *ask = new VQSessionAsk(platformName, false, picker.get());
        QObject::connect(ask, &VQSessionAsk::settled, picker.get(),
                         [ask, deferred = picker.get(), problem, x11 = parts.x11.get(), facts] {
                             deferred->setBackend(
                                 VQMakePicker(VQPlanPicker(problem, vqChoosePickPath(ask->offer())), x11, facts));
                             ask->deleteLater();
                         });
        ask->start();
        parts.picker = std::move(picker);
    } else {
        parts.picker = VQMakePicker(VQPlanPicker(problem, std::nullopt), parts.x11.get(), facts);
    }

    // Where X11 binds no keys, the desktop may, through its portal: asked without waiting.
    if (!parts.shortcut) {
        if (!hasNoScreen(platformName))
            parts.shortcut = std::make_unique<VQPortalShortcutService>(QDBusConnection::sessionBus(),
                                                                       QGuiApplication::desktopFileName());
        else
            parts.shortcut = std::make_unique<VQUnsupportedShortcutService>(kNoShortcuts);
    }
    return std::make_unique<VQDesktopServices>(std::move(parts));
}
