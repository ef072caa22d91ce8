#pragma once
// Gives the focus back to the window the user came from: remember() notes the
// window that is active when Vellico opens one of its own, handBack() asks the
// window manager to activate it again after a copy. Where the session tells no
// program which window is active (Wayland), both do nothing.
//
// The same service helps our own windows on their way up: out of task bars,
// and activated where the window manager holds back a program's own request.

#include "platform/x11/VQX11Input.h"

#include <functional>

class VQFocusHandBack
{
  public:
    using WindowID = VQX11Input::WindowID;

    // Without `x11` (a session that keeps other windows from programs) it does nothing.
    explicit VQFocusHandBack(VQX11Input *x11) : _x11(x11) {}

    // Notes the active window, unless `isOurs` says it is one of ours (re-opening
    // over our own window keeps the window the user came from).
    void remember(const std::function<bool(WindowID)> &isOurs);
    // Activates the remembered window; false when there is none or it could not be asked.
    bool handBack();
    WindowID previousWindow() const { return _previous; }

    // Before showing one of our windows: keep it out of task bars, then activate it.
    void keepOutOfTaskbar(WindowID ours)
    {
        if (_x11)
            _x11->keepOutOfTaskbar(ours);
    }
    void activate(WindowID ours)
    {
        if (_x11)
            _x11->activateWindow(ours);
    }

  private:
    VQX11Input *_x11;
    WindowID _previous = 0;
};
