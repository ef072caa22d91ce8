#pragma once
// The desktop services of this session, assembled once in main() and handed
// to whoever needs them (the delegate, the preferences, --diagnose):
//
//   screenPicker()    "let the user pick a pixel" (VQScreenPicker)
//   globalShortcut()  bind a combination, hear its presses (VQGlobalShortcutService)
//   focusHandBack()   remember the active window, give it back (VQFocusHandBack)
//   pointerWatch()    pointer moves anywhere, for Shift tracking; null where the
//                     session reports none (VQMouseTracker)
//   capabilities()    what of this the session can do, for the interface to
//                     show or hide
//
// forSession() chooses each backend from Qt's platform and what the session
// offers (VQSessionProbe), never from the desktop's name. Tests assemble their
// own from parts (a fake platform, a fake picker).

#include "platform/VQGlobalShortcutService.h"
#include "platform/VQPlatform.h"
#include "platform/VQScreenPicker.h"
#include "platform/VQSessionProbe.h"

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

// Which picker backend runs: a pure choice from the platform's own answer and
// the session probe's (unit rows).
struct VQPickerPlan {
    enum class Backend {
        PlatformLoupe,    // the live magnifier loupe over the platform (X11)
        FrozenScreencopy, // the frozen loupe over wlroots screencopy
        PortalScreenshot, // the frozen loupe over the portal's screenshot
        PortalPickColor,  // the desktop portal's own picker
        None,             // fails at once with `reason`
    };
    Backend backend = Backend::None;
    QString description; // how picking works, for --diagnose; empty: the platform's own
    QString logLine;     // the path chosen and why, for the log
    QString reason;      // None: why picking is off
    // PortalScreenshot: the loupe's windows go up clear before the picture is
    // taken (not where the compositor would draw them alone, hiding the desktop).
    bool clearWindowsFirst = true;
};

// `platformProblem` is the platform's screenPickingProblem() (empty: it can
// pick); `path` the probe's choice (nothing: not asked).
VQPickerPlan VQPlanPicker(const QString &platformProblem, const std::optional<VQPickChoice> &path);
// The picker that carries out `plan` (on `platform` for the platform's loupe).
std::unique_ptr<VQScreenPicker> VQMakePicker(const VQPickerPlan &plan, VQPlatform &platform);

class VQDesktopServices
{
  public:
    // The services for Qt's `platformName` in this session. Probes the
    // session for a picking path where the platform cannot read the screen,
    // or where VELLICO_PICK_PATH forces one.
    static std::unique_ptr<VQDesktopServices> forSession(const QString &platformName);

    // An assembly of given parts; null parts get the do-nothing ones (a null
    // platform, a picker that refuses, no global shortcut).
    struct Pieces {
        std::unique_ptr<VQPlatform> platform;
        std::unique_ptr<VQScreenPicker> picker;
        std::unique_ptr<VQGlobalShortcutService> shortcut;
        QString platformName = QStringLiteral("offscreen"); // Qt's, for the window placement
    };
    explicit VQDesktopServices(Pieces parts);
    ~VQDesktopServices();
    VQDesktopServices(const VQDesktopServices &) = delete;
    VQDesktopServices &operator=(const VQDesktopServices &) = delete;

    VQScreenPicker &screenPicker() const { return *_picker; }
    VQGlobalShortcutService &globalShortcut() const { return *_shortcut; }
    VQFocusHandBack &focusHandBack() const { return *_focus; }
    VQMouseTracker *pointerWatch() const { return _pointerWatch.get(); }
    const VQDesktopCapabilities &capabilities() const { return _capabilities; }

    // For --diagnose and the log at start (VQDiagnosisLines): which services
    // these are ("X11", "X11 (XWayland)", "none"), and how Shift tracking
    // follows the pointer or "off: why". The picker and the shortcut service
    // describe themselves.
    QString name() const { return _description.name; }
    QString pointerWatchDescription() const { return _description.pointerWatch; }
    QString platformName() const { return _platformName; }

  private:
    std::unique_ptr<VQPlatform> _platform;
    std::unique_ptr<VQScreenPicker> _picker;
    std::unique_ptr<VQGlobalShortcutService> _shortcut;
    std::unique_ptr<VQFocusHandBack> _focus;
    std::unique_ptr<VQMouseTracker> _pointerWatch;
    VQDesktopCapabilities _capabilities;
    VQPlatform::Description _description;
    QString _platformName;
};
