#include "platform/VQKeyCode.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <array>
#include <utility>

namespace
{

struct KeyRow {
    int code;
    std::uint32_t keysym;
};

// One row per key that has a virtual key code. The Help key sits where PC
// keyboards have Insert, so that is what it means here.
constexpr std::array kKeys{
    KeyRow{0, XKB_KEY_a},
    KeyRow{1, XKB_KEY_s},
    KeyRow{2, XKB_KEY_d},
    KeyRow{3, XKB_KEY_f},
    KeyRow{4, XKB_KEY_h},
    KeyRow{5, XKB_KEY_g},
    KeyRow{6, XKB_KEY_z},
    KeyRow{7, XKB_KEY_x},
    KeyRow{8, XKB_KEY_c},
    KeyRow{9, XKB_KEY_v},
    KeyRow{11, XKB_KEY_b},
    KeyRow{12, XKB_KEY_q},
    KeyRow{13, XKB_KEY_w},
    KeyRow{14, XKB_KEY_e},
    KeyRow{15, XKB_KEY_r},
    KeyRow{16, XKB_KEY_y},
    KeyRow{17, XKB_KEY_t},
    KeyRow{18, XKB_KEY_1},
    KeyRow{19, XKB_KEY_2},
    KeyRow{20, XKB_KEY_3},
    KeyRow{21, XKB_KEY_4},
    KeyRow{22, XKB_KEY_6},
    KeyRow{23, XKB_KEY_5},
    KeyRow{24, XKB_KEY_equal},
    KeyRow{25, XKB_KEY_9},
    KeyRow{26, XKB_KEY_7},
    KeyRow{27, XKB_KEY_minus},
    KeyRow{28, XKB_KEY_8},
    KeyRow{29, XKB_KEY_0},
    KeyRow{30, XKB_KEY_bracketright},
    KeyRow{31, XKB_KEY_o},
    KeyRow{32, XKB_KEY_u},
    KeyRow{33, XKB_KEY_bracketleft},
    KeyRow{34, XKB_KEY_i},
    KeyRow{35, XKB_KEY_p},
    KeyRow{36, XKB_KEY_Return},
    KeyRow{37, XKB_KEY_l},
    KeyRow{38, XKB_KEY_j},
    KeyRow{39, XKB_KEY_apostrophe},
    KeyRow{40, XKB_KEY_k},
    KeyRow{41, XKB_KEY_semicolon},
    KeyRow{42, XKB_KEY_backslash},
    KeyRow{43, XKB_KEY_comma},
    KeyRow{44, XKB_KEY_slash},
    KeyRow{45, XKB_KEY_n},
    KeyRow{46, XKB_KEY_m},
    KeyRow{47, XKB_KEY_period},
    KeyRow{48, XKB_KEY_Tab},
    KeyRow{49, XKB_KEY_space},
    KeyRow{50, XKB_KEY_grave},
    KeyRow{51, XKB_KEY_BackSpace},
    KeyRow{53, XKB_KEY_Escape},
    KeyRow{64, XKB_KEY_F17},
    KeyRow{65, XKB_KEY_KP_Decimal},
    KeyRow{67, XKB_KEY_KP_Multiply},
    KeyRow{69, XKB_KEY_KP_Add},
    KeyRow{71, XKB_KEY_Clear},
    KeyRow{75, XKB_KEY_KP_Divide},
    KeyRow{76, XKB_KEY_KP_Enter},
    KeyRow{78, XKB_KEY_KP_Subtract},
    KeyRow{79, XKB_KEY_F18},
    KeyRow{80, XKB_KEY_F19},
    KeyRow{81, XKB_KEY_KP_Equal},
    KeyRow{82, XKB_KEY_KP_0},
    KeyRow{83, XKB_KEY_KP_1},
    KeyRow{84, XKB_KEY_KP_2},
    KeyRow{85, XKB_KEY_KP_3},
    KeyRow{86, XKB_KEY_KP_4},
    KeyRow{87, XKB_KEY_KP_5},
    KeyRow{88, XKB_KEY_KP_6},
    KeyRow{89, XKB_KEY_KP_7},
    KeyRow{91, XKB_KEY_KP_8},
    KeyRow{92, XKB_KEY_KP_9},
    KeyRow{96, XKB_KEY_F5},
    KeyRow{97, XKB_KEY_F6},
    KeyRow{98, XKB_KEY_F7},
    KeyRow{99, XKB_KEY_F3},
    KeyRow{100, XKB_KEY_F8},
    KeyRow{101, XKB_KEY_F9},
    KeyRow{103, XKB_KEY_F11},
    KeyRow{105, XKB_KEY_F13},
    KeyRow{106, XKB_KEY_F16},
    KeyRow{107, XKB_KEY_F14},
    KeyRow{109, XKB_KEY_F10},
    KeyRow{111, XKB_KEY_F12},
    KeyRow{113, XKB_KEY_F15},
    KeyRow{114, XKB_KEY_Insert},
    KeyRow{115, XKB_KEY_Home},
    KeyRow{116, XKB_KEY_Prior},
    KeyRow{117, XKB_KEY_Delete},
    KeyRow{118, XKB_KEY_F4},
    KeyRow{119, XKB_KEY_End},
    KeyRow{120, XKB_KEY_F2},
    KeyRow{121, XKB_KEY_Next},
    KeyRow{122, XKB_KEY_F1},
    KeyRow{123, XKB_KEY_Left},
    KeyRow{124, XKB_KEY_Right},
    KeyRow{125, XKB_KEY_Down},
    KeyRow{126, XKB_KEY_Up},
};

// Symbols that other layouts or Shift put on a key of the table.
constexpr std::array kAliases{
    KeyRow{36, XKB_KEY_ISO_Enter}, KeyRow{48, XKB_KEY_ISO_Left_Tab}, KeyRow{82, XKB_KEY_KP_Insert},
    KeyRow{65, XKB_KEY_KP_Delete}, KeyRow{83, XKB_KEY_KP_End},       KeyRow{84, XKB_KEY_KP_Down},
    KeyRow{85, XKB_KEY_KP_Next},   KeyRow{86, XKB_KEY_KP_Left},      KeyRow{87, XKB_KEY_KP_Begin},
    KeyRow{88, XKB_KEY_KP_Right},  KeyRow{89, XKB_KEY_KP_Home},      KeyRow{91, XKB_KEY_KP_Up},
    KeyRow{92, XKB_KEY_KP_Prior},
};

struct FlagRow {
    std::uint32_t cocoa;
    std::uint32_t carbon;
    std::uint16_t x11;
    Qt::KeyboardModifier qt;
    const char *name;
};

// In the order the readable text names them.
constexpr std::array kFlags{
    FlagRow{VQModifierFlag::Command, VQHotKeyFlag::Command, 0x4, Qt::ControlModifier, "Ctrl"},
    FlagRow{VQModifierFlag::Option, VQHotKeyFlag::Option, 0x8, Qt::AltModifier, "Alt"},
    FlagRow{VQModifierFlag::Control, VQHotKeyFlag::Control, 0x40, Qt::MetaModifier, "Super"},
    FlagRow{VQModifierFlag::Shift, VQHotKeyFlag::Shift, 0x1, Qt::ShiftModifier, "Shift"},
};

} // namespace

