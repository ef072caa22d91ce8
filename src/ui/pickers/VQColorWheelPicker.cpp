#include "ui/pickers/VQColorWheelPicker.h"

#include "ui/pickers/VQBrightnessSlider.h"
#include "ui/pickers/VQColorWheelControl.h"

#include <QHBoxLayout>

VQColorWheelPicker::VQColorWheelPicker(VQSwatchCore &core) : VQColorPicker(core) {}

QWidget *VQColorWheelPicker::makeView()
{
    auto *view = new QWidget;
    auto *row = new QHBoxLayout(view);
    // 189 + 14 + 27 points across and 191 down: margins that keep the view
    // inside the room the window has for a picker.
    row->setContentsMargins(5, 11, 5, 11);
    row->setSpacing(14);
    _colorWheel = new VQColorWheelControl(core(), view);
    _colorWheel->setFixedSize(_colorWheel->sizeHint());
    _brightnessSlider = new VQBrightnessSlider(view);
    _colorWheel->setBrightnessSlider(_brightnessSlider);
    _brightnessSlider->setWheel(_colorWheel);
    row->addWidget(_colorWheel, 0, Qt::AlignVCenter);
    row->addWidget(_brightnessSlider, 0, Qt::AlignVCenter);
    view->resize(view->sizeHint());
    _colorWheel->setHSVColor(color()->RGBColor().toHSV());
    return view;
}

void VQColorWheelPicker::selectColor(const VQColorRef &color)
{
    VQColorPicker::selectColor(color);
    if (isViewLoaded() && color)
        _colorWheel->setHSVColor(color->RGBColor().toHSV());
}

VQBrightnessSlider *VQColorWheelPicker::brightnessSlider()
{
    view();
    return _brightnessSlider;
}

VQColorWheelControl *VQColorWheelPicker::colorWheel()
{
    view();
    return _colorWheel;
}

void VQColorWheelPicker::stepBrightness(int presses)
{
    VQBrightnessSlider *slider = brightnessSlider();
    const float step = presses < 0 ? -kBrightnessStep : kBrightnessStep;
    for (int i = 0; i < std::abs(presses); ++i)
        slider->setFloatValue(slider->floatValue() + step);
}

bool VQColorWheelPicker::handleArrowKey(const VQColorPickers &pickers, int qtKey)
{
    if (qtKey != Qt::Key_Up && qtKey != Qt::Key_Down)
        return false;
    auto *wheel = dynamic_cast<VQColorWheelPicker *>(pickers.currentColorPicker());
    if (!wheel)
        return false;
    wheel->stepBrightness(qtKey == Qt::Key_Up ? 1 : -1);
    return true;
}
