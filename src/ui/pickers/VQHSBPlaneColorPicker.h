#pragma once
// "Color Square": the saturation–brightness square of one hue, with a hue
// slider (0–360) and its field below it.

#include "ui/pickers/VQColorPicker.h"
#include "ui/pickers/VQSaturationBrightnessView.h"

class QLineEdit;
class QObject;
class VQColorSlider;

class VQHSBPlaneColorPicker final : public VQColorPicker, public VQSaturationBrightnessViewDelegate
{
  public:
    explicit VQHSBPlaneColorPicker(VQSwatchCore &core);
    const char *untranslatedName() const override { return QT_TRANSLATE_NOOP("Vellico", "Color Square"); }
    void selectColor(const VQColorRef &color) override;

    // The action of the hue slider and field, and of the square (through its delegate).
    void colorChanged(QObject *sender);
    void saturationBrightnessViewDidChangeColor(VQSaturationBrightnessView *view) override;

    VQColorSlider *hueSlider() const { return _hueSlider; }
    QLineEdit *hueField() const { return _hueField; }
    VQSaturationBrightnessView *saturationBrightnessView() const { return _satBriView; }

  protected:
    QWidget *makeView() override;

  private:
    void showColor(const VQColor &color);

    VQColorSlider *_hueSlider = nullptr;
    QLineEdit *_hueField = nullptr;
    VQSaturationBrightnessView *_satBriView = nullptr;
};
