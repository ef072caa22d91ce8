#pragma once
// The rounded area behind the colour picker. Its children (the picker, the
// selection control) take their own clicks; a press on the canvas itself
// drags the selected colour out of the window (VQColorDrag.h).

#include <QPoint>
#include <QWidget>

class QMimeData;
class VQSwatchCore;

class VQSelectionCanvas : public QWidget
{
    Q_OBJECT

  public:
    // Shows and drags the selection of `core`, which outlives the canvas.
    explicit VQSelectionCanvas(VQSwatchCore &core, QWidget *parent = nullptr);

    // What a drag of the selected colour carries; null when nothing is selected.
    static QMimeData *mimeDataForSelectedColor(const VQSwatchCore &core);
    // Drags the selected colour out of `source`'s window, with a swatch under the pointer.
    static void dragSelectedColor(QWidget *source, const VQSwatchCore &core);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    VQSwatchCore &_core;
    QPoint _pressPosition;
    bool _pressed = false;
};
