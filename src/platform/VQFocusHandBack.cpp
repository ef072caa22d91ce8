#include "platform/VQFocusHandBack.h"

void VQFocusHandBack::remember(const std::function<bool(WindowID)> &isOurs)
{
    const WindowID active = _x11 ? _x11->activeWindow() : 0;
    if (active == 0 || (isOurs && isOurs(active)))
        return;
    _previous = active;
}

bool VQFocusHandBack::handBack()
{
    return _previous != 0 && _x11 && _x11->activateWindow(_previous);
}
