#pragma once
// The ink of what a control draws around colour content (frames, focus rings,
// separators, hints, icons, marks on a swatch), taken from the palette it is
// drawn with and kept legible on what lies under it, in a light, a dark or a
// high-contrast palette. The content itself (swatches, gradients) keeps its
// colour. Palettes and colours only: no widget.

#include <QColor>
#include <QPalette>

namespace VQInk
{

// The least WCAG 2.2 contrast kept against what lies under: lines, rings and
// icons 3:1 (the contrast asked of the parts of a control), hints 4.5:1 (text).
inline constexpr double kLineRatio = 3;
inline constexpr double kTextRatio = 4.5;
// Window text at least this far from its window (white or yellow on black,
// black on white) makes a high-contrast palette.
inline constexpr double kHighContrastRatio = 19;

bool isHighContrast(const QPalette &palette);

// `color`, its alpha laid over `background`, when it keeps `minimumRatio`
// against `background`; otherwise the colour of its hue and chroma nearest in
// lightness that does (VQContrast::nearestPassingColor). Always opaque.
QColor legible(const QColor &color, const QColor &background, double minimumRatio = kLineRatio);

// Frames of swatches and controls, and separators, drawn on `background`: the
// palette's Mid made legible; the window text itself in a high-contrast palette.
QColor frame(const QPalette &palette, const QColor &background);
// Focus and drop rings drawn on `background` (a swatch's colour for a ring
// inside a swatch): the palette's Highlight made legible.
QColor ring(const QPalette &palette, const QColor &background);
// Hints and quiet text on `background`: PlaceholderText made legible as text;
// the window text itself in a high-contrast palette.
QColor hint(const QPalette &palette, const QColor &background);
// Icons drawn on a button that lies on `background`: ButtonText made legible.
QColor icon(const QPalette &palette, const QColor &background);

// Pen widths: frames 1 and rings 2, one more each in a high-contrast palette.
qreal frameWidth(const QPalette &palette);
qreal ringWidth(const QPalette &palette);

// Black or white, whichever stands out more from `color`: marks drawn on a swatch.
QColor markOn(const QColor &color);

} // namespace VQInk
