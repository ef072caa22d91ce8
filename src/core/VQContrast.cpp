#include "core/VQContrast.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace VQContrast
{

double relativeLuminance(const VQColorSpaces::Triple &rgb)
{
    // WCAG's own linearisation; its threshold 0.04045 is the sRGB one.
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(rgb[0]) + 0.7152 * linear(rgb[1]) + 0.0722 * linear(rgb[2]);
}

double ratio(const VQColorSpaces::Triple &a, const VQColorSpaces::Triple &b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Grades grades(double ratio)
{
    return {ratio >= 4.5, ratio >= 3, ratio >= 7, ratio >= 4.5};
}

long long ratioHundredths(double ratio)
{
    // A ratio that is a whole hundredth up to floating-point noise (21 from 1.05 / 0.05)
    // keeps that hundredth; anything below it is cut off.
    return static_cast<long long>(std::floor(ratio * 100 + 1e-9));
}

std::string ratioText(double ratio)
{
    const long long hundredths = ratioHundredths(ratio);
    char text[48];
    if (hundredths % 100 == 0)
        std::snprintf(text, sizeof text, "%lld:1", hundredths / 100);
    else if (hundredths % 10 == 0)
        std::snprintf(text, sizeof text, "%lld.%lld:1", hundredths / 100, hundredths % 100 / 10);
    else
        std::snprintf(text, sizeof text, "%lld.%02lld:1", hundredths / 100, hundredths % 100);
    return text;
}

double apcaLightnessContrast(const VQColorSpaces::Triple &text, const VQColorSpaces::Triple &background)
{
    // APCA 0.0.98G-4g: screen luminance by a plain 2.4 power, a soft clamp near black,
    // then different exponents for the two polarities.
    constexpr double mainTRC = 2.4;
    constexpr double redCoefficient = 0.2126729, greenCoefficient = 0.7151522, blueCoefficient = 0.0721750;
    constexpr double normalBackground = 0.56, normalText = 0.57, reverseText = 0.62, reverseBackground = 0.65;
    constexpr double blackThreshold = 0.022, blackClamp = 1.414;
    constexpr double scale = 1.14, lowOffset = 0.027, minimumDeltaY = 0.0005, lowClip = 0.1;

    const auto screenLuminance = [&](const VQColorSpaces::Triple &rgb) {
        const auto channel = [&](double c) { return std::pow(std::clamp(c, 0.0, 1.0), mainTRC); };
        const double y =
            redCoefficient * channel(rgb[0]) + greenCoefficient * channel(rgb[1]) + blueCoefficient * channel(rgb[2]);
        return y > blackThreshold ? y : y + std::pow(blackThreshold - y, blackClamp);
    };
    const double textY = screenLuminance(text), backgroundY = screenLuminance(background);
    if (std::abs(backgroundY - textY) < minimumDeltaY)
        return 0;
    double output;
    if (backgroundY > textY) {
        const double contrast = (std::pow(backgroundY, normalBackground) - std::pow(textY, normalText)) * scale;
        output = contrast < lowClip ? 0 : contrast - lowOffset;
    } else {
        const double contrast = (std::pow(backgroundY, reverseBackground) - std::pow(textY, reverseText)) * scale;
        output = contrast > -lowClip ? 0 : contrast + lowOffset;
    }
    return output * 100;
}

VQColorSpaces::Triple nearestPassingColor(const VQColorSpaces::Triple &color, const VQColorSpaces::Triple &background,
                                          double minimumRatio)
{
    using VQColorSpaces::Triple;
    const long long least = ratioHundredths(minimumRatio);
    const auto passes = [&](const Triple &rgb) { return ratioHundredths(ratio(rgb, background)) >= least; };
    if (passes(color))
        return color;
    const Triple lch = VQColorSpaces::rectangularToPolar(VQColorSpaces::sRGBToOKLab(color));
    const auto atLightness = [&lch](double lightness) {
        Triple rgb = VQColorSpaces::gamutMapOKLabToSRGB(VQColorSpaces::polarToRectangular({lightness, lch[1], lch[2]}));
        for (double &channel : rgb)
            channel = std::round(std::clamp(channel, 0.0, 1.0) * 255) / 255;
        return rgb;
    };
    const auto passesAt = [&](double lightness) { return passes(atLightness(lightness)); };

    // Walk away from the colour's own lightness in both directions, in steps fine
    // enough not to step over a band that passes, then bisect the step where it
    // starts to pass.
    constexpr double step = 0.001, precision = 1e-7;
    const double own = std::clamp(lch[0], 0.0, 1.0);
    std::optional<double> nearest;
    for (const double direction : {-1.0, 1.0}) {
        double failing = own;
        while (!nearest || std::abs(failing - own) < std::abs(*nearest - own)) {
            const double next = std::clamp(failing + direction * step, 0.0, 1.0);
            if (passesAt(next)) {
                double passing = next;
                while (std::abs(passing - failing) > precision) {
                    const double middle = (passing + failing) / 2;
                    (passesAt(middle) ? passing : failing) = middle;
                }
                if (!nearest || std::abs(passing - own) < std::abs(*nearest - own))
                    nearest = passing;
                break;
            }
            if (next == failing)
                break; // reached black or white
            failing = next;
        }
    }
    if (nearest)
        return atLightness(*nearest);
    // Only a ratio above 4.58 can leave both black and white short of it.
    const Triple black{0, 0, 0}, white{1, 1, 1};
    return ratio(black, background) >= ratio(white, background) ? black : white;
}

} // namespace VQContrast
