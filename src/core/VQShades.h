#pragma once
// Shades and tints of a colour: nine steps of OKLCH lightness at 0.15, 0.25, …,
// 0.95, darkest first, each keeping the colour's OKLCH hue and chroma and
// brought into sRGB by VQColorSpaces::gamutMapOKLabToSRGB (chroma reduced
// where the step lies outside), then rounded to 8 bits a channel so that the
// "#RRGGBB" shown is the colour kept.
//
// A fixed ladder rather than steps spread around the colour: OKLCH lightness
// is close to how light a colour looks, so the same step of two hues looks
// about as light and gives about the same contrast against white or black,
// as designers expect of a palette's 100…900; and the ladder never crowds
// together for a colour near black or white. The ends stop short of black and
// white (which every hue shares) at ten steps of a hundredth from them, and
// every step is a clear 0.1 from the next.

#include "core/VQColor.h"
#include "core/VQColorSpaces.h"

#include <QString>

#include <array>

namespace VQShades
{

inline constexpr int kCount = 9;

// The OKLCH lightness of each step, darkest first.
std::array<double, kCount> lightnesses();

// The colour of the same OKLCH hue and chroma as `rgb` (sRGB, 0–1) at
// `lightness`, gamut-mapped into sRGB and rounded to 8 bits a channel.
VQColorSpaces::Triple atLightness(const VQColorSpaces::Triple &rgb, double lightness);

// The nine steps of `rgb`, darkest first.
std::array<VQColorSpaces::Triple, kCount> of(const VQColorSpaces::Triple &rgb);

// "Shades of NAME": the colour's name when it is exactly a named colour
// (VQColorNames), otherwise its "#RRGGBB" (a nearest name would title the
// collection after a colour it does not hold).
QString collectionTitle(const VQColor &color);

} // namespace VQShades
