#include "ui/pickers/VQPickerImages.h"

#include "core/VQColor.h"
#include "ui/pickers/VQPickerGeometry.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>

namespace
{
const QImage &cached(std::map<qreal, QImage> &cache, qreal ratio, QImage (*make)(qreal))
{
    auto found = cache.find(ratio);
    if (found == cache.end())
        found = cache.emplace(ratio, make(ratio)).first;
    return found->second;
}

QImage makeCircleCursor(qreal ratio)
{
    const QPoint hotSpot = VQCircleCursorHotSpot(ratio);
    const int side = 2 * hotSpot.x() + 1;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Painted in device pixels: the middle of the hot-spot pixel is its centre.
    const QPointF centre = QPointF(hotSpot) + QPointF(0.5, 0.5);
    const double radius = 5.5 * ratio;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 200), 3.5 * ratio));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(Qt::white, 1.5 * ratio));
    painter.drawEllipse(centre, radius, radius);
    painter.end();
    image.setDevicePixelRatio(ratio);
    return image;
}
} // namespace

QImage VQMakeColorWheelImage(qreal ratio)
{
    using namespace VQColorWheelGeometry;
    const int side = int(std::ceil(kImageSide * ratio));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    const QPointF centre(kImageSide / 2, kImageSide / 2);
    const double edge = kImageSide / 2;
    for (int y = 0; y < side; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < side; ++x) {
            // The colour at the centre of the device pixel, in points.
            const QPointF point((x + 0.5) / ratio, (y + 0.5) / ratio);
            const double distance = std::hypot(point.x() - centre.x(), point.y() - centre.y());
            const double coverage = std::clamp((edge - distance) * ratio + 0.5, 0.0, 1.0);
            if (coverage <= 0) {
                line[x] = 0;
                continue;
            }
            const VQHueSaturation hs = hueSaturationAt(point, centre);
            const VQRGBColor rgb = VQHSVColor{hs.hue, hs.saturation, 1}.toRGB();
            const int alpha = int(std::lround(coverage * 255));
            auto channel = [&](double c) { return int(std::lround(c * 255 * alpha / 255.0)); };
            line[x] = qRgba(channel(rgb.r), channel(rgb.g), channel(rgb.b), alpha);
        }
    }
    return image;
}

const QImage &VQColorWheelImage(qreal ratio)
{
    static std::map<qreal, QImage> cache;
    return cached(cache, ratio, &VQMakeColorWheelImage);
}

QPoint VQCircleCursorHotSpot(qreal ratio)
{
    // Room for the ring's outer edge (7.25 points from the centre) on every side.
    const int half = int(std::ceil(8 * ratio));
    return {half, half};
}

const QImage &VQCircleCursorImage(qreal ratio)
{
    static std::map<qreal, QImage> cache;
    return cached(cache, ratio, &makeCircleCursor);
}
