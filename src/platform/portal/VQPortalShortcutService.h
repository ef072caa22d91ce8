#pragma once
// The global shortcut through the desktop portal (Wayland desktops whose
// portal offers GlobalShortcuts): the combination asked for is proposed to the
// desktop, which binds it (or other keys, or asks the user) and reports the
// keys in its own words; each press of them emits triggered(), as the X11 key
// grab does. Whatever goes wrong (a refusal, an error, no answer within 10 s,
// the portal going away) is reported as Unsupported with the reason. A portal
// that cannot even start a shortcut session (a backend of another desktop
// answering for this one) binds nothing here: the service then says it is off,
// and to bind `vellico --pick` by hand.

#include "platform/VQGlobalShortcutService.h"
#include "platform/portal/VQPortalGlobalShortcuts.h"

#include <QDBusConnection>

#include <optional>

class VQPortalShortcutService : public VQGlobalShortcutService
{
    Q_OBJECT

  public:
    // `appId`: the .desktop file's name, for the portal's registry.
    VQPortalShortcutService(const QDBusConnection &bus, const QString &appId, uint portalVersion);

    // Until the portal shows that it cannot bind any (no session for this desktop).
    bool isSupported() const override { return _portal.isOffered(); }
    bool desktopDecidesKeys() const override { return true; }
    QString description() const override;

    VQPortalGlobalShortcuts &portal() { return _portal; }

    // The version of the portal's GlobalShortcuts on `bus`, asked with a bound
    // of `ms`; nothing when no portal offers it (then `why` says why).
    static std::optional<uint> probe(const QDBusConnection &bus, int ms, QString *why);

  protected:
    void doBind(const VQKeyCombo &combo) override;
    void doUnbind() override;

  private:
    void reportBound();

    VQPortalGlobalShortcuts _portal;
    uint _version = 0;
    VQKeyCombo _asked;
};
