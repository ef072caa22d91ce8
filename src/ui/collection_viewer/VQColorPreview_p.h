#pragma once
// One colour in the preview window: a framed square (black frame on whitish
// colours, white otherwise) over its hexadecimal value. A click copies the
// colour in the user's copy format ("VQCopyType").

#include "core/VQColor.h"

#include <QWidget>

class VQColorPreview : public QWidget
{
    Q_OBJECT

  public:
    explicit VQColorPreview(VQColorRef color, QWidget *parent = nullptr);
    const VQColorRef &color() const { return _color; }

    // The square of a preview of width `width`, in widget coordinates.
    static QRectF swatchRect(const QSizeF &size);
    // Copies the colour in the stored format; false when the stored format is not one.
    bool copy() const;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

  private:
    VQColorRef _color;
};
