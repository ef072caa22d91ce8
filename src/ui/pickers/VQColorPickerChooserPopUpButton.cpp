#include "ui/pickers/VQColorPickerChooserPopUpButton.h"

#include "ui/pickers/VQColorPicker.h"
#include "vqcore/VQLocalizedString.h"

#include <QSignalBlocker>

VQColorPickerChooserPopUpButton::VQColorPickerChooserPopUpButton(VQColorPickers &pickers, QWidget *parent)
    : QComboBox(parent), _pickers(pickers)
{
    setAccessibleName(VQLocalizedString("Color picker"));
    for (VQColorPicker *picker : _pickers.availablePickers())
        addItem(picker->name());
    selectCurrentPicker();
    connect(this, &QComboBox::activated, this, &VQColorPickerChooserPopUpButton::updateColorPicker);
    // A switch by colour space (a CMYK swatch chosen elsewhere) shows here too.
    _forcedChange = VQObserverToken(VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQColorPickerDidForceChangeNotification), nullptr,
        [this](const VQNotification &) { selectCurrentPicker(); }));
}

void VQColorPickerChooserPopUpButton::selectCurrentPicker()
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(findText(_pickers.currentColorPicker()->name(), Qt::MatchExactly));
}

void VQColorPickerChooserPopUpButton::updateColorPicker(int index)
{
    const QString title = itemText(index);
    if (title.isEmpty())
        return;
    if (_pickers.selectColorPickerNamed(title))
        emit colorPickerChanged();
}
