#pragma once
// The desktop services on X11, over a connection of their own (so that Qt's
// event handling never sees our grabs and pointer events, and ours never sees
// Qt's). Events are read on the main thread when the connection's socket has
// data; callbacks are always queued to the next turn of the event loop.

#include "platform/VQPixelFormat.h"
#include "platform/x11/VQX11Input.h"

#include <QObject>

#include <xcb/xcb.h>

#include <memory>
#include <vector>

class QSocketNotifier;
struct xkb_context;
struct xkb_keymap;

class VQX11Desktop final : public QObject, public VQX11Input
{
    Q_OBJECT

  public:
    // Connects to $DISPLAY; nothing when no X server answers.
    static std::unique_ptr<VQX11Desktop> connect();
    ~VQX11Desktop() override;

    bool tellsActiveWindow() const override { return true; }
    WindowID activeWindow() const override;
    bool activateWindow(WindowID window) override;
    void keepOutOfTaskbar(WindowID window) override;
    std::optional<bool> isShortcutHeldElsewhere(const VQKeyCombo &combo) const override;
    QByteArray keymapText() const override;

    // Answers at once: a key grab is granted or refused on the spot.
    void registerHotKey(const VQKeyCombo &combo, std::function<void()> pressed,
                        std::function<void(HotKeyStatus)> answer) override;
    void unregisterHotKey() override;

    std::optional<VQInputEvent> pointerState() const override;
    bool movePointerBy(int dx, int dy) override;
    QImage captureScreen(const QRect &deviceRect) const override;
    QString screenPickingProblem() const override;
    Description describe() const override;

    bool offersPointerEvents() const override { return _haveXInput && !_servedByXWayland; }
    bool startPointerEvents(InputHandler handler) override;
    void stopPointerEvents() override;

    bool grabInput(InputHandler handler) override;
    void releaseInput() override;

  private:
    VQX11Desktop(xcb_connection_t *connection, xcb_screen_t *screen);

    xcb_atom_t atom(const char *name) const;
    HotKeyStatus grabCombo(const VQKeyCombo &combo, std::function<void()> pressed);
    void loadKeymap();
    std::vector<xcb_keycode_t> keycodesFor(std::uint32_t keysym) const;
    std::uint32_t keysymFor(xcb_keycode_t keycode) const;
    std::vector<std::uint16_t> lockVariants() const;
    void grabHotKey();
    // Whether a key event is the shortcut's key (with its modifiers, when `state` is given).
    bool isHotKey(xcb_keycode_t keycode, std::optional<std::uint16_t> state) const;
    void ungrabHotKey();
    void selectRawPointerEvents(bool on);

    void readEvents();
    void handle(xcb_generic_event_t *event);
    void deliver(const InputHandler &handler, const VQInputEvent &event);
    // A round trip may have queued events without the socket waking us.
    void drainSoon() const;

    xcb_connection_t *_connection;
    xcb_screen_t *_screen;
    QSocketNotifier *_notifier = nullptr;
    xkb_context *_xkbContext = nullptr;
    xkb_keymap *_keymap = nullptr;
    std::int32_t _xkbDevice = -1;
    std::uint8_t _xinputOpcode = 0;
    bool _haveXInput = false;
    VQPixelFormat _pixelFormat;
    bool _servedByXWayland = false;

    // The registered shortcut.
    VQKeyCombo _hotKey;
    std::function<void()> _hotKeyPressed;
    std::vector<xcb_keycode_t> _hotKeyCodes;
    std::uint16_t _hotKeyMask = 0;
    std::uint16_t _hotKeyLockMask = 0;
    bool _hotKeyGrabbed = false;
    bool _hotKeyDown = false;
    xcb_timestamp_t _hotKeyLastPress = 0;

    InputHandler _pointerHandler;
    bool _pointerMovePending = false;
    InputHandler _grabHandler;
    std::uint64_t _grabGeneration = 0;
    std::uint64_t _pointerGeneration = 0;
    xcb_cursor_t _crosshair = XCB_NONE;
    mutable bool _drainQueued = false;
};
