#include "platform/x11/VQX11Desktop.h"
#include "platform/x11/VQX11ShortcutProbe.h"

#include "platform/VQKeyCode.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQLocalizedString.h"

#include <QMetaObject>
#include <QSocketNotifier>

#include <xcb/xinput.h>
// xkb.h names a field `explicit`, which C++ reserves.
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon-x11.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr std::uint8_t kBadAccess = 10;
constexpr std::uint16_t kXIAllMasterDevices = 1;

template <class T> struct FreeDeleter {
    void operator()(T *p) const { std::free(p); }
};
template <class T> using Reply = std::unique_ptr<T, FreeDeleter<T>>;
} // namespace

std::unique_ptr<VQX11Desktop> VQX11Desktop::connect()
{
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (!connection || xcb_connection_has_error(connection)) {
        if (connection)
            xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<VQX11Desktop>(new VQX11Desktop(connection, it.data));
}

VQX11Desktop::VQX11Desktop(xcb_connection_t *connection, xcb_screen_t *screen)
    : _connection(connection), _screen(screen)
{
    // How the root window's pixels come back from GetImage.
    const xcb_setup_t *setup = xcb_get_setup(_connection);
    _pixelFormat.bitsPerPixel = 0;
    for (auto fmt = xcb_setup_pixmap_formats_iterator(setup); fmt.rem; xcb_format_next(&fmt))
        if (fmt.data->depth == _screen->root_depth) {
            _pixelFormat.bitsPerPixel = fmt.data->bits_per_pixel;
            _pixelFormat.scanlinePad = fmt.data->scanline_pad;
        }
    for (auto depth = xcb_screen_allowed_depths_iterator(_screen); depth.rem; xcb_depth_next(&depth))
        for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem; xcb_visualtype_next(&visual))
            if (visual.data->visual_id == _screen->root_visual) {
                _pixelFormat.redMask = visual.data->red_mask;
                _pixelFormat.greenMask = visual.data->green_mask;
                _pixelFormat.blueMask = visual.data->blue_mask;
            }
    _pixelFormat.mostSignificantByteFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    if (!_pixelFormat.isReadable())
        VQLog(QStringLiteral("The screen's pixel format (%1 bits a pixel) cannot be read; screen picking is off.")
                  .arg(_pixelFormat.bitsPerPixel));

    // Keyboard: the layout through xkbcommon, and presses that repeat while a key
    // is held arrive without a release in between.
    _xkbContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (xkb_x11_setup_xkb_extension(_connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
        _xkbDevice = xkb_x11_get_core_keyboard_device_id(_connection);
        const std::uint32_t detectable = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
        free(xcb_xkb_per_client_flags_reply(
            _connection,
            xcb_xkb_per_client_flags(_connection, XCB_XKB_ID_USE_CORE_KBD, detectable, detectable, 0, 0, 0), nullptr));
        loadKeymap();
    }

    // An X server run by a Wayland compositor shows its own clients only: its
    // root window reads black and its pointer moves only over X windows. Newer
    // ones say what they are through an extension of their own; with older ones
    // the session says it, through the compositor's socket in the environment.
    static constexpr char kXWayland[] = "XWAYLAND";
    Reply<xcb_query_extension_reply_t> xwayland(xcb_query_extension_reply(
        _connection, xcb_query_extension(_connection, sizeof kXWayland - 1, kXWayland), nullptr));
    _servedByXWayland = (xwayland && xwayland->present) || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                        qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (_servedByXWayland)
        VQLog(QStringLiteral("The X server is XWayland: screen picking and pointer tracking are off."));

    // XInput 2.2 for raw pointer events on the root, which arrive whoever holds a grab.
    const xcb_query_extension_reply_t *xinput = xcb_get_extension_data(_connection, &xcb_input_id);
    if (xinput && xinput->present) {
        Reply<xcb_input_xi_query_version_reply_t> version(
            xcb_input_xi_query_version_reply(_connection, xcb_input_xi_query_version(_connection, 2, 2), nullptr));
        _haveXInput =
            version && (version->major_version > 2 || (version->major_version == 2 && version->minor_version >= 2));
        _xinputOpcode = xinput->major_opcode;
    }

    // Key and button presses of our grabs and the keymap's changes come as core events.
    _notifier = new QSocketNotifier(xcb_get_file_descriptor(_connection), QSocketNotifier::Read, this);
    QObject::connect(_notifier, &QSocketNotifier::activated, this, &VQX11Desktop::readEvents);
    xcb_flush(_connection);
}

VQX11Desktop::~VQX11Desktop()
{
    releaseInput();
    stopPointerEvents();
    unregisterHotKey();
    if (_crosshair != XCB_NONE)
        xcb_free_cursor(_connection, _crosshair);
    xkb_keymap_unref(_keymap);
    xkb_context_unref(_xkbContext);
    xcb_flush(_connection);
    xcb_disconnect(_connection);
}

xcb_atom_t VQX11Desktop::atom(const char *name) const
{
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        _connection, xcb_intern_atom(_connection, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// -- focus ---------------------------------------------------------------------

VQX11Input::WindowID VQX11Desktop::activeWindow() const
{
    const xcb_atom_t active = atom("_NET_ACTIVE_WINDOW");
    if (active == XCB_ATOM_NONE)
        return 0;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        _connection, xcb_get_property(_connection, 0, _screen->root, active, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || reply->type != XCB_ATOM_WINDOW || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) < 4)
        return 0;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
}

bool VQX11Desktop::activateWindow(WindowID window)
{
    const xcb_atom_t active = atom("_NET_ACTIVE_WINDOW");
    if (window == 0 || active == XCB_ATOM_NONE)
        return false;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window);
    message.type = active;
    message.data.data32[0] = 2; // source indication: a pager, i.e. the user's own wish
    message.data.data32[1] = XCB_CURRENT_TIME;
    message.data.data32[2] = xcb_window_t(activeWindow());
    const auto cookie = xcb_send_event_checked(
        _connection, 0, _screen->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&message));
    Reply<xcb_generic_error_t> error(xcb_request_check(_connection, cookie));
    return !error;
}

