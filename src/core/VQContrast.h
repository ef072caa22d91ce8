#pragma once
// The contrast of two colours: the WCAG 2.2 contrast ratio with its AA and AAA
// grades, and the APCA lightness contrast Lc (constants of version 0.0.98G-4g).
// Plain numbers on sRGB triples, 0–1.

#include "core/VQColorSpaces.h"

#include <string>

namespace VQContrast
{

// WCAG 2.2 relative luminance, 0 (black) to 1 (white).
double relativeLuminance(const VQColorSpaces::Triple &rgb);
// (lighter + 0.05) / (darker + 0.05): 1 to 21, whichever colour is the foreground.
double ratio(const VQColorSpaces::Triple &a, const VQColorSpaces::Triple &b);

// The grades, judged on the unrounded ratio.
struct Grades {
    bool aaNormal = false;  // at least 4.5
    bool aaLarge = false;   // at least 3
    bool aaaNormal = false; // at least 7
    bool aaaLarge = false;  // at least 4.5
};
Grades grades(double ratio);

// The ratio in whole hundredths, truncated as ratioText shows it (4.4780… is 447).
long long ratioHundredths(double ratio);
// "4.47:1": truncated to two decimals, never rounded up, trailing zeros dropped ("21:1").
std::string ratioText(double ratio);

// APCA Lc of text on a background: positive for dark text on a light background,
// negative for light on dark, 0 when the difference is too small to read.
double apcaLightnessContrast(const VQColorSpaces::Triple &text, const VQColorSpaces::Triple &background);

// The colour nearest to `color` that passes AA for normal text on `background`
// (a ratio of at least `minimumRatio`, 4.5 unless given, as ratioText shows it):
// `color` itself when it passes; otherwise the colour of the same OKLCH hue and chroma whose OKLCH
// lightness is closest to its own, brought into the sRGB gamut
// (VQColorSpaces::gamutMapOKLabToSRGB) and rounded to 8 bits a channel, so that
// the colour shown as "#RRGGBB" is the one that passes. Some lightness always
// passes: lightness 0 and 1 are black and white, and their two ratios against
// any background multiply to 21, so one of them is at least 4.58 (a larger
// `minimumRatio` may find none: then the one of black and white that stands out more).
VQColorSpaces::Triple nearestPassingColor(const VQColorSpaces::Triple &color, const VQColorSpaces::Triple &background,
                                          double minimumRatio = 4.5);

} // namespace VQContrast
