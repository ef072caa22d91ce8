#include "platform/x11/VQX11ShortcutProbe.h"

#include "platform/VQKeyCode.h"

#ifdef VELLICO_HAVE_X11
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace
{
// One connection with the core keyboard's keymap, for the length of a question.
struct Connection {
    xcb_connection_t *connection = nullptr;
    xcb_screen_t *screen = nullptr;
    xkb_context *context = nullptr;
    xkb_keymap *keymap = nullptr;

    Connection()
    {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            return;
        screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        if (!xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                         XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
            return;
        context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        const std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
        if (context && device >= 0)
            keymap = xkb_x11_keymap_new_from_device(context, connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
    }
    ~Connection()
    {
        xkb_keymap_unref(keymap);
        xkb_context_unref(context);
        xcb_disconnect(connection);
    }
    bool usable() const { return screen && keymap; }
};
} // namespace

std::optional<bool> VQShortcutProbe::isHeldElsewhere(const VQKeyCombo &combo)
{
    const std::optional<std::uint32_t> keysym = VQKeyCode::toKeysym(combo.code);
    if (!keysym)
        return std::nullopt;
    Connection x;
    if (!x.usable())
        return std::nullopt;
    // The keys that type the symbol without modifiers, as the hot key grabs them.
    std::vector<xcb_keycode_t> keys;
    for (xkb_keycode_t key = xkb_keymap_min_keycode(x.keymap); key <= xkb_keymap_max_keycode(x.keymap) && key <= 255;
         ++key) {
        const xkb_keysym_t *symbols = nullptr;
        const int count = xkb_keymap_key_get_syms_by_level(x.keymap, key, 0, 0, &symbols);
        for (int i = 0; i < count; ++i)
            if (symbols[i] == *keysym)
                keys.push_back(xcb_keycode_t(key));
    }
    if (keys.empty())
        return false; // no key to hold: the recorder refuses it for having no name
    const std::uint16_t mask = VQCocoaFlagsToX11Mask(combo.flags);
    bool held = false;
    for (xcb_keycode_t key : keys) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(x.connection, 0, x.screen->root, mask, key, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t *error = xcb_request_check(x.connection, cookie)) {
            held = held || error->error_code == XCB_ACCESS;
            std::free(error);
        } else {
            xcb_ungrab_key(x.connection, key, x.screen->root, mask);
        }
    }
    xcb_flush(x.connection);
    return held;
}

QByteArray VQShortcutProbe::currentKeymapText()
{
    Connection x;
    if (!x.keymap)
        return {};
    char *text = xkb_keymap_get_as_string(x.keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    if (!text)
        return {};
    QByteArray result(text);
    std::free(text);
    return result;
}

#else

std::optional<bool> VQShortcutProbe::isHeldElsewhere(const VQKeyCombo &)
{
    return std::nullopt;
}

QByteArray VQShortcutProbe::currentKeymapText()
{
    return {};
}

#endif