void VQX11Desktop::keepOutOfTaskbar(WindowID window)
{
    const xcb_atom_t state = atom("_NET_WM_STATE");
    if (window == 0 || state == XCB_ATOM_NONE)
        return;
    const xcb_atom_t skips[] = {atom("_NET_WM_STATE_SKIP_TASKBAR"), atom("_NET_WM_STATE_SKIP_PAGER")};
    // On a window that is not mapped yet the states are a plain property, which
    // the toolkit keeps and adds its own to when it maps the window.
    xcb_change_property(_connection, XCB_PROP_MODE_APPEND, xcb_window_t(window), state, XCB_ATOM_ATOM, 32, 2, skips);
    // A round trip, so that the property is in place before the other
    // connection (the toolkit's) maps the window.
    Reply<xcb_get_input_focus_reply_t> sync(
        xcb_get_input_focus_reply(_connection, xcb_get_input_focus(_connection), nullptr));
}

std::optional<bool> VQX11Desktop::isShortcutHeldElsewhere(const VQKeyCombo &combo) const
{
    return VQShortcutProbe::isHeldElsewhere(combo);
}

QByteArray VQX11Desktop::keymapText() const
{
    return VQShortcutProbe::currentKeymapText();
}

// -- keyboard ------------------------------------------------------------------

void VQX11Desktop::loadKeymap()
{
    if (_xkbDevice < 0)
        return;
    xkb_keymap *keymap =
        xkb_x11_keymap_new_from_device(_xkbContext, _connection, _xkbDevice, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap)
        return;
    xkb_keymap_unref(_keymap);
    _keymap = keymap;
}

std::vector<xcb_keycode_t> VQX11Desktop::keycodesFor(std::uint32_t keysym) const
{
    std::vector<xcb_keycode_t> codes;
    if (!_keymap)
        return codes;
    const xkb_keycode_t first = xkb_keymap_min_keycode(_keymap), last = xkb_keymap_max_keycode(_keymap);
    for (xkb_keycode_t key = first; key <= last && key <= 255; ++key) {
        const xkb_keysym_t *syms = nullptr;
        const int count = xkb_keymap_key_get_syms_by_level(_keymap, key, 0, 0, &syms);
        for (int i = 0; i < count; ++i)
            if (syms[i] == keysym)
                codes.push_back(xcb_keycode_t(key));
    }
    return codes;
}

std::uint32_t VQX11Desktop::keysymFor(xcb_keycode_t keycode) const
{
    const xkb_keysym_t *syms = nullptr;
    if (_keymap && xkb_keymap_key_get_syms_by_level(_keymap, keycode, 0, 0, &syms) > 0)
        return syms[0];
    return 0;
}

