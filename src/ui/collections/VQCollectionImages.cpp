#include "ui/collections/VQCollectionImages.h"

#include <QPainter>
#include <QPainterPath>

namespace
{

QPixmap canvas(int side, qreal ratio)
{
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap VQPlaceholderIcon(const QColor &ink, qreal devicePixelRatio)
{
    QPixmap pixmap = canvas(VQPlaceholderIconSide, devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A dashed, empty well where the first colour would be.
    const QRectF well(3.5, 2.5, 27, 27);
    painter.setPen(QPen(ink, 1.0, Qt::DashLine));
    painter.drawRoundedRect(well, 3, 3);
    painter.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre = well.center();
    painter.drawLine(centre - QPointF(5, 0), centre + QPointF(5, 0));
    painter.drawLine(centre - QPointF(0, 5), centre + QPointF(0, 5));
    return pixmap;
}

QPixmap VQCloseButtonImage(bool highlighted, qreal devicePixelRatio)
{
    QPixmap pixmap = canvas(VQCloseButtonSide, devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 220), 1.0));
    painter.setBrush(highlighted ? QColor(30, 30, 30) : QColor(90, 90, 90));
    painter.drawEllipse(QRectF(0.5, 0.5, 10, 10));
    painter.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3.5, 3.5), QPointF(7.5, 7.5));
    painter.drawLine(QPointF(7.5, 3.5), QPointF(3.5, 7.5));
    return pixmap;
}
