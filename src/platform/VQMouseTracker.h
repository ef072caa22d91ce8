#pragma once
// Pointer movements and clicks anywhere on the desktop, for whoever observes
// them. The platform is asked for pointer events only while at least one
// observer is registered: with none, nothing wakes the program.
//
// Points are device pixels of the desktop (see VQPlatform.h); flags are the
// held modifiers as key-event flags (Shift 0x20000, …). Observers are called
// on the main thread.

#include <QPoint>

#include <cstdint>
#include <vector>

class VQPlatform;

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
    explicit VQMouseTracker(VQPlatform &platform) : _platform(platform) {}
    ~VQMouseTracker();
    VQMouseTracker(const VQMouseTracker &) = delete;
    VQMouseTracker &operator=(const VQMouseTracker &) = delete;

    // Adding an observer twice, or removing one that is not there, does nothing.
    void addObserver(VQMouseTrackerObserver *observer);
    void removeObserver(VQMouseTrackerObserver *observer);
    bool isTracking() const { return _tracking; }

  private:
    VQPlatform &_platform;
    std::vector<VQMouseTrackerObserver *> _observers;
    bool _tracking = false;
};