// Every combination of CapsLock, NumLock and ScrollLock, since X11 matches a
// grab's modifiers exactly and these three are usually on or off for no reason.
std::vector<std::uint16_t> VQX11Desktop::lockVariants() const
{
    std::uint16_t numLock = 0, scrollLock = 0;
    Reply<xcb_get_modifier_mapping_reply_t> mapping(
        xcb_get_modifier_mapping_reply(_connection, xcb_get_modifier_mapping(_connection), nullptr));
    if (mapping) {
        const auto numCodes = keycodesFor(XKB_KEY_Num_Lock), scrollCodes = keycodesFor(XKB_KEY_Scroll_Lock);
        const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(mapping.get());
        const int perModifier = mapping->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier)
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t code = codes[modifier * perModifier + i];
                if (code == 0)
                    continue;
                for (xcb_keycode_t c : numCodes)
                    if (c == code)
                        numLock |= std::uint16_t(1u << modifier);
                for (xcb_keycode_t c : scrollCodes)
                    if (c == code)
                        scrollLock |= std::uint16_t(1u << modifier);
            }
    }
    std::vector<std::uint16_t> variants{0};
    for (std::uint16_t lock : {std::uint16_t(XCB_MOD_MASK_LOCK), numLock, scrollLock}) {
        if (lock == 0)
            continue;
        const std::size_t count = variants.size();
        for (std::size_t i = 0; i < count; ++i)
            variants.push_back(variants[i] | lock);
    }
    return variants;
}

void VQX11Desktop::registerHotKey(const VQKeyCombo &combo, std::function<void()> pressed,
                                  std::function<void(HotKeyStatus)> answer)
{
    const HotKeyStatus status = grabCombo(combo, std::move(pressed));
    if (answer)
        answer(status);
}

VQX11Input::HotKeyStatus VQX11Desktop::grabCombo(const VQKeyCombo &combo, std::function<void()> pressed)
{
    unregisterHotKey();
    if (combo.code < 0)
        return HotKeyStatus::NoShortcut;
    const auto keysym = VQKeyCode::toKeysym(combo.code);
    if (!keysym)
        return HotKeyStatus::Unsupported;
    _hotKeyCodes = keycodesFor(*keysym);
    if (_hotKeyCodes.empty())
        return HotKeyStatus::Unsupported;
    _hotKey = combo;
    _hotKeyPressed = std::move(pressed);
    _hotKeyMask = VQCocoaFlagsToX11Mask(combo.flags);
    grabHotKey();
    if (!_hotKeyGrabbed) {
        _hotKeyPressed = nullptr;
        _hotKeyCodes.clear();
        return HotKeyStatus::Taken;
    }
    return HotKeyStatus::Registered;
}

