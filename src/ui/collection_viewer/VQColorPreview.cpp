#include "ui/collection_viewer/VQColorPreview_p.h"

#include "core/VQCopyTemplate.h"
#include "vqcore/VQUserDefaults.h"

#include <QMouseEvent>
#include <QPainter>

VQColorPreview::VQColorPreview(VQColorRef color, QWidget *parent) : QWidget(parent), _color(std::move(color))
{
    resize(16, 16);
    setCursor(Qt::PointingHandCursor);
    if (_color)
        setToolTip(_color->name());
}

QRectF VQColorPreview::swatchRect(const QSizeF &size)
{
    // 12 to the sides, 16 below for the label, as large as the width allows.
    const double side = std::max(0.0, size.width() - 24.0);
    return {12.0, std::max(0.0, size.height() - 16.0 - side), side, side};
}

void VQColorPreview::paintEvent(QPaintEvent *)
{
    if (!_color)
        return;
    QPainter painter(this);
    painter.setClipRect(rect());
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, height() - 15.0, width(), 13.0), Qt::AlignHCenter | Qt::AlignBottom, _color->hexValue());

    const QRectF square = swatchRect(size());
    painter.fillRect(square, _color->isWhitish() ? Qt::black : Qt::white);
    painter.fillRect(square.adjusted(1, 1, -1, -1), _color->screenColor());
}

bool VQColorPreview::copy() const
{
    const std::optional<VQCopyTemplate> format = VQCopyTemplateFromRawValue(
        VQUserDefaults::standard().integerForKey(QString::fromLatin1(VQDefaultCopyFormatDefaultsKey)));
    if (!format || !_color)
        return false;
    // Announces the copy: the program closes its window and gives the focus back.
    _color->writeToPasteboardWithTemplate(*format);
    return true;
}

void VQColorPreview::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        copy();
}
