#pragma once
// What only an X11 session offers a program, and Qt does not portably: other
// programs' windows by id (which one is active, activating it again), global
// key grabs, the pointer anywhere on the desktop (its moves, warping it),
// grabbing the pointer and the keyboard, and reading the root window's pixels.
// VQX11Desktop implements it over a connection of its own; the X11 backends
// alone use it (the live magnifier loupe, the hot-key shortcut, focus
// hand-back, the pointer watch), chosen once by the desktop factory
// (VQDesktopFactory). Nothing outside an X11 session has one.
//
// Positions are device pixels of the whole desktop (the root window's
// coordinates, origin at the top-left of the desktop, y downwards). They are
// never logical Qt coordinates: with a scale factor of 2 a logical point
// covers four device pixels, and every one of them must be reachable.

#include "platform/VQKeyCombo.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// What the pointer and the keyboard did, as the X server reports it.
struct VQInputEvent {
    enum class Kind { Moved, Clicked, KeyPressed };
    Kind kind = Kind::Moved;
    QPoint position;          // device pixels (Moved, Clicked)
    int button = 0;           // 1 left, 2 middle, 3 right (Clicked)
    std::uint32_t keysym = 0; // the key's unshifted X11 keysym (KeyPressed)
    std::uint32_t flags = 0;  // held modifiers as key-event flags (VQModifierFlag)
};

class VQX11Input
{
  public:
    virtual ~VQX11Input() = default;

    // Identifies a top-level window of any program (an X11 window id); 0 is none.
    using WindowID = quint64;
    using InputHandler = std::function<void(const VQInputEvent &)>;

    // Whether the window manager tells which window is active and takes
    // requests to activate one.
    virtual bool tellsActiveWindow() const { return true; }
    // The window the window manager reports as active, or 0 when it tells none.
    virtual WindowID activeWindow() const = 0;
    // Asks the window manager to activate `window`; false when it could not be asked.
    virtual bool activateWindow(WindowID window) = 0;
    // Asks that `window` (not yet shown) stay out of task bars and window
    // switchers, as a window hanging from the tray should. Call before each show:
    // window managers forget it when the window is hidden.
    virtual void keepOutOfTaskbar(WindowID window) {}

    // Whether another program holds `combo` as a global key; nothing when the
    // server cannot tell.
    virtual std::optional<bool> isShortcutHeldElsewhere(const VQKeyCombo &combo) const { return std::nullopt; }
    // The current keyboard map in xkb's text form, empty when unknown.
    virtual QByteArray keymapText() const { return {}; }

    // -- the global hot key ------------------------------------------------------
    enum class HotKeyStatus {
        Registered,  // pressing the combination calls `pressed`
        NoShortcut,  // the combo names no key: nothing registered
        Taken,       // another program holds the combination: nothing registered
        Unsupported, // the key is not on the keyboard
    };
    // Registers `combo` as the one global hot key, replacing the previous one;
    // `answer` gets the outcome, now or later. `pressed` runs on the main
    // thread, queued (never inside the event handling), once per press:
    // holding the keys does not repeat it.
    virtual void registerHotKey(const VQKeyCombo &combo, std::function<void()> pressed,
                                std::function<void(HotKeyStatus)> answer) = 0;
    virtual void unregisterHotKey() = 0;

    // -- the pointer and the screen ----------------------------------------------
    // Where the pointer is, and the modifiers held, or nothing when it cannot be told.
    virtual std::optional<VQInputEvent> pointerState() const { return std::nullopt; }
    // Moves the pointer by whole device pixels (the loupe's arrow keys).
    virtual bool movePointerBy(int dx, int dy) { return false; }
    // The pixels of `deviceRect` as they are on screen now, in Format_RGB32, at
    // the rectangle's size; pixels outside every screen are black. A null image
    // when the screen cannot be read.
    virtual QImage captureScreen(const QRect &deviceRect) const { return {}; }
    // Why no pixel can be picked from this screen, in one line; empty when the loupe can run.
    virtual QString screenPickingProblem() const = 0;
    // How this session gives each service, or why it does not, in a few words
    // (vellico --diagnose and the log at start).
    struct Description {
        QString name;         // "X11", "X11 (XWayland)"
        QString picking;      // the live loupe, or "off: why"
        QString shortcut;     // how a global shortcut is bound, or "off: why"
        QString pointerWatch; // how Shift tracking follows the pointer, or "off: why"
    };
    virtual Description describe() const = 0;

    // -- pointer events anywhere on screen -----------------------------------
    // Whether startPointerEvents() can report the pointer anywhere on the desktop.
    virtual bool offersPointerEvents() const { return false; }
    // Reports every movement (Moved) and button press (Clicked) on the whole
    // desktop to `handler`, on the main thread, until stopPointerEvents(). While
    // nobody listens no pointer events are asked for at all.
    virtual bool startPointerEvents(InputHandler handler) { return false; }
    virtual void stopPointerEvents() {}

    // -- taking the pointer and the keyboard -------------------------------------
    // Grabs the pointer (with a crosshair cursor) and the keyboard, so that
    // clicks and keys reach `handler` instead of any window, whichever window has
    // the focus. False when another program holds a grab; one attempt, which
    // never waits (the caller tries again later).
    virtual bool grabInput(InputHandler handler) { return false; }
    virtual void releaseInput() {}

    // Connects to $DISPLAY (VQX11Desktop); null when no X server answers, or
    // this Vellico was built without X11.
    static std::unique_ptr<VQX11Input> connect();
};
