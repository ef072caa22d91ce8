#include "platform/VQGlobalShortcutService.h"

#include "platform/VQKeyCode.h"
#include "platform/x11/VQX11Input.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQLocalizedString.h"

namespace
{
using Status = VQShortcutBinding::Status;

// No key (−1), or code 0 with no modifiers: nothing to bind.
bool namesNoKey(const VQKeyCombo &combo)
{
    return combo.code < 0 || (combo.code == 0 && (combo.flags & VQModifierFlag::AllModifiers) == 0);
}

QString readable(const VQKeyCombo &combo)
{
    return VQReadableShortcut(combo.flags, combo.code);
}
} // namespace

VQGlobalShortcutService::~VQGlobalShortcutService() = default;

void VQGlobalShortcutService::bind(const VQKeyCombo &combo)
{
    doUnbind();
    if (namesNoKey(combo)) {
        report({Status::NoShortcut, combo, {}, QStringLiteral("no global shortcut is set")});
        return;
    }
    _binding = {Status::Pending, combo, {}, QStringLiteral("%1: waiting for the desktop").arg(readable(combo))};
    doBind(combo);
}

void VQGlobalShortcutService::unbind()
{
    bind(VQKeyCombo{});
}

std::optional<VQKeyCombo> VQGlobalShortcutService::boundCombo() const
{
    if (_binding.status != Status::Registered)
        return std::nullopt;
    return _binding.combo;
}

void VQGlobalShortcutService::report(VQShortcutBinding binding)
{
    _binding = std::move(binding);
    emit bindingChanged(_binding);
}

QString VQGlobalShortcutService::takenMessage(const VQKeyCombo &combo)
{
    return VQLocalizedString("The shortcut %1 is used by another program, so it does not start Vellico's loupe. "
                             "Choose another shortcut in the preferences.")
        .arg(readable(combo));
}

// -- X11 key grabs --------------------------------------------------------------

VQHotKeyShortcutService::~VQHotKeyShortcutService()
{
    _platform.unregisterHotKey();
}

std::optional<bool> VQHotKeyShortcutService::isHeldElsewhere(const VQKeyCombo &combo) const
{
    return _platform.isShortcutHeldElsewhere(combo);
}

QByteArray VQHotKeyShortcutService::keymapText() const
{
    return _platform.keymapText();
}

QString VQHotKeyShortcutService::description() const
{
    return _platform.describe().shortcut;
}

void VQHotKeyShortcutService::doBind(const VQKeyCombo &combo)
{
    // An answer about an earlier combination (a later bind replaced it) is stale.
    const quint64 generation = ++_generation;
    _platform.registerHotKey(
        combo, [this] { emit triggered(); },
        [this, combo, generation](VQX11Input::HotKeyStatus status) {
            if (generation == _generation)
                answered(combo, status);
        });
}

void VQHotKeyShortcutService::answered(const VQKeyCombo &combo, VQX11Input::HotKeyStatus status)
{
    VQLog(QStringLiteral("Registerd key combo with status %1").arg(int(status)));
    switch (status) {
    case VQX11Input::HotKeyStatus::Registered:
        report(
            {Status::Registered, combo, readable(combo), QStringLiteral("%1 starts the loupe").arg(readable(combo))});
        break;
    case VQX11Input::HotKeyStatus::Taken:
        report({Status::Taken, combo, {}, takenMessage(combo)});
        break;
    case VQX11Input::HotKeyStatus::NoShortcut:
        report({Status::NoShortcut, combo, {}, QStringLiteral("no global shortcut is set")});
        break;
    case VQX11Input::HotKeyStatus::Unsupported:
        report({Status::Unsupported, combo, {}, QStringLiteral("%1 is not on this keyboard").arg(readable(combo))});
        break;
    }
}

void VQHotKeyShortcutService::doUnbind()
{
    ++_generation;
    _platform.unregisterHotKey();
}

// -- no global shortcuts -----------------------------------------------------------

void VQUnsupportedShortcutService::doBind(const VQKeyCombo &combo)
{
    report({Status::Unsupported, combo, {}, _why});
}
