#include "platform/x11/VQX11Input.h"

#ifdef VELLICO_HAVE_X11
#include "platform/x11/VQX11Desktop.h"
#endif

std::unique_ptr<VQX11Input> VQX11Input::connect()
{
#ifdef VELLICO_HAVE_X11
    return VQX11Desktop::connect();
#else
    return nullptr;
#endif
}
