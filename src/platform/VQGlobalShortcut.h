#pragma once
// Watches the global shortcut service for the program: a combination that
// another program holds stays unbound; whatever asked for it (the preferences
// at start-up and whenever the shortcut is recorded), that is logged, and the
// user is told once (per combination and process) through `tellUser`, so that
// a dead shortcut does not go unexplained.

#include "platform/VQGlobalShortcutService.h"

#include <QMetaObject>
#include <QString>

#include <functional>
#include <set>
#include <utility>

class VQGlobalShortcut
{
  public:
    VQGlobalShortcut(VQGlobalShortcutService &service, std::function<void(const QString &message)> tellUser);
    ~VQGlobalShortcut();
    VQGlobalShortcut(const VQGlobalShortcut &) = delete;
    VQGlobalShortcut &operator=(const VQGlobalShortcut &) = delete;

    // The combination bound now; an empty combo (code −1) when none is.
    VQKeyCombo registeredCombo() const;
    VQGlobalShortcutService &service() const { return _service; }

  private:
    void bindingChanged(const VQShortcutBinding &binding);

    VQGlobalShortcutService &_service;
    std::function<void(const QString &)> _tellUser;
    std::set<std::pair<std::uint32_t, int>> _toldAbout;
    QMetaObject::Connection _connection;
};