std::optional<std::uint32_t> VQKeyCode::toKeysym(int keyCode)
{
    for (const KeyRow &row : kKeys)
        if (row.code == keyCode)
            return row.keysym;
    return std::nullopt;
}

std::optional<int> VQKeyCode::fromKeysym(std::uint32_t keysym)
{
    const std::uint32_t lower = xkb_keysym_to_lower(keysym);
    for (const KeyRow &row : kKeys)
        if (row.keysym == lower || row.keysym == keysym)
            return row.code;
    for (const KeyRow &row : kAliases)
        if (row.keysym == keysym)
            return row.code;
    // Shifted digits and punctuation of a US layout come back as their key.
    static constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 21> shifted{{
        {XKB_KEY_exclam, XKB_KEY_1},
        {XKB_KEY_at, XKB_KEY_2},
        {XKB_KEY_numbersign, XKB_KEY_3},
        {XKB_KEY_dollar, XKB_KEY_4},
        {XKB_KEY_percent, XKB_KEY_5},
        {XKB_KEY_asciicircum, XKB_KEY_6},
        {XKB_KEY_ampersand, XKB_KEY_7},
        {XKB_KEY_asterisk, XKB_KEY_8},
        {XKB_KEY_parenleft, XKB_KEY_9},
        {XKB_KEY_parenright, XKB_KEY_0},
        {XKB_KEY_underscore, XKB_KEY_minus},
        {XKB_KEY_plus, XKB_KEY_equal},
        {XKB_KEY_braceleft, XKB_KEY_bracketleft},
        {XKB_KEY_braceright, XKB_KEY_bracketright},
        {XKB_KEY_colon, XKB_KEY_semicolon},
        {XKB_KEY_quotedbl, XKB_KEY_apostrophe},
        {XKB_KEY_bar, XKB_KEY_backslash},
        {XKB_KEY_less, XKB_KEY_comma},
        {XKB_KEY_greater, XKB_KEY_period},
        {XKB_KEY_question, XKB_KEY_slash},
        {XKB_KEY_asciitilde, XKB_KEY_grave},
    }};
    for (const auto &[symbol, base] : shifted)
        if (symbol == keysym)
            return fromKeysym(base);
    return std::nullopt;
}

