#pragma once
// Red, green and blue, 0–255 each, shown truncated to whole numbers.

#include "ui/pickers/VQSliderColorPicker.h"

class VQRGBSlidersColorPicker final : public VQSliderColorPicker
{
  public:
    explicit VQRGBSlidersColorPicker(VQSwatchCore &core);
    const char *untranslatedName() const override { return QT_TRANSLATE_NOOP("Vellico", "RGB Sliders"); }

    void colorChanged(QObject *sender) override;

  protected:
    void showColor(const VQColor &color) override;
};
