#include "vqcore/VQApplicationSetup.h"

VQApplicationSetup &VQApplicationSetup::sharedSetup()
{
    static VQApplicationSetup setup;
    return setup;
}
