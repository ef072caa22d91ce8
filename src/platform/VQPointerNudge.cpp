#include "platform/VQPointerNudge.h"

#include "vqcore/VQLog.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <functional>

namespace
{
const QString kService = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
const QString kSessionInterface = QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session");

// Sends `message` and hands its answer to `next`; a failure ends in the log.
void send(const QDBusMessage &message, const std::function<void(const QDBusMessage &)> &next = nullptr)
{
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, message, next] {
        watcher->deleteLater();
        const QDBusMessage answer = watcher->reply();
        if (answer.type() == QDBusMessage::ErrorMessage)
            VQLog(QStringLiteral("The compositor's pointer could not be nudged (%1): %2")
                      .arg(message.member(), answer.errorMessage()));
        else if (next)
            next(answer);
    });
}
} // namespace

void VQPointerNudge::request()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kService))
        return;
    send(QDBusMessage::createMethodCall(kService, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kService,
                                        QStringLiteral("CreateSession")),
         [](const QDBusMessage &created) {
             const QString session = created.arguments().value(0).value<QDBusObjectPath>().path();
             if (session.isEmpty())
                 return;
             // In order on one connection; Stop comes whatever the others answered.
             const auto call = [&session](const QString &method) {
                 return QDBusMessage::createMethodCall(kService, session, kSessionInterface, method);
             };
             send(call(QStringLiteral("Start")));
             send(call(QStringLiteral("NotifyPointerMotionRelative")) << 0.0 << 0.0);
             send(call(QStringLiteral("Stop")));
         });
}
