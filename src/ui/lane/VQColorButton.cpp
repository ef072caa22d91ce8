#include "ui/lane/VQColorButton.h"

#include "core/VQInk.h"

#include "ui/collection_viewer/VQQuickLookController.h"
#include "ui/collections/VQCollectionActions.h"
#include "ui/collections/VQCollectionImages.h"
#include "ui/accessibility/VQAccessibleText.h"
#include "vqcore/VQLog.h"

#include <QPalette>

#include <QDrag>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace
{

QPointer<VQColorButton> gDraggedButton;

constexpr int kDragDelayMs = 500;

} // namespace

VQColorButton::VQColorButton(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    // Tab reaches the buttons, a click does not take the keyboard from the window.
    setFocusPolicy(Qt::TabFocus);
    _mouseDownTimer.setSingleShot(true);
    _mouseDownTimer.setInterval(kDragDelayMs);
    connect(&_mouseDownTimer, &QTimer::timeout, this, &VQColorButton::enableDragging);
}

VQColorButton::~VQColorButton() = default;

VQColorButton *VQColorButton::draggedButton()
{
    return gDraggedButton.data();
}

void VQColorButton::setCollection(VQSwatchCollectionRef collection)
{
    _collection = std::move(collection);
    setAccessibleName(_collection
                          ? VQAccessibleText::collection(_collection->title(), int(_collection->colors().size()))
                          : QString());
    update();
}

QStringList VQColorButton::accessibleActions() const
{
    return {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::showMenuAction()};
}

void VQColorButton::doAccessibleAction(const QString &name)
{
    if (name == QAccessibleActionInterface::pressAction())
        emit menuRequested(false);
    else if (name == QAccessibleActionInterface::showMenuAction())
        emit menuRequested(true);
}

void VQColorButton::setDraggingInside(bool inside)
{
    if (_draggingInside == inside)
        return;
    _draggingInside = inside;
    update();
}

QRect VQColorButton::removeButtonRect() const
{
    return {4, 5, 11, 11};
}

QRect VQColorButton::triangleRect() const
{
    return {width() - 12, height() - 10, 5, 4};
}

QColor VQLaneColor(const QPalette &palette, bool dragging)
{
    const QColor window = palette.color(QPalette::Window), text = palette.color(QPalette::WindowText);
    const float share = dragging ? 0.14f : 0.07f;
    const auto mix = [share](float a, float b) { return a + (b - a) * share; };
    return QColor::fromRgbF(mix(window.redF(), text.redF()), mix(window.greenF(), text.greenF()),
                            mix(window.blueF(), text.blueF()));
}

void VQColorButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const std::vector<VQColorRef> colors = _collection ? _collection->colors() : std::vector<VQColorRef>();
    const QColor lane = VQLaneColor(palette());

    if (colors.empty()) {
        painter.drawPixmap(QPointF((width() - VQPlaceholderIconSide) / 2.0, (height() - VQPlaceholderIconSide) / 2.0),
                           VQPlaceholderIcon(VQInk::frame(palette(), lane), devicePixelRatioF()));
    } else {
        QPainterPath path;
        path.addRoundedRect(tile, 4, 4);
        painter.save();
        painter.setClipPath(path);
        // The first colour fills the tile; the next four share a band along its foot.
        painter.fillRect(tile, colors.front()->screenColor());
        const std::size_t others = std::min<std::size_t>(colors.size() - 1, 4);
        if (others > 0) {
            const double bandHeight = tile.height() * 0.3;
            const double segment = tile.width() / double(others);
            for (std::size_t i = 0; i < others; ++i)
                painter.fillRect(
                    QRectF(tile.left() + segment * double(i), tile.bottom() - bandHeight, segment + 0.5, bandHeight),
                    colors[i + 1]->screenColor());
        }
        painter.restore();
        painter.setPen(QPen(VQInk::frame(palette(), lane), VQInk::frameWidth(palette())));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);

        // The menu mark: a small triangle pointing down, black or white, whichever stands out.
        const VQColorRef under = others >= 4 ? colors[4] : colors.front();
        QColor shade = VQInk::markOn(under->screenColor());
        shade.setAlpha(_highlighted ? 255 : 200);
        const QRectF mark = triangleRect();
        QPainterPath triangle;
        triangle.moveTo(mark.topLeft());
        triangle.lineTo(mark.topRight());
        triangle.lineTo(mark.center().x(), mark.bottom());
        triangle.closeSubpath();
        painter.fillPath(triangle, shade);
    }

    if (_highlighted)
        painter.fillRect(tile, QColor(0, 0, 0, 50));
    if (_draggingInside || hasFocus()) {
        const qreal line = VQInk::ringWidth(palette());
        painter.setPen(QPen(VQInk::ring(palette(), lane), line));
        painter.drawRoundedRect(QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2), 5, 5);
    }
    if (_mouseInside && _collection)
        painter.drawPixmap(removeButtonRect().topLeft(),
                           VQCloseButtonImage(_removeButtonHighlighted, devicePixelRatioF()));
}

void VQColorButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    // Ctrl+click opens the colour preview.
    if (event->modifiers() & Qt::ControlModifier) {
        VQQuickLookController::openBeside(_collection, this);
        return;
    }
    VQLog(QStringLiteral("Creating timer."));
    _mouseDownTimer.start();
    _allowDragging = false;
    _pressPoint = event->position().toPoint();
    // The remove part shows while the pointer is over the button; a press on it
    // counts with or without Alt, as window managers often keep Alt+click.
    _dragOriginPart =
        _mouseInside && removeButtonRect().contains(_pressPoint) ? VQColorButtonPart::Remove : VQColorButtonPart::Main;
    _removeButtonHighlighted = _dragOriginPart == VQColorButtonPart::Remove;
    _highlighted = true;
    update();
}

void VQColorButton::enableDragging()
{
    VQLog(QStringLiteral("Enabled dragging."));
    _allowDragging = true;
}

void VQColorButton::mouseMoveEvent(QMouseEvent *event)
{
    if (_allowDragging && (event->buttons() & Qt::LeftButton) && _collection && !gDraggedButton)
        startDrag(_pressPoint);
}

void VQColorButton::startDrag(const QPoint &hotSpot)
{
    const VQSwatchCollectionRef collection = _collection;
    // The picture shows the collection, not the press, the hover or the tooltip.
    _highlighted = false;
    _removeButtonHighlighted = false;
    _mouseInside = false;
    QToolTip::hideText();
    const QPixmap picture = grab();

    auto *data = new QMimeData;
    VQCollectionDrag::write(*data, *collection);
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(picture);
    drag->setHotSpot(hotSpot);

    gDraggedButton = this;
    hide();
    {
        VQCollectionDrag::Session session(collection->creationDate());
        // Move for a reorder or a merge, copy for whoever only takes a picture.
        drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    }
    gDraggedButton = nullptr;
    resetPress();
    // The lane decides whether the button shows again: its collection may be gone.
    emit dragFinished();
}

void VQColorButton::resetPress()
{
    _mouseDownTimer.stop();
    _allowDragging = false;
    _highlighted = false;
    _removeButtonHighlighted = false;
    update();
}

void VQColorButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (rect().contains(point))
            emit menuRequested(true);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const bool dragAllowed = _allowDragging;
    const bool wasHighlighted = _highlighted;
    const VQColorButtonPart part = _dragOriginPart;
    resetPress();
    if (dragAllowed || !wasHighlighted || !rect().contains(point))
        return;
    if (part == VQColorButtonPart::Remove && removeButtonRect().contains(point))
        emit removeRequested();
    else
        emit menuRequested(bool(QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier));
}

void VQColorButton::keyPressEvent(QKeyEvent *event)
{
    // The keyboard's way to the editing menu: window managers keep Alt+click
    // for moving windows, and the right click needs a mouse.
    const bool shift = event->modifiers() == Qt::ShiftModifier;
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && shift)) {
        emit menuRequested(true);
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        emit menuRequested(false);
        return;
    }
    QWidget::keyPressEvent(event);
}

void VQColorButton::enterEvent(QEnterEvent *event)
{
    if (!_hoverEnabled || !window()->isVisible())
        return;
    _mouseInside = true;
    if (_collection)
        QToolTip::showText(mapToGlobal(QPoint(0, height() + 4)), _collection->title(), this);
    update();
}

void VQColorButton::leaveEvent(QEvent *)
{
    _mouseInside = false;
    QToolTip::hideText();
    update();
}
