#pragma once
// Draws a colour slider: a thin dark frame, the live gradient of its tag
// (VQColorSliderGradient.h) and the knob. Widget-free: it paints on any QPainter.

#include "core/VQColor.h"
#include "ui/pickers/VQPickerGeometry.h"

class QPainter;

class VQColorSliderCell
{
  public:
    inline static constexpr double kKnobThickness = 7;
    inline static constexpr double kKnobOverhang = 2;

    VQColorSliderCell(int tag, double minimum, double maximum, bool vertical);

    int tag() const { return _tag; }
    double minimum() const { return _minimum; }
    double maximum() const { return _maximum; }
    bool isVertical() const { return _vertical; }

    VQSliderGeometry geometry(const QRectF &frame) const;
    // The whole slider in `frame` at `value`, the track showing the gradient
    // around `selected` inside a `border` line of `borderWidth`. A tag outside
    // 0–10 throws VQAbstractMethodException.
    void draw(QPainter &painter, const QRectF &frame, double value, const VQColor &selected, bool pressed,
              const QColor &border, qreal borderWidth) const;

  private:
    int _tag;
    double _minimum;
    double _maximum;
    bool _vertical;
};
