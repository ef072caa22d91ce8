#pragma once
// The state of the loupe over a frozen screen: which device pixel of which
// output is under the crosshair, how the pointer and the arrow keys move it,
// what the magnifier shows and where its panel goes. Plain geometry over a
// VQOutputLayout, no window system.
//
// Surface coordinates are an output's own logical coordinates, (0, 0) at its
// top-left corner: what a surface covering the output measures in.

#include "platform/VQOutputLayout.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <optional>

class VQFrozenLoupeState
{
  public:
    explicit VQFrozenLoupeState(VQOutputLayout layout);

    const VQOutputLayout &layout() const { return _layout; }
    // The pixel under the crosshair; nothing before the pointer or a key said where.
    std::optional<VQOutputPixel> current() const { return _current; }

    // The pointer at `devicePoint` (device pixels, fractions allowed) of
    // `output`: the pixel under it becomes current. The outputs to repaint
    // (none for a bad index or when nothing changed).
    QList<int> pointAt(int output, const QPointF &devicePoint);
    // An arrow key: `delta` device pixels from the current pixel, across
    // outputs where one continues; the first move without a current pixel
    // starts at the first output's centre. The outputs to repaint.
    QList<int> nudge(const QPoint &delta);

    // The current pixel's centre in its output's surface coordinates.
    std::optional<QPointF> surfacePoint() const;
    // Where a panel of `panelSize` (logical pixels) goes on the current
    // pixel's output, in surface coordinates: beside the crosshair, kept on
    // the output. Empty without a current pixel.
    QRect panelRect(const QSize &panelSize) const;

    // The SampleSize × SampleSize square of `image` centred on `pixel`;
    // pixels beyond the image are black.
    static QImage sample(const QImage &image, const QPoint &pixel);

  private:
    QList<int> moveTo(const std::optional<VQOutputPixel> &pixel);

    VQOutputLayout _layout;
    std::optional<VQOutputPixel> _current;
};
