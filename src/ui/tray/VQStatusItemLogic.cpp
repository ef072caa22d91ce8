#include "ui/tray/VQStatusItemLogic.h"

VQStatusItemLogic::Action VQStatusItemLogic::actionForClick(Button button, bool ctrlHeld, bool modalDialogShown) const
{
    if (modalDialogShown)
        return Action::None;
    if (button == Button::Right || ctrlHeld)
        return _highlighted ? Action::None : Action::ShowMenu;
    return Action::ToggleWindow;
}

bool VQStatusItemLogic::panelIsDark(const QString &styleSetting, int backgroundLightness)
{
    if (styleSetting == QLatin1String("Dark"))
        return true;
    if (styleSetting == QLatin1String("Light"))
        return false;
    return backgroundLightness < 128;
}
