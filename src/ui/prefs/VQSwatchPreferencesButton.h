#pragma once
// The preferences' flat button: a dark rounded rectangle, lighter while
// pressed, with its title in small white letters.

#include <QAbstractButton>

class VQSwatchPreferencesButton : public QAbstractButton
{
    Q_OBJECT

  public:
    explicit VQSwatchPreferencesButton(const QString &title, QWidget *parent = nullptr);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;
};
