#pragma once
// The desktop services of this session, assembled once by the desktop factory
// (VQDesktopFactory) and handed to whoever needs them (the delegate, the preferences, --diagnose):
//
//   screenPicker()    "let the user pick a pixel" (VQScreenPicker)
//   globalShortcut()  bind a combination, hear its presses (VQGlobalShortcutService)
//   focusHandBack()   remember the active window, give it back (VQFocusHandBack)
//   pointerWatch()    pointer moves anywhere, for Shift tracking; null where the
//                     session reports none (VQMouseTracker)
//   capabilities()    what of this the session can do, for the interface to
//                     show or hide
//
// The desktop factory (VQDesktopFactory) chooses each backend, once; this
// only holds them and says what they can do now. Some backends answer later
// (the portal, the compositor): capabilities() is the current answer and
// capabilitiesChanged() follows each change. Tests assemble their own from
// parts (a fake X11 input, a fake picker).

#include "platform/VQGlobalShortcutService.h"
#include "platform/VQScreenPicker.h"
#include "platform/x11/VQX11Input.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class VQFocusHandBack;
class VQMouseTracker;

struct VQDesktopCapabilities {
    bool screenPicking = false;   // a pick can work (else it fails at once with the reason)
    bool globalShortcut = false;  // a global shortcut can be bound
    bool pointerWatch = false;    // pointer moves anywhere are reported (Shift tracking)
    bool focusHandBack = false;   // the window the user came from can get the focus back
    bool windowPlacement = false; // our windows can be put at a place of our choosing (under the tray icon)
};

// A picker whose backend is chosen once the session has answered (the
// compositor, the portal): a pick asked for before waits for it, and a cancel
// meanwhile ends it as the user's would. Until then it counts as able to pick.
class VQDeferredPicker : public VQScreenPicker
{
    Q_OBJECT

  public:
    explicit VQDeferredPicker(QString waiting) : _waiting(std::move(waiting)) {}
    ~VQDeferredPicker() override;
    void setBackend(std::unique_ptr<VQScreenPicker> backend);
    bool isChosen() const { return _backend != nullptr; }
    bool canPick() const override { return !_backend || _backend->canPick(); }
    QString description() const override { return _backend ? _backend->description() : _waiting; }

  signals:
    void chosen();

  protected:
    void start() override;
    void stop() override;

  private:
    std::unique_ptr<VQScreenPicker> _backend;
    bool _pickWaiting = false; // a pick waits for the backend
    QString _waiting;
};

class VQDesktopServices : public QObject
{
    Q_OBJECT

  public:
    // The backends, chosen by the factory; null parts get the do-nothing ones (a
    // picker that refuses, no global shortcut), and without `x11` there is no
    // focus hand-back and no pointer watch.
    struct Pieces {
        std::unique_ptr<VQX11Input> x11;
        std::unique_ptr<VQScreenPicker> picker;
        std::unique_ptr<VQGlobalShortcutService> shortcut;
        QString platformName = QStringLiteral("offscreen"); // Qt's, for the window placement
        QString name = QStringLiteral("none");              // which services these are
        QString pointerWatch = QStringLiteral("off: this session reports no pointer motion to programs");
    };
    explicit VQDesktopServices(Pieces parts);
    ~VQDesktopServices() override;
    VQDesktopServices(const VQDesktopServices &) = delete;
    VQDesktopServices &operator=(const VQDesktopServices &) = delete;

    VQScreenPicker &screenPicker() const { return *_picker; }
    VQGlobalShortcutService &globalShortcut() const { return *_shortcut; }
    VQFocusHandBack &focusHandBack() const { return *_focus; }
    VQMouseTracker *pointerWatch() const { return _pointerWatch.get(); }
    const VQDesktopCapabilities &capabilities() const { return _capabilities; }
    // Whether every backend has its session's answer (capabilities() is final).
    bool isSettled() const;

    // For --diagnose and the log at start (VQDiagnosisLines): which services
    // these are ("X11", "X11 (XWayland)", "none"), and how Shift tracking
    // follows the pointer or "off: why". The picker and the shortcut service
    // describe themselves.
    QString name() const { return _name; }
    QString pointerWatchDescription() const { return _pointerWatchText; }
    QString platformName() const { return _platformName; }

  signals:
    void capabilitiesChanged();
    void settled();

  private:
    void update();

    std::unique_ptr<VQX11Input> _x11;
    std::unique_ptr<VQScreenPicker> _picker;
    std::unique_ptr<VQGlobalShortcutService> _shortcut;
    std::unique_ptr<VQFocusHandBack> _focus;
    std::unique_ptr<VQMouseTracker> _pointerWatch;
    VQDesktopCapabilities _capabilities;
    QString _platformName, _name, _pointerWatchText;
    bool _settled = false;
};
