#include "ui/pickers/VQPickerGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{
double clamp01(double value)
{
    return std::clamp(value, 0.0, 1.0);
}
} // namespace

namespace VQColorWheelGeometry
{
QPointF centre(const QRectF &bounds)
{
    return bounds.center();
}

QPointF pixelCentreAt(const QPointF &position, double devicePixelRatio)
{
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    return {(std::floor(position.x() * ratio) + 0.5) / ratio, (std::floor(position.y() * ratio) + 0.5) / ratio};
}

QPointF clampToRim(const QPointF &point, const QPointF &centre)
{
    const QPointF offset = point - centre;
    const double distanceSquared = offset.x() * offset.x() + offset.y() * offset.y();
    if (distanceSquared <= kRadius * kRadius)
        return point;
    return centre + offset * std::sqrt(kRadius * kRadius / distanceSquared);
}

VQHueSaturation hueSaturationAt(const QPointF &point, const QPointF &centre)
{
    const double dx = point.x() - centre.x();
    const double dy = centre.y() - point.y(); // upwards is positive
    const double distance = std::hypot(dx, dy);
    VQHueSaturation hs;
    if (distance == 0)
        return hs;
    double hue = std::atan2(dy, dx) / (2 * std::numbers::pi);
    if (hue < 0)
        hue += 1;
    if (hue >= 1) // -0.0…01 + 1 rounds up to a full turn
        hue = 0;
    hs.hue = hue;
    // A point beyond the rim counts as on it: saturation exactly 1.
    hs.saturation = std::min(distance, kRadius) / kRadius;
    return hs;
}

QPointF pointFor(const VQHueSaturation &hs, const QPointF &centre)
{
    const double hue = hs.hue < 0 ? 0 : hs.hue;
    const double radius = hs.saturation * kRadius;
    const double angle = 2 * std::numbers::pi * hue;
    return {centre.x() + radius * std::cos(angle), centre.y() - radius * std::sin(angle)};
}

QRectF knobRedrawRect(const QPointF &point)
{
    return {point.x() - kKnobRedraw / 2, point.y() - kKnobRedraw / 2, kKnobRedraw, kKnobRedraw};
}
} // namespace VQColorWheelGeometry

namespace VQBrightnessSliderGeometry
{
QRectF knobFrame(double value, double height)
{
    const double bottom = kTravel * value + kBottomGap; // measured upwards from the bottom edge
    return {0, height - bottom - kKnobHeight, kKnobWidth, kKnobHeight};
}

double valueAt(double y, double height)
{
    return height > 0 ? (height - y) / height : 0;
}

bool hitsKnob(const QPointF &point, double value, double height)
{
    return knobFrame(value, height).adjusted(0, -2, 0, 2).contains(point);
}

QRectF trackRect(const QRectF &bounds)
{
    return bounds.adjusted(5, 0.5, -5, -0.5);
}
} // namespace VQBrightnessSliderGeometry

namespace VQSaturationBrightnessGeometry
{
Value valueAt(const QPointF &point, const QSizeF &size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return {};
    return {clamp01(point.x() / size.width()), clamp01(1 - point.y() / size.height())};
}

QPointF pointFor(double saturation, double brightness, const QSizeF &size)
{
    return {saturation * size.width(), (1 - brightness) * size.height()};
}
} // namespace VQSaturationBrightnessGeometry

VQSliderGeometry::VQSliderGeometry(const QRectF &track, double minimum, double maximum, bool vertical)
    : _track(track), _minimum(minimum), _maximum(maximum), _vertical(vertical)
{
}

double VQSliderGeometry::clamp(double value) const
{
    return std::clamp(value, std::min(_minimum, _maximum), std::max(_minimum, _maximum));
}

double VQSliderGeometry::pixelFor(double value) const
{
    const double span = _maximum - _minimum;
    const double fraction = span != 0 ? (clamp(value) - _minimum) / span : 0;
    if (_vertical)
        return _track.bottom() - fraction * _track.height();
    return _track.left() + fraction * _track.width();
}

double VQSliderGeometry::valueAt(const QPointF &point) const
{
    const double length = _vertical ? _track.height() : _track.width();
    if (length <= 0)
        return _minimum;
    const double along = _vertical ? _track.bottom() - point.y() : point.x() - _track.left();
    return clamp(_minimum + clamp01(along / length) * (_maximum - _minimum));
}

QRectF VQSliderGeometry::knobRect(double value, double knobThickness, double overhang) const
{
    const double at = pixelFor(value);
    if (_vertical)
        return {_track.left() - overhang, at - knobThickness / 2, _track.width() + 2 * overhang, knobThickness};
    return {at - knobThickness / 2, _track.top() - overhang, knobThickness, _track.height() + 2 * overhang};
}

QRectF VQColorSliderTrackRect(const QRectF &frame, bool vertical)
{
    return vertical ? frame.adjusted(2, 6, -2, -6) : frame.adjusted(6, 2, -6, -2);
}

double VQSliderValueAfterKeySteps(double value, int steps, double unit, double minimum, double maximum)
{
    // Counted in whole units, and divided back by the units per one, so that
    // hundredths come out as the decimals the field shows (0.34, not 0.34000000000000002).
    const double perOne = unit < 1 ? std::round(1 / unit) : 1;
    const double wholeUnit = unit < 1 ? 1 : unit;
    const double units = value * perOne / wholeUnit;
    // A value a hair off a unit (from single precision) counts as on it.
    const double nearest = std::round(units);
    const double from = std::abs(units - nearest) < 1e-6 ? nearest : steps > 0 ? std::floor(units) : std::ceil(units);
    const double result = (from + steps) * wholeUnit / perOne;
    return std::clamp(result, minimum, maximum);
}

namespace VQScrollGeometry
{
QPointF pointsFor(const QPointF &angleDelta, const QPointF &pixelDelta)
{
    if (!pixelDelta.isNull())
        return pixelDelta;
    return angleDelta / 120.0 * kPointsPerNotch;
}
} // namespace VQScrollGeometry
