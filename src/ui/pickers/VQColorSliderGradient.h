#pragma once
// What a colour slider's track shows: the colours the selection would take if
// only the slider's component changed. Widget-free; the slider paints the stops.

#include "core/VQColor.h"

#include <QColor>

#include <vector>

// The component a colour slider edits; the values are the sliders' tags.
enum class VQColorSliderTag : int {
    Red = 0,
    Green = 1,
    Blue = 2,
    Cyan = 3,
    Magenta = 4,
    Yellow = 5,
    Black = 6,
    Gray = 7,
    Hue = 8,
    Saturation = 9,
    Brightness = 10,
};

struct VQGradientStop {
    double position = 0; // 0 at the slider's minimum, 1 at its maximum
    QColor color;
};

// The stops for `tag` around `selected` (RGB tags from its RGB components, CMYK
// tags from its CMYK ones, hue, saturation and brightness from its HSV form).
// The hue track runs through seven hues from 0 at the minimum to 359/360 at the
// maximum. A tag outside 0–10 is a programming error (VQAbstractMethodException).
std::vector<VQGradientStop> VQColorSliderGradientStops(int tag, const VQColor &selected);
