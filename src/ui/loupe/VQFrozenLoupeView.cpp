#include "ui/loupe/VQFrozenLoupeView.h"

#include "ui/loupe/VQColorOverviewView.h"
#include "ui/loupe/VQFrozenLoupeState.h"
#include "ui/loupe/VQLoupeGeometry.h"
#include "ui/loupe/VQLoupeSample.h"
#include "ui/loupe/VQMagnifierLoupeWindow.h"
#include "ui/loupe/VQScreenPreviewView.h"

#include <QPainter>
#include <QtMath>

namespace
{
// Four arms around the pixel, in device pixels, leaving the pixel and `gap`
// pixels around it untouched: white lines with black edges, seen on any color.
void drawCrosshair(QPainter &painter, const QPoint &pixel, qreal scale)
{
    const int gap = qCeil(3 * scale), length = qCeil(8 * scale);
    const QRect arms[] = {
        QRect(pixel.x() - gap - 1 - length, pixel.y(), length, 1),
        QRect(pixel.x() + gap + 2, pixel.y(), length, 1),
        QRect(pixel.x(), pixel.y() - gap - 1 - length, 1, length),
        QRect(pixel.x(), pixel.y() + gap + 2, 1, length),
    };
    for (const QRect &arm : arms)
        painter.fillRect(arm.adjusted(-1, -1, 1, 1), Qt::black);
    for (const QRect &arm : arms)
        painter.fillRect(arm, Qt::white);
}
} // namespace

void VQPaintFrozenOutput(QPainter &painter, const QImage &frozen, const VQFrozenLoupeState &state, int output)
{
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), frozen);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const std::optional<VQOutputPixel> current = state.current();
    if (!current || current->output != output || output >= state.layout().outputs().size()) {
        painter.restore();
        return;
    }
    const VQOutput &described = state.layout().outputs().at(output);
    drawCrosshair(painter, current->pixel, described.scaleX());

    // The panel in logical pixels, magnified like everything else on the output.
    const QRect panel = state.panelRect(VQLoupeGeometry::panelSize());
    painter.scale(described.scaleX(), described.scaleY());
    VQDrawLoupeFrame(painter, QRectF(panel));
    const QImage sample = VQFrozenLoupeState::sample(frozen, current->pixel);
    const QRect preview = VQLoupeGeometry::previewRect(panel.topLeft());
    painter.fillRect(preview, QColor::fromRgbF(0.15f, 0.15f, 0.15f));
    const int size = state.sampleSize();
    VQDrawMagnifier(painter, QRectF(preview), sample, VQLoupeSample::cells(current->pixel, size, frozen.rect()));
    VQDrawColorOverview(painter, QRectF(VQLoupeGeometry::overviewRect(panel.topLeft())), state.sampleMean(frozen),
                        VQLoupeSample::text(size));
    painter.restore();
}
