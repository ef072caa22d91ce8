#include "ui/loupe/VQMouseTrackingColorPicker.h"

#include "platform/VQKeyCode.h"
#include "platform/VQPlatform.h"
#include "ui/loupe/VQMagnifierLoupe.h"
#include "vqcore/VQUserDefaults.h"

VQMouseTrackingColorPicker::VQMouseTrackingColorPicker(VQMouseTracker &tracker, VQPlatform &platform, SetColor setColor)
    : _tracker(tracker), _platform(platform), _setColor(std::move(setColor))
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
    if (!_windowShown || !(flags & VQModifierFlag::Shift) || VQMagnifierLoupe::isRunning())
        return;
    const QImage pixel = _platform.captureScreen(QRect(point, QSize(1, 1)));
    if (pixel.isNull() || !_setColor)
        return;
    _setColor(QColor(pixel.pixel(0, 0)));
}
