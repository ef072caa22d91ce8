#include "ui/mainwindow/VQSwatchMainWindow.h"

#include "core/VQInk.h"
#include "ui/mainwindow/VQSelectionCanvas.h"
#include "ui/mainwindow/VQSelectionControl.h"
#include "ui/pickers/VQColorPicker.h"
#include "vqcore/VQLocalizedString.h"

#include <QApplication>
#include <QBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>
#include <QToolButton>

#include <cmath>

namespace
{

constexpr int kMargin = 8;
constexpr int kContentWidth = VQSwatchMainWindow::kWidth - 2 * kMargin;
constexpr int kCanvasWidth = VQColorPicker::kMaximumViewWidth + 4;
// The picker area holds the largest picker view.
constexpr int kPickerAreaWidth = VQColorPicker::kMaximumViewWidth;
constexpr int kPickerAreaHeight = VQColorPicker::kMaximumViewHeight;
constexpr int kCanvasHeight =
    kPickerAreaHeight + 6 + VQSelectionControl::kHeight + 2 + VQSelectedColorNameLabel::kHeight + 8;
constexpr double kCornerRadius = 4.5;

// The window's outline: a rounded rectangle with a triangle on one edge
// pointing at the tray icon.
QPainterPath outlinePath(const QSize &size, VQMainWindowPlacement::ArrowEdge edge, int arrowX)
{
    using Edge = VQMainWindowPlacement::ArrowEdge;
    const int top = edge == Edge::Top ? VQSwatchMainWindow::kArrowHeight : 0;
    const int bottom = size.height() - (edge == Edge::Bottom ? VQSwatchMainWindow::kArrowHeight : 0);
    QPainterPath path;
    path.addRoundedRect(QRectF(0, top, size.width(), bottom - top), kCornerRadius, kCornerRadius);
    if (edge != Edge::None) {
        const double tip = edge == Edge::Top ? 0 : size.height();
        const double base = edge == Edge::Top ? top + 1 : bottom - 1;
        QPainterPath triangle;
        triangle.moveTo(arrowX - VQSwatchMainWindow::kArrowHeight, base);
        triangle.lineTo(arrowX, tip);
        triangle.lineTo(arrowX + VQSwatchMainWindow::kArrowHeight, base);
        triangle.closeSubpath();
        path = path.united(triangle);
    }
    return path;
}

QPixmap drawIcon(const QString &name, const QColor &ink, qreal ratio)
{
    const int side = 16;
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (name == QLatin1String("Gear")) {
        // Eight teeth around a ring.
        painter.translate(side / 2.0, side / 2.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        for (int tooth = 0; tooth < 8; ++tooth) {
            painter.drawRoundedRect(QRectF(-1.4, -7.5, 2.8, 4), 0.6, 0.6);
            painter.rotate(45);
        }
        painter.drawEllipse(QPointF(0, 0), 5.2, 5.2);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.drawEllipse(QPointF(0, 0), 2.2, 2.2);
    } else if (name == QLatin1String("Eyedropper")) {
        // A pipette leaning right: the bulb up at the right, the tip down at the left.
        painter.translate(side / 2.0, side / 2.0);
        painter.rotate(45);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawRoundedRect(QRectF(-2.6, -8, 5.2, 4.6), 2.2, 2.2);
        painter.drawRoundedRect(QRectF(-3.6, -3.8, 7.2, 1.8), 0.6, 0.6);
        painter.setPen(QPen(ink, 1.3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(-1.3, -1.8, 2.6, 6.6));
        painter.drawLine(QPointF(0, 4.8), QPointF(0, 7.6));
    } else {
        // A chevron: up to hide the lane, down to show it.
        const bool up = name == QLatin1String("HideCollections");
        QPen pen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        const double y0 = up ? 10 : 6, y1 = up ? 6 : 10;
        painter.drawPolyline(QPolygonF({QPointF(4, y0), QPointF(8, y1), QPointF(12, y0)}));
    }
    return pixmap;
}

} // namespace

QIcon VQMainWindowIcon(const QString &name, const QColor &ink)
{
    QIcon icon;
    icon.addPixmap(drawIcon(name, ink, 1));
    icon.addPixmap(drawIcon(name, ink, 2));
    return icon;
}

VQSwatchMainWindow::VQSwatchMainWindow(VQSwatchCore &core, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("VQSwatchMainWindow"));
    setWindowTitle(QStringLiteral("Vellico")); // untranslated: the program's name
    setAttribute(Qt::WA_DeleteOnClose, false);

    _outerLayout = new QVBoxLayout(this);
    _outerLayout->setSpacing(4);
    _outerLayout->setSizeConstraint(QLayout::SetNoConstraint);

    _note = new QLabel(this);
    _note->setObjectName(QStringLiteral("VQMainWindowNote"));
    _note->setWordWrap(true);
    _note->setFixedWidth(kContentWidth);
    _note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    _note->hide();
    _outerLayout->addWidget(_note, 0, Qt::AlignHCenter);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    _chooserSlot = new QWidget(this);
    auto *chooserLayout = new QHBoxLayout(_chooserSlot);
    chooserLayout->setContentsMargins(0, 0, 0, 0);
    header->addWidget(_chooserSlot, 1);
    _eyedropperButton = new QToolButton(this);
    _eyedropperButton->setAutoRaise(true);
    _eyedropperButton->setFocusPolicy(Qt::NoFocus);
    _eyedropperButton->setAccessibleName(VQLocalizedString("Pick Color from Screen"));
    connect(_eyedropperButton, &QToolButton::clicked, this, &VQSwatchMainWindow::eyedropperClicked);
    header->addWidget(_eyedropperButton);
    _gearButton = new QToolButton(this);
    _gearButton->setAutoRaise(true);
    _gearButton->setToolTip(VQLocalizedString("Preferences, import and more"));
    _gearButton->setAccessibleName(VQLocalizedString("Menu"));
    _gearButton->setFocusPolicy(Qt::NoFocus);
    connect(_gearButton, &QToolButton::clicked, this, &VQSwatchMainWindow::gearButtonClicked);
    header->addWidget(_gearButton);
    _outerLayout->addLayout(header);

    _canvas = new VQSelectionCanvas(core, this);
    _canvas->setFixedSize(kCanvasWidth, kCanvasHeight);
    _pickerArea = new QWidget(_canvas);
    _pickerArea->setGeometry(2, 4, kPickerAreaWidth, kPickerAreaHeight);
    _selectionControl = new VQSelectionControl(core, _canvas);
    _selectionControl->move((kCanvasWidth - _selectionControl->width()) / 2, kPickerAreaHeight + 6 + 4);
    _colorName = new VQSelectedColorNameLabel(core, _canvas);
    _colorName->setGeometry(2, _selectionControl->geometry().bottom() + 3, kCanvasWidth - 4,
                            VQSelectedColorNameLabel::kHeight);
    _outerLayout->addWidget(_canvas, 0, Qt::AlignHCenter);

    _toolRows = new QVBoxLayout;
    _toolRows->setSpacing(_outerLayout->spacing());
    _outerLayout->addLayout(_toolRows);

    _laneToggle = new QToolButton(this);
    _laneToggle->setAutoRaise(true);
    _laneToggle->setFixedSize(28, 14);
    _laneToggle->setFocusPolicy(Qt::NoFocus);
    _laneToggle->setToolTip(VQLocalizedString("Show or hide the collections"));
    _laneToggle->setAccessibleName(VQLocalizedString("Hide Collections"));
    connect(_laneToggle, &QToolButton::clicked, this, &VQSwatchMainWindow::laneToggleClicked);
    _outerLayout->addWidget(_laneToggle, 0, Qt::AlignHCenter);

    _lane = new QWidget(this);
    auto *laneLayout = new QHBoxLayout(_lane);
    laneLayout->setContentsMargins(0, 0, 0, 0);
    _lane->setFixedSize(kContentWidth, kLaneHeight);
    _outerLayout->addWidget(_lane, 0, Qt::AlignHCenter);

    applyPlacement({QRect(QPoint(0, 0), windowSize()), kWidth / 2, VQMainWindowPlacement::ArrowEdge::Top});
    updateIcons();
    qApp->installEventFilter(this);
}

VQSwatchMainWindow::~VQSwatchMainWindow() = default;

QSize VQSwatchMainWindow::windowSize() const
{
    const int spacing = _outerLayout->spacing();
    const int header = 22;
    const int note = _note->isHidden() ? 0 : _note->heightForWidth(kContentWidth) + spacing;
    int tools = 0;
    for (int index = 0; index < _toolRows->count(); ++index) {
        const QWidget *row = _toolRows->itemAt(index)->widget();
        if (row && !row->isHidden())
            tools += row->height() + spacing;
    }
    const int height = kMargin + note + header + spacing + kCanvasHeight + spacing + tools + _laneToggle->height() +
                       (_laneShownHeight > 0 ? spacing + _laneShownHeight : 0) + kMargin +
                       (_placedByCompositor ? 0 : kArrowHeight);
    return QSize(kWidth, height);
}

void VQSwatchMainWindow::setPickerView(QWidget *view)
{
    if (_pickerView == view)
        return;
    if (_pickerView) {
        _pickerView->hide();
        _pickerView->setParent(nullptr);
    }
    _pickerView = view;
    if (!view)
        return;
    view->setParent(_pickerArea);
    layOutPickerView();
    view->show();
}

void VQSwatchMainWindow::layOutPickerView()
{
    if (!_pickerView)
        return;
    // Centred across, top edge on the canvas's top edge (a taller view hangs
    // below the canvas rather than being pushed up).
    const QSize size = _pickerView->size().isEmpty() ? _pickerView->sizeHint() : _pickerView->size();
    _pickerView->setGeometry(QRect(QPoint(int((_pickerArea->width() - size.width()) * 0.5), 0), size));
}

void VQSwatchMainWindow::setChooser(QWidget *chooser)
{
    _chooserSlot->layout()->addWidget(chooser);
}

QRect VQSwatchMainWindow::overLaneArea() const
{
    const QWidget *bottom = _laneShownHeight > 0 ? _lane : static_cast<QWidget *>(_laneToggle);
    const int left = (width() - kContentWidth) / 2;
    return QRect(QPoint(left, _canvas->y()), QPoint(left + kContentWidth - 1, bottom->geometry().bottom()));
}

void VQSwatchMainWindow::addToolRow(QWidget *row)
{
    row->setParent(this);
    row->setFixedWidth(kContentWidth);
    _toolRows->addWidget(row, 0, Qt::AlignHCenter);
    emit sizeChanged();
}

void VQSwatchMainWindow::setLaneContent(QWidget *content)
{
    _lane->layout()->addWidget(content);
}

void VQSwatchMainWindow::applyPlacement(const VQMainWindowPlacement &placement)
{
    _arrowEdge = placement.arrowEdge;
    _arrowX = placement.arrowX;
    using Edge = VQMainWindowPlacement::ArrowEdge;
    // The triangle takes room at the edge it points from.
    // The triangle takes room at the edge it points from; a window the compositor
    // places has none.
    const int arrow = _placedByCompositor ? 0 : kArrowHeight;
    _outerLayout->setContentsMargins(kMargin, kMargin + (_arrowEdge == Edge::Top ? arrow : 0), kMargin,
                                     kMargin + (_arrowEdge != Edge::Top ? arrow : 0));
    setFixedSize(placement.frame.size());
    if (!_placedByCompositor)
        move(placement.frame.topLeft());
    updateMask();
    update();
}

void VQSwatchMainWindow::setNote(const QString &note)
{
    if (note == _note->text() && note.isEmpty() == _note->isHidden())
        return;
    _note->setText(note);
    _note->setVisible(!note.isEmpty());
    emit sizeChanged();
}

QString VQSwatchMainWindow::note() const
{
    return _note->isHidden() ? QString() : _note->text();
}

void VQSwatchMainWindow::setPlacedByCompositor(bool placed)
{
    _placedByCompositor = placed;
}

void VQSwatchMainWindow::setOrdinaryWindow(bool ordinary)
{
    // A window of its own with the desktop's frame, where no tray holds the program.
    setWindowFlags(ordinary ? Qt::Window : Qt::Tool | Qt::FramelessWindowHint);
}

void VQSwatchMainWindow::setLaneVisible(bool visible, int durationMs)
{
    if (visible == _laneVisible)
        return;
    _laneVisible = visible;
    updateIcons();
    _laneToggle->setAccessibleName(visible ? VQLocalizedString("Hide Collections")
                                           : VQLocalizedString("Show Collections"));
    _laneToggle->setEnabled(false);
    const int from = _laneShownHeight, to = visible ? kLaneHeight : 0;
    const auto step = [this](int height) {
        _laneShownHeight = height;
        _lane->setFixedHeight(height);
        _lane->setVisible(height > 0);
        emit sizeChanged();
    };
    if (durationMs <= 0) {
        step(to);
        _laneToggle->setEnabled(true);
        return;
    }
    auto *animation = new QVariantAnimation(this);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(durationMs);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(animation, &QVariantAnimation::valueChanged, this, [step](const QVariant &value) { step(value.toInt()); });
    connect(animation, &QVariantAnimation::finished, this, [this, step, to] {
        step(to);
        _laneToggle->setEnabled(true);
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void VQSwatchMainWindow::updateMask()
{
    const QPainterPath path = outlinePath(size(), _arrowEdge, _arrowX);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void VQSwatchMainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateMask();
}

void VQSwatchMainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window itself takes the keys: a field focused in an earlier showing
    // would otherwise keep Ctrl+C and Ctrl+V from the window.
    if (QWidget *focused = focusWidget(); focused && focused != this)
        focused->clearFocus();
    setFocus(Qt::OtherFocusReason);
}

void VQSwatchMainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateIcons();
}

void VQSwatchMainWindow::updateIcons()
{
    // Drawn in the buttons' text colour, legible on the window.
    const QColor ink = VQInk::icon(palette(), palette().color(QPalette::Window));
    _eyedropperButton->setIcon(VQMainWindowIcon(QStringLiteral("Eyedropper"), ink));
    _gearButton->setIcon(VQMainWindowIcon(QStringLiteral("Gear"), ink));
    _laneToggle->setIcon(
        VQMainWindowIcon(_laneVisible ? QStringLiteral("HideCollections") : QStringLiteral("ShowCollections"), ink));
}

void VQSwatchMainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = outlinePath(size(), _arrowEdge, _arrowX);
    const QColor window = palette().color(QPalette::Window);
    painter.fillPath(path, window);
    // The mask cuts the outer half of the line away.
    painter.setPen(QPen(VQInk::frame(palette(), window), 2 * VQInk::frameWidth(palette())));
    painter.drawPath(path);
}

bool VQSwatchMainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Only keys typed into this window: alerts and other windows keep theirs.
    if (event->type() != QEvent::KeyPress || !isVisible() || QApplication::activeWindow() != this)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    // A field over the window (the search) closes itself on Escape.
    if (key->key() == Qt::Key_Escape && widget->property(kKeepsEscapeProperty).toBool())
        return false;
    const VQMainWindowKeyAction action = VQMainWindowKeyActionFor(key->key(), key->modifiers(), _colorWheelShown);
    if (action == VQMainWindowKeyAction::None)
        return false;
    // A letter typed into a field is the field's, not the window's.
    const bool typed = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
                       !key->text().isEmpty() && key->text().at(0).isPrint();
    if (typed && widget->testAttribute(Qt::WA_InputMethodEnabled))
        return false;
    emit keyActionTriggered(action);
    return true;
}
