#pragma once
// The pop-up through which the user switches pickers: one item per picker, in
// the registry's order, titled with the picker's name.

#include "vqcore/VQNotificationCenter.h"

#include <QComboBox>

class VQColorPickerChooserPopUpButton : public QComboBox
{
    Q_OBJECT
  public:
    explicit VQColorPickerChooserPopUpButton(QWidget *parent = nullptr);

    // Selects the item of the current picker, without announcing a change.
    void selectCurrentPicker();

  signals:
    // The user chose another picker; it is already current. The host installs its view.
    void colorPickerChanged();

  private:
    void updateColorPicker(int index);

    VQObserverToken _forcedChange;
};
