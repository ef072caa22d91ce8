#include "platform/VQMouseTracker.h"

#include "platform/x11/VQX11Input.h"
#include "vqcore/VQLog.h"

#include <algorithm>

VQMouseTracker::~VQMouseTracker()
{
    if (_tracking)
        _platform.stopPointerEvents();
}

void VQMouseTracker::addObserver(VQMouseTrackerObserver *observer)
{
    if (!observer || std::find(_observers.begin(), _observers.end(), observer) != _observers.end())
        return;
    _observers.push_back(observer);
    if (_tracking)
        return;
    _tracking = _platform.startPointerEvents([this](const VQInputEvent &event) {
        // A copy: an observer may remove itself (or another) while being told.
        const std::vector<VQMouseTrackerObserver *> observers = _observers;
        for (VQMouseTrackerObserver *o : observers) {
            if (std::find(_observers.begin(), _observers.end(), o) == _observers.end())
                continue;
            if (event.kind == VQInputEvent::Kind::Moved)
                o->mouseMovedToPoint(event.position, event.flags);
            else if (event.kind == VQInputEvent::Kind::Clicked)
                o->mouseClickedAtPoint(event.position, event.flags);
        }
    });
    if (!_tracking)
        VQLog(QStringLiteral("This desktop reports no pointer events."));
}

void VQMouseTracker::removeObserver(VQMouseTrackerObserver *observer)
{
    const auto it = std::find(_observers.begin(), _observers.end(), observer);
    if (it == _observers.end())
        return;
    _observers.erase(it);
    if (_observers.empty() && _tracking) {
        _platform.stopPointerEvents();
        _tracking = false;
    }
}

std::optional<QColor> VQMouseTracker::colorAt(QPoint point) const
{
    const QImage pixel = _platform.captureScreen(QRect(point, QSize(1, 1)));
    if (pixel.isNull())
        return std::nullopt;
    return QColor(pixel.pixel(0, 0));
}
