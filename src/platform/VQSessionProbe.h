#pragma once
// Chooses how the user picks a pixel in this session, from what the session
// offers, never from the desktop's name. The choice is pure: VQSessionAsk
// gathers the offer (Qt's platform name, the environment, the compositor's
// globals, the desktop portal's interfaces) without waiting, and tests build
// it row by row.
//
// The order of preference:
//   X11 (the platform is "xcb" in a session that is not Wayland): the live loupe.
//   Wayland, or Qt forced onto "xcb" inside Wayland (XWayland, whose X server
//   sees only X clients, never the Wayland screen, so it must not pass for X11):
//     wlroots screencopy, when the compositor announces zwlr_screencopy_manager_v1;
//     else the portal's Screenshot, then a frozen loupe over it;
//     else the portal's PickColor, the desktop's own picker;
//     else none, with the reason.
//   Any other platform (offscreen, minimal, eglfs…): none.
//
// VELLICO_PICK_PATH forces a path for tests: x11, screencopy,
// portal-screenshot, portal-pick-color or none. A forced path the session
// does not offer, or an unknown value, gives "none" with the reason, never a
// path that cannot work.

#include <QObject>
#include <QString>
#include <QStringList>

enum class VQPickPath {
    X11Live,          // the live loupe over the X server's screen
    WlrScreencopy,    // a frozen screen from the compositor's screencopy
    PortalScreenshot, // a frozen screen from the portal's Screenshot
    PortalPickColor,  // the portal's PickColor: the desktop picks
    None,             // no way to pick here
};

// What the session offers. Empty strings and false mean absent.
struct VQSessionOffer {
    QString platformName;          // QGuiApplication::platformName(): "xcb", "wayland", …
    QString waylandDisplay;        // $WAYLAND_DISPLAY
    QString sessionType;           // $XDG_SESSION_TYPE: "x11", "wayland", "tty", …
    bool wlrScreencopy = false;    // the compositor announces zwlr_screencopy_manager_v1
    bool portalScreenshot = false; // org.freedesktop.portal.Screenshot answers
    bool portalPickColor = false;  // …and offers PickColor (Screenshot version 2 and later)
    QString forcedPath;            // $VELLICO_PICK_PATH, empty when unset
    QStringList currentDesktops;   // $XDG_CURRENT_DESKTOP's names ("KDE", "GNOME", …)

    // The environment's part (WAYLAND_DISPLAY, XDG_SESSION_TYPE, VELLICO_PICK_PATH)
    // filled in from this process's environment.
    static VQSessionOffer fromEnvironment(const QString &platformName);
};

struct VQPickChoice {
    VQPickPath path = VQPickPath::None;
    QString reason; // one line, for the log and --diagnose
    // The compositor draws a fullscreen window alone, hiding what lies beneath
    // even where the window is clear (wlroots compositors, which offer screencopy,
    // and GNOME's mutter, whose screenshots leave the pointer out anyway).
    bool fullscreenDrawnAlone = false;
};

VQPickChoice vqChoosePickPath(const VQSessionOffer &offer);

// The names VELLICO_PICK_PATH takes ("x11", "screencopy", …).
QString vqPickPathName(VQPickPath path);

// Asks this session what it offers for picking, without waiting: the
// compositor's globals on a connection of its own in a thread, and the desktop
// portal's Screenshot over an asynchronous D-Bus call, each bounded by
// kAskTimeoutMs. offer() holds what is known so far (the environment's part at
// once); settled() follows the last answer, or at once where the session is no
// Wayland one. --diagnose prints once it has come.
class VQSessionAsk : public QObject
{
    Q_OBJECT

  public:
    static constexpr int kAskTimeoutMs = 2000;

    // With `portalWhenScreencopy` false the portal is not asked where the
    // compositor offers screencopy (which the choice then prefers anyway), unless
    // VELLICO_PICK_PATH forces a path.
    VQSessionAsk(const QString &platformName, bool portalWhenScreencopy, QObject *parent = nullptr);
    ~VQSessionAsk() override;

    // Starts asking; settled() may come before this returns.
    void start();
    const VQSessionOffer &offer() const { return _offer; }
    bool isSettled() const { return _settled; }

  signals:
    void settled();

  private:
    void compositorAnswered(bool screencopy);
    void askPortal();
    void settle();

    VQSessionOffer _offer;
    bool _portalWhenScreencopy = true;
    bool _settled = false;
    bool _started = false;
};

// The choice `offer` gives, as --diagnose prints it.
QString VQPickPathOfferedLine(const VQSessionOffer &offer);
