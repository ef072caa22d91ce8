#include "app/VQDesktopServices.h"

#include "platform/VQFocusHandBack.h"
#include "platform/VQMouseTracker.h"

// -- a picker chosen later ---------------------------------------------------------

VQDeferredPicker::~VQDeferredPicker() = default;

void VQDeferredPicker::setBackend(std::unique_ptr<VQScreenPicker> backend)
{
    if (_backend || !backend)
        return;
    _backend = std::move(backend);
    setLogLine(_backend->logLine());
    connect(_backend.get(), &VQScreenPicker::finished, this, &VQDeferredPicker::finish);
    emit chosen();
    if (_pickWaiting) {
        _pickWaiting = false;
        _backend->pick(askedSampleSize());
    }
}

void VQDeferredPicker::start()
{
    if (_backend) {
        _backend->pick(askedSampleSize());
        return;
    }
    // Started once the backend is chosen (a cancel meanwhile ends it, see stop()).
    _pickWaiting = true;
}

void VQDeferredPicker::stop()
{
    if (_pickWaiting) {
        _pickWaiting = false;
        finish(VQPickOutcome::cancelled());
    } else if (_backend) {
        _backend->cancel();
    }
}

// -- the assembly ------------------------------------------------------------------

VQDesktopServices::VQDesktopServices(Pieces parts)
    : _x11(std::move(parts.x11)), _picker(std::move(parts.picker)), _shortcut(std::move(parts.shortcut)),
      _platformName(std::move(parts.platformName)), _name(std::move(parts.name)),
      _pointerWatchText(std::move(parts.pointerWatch))
{
    if (!_picker)
        _picker = std::make_unique<VQRefusingPicker>(QStringLiteral("this session offers no way to read the screen"));
    if (!_shortcut)
        _shortcut = std::make_unique<VQUnsupportedShortcutService>(
            QStringLiteral("this session offers no global shortcuts to programs"));
    _focus = std::make_unique<VQFocusHandBack>(_x11.get());
    if (_x11 && _x11->offersPointerEvents())
        _pointerWatch = std::make_unique<VQMouseTracker>(*_x11);
    if (auto *deferred = qobject_cast<VQDeferredPicker *>(_picker.get()))
        connect(deferred, &VQDeferredPicker::chosen, this, &VQDesktopServices::update);
    connect(_shortcut.get(), &VQGlobalShortcutService::supportKnown, this, &VQDesktopServices::update);
    update();
}

VQDesktopServices::~VQDesktopServices() = default;

bool VQDesktopServices::isSettled() const
{
    const auto *deferred = qobject_cast<const VQDeferredPicker *>(_picker.get());
    return (!deferred || deferred->isChosen()) && _shortcut->knowsSupport();
}

void VQDesktopServices::update()
{
    VQDesktopCapabilities can;
    can.screenPicking = _picker->canPick();
    can.globalShortcut = _shortcut->isSupported();
    can.pointerWatch = _pointerWatch != nullptr;
    can.focusHandBack = _x11 && _x11->tellsActiveWindow();
    // Qt places no window of a Wayland client: the compositor does.
    can.windowPlacement = _platformName != QLatin1String("wayland");
    const bool changed =
        can.screenPicking != _capabilities.screenPicking || can.globalShortcut != _capabilities.globalShortcut;
    _capabilities = can;
    if (changed)
        emit capabilitiesChanged();
    if (!_settled && isSettled()) {
        _settled = true;
        emit settled();
    }
}
