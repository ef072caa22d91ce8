#pragma once
// The outputs (monitors) of a desktop session and the mapping between the
// session's logical coordinates and each output's own device pixels. Pure
// geometry: no window system, tested with rows of numbers.
//
// Logical coordinates are the compositor's global space (Qt's logical pixels):
// an output covers its logical rectangle, which may start at negative or odd
// positions. Its picture has deviceSize pixels; the ratio between the two is
// the output's scale (1, 1.5, 2…), possibly different per axis after the
// compositor rounded a fractional size. At a scale above 1 a logical point
// covers several device pixels, so positions are QPointF: every device pixel
// of every output is reached by some logical position, and the center of a
// device pixel maps back to that same pixel.
//
//   logical x:  100        101        102            (output at x = 100, ×2)
//               |----------|----------|
//   device px:  |  0  |  1 |  2  |  3 |

#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>

struct VQOutput {
    QString name;      // the compositor's name ("HEADLESS-1", "DP-2"), may be empty
    QRect logicalRect; // in the session's logical coordinates
    QSize deviceSize;  // the output's picture in device pixels

    bool isValid() const { return logicalRect.isValid() && !deviceSize.isEmpty(); }
    // Device pixels per logical unit, horizontally and vertically.
    qreal scaleX() const { return qreal(deviceSize.width()) / logicalRect.width(); }
    qreal scaleY() const { return qreal(deviceSize.height()) / logicalRect.height(); }
};

// One device pixel of one output: `output` indexes VQOutputLayout::outputs().
struct VQOutputPixel {
    int output = -1;
    QPoint pixel; // 0 ≤ x < deviceSize.width(), 0 ≤ y < deviceSize.height()

    friend bool operator==(const VQOutputPixel &, const VQOutputPixel &) = default;
};

class VQOutputLayout
{
  public:
    VQOutputLayout() = default;
    // Outputs that are not valid (empty rectangle or picture) are left out.
    explicit VQOutputLayout(const QList<VQOutput> &outputs);

    const QList<VQOutput> &outputs() const { return _outputs; }
    bool isEmpty() const { return _outputs.isEmpty(); }
    // The smallest logical rectangle that holds every output.
    QRect logicalBounds() const;

    // The output whose logical rectangle holds `logical` (its right and bottom
    // edges excluded), or -1. Overlapping outputs (mirrors): the first listed.
    int outputAt(const QPointF &logical) const;
    // The device pixel under `logical`, or nothing in no output.
    std::optional<VQOutputPixel> pixelAt(const QPointF &logical) const;
    // The device pixel of `output` under `logical`, which is clamped to that
    // output: the pixel nearest to a position outside it. Nothing for a bad index.
    std::optional<VQOutputPixel> pixelOnOutput(int output, const QPointF &logical) const;
    // The pixel at `devicePoint` (device pixels from the output's top-left,
    // fractions allowed, as a window's position times its device pixel ratio),
    // clamped to the output. Nothing for a bad index.
    std::optional<VQOutputPixel> pixelFromDevicePoint(int output, const QPointF &devicePoint) const;

    // The logical rectangle a device pixel covers, and its center, which maps
    // back to the same pixel. Empty for a pixel that is not in the layout.
    QRectF logicalRect(const VQOutputPixel &pixel) const;
    QPointF logicalCenter(const VQOutputPixel &pixel) const;

    // The pixel `delta` device pixels away (the arrow keys). Within an output
    // this is exact; a step over the output's edge lands in the output that
    // continues there, or stays at the edge when none does.
    std::optional<VQOutputPixel> moved(const VQOutputPixel &from, const QPoint &delta) const;

  private:
    bool contains(const VQOutputPixel &pixel) const;

    QList<VQOutput> _outputs;
};
