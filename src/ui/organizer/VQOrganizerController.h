#pragma once
// The organiser: a floating tool window with a table of every collection (its
// swatch and its editable title). Rows are dragged between rows to reorder,
// onto a row to merge, and removed with the button below the table; a click
// on a swatch opens the menu of the collection's colours, each with
// Rename.../Remove..., and Export.... "Export..." below the table exports the
// selected rows. Collections dragged from the lane land here too.

#include "core/VQSwatchCollection.h"

#include <QStyledItemDelegate>
#include <QTableView>

class QPushButton;
class VQOrganizerModel;
class VQSwatchCore;

// A table whose rows can always be dragged; a drag carries one collection.
class VQReorderingTableView : public QTableView
{
    Q_OBJECT

  public:
    explicit VQReorderingTableView(QWidget *parent = nullptr);

  protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

// Paints a collection's swatch: its first colour with the menu triangle, or
// the placeholder of an empty collection.
class VQColorSwatchDelegate : public QStyledItemDelegate
{
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

class VQOrganizerController
{
  public:
    // The organiser of `core`, which outlives it; its window is made hidden.
    explicit VQOrganizerController(VQSwatchCore &core);
    ~VQOrganizerController();
    VQOrganizerController(const VQOrganizerController &) = delete;
    VQOrganizerController &operator=(const VQOrganizerController &) = delete;

    // Centres the window, floats it above the others, shows it and re-reads the library.
    void runOrganizer();

    QWidget *window() const { return _organizerWindow; }
    VQReorderingTableView *tableView() const { return _tableView; }
    VQOrganizerModel *model() const { return _model; }

    // Asks, then removes the collection of the current row.
    void removeCollection();
    // Exports the collections of the selected rows, in table order.
    void exportSelectedCollections();
    // The colour menu of a row's swatch, its items bound to the collection and colour.
    QMenu *createSwatchMenu(const VQSwatchCollectionRef &collection, QWidget *parent) const;

  private:
    void displayMenu(const QModelIndex &index);

    VQSwatchCore &_core;
    QWidget *_organizerWindow = nullptr;
    VQOrganizerModel *_model = nullptr;
    VQReorderingTableView *_tableView = nullptr;
    QPushButton *_removeButton = nullptr;
    QPushButton *_exportButton = nullptr;
};
