#include "ui/pickers/VQRGBSlidersColorPicker.h"

#include "core/VQSwatchCore.h"
#include "ui/pickers/VQColorSlider.h"
#include "ui/pickers/VQColorSliderGradient.h"

#include <array>
#include <cmath>

VQRGBSlidersColorPicker::VQRGBSlidersColorPicker()
    : VQSliderColorPicker({{"R", int(VQColorSliderTag::Red), 0, 255, FieldKind::Integer},
                           {"G", int(VQColorSliderTag::Green), 0, 255, FieldKind::Integer},
                           {"B", int(VQColorSliderTag::Blue), 0, 255, FieldKind::Integer}})
{
}

void VQRGBSlidersColorPicker::showColor(const VQColor &color)
{
    const VQRGBColor rgb = color.RGBColor();
    const std::array<double, 3> values{std::trunc(rgb.r * 255), std::trunc(rgb.g * 255), std::trunc(rgb.b * 255)};
    for (int i = 0; i < 3; ++i)
        slider(i)->setValue(values[i]);
    for (int i = 0; i < 3; ++i)
        setField(i, integerText(values[i]));
}

void VQRGBSlidersColorPicker::colorChanged(QObject *sender)
{
    const int edited = indexOfField(sender);
    if (edited >= 0) {
        slider(edited)->setValue(std::trunc(fieldValue(edited)));
    } else {
        for (int i = 0; i < 3; ++i)
            setField(i, integerText(slider(i)->value()));
    }
    std::array<double, 3> rgb{};
    for (int i = 0; i < 3; ++i)
        rgb[i] = double(float(slider(i)->value()) / 255.0f);
    if (VQSwatchCore *core = VQSwatchCore::sharedCore())
        core->setSelectedColor(VQColor::makeRGB(rgb[0], rgb[1], rgb[2]), false);
}
