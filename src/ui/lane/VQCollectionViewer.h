#pragma once
// The collection lane of the main window: the library's collections five at a
// time as colour buttons, paged with a sliding animation (two seconds with
// Shift held), reordered by dragging a button along the lane, merged by
// dropping a collection on a button, grown by dropping a colour (on a button:
// the colour joins that collection; elsewhere: a new collection). Swatch
// files dropped from a file manager are imported as new collections, as the
// gear menu's Import would. Each button opens a menu of its colours and of the
// collection's commands.
//
// The lane follows the library by itself: it reloads when the library has
// loaded, was reorganised or was synchronised. The shell only places it.

#include "core/VQSwatchCollection.h"
#include "ui/lane/VQCollectionPaging.h"
#include "ui/collections/VQCollectionActions.h"
#include "vqcore/VQNotificationCenter.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QMenu;
class QMimeData;
class QParallelAnimationGroup;
class QToolButton;
class VQColorButton;
class VQOrganizerController;
class VQSwatchCore;

enum class VQCollectionViewerDirection { Next = 0, Previous = 1 };

class VQCollectionViewer : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool pageSwitchingInProgress READ isPageSwitchingInProgress NOTIFY pageSwitchingChanged)

  public:
    // Shows the collections of `core`, which outlives the lane.
    explicit VQCollectionViewer(VQSwatchCore &core, QWidget *parent = nullptr);
    ~VQCollectionViewer() override;
    // How a colour chosen in the lane switches the picker to its colour space (the shell's).
    void setPickerSwitch(VQCollectionActions::PickerSwitch pickerSwitch) { _pickerSwitch = std::move(pickerSwitch); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    std::size_t page() const { return _page; }
    bool isPageSwitchingInProgress() const { return _pageSwitching; }

    void nextPage();
    void previousPage();
    void switchPageInDirection(VQCollectionViewerDirection direction);

    // The five buttons of the current page, in slot order (hidden ones included).
    const std::array<VQColorButton *, 5> &currentButtons() const { return *_currentSet; }
    QToolButton *previousButton() const { return _previousButton; }
    QToolButton *nextButton() const { return _nextButton; }

    // The colour menu of a collection; `editing` gives every colour its
    // Rename.../Remove... submenu instead of selecting it. Every item is bound
    // to its collection and colour, whatever the lane shows when it runs.
    QMenu *createSwatchMenu(const VQSwatchCollectionRef &collection, bool editing, QWidget *parent);
    void displaySwatchMenu(VQColorButton *button, bool editing);

    // The collection commands; they ask first.
    void renameCollection(const VQSwatchCollectionRef &collection);
    void removeCollection(const VQSwatchCollectionRef &collection);
    void openCollectionViewer(const VQSwatchCollectionRef &collection);
    void organize();
    // Asks for a title and adds a collection holding `color`, as a colour dropped beside the buttons does.
    void addCollectionWithColor(const VQColorRef &color) { dropColorOnLane(color); }

    // Re-reads the current page from the library.
    void reloadPage();

    // Animations last this long (milliseconds) unless Shift is held; 0 jumps.
    void setAnimationDuration(int milliseconds) { _animationDuration = milliseconds; }

  signals:
    void pageSwitchingChanged(bool inProgress);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    VQCollectionActions::PickerSwitch _pickerSwitch;
    using ButtonSet = std::array<VQColorButton *, 5>;
    // What a drag carries, once we know it is one we take.
    struct DragContent {
        VQSwatchCollectionRef collection; // a collection dragged inside this process
        VQColorRef color;                 // or a colour
        QStringList files;                // or swatch files to import
    };

    VQSwatchCore *core() const;
    void loadPage();
    void reorganize();
    void pageSwitchingEnded();
    void setPageSwitching(bool inProgress);
    double originX() const;
    QPoint slotPosition(int slot) const;
    QPointF lanepoint(QPointF widgetPoint) const;
    int animationDuration() const;
    void animate(QParallelAnimationGroup *group, QWidget *widget, QPoint to, int duration);

    std::optional<DragContent> dragContent(const QMimeData *data) const;
    // The shown button under a point, other than the one holding `except`.
    VQColorButton *buttonAt(QPointF widgetPoint, const VQSwatchCollectionRef &except) const;
    int slotOf(const VQSwatchCollectionRef &collection) const;
    void clearDropHighlights();
    void dropColorOnLane(const VQColorRef &color);
    void importDroppedFiles(const QStringList &files);
    void animateRemovalFromSlot(int slot);

    QToolButton *_previousButton = nullptr;
    QToolButton *_nextButton = nullptr;
    ButtonSet _firstSet{};
    ButtonSet _secondSet{};
    ButtonSet *_currentSet = &_firstSet;
    bool _draggingInside = false;
    bool _reorderedDuringDrag = false;
    int _menuDisplayedForButton = -1;
    std::size_t _page = 0;
    bool _pageSwitching = false;
    bool _reloadPending = false;
    int _ownChanges = 0; // while positive, the lane reloads itself after its own command
    int _animationDuration = 250;
    QPointer<QParallelAnimationGroup> _moveAnimation;
    VQSwatchCore &_core;
    // The organiser window, made the first time it is asked for.
    std::unique_ptr<VQOrganizerController> _organizer;
    std::vector<VQObserverToken> _observers;
};
