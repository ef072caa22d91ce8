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
        placed.native = placed.source.size() == output.deviceSize;
        mapped.outputs.append(placed);
    }
    return mapped;
}
