#pragma once
// Keeps the stored shortcut ("ShortcutRecorder KeyboardShortcut") registered as
// the global hot key. The shell calls reregister() at start-up and whenever
// the shortcut or the preferences are saved; each press of the shortcut then
// calls `triggered` once, queued on the main thread.
//
// A combination that another program holds stays unregistered; it is logged,
// and the user is told once (per combination and process) through `tellUser`,
// so that a dead shortcut does not go unexplained.

#include "platform/VQKeyCombo.h"
#include "platform/VQPlatform.h"

#include <QString>

#include <functional>
#include <set>
#include <utility>

class VQGlobalShortcut
{
  public:
    VQGlobalShortcut(VQPlatform &platform, std::function<void()> triggered,
                     std::function<void(const QString &message)> tellUser);
    ~VQGlobalShortcut();

    // Reads the stored record and registers it (replacing the last one).
    VQPlatform::HotKeyStatus reregister();
    // Registers `combo` (replacing the last one).
    VQPlatform::HotKeyStatus reregister(const VQKeyCombo &combo);

    VQKeyCombo registeredCombo() const { return _registered; }

    // The message shown when another program holds `combo`.
    static QString takenMessage(const VQKeyCombo &combo);

  private:
    VQPlatform &_platform;
    std::function<void()> _triggered;
    std::function<void(const QString &)> _tellUser;
    VQKeyCombo _registered;
    std::set<std::pair<std::uint32_t, int>> _toldAbout;
};
