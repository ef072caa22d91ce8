#include "ui/mainwindow/VQSelectionCanvas.h"

#include "core/VQColor.h"
#include "core/VQColorDrag.h"
#include "core/VQInk.h"
#include "core/VQSwatchCore.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

VQSelectionCanvas::VQSelectionCanvas(VQSwatchCore &core, QWidget *parent) : QWidget(parent), _core(core)
{
    // A panel set apart from the window (and from the white of fields in a light
    // palette); the pickers and the readout on it take it as their background.
    setBackgroundRole(QPalette::AlternateBase);
}

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
    const qreal line = VQInk::frameWidth(palette());
    path.addRoundedRect(QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2), 6, 6);
    painter.fillPath(path, palette().color(backgroundRole()));
    painter.setPen(QPen(VQInk::frame(palette(), palette().color(QPalette::Window)), line));
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
