#pragma once
// Whether a tray host (a StatusNotifierItem host: a panel that shows the icons)
// runs on the session bus. Qt asks only the StatusNotifierWatcher, whose
// IsStatusNotifierHostRegistered is not always true to its name: the watcher
// Plasma runs inside kded answers true with no panel at all. A host owns a
// name of its own (org.kde.StatusNotifierHost-PID, or the same under
// org.freedesktop); a watcher that is itself the host (a shell extension) may
// own none, but a watcher in kded, a service of its own, is no host.

#include <QDBusConnection>
#include <QString>

struct VQTrayHostFacts {
    bool watcher = false;         // org.kde.StatusNotifierWatcher has an owner
    bool watcherSaysHost = false; // …whose IsStatusNotifierHostRegistered is true
    bool watcherInKded = false;   // …and who also owns org.kde.kded5
    int hostNames = 0;            // names of StatusNotifierItem hosts on the bus
};

enum class VQTrayHost {
    Host,               // a panel shows the icons
    WatcherWithoutHost, // a watcher runs, but nothing shows what it registers
    None,               // no watcher
};

VQTrayHost VQJudgeTrayHost(const VQTrayHostFacts &facts);

// The facts as `bus` tells them (each call bounded to a moment).
VQTrayHostFacts VQAskTrayHost(const QDBusConnection &bus);
