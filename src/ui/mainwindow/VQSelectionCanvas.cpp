#include "ui/mainwindow/VQSelectionCanvas.h"

#include "core/VQColor.h"
#include "core/VQColorDrag.h"
#include "core/VQSwatchCore.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

VQSelectionCanvas::VQSelectionCanvas(VQSwatchCore &core, QWidget *parent) : QWidget(parent), _core(core) {}

QMimeData *VQSelectionCanvas::mimeDataForSelectedColor(const VQSwatchCore &core)
{
    const VQColorRef color = core.selectedColor();
    if (!color)
        return nullptr;
    auto *data = new QMimeData;
    VQColorDrag::write(*data, *color);
    return data;
}

void VQSelectionCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    painter.fillPath(path, QColor(236, 236, 236));
    painter.setPen(QColor(196, 196, 196));
    painter.drawPath(path);
}

void VQSelectionCanvas::mousePressEvent(QMouseEvent *event)
{
    _pressed = event->button() == Qt::LeftButton;
    _pressPosition = event->position().toPoint();
}

void VQSelectionCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (!_pressed ||
        (event->position().toPoint() - _pressPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    _pressed = false;
    dragSelectedColor(this, _core);
}

void VQSelectionCanvas::dragSelectedColor(QWidget *source, const VQSwatchCore &core)
{
    QMimeData *data = mimeDataForSelectedColor(core);
    if (!data)
        return;
    QPixmap swatch(24, 24);
    swatch.fill(qvariant_cast<QColor>(data->colorData()));
    auto *drag = new QDrag(source);
    drag->setMimeData(data);
    drag->setPixmap(swatch);
    drag->setHotSpot(QPoint(12, 12));
    drag->exec(Qt::CopyAction);
}
