#pragma once
// Shift + move while the main window is shown: the pixel under the pointer
// becomes the selected colour, continuously.
//
// It observes the mouse tracker only while the window is shown (the shell
// reports that through setMainWindowShown), so that a closed window leaves the
// program asleep. "VQMouseTrackingDisabled" switches it off for good.

#include "platform/VQMouseTracker.h"

#include <QColor>

#include <functional>

class VQMouseTrackingColorPicker : public VQMouseTrackerObserver
{
  public:
    using SetColor = std::function<void(const QColor &)>;
    // Whether a pick runs: then the loupe has the pointer, and Shift samples nothing.
    using Picking = std::function<bool()>;

    VQMouseTrackingColorPicker(VQMouseTracker &tracker, SetColor setColor, Picking picking = {});
    ~VQMouseTrackingColorPicker() override;

    // Called once at launch: reads "VQMouseTrackingDisabled".
    void startTracking();
    // The main window was shown or hidden.
    void setMainWindowShown(bool shown);

    bool isObserving() const { return _observing; }

    void mouseMovedToPoint(QPoint point, std::uint32_t flags) override;

  private:
    void update();

    VQMouseTracker &_tracker;
    SetColor _setColor;
    Picking _picking;
    bool _started = false;
    bool _windowShown = false;
    bool _observing = false;
};
