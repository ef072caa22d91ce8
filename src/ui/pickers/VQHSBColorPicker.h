#pragma once
// Hue 0–360, saturation and brightness 0–100, shown truncated to whole numbers.

#include "ui/pickers/VQSliderColorPicker.h"

class VQHSBColorPicker final : public VQSliderColorPicker
{
  public:
    explicit VQHSBColorPicker(VQSwatchCore &core);
    const char *untranslatedName() const override { return QT_TRANSLATE_NOOP("Vellico", "HSB Sliders"); }

    void colorChanged(QObject *sender) override;

  protected:
    void showColor(const VQColor &color) override;
};
