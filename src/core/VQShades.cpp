#include "core/VQShades.h"

#include "core/VQColorNames.h"

#include <algorithm>
#include <cmath>

namespace VQShades
{

std::array<double, kCount> lightnesses()
{
    std::array<double, kCount> steps{};
    for (int index = 0; index < kCount; ++index)
        steps[size_t(index)] = 0.15 + 0.1 * index;
    return steps;
}

VQColorSpaces::Triple atLightness(const VQColorSpaces::Triple &rgb, double lightness)
{
    const VQColorSpaces::Triple lch = VQColorSpaces::rectangularToPolar(VQColorSpaces::sRGBToOKLab(rgb));
    VQColorSpaces::Triple mapped =
        VQColorSpaces::gamutMapOKLabToSRGB(VQColorSpaces::polarToRectangular({lightness, lch[1], lch[2]}));
    for (double &channel : mapped)
        channel = std::round(std::clamp(channel, 0.0, 1.0) * 255) / 255;
    return mapped;
}

std::array<VQColorSpaces::Triple, kCount> of(const VQColorSpaces::Triple &rgb)
{
    std::array<VQColorSpaces::Triple, kCount> steps{};
    const std::array<double, kCount> levels = lightnesses();
    for (int index = 0; index < kCount; ++index)
        steps[size_t(index)] = atLightness(rgb, levels[size_t(index)]);
    return steps;
}

QString collectionTitle(const VQColor &color)
{
    const VQRGBColor rgb = color.RGBColor();
    const VQColorNames::Match match = VQColorNames::shared().nearest({rgb.r, rgb.g, rgb.b});
    return QStringLiteral("Shades of %1").arg(match.exact ? match.name : color.hexValue());
}

} // namespace VQShades
