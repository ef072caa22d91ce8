#pragma once
// Colour-space arithmetic: sRGB and the other RGB spaces of CSS, CIE XYZ
// (D65 and D50), CIE Lab and LCH (D50), OKLab and OKLCH, HWB, and bringing a
// colour into the sRGB gamut. Plain numbers, no widgets and no Qt.
//
// RGB triples are gamma-encoded and nominally 0–1 unless a name says
// "linear". Hues are in degrees. Nothing here clamps unless it says so.

#include <array>

namespace VQColorSpaces
{

using Triple = std::array<double, 3>;

// The RGB spaces a CSS color() function names, and the two XYZ ones.
enum class Space { SRGB, SRGBLinear, DisplayP3, A98RGB, ProPhotoRGB, Rec2020, XYZD65, XYZD50 };

// sRGB transfer function, extended to negative values by symmetry.
double sRGBToLinear(double channel);
double linearToSRGB(double channel);

Triple linearSRGBToXYZD65(const Triple &rgb);
Triple XYZD65ToLinearSRGB(const Triple &xyz);
Triple XYZD65ToXYZD50(const Triple &xyz);
Triple XYZD50ToXYZD65(const Triple &xyz);

// Any space of `Space` to and from XYZ D65.
Triple toXYZD65(Space space, const Triple &values);
Triple fromXYZD65(Space space, const Triple &xyz);

// CIE Lab / LCH, D50 white, L 0–100.
Triple XYZD50ToLab(const Triple &xyz);
Triple labToXYZD50(const Triple &lab);
// Lab ↔ LCH and OKLab ↔ OKLCH share the polar form: (L, a, b) ↔ (L, C, h°), 0 <= h < 360.
Triple rectangularToPolar(const Triple &lab);
Triple polarToRectangular(const Triple &lch);

// OKLab, L 0–1.
Triple XYZD65ToOKLab(const Triple &xyz);
Triple OKLabToXYZD65(const Triple &lab);
Triple sRGBToOKLab(const Triple &rgb);
Triple OKLabToSRGB(const Triple &lab);

// HWB: hue in degrees, whiteness and blackness 0–1.
Triple HWBToSRGB(const Triple &hwb);
Triple sRGBToHWB(const Triple &rgb);
// Hue in degrees (0 for a grey), saturation and lightness 0–1.
Triple HSLToSRGB(const Triple &hsl);
Triple sRGBToHSL(const Triple &rgb);

// Euclidean distance of two OKLab colours.
double deltaEOK(const Triple &a, const Triple &b);

// Within 0–1 in every channel, allowing the rounding error a conversion leaves.
bool isInSRGBGamut(const Triple &rgb);

// The sRGB colour for an OKLab colour: the colour itself (clipped to 0–1)
// when it is within the gamut; otherwise the OKLCH chroma is reduced, hue and
// lightness kept, until clipping the result moves it by less than a just
// noticeable difference (deltaEOK 0.02). `mapped` says whether the colour
// was outside.
Triple gamutMapOKLabToSRGB(const Triple &oklab, bool *mapped = nullptr);

} // namespace VQColorSpaces
