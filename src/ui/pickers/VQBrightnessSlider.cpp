#include "ui/pickers/VQBrightnessSlider.h"

#include "core/VQInk.h"
#include "ui/accessibility/VQAccessibleText.h"
#include "ui/pickers/VQColorWheelControl.h"
#include "ui/pickers/VQColorWheelPicker.h"
#include "ui/pickers/VQPickerGeometry.h"
#include "vqcore/VQLocalizedString.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>

using namespace VQBrightnessSliderGeometry;

VQBrightnessSlider::VQBrightnessSlider(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
    setAccessibleName(VQLocalizedString("Brightness"));
}

QString VQBrightnessSlider::accessibleValueText() const
{
    return VQAccessibleText::brightness(_floatValue);
}

std::optional<VQAccessibleControl::Range> VQBrightnessSlider::accessibleRange() const
{
    return Range{_floatValue * 100.0, 0, 100, VQColorWheelPicker::kBrightnessStep * 100.0};
}

QSize VQBrightnessSlider::sizeHint() const
{
    return {int(kKnobWidth), int(kPreferredHeight)};
}

void VQBrightnessSlider::setFloatValue(float value)
{
    // Compared after clamping: Up at the top (or Down at the bottom) is no change
    // and stores nothing.
    value = std::clamp(value, 0.0f, 1.0f);
    if (value == _floatValue)
        return;
    _floatValue = value;
    update();
    if (_wheel)
        _wheel->brightnessChanged();
    VQAccessibleValueChanged(this);
}

void VQBrightnessSlider::setBaseColor(const QColor &color)
{
    if (color == _baseColor)
        return;
    _baseColor = color;
    update();
}

QRectF VQBrightnessSlider::knobFrame() const
{
    return VQBrightnessSliderGeometry::knobFrame(_floatValue, height());
}

void VQBrightnessSlider::paint(QPainter &painter, const QSizeF &size) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = trackRect(QRectF(QPointF(0, 0), size));
    QPainterPath outline;
    outline.addRoundedRect(track, 2, 2);
    // A line of the background just inside the outline, then the outline itself.
    const QColor background = palette().color(backgroundRole());
    QPainterPath inner;
    inner.addRoundedRect(track.adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
    painter.strokePath(inner, QPen(background, 1));
    painter.strokePath(outline, QPen(VQInk::frame(palette(), background), VQInk::frameWidth(palette())));

    const QRectF fill = track.adjusted(1, 1, -1, -1);
    QLinearGradient gradient(fill.topLeft(), fill.bottomLeft());
    gradient.setColorAt(0, _baseColor);
    gradient.setColorAt(1, Qt::black);
    painter.fillRect(fill, gradient);

    const QRectF knob =
        VQBrightnessSliderGeometry::knobFrame(_floatValue, size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath knobPath;
    knobPath.addRoundedRect(knob, 1, 1);
    painter.fillPath(knobPath, QColor::fromRgbF(0, 0, 0, _knobDown ? 1.0f : 0.8f));
    // A light rim keeps the knob visible on the dark end of the track.
    QPainterPath knobInner;
    knobInner.addRoundedRect(knob.adjusted(0.5, 0.5, -0.5, -0.5), 0.5, 0.5);
    painter.strokePath(knobInner, QPen(QColor(255, 255, 255, 90), 1));
}

void VQBrightnessSlider::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paint(painter, size());
}

void VQBrightnessSlider::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    if (hitsKnob(event->position(), _floatValue, height())) {
        _knobDown = true;
        update();
        return;
    }
    setFloatValue(float(valueAt(event->position().y(), height())));
}

void VQBrightnessSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        setFloatValue(float(valueAt(event->position().y(), height())));
}

void VQBrightnessSlider::mouseReleaseEvent(QMouseEvent *)
{
    _knobDown = false;
    update();
}

void VQBrightnessSlider::wheelEvent(QWheelEvent *event)
{
    // 120 points of scrolling run the whole range.
    const QPointF points = VQScrollGeometry::pointsFor(event->angleDelta(), event->pixelDelta());
    if (points.y() != 0)
        setFloatValue(_floatValue + float(points.y() / 120.0));
    event->accept();
}