void VQX11Desktop::grabHotKey()
{
    std::vector<xcb_void_cookie_t> cookies;
    const std::vector<std::uint16_t> variants = lockVariants();
    _hotKeyLockMask = 0;
    for (std::uint16_t lock : variants)
        _hotKeyLockMask |= lock;
    for (xcb_keycode_t code : _hotKeyCodes)
        for (std::uint16_t lock : variants)
            cookies.push_back(xcb_grab_key_checked(_connection, 0, _screen->root, _hotKeyMask | lock, code,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool taken = false;
    for (const auto &cookie : cookies) {
        Reply<xcb_generic_error_t> error(xcb_request_check(_connection, cookie));
        if (error) {
            taken = true;
            VQLog(QStringLiteral("X11 refused a key grab with error %1.").arg(error->error_code));
        }
    }
    _hotKeyGrabbed = !taken;
    if (taken)
        ungrabHotKey();
    drainSoon();
}

bool VQX11Desktop::isHotKey(xcb_keycode_t keycode, std::optional<std::uint16_t> state) const
{
    if (std::find(_hotKeyCodes.begin(), _hotKeyCodes.end(), keycode) == _hotKeyCodes.end())
        return false;
    constexpr std::uint16_t modifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 |
                                        XCB_MOD_MASK_2 | XCB_MOD_MASK_3 | XCB_MOD_MASK_4 | XCB_MOD_MASK_5;
    return !state || (*state & modifiers & ~_hotKeyLockMask) == _hotKeyMask;
}

void VQX11Desktop::ungrabHotKey()
{
    for (xcb_keycode_t code : _hotKeyCodes)
        for (std::uint16_t lock : lockVariants())
            xcb_ungrab_key(_connection, code, _screen->root, _hotKeyMask | lock);
    xcb_flush(_connection);
}

void VQX11Desktop::unregisterHotKey()
{
    if (_hotKeyGrabbed)
        ungrabHotKey();
    _hotKeyGrabbed = false;
    _hotKeyDown = false;
    _hotKeyPressed = nullptr;
    _hotKeyCodes.clear();
    _hotKey = {};
}

// -- pointer and screen --------------------------------------------------------

std::optional<VQInputEvent> VQX11Desktop::pointerState() const
{
    Reply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(_connection, xcb_query_pointer(_connection, _screen->root), nullptr));
    drainSoon();
    if (!reply || !reply->same_screen)
        return std::nullopt;
    VQInputEvent state;
    state.position = QPoint(reply->root_x, reply->root_y);
    state.flags = VQX11MaskToCocoaFlags(reply->mask);
    return state;
}

bool VQX11Desktop::movePointerBy(int dx, int dy)
{
    const auto cookie =
        xcb_warp_pointer_checked(_connection, XCB_NONE, XCB_NONE, 0, 0, 0, 0, std::int16_t(dx), std::int16_t(dy));
    Reply<xcb_generic_error_t> error(xcb_request_check(_connection, cookie));
    drainSoon();
    return !error;
}

QImage VQX11Desktop::captureScreen(const QRect &deviceRect) const
{
    if (!_pixelFormat.isReadable() || deviceRect.isEmpty())
        return {};
    const QRect root(0, 0, _screen->width_in_pixels, _screen->height_in_pixels);
    const QRect readable = deviceRect.intersected(root);
    QImage image(deviceRect.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    if (readable.isEmpty())
        return image;
    xcb_generic_error_t *rawError = nullptr;
    Reply<xcb_get_image_reply_t> reply(
        xcb_get_image_reply(_connection,
                            xcb_get_image(_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, _screen->root,
                                          std::int16_t(readable.x()), std::int16_t(readable.y()),
                                          std::uint16_t(readable.width()), std::uint16_t(readable.height()), ~0u),
                            &rawError));
    Reply<xcb_generic_error_t> error(rawError);
    drainSoon();
    if (!reply || error)
        return {};
    const std::size_t stride = _pixelFormat.bytesPerLine(readable.width());
    if (std::size_t(xcb_get_image_data_length(reply.get())) < stride * std::size_t(readable.height()))
        return {};
    const std::uint8_t *data = xcb_get_image_data(reply.get());
    const int bytesPerPixel = _pixelFormat.bitsPerPixel / 8;
    const QPoint offset = readable.topLeft() - deviceRect.topLeft();
    for (int row = 0; row < readable.height(); ++row) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(offset.y() + row)) + offset.x();
        const std::uint8_t *source = data + std::size_t(row) * stride;
        for (int column = 0; column < readable.width(); ++column)
            line[column] = _pixelFormat.decode(source + column * bytesPerPixel);
    }
    return image;
}

// -- pointer events ------------------------------------------------------------

void VQX11Desktop::selectRawPointerEvents(bool on)
{
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t mask;
    } mask{};
    mask.head.deviceid = kXIAllMasterDevices;
    mask.head.mask_len = 1;
    mask.mask = on ? (XCB_INPUT_XI_EVENT_MASK_RAW_MOTION | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS) : 0;
    xcb_input_xi_select_events(_connection, _screen->root, 1, &mask.head);
    xcb_flush(_connection);
}

QString VQX11Desktop::screenPickingProblem() const
{
    if (_servedByXWayland)
        return VQLocalizedString("Vellico runs on XWayland, and an X11 program cannot read the screen of a Wayland "
                                 "session; start it without QT_QPA_PLATFORM=xcb");
    if (!_pixelFormat.isReadable())
        return QStringLiteral("the screen's pixel format (%1 bits a pixel) cannot be read")
            .arg(_pixelFormat.bitsPerPixel);
    return {};
}

