#pragma once
// Process-wide switches decided when the program starts.

#include <atomic>

class VQApplicationSetup
{
  public:
    static VQApplicationSetup &sharedSetup();

    // Whether the synchronisation manager may be created at all. On by default;
    // a build or a test that must never touch the synchronisation folder turns it off.
    bool synchronizationAllowed() const { return _synchronizationAllowed.load(); }
    void setSynchronizationAllowed(bool allowed) { _synchronizationAllowed.store(allowed); }

  private:
    VQApplicationSetup() = default;
    std::atomic<bool> _synchronizationAllowed{true};
};
