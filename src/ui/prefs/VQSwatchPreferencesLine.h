#pragma once

#include <QWidget>

// The preferences' separator: two rows of one pixel, the lower one lighter.
class VQSwatchPreferencesLine : public QWidget
{
    Q_OBJECT

  public:
    explicit VQSwatchPreferencesLine(QWidget *parent = nullptr);
    QSize sizeHint() const override { return {40, 2}; }

  protected:
    void paintEvent(QPaintEvent *event) override;
};
