#pragma once
// The one source of "now". Time stamps of colours and collections are whole
// seconds since 1970-01-01 UTC; tests fix the clock.

#include <cstdint>
#include <functional>

class VQClock
{
  public:
    // Seconds since 1970 with fractions.
    static double currentTime();
    // Whole seconds since 1970, truncated toward zero.
    static std::uint64_t now();

    // Replaces the clock (nullptr restores the system clock).
    static void setSource(std::function<double()> source);
    // Convenience for tests: the clock stands still at `seconds`.
    static void setFixedTime(double seconds);
};

// Hands out identifiers that are time stamps in whole seconds but never repeat
// within the process: the current second, or one more than the last identifier
// handed out when the clock has not moved past it.
class VQUniqueTimestamp
{
  public:
    std::uint64_t next();
    // As next(), skipping every identifier for which `taken` is true: one that
    // a library already holds or has deleted, which another process may have
    // handed out in these seconds.
    std::uint64_t next(const std::function<bool(std::uint64_t)> &taken);
    // Forgets what was handed out (tests).
    void reset();

    static VQUniqueTimestamp &colorIDs();
    static VQUniqueTimestamp &collectionIDs();

  private:
    std::uint64_t _last = 0;
};
