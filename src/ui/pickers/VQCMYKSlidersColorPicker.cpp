#include "ui/pickers/VQCMYKSlidersColorPicker.h"

#include "core/VQSwatchCore.h"
#include "ui/pickers/VQColorSlider.h"
#include "ui/pickers/VQColorSliderGradient.h"

#include <array>

VQCMYKSlidersColorPicker::VQCMYKSlidersColorPicker(VQSwatchCore &core)
    : VQSliderColorPicker(core, {{"C", int(VQColorSliderTag::Cyan), 0, 1, FieldKind::Decimal},
                                 {"M", int(VQColorSliderTag::Magenta), 0, 1, FieldKind::Decimal},
                                 {"Y", int(VQColorSliderTag::Yellow), 0, 1, FieldKind::Decimal},
                                 {"K", int(VQColorSliderTag::Black), 0, 1, FieldKind::Decimal}})
{
}

void VQCMYKSlidersColorPicker::showColor(const VQColor &color)
{
    const VQCMYKColor cmyk = color.CMYKColor();
    const std::array<float, 4> values{float(cmyk.c), float(cmyk.m), float(cmyk.y), float(cmyk.k)};
    for (int i = 0; i < 4; ++i)
        slider(i)->setValue(values[i]);
    for (int i = 0; i < 4; ++i)
        setField(i, decimalText(values[i]));
}

void VQCMYKSlidersColorPicker::colorChanged(QObject *sender)
{
    const int edited = indexOfField(sender);
    if (edited >= 0) {
        slider(edited)->setValue(float(fieldValue(edited)));
    } else {
        for (int i = 0; i < 4; ++i)
            setField(i, decimalText(float(slider(i)->value())));
    }
    std::array<double, 4> cmyk{};
    for (int i = 0; i < 4; ++i)
        cmyk[i] = double(float(slider(i)->value()));
    core().setSelectedColor(VQColor::makeCMYK(cmyk[0], cmyk[1], cmyk[2], cmyk[3]), false);
}
