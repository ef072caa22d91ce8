#pragma once
// The arithmetic of the pickers, free of widgets: where a colour lies on the
// wheel, the square and a slider, and which colour a point stands for. All
// coordinates are Qt's (y grows downwards) in device-independent pixels.

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Hue as a fraction of a turn (0 <= hue < 1), saturation 0–1.
struct VQHueSaturation {
    double hue = 0;
    double saturation = 0;
    friend bool operator==(const VQHueSaturation &, const VQHueSaturation &) = default;
};

// The colour wheel: hue 0 to the right of the centre, growing counter-clockwise
// on screen (0.25 straight up); saturation grows with the distance, 1 at the rim.
namespace VQColorWheelGeometry
{
inline constexpr double kRadius = 94;     // the knob's largest distance from the centre
inline constexpr double kImageSide = 189; // the computed wheel picture, in points
// The area around the knob that changes when it moves: the 4-point knob sits on
// the nearest whole point, so half a point more on every side.
inline constexpr double kKnobRedraw = 6;

// The centre of a wheel drawn in `bounds`.
QPointF centre(const QRectF &bounds);
// The point a click at `position` stands for: the centre of the device pixel
// under the pointer, where the picture computes that pixel's colour. A pointer
// reports the pixel's corner (x = 188 for the pixel covering 188 to 189), so
// taken as it comes a click would select a colour half a pixel off the one it
// lands on.
QPointF pixelCentreAt(const QPointF &position, double devicePixelRatio);
// A point farther than the rim is pulled onto the rim along its own direction.
QPointF clampToRim(const QPointF &point, const QPointF &centre);
// The hue and saturation under `point` (pulled onto the rim first); the centre gives (0, 0).
VQHueSaturation hueSaturationAt(const QPointF &point, const QPointF &centre);
// Where the knob of `hs` sits; a negative hue counts as 0.
QPointF pointFor(const VQHueSaturation &hs, const QPointF &centre);
// The 4 × 4 area around the knob at `point`, to be repainted when it moves.
QRectF knobRedrawRect(const QPointF &point);
} // namespace VQColorWheelGeometry

// The brightness slider beside the wheel: a knob 27 × 10 that travels 179
// points, 2 points above the bottom at brightness 0.
namespace VQBrightnessSliderGeometry
{
inline constexpr double kKnobWidth = 27;
inline constexpr double kKnobHeight = 10;
inline constexpr double kTravel = 179;
inline constexpr double kBottomGap = 2;
// The height at which the knob reaches the top at brightness 1.
inline constexpr double kPreferredHeight = kTravel + kBottomGap + kKnobHeight;

QRectF knobFrame(double value, double height);
// The brightness for a press at `y` (not clamped: the slider's setter clamps).
double valueAt(double y, double height);
// Whether a press at `point` takes the knob: its frame grown 2 points up and down.
bool hitsKnob(const QPointF &point, double value, double height);
// The track: the bounds inset by 5 points horizontally and 0.5 vertically.
QRectF trackRect(const QRectF &bounds);
} // namespace VQBrightnessSliderGeometry

// The saturation–brightness square: saturation grows to the right, brightness
// upwards (the bottom row is black).
namespace VQSaturationBrightnessGeometry
{
struct Value {
    double saturation = 0;
    double brightness = 0;
    friend bool operator==(const Value &, const Value &) = default;
};
// Each clamped to 0–1.
Value valueAt(const QPointF &point, const QSizeF &size);
QPointF pointFor(double saturation, double brightness, const QSizeF &size);
} // namespace VQSaturationBrightnessGeometry

// A straight slider whose values run from `minimum` (left, or bottom when
// vertical) to `maximum` along a track.
class VQSliderGeometry
{
  public:
    VQSliderGeometry(const QRectF &track, double minimum, double maximum, bool vertical);

    // The position along the track (x when horizontal, y when vertical) of `value`,
    // clamped to the range.
    double pixelFor(double value) const;
    // The value under `point`, clamped to the range.
    double valueAt(const QPointF &point) const;
    // The knob (`knobThickness` along the track, the track's depth grown by
    // `overhang` on both sides) centred on the value.
    QRectF knobRect(double value, double knobThickness, double overhang) const;

    double clamp(double value) const;
    const QRectF &track() const { return _track; }

  private:
    QRectF _track;
    double _minimum;
    double _maximum;
    bool _vertical;
};

// The track of a colour slider inside its frame: inset 6 along the slider and 2 across.
QRectF VQColorSliderTrackRect(const QRectF &frame, bool vertical);

// Where the arrow keys take a slider: `steps` units of what its field shows
// (`unit` 1 for whole numbers, 0.01 for hundredths) up or down from `value`,
// counted from the unit at or beyond `value` (a dragged slider may sit between
// two), kept within minimum–maximum.
double VQSliderValueAfterKeySteps(double value, int steps, double unit, double minimum, double maximum);

// How far a scroll moves, in points. Touchpads report pixels; wheels report
// 120 units per notch, which we turn into kPointsPerNotch points.
namespace VQScrollGeometry
{
inline constexpr double kPointsPerNotch = 6;
// Positive y: scrolled away from the user (up); positive x: scrolled to the left.
QPointF pointsFor(const QPointF &angleDelta, const QPointF &pixelDelta);
} // namespace VQScrollGeometry
