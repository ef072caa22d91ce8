#include "ui/pickers/VQRGBSlidersColorPicker.h"

#include "core/VQSwatchCore.h"
#include "ui/pickers/VQColorSlider.h"
#include "ui/pickers/VQColorSliderGradient.h"

#include <array>
#include <cmath>

VQRGBSlidersColorPicker::VQRGBSlidersColorPicker(VQSwatchCore &core)
    : VQSliderColorPicker(core, {{"R", int(VQColorSliderTag::Red), 0, 255, FieldKind::Integer},
                                 {"G", int(VQColorSliderTag::Green), 0, 255, FieldKind::Integer},
                                 {"B", int(VQColorSliderTag::Blue), 0, 255, FieldKind::Integer}})
{
}

void VQRGBSlidersColorPicker::showColor(const VQColor &color)
{
    const VQRGBColor rgb = color.RGBColor();
    showWholeValues({rgb.r * 255, rgb.g * 255, rgb.b * 255});
}

void VQRGBSlidersColorPicker::colorChanged(QObject *sender)
{
    syncWholeValues(sender);
    std::array<double, 3> rgb{};
    for (int i = 0; i < 3; ++i)
        rgb[i] = double(float(slider(i)->value()) / 255.0f);
    core().setSelectedColor(VQColor::makeRGB(rgb[0], rgb[1], rgb[2]), false);
}
