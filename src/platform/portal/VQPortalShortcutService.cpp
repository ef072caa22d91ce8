#include "platform/portal/VQPortalShortcutService.h"

#include "vqcore/VQLog.h"

#include <QDBusMessage>
#include <QDBusVariant>

#include <optional>

namespace
{
const QString kShortcutID = QStringLiteral("pick");
}

VQPortalShortcutService::VQPortalShortcutService(const QDBusConnection &bus, const QString &appId, uint portalVersion)
    : _portal(bus, appId), _version(portalVersion)
{
    using Status = VQShortcutBinding::Status;
    connect(&_portal, &VQPortalGlobalShortcuts::activated, this, [this](const QString &id) {
        // As the X11 key grab: queued, never inside the bus's own delivery.
        if (id == kShortcutID)
            QMetaObject::invokeMethod(this, &VQGlobalShortcutService::triggered, Qt::QueuedConnection);
    });
    connect(&_portal, &VQPortalGlobalShortcuts::bound, this, &VQPortalShortcutService::reportBound);
    connect(&_portal, &VQPortalGlobalShortcuts::shortcutsChanged, this, &VQPortalShortcutService::reportBound);
    connect(&_portal, &VQPortalGlobalShortcuts::failed, this, [this](const QString &reason) {
        report({Status::Unsupported, _asked, {}, reason});
    });
}

void VQPortalShortcutService::reportBound()
{
    std::optional<QString> keys;
    for (const VQPortalGlobalShortcuts::Shortcut &shortcut : _portal.boundShortcuts())
        if (shortcut.id == kShortcutID)
            keys = shortcut.triggerDescription;
    if (!keys) {
        // The desktop dropped it (in its settings, say): nothing is bound.
        report({VQShortcutBinding::Status::Unsupported,
                _asked,
                {},
                QStringLiteral("the desktop holds no binding of the pick shortcut")});
        return;
    }
    report({VQShortcutBinding::Status::Registered, _asked, *keys,
            keys->isEmpty() ? QStringLiteral("bound by the desktop")
                            : QStringLiteral("bound by the desktop to %1").arg(*keys)});
}

QString VQPortalShortcutService::description() const
{
    if (!_portal.isOffered())
        return QStringLiteral("off: %1; bind `vellico --pick` to a key in the desktop's keyboard settings")
            .arg(_portal.failure());
    return QStringLiteral("the desktop portal's GlobalShortcuts (version %1): the desktop is asked for the keys, "
                          "decides them and binds them, or says why not")
        .arg(_version);
}

void VQPortalShortcutService::doBind(const VQKeyCombo &combo)
{
    // The desktop may ask the user at each bind: the same keys are not proposed anew.
    if (combo == _asked && _portal.state() == VQPortalGlobalShortcuts::State::Binding)
        return;
    if (combo == _asked && _portal.state() == VQPortalGlobalShortcuts::State::Bound) {
        reportBound();
        return;
    }
    _asked = combo;
    // A portal that could start no shortcut session here will not for other keys either.
    if (!_portal.isOffered()) {
        report({VQShortcutBinding::Status::Unsupported, combo, {}, _portal.failure()});
        return;
    }
    _portal.bind({{kShortcutID, QStringLiteral("Pick a color from the screen"),
                   VQPortalGlobalShortcuts::triggerFor(combo), QString()}});
}

void VQPortalShortcutService::doUnbind()
{
    // A bind that follows starts a session of its own; nothing is bound meanwhile.
}

std::optional<uint> VQPortalShortcutService::probe(const QDBusConnection &bus, int ms, QString *why)
{
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << QStringLiteral("org.freedesktop.portal.GlobalShortcuts") << QStringLiteral("version");
    const QDBusMessage answer = bus.call(ask, QDBus::Block, ms);
    if (answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty())
        return answer.arguments().constFirst().value<QDBusVariant>().variant().toUInt();
    if (why)
        *why = QStringLiteral("no desktop portal offers GlobalShortcuts here (%1)")
                   .arg(answer.errorMessage().isEmpty() ? answer.errorName() : answer.errorMessage());
    return std::nullopt;
}
