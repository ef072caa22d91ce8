#include "ui/organizer/VQOrganizerModel.h"

#include "core/VQSwatchCore.h"
#include "ui/collections/VQCollectionActions.h"
#include "vqcore/VQLocalizedString.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QPointer>
#include <QThread>

std::size_t VQOrganizerMoveIndex(std::size_t from, std::size_t dropRow, std::size_t rows)
{
    dropRow = std::min(dropRow, rows);
    // Taking the row out first shifts every later row up by one.
    const std::size_t index = dropRow > from ? dropRow - 1 : dropRow;
    return rows == 0 ? 0 : std::min(index, rows - 1);
}

VQOrganizerModel::VQOrganizerModel(VQSwatchCore &core, QObject *parent) : QAbstractTableModel(parent), _core(core)
{
    observe();
}

VQOrganizerModel::~VQOrganizerModel() = default;

VQSwatchCore *VQOrganizerModel::core() const
{
    return &_core;
}

void VQOrganizerModel::onMainThread(std::function<void()> work)
{
    // The organiser lives as long as the process; a last sync pass after the
    // application object is gone has no table left to refresh.
    if (!QCoreApplication::instance() || QCoreApplication::closingDown())
        return;
    if (QThread::currentThread() == thread())
        work();
    else
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

void VQOrganizerModel::observe()
{
    VQNotificationCenter &center = VQNotificationCenter::defaultCenter();
    for (const char *name : {VQCollectionsWereReorganizedNotification, VQSwatchCoreDidFinishLoadingNotification,
                             VQSwatchCoreDidFinishSynchronizationNotification})
        _observers.emplace_back(center.addObserver(QString::fromLatin1(name), nullptr, [this](const VQNotification &) {
            onMainThread([this] { reload(); });
        }));
    // A title or the colours of one collection changed: the rows stay, their contents redraw.
    _observers.emplace_back(center.addObserver(
        QString::fromLatin1(VQSwatchCollectionDidChangeNotification), nullptr, [this](const VQNotification &) {
            onMainThread([this] {
                if (const int rows = rowCount(); rows > 0)
                    emit dataChanged(index(0, 0), index(rows - 1, ColumnCount - 1));
            });
        }));
}

void VQOrganizerModel::reload()
{
    beginResetModel();
    endResetModel();
}

VQSwatchCollectionRef VQOrganizerModel::collectionAtRow(int row) const
{
    VQSwatchCore *library = core();
    if (!library || row < 0)
        return nullptr;
    const std::vector<VQSwatchCollectionRef> one = library->collectionsInRange(std::size_t(row), 1);
    return one.empty() ? nullptr : one.front();
}

int VQOrganizerModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    VQSwatchCore *library = core();
    return library ? int(library->numberOfCollections()) : 0;
}

int VQOrganizerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VQOrganizerModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const VQSwatchCollectionRef collection = collectionAtRow(index.row());
    if (!collection)
        return {};
    if (role == CollectionRole)
        return QVariant::fromValue(collection);
    if (index.column() == TitleColumn && (role == Qt::DisplayRole || role == Qt::EditRole))
        return collection->title();
    if (index.column() == SwatchColumn && role == Qt::ToolTipRole)
        return VQLocalizedString("Click for the colors of this collection");
    return {};
}

QVariant VQOrganizerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == TitleColumn ? VQLocalizedString("Title") : QString();
}

bool VQOrganizerModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || value.typeId() != QMetaType::QString)
        return false;
    const VQSwatchCollectionRef collection = collectionAtRow(index.row());
    if (!VQCollectionActions::setCollectionTitle(collection, value.toString()))
        return false;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

Qt::ItemFlags VQOrganizerModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (index.column() == TitleColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QStringList VQOrganizerModel::mimeTypes() const
{
    return {QString::fromLatin1(VQSwatchCollectionDragType)};
}

QMimeData *VQOrganizerModel::mimeData(const QModelIndexList &indexes) const
{
    // Only one collection is ever dragged: the first row asked for.
    for (const QModelIndex &index : indexes) {
        if (const VQSwatchCollectionRef collection = collectionAtRow(index.row())) {
            auto *data = new QMimeData;
            VQCollectionDrag::write(*data, *collection);
            return data;
        }
    }
    return nullptr;
}

Qt::DropActions VQOrganizerModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions VQOrganizerModel::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

bool VQOrganizerModel::canDropMimeData(const QMimeData *data, Qt::DropAction, int, int, const QModelIndex &) const
{
    const std::optional<std::uint64_t> identifier = VQCollectionDrag::identifierOfOwnDrag(data);
    return identifier && core() && core()->collectionWithID(*identifier);
}

bool VQOrganizerModel::dropMimeData(const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent)
{
    VQSwatchCore *library = core();
    const std::optional<std::uint64_t> identifier = VQCollectionDrag::identifierOfOwnDrag(data);
    if (!library || !identifier)
        return false;
    const VQSwatchCollectionRef source = library->collectionWithID(*identifier);
    if (!source)
        return false;

    if (row < 0 && parent.isValid()) {
        // Onto a row: merge. The question is asked once the drag is over, so no
        // alert runs inside the drag; the two collections are bound by identity.
        const VQSwatchCollectionRef target = collectionAtRow(parent.row());
        if (!target || target == source)
            return false;
        QPointer<VQOrganizerModel> self(this);
        QMetaObject::invokeMethod(
            this,
            [self, source, target] {
                if (self && self->core())
                    VQCollectionActions::mergeCollections(*self->core(), source, target);
            },
            Qt::QueuedConnection);
        return true;
    }

    // Between rows (or below the last one): move.
    const std::vector<VQSwatchCollectionRef> all = library->allCollections();
    const auto from = std::find(all.begin(), all.end(), source);
    if (from == all.end())
        return false;
    const std::size_t dropRow = row < 0 ? all.size() : std::size_t(row);
    VQCollectionActions::moveCollection(*library, source,
                                        VQOrganizerMoveIndex(std::size_t(from - all.begin()), dropRow, all.size()));
    return true;
}
