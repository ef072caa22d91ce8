#pragma once
// The pointer watch: pointer movements and clicks anywhere on the desktop, for
// whoever observes them, and the colour under the pointer. The desktop
// services offer it only where the session reports the pointer's moves
// outside our windows (X11). The platform is asked for pointer events only while at least one
// observer is registered: with none, nothing wakes the program.
//
// Points are device pixels of the desktop (see VQX11Input.h); flags are the
// held modifiers as key-event flags (Shift 0x20000, …). Observers are called
// on the main thread.

#include <QColor>
#include <QPoint>

#include <cstdint>
#include <optional>
#include <vector>

class VQX11Input;

class VQMouseTrackerObserver
{
  public:
    virtual ~VQMouseTrackerObserver() = default;
    virtual void mouseMovedToPoint(QPoint point, std::uint32_t flags) = 0;
    virtual void mouseClickedAtPoint(QPoint point, std::uint32_t flags) {}
};

class VQMouseTracker
{
  public:
    explicit VQMouseTracker(VQX11Input &platform) : _platform(platform) {}
    ~VQMouseTracker();
    VQMouseTracker(const VQMouseTracker &) = delete;
    VQMouseTracker &operator=(const VQMouseTracker &) = delete;

    // Adding an observer twice, or removing one that is not there, does nothing.
    void addObserver(VQMouseTrackerObserver *observer);
    void removeObserver(VQMouseTrackerObserver *observer);
    bool isTracking() const { return _tracking; }
    // The colour of the device pixel at `point` on screen now; nothing when it cannot be read.
    std::optional<QColor> colorAt(QPoint point) const;

  private:
    VQX11Input &_platform;
    std::vector<VQMouseTrackerObserver *> _observers;
    bool _tracking = false;
};
