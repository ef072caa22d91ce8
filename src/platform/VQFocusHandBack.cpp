#include "platform/VQFocusHandBack.h"

void VQFocusHandBack::remember(const std::function<bool(WindowID)> &isOurs)
{
    const WindowID active = _platform.activeWindow();
    if (active == 0 || (isOurs && isOurs(active)))
        return;
    _previous = active;
}

bool VQFocusHandBack::handBack()
{
    return _previous != 0 && _platform.activateWindow(_previous);
}
