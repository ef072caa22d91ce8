#include "platform/VQOutputLayout.h"

#include <algorithm>
#include <cmath>

namespace
{
// Device pixel index of a position `offset` logical units into an output
// `logicalExtent` long with `deviceExtent` pixels, clamped to the output.
int deviceIndex(qreal offset, int logicalExtent, int deviceExtent)
{
    const qreal device = offset * deviceExtent / logicalExtent;
    if (!(device >= 0)) // also NaN
        return 0;
    if (device >= deviceExtent)
        return deviceExtent - 1;
    return std::clamp(int(std::floor(device)), 0, deviceExtent - 1);
}

bool spans(qreal value, int start, int extent)
{
    return value >= start && value < qreal(start) + extent;
}
} // namespace

VQOutputLayout::VQOutputLayout(const QList<VQOutput> &outputs)
{
    for (const VQOutput &output : outputs) {
        if (output.isValid())
            _outputs.append(output);
    }
}

QRect VQOutputLayout::logicalBounds() const
{
    QRect bounds;
    for (const VQOutput &output : _outputs)
        bounds = bounds.united(output.logicalRect);
    return bounds;
}

int VQOutputLayout::outputAt(const QPointF &logical) const
{
    for (int i = 0; i < _outputs.size(); ++i) {
        const QRect &rect = _outputs[i].logicalRect;
        if (spans(logical.x(), rect.x(), rect.width()) && spans(logical.y(), rect.y(), rect.height()))
            return i;
    }
    return -1;
}

std::optional<VQOutputPixel> VQOutputLayout::pixelAt(const QPointF &logical) const
{
    const int output = outputAt(logical);
    if (output < 0)
        return std::nullopt;
    return pixelOnOutput(output, logical);
}

std::optional<VQOutputPixel> VQOutputLayout::pixelOnOutput(int output, const QPointF &logical) const
{
    if (output < 0 || output >= _outputs.size())
        return std::nullopt;
    const VQOutput &o = _outputs[output];
    const QRect &rect = o.logicalRect;
    return VQOutputPixel{output, QPoint(deviceIndex(logical.x() - rect.x(), rect.width(), o.deviceSize.width()),
                                        deviceIndex(logical.y() - rect.y(), rect.height(), o.deviceSize.height()))};
}

std::optional<VQOutputPixel> VQOutputLayout::pixelFromDevicePoint(int output, const QPointF &devicePoint) const
{
    if (output < 0 || output >= _outputs.size())
        return std::nullopt;
    const QSize size = _outputs[output].deviceSize;
    return VQOutputPixel{output, QPoint(deviceIndex(devicePoint.x(), size.width(), size.width()),
                                        deviceIndex(devicePoint.y(), size.height(), size.height()))};
}

bool VQOutputLayout::contains(const VQOutputPixel &pixel) const
{
    return pixel.output >= 0 && pixel.output < _outputs.size() &&
           QRect(QPoint(0, 0), _outputs[pixel.output].deviceSize).contains(pixel.pixel);
}

QRectF VQOutputLayout::logicalRect(const VQOutputPixel &pixel) const
{
    if (!contains(pixel))
        return {};
    const VQOutput &o = _outputs[pixel.output];
    const qreal w = 1 / o.scaleX(), h = 1 / o.scaleY();
    return QRectF(o.logicalRect.x() + pixel.pixel.x() * w, o.logicalRect.y() + pixel.pixel.y() * h, w, h);
}

QPointF VQOutputLayout::logicalCenter(const VQOutputPixel &pixel) const
{
    return logicalRect(pixel).center();
}

std::optional<VQOutputPixel> VQOutputLayout::moved(const VQOutputPixel &from, const QPoint &delta) const
{
    if (!contains(from))
        return std::nullopt;
    const QSize size = _outputs[from.output].deviceSize;
    const QPoint target = from.pixel + delta;
    if (QRect(QPoint(0, 0), size).contains(target))
        return VQOutputPixel{from.output, target};

    // Over the edge: the output that continues just past it (other than this
    // one) takes the step, at its first pixel in that direction; else stay at
    // the edge. Landing on the neighbor's edge pixel, not `delta` pixels
    // into it, keeps every pixel reachable between outputs of different scale.
    const VQOutput &o = _outputs[from.output];
    constexpr qreal kPastEdge = 1.0 / 1024; // a fraction of any device pixel
    const auto across = [&](int target, int extent, int start, int logicalExtent, qreal scale) {
        if (target < 0)
            return start - kPastEdge;
        if (target >= extent)
            return start + logicalExtent + kPastEdge;
        return start + (target + 0.5) / scale;
    };
    const QPointF logical(across(target.x(), size.width(), o.logicalRect.x(), o.logicalRect.width(), o.scaleX()),
                          across(target.y(), size.height(), o.logicalRect.y(), o.logicalRect.height(), o.scaleY()));
    const int other = outputAt(logical);
    if (other >= 0 && other != from.output)
        return pixelOnOutput(other, logical);
    return VQOutputPixel{
        from.output, QPoint(std::clamp(target.x(), 0, size.width() - 1), std::clamp(target.y(), 0, size.height() - 1))};
}
