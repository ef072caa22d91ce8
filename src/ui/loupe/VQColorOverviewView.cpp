#include "ui/loupe/VQColorOverviewView.h"

#include "core/VQColor.h"
#include "core/VQColorNames.h"
#include "core/VQInk.h"
#include "ui/accessibility/VQAccessibleText.h"
#include "vqcore/VQLocalizedString.h"

#include <QPainter>

VQColorOverviewView::VQColorOverviewView(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(VQLocalizedString("Color under the pointer"));
}

QString VQColorOverviewView::accessibleValueText() const
{
    const VQColorRef color = _selectedColor.isValid() ? VQColor::fromQColor(_selectedColor) : nullptr;
    return VQAccessibleText::loupe(
        color ? VQAccessibleText::color(*color, VQColorNames::shared()) : VQAccessibleText::noColor(), _sampleText);
}

void VQColorOverviewView::setSelectedColor(const QColor &color)
{
    if (color == _selectedColor)
        return;
    _selectedColor = color;
    update();
    VQAccessibleValueChanged(this);
}

void VQColorOverviewView::setSampleText(const QString &text)
{
    if (text == _sampleText)
        return;
    _sampleText = text;
    update();
    VQAccessibleValueChanged(this);
}

void VQColorOverviewView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    VQDrawColorOverview(painter, QRectF(rect()), _selectedColor, _sampleText);
}

void VQDrawColorOverview(QPainter &painter, const QRectF &bounds, const QColor &color, const QString &sample)
{
    painter.save();
    // The readout keeps its sides in a right-to-left layout: the swatch left, the numbers right.
    painter.setLayoutDirection(Qt::LeftToRight);
    painter.translate(bounds.topLeft());
    const qreal width = bounds.width(), height = bounds.height();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = height - 2;
    const QRectF swatch(1, 1, side, side);
    painter.setPen(QPen(QColor::fromRgbF(0.6f, 0.6f, 0.6f), 1));
    painter.setBrush(color.isValid() ? QBrush(color) : QBrush(Qt::black, Qt::BDiagPattern));
    painter.drawRoundedRect(swatch.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    QFont font = painter.font();
    font.setBold(true);
    if (!sample.isEmpty()) {
        // Black or white, whichever stands out more from the swatch.
        font.setPixelSize(std::max(8, int(side) / 4));
        painter.setFont(font);
        painter.setPen(color.isValid() ? VQInk::markOn(color) : QColor(Qt::white));
        painter.drawText(swatch, Qt::AlignCenter, sample);
    }
    font.setPixelSize(std::max(8, int(height) / 3 - 2));
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRgb rgb = color.isValid() ? color.toRgb().rgb() : 0;
    const std::pair<const char *, int> rows[] = {{"R", qRed(rgb)}, {"G", qGreen(rgb)}, {"B", qBlue(rgb)}};
    const qreal rowHeight = height / 3.0;
    for (int i = 0; i < 3; ++i) {
        const QRectF line(side + 8, i * rowHeight, width - side - 10, rowHeight);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, QLatin1String(rows[i].first));
        const QString value = color.isValid() ? QString::number(rows[i].second) : QStringLiteral("–");
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, value);
    }
    painter.restore();
}
