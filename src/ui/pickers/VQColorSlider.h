#pragma once
// A slider whose track shows what the selected colour would look like if only
// this slider's component changed. It holds a double, so a drag may leave a
// fractional value; the tag (VQColorSliderTag) chooses the gradient. Every
// colour slider repaints when the library's selection changes.

#include "ui/accessibility/VQAccessibleControl.h"
#include "ui/pickers/VQColorSliderCell.h"
#include "vqcore/VQNotificationCenter.h"

#include <QWidget>

class VQSwatchCore;

class VQColorSlider : public QWidget, public VQAccessibleControl
{
    Q_OBJECT
  public:
    // Its track shows the selection of `core` (which outlives it) unless given a colour of its own.
    VQColorSlider(const VQSwatchCore &core, int tag, double minimum, double maximum, Qt::Orientation orientation,
                  QWidget *parent = nullptr);

    int tag() const { return _cell.tag(); }
    const VQColorSliderCell &cell() const { return _cell; }
    double value() const { return _value; }
    // Keeps the value within the range; emits nothing (screen readers hear of it).
    void setValue(double value);
    // What one press of an arrow key moves: one unit of the number shown for
    // the slider (1 for whole numbers, the default; 0.01 for hundredths). Page
    // Up and Page Down move ten.
    void setKeyStep(double unit) { _keyStep = unit; }
    double keyStep() const { return _keyStep; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Draws the track around this colour instead of the selection: the colour
    // square's hue slider shows every hue at full strength, whatever point of
    // the plane is chosen.
    void setTrackColor(const VQColorRef &color) { _trackColor = color; }

    // A slider named after its component ("Red"); a value a screen reader sets
    // counts as the user's.
    QAccessible::Role accessibleRole() const override { return QAccessible::Slider; }
    QString accessibleValueText() const override;
    std::optional<Range> accessibleRange() const override;
    void setAccessibleValue(double value) override { userMove(value); }

  signals:
    // The user moved the slider (mouse or keys).
    void valueChanged(double value);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void userMove(double value);

    const VQSwatchCore &_core;
    VQColorSliderCell _cell;
    double _value = 0;
    double _keyStep = 1;
    bool _pressed = false;
    VQColorRef _trackColor;
    VQObserverToken _selectionObserver;
};
