#include "platform/VQKeyCombo.h"

#include "platform/VQKeyCode.h"
#include "vqcore/VQUserDefaults.h"

namespace
{
constexpr std::uint32_t kKeptFlags = VQModifierFlag::AllModifiers | VQModifierFlag::Function;

QString keyPath(const QString &autosaveName, const char *key)
{
    return VQKeyComboRecord::groupName(autosaveName) + QLatin1Char('/') + QLatin1String(key);
}

// The stored text as a whole number, or nothing (absent, empty, not a number).
std::optional<qint64> storedInteger(const VQUserDefaults &defaults, const QString &key)
{
    if (!defaults.hasKey(key))
        return std::nullopt;
    bool ok = false;
    const qint64 value = defaults.stringForKey(key).trimmed().toLongLong(&ok, 0);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}
} // namespace

QString VQKeyComboRecord::groupName(const QString &autosaveName)
{
    return QStringLiteral("ShortcutRecorder ") + autosaveName;
}

VQKeyCombo VQKeyComboRecord::load(const VQUserDefaults &defaults, const QString &autosaveName)
{
    VQKeyCombo combo;
    const auto code = storedInteger(defaults, keyPath(autosaveName, "keyCode"));
    if (code && *code >= -1 && *code <= 0x7fff)
        combo.code = int(*code);
    if (const auto flags = storedInteger(defaults, keyPath(autosaveName, "modifierFlags")))
        combo.flags = std::uint32_t(*flags) & kKeptFlags;
    else if (const auto modifiers = storedInteger(defaults, keyPath(autosaveName, "modifiers")))
        combo.flags = VQCarbonToCocoaFlags(std::uint32_t(*modifiers)) & kKeptFlags;
    if (defaults.hasKey(keyPath(autosaveName, "keyChars"))) {
        combo.keyChars = defaults.stringForKey(keyPath(autosaveName, "keyChars"));
        combo.keyCharsIgnoringModifiers = defaults.stringForKey(keyPath(autosaveName, "keyCharsIgnoringModifiers"));
    }
    return combo;
}

void VQKeyComboRecord::save(VQUserDefaults &defaults, const QString &autosaveName, const VQKeyCombo &combo)
{
    const std::uint32_t flags = combo.flags & kKeptFlags;
    defaults.setInteger(keyPath(autosaveName, "keyCode"), combo.code < 0 ? -1 : combo.code);
    defaults.setInteger(keyPath(autosaveName, "modifierFlags"), flags);
    defaults.setInteger(keyPath(autosaveName, "modifiers"), VQCocoaToCarbonFlags(flags));
    if (combo.keyChars.isEmpty() && combo.keyCharsIgnoringModifiers.isEmpty()) {
        defaults.removeObjectForKey(keyPath(autosaveName, "keyChars"));
        defaults.removeObjectForKey(keyPath(autosaveName, "keyCharsIgnoringModifiers"));
    } else {
        defaults.setString(keyPath(autosaveName, "keyChars"), combo.keyChars);
        defaults.setString(keyPath(autosaveName, "keyCharsIgnoringModifiers"), combo.keyCharsIgnoringModifiers);
    }
}
