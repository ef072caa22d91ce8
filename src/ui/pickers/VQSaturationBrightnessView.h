#pragma once
// The square of one hue: saturation grows to the right, brightness upwards,
// with the "CircleCursor" marker at the current point. A press or drag moves
// the marker and tells the delegate; setting a value only repaints.

#include "ui/accessibility/VQAccessibleControl.h"

#include <QWidget>

class VQSaturationBrightnessView;

class VQSaturationBrightnessViewDelegate
{
  public:
    virtual ~VQSaturationBrightnessViewDelegate() = default;
    virtual void saturationBrightnessViewDidChangeColor(VQSaturationBrightnessView *view) = 0;
};

class VQSaturationBrightnessView : public QWidget, public VQAccessibleControl
{
  public:
    explicit VQSaturationBrightnessView(QWidget *parent = nullptr);

    void setDelegate(VQSaturationBrightnessViewDelegate *delegate) { _delegate = delegate; }
    // Each 0–1; hue as a fraction of a turn.
    double hue() const { return _hue; }
    double saturation() const { return _saturation; }
    double brightness() const { return _brightness; }
    void setHue(double hue);
    void setSaturation(double saturation);
    void setBrightness(double brightness);

    // Draws the square into `size` on any painter.
    void paint(QPainter &painter, const QSizeF &size, qreal devicePixelRatio) const;

    QSize sizeHint() const override { return {160, 160}; }

    // A slider in two dimensions named "Saturation and brightness".
    QAccessible::Role accessibleRole() const override { return QAccessible::Slider; }
    QString accessibleValueText() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    void moveMarkerTo(const QPointF &point);

    VQSaturationBrightnessViewDelegate *_delegate = nullptr;
    double _hue = 0;
    double _saturation = 0;
    double _brightness = 0;
};
