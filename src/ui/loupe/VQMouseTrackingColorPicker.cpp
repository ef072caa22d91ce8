#include "ui/loupe/VQMouseTrackingColorPicker.h"

#include "platform/VQKeyCode.h"
#include "vqcore/VQUserDefaults.h"

VQMouseTrackingColorPicker::VQMouseTrackingColorPicker(VQMouseTracker &tracker, SetColor setColor, Picking picking)
    : _tracker(tracker), _setColor(std::move(setColor)), _picking(std::move(picking))
{
}

VQMouseTrackingColorPicker::~VQMouseTrackingColorPicker()
{
    if (_observing)
        _tracker.removeObserver(this);
}

void VQMouseTrackingColorPicker::startTracking()
{
    _started = !VQUserDefaults::standard().boolForKey(QStringLiteral("VQMouseTrackingDisabled"));
    update();
}

void VQMouseTrackingColorPicker::setMainWindowShown(bool shown)
{
    _windowShown = shown;
    update();
}

void VQMouseTrackingColorPicker::update()
{
    const bool observe = _started && _windowShown;
    if (observe == _observing)
        return;
    _observing = observe;
    if (observe)
        _tracker.addObserver(this);
    else
        _tracker.removeObserver(this);
}

void VQMouseTrackingColorPicker::mouseMovedToPoint(QPoint point, std::uint32_t flags)
{
    if (!_windowShown || !(flags & VQModifierFlag::Shift) || (_picking && _picking()))
        return;
    const std::optional<QColor> color = _tracker.colorAt(point);
    if (!color || !_setColor)
        return;
    _setColor(*color);
}
