#include "ui/pickers/VQGrayscaleColorPicker.h"

#include "core/VQSwatchCore.h"
#include "ui/pickers/VQColorSlider.h"
#include "ui/pickers/VQColorSliderGradient.h"

VQGrayscaleColorPicker::VQGrayscaleColorPicker(VQSwatchCore &core)
    : VQSliderColorPicker(
          core, {{QT_TRANSLATE_NOOP("Vellico", "Gray"), int(VQColorSliderTag::Gray), 0, 1, FieldKind::UnitDecimal}})
{
}

void VQGrayscaleColorPicker::showColor(const VQColor &color)
{
    const VQRGBColor rgb = color.RGBColor();
    const float value = float((rgb.r + rgb.g + rgb.b) / 3);
    slider(0)->setValue(value);
    setField(0, decimalText(value));
}

void VQGrayscaleColorPicker::colorChanged(QObject *sender)
{
    // The field only takes 0–1 (its validator): the library never clamps, so an
    // unchecked 5 would become RGB (5, 5, 5).
    float x;
    if (indexOfField(sender) == 0) {
        x = float(fieldValue(0));
        slider(0)->setValue(x);
    } else {
        x = float(slider(0)->value());
        setField(0, decimalText(x));
    }
    core().setSelectedColor(VQColor::makeRGB(x, x, x), false);
}
