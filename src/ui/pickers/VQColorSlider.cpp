#include "ui/pickers/VQColorSlider.h"

#include "core/VQInk.h"
#include "core/VQSwatchCore.h"
#include "ui/accessibility/VQAccessibleText.h"
#include "ui/pickers/VQColorSliderGradient.h"
#include "vqcore/VQLocalizedString.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace
{
// The component a tag edits, as screen readers name it.
QString componentName(int tag)
{
    switch (VQColorSliderTag(tag)) {
    case VQColorSliderTag::Red:
        return VQLocalizedString("Red");
    case VQColorSliderTag::Green:
        return VQLocalizedString("Green");
    case VQColorSliderTag::Blue:
        return VQLocalizedString("Blue");
    case VQColorSliderTag::Cyan:
        return VQLocalizedString("Cyan");
    case VQColorSliderTag::Magenta:
        return VQLocalizedString("Magenta");
    case VQColorSliderTag::Yellow:
        return VQLocalizedString("Yellow");
    case VQColorSliderTag::Black:
        return VQLocalizedString("Black");
    case VQColorSliderTag::Gray:
        return VQLocalizedString("Gray");
    case VQColorSliderTag::Hue:
        return VQLocalizedString("Hue");
    case VQColorSliderTag::Saturation:
        return VQLocalizedString("Saturation");
    case VQColorSliderTag::Brightness:
        return VQLocalizedString("Brightness");
    }
    return {};
}
} // namespace

VQColorSlider::VQColorSlider(const VQSwatchCore &core, int tag, double minimum, double maximum,
                             Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent), _core(core), _cell(tag, minimum, maximum, orientation == Qt::Vertical), _value(minimum)
{
    // Tab reaches every slider; the arrow keys move it.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAccessibleName(componentName(tag));
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
    VQAccessibleValueChanged(this);
}

QString VQColorSlider::accessibleValueText() const
{
    using Unit = VQAccessibleText::Unit;
    const auto tag = VQColorSliderTag(_cell.tag());
    if (tag == VQColorSliderTag::Hue)
        return VQAccessibleText::component(accessibleName(), _value, Unit::Degrees);
    if (tag <= VQColorSliderTag::Blue)
        return VQAccessibleText::component(accessibleName(), _value, Unit::Whole);
    // The others run from 0 to a whole: 1 (inks, grey) or 100 (saturation, brightness).
    return VQAccessibleText::component(accessibleName(), _value / _cell.maximum(), Unit::Percent);
}

std::optional<VQAccessibleControl::Range> VQColorSlider::accessibleRange() const
{
    return Range{_value, _cell.minimum(), _cell.maximum(), _keyStep};
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
    VQColorRef selected = _trackColor ? _trackColor : _core.selectedColor();
    if (!selected)
        selected = VQColor::whiteColor();
    const QColor background = palette().color(backgroundRole());
    _cell.draw(painter, rect(), _value, *selected, _pressed, VQInk::frame(palette(), background),
               VQInk::frameWidth(palette()));
    if (hasFocus()) {
        // Where the arrow keys go.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(VQInk::ring(palette(), background), VQInk::ringWidth(palette()) - 0.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    }
}

void VQColorSlider::userMove(double value)
{
    value = _cell.geometry(rect()).clamp(value);
    const bool changed = value != _value;
    _value = value;
    update();
    if (changed) {
        emit valueChanged(_value);
        VQAccessibleValueChanged(this);
    }
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
    int steps = 0;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        steps = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        steps = 1;
        break;
    case Qt::Key_PageDown:
        steps = -10;
        break;
    case Qt::Key_PageUp:
        steps = 10;
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    userMove(VQSliderValueAfterKeySteps(_value, steps, _keyStep, _cell.minimum(), _cell.maximum()));
}
