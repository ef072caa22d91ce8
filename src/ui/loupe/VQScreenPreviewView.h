#pragma once
// The magnifier: the 9 × 9 device pixels around a point, each drawn as one
// cell of a grid, the sampled square (VQLoupeSample) outlined. It captures on
// every repaint.

#include "ui/accessibility/VQAccessibleControl.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

class QPainter;

// Draws `capture` (SampleSize × SampleSize pixels, or null when nothing could
// be read: then a black square) magnified into `bounds`, with an outline
// around the cells of `sampled` (VQLoupeSample::cells).
void VQDrawMagnifier(QPainter &painter, const QRectF &bounds, const QImage &capture, const QRect &sampled);

class VQScreenPreviewView : public QWidget, public VQAccessibleControl
{
    Q_OBJECT

  public:
    // A picture named "Magnifier" to screen readers; the readout beside it says the colour.
    QAccessible::Role accessibleRole() const override { return QAccessible::Graphic; }

    // Reads a rectangle of device pixels off the screen (null image on failure).
    using Capture = std::function<QImage(const QRect &)>;

    VQScreenPreviewView(Capture capture, QWidget *parent = nullptr);

    // The centre of the magnified square, in device pixels, and the device
    // pixels of its screen (a null rectangle: every pixel counts).
    void setPoint(QPoint devicePoint, const QRect &screen = {});
    QPoint point() const { return _point; }
    // The size of the sample around the point: 1, 3, 5 or 9.
    void setSampleSize(int n);
    int sampleSize() const { return _sampleSize; }
    // The sample's mean at the last repaint; nothing before the first one and
    // after a capture that failed.
    std::optional<QColor> selectedColor() const { return _selectedColor; }

  signals:
    // After each repaint: the new sample's colour, or an invalid colour when the capture failed.
    void colorChanged(const QColor &color);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    Capture _capture;
    QPoint _point;
    QRect _screen;
    int _sampleSize = 1;
    std::optional<QColor> _selectedColor;
};
