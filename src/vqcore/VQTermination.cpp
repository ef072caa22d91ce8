#include "vqcore/VQTermination.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace
{
std::mutex gTerminationMutex;
VQTermination::Handler gHandler;
} // namespace

void VQTermination::terminate(int status)
{
    Handler handler;
    {
        std::lock_guard lock(gTerminationMutex);
        handler = gHandler;
    }
    if (handler)
        handler(status);
    std::fflush(nullptr);
    std::_Exit(status);
}

VQTermination::Handler VQTermination::setHandler(Handler handler)
{
    std::lock_guard lock(gTerminationMutex);
    std::swap(gHandler, handler);
    return handler;
}

VQTermination::Handler VQTermination::throwingHandler()
{
    return [](int status) { throw VQTerminationRequest{status}; };
}
