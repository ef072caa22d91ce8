#pragma once
// The loupe's readout: a swatch of the sampled colour with the sample's size
// on it ("3×3"), and its red, green and blue values 0–255, right-aligned.

#include "ui/accessibility/VQAccessibleControl.h"

#include <QColor>
#include <QWidget>

class QPainter;

// Paints the readout for `color` into `bounds` (its swatch as high as the
// bounds), `sample` (VQLoupeSample::text) on the swatch.
void VQDrawColorOverview(QPainter &painter, const QRectF &bounds, const QColor &color, const QString &sample);

class VQColorOverviewView : public QWidget, public VQAccessibleControl
{
    Q_OBJECT

  public:
    explicit VQColorOverviewView(QWidget *parent = nullptr);

    QColor selectedColor() const { return _selectedColor; }
    // An invalid colour shows an empty swatch and dashes.
    void setSelectedColor(const QColor &color);
    QString sampleText() const { return _sampleText; }
    void setSampleText(const QString &text);

    // Text named "Color under the pointer" whose value is the colour, its name and the sample's size.
    QAccessible::Role accessibleRole() const override { return QAccessible::StaticText; }
    QString accessibleValueText() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QColor _selectedColor;
    QString _sampleText;
};
