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

VQHSBColorPicker::VQHSBColorPicker()
    : VQSliderColorPicker({{"H", int(VQColorSliderTag::Hue), 0, 360, FieldKind::Integer},
                           {"S", int(VQColorSliderTag::Saturation), 0, 100, FieldKind::Integer},
                           {"B", int(VQColorSliderTag::Brightness), 0, 100, FieldKind::Integer}})
{
}

void VQHSBColorPicker::showColor(const VQColor &color)
{
    const VQHSVColor hsv = color.RGBColor().toHSV();
    const std::array<double, 3> values{std::trunc(hsv.h * 360), std::trunc(hsv.s * 100), std::trunc(hsv.v * 100)};
    for (int i = 0; i < 3; ++i)
        slider(i)->setValue(values[i]);
    for (int i = 0; i < 3; ++i)
        setField(i, integerText(values[i]));
}

void VQHSBColorPicker::colorChanged(QObject *sender)
{
    const int edited = indexOfField(sender);
    if (edited >= 0) {
        slider(edited)->setValue(std::trunc(fieldValue(edited)));
    } else {
        for (int i = 0; i < 3; ++i)
            setField(i, integerText(slider(i)->value()));
    }
    std::array<double, 3> hsv{};
    for (int i = 0; i < 3; ++i)
        hsv[i] = double(float(slider(i)->value()) / kScales[i]);
    // A hue of a full turn (the slider at 360) is red again, like 0.
    const VQRGBColor rgb = VQHSVColor{hsv[0], hsv[1], hsv[2]}.toRGB();
    if (VQSwatchCore *core = VQSwatchCore::sharedCore())
        core->setSelectedColor(VQColor::makeRGB(rgb), false);
}
