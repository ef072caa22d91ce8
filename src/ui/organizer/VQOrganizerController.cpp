#include "ui/organizer/VQOrganizerController.h"

#include "core/VQInk.h"
#include "core/VQSwatchCore.h"
#include "ui/collections/VQCollectionActions.h"
#include "ui/collections/VQCollectionImages.h"
#include "ui/organizer/VQOrganizerModel.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQModalUI.h"

#include <QDrag>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>

namespace
{

constexpr int kRowHeight = 34;
constexpr int kSwatchColumnWidth = 44;

QString menuText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

// -- the table ----------------------------------------------------------------------

VQReorderingTableView::VQReorderingTableView(QWidget *parent) : QTableView(parent)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragDropOverwriteMode(false);
    setDropIndicatorShown(true);
    setDefaultDropAction(Qt::MoveAction);
    // Several rows may be chosen for an export; a drag and Remove... act on the current one.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

void VQReorderingTableView::startDrag(Qt::DropActions)
{
    auto *organizerModel = qobject_cast<VQOrganizerModel *>(model());
    const QModelIndex index = currentIndex();
    const VQSwatchCollectionRef collection = organizerModel ? organizerModel->collectionAtRow(index.row()) : nullptr;
    if (!collection)
        return;
    auto *data = new QMimeData;
    VQCollectionDrag::write(*data, *collection);
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    const QRect cell = visualRect(index);
    QPixmap picture = viewport()->grab(QRect(0, cell.top(), viewport()->width(), cell.height()));
    drag->setPixmap(picture);
    drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - QPoint(0, cell.top()));
    VQCollectionDrag::Session session(collection->creationDate());
    // Both, so that a move between rows is not turned into a copy. The rows are
    // never removed here: the library moves or merges the collection itself.
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

// -- the swatch cell ------------------------------------------------------------------

void VQColorSwatchDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem background(option);
    initStyleOption(&background, index);
    background.text.clear();
    QStyledItemDelegate::paint(painter, background, QModelIndex());

    const auto collection = index.data(VQOrganizerModel::CollectionRole).value<VQSwatchCollectionRef>();
    if (!collection)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPointF origin = option.rect.topLeft();
    const VQColorRef first = collection->firstColor();
    // The row's own background: Highlight while selected, else the list's Base or AlternateBase.
    const QColor row =
        option.palette.color(option.state & QStyle::State_Selected               ? QPalette::Highlight
                             : option.features & QStyleOptionViewItem::Alternate ? QPalette::AlternateBase
                                                                                 : QPalette::Base);
    const QColor frame = VQInk::frame(option.palette, row);
    if (!first) {
        painter->drawPixmap(origin + QPointF(5, 1), VQPlaceholderIcon(frame, painter->device()->devicePixelRatioF()));
        painter->restore();
        return;
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(origin + QPointF(8, 3), QSizeF(27, 27)), 3, 3);
    painter->fillPath(path, first->screenColor());
    painter->setPen(QPen(frame, VQInk::frameWidth(option.palette)));
    painter->drawPath(path);
    // The menu mark: a 9 × 5 triangle pointing down, centred in the swatch.
    const QRectF square(origin + QPointF(8.5, 4), QSizeF(27, 27));
    const QPointF centre = square.center();
    QPainterPath triangle;
    triangle.moveTo(centre + QPointF(-4.5, -2.5));
    triangle.lineTo(centre + QPointF(4.5, -2.5));
    triangle.lineTo(centre + QPointF(0, 2.5));
    triangle.closeSubpath();
    QColor mark = VQInk::markOn(first->screenColor());
    mark.setAlpha(option.state & QStyle::State_Sunken ? 255 : 200);
    painter->fillPath(triangle, mark);
    painter->restore();
}

QSize VQColorSwatchDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {kSwatchColumnWidth, kRowHeight};
}

// -- the controller -------------------------------------------------------------------

