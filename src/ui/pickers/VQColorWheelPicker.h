#pragma once
// "Color Wheel", the default picker: the wheel and its brightness slider.

#include "ui/pickers/VQColorPicker.h"

class VQBrightnessSlider;
class VQColorWheelControl;

class VQColorWheelPicker final : public VQColorPicker
{
  public:
    // One press of Up or Down changes the brightness by this much.
    inline static constexpr float kBrightnessStep = 1.0f / 255.0f;

    explicit VQColorWheelPicker(VQSwatchCore &core);
    const char *untranslatedName() const override { return QT_TRANSLATE_NOOP("Vellico", "Color Wheel"); }
    void selectColor(const VQColorRef &color) override;

    // Builds the view first if it was never shown.
    VQBrightnessSlider *brightnessSlider();
    VQColorWheelControl *colorWheel();

    // Raises (positive) or lowers the brightness by `presses` steps of 1/255,
    // one step at a time, and stores the colour.
    void stepBrightness(int presses);
    // For the main window: Up and Down change the brightness while the wheel is
    // the current picker. True when the key was used (the caller then drops it);
    // false for any other key or picker.
    static bool handleArrowKey(const VQColorPickers &pickers, int qtKey);

  protected:
    QWidget *makeView() override;

  private:
    VQBrightnessSlider *_brightnessSlider = nullptr;
    VQColorWheelControl *_colorWheel = nullptr;
};