bool VQKeyCode::isKeypad(int keyCode)
{
    switch (keyCode) {
    case 65:
    case 67:
    case 69:
    case 75:
    case 78:
    case 81:
    case 91:
    case 92:
        return true;
    default:
        return keyCode >= 82 && keyCode <= 89;
    }
}

namespace
{
// The flags of column `to` for every row whose flag of column `from` is set in `flags`.
template <class Result, class Flags, class FromField, class ToField>
Result translateFlags(Flags flags, FromField FlagRow::*from, ToField FlagRow::*to, Result result = Result())
{
    for (const FlagRow &row : kFlags)
        if (flags & row.*from)
            result |= row.*to;
    return result;
}
} // namespace

std::uint32_t VQCocoaToCarbonFlags(std::uint32_t cocoaFlags)
{
    return translateFlags<std::uint32_t>(cocoaFlags, &FlagRow::cocoa, &FlagRow::carbon,
                                         cocoaFlags & VQModifierFlag::Function);
}

std::uint32_t VQCarbonToCocoaFlags(std::uint32_t carbonFlags)
{
    return translateFlags<std::uint32_t>(carbonFlags, &FlagRow::carbon, &FlagRow::cocoa,
                                         carbonFlags & VQModifierFlag::Function);
}

std::uint16_t VQCocoaFlagsToX11Mask(std::uint32_t cocoaFlags)
{
    return translateFlags<std::uint16_t>(cocoaFlags, &FlagRow::cocoa, &FlagRow::x11);
}

std::uint32_t VQX11MaskToCocoaFlags(std::uint16_t x11Mask)
{
    return translateFlags<std::uint32_t>(x11Mask, &FlagRow::x11, &FlagRow::cocoa);
}

Qt::KeyboardModifiers VQCocoaFlagsToQtModifiers(std::uint32_t cocoaFlags)
{
    return translateFlags<Qt::KeyboardModifiers>(cocoaFlags, &FlagRow::cocoa, &FlagRow::qt);
}

std::uint32_t VQQtModifiersToCocoaFlags(Qt::KeyboardModifiers modifiers)
{
    return translateFlags<std::uint32_t>(modifiers, &FlagRow::qt, &FlagRow::cocoa);
}

QString VQReadableShortcut(std::uint32_t cocoaFlags, int keyCode)
{
    QString text;
    for (const FlagRow &row : kFlags)
        if (cocoaFlags & row.cocoa)
            text += QLatin1String(row.name) + QLatin1Char('+');
    if (const auto keysym = VQKeyCode::toKeysym(keyCode)) {
        char name[64] = {};
        const std::uint32_t upper = xkb_keysym_to_upper(*keysym);
        if (xkb_keysym_get_name(upper, name, sizeof name) > 0)
            text += QString::fromLatin1(name);
    } else if (!text.isEmpty()) {
        text.chop(1);
    }
    return text;
}

// Without a native key symbol (platforms other than X11, synthetic events):
// the symbol of Qt's key, for the keys whose symbol Qt's key names directly.
std::uint32_t VQKeyCode::keysymFromQtKey(int key)
{
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
        return key >= Qt::Key_A && key <= Qt::Key_Z ? std::uint32_t(key - Qt::Key_A + 'a') : std::uint32_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return XKB_KEY_F1 + std::uint32_t(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Escape:
        return XKB_KEY_Escape;
    case Qt::Key_Backspace:
        return XKB_KEY_BackSpace;
    case Qt::Key_Delete:
        return XKB_KEY_Delete;
    case Qt::Key_Tab:
        return XKB_KEY_Tab;
    case Qt::Key_Return:
        return XKB_KEY_Return;
    case Qt::Key_Left:
        return XKB_KEY_Left;
    case Qt::Key_Right:
        return XKB_KEY_Right;
    case Qt::Key_Up:
        return XKB_KEY_Up;
    case Qt::Key_Down:
        return XKB_KEY_Down;
    default:
        return 0;
    }
}
