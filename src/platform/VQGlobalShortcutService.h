#pragma once
// The global shortcut as the desktop offers it: bind one combination, learn
// what the desktop made of it, and hear each press. Binding is asynchronous:
// bind() reports Pending, and the desktop's answer comes through
// bindingChanged(), at once (X11 key grabs) or later (a desktop that asks the
// user first). The desktop may also bind other keys than those asked for, or
// change the binding later: Binding::keys says what it bound, and every change
// is reported again.
//
// Backends: VQHotKeyShortcutService (X11 key grabs through VQX11Input),
// VQPortalShortcutService (the desktop portal's GlobalShortcuts) and
// VQUnsupportedShortcutService (a session without global shortcuts).

#include "platform/VQKeyCombo.h"
#include "platform/x11/VQX11Input.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

struct VQShortcutBinding {
    enum class Status {
        NoShortcut,  // nothing asked for, or unbound
        Pending,     // asked; the desktop has not answered yet
        Registered,  // each press emits triggered()
        Taken,       // another program holds the combination: nothing bound
        Unsupported, // the desktop binds no global shortcuts, or not this key
    };
    Status status = Status::NoShortcut;
    VQKeyCombo combo; // what was asked for
    QString keys;     // what the desktop bound, readable ("Ctrl + Alt + P"); empty when nothing is bound
    QString text;     // one line on the outcome, for the log and the user
};

class VQGlobalShortcutService : public QObject
{
    Q_OBJECT

  public:
    ~VQGlobalShortcutService() override;

    // Binds `combo` as the one global shortcut, replacing the last one; an
    // empty combination unbinds.
    void bind(const VQKeyCombo &combo);
    void unbind();
    const VQShortcutBinding &binding() const { return _binding; }
    // The combination that is bound now, if any.
    std::optional<VQKeyCombo> boundCombo() const;

    // Whether this session offers global shortcuts at all: the best guess until
    // knowsSupport(), the desktop's answer after (supportKnown() tells when it comes).
    virtual bool isSupported() const = 0;
    virtual bool knowsSupport() const { return true; }
    // Whether another program holds `combo`; nothing when it cannot be told.
    virtual std::optional<bool> isHeldElsewhere(const VQKeyCombo &combo) const { return std::nullopt; }
    // The keyboard map that names the keys, in xkb's text form; empty when unknown.
    virtual QByteArray keymapText() const { return {}; }
    // How shortcuts are bound here, or "off: why", for --diagnose.
    virtual QString description() const = 0;
    // Whether the desktop decides the final keys (and may ask the user), so
    // that the combination asked for is only a proposal.
    virtual bool desktopDecidesKeys() const { return false; }

    // The message shown when another program holds `combo`.
    static QString takenMessage(const VQKeyCombo &combo);

  signals:
    void bindingChanged(const VQShortcutBinding &binding);
    void triggered();
    // The desktop answered whether it offers global shortcuts (knowsSupport() is true now).
    void supportKnown();

  protected:
    // Asks the desktop for `combo` (never empty); answer through report(), now or later.
    virtual void doBind(const VQKeyCombo &combo) = 0;
    virtual void doUnbind() = 0;
    // The desktop's answer about the combination asked for last.
    void report(VQShortcutBinding binding);

  private:
    VQShortcutBinding _binding;
};

// X11: a passive grab of the keys on the root window, through the platform.
class VQHotKeyShortcutService : public VQGlobalShortcutService
{
    Q_OBJECT

  public:
    explicit VQHotKeyShortcutService(VQX11Input &platform) : _platform(platform) {}
    ~VQHotKeyShortcutService() override;
    bool isSupported() const override { return true; }
    std::optional<bool> isHeldElsewhere(const VQKeyCombo &combo) const override;
    QByteArray keymapText() const override;
    QString description() const override;

  protected:
    void doBind(const VQKeyCombo &combo) override;
    void doUnbind() override;

  private:
    void answered(const VQKeyCombo &combo, VQX11Input::HotKeyStatus status);

    VQX11Input &_platform;
    quint64 _generation = 0;
};

// A session that binds no global shortcuts: every combination is Unsupported.
class VQUnsupportedShortcutService : public VQGlobalShortcutService
{
    Q_OBJECT

  public:
    explicit VQUnsupportedShortcutService(QString why) : _why(std::move(why)) {}
    bool isSupported() const override { return false; }
    QString description() const override { return QStringLiteral("off: ") + _why; }

  protected:
    void doBind(const VQKeyCombo &combo) override;
    void doUnbind() override {}

  private:
    QString _why;
};
