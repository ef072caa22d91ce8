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

// "CircleCursor": a ring 14.5 points across, white between two dark outlines,
// readable over any colour, drawn in device pixels for `devicePixelRatio`. The
// ring is centred on the middle of one pixel, the hot spot, which is also the
// image's middle pixel (so the image has an odd number of pixels a side).
const QImage &VQCircleCursorImage(qreal devicePixelRatio);
// The hot spot of VQCircleCursorImage(devicePixelRatio), in its pixels.
QPoint VQCircleCursorHotSpot(qreal devicePixelRatio);
