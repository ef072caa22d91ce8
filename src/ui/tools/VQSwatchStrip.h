#pragma once
// A row of colour swatches (shades, recent colours, search results): each is
// painted as a cell with a thin frame, shows its label as a tooltip, is
// selected by a click or by the keyboard (Left/Right move, Return or Space
// chooses), and can be dragged out as a colour.

#include "core/VQColor.h"
#include "ui/accessibility/VQAccessibleControl.h"
#include "ui/tools/VQSwatchStripGeometry.h"

#include <QStringList>
#include <QWidget>

#include <vector>

class VQSwatchStrip : public QWidget, public VQAccessibleControl
{
    Q_OBJECT

  public:
    explicit VQSwatchStrip(QWidget *parent = nullptr);

    // The colours shown and one tooltip label each (missing labels show the hex text).
    void setColors(std::vector<VQColorRef> colors, QStringList labels = {});
    const std::vector<VQColorRef> &colors() const { return _colors; }
    // The widest a cell grows.
    void setMaximumCellWidth(int width);
    // The cell drawn as current (-1: none).
    void setCurrentIndex(int index);
    int currentIndex() const { return _current; }
    VQSwatchStripGeometry geometryNow() const;

    // A list named by its row; its value is the current swatch (the first while
    // none is) and where it stands, and pressing chooses it.
    QAccessible::Role accessibleRole() const override { return QAccessible::List; }
    QString accessibleValueText() const override;
    QStringList accessibleActions() const override;
    void doAccessibleAction(const QString &name) override;

  signals:
    void colorChosen(int index);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

  private:
    std::vector<VQColorRef> _colors;
    QStringList _labels;
    int _maximumCell = 24;
    int _current = -1;
    int _pressed = -1;
    QPoint _pressPosition;
};
