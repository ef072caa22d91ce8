#include "ui/prefs/SRValidator.h"

#include "ui/mainwindow/VQMainWindowKeys.h"
#include "ui/prefs/SRCommon.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"

namespace
{
void fill(SRValidationError *error, const QString &readable, const QString &informative)
{
    if (!error)
        return;
    error->messageText =
        VQLocalizedString("The key combination %@ can't be used!").replace(QLatin1String("%@"), readable);
    error->informativeText = informative;
}

// "%@" placeholders filled in order.
QString format(QString text, const QStringList &values)
{
    for (const QString &value : values) {
        const qsizetype at = text.indexOf(QLatin1String("%@"));
        if (at < 0)
            break;
        text.replace(at, 2, value);
    }
    return text;
}
} // namespace

SRValidatorDelegate::~SRValidatorDelegate() = default;

QList<SRCommandShortcut> SRValidator::applicationCommands()
{
    // The keys the main window runs; each would stop working there as a global shortcut.
    QList<SRCommandShortcut> commands;
    for (const VQMainWindowShortcut &shortcut : VQMainWindowShortcuts())
        commands.append({VQLocalizedString(shortcut.title), SRStringForKeyCode(shortcut.keyCode),
                         VQQtModifiersToCocoaFlags(shortcut.modifiers)});
    return commands;
}

bool SRValidator::isKeyCodeAndFlagsTaken(int keyCode, std::uint32_t carbonFlags, SRValidationError *error)
{
    const QString readable = SRReadableStringForCarbonModifierFlagsAndKeyCode(carbonFlags, keyCode);

    QString reason;
    if (_delegate && _delegate->shortcutValidatorIsKeyCodeAndFlagsTaken(*this, keyCode, carbonFlags, &reason)) {
        if (reason.isEmpty())
            reason = VQLocalizedString("it's already used");
        fill(error, readable,
             format(VQLocalizedString("The key combination \"%@\" can't be used because %@."), {readable, reason}));
        return true;
    }

    if (_heldElsewhere) {
        const std::optional<bool> held = _heldElsewhere(keyCode, carbonFlags);
        if (!held)
            VQLog(QStringLiteral("Could not ask whether %1 is held by another program.").arg(readable));
        if (!held || *held) {
            fill(error, readable,
                 format(VQLocalizedString("The key combination \"%@\" can't be used because it's already used by a "
                                          "system-wide keyboard shortcut. (If you really want to use this key "
                                          "combination, most shortcuts can be changed in the keyboard settings of "
                                          "your desktop.)"),
                        {readable}));
            return true;
        }
    }

    if (SRStringForKeyCode(keyCode).isEmpty()) {
        fill(error, readable,
             format(VQLocalizedString("The key combination \"%@\" can't be used because its key has no name on the "
                                      "current keyboard layout."),
                    {readable}));
        return true;
    }

    return isKeyCodeAndFlagsTakenInMenu(keyCode, carbonFlags, applicationCommands(), error);
}

bool SRValidator::isKeyCodeAndFlagsTakenInMenu(int keyCode, std::uint32_t carbonFlags,
                                               const QList<SRCommandShortcut> &commands, SRValidationError *error) const
{
    const QString name = SRStringForKeyCode(keyCode);
    if (name.isEmpty())
        return false;
    const std::uint32_t flags = VQCarbonToCocoaFlags(carbonFlags) & VQModifierFlag::AllModifiers;
    for (const SRCommandShortcut &command : commands) {
        if (command.keyEquivalent.toUpper() != name.toUpper() ||
            (command.cocoaFlags & VQModifierFlag::AllModifiers) != flags)
            continue;
        const QString readable = SRReadableStringForCarbonModifierFlagsAndKeyCode(carbonFlags, keyCode);
        fill(error, readable,
             format(VQLocalizedString("The key combination \"%@\" can't be used because it's already used by the "
                                      "menu item \"%@\"."),
                    {readable, command.title}));
        return true;
    }
    return false;
}
