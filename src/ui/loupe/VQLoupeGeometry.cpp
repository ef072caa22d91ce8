#include "ui/loupe/VQLoupeGeometry.h"

#include <QtMath>

#include <algorithm>

QRect VQScreenArea::device() const
{
    return QRect(logical.topLeft(),
                 QSize(qRound(logical.width() * devicePixelRatio), qRound(logical.height() * devicePixelRatio)));
}

QRect VQLoupeGeometry::sampleRect(QPoint pointer)
{
    return QRect(pointer - QPoint(SampleRadius, SampleRadius), QSize(SampleSize, SampleSize));
}

std::optional<std::size_t> VQLoupeGeometry::screenAt(const std::vector<VQScreenArea> &screens, QPoint devicePoint)
{
    for (std::size_t i = 0; i < screens.size(); ++i)
        if (screens[i].device().contains(devicePoint))
            return i;
    return std::nullopt;
}

QPointF VQLoupeGeometry::deviceToLogical(QPoint devicePoint, const VQScreenArea &screen)
{
    const QPointF origin = screen.logical.topLeft();
    return origin + (QPointF(devicePoint) - origin) / screen.devicePixelRatio;
}

QPoint VQLoupeGeometry::logicalToDevice(QPointF logicalPoint, const VQScreenArea &screen)
{
    const QPointF origin = screen.logical.topLeft();
    const QPointF device = origin + (logicalPoint - origin) * screen.devicePixelRatio;
    // A tiny allowance so that 0.5 × 2 lands on 1, not on 0.99999.
    return QPoint(qFloor(device.x() + 1e-9), qFloor(device.y() + 1e-9));
}

QPoint VQLoupeGeometry::windowOrigin(QPointF pointer, QSize size, const QRect &screen)
{
    // Rounded away from the pointer: a pointer between two logical pixels (an
    // odd device pixel at scale 2) still keeps its full distance.
    const int right = screen.x() + screen.width(), bottom = screen.y() + screen.height();
    int x = qCeil(pointer.x() + WindowDistance);
    if (x + size.width() > right)
        x = qFloor(pointer.x() - WindowDistance) - size.width();
    int y = qFloor(pointer.y() - WindowDistance) - size.height();
    if (pointer.y() - WindowDistance > bottom)
        y = bottom - WindowDistance - size.height();
    if (y < screen.y())
        y = qCeil(pointer.y() + WindowDistance);
    x = std::clamp(x, screen.x(), std::max(screen.x(), right - size.width()));
    y = std::clamp(y, screen.y(), std::max(screen.y(), bottom - size.height()));
    return QPoint(x, y);
}
