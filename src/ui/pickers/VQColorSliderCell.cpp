#include "ui/pickers/VQColorSliderCell.h"

#include "ui/pickers/VQColorSliderGradient.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

VQColorSliderCell::VQColorSliderCell(int tag, double minimum, double maximum, bool vertical)
    : _tag(tag), _minimum(minimum), _maximum(maximum), _vertical(vertical)
{
}

VQSliderGeometry VQColorSliderCell::geometry(const QRectF &frame) const
{
    return VQSliderGeometry(VQColorSliderTrackRect(frame, _vertical), _minimum, _maximum, _vertical);
}

void VQColorSliderCell::draw(QPainter &painter, const QRectF &frame, double value, const VQColor &selected,
                             bool pressed, const QColor &border, qreal borderWidth) const
{
    const std::vector<VQGradientStop> stops = VQColorSliderGradientStops(_tag, selected);
    const VQSliderGeometry geo = geometry(frame);
    const QRectF track = geo.track();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal grown = borderWidth / 2;
    painter.fillRect(track.adjusted(-grown, -grown, grown, grown), border);

    // From the minimum's end of the track to the maximum's.
    QLinearGradient gradient = _vertical ? QLinearGradient(track.bottomLeft(), track.topLeft())
                                         : QLinearGradient(track.topLeft(), track.topRight());
    for (const VQGradientStop &stop : stops)
        gradient.setColorAt(stop.position, stop.color);
    painter.fillRect(track, gradient);

    const QRectF knob = geo.knobRect(value, kKnobThickness, kKnobOverhang).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath knobPath;
    knobPath.addRoundedRect(knob, 2, 2);
    painter.fillPath(knobPath, pressed ? QColor(225, 225, 225) : QColor(250, 250, 250));
    painter.strokePath(knobPath, QPen(QColor(0, 0, 0, 150), 1));
    painter.restore();
}
