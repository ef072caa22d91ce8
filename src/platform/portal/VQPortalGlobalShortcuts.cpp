#include "platform/portal/VQPortalGlobalShortcuts.h"

#include "platform/VQKeyCode.h"
#include "platform/portal/VQPortalRequest.h"
#include "vqcore/VQLog.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QRandomGenerator>

#include <xkbcommon/xkbcommon.h>

namespace
{
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");
const QString kRegistryInterface = QStringLiteral("org.freedesktop.host.portal.Registry");

// One entry of the a(sa{sv}) that BindShortcuts takes and the portal answers with.
struct ShortcutEntry {
    QString id;
    QVariantMap options;
};

QDBusArgument &operator<<(QDBusArgument &argument, const ShortcutEntry &entry)
{
    argument.beginStructure();
    argument << entry.id << entry.options;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, ShortcutEntry &entry)
{
    argument.beginStructure();
    argument >> entry.id >> entry.options;
    argument.endStructure();
    return argument;
}
} // namespace

Q_DECLARE_METATYPE(ShortcutEntry)

namespace
{
void registerTypes()
{
    static const bool once = [] {
        qDBusRegisterMetaType<ShortcutEntry>();
        qDBusRegisterMetaType<QList<ShortcutEntry>>();
        return true;
    }();
    (void)once;
}

QList<VQPortalGlobalShortcuts::Shortcut> shortcutsOf(const QVariant &value)
{
    QList<VQPortalGlobalShortcuts::Shortcut> shortcuts;
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return shortcuts;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a(sa{sv})"))
        return shortcuts;
    QList<ShortcutEntry> entries;
    argument >> entries;
    for (const ShortcutEntry &entry : entries)
        shortcuts.append({entry.id, entry.options.value(QStringLiteral("description")).toString(), QString(),
                          entry.options.value(QStringLiteral("trigger_description")).toString()});
    return shortcuts;
}

QString errorText(const QDBusError &error)
{
    return error.message().isEmpty() ? error.name() : error.message().simplified();
}

// The portal, or the interface, is not there at all.
bool isMissing(const QDBusError &error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownObject:
        return true;
    default:
        return false;
    }
}
} // namespace

VQPortalGlobalShortcuts::VQPortalGlobalShortcuts(const QDBusConnection &bus, QString appId, QObject *parent)
    : QObject(parent), _bus(bus), _appId(std::move(appId))
{
    registerTypes();
    _deadline.setSingleShot(true);
    connect(&_deadline, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("the desktop portal did not answer within %1 s")
                 .arg(QString::number(double(_timeout.count()) / 1000.0)));
    });
    // A portal that goes away takes the bindings with it.
    auto *watcher = new QDBusServiceWatcher(kPortalService, _bus, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (_state == State::Bound || (_state == State::Binding && _pending))
            fail(QStringLiteral("the desktop portal went away"));
    });
    // Every Request's answer, whatever its path: the subscription is in place
    // before any call, so that an answer sent before the call's reply is not lost.
    _bus.connect(kPortalService, QString(), kRequestInterface, QStringLiteral("Response"), this,
                 SLOT(onResponse(QDBusMessage)));
    _bus.connect(kPortalService, kPortalPath, kInterface, QStringLiteral("Activated"), this,
                 SLOT(onActivated(QDBusMessage)));
    _bus.connect(kPortalService, kPortalPath, kInterface, QStringLiteral("Deactivated"), this,
                 SLOT(onDeactivated(QDBusMessage)));
    _bus.connect(kPortalService, kPortalPath, kInterface, QStringLiteral("ShortcutsChanged"), this,
                 SLOT(onShortcutsChanged(QDBusMessage)));
}

VQPortalGlobalShortcuts::~VQPortalGlobalShortcuts()
{
    endRequest();
    closeSession();
}

