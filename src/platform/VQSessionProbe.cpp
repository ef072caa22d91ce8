#include "platform/VQSessionProbe.h"

#ifdef VELLICO_HAVE_WLR
#include "platform/wlr/VQWlrScreencopy.h"
#endif

#include <QtGlobal>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QPointer>
#include <QStringList>
#include <QThread>

#include <memory>

#include <array>
#include <optional>
#include <utility>

namespace
{
constexpr std::array<std::pair<VQPickPath, const char *>, 5> kNames{{
    {VQPickPath::X11Live, "x11"},
    {VQPickPath::WlrScreencopy, "screencopy"},
    {VQPickPath::PortalScreenshot, "portal-screenshot"},
    {VQPickPath::PortalPickColor, "portal-pick-color"},
    {VQPickPath::None, "none"},
}};

enum class Session { X11, NativeWayland, XWayland, Other };

bool isWaylandPlatform(const QString &name)
{
    // Qt's plugin is "wayland"; its EGL and XComposite variants carry suffixes.
    return name == QLatin1String("wayland") || name.startsWith(QLatin1String("wayland-"));
}

Session sessionOf(const VQSessionOffer &offer)
{
    const bool waylandAround = !offer.waylandDisplay.isEmpty() ||
                               offer.sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    if (isWaylandPlatform(offer.platformName))
        return Session::NativeWayland;
    if (offer.platformName == QLatin1String("xcb"))
        return waylandAround ? Session::XWayland : Session::X11;
    return Session::Other;
}

QString sessionText(Session session, const VQSessionOffer &offer)
{
    switch (session) {
    case Session::X11:
        return QStringLiteral("X11 session");
    case Session::NativeWayland:
        return QStringLiteral("Wayland session");
    case Session::XWayland:
        return QStringLiteral("XWayland (Qt on xcb inside a Wayland session; its X server cannot see the Wayland "
                              "screen)");
    case Session::Other:
        break;
    }
    return QStringLiteral("the \"%1\" platform has no screen to pick from").arg(offer.platformName);
}

bool offers(Session session, const VQSessionOffer &offer, VQPickPath path)
{
    const bool wayland = session == Session::NativeWayland || session == Session::XWayland;
    switch (path) {
    case VQPickPath::X11Live:
        return session == Session::X11;
    case VQPickPath::WlrScreencopy:
        return wayland && offer.wlrScreencopy;
    case VQPickPath::PortalScreenshot:
        return wayland && offer.portalScreenshot;
    case VQPickPath::PortalPickColor:
        return wayland && offer.portalPickColor;
    case VQPickPath::None:
        return true;
    }
    return false;
}

QString offerText(VQPickPath path)
{
    switch (path) {
    case VQPickPath::X11Live:
        return QStringLiteral("the live loupe over the X screen");
    case VQPickPath::WlrScreencopy:
        return QStringLiteral("the compositor offers wlroots screencopy (zwlr_screencopy_manager_v1)");
    case VQPickPath::PortalScreenshot:
        return QStringLiteral("no wlroots screencopy; the desktop portal offers Screenshot");
    case VQPickPath::PortalPickColor:
        return QStringLiteral("no wlroots screencopy, no portal Screenshot; the desktop portal offers PickColor");
    case VQPickPath::None:
        break;
    }
    return QStringLiteral("no wlroots screencopy and no desktop portal Screenshot or PickColor");
}

std::optional<VQPickPath> pathNamed(const QString &name)
{
    for (const auto &[path, text] : kNames) {
        if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return path;
    }
    return std::nullopt;
}
} // namespace

VQSessionOffer VQSessionOffer::fromEnvironment(const QString &platformName)
{
    VQSessionOffer offer;
    offer.platformName = platformName;
    offer.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY");
    offer.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    offer.forcedPath = qEnvironmentVariable("VELLICO_PICK_PATH").trimmed();
    offer.currentDesktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return offer;
}

QString vqPickPathName(VQPickPath path)
{
    for (const auto &[p, text] : kNames) {
        if (p == path)
            return QLatin1String(text);
    }
    return {};
}

