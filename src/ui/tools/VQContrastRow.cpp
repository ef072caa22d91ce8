#include "ui/tools/VQContrastRow.h"

#include "core/VQColorDrag.h"
#include "core/VQInk.h"
#include "core/VQPasteboard.h"
#include "core/VQSwatchCore.h"
#include "ui/accessibility/VQAccessibleControl.h"
#include "ui/mainwindow/VQMainWindowKeys.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace
{

constexpr int kSwatch = 24;
// The badges that pass: white on this green, in any palette.
const QColor kPassFill(28, 102, 48);

QColor screenColorOf(const VQRGBColor &color)
{
    return QColor::fromRgbF(float(color.r), float(color.g), float(color.b));
}

QColor qColorOf(const QString &hex)
{
    return QColor::fromString(hex);
}

QIcon swatchIcon(const QString &hex, const QColor &frame)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(1, 1, 12, 12), qColorOf(hex));
    painter.setPen(frame);
    painter.drawRect(QRect(1, 1, 11, 11));
    return QIcon(pixmap);
}

// A check mark or a cross inside `box`.
void drawMark(QPainter &painter, const QRectF &box, bool check, const QColor &color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (check) {
        QPainterPath path;
        path.moveTo(box.left(), box.center().y());
        path.lineTo(box.left() + box.width() * 0.38, box.bottom());
        path.lineTo(box.right(), box.top());
        painter.drawPath(path);
    } else {
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
    }
    painter.restore();
}

// The ring that shows the focus or a drop over a swatch, around it on the window.
void drawRing(QPainter &painter, const QWidget &widget)
{
    const QPalette &palette = widget.palette();
    const qreal line = VQInk::ringWidth(palette);
    painter.setPen(QPen(VQInk::ring(palette, palette.color(QPalette::Window)), line));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(widget.rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2));
}

// A swatch in a frame on the window, and its ring.
void drawSwatch(QPainter &painter, const QWidget &widget, const QColor &fill, bool ring)
{
    const QPalette &palette = widget.palette();
    const QRect swatch = widget.rect().adjusted(3, 3, -3, -3);
    const qreal line = VQInk::frameWidth(palette);
    painter.fillRect(swatch, fill);
    painter.setPen(QPen(VQInk::frame(palette, palette.color(QPalette::Window)), line));
    painter.drawRect(QRectF(swatch).adjusted(line / 2, line / 2, -line / 2, -line / 2));
    if (ring)
        drawRing(painter, widget);
}

bool opensMenu(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && held == Qt::ShiftModifier))
        return true;
    return held == Qt::NoModifier &&
           (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space);
}

} // namespace

// The second colour: a swatch that takes drops, opens its menu and picks with Alt+click.
class VQContrastAgainstSwatch : public QWidget, public VQAccessibleControl
{
  public:
    QAccessible::Role accessibleRole() const override { return QAccessible::ButtonMenu; }
    QStringList accessibleActions() const override { return {QAccessibleActionInterface::showMenuAction()}; }
    void doAccessibleAction(const QString &) override { _row.showMenu(mapToGlobal(QPoint(0, height()))); }

