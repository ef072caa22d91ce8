#pragma once
// One gray level, 0–1: the mean of red, green and blue.

#include "ui/pickers/VQSliderColorPicker.h"

class VQGrayscaleColorPicker final : public VQSliderColorPicker
{
  public:
    explicit VQGrayscaleColorPicker(VQSwatchCore &core);
    const char *untranslatedName() const override { return QT_TRANSLATE_NOOP("Vellico", "Grayscale"); }

    void colorChanged(QObject *sender) override;

  protected:
    void showColor(const VQColor &color) override;
};
