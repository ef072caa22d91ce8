#include "ui/pickers/VQColorSliderGradient.h"

#include "vqcore/VQException.h"

std::vector<VQGradientStop> VQColorSliderGradientStops(int tag, const VQColor &selected)
{
    const VQRGBColor rgb = selected.RGBColor();
    const VQCMYKColor cmyk = selected.CMYKColor();
    const VQHSVColor hsv = rgb.toHSV();
    auto rgbStops = [](VQRGBColor from, VQRGBColor to) {
        return std::vector<VQGradientStop>{{0, VQColor::makeRGB(from)->screenColor()},
                                           {1, VQColor::makeRGB(to)->screenColor()}};
    };
    auto cmykStops = [](VQCMYKColor from, VQCMYKColor to) {
        return std::vector<VQGradientStop>{{0, VQColor::makeCMYK(from)->screenColor()},
                                           {1, VQColor::makeCMYK(to)->screenColor()}};
    };
    auto hsvStops = [](VQHSVColor from, VQHSVColor to) {
        return std::vector<VQGradientStop>{{0, VQColor::makeHSB(from.h, from.s, from.v)->screenColor()},
                                           {1, VQColor::makeHSB(to.h, to.s, to.v)->screenColor()}};
    };
    switch (static_cast<VQColorSliderTag>(tag)) {
    case VQColorSliderTag::Red:
        return rgbStops({0, rgb.g, rgb.b}, {1, rgb.g, rgb.b});
    case VQColorSliderTag::Green:
        return rgbStops({rgb.r, 0, rgb.b}, {rgb.r, 1, rgb.b});
    case VQColorSliderTag::Blue:
        return rgbStops({rgb.r, rgb.g, 0}, {rgb.r, rgb.g, 1});
    case VQColorSliderTag::Cyan:
        return cmykStops({0, cmyk.m, cmyk.y, cmyk.k}, {1, cmyk.m, cmyk.y, cmyk.k});
    case VQColorSliderTag::Magenta:
        return cmykStops({cmyk.c, 0, cmyk.y, cmyk.k}, {cmyk.c, 1, cmyk.y, cmyk.k});
    case VQColorSliderTag::Yellow:
        return cmykStops({cmyk.c, cmyk.m, 0, cmyk.k}, {cmyk.c, cmyk.m, 1, cmyk.k});
    case VQColorSliderTag::Black:
        return cmykStops({cmyk.c, cmyk.m, cmyk.y, 0}, {cmyk.c, cmyk.m, cmyk.y, 1});
    case VQColorSliderTag::Gray:
        return rgbStops({0, 0, 0}, VQRGBColor::whiteColor());
    case VQColorSliderTag::Hue: {
        // Hue 0 at the minimum; the last stop stays just short of a full turn.
        static constexpr double kHues[] = {0, 1.0 / 6, 2.0 / 6, 3.0 / 6, 4.0 / 6, 5.0 / 6, 359.0 / 360};
        std::vector<VQGradientStop> stops;
        for (int i = 0; i < 7; ++i)
            stops.push_back({i / 6.0, VQColor::makeHSB(kHues[i], hsv.s, hsv.v)->screenColor()});
        return stops;
    }
    case VQColorSliderTag::Saturation:
        return hsvStops({hsv.h, 0, hsv.v}, {hsv.h, 1, hsv.v});
    case VQColorSliderTag::Brightness:
        return hsvStops({hsv.h, hsv.s, 0}, {hsv.h, hsv.s, 1});
    }
    VQ_THROW_ABSTRACT("drawWithFrame(_:inView:)");
}
