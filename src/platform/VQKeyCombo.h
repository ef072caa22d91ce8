#pragma once
// The global shortcut as the user defaults keep it: one readable INI group,
//
//   [ShortcutRecorder KeyboardShortcut]
//   keyCode=35              ; the virtual key code (VQKeyCode), here P
//   modifierFlags=1572864   ; key-event flags, here Command|Option = Ctrl+Alt
//   modifiers=2304          ; the same in the hot-key encoding
//   keyChars=p              ; optional texts of the key
//   keyCharsIgnoringModifiers=p
//
// The group is "ShortcutRecorder " followed by the recorder's autosave name.
// Shared by the hot-key registration and the shortcut recorder.

#include <QString>

#include <cstdint>

class VQUserDefaults;

struct VQKeyCombo {
    std::uint32_t flags = 0; // key-event modifier flags (VQModifierFlag)
    int code = -1;           // virtual key code; -1 is no key
    QString keyChars;
    QString keyCharsIgnoringModifiers;

    bool isEmpty() const { return code < 0 && flags == 0; }
    bool operator==(const VQKeyCombo &) const = default;
};

namespace VQKeyComboRecord
{
// "KeyboardShortcut", the autosave name of the global shortcut.
inline constexpr const char *GlobalShortcutName = "KeyboardShortcut";

// The defaults group for an autosave name: "ShortcutRecorder KeyboardShortcut".
QString groupName(const QString &autosaveName);

// Reads the record. keyCode: absent or not a number in −1…0x7fff reads as no
// key (−1). Flags: "modifierFlags" when present, else converted from
// "modifiers"; only the four modifiers and the function-key bit are kept.
VQKeyCombo load(const VQUserDefaults &defaults, const QString &autosaveName);
// Writes the record (both flag encodings); the texts only when they are known.
// An empty combo writes keyCode=-1 and no modifiers.
void save(VQUserDefaults &defaults, const QString &autosaveName, const VQKeyCombo &combo);
} // namespace VQKeyComboRecord