VQX11Input::Description VQX11Desktop::describe() const
{
    Description description;
    description.name = _servedByXWayland ? QStringLiteral("X11 (XWayland)") : QStringLiteral("X11");
    const QString problem = screenPickingProblem();
    description.picking = problem.isEmpty()
                              ? QStringLiteral("live loupe: input grabs, the root window's pixels, arrow keys move the "
                                               "pointer")
                              : QStringLiteral("off: ") + problem;
    description.shortcut = _servedByXWayland ? QStringLiteral("X11 key grabs, which on XWayland see keys only while an "
                                                              "X11 window has the focus")
                                             : QStringLiteral("X11 key grabs on the root window");
    if (_servedByXWayland)
        description.pointerWatch = QStringLiteral("off: XWayland reports the pointer over X11 windows only");
    else if (!_haveXInput)
        description.pointerWatch = QStringLiteral("off: the X server has no XInput 2.2");
    else
        description.pointerWatch = QStringLiteral("XInput2 raw motion on the root window");
    return description;
}

bool VQX11Desktop::startPointerEvents(InputHandler handler)
{
    // Under XWayland the pointer is seen over X windows only: the pixels it
    // would report are not the ones the user points at.
    if (!_haveXInput || _servedByXWayland)
        return false;
    const bool wasOn = bool(_pointerHandler);
    _pointerHandler = std::move(handler);
    if (!wasOn)
        selectRawPointerEvents(true);
    return true;
}

void VQX11Desktop::stopPointerEvents()
{
    if (!_pointerHandler)
        return;
    _pointerHandler = nullptr;
    ++_pointerGeneration;
    _pointerMovePending = false;
    selectRawPointerEvents(false);
}

// -- grabs ---------------------------------------------------------------------

