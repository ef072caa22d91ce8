#pragma once
// The two-part readout of the selected colour under the picker: the left part
// shows its hex value (or "CMYK"), the right part its components. A click on
// the left part copies in the copy format, on the right part in the alternate
// format; a right click (or Ctrl+click) opens the colour entry dialog. Pressed
// and moved, it drags the selected colour out, like the canvas around it.

#include "ui/accessibility/VQAccessibleControl.h"

#include <QLabel>
#include <QWidget>

class VQSwatchCore;

class VQSelectionControl : public QWidget, public VQAccessibleControl
{
    Q_OBJECT

  public:
    static constexpr int kSegmentWidths[2] = {79, 156};
    static constexpr int kHeight = 24;

    // Shows, copies and sets the selection of `core`, which outlives the control.
    explicit VQSelectionControl(VQSwatchCore &core, QWidget *parent = nullptr);
    ~VQSelectionControl() override;

    QSize sizeHint() const override;
    // Which segment a point of the control lies in: 0, 1, or -1 for neither.
    static int segmentAt(const QPoint &point);

    // Copies the selected colour in the format stored for `segment`.
    void segmentWasClicked(int segment);
    // Asks for a colour text and selects it (VQColorWasEnteredNotification).
    void runColorEntryDialog();

    // A button named "Selected color" whose value is the colour and its name:
    // pressing copies in the copy format, its menu action types a colour.
    QAccessible::Role accessibleRole() const override { return QAccessible::Button; }
    QString accessibleValueText() const override;
    QStringList accessibleActions() const override;
    void doAccessibleAction(const QString &name) override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    VQSwatchCore &_core;
    int _pressedSegment = -1;
    QPoint _pressPosition;
    quint64 _observer = 0;
};

// The selected colour's name, under the readout: its CSS name, or "≈ " and the
// nearest of the colour names, cut short with "…" when it does not fit and
// given in full as the tooltip. A click copies the name. Kept up to date with
// the selection.
class VQSelectedColorNameLabel : public QLabel
{
  public:
    static constexpr int kHeight = 14;

    // Names the selection of `core`, which outlives the label.
    explicit VQSelectedColorNameLabel(const VQSwatchCore &core, QWidget *parent = nullptr);
    ~VQSelectedColorNameLabel() override;
    // The text for the selection now (empty without one).
    QString currentText() const;
    // The name alone (no "≈ "), as copied; empty without a selection.
    QString currentName() const;
    // Puts the name on the clipboard and says so beside the label.
    void copyName();

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void refresh();
    void updateTone();

    const VQSwatchCore &_core;
    quint64 _observer = 0;
};
