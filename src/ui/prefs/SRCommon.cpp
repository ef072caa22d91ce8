#include "ui/prefs/SRCommon.h"

#include <cmath>
#include <numbers>

SRKeyboardLayout::~SRKeyboardLayout() = default;

namespace
{
struct NamedKey {
    int code;
    const char *name;
};

// Keys that type no character. The arrows keep their arrows; the rest use the
// names Linux keyboards and desktops print.
constexpr NamedKey kNamedKeys[] = {
    {VQKeyCode::F1, "F1"},
    {VQKeyCode::F2, "F2"},
    {VQKeyCode::F3, "F3"},
    {VQKeyCode::F4, "F4"},
    {VQKeyCode::F5, "F5"},
    {VQKeyCode::F6, "F6"},
    {VQKeyCode::F7, "F7"},
    {VQKeyCode::F8, "F8"},
    {VQKeyCode::F9, "F9"},
    {VQKeyCode::F10, "F10"},
    {VQKeyCode::F11, "F11"},
    {VQKeyCode::F12, "F12"},
    {VQKeyCode::F13, "F13"},
    {VQKeyCode::F14, "F14"},
    {VQKeyCode::F15, "F15"},
    {VQKeyCode::F16, "F16"},
    {VQKeyCode::F17, "F17"},
    {VQKeyCode::F18, "F18"},
    {VQKeyCode::F19, "F19"},
    {VQKeyCode::Space, "Space"},
    {VQKeyCode::Delete, "Backspace"},
    {VQKeyCode::ForwardDelete, "Delete"},
    {VQKeyCode::KeypadClear, "Clear"},
    {VQKeyCode::LeftArrow, "\u2190"},
    {VQKeyCode::RightArrow, "\u2192"},
    {VQKeyCode::UpArrow, "\u2191"},
    {VQKeyCode::DownArrow, "\u2193"},
    {VQKeyCode::End, "End"},
    {VQKeyCode::Home, "Home"},
    {VQKeyCode::Escape, "Escape"},
    {VQKeyCode::PageDown, "Page Down"},
    {VQKeyCode::PageUp, "Page Up"},
    {VQKeyCode::Return, "Return"},
    {VQKeyCode::KeypadEnter, "Enter"},
    {VQKeyCode::Tab, "Tab"},
    {VQKeyCode::Help, "Insert"},
};

struct ModifierName {
    std::uint32_t flag;
    const char *name;
};
// Linux order: Ctrl, Alt, Super, Shift.
constexpr ModifierName kModifierNames[] = {
    {VQModifierFlag::Command, "Ctrl"},
    {VQModifierFlag::Option, "Alt"},
    {VQModifierFlag::Control, "Super"},
    {VQModifierFlag::Shift, "Shift"},
};

QString modifierText(std::uint32_t flags, const QString &separator)
{
    QString text;
    for (const ModifierName &modifier : kModifierNames)
        if (flags & modifier.flag)
            text += QLatin1String(modifier.name) + separator;
    return text;
}
} // namespace

SRKeyCodeTransformer &SRKeyCodeTransformer::shared()
{
    static SRKeyCodeTransformer transformer;
    return transformer;
}

void SRKeyCodeTransformer::setLayout(std::unique_ptr<SRKeyboardLayout> layout)
{
    _layout = std::move(layout);
}

std::optional<QString> SRKeyCodeTransformer::nameForKeyCode(int keyCode) const
{
    if (keyCode < 0)
        return std::nullopt;
    for (const NamedKey &key : kNamedKeys)
        if (key.code == keyCode)
            return QString::fromUtf8(key.name);
    if (!_layout)
        return std::nullopt;
    const std::optional<QString> character = _layout->characterForKeyCode(keyCode);
    if (!character || character->isEmpty())
        return std::nullopt;
    const QString name = character->toUpper();
    if (VQKeyCode::isKeypad(keyCode))
        return QStringLiteral("Pad %1").arg(name);
    return name;
}

QString SRStringForKeyCode(int keyCode)
{
    return SRKeyCodeTransformer::shared().nameForKeyCode(keyCode).value_or(QString());
}

bool SRIsFunctionKey(int keyCode)
{
    for (int i = 0; i < 19; ++i)
        if (kNamedKeys[i].code == keyCode)
            return true;
    return false;
}

QString SRStringForCocoaModifierFlags(std::uint32_t flags)
{
    return modifierText(flags, QStringLiteral("+"));
}

QString SRStringForCarbonModifierFlags(std::uint32_t carbonFlags)
{
    return SRStringForCocoaModifierFlags(VQCarbonToCocoaFlags(carbonFlags));
}

QString SRStringForCocoaModifierFlagsAndKeyCode(std::uint32_t flags, int keyCode)
{
    return SRStringForCocoaModifierFlags(flags) + SRStringForKeyCode(keyCode);
}

QString SRStringForCarbonModifierFlagsAndKeyCode(std::uint32_t carbonFlags, int keyCode)
{
    return SRStringForCocoaModifierFlagsAndKeyCode(VQCarbonToCocoaFlags(carbonFlags), keyCode);
}

QString SRReadableStringForCocoaModifierFlagsAndKeyCode(std::uint32_t flags, int keyCode)
{
    return modifierText(flags, QStringLiteral(" + ")) + SRStringForKeyCode(keyCode);
}

QString SRReadableStringForCarbonModifierFlagsAndKeyCode(std::uint32_t carbonFlags, int keyCode)
{
    return SRReadableStringForCocoaModifierFlagsAndKeyCode(VQCarbonToCocoaFlags(carbonFlags), keyCode);
}

std::uint32_t SRFilteredCocoaFlags(std::uint32_t held, std::uint32_t allowed, std::uint32_t required)
{
    return ((held & allowed) | required) & SRAllowableFlags;
}

bool SRIsValidCombination(std::uint32_t flags, int keyCode, bool allowsKeyOnly)
{
    return allowsKeyOnly || (flags & VQModifierFlag::AllModifiers) || SRIsFunctionKey(keyCode);
}

double SRAnimationEaseInOut(double t)
{
    return (std::sin(t * std::numbers::pi - std::numbers::pi / 2) + 1) * 0.5;
}