QString VQPortalGlobalShortcuts::triggerFor(const VQKeyCombo &combo)
{
    const std::optional<std::uint32_t> keysym = VQKeyCode::toKeysym(combo.code);
    if (combo.code < 0 || !keysym)
        return {};
    char name[64] = {};
    if (xkb_keysym_get_name(*keysym, name, sizeof name) <= 0)
        return {};
    QStringList parts;
    if (combo.flags & VQModifierFlag::Command)
        parts << QStringLiteral("CTRL");
    if (combo.flags & VQModifierFlag::Option)
        parts << QStringLiteral("ALT");
    if (combo.flags & VQModifierFlag::Shift)
        parts << QStringLiteral("SHIFT");
    if (combo.flags & VQModifierFlag::Control)
        parts << QStringLiteral("LOGO");
    parts << QString::fromLatin1(name);
    return parts.join(QLatin1Char('+'));
}

QString VQPortalGlobalShortcuts::newToken()
{
    // The last element of an object path: letters, digits and '_' only.
    return QStringLiteral("vellico_%1").arg(QRandomGenerator::global()->generate());
}

void VQPortalGlobalShortcuts::bind(const QList<Shortcut> &shortcuts)
{
    endRequest();
    closeSession();
    const quint64 generation = ++_generation;
    _state = State::Binding;
    _failure.clear();
    _missing = false;
    _bound.clear();
    if (!_bus.isConnected()) {
        fail(QStringLiteral("no D-Bus session bus to reach the desktop portal"));
        return;
    }
    QList<ShortcutEntry> entries;
    for (const Shortcut &shortcut : shortcuts) {
        QVariantMap options{{QStringLiteral("description"), shortcut.description}};
        if (!shortcut.preferredTrigger.isEmpty())
            options.insert(QStringLiteral("preferred_trigger"), shortcut.preferredTrigger);
        entries.append({shortcut.id, options});
    }
    const QVariant listed = QVariant::fromValue(entries);
    registerApplication([this, generation, shortcuts, listed] {
        if (generation != _generation)
            return;
        createSession(listed, [this, generation, shortcuts, listed] {
            if (generation != _generation)
                return;
            const QString token = newToken();
            request(QStringLiteral("bind the shortcut"), QStringLiteral("BindShortcuts"),
                    {QVariant::fromValue(QDBusObjectPath(_session)), listed, QString(),
                     QVariantMap{{QStringLiteral("handle_token"), token}}},
                    token, [this, generation, shortcuts](const QVariantMap &results) {
                        const QList<Shortcut> answered = shortcutsOf(results.value(QStringLiteral("shortcuts")));
                        if (!boundOf(shortcuts, answered).isEmpty()) {
                            settleBound(shortcuts, answered);
                            return;
                        }
                        // A desktop that answers without the shortcuts may still hold
                        // them (some take them at CreateSession): asked again.
                        const QString listToken = newToken();
                        request(QStringLiteral("list the bound shortcuts"), QStringLiteral("ListShortcuts"),
                                {QVariant::fromValue(QDBusObjectPath(_session)),
                                 QVariantMap{{QStringLiteral("handle_token"), listToken}}},
                                listToken, [this, generation, shortcuts](const QVariantMap &listedResults) {
                                    if (generation == _generation)
                                        settleBound(shortcuts,
                                                    shortcutsOf(listedResults.value(QStringLiteral("shortcuts"))));
                                });
                    });
        });
    });
}

QList<VQPortalGlobalShortcuts::Shortcut> VQPortalGlobalShortcuts::boundOf(const QList<Shortcut> &asked,
                                                                          const QList<Shortcut> &answered)
{
    QList<Shortcut> bound;
    for (Shortcut shortcut : answered)
        for (const Shortcut &wanted : asked)
            if (wanted.id == shortcut.id) {
                // What we asked for, with the desktop's words for the keys it chose.
                shortcut.description = wanted.description;
                shortcut.preferredTrigger = wanted.preferredTrigger;
                bound.append(shortcut);
            }
    return bound;
}

void VQPortalGlobalShortcuts::settleBound(const QList<Shortcut> &asked, const QList<Shortcut> &answered)
{
    const QList<Shortcut> bound = boundOf(asked, answered);
    if (bound.isEmpty()) {
        fail(QStringLiteral("the desktop portal bound none of the %1 shortcut(s) asked for").arg(asked.size()));
        return;
    }
    _bound = bound;
    _state = State::Bound;
    VQLog(QStringLiteral("The desktop portal bound %1 of %2 global shortcut(s).").arg(bound.size()).arg(asked.size()));
    emit this->bound(_bound);
}

