#pragma once
// The loupe's readout: a swatch of the centre colour and its red, green and
// blue values 0–255, right-aligned.

#include <QColor>
#include <QWidget>

class QPainter;

// Paints the readout for `color` into `bounds` (its swatch as high as the bounds).
void VQDrawColorOverview(QPainter &painter, const QRectF &bounds, const QColor &color);

class VQColorOverviewView : public QWidget
{
    Q_OBJECT

  public:
    using QWidget::QWidget;

    QColor selectedColor() const { return _selectedColor; }
    // An invalid colour shows an empty swatch and dashes.
    void setSelectedColor(const QColor &color);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QColor _selectedColor;
};