    explicit VQContrastAgainstSwatch(VQContrastRow &row) : QWidget(&row), _row(row)
    {
        setFixedSize(kSwatch, kSwatch);
        setFocusPolicy(Qt::StrongFocus);
        setAcceptDrops(true);
        setCursor(Qt::PointingHandCursor);
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QColor fill = screenColorOf(_row.summary().against());
        drawSwatch(painter, *this, fill, hasFocus() || _dropInside);
        // A small triangle in the corner: the swatch has a menu.
        QPainterPath corner;
        corner.moveTo(kSwatch - 5, kSwatch - 10);
        corner.lineTo(kSwatch - 5, kSwatch - 5);
        corner.lineTo(kSwatch - 10, kSwatch - 5);
        corner.closeSubpath();
        painter.fillPath(corner, VQInk::markOn(fill));
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
            return;
        if (event->modifiers() & Qt::AltModifier)
            emit _row.pickRequested();
        else
            _row.showMenu(mapToGlobal(QPoint(0, height())));
    }
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        _row.showMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                  : mapToGlobal(QPoint(0, height())));
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (opensMenu(event))
            _row.showMenu(mapToGlobal(QPoint(0, height())));
        else
            QWidget::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent *) override { update(); }
    void focusOutEvent(QFocusEvent *) override { update(); }
    void dragEnterEvent(QDragEnterEvent *event) override
    {
        if (!VQColorDrag::read(event->mimeData())) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::CopyAction);
        event->accept();
        _dropInside = true;
        update();
    }
    void dragLeaveEvent(QDragLeaveEvent *) override
    {
        _dropInside = false;
        update();
    }
    void dropEvent(QDropEvent *event) override
    {
        _dropInside = false;
        update();
        const VQColorRef color = VQColorDrag::read(event->mimeData());
        if (!color) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::CopyAction);
        event->accept();
        _row.setAgainstColor(color->RGBColor());
    }

  private:
    VQContrastRow &_row;
    bool _dropInside = false;
};

// The ratio, the badges and Lc: painted from the summary, a tooltip for each part.
class VQContrastReadout : public QWidget, public VQAccessibleControl
{
  public:
    QAccessible::Role accessibleRole() const override { return QAccessible::StaticText; }

    explicit VQContrastReadout(VQContrastRow &row) : QWidget(&row), _row(row)
    {
        setFixedHeight(VQContrastRow::kHeight);
    }

  protected:
    // The parts, from the left: the ratio, the two lines of badges under their labels, Lc.
    QRect ratioRect() const { return QRect(0, 0, 50, height()); }
    QRect labelRect(bool large) const { return QRect(52, large ? 15 : 1, 34, 12); }
    QRect badgeRect(int index) const
    {
        const bool large = index >= 2;
        const bool aaa = index % 2 == 1;
        return QRect(aaa ? 121 : 88, large ? 15 : 1, aaa ? 38 : 31, 12);
    }
    QRect lightnessRect() const { return QRect(160, 0, width() - 160, height()); }

    void paintEvent(QPaintEvent *) override
    {
        const VQContrastSummary &summary = _row.summary();
        QPainter painter(this);
        // The parts are drawn at fixed places: a right-to-left layout keeps them.
        painter.setLayoutDirection(Qt::LeftToRight);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor ink = palette().color(QPalette::WindowText);
        QFont big = font();
        big.setPixelSize(13);
        big.setBold(true);
        painter.setFont(big);
        painter.setPen(ink);
        painter.drawText(ratioRect(), Qt::AlignLeft | Qt::AlignVCenter, summary.ratioText());

        QFont small = font();
        small.setPixelSize(9);
        painter.setFont(small);
        painter.drawText(labelRect(false), Qt::AlignLeft | Qt::AlignVCenter, VQLocalizedString("Normal"));
        painter.drawText(labelRect(true), Qt::AlignLeft | Qt::AlignVCenter, VQLocalizedString("Large"));

        QFont badgeFont = font();
        badgeFont.setPixelSize(9);
        badgeFont.setBold(true);
        painter.setFont(badgeFont);
        const auto badges = summary.badges();
        for (int index = 0; index < 4; ++index) {
            const VQContrastSummary::Badge &badge = badges[size_t(index)];
            const QRectF box = QRectF(badgeRect(index)).adjusted(0.5, 0.5, -0.5, -0.5);
            // Passing: filled, with a check mark; failing: an outline with a cross.
            if (badge.passes) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(kPassFill);
            } else {
                painter.setPen(QPen(ink, 1));
                painter.setBrush(Qt::NoBrush);
            }
            painter.drawRoundedRect(box, 3, 3);
            const QColor text = badge.passes ? QColor(Qt::white) : ink;
            painter.setPen(text);
            painter.drawText(box.adjusted(3, 0, -10, 0), Qt::AlignLeft | Qt::AlignVCenter, badge.label);
            const QRectF mark(box.right() - 9, box.top() + 3, 5.5, 5.5);
            drawMark(painter, mark, badge.passes, text);
        }

