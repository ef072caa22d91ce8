#include "vqcore/VQClock.h"

#include <QDateTime>

#include <cmath>
#include <mutex>

namespace
{
std::mutex gClockMutex;
std::function<double()> gSource;
std::mutex gIdMutex;
} // namespace

double VQClock::currentTime()
{
    std::lock_guard lock(gClockMutex);
    if (gSource)
        return gSource();
    return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

std::uint64_t VQClock::now()
{
    const double t = currentTime();
    return t <= 0 ? 0 : std::uint64_t(std::trunc(t));
}

void VQClock::setSource(std::function<double()> source)
{
    std::lock_guard lock(gClockMutex);
    gSource = std::move(source);
}

void VQClock::setFixedTime(double seconds)
{
    setSource([seconds] { return seconds; });
}

std::uint64_t VQUniqueTimestamp::next()
{
    return next(nullptr);
}

std::uint64_t VQUniqueTimestamp::next(const std::function<bool(std::uint64_t)> &taken)
{
    const std::uint64_t now = VQClock::now();
    std::lock_guard lock(gIdMutex);
    _last = now > _last ? now : _last + 1;
    while (taken && taken(_last))
        ++_last;
    return _last;
}

void VQUniqueTimestamp::reset()
{
    std::lock_guard lock(gIdMutex);
    _last = 0;
}

VQUniqueTimestamp &VQUniqueTimestamp::colorIDs()
{
    static VQUniqueTimestamp ids;
    return ids;
}

VQUniqueTimestamp &VQUniqueTimestamp::collectionIDs()
{
    static VQUniqueTimestamp ids;
    return ids;
}
