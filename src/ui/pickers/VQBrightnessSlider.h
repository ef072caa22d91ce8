#pragma once
// The vertical brightness slider beside the colour wheel. Its track runs from
// the wheel's colour at full brightness (top) to black (bottom); the knob is a
// dark bar 27 × 10 that travels 179 points. Every change of value is passed to
// the wheel, which stores the colour unless it is only showing one.

#include "ui/accessibility/VQAccessibleControl.h"

#include <QWidget>

class VQColorWheelControl;

class VQBrightnessSlider : public QWidget, public VQAccessibleControl
{
  public:
    explicit VQBrightnessSlider(QWidget *parent = nullptr);

    void setWheel(VQColorWheelControl *wheel) { _wheel = wheel; }

    // Brightness, always within 0–1. Setting the value it already has does nothing.
    float floatValue() const { return _floatValue; }
    void setFloatValue(float value);
    // The top colour of the track.
    QColor baseColor() const { return _baseColor; }
    void setBaseColor(const QColor &color);
    QRectF knobFrame() const;

    void paint(QPainter &painter, const QSizeF &size) const;
    QSize sizeHint() const override;

    // A slider named "Brightness", 0–100 for screen readers.
    QAccessible::Role accessibleRole() const override { return QAccessible::Slider; }
    QString accessibleValueText() const override;
    std::optional<Range> accessibleRange() const override;
    void setAccessibleValue(double percent) override { setFloatValue(float(percent / 100)); }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

  private:
    QColor _baseColor = Qt::white;
    float _floatValue = 1.0f;
    bool _knobDown = false;
    VQColorWheelControl *_wheel = nullptr;
};
