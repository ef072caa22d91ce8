#include "ui/pickers/VQSaturationBrightnessView.h"

#include "core/VQColor.h"
#include "core/VQInk.h"
#include "ui/accessibility/VQAccessibleText.h"
#include "ui/pickers/VQPickerGeometry.h"
#include "ui/pickers/VQPickerImages.h"
#include "vqcore/VQLocalizedString.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

VQSaturationBrightnessView::VQSaturationBrightnessView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(VQLocalizedString("Saturation and brightness"));
}

QString VQSaturationBrightnessView::accessibleValueText() const
{
    return VQAccessibleText::saturationBrightness(_saturation, _brightness);
}

void VQSaturationBrightnessView::setHue(double hue)
{
    _hue = hue;
    update();
}

void VQSaturationBrightnessView::setSaturation(double saturation)
{
    _saturation = saturation;
    update();
    VQAccessibleValueChanged(this);
}

void VQSaturationBrightnessView::setBrightness(double brightness)
{
    _brightness = brightness;
    update();
    VQAccessibleValueChanged(this);
}

void VQSaturationBrightnessView::paint(QPainter &painter, const QSizeF &size, qreal devicePixelRatio) const
{
    const QRectF bounds(QPointF(0, 0), size);
    // White to the pure hue from left to right, then clear to black from top to
    // bottom: together the saturation–brightness square of the hue.
    const VQRGBColor pure = VQHSVColor{_hue, 1, 1}.toRGB();
    QLinearGradient across(bounds.topLeft(), bounds.topRight());
    across.setColorAt(0, Qt::white);
    across.setColorAt(1, QColor::fromRgbF(float(pure.r), float(pure.g), float(pure.b)));
    painter.fillRect(bounds, across);
    QLinearGradient down(bounds.topLeft(), bounds.bottomLeft());
    down.setColorAt(0, Qt::transparent);
    down.setColorAt(1, Qt::black);
    painter.fillRect(bounds, down);

    const qreal line = VQInk::frameWidth(palette());
    painter.setPen(QPen(VQInk::frame(palette(), palette().color(backgroundRole())), line));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bounds.adjusted(line / 2, line / 2, -line / 2, -line / 2));

    const QImage &marker = VQCircleCursorImage(devicePixelRatio);
    const QPointF at = VQSaturationBrightnessGeometry::pointFor(_saturation, _brightness, size);
    const QSizeF markerSize = marker.deviceIndependentSize();
    painter.drawImage(at - QPointF(markerSize.width() / 2, markerSize.height() / 2), marker);
}

void VQSaturationBrightnessView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paint(painter, size(), devicePixelRatioF());
}

void VQSaturationBrightnessView::moveMarkerTo(const QPointF &point)
{
    const auto value = VQSaturationBrightnessGeometry::valueAt(point, size());
    _brightness = value.brightness;
    _saturation = value.saturation;
    update();
    VQAccessibleValueChanged(this);
    if (_delegate)
        _delegate->saturationBrightnessViewDidChangeColor(this);
}

void VQSaturationBrightnessView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        moveMarkerTo(event->position());
}

void VQSaturationBrightnessView::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        moveMarkerTo(event->position());
}
