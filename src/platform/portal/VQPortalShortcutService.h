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
//
// Whether the portal offers GlobalShortcuts at all is asked at construction,
// without waiting: until it answers (or kAskTimeout passes) a bind stays
// Pending, then goes on or is reported Unsupported; supportKnown() says when.

#include "platform/VQGlobalShortcutService.h"
#include "platform/portal/VQPortalGlobalShortcuts.h"

#include <QDBusConnection>

#include <optional>

class VQPortalShortcutService : public VQGlobalShortcutService
{
    Q_OBJECT

  public:
    static constexpr int kAskTimeoutMs = 2000;

    // `appId`: the .desktop file's name, for the portal's registry. Asks the
    // portal for its GlobalShortcuts' version at once.
    VQPortalShortcutService(const QDBusConnection &bus, const QString &appId);

    // Until the portal shows that it cannot bind any (none answers, or no session for this desktop).
    bool isSupported() const override { return !_missing && _portal.isOffered(); }
    bool knowsSupport() const override { return _asked; }
    bool desktopDecidesKeys() const override { return true; }
    QString description() const override;

    VQPortalGlobalShortcuts &portal() { return _portal; }

  protected:
    void doBind(const VQKeyCombo &combo) override;
    void doUnbind() override;

  private:
    void reportBound();
    // The portal's answer about its version: nothing when it offers no GlobalShortcuts.
    void answered(std::optional<uint> version, const QString &why);

    VQPortalGlobalShortcuts _portal;
    uint _version = 0;
    bool _asked = false;   // the portal answered about its version (or did not in time)
    bool _missing = false; // …and offers no GlobalShortcuts: `_why`
    QString _why;
    VQKeyCombo _wanted; // what was asked for before the portal answered
    bool _wantsBind = false;
    VQKeyCombo _proposed;
};
