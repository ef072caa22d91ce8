#include "ui/pickers/VQHSBColorPicker.h"

#include "core/VQSwatchCore.h"
#include "ui/pickers/VQColorSlider.h"
#include "ui/pickers/VQColorSliderGradient.h"

#include <array>
#include <cmath>

namespace
{
constexpr std::array<float, 3> kScales{360, 100, 100};
}

VQHSBColorPicker::VQHSBColorPicker(VQSwatchCore &core)
    : VQSliderColorPicker(core, {{"H", int(VQColorSliderTag::Hue), 0, 360, FieldKind::Integer},
                                 {"S", int(VQColorSliderTag::Saturation), 0, 100, FieldKind::Integer},
                                 {"B", int(VQColorSliderTag::Brightness), 0, 100, FieldKind::Integer}})
{
}

void VQHSBColorPicker::showColor(const VQColor &color)
{
    const VQHSVColor hsv = color.RGBColor().toHSV();
    showWholeValues({hsv.h * 360, hsv.s * 100, hsv.v * 100});
}

void VQHSBColorPicker::colorChanged(QObject *sender)
{
    syncWholeValues(sender);
    std::array<double, 3> hsv{};
    for (int i = 0; i < 3; ++i)
        hsv[i] = double(float(slider(i)->value()) / kScales[i]);
    // A hue of a full turn (the slider at 360) is red again, like 0.
    const VQRGBColor rgb = VQHSVColor{hsv[0], hsv[1], hsv[2]}.toRGB();
    core().setSelectedColor(VQColor::makeRGB(rgb), false);
}
