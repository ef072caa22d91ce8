#pragma once
// The pickers' computed pictures. Each is made once per device pixel ratio and
// kept; the pixels are exact for that ratio, so they stay sharp on HiDPI screens.

#include <QImage>
#include <QPoint>

// "ColorWheel": a disc 189 points across, hue by angle (0 to the right, growing
// counter-clockwise on screen), saturation from the centre (0) to the rim (1, at
// 94 points), full brightness, with a soft edge one device pixel wide.
const QImage &VQColorWheelImage(qreal devicePixelRatio);
// The same picture, made afresh (benchmarks, tests).
QImage VQMakeColorWheelImage(qreal devicePixelRatio);

// "CircleCursor": a 16-point ring, white between two dark outlines, readable
// over any colour. Its centre is the hot spot.
const QImage &VQCircleCursorImage(qreal devicePixelRatio);
inline constexpr int kCircleCursorSide = 16;
inline constexpr QPoint kCircleCursorHotSpot(8, 8);
