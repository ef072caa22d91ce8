#include "ui/loupe/VQFrozenLoupeState.h"

#include "ui/loupe/VQLoupeGeometry.h"
#include "ui/loupe/VQLoupeSample.h"

#include <QPainter>

#include <utility>

VQFrozenLoupeState::VQFrozenLoupeState(VQOutputLayout layout) : _layout(std::move(layout)) {}

QList<int> VQFrozenLoupeState::moveTo(const std::optional<VQOutputPixel> &pixel)
{
    if (!pixel || pixel == _current)
        return {};
    QList<int> repaint{pixel->output};
    if (_current && _current->output != pixel->output)
        repaint.prepend(_current->output);
    _current = pixel;
    return repaint;
}

QList<int> VQFrozenLoupeState::replayKept(QList<int> repaint)
{
    _awaiting = false;
    const QList<QPoint> kept = std::exchange(_kept, {});
    for (const QPoint &delta : kept) {
        for (int output : nudge(delta)) {
            if (!repaint.contains(output))
                repaint.append(output);
        }
    }
    return repaint;
}

QList<int> VQFrozenLoupeState::pointAt(int output, const QPointF &devicePoint)
{
    QList<int> repaint = moveTo(_layout.pixelFromDevicePoint(output, devicePoint));
    return _awaiting && _current ? replayKept(repaint) : repaint;
}

QList<int> VQFrozenLoupeState::nudge(const QPoint &delta)
{
    if (_current)
        return moveTo(_layout.moved(*_current, delta));
    if (_awaiting) {
        _kept.append(delta);
        return {};
    }
    if (_layout.isEmpty())
        return {};
    const QSize size = _layout.outputs().constFirst().deviceSize;
    return moveTo(VQOutputPixel{0, QPoint(size.width() / 2, size.height() / 2)});
}

void VQFrozenLoupeState::awaitPointer()
{
    _awaiting = !_current;
}

QList<int> VQFrozenLoupeState::stopAwaitingPointer()
{
    return _awaiting ? replayKept({}) : QList<int>{};
}

QList<int> VQFrozenLoupeState::chooseNextSampleSize()
{
    _sampleSize = VQLoupeSample::chooseNext(_sampleSize);
    return _current ? QList<int>{_current->output} : QList<int>{};
}

QColor VQFrozenLoupeState::sampleMean(const QImage &frozen) const
{
    return _current ? VQMeanOfSquare(frozen, _current->pixel, _sampleSize).color : QColor();
}

std::optional<QPointF> VQFrozenLoupeState::surfacePoint() const
{
    if (!_current)
        return std::nullopt;
    const VQOutput &output = _layout.outputs().at(_current->output);
    return QPointF((_current->pixel.x() + 0.5) / output.scaleX(), (_current->pixel.y() + 0.5) / output.scaleY());
}

QRect VQFrozenLoupeState::panelRect(const QSize &panelSize) const
{
    const std::optional<QPointF> point = surfacePoint();
    if (!point)
        return {};
    const QSize logical = _layout.outputs().at(_current->output).logicalRect.size();
    return QRect(VQLoupeGeometry::windowOrigin(*point, panelSize, QRect(QPoint(0, 0), logical)), panelSize);
}

QImage VQFrozenLoupeState::sample(const QImage &image, const QPoint &pixel)
{
    using VQLoupeGeometry::SampleSize;
    QImage square(SampleSize, SampleSize, QImage::Format_RGB32);
    square.fill(Qt::black);
    const QRect wanted = VQLoupeGeometry::sampleRect(pixel);
    const QRect inside = wanted.intersected(image.rect());
    if (!inside.isEmpty()) {
        QPainter painter(&square);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(inside.topLeft() - wanted.topLeft(), image, inside);
    }
    return square;
}
