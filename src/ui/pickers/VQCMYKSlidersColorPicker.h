#pragma once
// Cyan, magenta, yellow and black, 0–1 each; the colours it makes are stored as CMYK.

#include "ui/pickers/VQSliderColorPicker.h"

class VQCMYKSlidersColorPicker final : public VQSliderColorPicker
{
  public:
    explicit VQCMYKSlidersColorPicker(VQSwatchCore &core);
    const char *untranslatedName() const override { return QT_TRANSLATE_NOOP("Vellico", "CMYK Sliders"); }
    VQColorSpace colorspace() const override { return VQColorSpace::CMYK; }
    void colorChanged(QObject *sender) override;

  protected:
    void showColor(const VQColor &color) override;
};
