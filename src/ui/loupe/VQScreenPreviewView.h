#pragma once
// The magnifier: the 9 × 9 device pixels around a point, each drawn as one
// cell of a grid, the centre cell outlined. It captures on every repaint.

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

class QPainter;

// Draws `capture` (SampleSize × SampleSize pixels, or null when nothing could
// be read: then a black square) magnified into `bounds`.
void VQDrawMagnifier(QPainter &painter, const QRectF &bounds, const QImage &capture);

class VQScreenPreviewView : public QWidget
{
    Q_OBJECT

  public:
    // Reads a rectangle of device pixels off the screen (null image on failure).
    using Capture = std::function<QImage(const QRect &)>;

    VQScreenPreviewView(Capture capture, QWidget *parent = nullptr);

    // The centre of the sampled square, in device pixels.
    void setPoint(QPoint devicePoint);
    QPoint point() const { return _point; }
    // The centre pixel at the last repaint; nothing before the first one and
    // after a capture that failed.
    std::optional<QColor> selectedColor() const { return _selectedColor; }

  signals:
    // After each repaint: the new centre colour, or an invalid colour when the capture failed.
    void colorChanged(const QColor &color);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    Capture _capture;
    QPoint _point;
    std::optional<QColor> _selectedColor;
};
