#include "app/VQDesktopServices.h"

#include "app/VQDiagnosis.h"
#include "platform/VQFocusHandBack.h"
#include "platform/VQGlobalShortcutService.h"
#include "platform/VQMouseTracker.h"
#include "platform/VQScreenPicker.h"
#include "platform/portal/VQPortalColorPicker.h"
#include "platform/portal/VQPortalShortcutService.h"
#include "ui/loupe/VQMagnifierLoupe.h"
#include "ui/loupe/VQScreenshotLoupe.h"
#ifdef VELLICO_HAVE_WLR
#include "ui/loupe/VQFrozenLoupe.h"
#endif

#include <QDBusConnection>
#include <QGuiApplication>

namespace
{
VQPickerPlan refusing(const QString &reason)
{
    return {VQPickerPlan::Backend::None, QStringLiteral("off: ") + reason,
            QStringLiteral("Picking path: none; picking is off: %1.").arg(reason), reason};
}
} // namespace

VQPickerPlan VQPlanPicker(const QString &platformProblem, const std::optional<VQPickChoice> &path)
{
    using Backend = VQPickerPlan::Backend;
    if (!path)
        return {Backend::PlatformLoupe, {}, QStringLiteral("Picking path: the platform's own loupe."), {}};
    switch (path->path) {
    case VQPickPath::X11Live:
        return {Backend::PlatformLoupe,
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
    return refusing(platformProblem.isEmpty() ? path->reason
                                              : QStringLiteral("%1 (%2)").arg(platformProblem, path->reason));
}

std::unique_ptr<VQScreenPicker> VQMakePicker(const VQPickerPlan &plan, VQPlatform &platform)
{
    std::unique_ptr<VQScreenPicker> picker;
    switch (plan.backend) {
    case VQPickerPlan::Backend::PlatformLoupe:
        picker = std::make_unique<VQMagnifierLoupe>(platform);
        break;
    case VQPickerPlan::Backend::FrozenScreencopy:
#ifdef VELLICO_HAVE_WLR
        picker = std::make_unique<VQFrozenLoupe>(plan.description);
#else
        picker = std::make_unique<VQRefusingPicker>(QStringLiteral("this Vellico was built without Wayland support"));
#endif
        break;
    case VQPickerPlan::Backend::PortalScreenshot:
        picker = std::make_unique<VQScreenshotLoupe>(plan.description, plan.clearWindowsFirst);
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

std::unique_ptr<VQDesktopServices> VQDesktopServices::forSession(const QString &platformName)
{
    Pieces parts;
    parts.platformName = platformName;
    parts.platform = VQPlatform::createForPlatform(platformName);
    const QString problem = parts.platform->screenPickingProblem();
    // The probe asks the compositor and maybe the portal: only where the platform cannot pick, or a test forces a path.
    std::optional<VQPickChoice> path;
    if (!problem.isEmpty() || !qEnvironmentVariableIsEmpty("VELLICO_PICK_PATH"))
        path = vqChoosePickPath(VQAskPickOffer(platformName, false));
    parts.picker = VQMakePicker(VQPlanPicker(problem, path), *parts.platform);
    // Where the platform binds no keys itself, the desktop may, through its portal.
    if (!parts.platform->bindsHotKeys() && platformName != QLatin1String("offscreen") &&
        platformName != QLatin1String("minimal")) {
        constexpr int kAskMs = 2000;
        QString why;
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (const std::optional<uint> version = VQPortalShortcutService::probe(bus, kAskMs, &why))
            parts.shortcut =
                std::make_unique<VQPortalShortcutService>(bus, QGuiApplication::desktopFileName(), *version);
        else
            parts.shortcut = std::make_unique<VQUnsupportedShortcutService>(
                why + QStringLiteral("; bind `vellico --pick` to a key in the desktop's keyboard settings"));
    }
    return std::make_unique<VQDesktopServices>(std::move(parts));
}

VQDesktopServices::VQDesktopServices(Pieces parts)
    : _platform(std::move(parts.platform)), _picker(std::move(parts.picker)), _shortcut(std::move(parts.shortcut)),
      _platformName(std::move(parts.platformName))
{
    if (!_platform)
        _platform = std::make_unique<VQNullPlatform>();
    _description = _platform->describe();
    // A Wayland client has no platform of its own: say what the session is, not "none".
    if (_platformName == QLatin1String("wayland") && _description.name == QLatin1String("none"))
        _description.name = QStringLiteral("Wayland (windows, the pointer and the keys stay with the compositor)");
    if (!_picker) {
        // The platform's own loupe, or none with the platform's reason.
        const QString problem = _platform->screenPickingProblem();
        _picker = VQMakePicker(
            VQPlanPicker(problem, problem.isEmpty() ? std::nullopt : std::optional(VQPickChoice{VQPickPath::None, {}})),
            *_platform);
    }
    if (!_shortcut) {
        if (_platform->bindsHotKeys()) {
            _shortcut = std::make_unique<VQHotKeyShortcutService>(*_platform);
        } else {
            // The do-nothing platform says why, as "off: why".
            QString why = _description.shortcut;
            if (why.startsWith(QLatin1String("off: ")))
                why = why.mid(5);
            _shortcut = std::make_unique<VQUnsupportedShortcutService>(
                why.isEmpty() ? QStringLiteral("this session offers no global shortcuts to programs") : why);
        }
    }
    _focus = std::make_unique<VQFocusHandBack>(*_platform);
    if (_platform->offersPointerEvents())
        _pointerWatch = std::make_unique<VQMouseTracker>(*_platform);

    _capabilities.screenPicking = _picker->canPick();
    _capabilities.globalShortcut = _shortcut->isSupported();
    _capabilities.pointerWatch = _pointerWatch != nullptr;
    _capabilities.focusHandBack = _platform->tellsActiveWindow();
    // Qt places no window of a Wayland client: the compositor does.
    _capabilities.windowPlacement = _platformName != QLatin1String("wayland");
}

VQDesktopServices::~VQDesktopServices() = default;
