#include "ui/loupe/VQScreenPreviewView.h"

#include "ui/loupe/VQLoupeGeometry.h"
#include "ui/loupe/VQLoupeSample.h"
#include "vqcore/VQLocalizedString.h"

#include <QPainter>
#include <QPainterPath>

void VQDrawMagnifier(QPainter &painter, const QRectF &bounds, const QImage &capture, const QRect &sampled)
{
    using VQLoupeGeometry::SampleSize;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor grid = QColor::fromRgbF(0.6f, 0.6f, 0.6f);
    QPainterPath clip;
    clip.addRoundedRect(bounds.adjusted(1, 1, -1, -1), 5, 5);
    painter.setClipPath(clip);
    if (capture.isNull() || capture.width() < SampleSize || capture.height() < SampleSize) {
        painter.fillRect(bounds, Qt::black);
    } else {
        const qreal cell = bounds.width() / SampleSize;
        for (int row = 0; row < SampleSize; ++row) {
            for (int column = 0; column < SampleSize; ++column) {
                const QRectF rect(bounds.x() + column * cell, bounds.y() + row * cell, cell, cell);
                painter.fillRect(rect, QColor(capture.pixel(column, row)));
                painter.fillRect(QRectF(rect.x(), bounds.y(), 1, bounds.height()), grid);
            }
            painter.fillRect(QRectF(bounds.x(), bounds.y() + row * cell, bounds.width(), 1), grid);
        }
        if (!sampled.isEmpty()) {
            const QRectF outline(bounds.x() + sampled.x() * cell, bounds.y() + sampled.y() * cell,
                                 sampled.width() * cell, sampled.height() * cell);
            painter.setPen(QPen(QColor::fromRgbF(0.2f, 0.2f, 0.2f), 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(outline.translated(0.5, 0.5));
            // A light inner line keeps the outline visible on dark pixels.
            painter.setPen(QPen(QColor::fromRgbF(0.95f, 0.95f, 0.95f), 1));
            painter.drawRect(outline.adjusted(2, 2, -1, -1));
        }
    }
    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(grid, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    painter.restore();
}

VQScreenPreviewView::VQScreenPreviewView(Capture capture, QWidget *parent)
    : QWidget(parent), _capture(std::move(capture))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(VQLocalizedString("Magnifier"));
}

void VQScreenPreviewView::setPoint(QPoint devicePoint, const QRect &screen)
{
    if (devicePoint == _point && screen == _screen && _selectedColor)
        return;
    _point = devicePoint;
    _screen = screen;
    update();
}

void VQScreenPreviewView::setSampleSize(int n)
{
    if (n == _sampleSize)
        return;
    _sampleSize = n;
    update();
}

void VQScreenPreviewView::paintEvent(QPaintEvent *)
{
    const QImage capture = _capture ? _capture(VQLoupeGeometry::sampleRect(_point)) : QImage();
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgbF(0.15f, 0.15f, 0.15f));
    VQDrawMagnifier(painter, QRectF(rect()), capture, VQLoupeSample::cells(_point, _sampleSize, _screen));
    const QColor mean = VQLoupeSample::meanOfCells(capture, _point, _sampleSize, _screen).color;
    if (capture.isNull() || !mean.isValid())
        _selectedColor.reset();
    else
        _selectedColor = mean;
    emit colorChanged(_selectedColor.value_or(QColor()));
}