        QFont lightness = font();
        lightness.setPixelSize(11);
        painter.setFont(lightness);
        painter.setPen(ink);
        painter.drawText(lightnessRect(), Qt::AlignRight | Qt::AlignVCenter, summary.lightnessContrastText());
    }

    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QWidget::event(event);
        auto *help = static_cast<QHelpEvent *>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }

  private:
    QString toolTipAt(const QPoint &point) const
    {
        const VQContrastSummary &summary = _row.summary();
        if (ratioRect().contains(point))
            return summary.ratioToolTip();
        if (lightnessRect().contains(point))
            return summary.lightnessContrastToolTip();
        const auto badges = summary.badges();
        for (int index = 0; index < 4; ++index)
            if (badgeRect(index).adjusted(0, -1, 0, 1).contains(point))
                return badges[size_t(index)].toolTip;
        for (bool large : {false, true})
            if (labelRect(large).adjusted(0, -1, 0, 1).contains(point))
                return badges[large ? 2 : 0].toolTip + QLatin1Char('\n') + badges[large ? 3 : 1].toolTip;
        return {};
    }

    VQContrastRow &_row;
};

// The nearest colour that passes: a swatch to select it, or a check mark when the selection passes.
class VQContrastNearestSwatch : public QWidget, public VQAccessibleControl
{
  public:
    QAccessible::Role accessibleRole() const override { return QAccessible::Button; }
    QStringList accessibleActions() const override { return {QAccessibleActionInterface::pressAction()}; }
    void doAccessibleAction(const QString &) override { _row.selectNearest(); }

    explicit VQContrastNearestSwatch(VQContrastRow &row) : QWidget(&row), _row(row)
    {
        setFixedSize(kSwatch, kSwatch);
        setFocusPolicy(Qt::StrongFocus);
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const std::optional<VQRGBColor> nearest = _row.summary().nearestPassing();
        if (nearest) {
            drawSwatch(painter, *this, screenColorOf(*nearest), hasFocus());
            return;
        }
        drawMark(painter, QRectF(6, 7, 12, 10), true, VQInk::legible(kPassFill, palette().color(QPalette::Window)));
        if (hasFocus())
            drawRing(painter, *this);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            _row.selectNearest();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool choose =
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space);
        if (choose)
            _row.selectNearest();
        else
            QWidget::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent *) override { update(); }
    void focusOutEvent(QFocusEvent *) override { update(); }

  private:
    VQContrastRow &_row;
};

VQContrastRow::VQContrastRow(VQSwatchCore &core, VQUserDefaults &defaults, QWidget *parent)
    : QWidget(parent), _core(core), _defaults(defaults)
{
    setFixedHeight(kHeight);
    _summary.setAgainst(VQContrastSummary::againstFromStored(
        _defaults.stringForKey(QString::fromLatin1(VQContrastAgainstColorDefaultsKey))));

    _againstSwatch = new VQContrastAgainstSwatch(*this);
    _readout = new VQContrastReadout(*this);
    _nearestSwatch = new VQContrastNearestSwatch(*this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(_againstSwatch);
    layout->addWidget(_readout, 1);
    layout->addWidget(_nearestSwatch);

    _observer = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreColorSelectionDidChangeNotification), nullptr,
        [this](const VQNotification &) { selectionChanged(); });
    selectionChanged();
}

VQContrastRow::~VQContrastRow()
{
    VQNotificationCenter::defaultCenter().removeObserver(_observer);
}

void VQContrastRow::selectionChanged()
{
    const VQColorRef selected = _core.selectedColor();
    _summary.setSelected(selected ? selected->RGBColor() : VQRGBColor::whiteColor());
    refresh();
}

