#pragma once
// What the shortcut recorder shows and accepts: key names, modifier texts,
// which modifier flags count, and the easing of its transition.
//
// Key codes are the virtual key codes of VQKeyCode; flags are key-event flags
// (VQModifierFlag) unless a name says "Carbon" (the hot-key encoding,
// VQHotKeyFlag). On the desktop Command is Ctrl, Option is Alt and Control is
// Super, and the texts use those names.

#include "platform/VQKeyCode.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

// The character a key types on the current keyboard layout, unshifted.
class SRKeyboardLayout
{
  public:
    virtual ~SRKeyboardLayout();
    // Nothing when the layout has no key for the code.
    virtual std::optional<QString> characterForKeyCode(int keyCode) const = 0;
};

// Names keys: a fixed table for keys that type no character (F1…F19, Space,
// the arrows, Return, …), the current layout for the rest, upper-cased;
// keypad keys read "Pad 1", "Pad *".
class SRKeyCodeTransformer
{
  public:
    // The transformer SRStringForKeyCode uses.
    static SRKeyCodeTransformer &shared();

    // Takes ownership; null leaves only the fixed table.
    void setLayout(std::unique_ptr<SRKeyboardLayout> layout);
    const SRKeyboardLayout *layout() const { return _layout.get(); }

    // Nothing for negative codes and for keys without a name.
    std::optional<QString> nameForKeyCode(int keyCode) const;

  private:
    std::unique_ptr<SRKeyboardLayout> _layout;
};

// The key's display name, empty when it has none.
QString SRStringForKeyCode(int keyCode);
// Whether the key is one of F1…F19.
bool SRIsFunctionKey(int keyCode);

// The held modifiers as "Ctrl+Alt+Super+Shift+" (in that order).
QString SRStringForCocoaModifierFlags(std::uint32_t flags);
QString SRStringForCarbonModifierFlags(std::uint32_t carbonFlags);
// The modifiers followed by the key's name: "Ctrl+Alt+P".
QString SRStringForCocoaModifierFlagsAndKeyCode(std::uint32_t flags, int keyCode);
QString SRStringForCarbonModifierFlagsAndKeyCode(std::uint32_t carbonFlags, int keyCode);
// The form messages use: "Ctrl + Alt + P".
QString SRReadableStringForCocoaModifierFlagsAndKeyCode(std::uint32_t flags, int keyCode);
QString SRReadableStringForCarbonModifierFlagsAndKeyCode(std::uint32_t carbonFlags, int keyCode);

// The four modifiers and the function-key bit: what a recorder may allow or require.
inline constexpr std::uint32_t SRAllowableFlags = VQModifierFlag::AllModifiers | VQModifierFlag::Function;

// Each of the four modifiers and the function-key bit that is held and
// allowed, plus every required one.
std::uint32_t SRFilteredCocoaFlags(std::uint32_t held, std::uint32_t allowed, std::uint32_t required);

// Whether a combination may become a shortcut: with `allowsKeyOnly` always;
// otherwise it needs a real modifier (the function-key bit does not count, so
// a bare arrow never grabs the whole desktop), except that F1…F19 may stand
// alone.
bool SRIsValidCombination(std::uint32_t flags, int keyCode, bool allowsKeyOnly);

// The eased position of the transition at progress t (0…1).
double SRAnimationEaseInOut(double t);
