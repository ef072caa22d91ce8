#include "platform/portal/VQPortalRequest.h"

#include "platform/VQScreenPicker.h"
#include "vqcore/VQLog.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include <functional>
#include <optional>

namespace
{
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
// How long closing a Request that never answered may take before we give up on it.
constexpr int kCloseWaitMs = 1000;
} // namespace

// Receives the Request's Response signal: QtDBus delivers signals to slots only.
class VQPortalResponseListener : public QObject
{
    Q_OBJECT
  public:
    std::function<void(uint, const QVariantMap &)> onResponse;

  public slots:
    void response(uint code, const QVariantMap &results)
    {
        if (onResponse)
            onResponse(code, results);
    }
};

QString VQPortalRequest::requestPath(const QString &uniqueName, const QString &token)
{
    QString sender = uniqueName.startsWith(QLatin1Char(':')) ? uniqueName.mid(1) : uniqueName;
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

QString VQPortalRequest::busProblem()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected())
        return {};
    return QStringLiteral("no D-Bus session bus to reach the desktop portal (%1)")
        .arg(bus.lastError().message().isEmpty() ? QStringLiteral("not connected") : bus.lastError().message());
}

VQPortalAnswer VQPortalRequest::call(const QString &interface, const QString &method, const QString &parentWindow,
                                     QVariantMap options, std::chrono::milliseconds deadline, const QString &what,
                                     Limit limit)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The token becomes the last element of the Request's path: letters, digits and '_' only.
    const QString token = QStringLiteral("vellico_%1").arg(QRandomGenerator::global()->generate());
    QString handle = requestPath(bus.baseService(), token);
    QEventLoop loop;
    std::optional<VQPortalAnswer> answer;
    const auto settle = [&](VQPortalAnswer answered) {
        if (answer)
            return;
        answer = std::move(answered);
        loop.quit();
    };

    VQPortalResponseListener listener;
    listener.onResponse = [&](uint code, const QVariantMap &results) {
        settle({VQPortalAnswer::Kind::Answered, code, results, {}});
    };
    const auto subscribe = [&](const QString &path) {
        return bus.connect(kPortalService, path, kRequestInterface, QStringLiteral("Response"),
                           QStringLiteral("ua{sv}"), &listener, SLOT(response(uint, QVariantMap)));
    };
    const auto unsubscribe = [&](const QString &path) {
        bus.disconnect(kPortalService, path, kRequestInterface, QStringLiteral("Response"), QStringLiteral("ua{sv}"),
                       &listener, SLOT(response(uint, QVariantMap)));
    };
    // Before the call: the portal may answer before its reply to the call reaches us.
    if (!subscribe(handle))
        return {VQPortalAnswer::Kind::Refused,
                2,
                {},
                QStringLiteral("cannot listen for the desktop portal's answer (%1)").arg(bus.lastError().message())};

    QDBusMessage message = QDBusMessage::createMethodCall(kPortalService, kPortalPath, interface, method);
    options.insert(QStringLiteral("handle_token"), token);
    message << parentWindow << options;
    // The call's own timeout comes after the deadline: the deadline decides, and closes the Request.
    QDBusPendingCallWatcher watcher(bus.asyncCall(message, int(deadline.count()) + kCloseWaitMs));
    QTimer timer;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, [&] {
        const QDBusPendingReply<QDBusObjectPath> reply = watcher;
        if (reply.isError()) {
            const QDBusError error = reply.error();
            settle({VQPortalAnswer::Kind::Refused,
                    2,
                    {},
                    error.message().isEmpty() ? error.name() : error.message().simplified()});
            return;
        }
        // Portals older than the path convention choose their own: follow it.
        const QString made = reply.value().path();
        if (!made.isEmpty() && made != handle) {
            unsubscribe(handle);
            handle = made;
            subscribe(handle);
        }
        // The desktop shows its own dialog now: it ends when the user is done with it.
        if (limit == Limit::Reply && !answer) {
            timer.stop();
            VQLog(QStringLiteral("The desktop portal took the %1 call; waiting for the user.").arg(what));
        }
    });
    // A portal that leaves the bus answers nothing more.
    QDBusServiceWatcher gone(kPortalService, bus, QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(&gone, &QDBusServiceWatcher::serviceUnregistered, &loop, [&] {
        settle({VQPortalAnswer::Kind::Refused, 2, {}, QStringLiteral("the desktop portal left the session bus")});
    });
    const VQPickCancelling cancelling([&loop] { loop.quit(); });

    bool late = false;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        late = true;
        loop.quit();
    });
    timer.start(deadline);
    VQLog(QStringLiteral("Asking the desktop portal's %1 (request %2).").arg(what, handle));
    loop.exec();
    // A reply that comes later changes nothing: the outcome is settled.
    QObject::disconnect(&watcher, nullptr, nullptr, nullptr);
    unsubscribe(handle);
    if (answer)
        return *answer;

    // No answer in time, or the program is quitting: end the portal's side.
    QDBusMessage close =
        QDBusMessage::createMethodCall(kPortalService, handle, kRequestInterface, QStringLiteral("Close"));
    QDBusPendingCallWatcher closing(bus.asyncCall(close, kCloseWaitMs));
    QEventLoop closeLoop;
    QObject::connect(&closing, &QDBusPendingCallWatcher::finished, &closeLoop, &QEventLoop::quit);
    QTimer::singleShot(kCloseWaitMs, &closeLoop, &QEventLoop::quit);
    closeLoop.exec();
    return {late ? VQPortalAnswer::Kind::Late : VQPortalAnswer::Kind::Interrupted, 2, {}, {}};
}

#include "VQPortalRequest.moc"
