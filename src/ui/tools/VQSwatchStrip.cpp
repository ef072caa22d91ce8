#include "ui/tools/VQSwatchStrip.h"

#include "core/VQColorDrag.h"
#include "core/VQColorNames.h"
#include "core/VQInk.h"
#include "ui/accessibility/VQAccessibleText.h"

#include <QApplication>
#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

VQSwatchStrip::VQSwatchStrip(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(false);
}

void VQSwatchStrip::setColors(std::vector<VQColorRef> colors, QStringList labels)
{
    _colors = std::move(colors);
    _labels = std::move(labels);
    if (_current >= int(_colors.size()))
        _current = -1;
    update();
    VQAccessibleValueChanged(this);
}

void VQSwatchStrip::setMaximumCellWidth(int width)
{
    _maximumCell = width;
    update();
}

void VQSwatchStrip::setCurrentIndex(int index)
{
    const int current = index >= 0 && index < int(_colors.size()) ? index : -1;
    if (current == _current)
        return;
    _current = current;
    update();
    VQAccessibleValueChanged(this);
}

QString VQSwatchStrip::accessibleValueText() const
{
    if (_colors.empty())
        return {};
    const int index = std::max(_current, 0);
    return VQAccessibleText::swatch(VQAccessibleText::color(*_colors[size_t(index)], VQColorNames::shared()), index,
                                    int(_colors.size()));
}

QStringList VQSwatchStrip::accessibleActions() const
{
    return {QAccessibleActionInterface::pressAction()};
}

void VQSwatchStrip::doAccessibleAction(const QString &name)
{
    if (name != QAccessibleActionInterface::pressAction() || _colors.empty())
        return;
    setCurrentIndex(std::max(_current, 0));
    emit colorChosen(_current);
}

VQSwatchStripGeometry VQSwatchStrip::geometryNow() const
{
    return {int(_colors.size()), size(), _maximumCell, layoutDirection() == Qt::RightToLeft};
}

void VQSwatchStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const VQSwatchStripGeometry geometry = geometryNow();
    // Lines lie inside their cell: the frame on the window, the ring of the
    // current swatch on its colour.
    const QColor frame = VQInk::frame(palette(), palette().color(QPalette::Window));
    const qreal frameWidth = VQInk::frameWidth(palette()), ringWidth = VQInk::ringWidth(palette());
    const auto inset = [](const QRect &cell, qreal line) {
        return QRectF(cell).adjusted(line / 2, line / 2, -line / 2, -line / 2);
    };
    for (int index = 0; index < geometry.count; ++index) {
        const QRect cell = geometry.cellRect(index);
        const QColor color = _colors[size_t(index)]->screenColor();
        painter.fillRect(cell, color);
        painter.setPen(QPen(frame, frameWidth));
        painter.drawRect(inset(cell, frameWidth));
        if (index == _current || (hasFocus() && index == std::max(_current, 0))) {
            painter.setPen(QPen(VQInk::ring(palette(), color), ringWidth));
            painter.drawRect(inset(cell.adjusted(1, 1, -1, -1), ringWidth));
        }
    }
}

void VQSwatchStrip::mousePressEvent(QMouseEvent *event)
{
    _pressed = event->button() == Qt::LeftButton ? geometryNow().indexAt(event->position().toPoint()) : -1;
    _pressPosition = event->position().toPoint();
}

void VQSwatchStrip::mouseMoveEvent(QMouseEvent *event)
{
    if (_pressed < 0 ||
        (event->position().toPoint() - _pressPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    const VQColorRef color = _colors[size_t(_pressed)];
    _pressed = -1;
    auto *data = new QMimeData;
    VQColorDrag::write(*data, *color);
    QPixmap swatch(24, 24);
    swatch.fill(color->screenColor());
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(swatch);
    drag->setHotSpot(QPoint(12, 12));
    drag->exec(Qt::CopyAction);
}

void VQSwatchStrip::mouseReleaseEvent(QMouseEvent *event)
{
    const int index = geometryNow().indexAt(event->position().toPoint());
    if (_pressed >= 0 && index == _pressed) {
        setCurrentIndex(index);
        emit colorChosen(index);
    }
    _pressed = -1;
}

void VQSwatchStrip::keyPressEvent(QKeyEvent *event)
{
    const int count = int(_colors.size());
    if (count == 0)
        return QWidget::keyPressEvent(event);
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = (event->key() == Qt::Key_Right) != rtl ? 1 : -1;
        setCurrentIndex(std::clamp(std::max(_current, 0) + step, 0, count - 1));
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        setCurrentIndex(std::max(_current, 0));
        emit colorChosen(_current);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool VQSwatchStrip::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = geometryNow().indexAt(help->pos());
        if (index < 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const QString label =
            index < _labels.size() && !_labels[index].isEmpty() ? _labels[index] : _colors[size_t(index)]->hexValue();
        QToolTip::showText(help->globalPos(), label, this, geometryNow().cellRect(index));
        return true;
    }
    return QWidget::event(event);
}
