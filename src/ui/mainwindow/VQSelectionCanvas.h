#pragma once
// The rounded area behind the colour picker. Its children (the picker, the
// selection control) take their own clicks; a press on the canvas itself
// drags the selected colour out of the window (VQColorDrag.h).

#include <QPoint>
#include <QWidget>

class QMimeData;

class VQSelectionCanvas : public QWidget
{
    Q_OBJECT

  public:
    explicit VQSelectionCanvas(QWidget *parent = nullptr);

    // What a drag of the selected colour carries; null when nothing is selected.
    static QMimeData *mimeDataForSelectedColor();
    // Drags the selected colour out of `source`'s window, with a swatch under the pointer.
    static void dragSelectedColor(QWidget *source);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    QPoint _pressPosition;
    bool _pressed = false;
};
