#include "platform/portal/VQPortalShortcutService.h"

#include "vqcore/VQLog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

#include <optional>

namespace
{
const QString kShortcutID = QStringLiteral("pick");
}

VQPortalShortcutService::VQPortalShortcutService(const QDBusConnection &bus, const QString &appId) : _portal(bus, appId)
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
        report({Status::Unsupported, _proposed, {}, reason});
    });

    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << QStringLiteral("org.freedesktop.portal.GlobalShortcuts") << QStringLiteral("version");
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection(bus).asyncCall(ask, kAskTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusMessage answer = watcher->reply();
        if (answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty()) {
            answered(answer.arguments().constFirst().value<QDBusVariant>().variant().toUInt(), {});
            return;
        }
        answered(std::nullopt, QStringLiteral("no desktop portal offers GlobalShortcuts here (%1)")
                                   .arg(answer.errorMessage().isEmpty() ? answer.errorName() : answer.errorMessage()));
    });
}

void VQPortalShortcutService::answered(std::optional<uint> version, const QString &why)
{
    _asked = true;
    _version = version.value_or(0);
    _missing = !version;
    _why = why + QStringLiteral("; bind `vellico --pick` to a key in the desktop's keyboard settings");
    VQLog(version ? QStringLiteral("The desktop portal offers GlobalShortcuts (version %1).").arg(*version)
                  : QStringLiteral("Global shortcut: off: %1").arg(_why));
    if (_wantsBind) {
        _wantsBind = false;
        doBind(_wanted);
    } else {
        // Whoever shows the binding learns that support is known now.
        report(binding());
    }
    emit supportKnown();
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
                _proposed,
                {},
                QStringLiteral("the desktop holds no binding of the pick shortcut")});
        return;
    }
    report({VQShortcutBinding::Status::Registered, _proposed, *keys,
            keys->isEmpty() ? QStringLiteral("bound by the desktop")
                            : QStringLiteral("bound by the desktop to %1").arg(*keys)});
}

QString VQPortalShortcutService::description() const
{
    if (!_asked)
        return QStringLiteral("the desktop portal's GlobalShortcuts: waiting for the portal's answer");
    if (_missing)
        return QStringLiteral("off: ") + _why;
    if (!_portal.isOffered())
        return QStringLiteral("off: %1; bind `vellico --pick` to a key in the desktop's keyboard settings")
            .arg(_portal.failure());
    return QStringLiteral("the desktop portal's GlobalShortcuts (version %1): the desktop is asked for the keys, "
                          "decides them and binds them, or says why not")
        .arg(_version);
}

void VQPortalShortcutService::doBind(const VQKeyCombo &combo)
{
    if (!_asked) {
        // Bound once the portal has said whether it offers GlobalShortcuts; Pending till then.
        _wanted = combo;
        _wantsBind = true;
        return;
    }
    if (_missing) {
        report({VQShortcutBinding::Status::Unsupported, combo, {}, _why});
        return;
    }
    // The desktop may ask the user at each bind: the same keys are not proposed anew.
    if (combo == _proposed && _portal.state() == VQPortalGlobalShortcuts::State::Binding)
        return;
    if (combo == _proposed && _portal.state() == VQPortalGlobalShortcuts::State::Bound) {
        reportBound();
        return;
    }
    _proposed = combo;
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
    _wantsBind = false;
    // A bind that follows starts a session of its own; nothing is bound meanwhile.
}