void VQContrastRow::refresh()
{
    _againstSwatch->setToolTip(
        VQLocalizedString("Contrast against %1: drop a color here, or click for more").arg(_summary.againstHex()));
    _againstSwatch->setAccessibleName(VQLocalizedString("Color to contrast against: %1").arg(_summary.againstHex()));
    _readout->setAccessibleName(_summary.text());
    _nearestSwatch->setToolTip(_summary.nearestToolTip());
    _nearestSwatch->setAccessibleName(_summary.nearestToolTip());
    _nearestSwatch->setCursor(_summary.passes() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    _againstSwatch->update();
    _readout->update();
    _nearestSwatch->update();
}

void VQContrastRow::setAgainstColor(const VQRGBColor &color)
{
    _summary.setAgainst(color);
    _defaults.setString(QString::fromLatin1(VQContrastAgainstColorDefaultsKey), _summary.againstHex());
    refresh();
}

void VQContrastRow::swapColors()
{
    VQContrastSummary swapped = _summary;
    swapped.swap();
    setAgainstColor(swapped.against());
    // The selection follows last: its notification brings the summary up to date.
    const VQRGBColor selected = swapped.selected();
    _core.setSelectedColor(VQColor::makeRGB(selected), true);
}

void VQContrastRow::selectNearest()
{
    if (const std::optional<VQRGBColor> nearest = _summary.nearestPassing())
        _core.setSelectedColor(VQColor::makeRGB(*nearest), true);
}

void VQContrastRow::showMenu(const QPoint &globalPosition)
{
    QMenu menu(this);
    const auto choose = [this](const QString &hex) { setAgainstColor(VQContrastSummary::againstFromStored(hex)); };
    if (_pickingAvailable) {
        menu.addAction(VQLocalizedString("Pick from Screen"), this, [this] { emit pickRequested(); });
        menu.addSeparator();
    }
    const QColor frame = VQInk::frame(menu.palette(), menu.palette().color(QPalette::Window));
    menu.addAction(swatchIcon(QStringLiteral("#FFFFFF"), frame), VQLocalizedString("White"), this,
                   [choose] { choose(QStringLiteral("#FFFFFF")); });
    menu.addAction(swatchIcon(QStringLiteral("#000000"), frame), VQLocalizedString("Black"), this,
                   [choose] { choose(QStringLiteral("#000000")); });

    const VQContrastChoices choices =
        VQContrastChoices::make(_recent ? _recent() : QStringList(), _core.allCollections());
    const auto fill = [&](QMenu *into, const VQContrastChoices::Group &group) {
        for (const VQContrastChoices::Entry &entry : group.entries)
            into->addAction(swatchIcon(entry.hex, frame), entry.label, this,
                            [choose, hex = entry.hex] { choose(hex); });
        if (group.more > 0)
            into->addAction(VQLocalizedString("%n more not shown", int(group.more)))->setEnabled(false);
    };
    QMenu *recent = menu.addMenu(choices.recent.title);
    recent->setEnabled(!choices.recent.entries.empty());
    fill(recent, choices.recent);
    QMenu *collections = menu.addMenu(VQLocalizedString("Collections"));
    collections->setEnabled(!choices.collections.empty());
    for (const VQContrastChoices::Group &group : choices.collections)
        fill(collections->addMenu(group.title), group);
    if (choices.moreCollections > 0)
        collections->addAction(VQLocalizedString("%n more not shown", int(choices.moreCollections)))->setEnabled(false);

    menu.addSeparator();
    QAction *swap = menu.addAction(VQLocalizedString("Swap with Selection"), this, &VQContrastRow::swapColors);
    swap->setShortcut(VQMainWindowShortcutFor(VQMainWindowKeyAction::SwapContrastColors));
    menu.addAction(VQLocalizedString("Copy Contrast Summary"), this,
                   [this] { VQPasteboard::general().setString(_summary.text()); });
    menu.exec(globalPosition);
}
