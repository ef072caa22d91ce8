#pragma once
// The colour wheel: hue by angle, saturation by distance from the centre,
// darkened to the brightness slider's value, with a small square knob. The
// wheel keeps hue and saturation, not the knob's point, so a resize after a
// colour was shown keeps the colour.

#include "core/VQColor.h"
#include "ui/accessibility/VQAccessibleControl.h"
#include "ui/pickers/VQPickerGeometry.h"

#include <QWidget>

class VQBrightnessSlider;
class VQSwatchCore;

inline constexpr const char *VQCursorDefaultsKey = "VQCursor";

class VQColorWheelControl : public QWidget, public VQAccessibleControl
{
  public:
    // Stores what the user picks in `core`, which outlives it.
    explicit VQColorWheelControl(VQSwatchCore &core, QWidget *parent = nullptr);

    void setBrightnessSlider(VQBrightnessSlider *slider) { _brightnessSlider = slider; }
    VQBrightnessSlider *brightnessSlider() const { return _brightnessSlider; }

    // Shows `hsv`: moves the knob and the slider, stores nothing.
    void setHSVColor(const VQHSVColor &hsv);
    // Called by the slider whenever its value changes.
    void brightnessChanged();

    const VQHueSaturation &hueSaturation() const { return _hs; }
    QPointF knobPoint() const;
    // Moves the knob towards `point` (pulled onto the rim) and stores the colour.
    void moveKnobTo(const QPointF &point);

    void paint(QPainter &painter, const QSizeF &size, qreal devicePixelRatio) const;
    QSize sizeHint() const override;

    // The context menu's "Select White": selects white and shows it (knob in the
    // centre, slider at the top).
    void selectWhite();

    // The cursor over the wheel on a screen of `devicePixelRatio`: the
    // crosshair, or the circle cursor when "VQCursor" is not 0.
    static QCursor wheelCursor(qreal devicePixelRatio);
    // The circle cursor, drawn at its size in device pixels, its hot spot on the ring's centre.
    static QCursor circleCursor(qreal devicePixelRatio);

    // A dial named "Color wheel"; its value is the knob's hue and saturation.
    QAccessible::Role accessibleRole() const override { return QAccessible::Dial; }
    QString accessibleValueText() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void enterEvent(QEnterEvent *event) override;

  private:
    void updateInformation();
    float brightness() const;

    VQSwatchCore &_core;
    VQHueSaturation _hs;
    bool _updatingColor = false;
    VQBrightnessSlider *_brightnessSlider = nullptr;
};
