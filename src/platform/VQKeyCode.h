#pragma once
// Keys and modifiers as the shortcut record stores them, and their X11 forms.
//
// The stored values are the virtual key codes of VQKeyCode (P = 35, Escape =
// 53, Down = 125, …) and the modifier flags of the key-event encoding
// (Command 0x100000, Option 0x80000, Control 0x40000, Shift 0x20000) or of the
// hot-key encoding (Command 0x100, Shift 0x200, Option 0x800, Control 0x1000).
// On the desktop Command is Ctrl, Option is Alt and Control is Super.
//
// Pure tables: no display connection is needed.

#include <Qt>
#include <QString>

#include <cstdint>
#include <optional>

namespace VQKeyCode
{
enum : int {
    A = 0,
    S = 1,
    D = 2,
    F = 3,
    H = 4,
    G = 5,
    Z = 6,
    X = 7,
    C = 8,
    V = 9,
    B = 11,
    Q = 12,
    W = 13,
    E = 14,
    R = 15,
    Y = 16,
    T = 17,
    O = 31,
    U = 32,
    I = 34,
    P = 35,
    L = 37,
    J = 38,
    K = 40,
    N = 45,
    M = 46,
    Return = 36,
    Tab = 48,
    Space = 49,
    Delete = 51,
    Escape = 53,
    Help = 114,
    Home = 115,
    PageUp = 116,
    ForwardDelete = 117,
    End = 119,
    PageDown = 121,
    LeftArrow = 123,
    RightArrow = 124,
    DownArrow = 125,
    UpArrow = 126,
    KeypadClear = 71,
    KeypadEnter = 76,
    F1 = 122,
    F2 = 120,
    F3 = 99,
    F4 = 118,
    F5 = 96,
    F6 = 97,
    F7 = 98,
    F8 = 100,
    F9 = 101,
    F10 = 109,
    F11 = 103,
    F12 = 111,
    F13 = 105,
    F14 = 107,
    F15 = 113,
    F16 = 106,
    F17 = 64,
    F18 = 79,
    F19 = 80,
    None = -1,
};

// The X11 keysym of a key code (the unshifted symbol: XKB_KEY_p for P), or
// nothing for a code without a key.
std::optional<std::uint32_t> toKeysym(int keyCode);
// The key code of a keysym; shifted and upper-case symbols count as their
// key (XKB_KEY_P and XKB_KEY_p are both P). Nothing for keys without a code.
std::optional<int> fromKeysym(std::uint32_t keysym);
// Whether the code belongs to the numeric keypad.
bool isKeypad(int keyCode);
// The keysym of Qt's key where Qt's key names it directly (letters, digits and
// signs unshifted, F1-F35, Escape, Tab, Return, Backspace, Delete, the arrows);
// 0 for the others. For key events without a native symbol (platforms other
// than X11, synthetic events).
std::uint32_t keysymFromQtKey(int key);
} // namespace VQKeyCode

// Modifier flags in the key-event encoding.
namespace VQModifierFlag
{
enum : std::uint32_t {
    Shift = 0x20000,
    Control = 0x40000,
    Option = 0x80000,
    Command = 0x100000,
    Function = 0x800000,
    AllModifiers = Shift | Control | Option | Command,
};
}

// Modifier flags in the hot-key encoding.
namespace VQHotKeyFlag
{
enum : std::uint32_t {
    Command = 0x100,
    Shift = 0x200,
    Option = 0x800,
    Control = 0x1000,
};
}

// Key-event flags → hot-key flags. Other bits are dropped; the function-key
// bit 0x800000 passes unchanged.
std::uint32_t VQCocoaToCarbonFlags(std::uint32_t cocoaFlags);
// Hot-key flags → key-event flags, the same way round.
std::uint32_t VQCarbonToCocoaFlags(std::uint32_t carbonFlags);

// Key-event flags ↔ the X11 modifier mask (ShiftMask 0x1, ControlMask 0x4,
// Mod1Mask 0x8 for Alt, Mod4Mask 0x40 for Super). The lock modifiers and every
// other bit are dropped.
std::uint16_t VQCocoaFlagsToX11Mask(std::uint32_t cocoaFlags);
std::uint32_t VQX11MaskToCocoaFlags(std::uint16_t x11Mask);

// Key-event flags ↔ Qt's keyboard modifiers (Ctrl, Alt, Meta for Super, Shift),
// for widgets that record a shortcut from a QKeyEvent.
Qt::KeyboardModifiers VQCocoaFlagsToQtModifiers(std::uint32_t cocoaFlags);
std::uint32_t VQQtModifiersToCocoaFlags(Qt::KeyboardModifiers modifiers);

// The Linux names of the held modifiers and the key, "Ctrl+Alt+P", for messages
// and logs; an empty text for no key and no modifier.
QString VQReadableShortcut(std::uint32_t cocoaFlags, int keyCode);