void VQPortalGlobalShortcuts::listShortcuts()
{
    if (_session.isEmpty() || _state != State::Bound) {
        fail(QStringLiteral("no global shortcut session with the desktop portal"));
        return;
    }
    const QString token = newToken();
    request(QStringLiteral("list the shortcuts"), QStringLiteral("ListShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(_session)), QVariantMap{{QStringLiteral("handle_token"), token}}},
            token, [this](const QVariantMap &results) {
                _state = State::Bound;
                emit listed(shortcutsOf(results.value(QStringLiteral("shortcuts"))));
            });
}

void VQPortalGlobalShortcuts::registerApplication(std::function<void()> next)
{
    if (_registered || _appId.isEmpty()) {
        next();
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, kRegistryInterface, QStringLiteral("Register"));
    call << _appId << QVariantMap();
    auto *watcher = new QDBusPendingCallWatcher(_bus.asyncCall(call, int(_timeout.count())), this);
    const quint64 generation = _generation;
    _deadline.start(_timeout);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, generation, next] {
        watcher->deleteLater();
        if (generation != _generation)
            return;
        _deadline.stop();
        const QDBusPendingReply<> reply = *watcher;
        if (!reply.isError()) {
            _registered = true;
            VQLog(QStringLiteral("Registered as \"%1\" with the desktop portal.").arg(_appId));
        } else if (reply.error().type() == QDBusError::ServiceUnknown) {
            fail(QStringLiteral("no desktop portal answers on the session bus (%1)").arg(errorText(reply.error())),
                 true);
            return;
        } else if (isMissing(reply.error())) {
            // An older portal without the registry: it knows programs by other means.
            _registered = true;
        } else {
            // A registry that refuses leaves the portal to decide on the calls themselves.
            VQLog(QStringLiteral("The desktop portal's registry refused \"%1\": %2")
                      .arg(_appId, errorText(reply.error())));
        }
        next();
    });
}

void VQPortalGlobalShortcuts::createSession(const QVariant &shortcuts, std::function<void()> next)
{
    const QString token = newToken();
    // The shortcuts go with the session too: some desktops take them only here. The
    // session's token stays the same from start to start, for desktops that keep
    // the user's bindings under it when the portal knows no application id.
    request(
        QStringLiteral("start a shortcut session"), QStringLiteral("CreateSession"),
        {QVariantMap{{QStringLiteral("handle_token"), token},
                     {QStringLiteral("session_handle_token"), sessionToken(_appId)},
                     {QStringLiteral("shortcuts"), shortcuts}}},
        token,
        [this, next](const QVariantMap &results) {
            const QVariant handle = results.value(QStringLiteral("session_handle"));
            _session = handle.canConvert<QDBusObjectPath>() && handle.userType() == qMetaTypeId<QDBusObjectPath>()
                           ? handle.value<QDBusObjectPath>().path()
                           : handle.toString();
            if (_session.isEmpty()) {
                fail(QStringLiteral("the desktop portal started a shortcut session without naming it"));
                return;
            }
            next();
        },
        true);
}

QString VQPortalGlobalShortcuts::sessionToken(const QString &appId)
{
    // The last element of an object path: letters, digits and '_' only.
    QString token;
    for (const QChar c : appId)
        token += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QLatin1Char('_');
    return token.isEmpty() ? QStringLiteral("vellico") : token;
}

