#include "ui/tools/VQColorSearchPanel.h"

#include "core/VQColorNames.h"
#include "core/VQInk.h"
#include "ui/mainwindow/VQSwatchMainWindow.h"
#include "vqcore/VQLocalizedString.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

namespace
{

QIcon swatchIcon(const VQColor &color, const QColor &frame, qreal ratio)
{
    QPixmap pixmap(QSize(14, 14) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(color.screenColor());
    QPainter painter(&pixmap);
    painter.setPen(frame);
    painter.drawRect(QRectF(0.5, 0.5, 13, 13));
    return QIcon(pixmap);
}

QString describe(const VQColorSearchMatch &match)
{
    switch (match.source) {
    case VQColorSearchMatch::Source::Collection:
        return QStringLiteral("%1 \u2014 %2").arg(match.name, match.collection);
    case VQColorSearchMatch::Source::ColorText:
        return QStringLiteral("%1 \u2014 \u2248 %2").arg(match.color->hexValue(), match.name);
    case VQColorSearchMatch::Source::ColorName:
        break;
    }
    return QStringLiteral("%1 \u2014 %2").arg(match.name, match.color->hexValue());
}

} // namespace

VQColorSearchPanel::VQColorSearchPanel(const VQSwatchCore &library, const VQColorNames &names, QWidget *parent)
    : QWidget(parent), _library(library), _names(names)
{
    setObjectName(QStringLiteral("VQColorSearchPanel"));
    _results = new QListWidget(this);
    _results->setObjectName(QStringLiteral("VQColorSearchResults"));
    _results->setFocusPolicy(Qt::NoFocus);
    _results->setUniformItemSizes(true);
    _results->setIconSize(QSize(14, 14));
    _results->setTextElideMode(Qt::ElideMiddle);
    _results->setAccessibleName(VQLocalizedString("Matching colors"));
    _field = new QLineEdit(this);
    _field->setObjectName(QStringLiteral("VQColorSearchField"));
    _field->setPlaceholderText(VQLocalizedString("Find a color by name or value"));
    _field->setAccessibleName(VQLocalizedString("Find Color"));
    _field->setClearButtonEnabled(true);
    _field->setProperty(VQSwatchMainWindow::kKeepsEscapeProperty, true);
    _field->installEventFilter(this);
    connect(_field, &QLineEdit::textChanged, this, &VQColorSearchPanel::search);
    connect(_results, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { choose(_results->row(item), false); });
    connect(_results, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { choose(_results->row(item), true); });
    hide();
}

void VQColorSearchPanel::open(const QRect &area)
{
    _area = area;
    layOut();
    show();
    raise();
    _field->setFocus(Qt::ShortcutFocusReason);
    _field->selectAll();
}

void VQColorSearchPanel::close()
{
    if (isHidden())
        return;
    hide();
    emit closed();
}

void VQColorSearchPanel::search(const QString &text)
{
    _matches = VQSearchColors(text, _library, _names);
    _results->clear();
    const qreal ratio = devicePixelRatioF();
    const QColor frame = VQInk::frame(_results->palette(), _results->palette().color(QPalette::Base));
    for (const VQColorSearchMatch &match : _matches) {
        auto *item = new QListWidgetItem(swatchIcon(*match.color, frame, ratio), describe(match), _results);
        item->setSizeHint(QSize(0, kRowHeight));
        item->setToolTip(describe(match));
    }
    if (!_matches.empty())
        _results->setCurrentRow(0);
    layOut();
}

void VQColorSearchPanel::choose(int row, bool andClose)
{
    if (row < 0 || row >= int(_matches.size()))
        return;
    emit colorChosen(_matches[size_t(row)].color);
    if (andClose)
        close();
}

void VQColorSearchPanel::layOut()
{
    // Bottom-aligned in the area: the results grow upwards from the field.
    const int rows = std::min<int>(kShownRows, int(_matches.size()));
    const int listHeight = rows > 0 ? rows * kRowHeight + 2 * _results->frameWidth() : 0;
    const int height = std::min(_area.height(), kFieldHeight + listHeight + (rows > 0 ? 2 : 0));
    setGeometry(_area.left(), _area.bottom() + 1 - height, _area.width(), height);
    _results->setVisible(rows > 0);
    _results->setGeometry(0, 0, width(), height - kFieldHeight - (rows > 0 ? 2 : 0));
    _field->setGeometry(0, height - kFieldHeight, width(), kFieldHeight);
}

bool VQColorSearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != _field || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const int count = _results->count();
    switch (key->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose(std::max(_results->currentRow(), 0), true);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (count > 0) {
            const int step = key->key() == Qt::Key_Down ? 1 : -1;
            _results->setCurrentRow(std::clamp(_results->currentRow() + step, 0, count - 1));
        }
        return true;
    default:
        return false;
    }
}

void VQColorSearchPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
}
