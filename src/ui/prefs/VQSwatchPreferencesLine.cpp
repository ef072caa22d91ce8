#include "ui/prefs/VQSwatchPreferencesLine.h"

#include <QPainter>

VQSwatchPreferencesLine::VQSwatchPreferencesLine(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void VQSwatchPreferencesLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The upper row is the darker one.
    painter.fillRect(QRect(0, 0, width(), 1), QColor::fromRgbF(0.102f, 0.102f, 0.102f));
    painter.fillRect(QRect(0, 1, width(), 1), QColor::fromRgbF(0.2f, 0.2f, 0.2f));
}
