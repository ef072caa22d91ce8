#include "ui/prefs/VQSwatchPreferencesButton.h"

#include <QPainter>

namespace
{
QFont titleFont(const QFont &base)
{
    QFont font = base;
    font.setPixelSize(11);
    return font;
}
} // namespace

VQSwatchPreferencesButton::VQSwatchPreferencesButton(const QString &title, QWidget *parent) : QAbstractButton(parent)
{
    setText(title);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize VQSwatchPreferencesButton::sizeHint() const
{
    const QFontMetrics metrics(titleFont(font()));
    return {metrics.horizontalAdvance(text()) + 24, 20};
}

void VQSwatchPreferencesButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const float white = isDown() ? 0.3f : 0.2f;
    painter.setBrush(QColor::fromRgbF(white, white, white, 1.0f));
    painter.drawRoundedRect(QRectF(rect()), 3.0, 3.0);

    const QFont font = titleFont(this->font());
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, isEnabled() ? 255 : 110));
    // Centred across; the text's foot 4 pixels above the bottom edge.
    const double x = width() * 0.5 - metrics.horizontalAdvance(text()) * 0.5;
    const double baseline = height() - 4.0 - metrics.descent();
    painter.drawText(QPointF(x, baseline), text());
    if (hasFocus()) {
        painter.setPen(QPen(QColor(90, 150, 240), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3.0, 3.0);
    }
}
