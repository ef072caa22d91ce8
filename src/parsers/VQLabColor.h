#pragma once
// CIE L*a*b* as swatch files store it: relative to the D50 white (the ICC
// profile connection space). L* 0–100, a* and b* about −128…127.

#include "core/VQColor.h"

struct VQLabColor {
    double L = 0, a = 0, b = 0;

    // sRGB (D65), each channel 0–1: XYZ under D50, Bradford adaptation to D65,
    // the sRGB primaries and companding. Colours outside the sRGB gamut are
    // clipped channel by channel; non-finite input reads as black.
    VQRGBColor toSRGB() const;
};
