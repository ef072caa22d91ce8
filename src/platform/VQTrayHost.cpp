#include "platform/VQTrayHost.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QStringList>

namespace
{
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
constexpr int kAskMs = 1000;
} // namespace

VQTrayHost VQJudgeTrayHost(const VQTrayHostFacts &facts)
{
    if (!facts.watcher)
        return VQTrayHost::None;
    if (facts.hostNames > 0 || (facts.watcherSaysHost && !facts.watcherInKded))
        return VQTrayHost::Host;
    return VQTrayHost::WatcherWithoutHost;
}

VQTrayHostFacts VQAskTrayHost(const QDBusConnection &bus)
{
    VQTrayHostFacts facts;
    const QDBusConnectionInterface *daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (!daemon)
        return facts;
    const QString owner = daemon->serviceOwner(kWatcher).value();
    facts.watcher = !owner.isEmpty();
    if (!facts.watcher)
        return facts;
    facts.watcherInKded = daemon->serviceOwner(QStringLiteral("org.kde.kded5")).value() == owner;
    QDBusMessage ask =
        QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage answer = bus.call(ask, QDBus::Block, kAskMs);
    facts.watcherSaysHost = answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty() &&
                            answer.arguments().constFirst().value<QDBusVariant>().variant().toBool();
    for (const QString &name : daemon->registeredServiceNames().value())
        if (name.startsWith(QLatin1String("org.kde.StatusNotifierHost-")) ||
            name.startsWith(QLatin1String("org.freedesktop.StatusNotifierHost-")))
            ++facts.hostNames;
    return facts;
}
