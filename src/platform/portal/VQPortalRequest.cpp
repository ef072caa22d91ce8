#include "platform/portal/VQPortalRequest.h"

#include "vqcore/VQLog.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QRandomGenerator>
#include <QTimer>

namespace
{
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
// How long the portal's reply to the call may come after the deadline: the deadline decides.
constexpr int kCloseWaitMs = 1000;
} // namespace

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

struct VQPortalCall::Private {
    QDBusConnection bus = QDBusConnection::sessionBus();
    QString interface, method, parentWindow, what;
    QVariantMap options;
    std::chrono::milliseconds deadline;
    VQPortalRequest::Limit limit;
    QString handle;
    bool subscribed = false;
    bool settled = false;
    QTimer timer;
    std::unique_ptr<QDBusPendingCallWatcher> watcher;
    std::unique_ptr<QDBusServiceWatcher> gone;
};

VQPortalCall::VQPortalCall(QString interface, QString method, QString parentWindow, QVariantMap options,
                           std::chrono::milliseconds deadline, QString what, VQPortalRequest::Limit limit)
    : d(std::make_unique<Private>())
{
    qRegisterMetaType<VQPortalAnswer>();
    d->interface = std::move(interface);
    d->method = std::move(method);
    d->parentWindow = std::move(parentWindow);
    d->options = std::move(options);
    d->deadline = deadline;
    d->what = std::move(what);
    d->limit = limit;
    d->timer.setSingleShot(true);
    connect(&d->timer, &QTimer::timeout, this, [this] { settle({VQPortalAnswer::Kind::Late, 2, {}, {}}, true); });
}

VQPortalCall::~VQPortalCall()
{
    if (!d->settled && d->subscribed)
        unsubscribe(d->handle);
}

bool VQPortalCall::subscribe(const QString &path)
{
    d->subscribed = d->bus.connect(kPortalService, path, kRequestInterface, QStringLiteral("Response"),
                                   QStringLiteral("ua{sv}"), this, SLOT(response(uint, QVariantMap)));
    return d->subscribed;
}

void VQPortalCall::unsubscribe(const QString &path)
{
    d->bus.disconnect(kPortalService, path, kRequestInterface, QStringLiteral("Response"), QStringLiteral("ua{sv}"),
                      this, SLOT(response(uint, QVariantMap)));
    d->subscribed = false;
}

void VQPortalCall::response(uint code, const QVariantMap &results)
{
    settle({VQPortalAnswer::Kind::Answered, code, results, {}});
}

void VQPortalCall::start()
{
    // The token becomes the last element of the Request's path: letters, digits and '_' only.
    const QString token = QStringLiteral("vellico_%1").arg(QRandomGenerator::global()->generate());
    d->handle = VQPortalRequest::requestPath(d->bus.baseService(), token);
    // Before the call: the portal may answer before its reply to the call reaches us.
    if (!subscribe(d->handle)) {
        settle(
            {VQPortalAnswer::Kind::Refused,
             2,
             {},
             QStringLiteral("cannot listen for the desktop portal's answer (%1)").arg(d->bus.lastError().message())});
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(kPortalService, kPortalPath, d->interface, d->method);
    d->options.insert(QStringLiteral("handle_token"), token);
    message << d->parentWindow << d->options;
    // The call's own timeout comes after the deadline: the deadline decides, and closes the Request.
    d->watcher =
        std::make_unique<QDBusPendingCallWatcher>(d->bus.asyncCall(message, int(d->deadline.count()) + kCloseWaitMs));
    connect(d->watcher.get(), &QDBusPendingCallWatcher::finished, this, [this] {
        if (d->settled)
            return; // a reply that comes later changes nothing: the outcome is settled
        const QDBusPendingReply<QDBusObjectPath> reply = *d->watcher;
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
        if (!made.isEmpty() && made != d->handle) {
            unsubscribe(d->handle);
            d->handle = made;
            subscribe(d->handle);
        }
        // The desktop shows its own dialog now: it ends when the user is done with it.
        if (d->limit == VQPortalRequest::Limit::Reply) {
            d->timer.stop();
            VQLog(QStringLiteral("The desktop portal took the %1 call; waiting for the user.").arg(d->what));
        }
    });
    // A portal that leaves the bus answers nothing more.
    d->gone =
        std::make_unique<QDBusServiceWatcher>(kPortalService, d->bus, QDBusServiceWatcher::WatchForUnregistration);
    connect(d->gone.get(), &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        settle({VQPortalAnswer::Kind::Refused, 2, {}, QStringLiteral("the desktop portal left the session bus")});
    });
    d->timer.start(d->deadline);
    VQLog(QStringLiteral("Asking the desktop portal's %1 (request %2).").arg(d->what, d->handle));
}

void VQPortalCall::interrupt()
{
    settle({VQPortalAnswer::Kind::Interrupted, 2, {}, {}}, true);
}

void VQPortalCall::settle(VQPortalAnswer answer, bool closeRequest)
{
    if (d->settled)
        return;
    d->settled = true;
    d->timer.stop();
    if (d->subscribed)
        unsubscribe(d->handle);
    // No answer in time, or the pick ended first: end the portal's side; its confirmation is not awaited.
    if (closeRequest && !d->handle.isEmpty())
        d->bus.asyncCall(
            QDBusMessage::createMethodCall(kPortalService, d->handle, kRequestInterface, QStringLiteral("Close")),
            kCloseWaitMs);
    deleteLater();
    emit answered(answer);
}
