#include "app/VQShellMode.h"
#include "vqcore/VQLocalizedString.h"

bool VQTrayCanArriveLater(const QString &platformName)
{
    return platformName == QLatin1String("xcb");
}

VQShellMode VQChooseShellMode(const QString &platformName, bool trayAvailable, bool canPick, bool canBindKey)
{
    VQShellMode mode;
    mode.noTray = !trayAvailable && !VQTrayCanArriveLater(platformName);
    mode.openWindowAtStart = mode.noTray;
    if (mode.noTray)
        mode.standingNote = VQLocalizedString("No system tray is running: add one (on GNOME, the AppIndicator "
                                              "extension) and restart Vellico to put its icon there.");
    mode.firstOpenNote = VQShellMode::noteFor(canPick, canBindKey);
    return mode;
}

QString VQShellMode::noteFor(bool canPick, bool canBindKey)
{
    if (!canPick && !canBindKey)
        return VQLocalizedString("This desktop lets Vellico neither read the screen nor bind a key: "
                                 "paste a color with Ctrl+V, or right-click the readout to type one.");
    if (!canPick)
        return VQLocalizedString("This desktop does not let Vellico read the screen: paste a color "
                                 "with Ctrl+V, or right-click the readout to type one.");
    if (!canBindKey)
        return VQLocalizedString("This desktop binds no global shortcut for Vellico: bind "
                                 "\"vellico --pick\" to a key in its keyboard settings (the "
                                 "preferences show how).");
    return {};
}