VQOrganizerController::VQOrganizerController(VQSwatchCore &core) : _core(core)
{
    _organizerWindow = new QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    _organizerWindow->setObjectName(QStringLiteral("Organizer"));
    _organizerWindow->setWindowTitle(VQLocalizedString("Organizer"));
    _organizerWindow->setAttribute(Qt::WA_QuitOnClose, false);
    _organizerWindow->resize(320, 420);

    _model = new VQOrganizerModel(_core, _organizerWindow);
    _tableView = new VQReorderingTableView;
    _tableView->setModel(_model);
    _tableView->setItemDelegateForColumn(VQOrganizerModel::SwatchColumn, new VQColorSwatchDelegate(_tableView));
    _tableView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    _tableView->verticalHeader()->hide();
    // Every row as tall as a swatch: the view never measures rows, so a long
    // library opens as fast as a short one.
    _tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    _tableView->verticalHeader()->setDefaultSectionSize(kRowHeight);
    _tableView->horizontalHeader()->setSectionResizeMode(VQOrganizerModel::SwatchColumn, QHeaderView::Fixed);
    _tableView->horizontalHeader()->resizeSection(VQOrganizerModel::SwatchColumn, kSwatchColumnWidth);
    _tableView->horizontalHeader()->setSectionResizeMode(VQOrganizerModel::TitleColumn, QHeaderView::Stretch);
    _tableView->setShowGrid(false);
    _tableView->setAlternatingRowColors(true);
    QObject::connect(_tableView, &QAbstractItemView::clicked, _organizerWindow, [this](const QModelIndex &index) {
        if (index.column() == VQOrganizerModel::SwatchColumn)
            displayMenu(index);
    });

    _removeButton = new QPushButton(VQLocalizedString("Remove..."));
    _removeButton->setToolTip(VQLocalizedString("Remove the selected collection"));
    QObject::connect(_removeButton, &QPushButton::clicked, _organizerWindow, [this] { removeCollection(); });

    _exportButton = new QPushButton(VQLocalizedString("Export..."));
    _exportButton->setToolTip(VQLocalizedString("Export the selected collections"));
    QObject::connect(_exportButton, &QPushButton::clicked, _organizerWindow, [this] { exportSelectedCollections(); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(_exportButton);
    buttons->addStretch();
    buttons->addWidget(_removeButton);
    auto *layout = new QVBoxLayout(_organizerWindow);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(_tableView);
    layout->addLayout(buttons);
}

VQOrganizerController::~VQOrganizerController()
{
    // The window (with the table and the model) has no parent to take it.
    delete _organizerWindow;
}

void VQOrganizerController::runOrganizer()
{
    _model->reload();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = _organizerWindow->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        _organizerWindow->move(frame.topLeft());
    }
    _organizerWindow->show();
    _organizerWindow->raise();
    _organizerWindow->activateWindow();
}

void VQOrganizerController::removeCollection()
{
    const int row = _tableView->currentIndex().row();
    const VQSwatchCollectionRef collection = _model->collectionAtRow(row);
    if (!collection)
        return;
    VQCollectionActions::removeCollection(_core, collection);
    QToolTip::hideText();
}

void VQOrganizerController::exportSelectedCollections()
{
    QModelIndexList rows = _tableView->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    std::vector<VQSwatchCollectionRef> collections;
    for (const QModelIndex &row : rows)
        if (VQSwatchCollectionRef collection = _model->collectionAtRow(row.row()))
            collections.push_back(std::move(collection));
    if (collections.empty()) {
        VQModalUI::shared().beep();
        return;
    }
    VQCollectionActions::exportCollections(collections);
}

QMenu *VQOrganizerController::createSwatchMenu(const VQSwatchCollectionRef &collection, QWidget *parent) const
{
    auto *menu = new QMenu(parent);
    if (!collection)
        return menu;
    const qreal ratio = parent ? parent->devicePixelRatioF() : 1.0;
    const QColor outline = VQInk::frame(menu->palette(), menu->palette().color(QPalette::Window));
    for (const VQColorRef &color : collection->colors()) {
        QMenu *actions =
            menu->addMenu(QIcon(QPixmap::fromImage(color->swatch(ratio, outline))), menuText(color->name()));
        actions->addAction(VQLocalizedString("Rename..."), [collection, color] {
            VQCollectionActions::renameColor(collection, color);
            QToolTip::hideText();
        });
        actions->addAction(VQLocalizedString("Remove..."),
                           [collection, color] { VQCollectionActions::removeColor(collection, color); });
    }
    menu->addSeparator();
    menu->addAction(VQLocalizedString("Export..."),
                    [collection] { VQCollectionActions::exportCollections({collection}); });
    return menu;
}

void VQOrganizerController::displayMenu(const QModelIndex &index)
{
    const VQSwatchCollectionRef collection = _model->collectionAtRow(index.row());
    if (!collection)
        return;
    std::unique_ptr<QMenu> menu(createSwatchMenu(collection, _tableView));
    const QRect cell = _tableView->visualRect(index);
    menu->exec(_tableView->viewport()->mapToGlobal(cell.bottomLeft() + QPoint(4, 2)));
}
