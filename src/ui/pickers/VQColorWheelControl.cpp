#include "ui/pickers/VQColorWheelControl.h"

#include "core/VQSwatchCore.h"
#include "ui/pickers/VQBrightnessSlider.h"
#include "ui/accessibility/VQAccessibleText.h"
#include "ui/pickers/VQPickerImages.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQUserDefaults.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>

#include <cmath>

using namespace VQColorWheelGeometry;

namespace
{
QColor hueSaturationAtFullBrightness(const VQHueSaturation &hs)
{
    return VQColor::makeHSB(hs.hue, hs.saturation, 1)->screenColor();
}
} // namespace

VQColorWheelControl::VQColorWheelControl(VQSwatchCore &core, QWidget *parent) : QWidget(parent), _core(core)
{
    setMinimumSize(int(kImageSide), int(kImageSide));
    setCursor(Qt::CrossCursor);
    setAccessibleName(VQLocalizedString("Color wheel"));
}

QString VQColorWheelControl::accessibleValueText() const
{
    return VQAccessibleText::wheel(_hs.hue, _hs.saturation);
}

QSize VQColorWheelControl::sizeHint() const
{
    return {int(kImageSide), int(kImageSide)};
}

float VQColorWheelControl::brightness() const
{
    return _brightnessSlider ? _brightnessSlider->floatValue() : 1.0f;
}

QPointF VQColorWheelControl::knobPoint() const
{
    return pointFor(_hs, centre(rect()));
}

void VQColorWheelControl::setHSVColor(const VQHSVColor &hsv)
{
    _updatingColor = true;
    _hs = {hsv.h < 0 ? 0 : hsv.h, hsv.s};
    if (_brightnessSlider) {
        _brightnessSlider->setBaseColor(hueSaturationAtFullBrightness(_hs));
        _brightnessSlider->setFloatValue(float(hsv.v));
    }
    update();
    _updatingColor = false;
    VQAccessibleValueChanged(this);
}

void VQColorWheelControl::brightnessChanged()
{
    if (_updatingColor)
        return;
    update();
    updateInformation();
}

void VQColorWheelControl::moveKnobTo(const QPointF &point)
{
    const QPointF centrePoint = centre(rect());
    update(knobRedrawRect(knobPoint()).toAlignedRect());
    _hs = hueSaturationAt(clampToRim(point, centrePoint), centrePoint);
    update(knobRedrawRect(knobPoint()).toAlignedRect());
    updateInformation();
    VQAccessibleValueChanged(this);
}

void VQColorWheelControl::updateInformation()
{
    const VQRGBColor rgb = VQHSVColor{_hs.hue, _hs.saturation, brightness()}.toRGB();
    _core.setSelectedColor(VQColor::makeRGB(rgb), false);
    if (_brightnessSlider)
        _brightnessSlider->setBaseColor(hueSaturationAtFullBrightness(_hs));
}

void VQColorWheelControl::paint(QPainter &painter, const QSizeF &size, qreal devicePixelRatio) const
{
    const QRectF disc((size.width() - kImageSide) / 2, (size.height() - kImageSide) / 2, kImageSide, kImageSide);
    painter.drawImage(disc.topLeft(), VQColorWheelImage(devicePixelRatio));

    // Darken the disc (not the whole view, which may be wider than it is tall).
    const float value = brightness();
    if (value < 1) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgbF(0, 0, 0, 1 - value));
        painter.drawEllipse(disc);
    }

    // The knob: a 2 × 2 white square in a 3 × 3 black outline (4 × 4 overall),
    // on whole points so that it stays crisp at every pixel ratio.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPointF p = pointFor(_hs, QPointF(size.width() / 2, size.height() / 2));
    const QPointF at(std::round(p.x()), std::round(p.y()));
    painter.fillRect(QRectF(at.x() - 2, at.y() - 2, 4, 4), Qt::black);
    painter.fillRect(QRectF(at.x() - 1, at.y() - 1, 2, 2), Qt::white);
}

void VQColorWheelControl::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paint(painter, size(), devicePixelRatioF());
}

void VQColorWheelControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        moveKnobTo(pixelCentreAt(event->position(), devicePixelRatioF()));
}

void VQColorWheelControl::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        moveKnobTo(pixelCentreAt(event->position(), devicePixelRatioF()));
}

void VQColorWheelControl::wheelEvent(QWheelEvent *event)
{
    // Scrolling up moves the knob up, scrolling left moves it left.
    const QPointF points = VQScrollGeometry::pointsFor(event->angleDelta(), event->pixelDelta());
    if (!points.isNull())
        moveKnobTo(knobPoint() + QPointF(-points.x(), -points.y()));
    event->accept();
}

void VQColorWheelControl::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(VQLocalizedString("Select White"), this, &VQColorWheelControl::selectWhite);
    menu.exec(event->globalPos());
}

void VQColorWheelControl::selectWhite()
{
    _core.setSelectedColor(VQColor::whiteColor(), true);
}

QCursor VQColorWheelControl::wheelCursor(qreal devicePixelRatio)
{
    if (VQUserDefaults::standard().integerForKey(QString::fromLatin1(VQCursorDefaultsKey)) == 0)
        return Qt::CrossCursor;
    return circleCursor(devicePixelRatio);
}

QCursor VQColorWheelControl::circleCursor(qreal devicePixelRatio)
{
    // X shows the pixmap's pixels one to one and takes the hot spot in them.
    const QImage &image = VQCircleCursorImage(devicePixelRatio);
    const QPoint hotSpot = VQCircleCursorHotSpot(devicePixelRatio);
    return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}

void VQColorWheelControl::enterEvent(QEnterEvent *event)
{
    // The preference may have changed since the pointer was last here, and
    // the window may have moved to a screen of another pixel ratio.
    setCursor(wheelCursor(devicePixelRatioF()));
    QWidget::enterEvent(event);
}
