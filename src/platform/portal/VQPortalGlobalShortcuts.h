#pragma once
// A client of the desktop portal's global shortcuts
// (org.freedesktop.portal.GlobalShortcuts): the desktop, not the program,
// grabs the keys, lets the user confirm or change them, and tells the program
// when one is pressed.
//
// Everything is asynchronous and bounded: bind() registers the application
// id with the portal's registry where the portal has one (newer portals
// refuse programs outside a sandbox that have not), creates a session, then
// binds the shortcuts; each step answers (a method reply, then the Request's
// Response signal) within the timeout or the whole bind fails with the reason.
// The shortcuts go with CreateSession as well as with BindShortcuts (some
// desktops take them only from the one or the other). The bind counts as done
// only when the desktop names a shortcut asked for as bound, in its answer or,
// failing that, when asked again (ListShortcuts); a desktop that holds none
// fails it. The answer comes as bound() or failed(); nothing ever waits in a
// local event loop. Each bind() starts a session of its own (the last one is
// closed) under the same token at every start: the desktop keeps the user's
// choice per application (or, knowing none, per session token) and id.

#include "platform/VQKeyCombo.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

#include <chrono>
#include <functional>
#include <memory>

class VQPortalGlobalShortcuts : public QObject
{
    Q_OBJECT

  public:
    struct Shortcut {
        QString id;
        QString description;
        // What we propose (the portal's trigger form, "CTRL+ALT+p"); empty: none.
        QString preferredTrigger;
        // What the desktop reports it bound, in its own words; empty when it says nothing.
        QString triggerDescription;
        bool operator==(const Shortcut &) const = default;
    };
    enum class State { Idle, Binding, Bound, Failed };

    static constexpr std::chrono::milliseconds kTimeout{10000};

    // `appId`: the .desktop file's name without ".desktop", for the registry.
    VQPortalGlobalShortcuts(const QDBusConnection &bus, QString appId, QObject *parent = nullptr);
    ~VQPortalGlobalShortcuts() override;

    void setTimeout(std::chrono::milliseconds timeout) { _timeout = timeout; }

    // Binds `shortcuts` in a new session; bound() or failed() follows.
    void bind(const QList<Shortcut> &shortcuts);
    // Asks which shortcuts the session holds now; listed() or failed() follows.
    void listShortcuts();

    State state() const { return _state; }
    QString failure() const { return _failure; }
    // False once the last bind found no portal, one without global shortcuts, or
    // one that could not start a shortcut session (a backend that cannot serve
    // this desktop answers so at once).
    bool isOffered() const { return !_missing; }
    QList<Shortcut> boundShortcuts() const { return _bound; }
    QString sessionHandle() const { return _session; }

    // A combination in the portal's trigger form: "CTRL+ALT+p",
    // "LOGO+SHIFT+F1"; empty for no key.
    static QString triggerFor(const VQKeyCombo &combo);
    // The session's handle token for `appId`: the same at every start.
    static QString sessionToken(const QString &appId);
    // Of the shortcuts the desktop `answered` with, those `asked` for, with our
    // descriptions and proposed keys and the desktop's words for its keys.
    static QList<Shortcut> boundOf(const QList<Shortcut> &asked, const QList<Shortcut> &answered);

  signals:
    void bound(const QList<VQPortalGlobalShortcuts::Shortcut> &shortcuts);
    void listed(const QList<VQPortalGlobalShortcuts::Shortcut> &shortcuts);
    void failed(const QString &reason);
    void activated(const QString &id);
    void deactivated(const QString &id);
    // The user changed a binding in the desktop's settings.
    void shortcutsChanged(const QList<VQPortalGlobalShortcuts::Shortcut> &shortcuts);

  private slots:
    void onResponse(const QDBusMessage &message);
    void onActivated(const QDBusMessage &message);
    void onDeactivated(const QDBusMessage &message);
    void onShortcutsChanged(const QDBusMessage &message);

  private:
    // One portal call answered through a Request: `done` gets the results of
    // a Response 0; anything else fails the bind with the reason.
    // `sessionStep`: without its answer no shortcut can be bound at all.
    void request(const QString &what, const QString &method, const QList<QVariant> &arguments, const QString &token,
                 std::function<void(const QVariantMap &)> done, bool sessionStep = false);
    void registerApplication(std::function<void()> next);
    void createSession(const QVariant &shortcuts, std::function<void()> next);
    // bound() with what the desktop holds of `asked`, or failed() when it holds none.
    void settleBound(const QList<Shortcut> &asked, const QList<Shortcut> &answered);
    void fail(const QString &reason, bool missing = false);
    void endRequest();
    void closeSession();
    QString newToken();

    QDBusConnection _bus;
    QString _appId;
    std::chrono::milliseconds _timeout = kTimeout;
    State _state = State::Idle;
    QString _failure;
    QString _session;
    QList<Shortcut> _bound;
    bool _registered = false;
    bool _missing = false;
    quint64 _generation = 0; // a bind or list started later makes earlier answers stale
    quint64 _requests = 0;   // numbers each portal call
    // The request under way.
    std::function<void(uint code, const QVariantMap &results)> _pending;
    QString _requestPath;
    QTimer _deadline;
};

Q_DECLARE_METATYPE(VQPortalGlobalShortcuts::Shortcut)