namespace
{
VQPickChoice choose(const VQSessionOffer &offer)
{
    const Session session = sessionOf(offer);
    const QString where = sessionText(session, offer);

    if (!offer.forcedPath.isEmpty()) {
        const auto forced = pathNamed(offer.forcedPath);
        if (!forced) {
            QStringList known;
            for (const auto &entry : kNames)
                known << QLatin1String(entry.second);
            return {VQPickPath::None, QStringLiteral("VELLICO_PICK_PATH=%1 names no picking path (known: %2)")
                                          .arg(offer.forcedPath, known.join(QLatin1String(", ")))};
        }
        if (!offers(session, offer, *forced))
            return {VQPickPath::None, QStringLiteral("VELLICO_PICK_PATH=%1, which this session does not offer (%2)")
                                          .arg(vqPickPathName(*forced), where)};
        return {*forced, QStringLiteral("%1: forced by VELLICO_PICK_PATH").arg(where)};
    }

    switch (session) {
    case Session::X11:
        return {VQPickPath::X11Live, QStringLiteral("%1: %2").arg(where, offerText(VQPickPath::X11Live))};
    case Session::NativeWayland:
    case Session::XWayland:
        for (VQPickPath path : {VQPickPath::WlrScreencopy, VQPickPath::PortalScreenshot, VQPickPath::PortalPickColor}) {
            if (offers(session, offer, path))
                return {path, QStringLiteral("%1: %2").arg(where, offerText(path))};
        }
        return {VQPickPath::None, QStringLiteral("%1: %2").arg(where, offerText(VQPickPath::None))};
    case Session::Other:
        break;
    }
    return {VQPickPath::None, where};
}
} // namespace

VQPickChoice vqChoosePickPath(const VQSessionOffer &offer)
{
    VQPickChoice choice = choose(offer);
    choice.fullscreenDrawnAlone =
        offer.wlrScreencopy || offer.currentDesktops.contains(QLatin1String("GNOME"), Qt::CaseInsensitive);
    return choice;
}

// -- asking the session ---------------------------------------------------------

VQSessionAsk::VQSessionAsk(const QString &platformName, bool portalWhenScreencopy, QObject *parent)
    : QObject(parent), _offer(VQSessionOffer::fromEnvironment(platformName)),
      _portalWhenScreencopy(portalWhenScreencopy)
{
}

VQSessionAsk::~VQSessionAsk() = default;

void VQSessionAsk::start()
{
    if (_started)
        return;
    _started = true;
    const Session session = sessionOf(_offer);
    if (session != Session::NativeWayland && session != Session::XWayland) {
        // Nothing to ask: the choice needs no compositor's or portal's answer.
        settle();
        return;
    }
#ifdef VELLICO_HAVE_WLR
    if (!_offer.waylandDisplay.isEmpty()) {
        // A connection of its own, in a thread: the round trip never holds up the event loop.
        auto screencopy = std::make_shared<bool>(false);
        QThread *thread = QThread::create([screencopy] {
            *screencopy = VQWlrScreencopy::probe(std::chrono::milliseconds(kAskTimeoutMs)).screencopy;
        });
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
        connect(thread, &QThread::finished, this, [this, screencopy] { compositorAnswered(*screencopy); });
        thread->start();
        return;
    }
#endif
    askPortal();
}

void VQSessionAsk::compositorAnswered(bool screencopy)
{
    _offer.wlrScreencopy = screencopy;
    if (_offer.wlrScreencopy && !_portalWhenScreencopy && _offer.forcedPath.isEmpty())
        settle();
    else
        askPortal();
}

void VQSessionAsk::askPortal()
{
    // The portal's Screenshot interface, and whether its version has PickColor (2 and later).
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << QStringLiteral("org.freedesktop.portal.Screenshot") << QStringLiteral("version");
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(ask, kAskTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusMessage answer = watcher->reply();
        if (answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty()) {
            _offer.portalScreenshot = true;
            _offer.portalPickColor = answer.arguments().constFirst().value<QDBusVariant>().variant().toUInt() >= 2;
        }
        settle();
    });
}

void VQSessionAsk::settle()
{
    if (_settled)
        return;
    _settled = true;
    emit settled();
}

QString VQPickPathOfferedLine(const VQSessionOffer &offer)
{
    const VQPickChoice choice = vqChoosePickPath(offer);
    return QStringLiteral("picking path the session offers: %1 (%2)").arg(vqPickPathName(choice.path), choice.reason);
}