void VQPortalGlobalShortcuts::request(const QString &what, const QString &method, const QList<QVariant> &arguments,
                                      const QString &token, std::function<void(const QVariantMap &)> done,
                                      bool sessionStep)
{
    endRequest();
    const quint64 generation = _generation;
    // The reply of a request that is already answered must not touch the next one's path.
    const quint64 requestNumber = ++_requests;
    _requestPath = VQPortalRequest::requestPath(_bus.baseService(), token);
    _pending = [this, what, generation, done, sessionStep](uint code, const QVariantMap &results) {
        endRequest();
        switch (code) {
        case 0:
            // The next step may start at once: not from inside this answer's delivery.
            QTimer::singleShot(0, this, [this, generation, done, results] {
                if (generation == _generation)
                    done(results);
            });
            return;
        case 1:
            fail(QStringLiteral("the desktop did not allow Vellico to %1").arg(what), sessionStep);
            return;
        default:
            fail(QStringLiteral("the desktop portal ended the request to %1 (response %2)").arg(what).arg(code),
                 sessionStep);
            return;
        }
    };
    QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kInterface, method);
    call.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(_bus.asyncCall(call, int(_timeout.count())), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, what, generation, requestNumber, sessionStep] {
                watcher->deleteLater();
                if (generation != _generation || requestNumber != _requests || !_pending)
                    return;
                const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                if (reply.isError()) {
                    if (isMissing(reply.error()))
                        fail(QStringLiteral("the desktop portal offers no global shortcuts (%1)")
                                 .arg(errorText(reply.error())),
                             true);
                    else
                        fail(QStringLiteral("the desktop portal refused to %1: %2").arg(what, errorText(reply.error())),
                             sessionStep);
                    return;
                }
                // Portals older than the path convention choose their own: follow it.
                if (const QString made = reply.value().path(); !made.isEmpty())
                    _requestPath = made;
            });
    _deadline.start(_timeout);
}

void VQPortalGlobalShortcuts::onResponse(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (!_pending || message.path() != _requestPath || arguments.size() < 2)
        return;
    // The results' nested shortcut lists are read by hand.
    QVariantMap results;
    if (arguments[1].userType() == qMetaTypeId<QDBusArgument>())
        arguments[1].value<QDBusArgument>() >> results;
    else
        results = arguments[1].toMap();
    const auto pending = std::move(_pending);
    pending(arguments[0].toUInt(), results);
}

void VQPortalGlobalShortcuts::endRequest()
{
    _deadline.stop();
    _pending = nullptr;
    _requestPath.clear();
}

void VQPortalGlobalShortcuts::closeSession()
{
    if (_session.isEmpty())
        return;
    _bus.asyncCall(
        QDBusMessage::createMethodCall(kPortalService, _session, kSessionInterface, QStringLiteral("Close")));
    _session.clear();
}

void VQPortalGlobalShortcuts::fail(const QString &reason, bool missing)
{
    _missing = missing;
    // A request that never answered is closed, so that the desktop forgets it.
    if (_pending && !_requestPath.isEmpty())
        _bus.asyncCall(
            QDBusMessage::createMethodCall(kPortalService, _requestPath, kRequestInterface, QStringLiteral("Close")));
    endRequest();
    closeSession();
    ++_generation;
    _state = State::Failed;
    _failure = reason;
    VQLog(QStringLiteral("Global shortcut through the desktop portal: %1.").arg(reason));
    emit failed(reason);
}

namespace
{
// The shortcut's id in an Activated or Deactivated(o session, s id, t timestamp, a{sv}) of `session`.
QString shortcutOf(const QDBusMessage &message, const QString &session)
{
    const QList<QVariant> arguments = message.arguments();
    if (session.isEmpty() || arguments.size() < 2 || arguments[0].value<QDBusObjectPath>().path() != session)
        return {};
    return arguments[1].toString();
}
} // namespace

void VQPortalGlobalShortcuts::onActivated(const QDBusMessage &message)
{
    if (const QString id = shortcutOf(message, _session); !id.isEmpty())
        emit activated(id);
}

void VQPortalGlobalShortcuts::onDeactivated(const QDBusMessage &message)
{
    if (const QString id = shortcutOf(message, _session); !id.isEmpty())
        emit deactivated(id);
}

void VQPortalGlobalShortcuts::onShortcutsChanged(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || _session.isEmpty() || arguments[0].value<QDBusObjectPath>().path() != _session)
        return;
    QList<Shortcut> changed = shortcutsOf(arguments[1]);
    for (Shortcut &shortcut : changed)
        for (const Shortcut &known : std::as_const(_bound))
            if (known.id == shortcut.id) {
                shortcut.description = known.description;
                shortcut.preferredTrigger = known.preferredTrigger;
            }
    _bound = changed;
    emit shortcutsChanged(_bound);
}

#include "VQPortalGlobalShortcuts.moc"