bool VQX11Desktop::grabInput(InputHandler handler)
{
    if (_crosshair == XCB_NONE) {
        // The cursor font's crosshair (glyph 34, its mask 35).
        const xcb_font_t font = xcb_generate_id(_connection);
        xcb_open_font(_connection, font, 6, "cursor");
        _crosshair = xcb_generate_id(_connection);
        xcb_create_glyph_cursor(_connection, _crosshair, font, font, 34, 35, 0, 0, 0, 0xffff, 0xffff, 0xffff);
        xcb_close_font(_connection, font);
    }
    // One attempt: the caller tries again on a timer when someone else still
    // holds a grab for a moment (a menu closing, the key that started us).
    Reply<xcb_grab_pointer_reply_t> pointer(xcb_grab_pointer_reply(
        _connection,
        xcb_grab_pointer(_connection, 0, _screen->root,
                         XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION,
                         XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, _crosshair, XCB_CURRENT_TIME),
        nullptr));
    if (pointer && pointer->status == XCB_GRAB_STATUS_SUCCESS) {
        Reply<xcb_grab_keyboard_reply_t> keyboard(
            xcb_grab_keyboard_reply(_connection,
                                    xcb_grab_keyboard(_connection, 0, _screen->root, XCB_CURRENT_TIME,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                    nullptr));
        if (keyboard && keyboard->status == XCB_GRAB_STATUS_SUCCESS) {
            _grabHandler = std::move(handler);
            drainSoon();
            return true;
        }
        xcb_ungrab_pointer(_connection, XCB_CURRENT_TIME);
    }
    xcb_flush(_connection);
    drainSoon();
    return false;
}

void VQX11Desktop::releaseInput()
{
    if (!_grabHandler)
        return;
    _grabHandler = nullptr;
    ++_grabGeneration;
    xcb_ungrab_keyboard(_connection, XCB_CURRENT_TIME);
    xcb_ungrab_pointer(_connection, XCB_CURRENT_TIME);
    xcb_flush(_connection);
}

// -- events --------------------------------------------------------------------

void VQX11Desktop::drainSoon() const
{
    if (_drainQueued)
        return;
    _drainQueued = true;
    auto *self = const_cast<VQX11Desktop *>(this);
    QMetaObject::invokeMethod(self, &VQX11Desktop::readEvents, Qt::QueuedConnection);
}

void VQX11Desktop::readEvents()
{
    _drainQueued = false;
    while (xcb_generic_event_t *event = xcb_poll_for_event(_connection)) {
        handle(event);
        std::free(event);
    }
    // Movements come in bursts; one position per burst is what the observers need.
    if (_pointerMovePending && _pointerHandler) {
        _pointerMovePending = false;
        if (auto state = pointerState()) {
            state->kind = VQInputEvent::Kind::Moved;
            deliver(_pointerHandler, *state);
        }
    }
    if (xcb_connection_has_error(_connection) && _notifier->isEnabled()) {
        VQLog(QStringLiteral("The X11 connection broke; desktop services stop."));
        _notifier->setEnabled(false);
    }
}

void VQX11Desktop::deliver(const InputHandler &handler, const VQInputEvent &event)
{
    // Queued: the handler may run an event loop of its own (the loupe does).
    // Events still queued when their grab or subscription ends are dropped.
    const bool grab = &handler == &_grabHandler;
    QMetaObject::invokeMethod(
        this,
        [this, event, grab, generation = grab ? _grabGeneration : _pointerGeneration] {
            if (grab ? generation != _grabGeneration : generation != _pointerGeneration)
                return;
            const InputHandler &current = grab ? _grabHandler : _pointerHandler;
            if (current)
                current(event);
        },
        Qt::QueuedConnection);
}

void VQX11Desktop::handle(xcb_generic_event_t *event)
{
    const std::uint8_t type = event->response_type & 0x7f;
    switch (type) {
    case XCB_KEY_PRESS: {
        const auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
        if (_grabHandler) {
            VQInputEvent input;
            input.kind = VQInputEvent::Kind::KeyPressed;
            input.keysym = keysymFor(key->detail);
            input.flags = VQX11MaskToCocoaFlags(key->state);
            input.position = QPoint(key->root_x, key->root_y);
            deliver(_grabHandler, input);
        } else if (_hotKeyGrabbed && isHotKey(key->detail, key->state)) {
            // Only our passive grab sends us key presses while nothing is grabbed,
            // and, while it is active, every other key too.
            // A held key repeats its press without a release: one press, one call.
            // The release may have gone to someone else (our own grab had ended
            // before it), so a press long after the last one is a new press even
            // when no release was seen: repeats come every few dozen milliseconds.
            const bool repeat = _hotKeyDown && xcb_timestamp_t(key->time - _hotKeyLastPress) < 1000;
            _hotKeyDown = true;
            _hotKeyLastPress = key->time;
            if (repeat)
                break;
            VQLog(QStringLiteral("Action triggered."));
            if (_hotKeyPressed)
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        if (_hotKeyPressed)
                            _hotKeyPressed();
                    },
                    Qt::QueuedConnection);
        }
        break;
    }
    case XCB_KEY_RELEASE:
        // Releasing a modifier first leaves the key repeating: only the key's own release counts.
        if (isHotKey(reinterpret_cast<xcb_key_release_event_t *>(event)->detail, std::nullopt))
            _hotKeyDown = false;
        break;
    case XCB_BUTTON_PRESS:
        if (_grabHandler) {
            const auto *button = reinterpret_cast<xcb_button_press_event_t *>(event);
            if (button->detail >= 4 && button->detail <= 7)
                break; // wheel steps are no clicks
            VQInputEvent input;
            input.kind = VQInputEvent::Kind::Clicked;
            input.button = button->detail;
            input.position = QPoint(button->root_x, button->root_y);
            input.flags = VQX11MaskToCocoaFlags(button->state);
            deliver(_grabHandler, input);
        }
        break;
    case XCB_MOTION_NOTIFY:
        if (_grabHandler) {
            const auto *motion = reinterpret_cast<xcb_motion_notify_event_t *>(event);
            VQInputEvent input;
            input.position = QPoint(motion->root_x, motion->root_y);
            input.flags = VQX11MaskToCocoaFlags(motion->state);
            deliver(_grabHandler, input);
        }
        break;
    case XCB_MAPPING_NOTIFY: {
        // The layout changed: find the shortcut's key again.
        loadKeymap();
        if (_hotKeyGrabbed) {
            const VQKeyCombo combo = _hotKey;
            auto pressed = _hotKeyPressed;
            if (grabCombo(combo, pressed) != HotKeyStatus::Registered)
                VQLog(QStringLiteral("The shortcut could not be registered again after a keyboard change."));
        }
        break;
    }
    case XCB_GE_GENERIC: {
        const auto *generic = reinterpret_cast<xcb_ge_generic_event_t *>(event);
        if (!_haveXInput || generic->extension != _xinputOpcode || !_pointerHandler)
            break;
        if (generic->event_type == XCB_INPUT_RAW_MOTION) {
            _pointerMovePending = true;
        } else if (generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS) {
            const auto *raw = reinterpret_cast<xcb_input_raw_button_press_event_t *>(event);
            if (raw->detail >= 4 && raw->detail <= 7)
                break;
            if (auto state = pointerState()) {
                state->kind = VQInputEvent::Kind::Clicked;
                state->button = int(raw->detail);
                deliver(_pointerHandler, *state);
            }
        }
        break;
    }
    default:
        break;
    }
}
