#include "platform/VQGlobalShortcut.h"

#include "platform/VQKeyCode.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQUserDefaults.h"

VQGlobalShortcut::VQGlobalShortcut(VQPlatform &platform, std::function<void()> triggered,
                                   std::function<void(const QString &)> tellUser)
    : _platform(platform), _triggered(std::move(triggered)), _tellUser(std::move(tellUser))
{
}

VQGlobalShortcut::~VQGlobalShortcut()
{
    _platform.unregisterHotKey();
}

VQPlatform::HotKeyStatus VQGlobalShortcut::reregister()
{
    return reregister(
        VQKeyComboRecord::load(VQUserDefaults::standard(), QLatin1String(VQKeyComboRecord::GlobalShortcutName)));
}

VQPlatform::HotKeyStatus VQGlobalShortcut::reregister(const VQKeyCombo &combo)
{
    VQLog(QStringLiteral("Entering."));
    _platform.unregisterHotKey();
    _registered = {};
    // No key (−1), or code 0 with no modifiers: nothing is stored.
    if (combo.code < 0 || (combo.code == 0 && (combo.flags & VQModifierFlag::AllModifiers) == 0))
        return VQPlatform::HotKeyStatus::NoShortcut;
    const auto status = _platform.registerHotKey(combo, [this] {
        if (_triggered)
            _triggered();
    });
    VQLog(QStringLiteral("Registerd key combo with status %1").arg(int(status)));
    switch (status) {
    case VQPlatform::HotKeyStatus::Registered:
        _registered = combo;
        break;
    case VQPlatform::HotKeyStatus::Taken:
        VQLog(QStringLiteral("%1 is held by another program.").arg(VQReadableShortcut(combo.flags, combo.code)));
        if (_tellUser && _toldAbout.insert({combo.flags, combo.code}).second)
            _tellUser(takenMessage(combo));
        break;
    default:
        break;
    }
    return status;
}

QString VQGlobalShortcut::takenMessage(const VQKeyCombo &combo)
{
    return QStringLiteral("The shortcut %1 is used by another program, so it does not start Vellico's loupe. "
                          "Choose another shortcut in the preferences.")
        .arg(VQReadableShortcut(combo.flags, combo.code));
}
