#include "platform/VQScreenshotLayout.h"

#include <algorithm>
#include <cmath>

namespace
{
// The picture's pixel edge at `logical` units from the desktop's edge.
int edge(qreal logical, qreal scale, int extent)
{
    return std::clamp(int(std::lround(logical * scale)), 0, extent);
}

QString sizeText(const QSize &size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}
} // namespace

VQOutputLayout VQScreenshotLayout::layout() const
{
    QList<VQOutput> measured;
    for (const VQScreenshotOutput &output : outputs)
        measured.append(output.output);
    return VQOutputLayout(measured);
}

QImage VQScreenshotOutputImage(const QImage &picture, const VQScreenshotOutput &output)
{
    if (output.fit != VQScreenshotOutput::Fit::Magnified)
        return picture.copy(output.source);
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const QSize size = output.output.deviceSize;
    const int block = output.source.width() / size.width();
    const QPoint first = output.source.topLeft() + QPoint(block / 2, block / 2);
    QImage own(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(rgb.constScanLine(first.y() + y * block)) + first.x();
        auto *to = reinterpret_cast<QRgb *>(own.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            to[x] = from[x * block];
    }
    return own;
}

VQScreenshotLayout VQMapScreenshot(const QList<VQOutput> &outputs, const QSize &pictureSize)
{
    VQScreenshotLayout mapped;
    QRect bounds;
    for (const VQOutput &output : outputs) {
        if (output.logicalRect.isValid())
            bounds = bounds.united(output.logicalRect);
    }
    if (bounds.isEmpty()) {
        mapped.error = QStringLiteral("there is no screen to lay the screenshot over");
        return mapped;
    }
    if (pictureSize.isEmpty()) {
        mapped.error = QStringLiteral("the screenshot is empty");
        return mapped;
    }
    // One scale for both axes; the desktop rounded each extent to whole pixels.
    const qreal scale = qreal(pictureSize.width()) / bounds.width();
    if (std::abs(bounds.height() * scale - pictureSize.height()) > 1.0 + scale) {
        mapped.error = QStringLiteral("the screenshot is %1 pixels, not the shape of the desktop's %2 logical pixels")
                           .arg(sizeText(pictureSize), sizeText(bounds.size()));
        return mapped;
    }
    mapped.scale = scale;
    for (const VQOutput &output : outputs) {
        if (!output.logicalRect.isValid())
            continue;
        const QRect logical = output.logicalRect.translated(-bounds.topLeft());
        const int left = edge(logical.x(), scale, pictureSize.width());
        const int top = edge(logical.y(), scale, pictureSize.height());
        const int right = edge(logical.x() + logical.width(), scale, pictureSize.width());
        const int bottom = edge(logical.y() + logical.height(), scale, pictureSize.height());
        VQScreenshotOutput placed;
        placed.source = QRect(left, top, right - left, bottom - top);
        placed.output = VQOutput{output.name, output.logicalRect, placed.source.size()};
        const QSize own = output.deviceSize;
        if (placed.source.size() == own) {
            placed.fit = VQScreenshotOutput::Fit::Native;
        } else if (!own.isEmpty() && placed.source.width() % own.width() == 0 &&
                   placed.source.height() % own.height() == 0 &&
                   placed.source.width() / own.width() == placed.source.height() / own.height()) {
            placed.fit = VQScreenshotOutput::Fit::Magnified;
            placed.output.deviceSize = own;
        }
        mapped.outputs.append(placed);
    }
    return mapped;
}
