#include "platform/portal/VQPortalColorPicker.h"

#include "platform/VQPickFailure.h"

#include "vqcore/VQLog.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
// How long closing a Request that never answered may take before we give up on it.
constexpr int kCloseWaitMs = 1000;

bool gRunning = false;

// results["color"] as three components, when it is a (ddd).
std::optional<std::array<double, 3>> componentsOf(const QVariant &value)
{
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)"))
        return std::nullopt;
    std::array<double, 3> components{};
    argument.beginStructure();
    argument >> components[0] >> components[1] >> components[2];
    argument.endStructure();
    return components;
}
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

QString VQPortalColorPicker::requestPath(const QString &uniqueName, const QString &token)
{
    QString sender = uniqueName.startsWith(QLatin1Char(':')) ? uniqueName.mid(1) : uniqueName;
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

std::optional<QColor> VQPortalColorPicker::colorFromComponents(double red, double green, double blue)
{
    const auto byte = [](double component) { return int(std::lround(std::clamp(component, 0.0, 1.0) * 255.0)); };
    if (!std::isfinite(red) || !std::isfinite(green) || !std::isfinite(blue))
        return std::nullopt;
    return QColor(byte(red), byte(green), byte(blue));
}

VQPickOutcome VQPortalColorPicker::outcomeOf(uint code, const std::optional<std::array<double, 3>> &color)
{
    using Kind = VQPickOutcome::Kind;
    switch (code) {
    case 0: {
        if (!color)
            return {Kind::Failed, {}, QStringLiteral("the desktop portal answered without a color")};
        const std::optional<QColor> picked = colorFromComponents((*color)[0], (*color)[1], (*color)[2]);
        if (!picked)
            return {Kind::Failed, {}, QStringLiteral("the desktop portal answered with a color that is not a number")};
        return {Kind::Picked, *picked, {}};
    }
    case 1:
        return {Kind::Cancelled, {}, {}};
    case 2:
        return {Kind::Failed, {}, QStringLiteral("the desktop portal ended the pick without a color")};
    default:
        break;
    }
    return {Kind::Failed, {}, QStringLiteral("the desktop portal answered with the unknown response %1").arg(code)};
}

bool VQPortalColorPicker::isRunning()
{
    return gRunning;
}

std::optional<QColor> VQPortalColorPicker::pickColor(QString *failure, std::chrono::milliseconds deadline)
{
    const auto fail = [failure](const QString &reason) { return VQFailPick(failure, reason); };
    if (gRunning)
        return fail(QStringLiteral("a loupe is already running"));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return fail(QStringLiteral("no D-Bus session bus to reach the desktop portal (%1)")
                        .arg(bus.lastError().message().isEmpty() ? QStringLiteral("not connected")
                                                                 : bus.lastError().message()));
    gRunning = true;
    struct Running {
        ~Running() { gRunning = false; }
    } running;

    // The token becomes the last element of the Request's path: letters, digits and '_' only.
    const QString token = QStringLiteral("vellico_%1").arg(QRandomGenerator::global()->generate());
    QString handle = requestPath(bus.baseService(), token);
    QEventLoop loop;
    std::optional<VQPickOutcome> outcome;
    const auto answer = [&](const VQPickOutcome &answered) {
        if (outcome)
            return;
        outcome = answered;
        loop.quit();
    };

    VQPortalResponseListener listener;
    listener.onResponse = [&](uint code, const QVariantMap &results) {
        answer(outcomeOf(code, componentsOf(results.value(QStringLiteral("color")))));
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
        return fail(
            QStringLiteral("cannot listen for the desktop portal's answer (%1)").arg(bus.lastError().message()));

    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, kScreenshotInterface, QStringLiteral("PickColor"));
    call << QString() << QVariantMap{{QStringLiteral("handle_token"), token}};
    // The call's own timeout comes after the deadline: the deadline decides, and closes the Request.
    QDBusPendingCallWatcher watcher(bus.asyncCall(call, int(deadline.count()) + kCloseWaitMs));
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, [&] {
        const QDBusPendingReply<QDBusObjectPath> reply = watcher;
        if (reply.isError()) {
            const QDBusError error = reply.error();
            answer({VQPickOutcome::Kind::Failed,
                    {},
                    QStringLiteral("the desktop portal refused to pick a color: %1")
                        .arg(error.message().isEmpty() ? error.name() : error.message().simplified())});
            return;
        }
        // Portals older than the path convention choose their own: follow it.
        const QString made = reply.value().path();
        if (!made.isEmpty() && made != handle) {
            unsubscribe(handle);
            handle = made;
            subscribe(handle);
        }
    });

    bool late = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        late = true;
        loop.quit();
    });
    timer.start(deadline);
    VQLog(QStringLiteral("Asking the desktop portal's PickColor (request %1).").arg(handle));
    loop.exec();
    // A reply that comes later changes nothing: the outcome is settled.
    QObject::disconnect(&watcher, nullptr, nullptr, nullptr);
    unsubscribe(handle);

    if (!outcome) {
        // No answer in time, or the program is quitting: end the desktop's picker.
        QDBusMessage close =
            QDBusMessage::createMethodCall(kPortalService, handle, kRequestInterface, QStringLiteral("Close"));
        QDBusPendingCallWatcher closing(bus.asyncCall(close, kCloseWaitMs));
        QEventLoop closeLoop;
        QObject::connect(&closing, &QDBusPendingCallWatcher::finished, &closeLoop, &QEventLoop::quit);
        QTimer::singleShot(kCloseWaitMs, &closeLoop, &QEventLoop::quit);
        closeLoop.exec();
        if (!late)
            return fail(QStringLiteral("the pick was ended before the desktop portal answered"));
        return fail(QStringLiteral("the desktop portal did not answer within %1 s")
                        .arg(QString::number(double(deadline.count()) / 1000.0)));
    }
    switch (outcome->kind) {
    case VQPickOutcome::Kind::Picked:
        VQLog(QStringLiteral("The desktop portal picked %1.").arg(outcome->color.name()));
        return outcome->color;
    case VQPickOutcome::Kind::Cancelled:
        VQLog(QStringLiteral("The desktop portal's pick was cancelled."));
        if (failure)
            failure->clear();
        return std::nullopt;
    case VQPickOutcome::Kind::Failed:
        break;
    }
    return fail(outcome->reason);
}

#include "VQPortalColorPicker.moc"
