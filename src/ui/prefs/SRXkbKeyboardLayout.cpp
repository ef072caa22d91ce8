#include "ui/prefs/SRXkbKeyboardLayout.h"

#include <xkbcommon/xkbcommon.h>

SRXkbKeyboardLayout::SRXkbKeyboardLayout(xkb_keymap *keymap) : _keymap(xkb_keymap_ref(keymap)) {}

SRXkbKeyboardLayout::~SRXkbKeyboardLayout()
{
    xkb_keymap_unref(_keymap);
}

namespace
{
// A layout over a freshly compiled keymap, taking over its reference; nothing for no keymap.
std::unique_ptr<SRXkbKeyboardLayout> adopt(xkb_keymap *keymap)
{
    if (!keymap)
        return nullptr;
    auto layout = std::make_unique<SRXkbKeyboardLayout>(keymap);
    xkb_keymap_unref(keymap);
    return layout;
}
} // namespace

std::unique_ptr<SRXkbKeyboardLayout> SRXkbKeyboardLayout::fromNames(const QString &layout, const QString &variant)
{
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context)
        return nullptr;
    const QByteArray layoutName = layout.toUtf8();
    const QByteArray variantName = variant.toUtf8();
    xkb_rule_names names{};
    names.rules = "evdev";
    names.model = "pc105";
    // No layout name: xkb's default (XKB_DEFAULT_LAYOUT, else "us").
    names.layout = layoutName.isEmpty() ? nullptr : layoutName.constData();
    names.variant = variantName.isEmpty() ? nullptr : variantName.constData();
    xkb_keymap *keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_context_unref(context);
    return adopt(keymap);
}

std::unique_ptr<SRXkbKeyboardLayout> SRXkbKeyboardLayout::fromText(const QByteArray &keymapText)
{
    if (keymapText.isEmpty())
        return nullptr;
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context)
        return nullptr;
    xkb_keymap *keymap = xkb_keymap_new_from_buffer(context, keymapText.constData(), size_t(keymapText.size()),
                                                    XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_context_unref(context);
    return adopt(keymap);
}

std::optional<QString> SRXkbKeyboardLayout::characterForKeyCode(int keyCode) const
{
    const std::optional<std::uint32_t> keysym = VQKeyCode::toKeysym(keyCode);
    if (!keysym)
        return std::nullopt;
    const std::uint32_t character = xkb_keysym_to_utf32(*keysym);
    if (character == 0 || character < 0x20)
        return std::nullopt;

    // Levels 1 and 2 are the plain and the Shift level (NumLock for keypad keys).
    bool typed = false;
    const xkb_keycode_t min = xkb_keymap_min_keycode(_keymap);
    const xkb_keycode_t max = xkb_keymap_max_keycode(_keymap);
    for (xkb_keycode_t key = min; key <= max && !typed; ++key) {
        const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(_keymap, key);
        for (xkb_layout_index_t layout = 0; layout < layouts && !typed; ++layout) {
            const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(_keymap, key, layout);
            for (xkb_level_index_t level = 0; level < levels && level < 2 && !typed; ++level) {
                const xkb_keysym_t *symbols = nullptr;
                const int count = xkb_keymap_key_get_syms_by_level(_keymap, key, layout, level, &symbols);
                for (int i = 0; i < count; ++i)
                    if (symbols[i] == *keysym)
                        typed = true;
            }
        }
    }
    if (!typed)
        return std::nullopt;
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(&character), 1);
}
