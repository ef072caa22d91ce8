#include "ui/pickers/VQColorSlider.h"

#include "core/VQSwatchCore.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

VQColorSlider::VQColorSlider(int tag, double minimum, double maximum, Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent), _cell(tag, minimum, maximum, orientation == Qt::Vertical), _value(minimum)
{
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    _selectionObserver = VQObserverToken(VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreColorSelectionDidChangeNotification), nullptr,
        [this](const VQNotification &) { update(); }));
}

void VQColorSlider::setValue(double value)
{
    value = _cell.geometry(rect()).clamp(value);
    if (value == _value)
        return;
    _value = value;
    update();
}

QSize VQColorSlider::sizeHint() const
{
    return _cell.isVertical() ? QSize(18, 160) : QSize(160, 18);
}

QSize VQColorSlider::minimumSizeHint() const
{
    return _cell.isVertical() ? QSize(18, 80) : QSize(80, 18);
}

void VQColorSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const VQSwatchCore *core = VQSwatchCore::sharedCore();
    VQColorRef selected = _trackColor ? _trackColor : core ? core->selectedColor() : nullptr;
    if (!selected)
        selected = VQColor::whiteColor();
    _cell.draw(painter, rect(), _value, *selected, _pressed);
}

void VQColorSlider::userMove(double value)
{
    value = _cell.geometry(rect()).clamp(value);
    const bool changed = value != _value;
    _value = value;
    update();
    if (changed)
        emit valueChanged(_value);
}

void VQColorSlider::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    _pressed = true;
    userMove(_cell.geometry(rect()).valueAt(event->position()));
}

void VQColorSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (!_pressed)
        return;
    userMove(_cell.geometry(rect()).valueAt(event->position()));
}

void VQColorSlider::mouseReleaseEvent(QMouseEvent *event)
{
    _pressed = false;
    update();
    QWidget::mouseReleaseEvent(event);
}

void VQColorSlider::keyPressEvent(QKeyEvent *event)
{
    // One hundredth of the range per press, a tenth with Page Up/Down.
    const double step = (_cell.maximum() - _cell.minimum()) / 100;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        return userMove(_value - step);
    case Qt::Key_Right:
    case Qt::Key_Up:
        return userMove(_value + step);
    case Qt::Key_PageDown:
        return userMove(_value - 10 * step);
    case Qt::Key_PageUp:
        return userMove(_value + 10 * step);
    default:
        QWidget::keyPressEvent(event);
    }
}
