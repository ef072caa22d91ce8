#pragma once
// The pop-up through which the user switches pickers: one item per picker, in
// the registry's order, titled with the picker's name.

#include "vqcore/VQNotificationCenter.h"

#include <QComboBox>

class VQColorPickers;

class VQColorPickerChooserPopUpButton : public QComboBox
{
    Q_OBJECT
  public:
    // Lists and switches `pickers`, which outlive it.
    explicit VQColorPickerChooserPopUpButton(VQColorPickers &pickers, QWidget *parent = nullptr);

    // Selects the item of the current picker, without announcing a change.
    void selectCurrentPicker();

  signals:
    // The user chose another picker; it is already current. The host installs its view.
    void colorPickerChanged();

  private:
    void updateColorPicker(int index);

    VQColorPickers &_pickers;
    VQObserverToken _forcedChange;
};
