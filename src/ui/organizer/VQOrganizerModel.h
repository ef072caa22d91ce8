#pragma once
// The organiser's table over the library: one row per collection, read from
// the library when the view asks (nothing is copied up front), and reset
// whenever the library says its list changed, so rows never go stale.
// Column 0 is the swatch ("VQColorSwatchColumn"), column 1 the editable title.
// A collection dragged onto a row merges into it; dragged between rows, it moves.

#include "core/VQSwatchCollection.h"
#include "vqcore/VQNotificationCenter.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <optional>
#include <vector>

class VQSwatchCore;

Q_DECLARE_METATYPE(VQSwatchCollectionRef)

inline constexpr const char *VQColorSwatchColumnIdentifier = "VQColorSwatchColumn";

// The library index a row dragged from `from` lands at when dropped before
// row `dropRow` (the row the view proposes, counted before the row leaves its
// place); `dropRow` past the end means after the last row.
std::size_t VQOrganizerMoveIndex(std::size_t from, std::size_t dropRow, std::size_t rows);

class VQOrganizerModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column { SwatchColumn = 0, TitleColumn = 1, ColumnCount = 2 };
    enum Role { CollectionRole = Qt::UserRole + 1 };

    // Shows the collections of `core`, which outlives the model.
    explicit VQOrganizerModel(VQSwatchCore &core, QObject *parent = nullptr);
    ~VQOrganizerModel() override;

    // The library shown.
    VQSwatchCore *core() const;

    VQSwatchCollectionRef collectionAtRow(int row) const;
    // Re-reads the library.
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

  private:
    void observe();
    void onMainThread(std::function<void()> work);

    VQSwatchCore &_core;
    std::vector<VQObserverToken> _observers;
};
