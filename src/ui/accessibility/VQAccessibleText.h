#pragma once
// What screen readers say of the window's drawn controls: each value in words,
// as a short sentence that stands on its own ("Hue 210°, saturation 49%").
// Widget-free; numbers are rounded to what the control shows.

#include <QString>

class VQColor;
class VQColorNames;

namespace VQAccessibleText
{

// How a colour component is spoken.
enum class Unit {
    Whole,   // the value as it is, rounded: "Red 128"
    Degrees, // an angle 0–360: "Hue 210°" (360° is 0°)
    Percent, // a fraction 0–1: "Cyan 25%"
};

// A component named `name` (translated already) at `value`.
QString component(const QString &name, double value, Unit unit);
// The colour wheel's knob: hue as a fraction of a turn, saturation 0–1.
QString wheel(double hue, double saturation);
// The brightness slider, 0–1.
QString brightness(double value);
// The point of the saturation–brightness square, each 0–1.
QString saturationBrightness(double saturation, double brightness);
// A colour and its name from `names`: "Color #336699, Steel Blue", or "close to
// …" when the name is the nearest one; a CMYK colour gives its inks instead of hex.
QString color(const VQColor &color, const VQColorNames &names);
// No colour to speak of.
QString noColor();
// A collection's button in the lane: its title and how many colours it holds.
QString collection(const QString &title, int count);
// The current swatch of a strip: its label, and where it is among `count`.
QString swatch(const QString &label, int index, int count);
// The loupe's readout: the colour under the pointer and the sample's size ("3×3").
QString loupe(const QString &colorText, const QString &sampleSize);

} // namespace VQAccessibleText
