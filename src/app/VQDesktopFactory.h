#pragma once
// The one place that chooses this session's desktop backends, once, from Qt's
// platform and what the session offers (VQSessionProbe), never from the
// desktop's name: the X11 calls (on X11), the screen picker, the global
// shortcut, the clipboard, focus hand-back and the pointer watch. What a
// backend needs to know of the session (the loupe: whether Qt knows the
// screens' device sizes) it gets here as values. Answers that take a while
// (the compositor's globals, the desktop portal's interfaces) never hold up
// the start: the services' capabilities change when they arrive.

#include "app/VQDesktopServices.h"
#include "platform/VQSessionProbe.h"

#include <QString>

#include <memory>
#include <optional>

// Which picker backend runs: a pure choice from the X11 loupe's own answer and
// the session probe's (unit rows).
struct VQPickerPlan {
    enum class Backend {
        X11Loupe,         // the live magnifier loupe over the X server
        FrozenScreencopy, // the frozen loupe over wlroots screencopy
        PortalScreenshot, // the frozen loupe over the portal's screenshot
        PortalPickColor,  // the desktop portal's own picker
        None,             // fails at once with `reason`
    };
    Backend backend = Backend::None;
    QString description; // how picking works, for --diagnose; empty: the X11 loupe's own
    QString logLine;     // the path chosen and why, for the log
    QString reason;      // None: why picking is off
    // PortalScreenshot: the loupe's windows go up clear before the picture is
    // taken (not where the compositor would draw them alone, hiding the desktop).
    bool clearWindowsFirst = true;
};

// `problem` is why the X11 loupe cannot pick (empty: it can); `path` the
// probe's choice (nothing: not asked).
VQPickerPlan VQPlanPicker(const QString &problem, const std::optional<VQPickChoice> &path);

// What the loupes learn of the session from the factory, not from Qt's platform name.
struct VQLoupeFacts {
    // Qt knows each screen's size in device pixels (not on XWayland, where it
    // sees every output at x1 whatever its scale).
    bool screenSizesKnown = true;
    // Our windows are X11 windows, which the portal can name as its dialogs' parent.
    bool x11Windows = false;

    static VQLoupeFacts forPlatform(const QString &platformName);
};

// The picker that carries out `plan` (on `x11` for the X11 loupe: without it, that plan refuses).
std::unique_ptr<VQScreenPicker> VQMakePicker(const VQPickerPlan &plan, VQX11Input *x11, const VQLoupeFacts &facts = {});

namespace VQDesktopFactory
{
// The services for Qt's `platformName` in this session: connects to the X
// server on "xcb", installs the clipboard, and asks the session (without
// waiting) for a picking path where X11 cannot read the screen or
// VELLICO_PICK_PATH forces one, and the portal for global shortcuts where X11
// binds none.
std::unique_ptr<VQDesktopServices> forSession(const QString &platformName);

// The services over `x11` (null: no X server) for `platformName`, choosing the
// picker from `x11` alone and the shortcut without the portal (unit rows).
std::unique_ptr<VQDesktopServices> assemble(std::unique_ptr<VQX11Input> x11, const QString &platformName);
} // namespace VQDesktopFactory
