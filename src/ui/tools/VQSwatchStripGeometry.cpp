#include "ui/tools/VQSwatchStripGeometry.h"

#include <algorithm>

int VQSwatchStripGeometry::cellWidth() const
{
    if (count <= 0)
        return 0;
    const int fit = (size.width() - (count - 1) * kGap) / count;
    return std::max(1, std::min(maximumCell, fit));
}

QRect VQSwatchStripGeometry::cellRect(int index) const
{
    if (index < 0 || index >= count)
        return QRect();
    const int width = cellWidth();
    const int left = index * (width + kGap);
    const int x = rightToLeft ? size.width() - left - width : left;
    return QRect(x, 0, width, size.height());
}

int VQSwatchStripGeometry::indexAt(QPoint point) const
{
    if (count <= 0 || point.y() < 0 || point.y() >= size.height() || point.x() < 0 || point.x() >= size.width())
        return -1;
    const int width = cellWidth();
    const int fromStart = rightToLeft ? size.width() - 1 - point.x() : point.x();
    const int index = fromStart / (width + kGap);
    if (index >= count || fromStart % (width + kGap) >= width)
        return -1;
    return index;
}
