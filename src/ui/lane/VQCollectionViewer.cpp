#include "ui/lane/VQCollectionViewer.h"

#include "core/VQInk.h"
#include "core/VQSwatchCore.h"
#include "parsers/VQImportCommands.h"
#include "ui/collection_viewer/VQQuickLookController.h"
#include "ui/collections/VQCollectionActions.h"
#include "ui/lane/VQColorButton.h"
#include "ui/organizer/VQOrganizerController.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QThread>
#include <QToolButton>
#include <QToolTip>

using namespace VQCollectionPaging;

namespace
{

constexpr int kSlowMotionMs = 2000;
constexpr int kArrowWidth = 20;

void acceptWith(QDropEvent *event, Qt::DropAction action)
{
    if (event->possibleActions() & action) {
        event->setDropAction(action);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

// A menu title shows '&' as it is, not as a shortcut mark.
QString menuText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

VQCollectionViewer::VQCollectionViewer(VQSwatchCore &core, QWidget *parent) : QWidget(parent), _core(core)
{
    setAcceptDrops(true);
    setFixedHeight(int(kLaneHeight));
    setMinimumWidth(int(kLaneWidth));

    const auto makeArrow = [this](Qt::ArrowType arrow, void (VQCollectionViewer::*action)()) {
        auto *button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->resize(kArrowWidth, int(kSlotSide));
        connect(button, &QToolButton::clicked, this, action);
        return button;
    };
    _previousButton = makeArrow(Qt::LeftArrow, &VQCollectionViewer::previousPage);
    _nextButton = makeArrow(Qt::RightArrow, &VQCollectionViewer::nextPage);
    _previousButton->setToolTip(VQLocalizedString("Previous collections"));
    _nextButton->setToolTip(VQLocalizedString("Next collections"));
    _previousButton->setAccessibleName(_previousButton->toolTip());
    _nextButton->setAccessibleName(_nextButton->toolTip());

    // Ten buttons for the life of the lane: one set shows the page, the other
    // waits out of sight to the left for the next page switch.
    for (ButtonSet *set : {&_firstSet, &_secondSet}) {
        for (int i = 0; i < kSlotsPerPage; ++i) {
            auto *button = new VQColorButton(this);
            button->resize(int(kSlotSide), int(kSlotSide));
            button->move(set == &_firstSet ? slotPosition(i) : slotPosition(i) - QPoint(width(), 0));
            button->hide();
            connect(button, &VQColorButton::menuRequested, this,
                    [this, button](bool editing) { displaySwatchMenu(button, editing); });
            connect(button, &VQColorButton::removeRequested, this, [this, button] {
                if (const VQSwatchCollectionRef collection = button->collection())
                    removeCollection(collection);
            });
            connect(button, &VQColorButton::dragFinished, this, [this] {
                if (!_pageSwitching)
                    loadPage();
            });
            (*set)[std::size_t(i)] = button;
        }
    }
    _currentSet = &_firstSet;
    loadPage();

    // Notifications may come from any thread; the lane changes on its own.
    const auto onMainThread = [this](void (VQCollectionViewer::*work)()) {
        return [this, work](const VQNotification &) {
            if (QThread::currentThread() == thread())
                (this->*work)();
            else
                QMetaObject::invokeMethod(this, work, Qt::QueuedConnection);
        };
    };
    VQNotificationCenter &center = VQNotificationCenter::defaultCenter();
    _observers.emplace_back(center.addObserver(QString::fromLatin1(VQSwatchCoreDidFinishLoadingNotification), nullptr,
                                               onMainThread(&VQCollectionViewer::reorganize)));
    _observers.emplace_back(center.addObserver(QString::fromLatin1(VQCollectionsWereReorganizedNotification), nullptr,
                                               onMainThread(&VQCollectionViewer::reorganize)));
    _observers.emplace_back(center.addObserver(QString::fromLatin1(VQSwatchCoreDidFinishSynchronizationNotification),
                                               nullptr, onMainThread(&VQCollectionViewer::reorganize)));
    // A colour selected or renamed: the buttons redraw from their collections.
    _observers.emplace_back(center.addObserver(QString::fromLatin1(VQSwatchCollectionDidChangeNotification), nullptr,
                                               onMainThread(qOverload<>(&QWidget::update))));
}

VQCollectionViewer::~VQCollectionViewer() = default;

QSize VQCollectionViewer::sizeHint() const
{
    return {int(kLaneWidth), int(kLaneHeight)};
}

QSize VQCollectionViewer::minimumSizeHint() const
{
    return sizeHint();
}

VQSwatchCore *VQCollectionViewer::core() const
{
    return &_core;
}

double VQCollectionViewer::originX() const
{
    return std::max(0.0, std::floor((width() - kLaneWidth) / 2.0));
}

QPoint VQCollectionViewer::slotPosition(int slot) const
{
    return slotFrame(slot).topLeft().toPoint() + QPoint(int(originX()), 0);
}

QPointF VQCollectionViewer::lanepoint(QPointF widgetPoint) const
{
    return widgetPoint - QPointF(originX(), 0);
}

int VQCollectionViewer::animationDuration() const
{
    if (_animationDuration <= 0)
        return 0;
    return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) ? kSlowMotionMs : _animationDuration;
}

void VQCollectionViewer::animate(QParallelAnimationGroup *group, QWidget *widget, QPoint to, int duration)
{
    auto *animation = new QPropertyAnimation(widget, "pos", group);
    animation->setDuration(duration);
    animation->setStartValue(widget->pos());
    animation->setEndValue(to);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    group->addAnimation(animation);
}

void VQCollectionViewer::reloadPage()
{
    loadPage();
}

void VQCollectionViewer::reorganize()
{
    VQLog(QStringLiteral("Reorganizing."));
    if (_pageSwitching || _ownChanges > 0) {
        _reloadPending = true;
        return;
    }
    loadPage();
}

void VQCollectionViewer::loadPage()
{
    VQSwatchCore *library = core();
    const std::size_t collections = library ? library->numberOfCollections() : 0;
    const Page shown = pageFor(_page, collections);
    update(); // the hint of an empty lane comes and goes
    _page = shown.page;
    const std::vector<VQSwatchCollectionRef> onPage =
        library ? library->collectionsInRange(shown.first, shown.count) : std::vector<VQSwatchCollectionRef>();
    // A button of this lane being dragged stays hidden until its drag ends; a
    // collection dragged from the organiser has no button here to hide.
    const std::optional<std::uint64_t> dragged =
        VQColorButton::draggedButton() ? VQCollectionDrag::Session::current() : std::nullopt;

    for (std::size_t i = 0; i < _currentSet->size(); ++i) {
        VQColorButton *button = (*_currentSet)[i];
        button->setDraggingInside(false);
        if (i < onPage.size()) {
            button->setCollection(onPage[i]);
            button->move(slotPosition(int(i)));
            button->setVisible(!(dragged && *dragged == onPage[i]->creationDate()));
        } else {
            button->hide();
            button->setCollection(nullptr);
        }
    }
    _previousButton->setVisible(!shown.previousHidden);
    _nextButton->setVisible(!shown.nextHidden);
    _reorderedDuringDrag = false;
    update();
}

void VQCollectionViewer::nextPage()
{
    switchPageInDirection(VQCollectionViewerDirection::Next);
}

void VQCollectionViewer::previousPage()
{
    switchPageInDirection(VQCollectionViewerDirection::Previous);
}

void VQCollectionViewer::setPageSwitching(bool inProgress)
{
    if (_pageSwitching == inProgress)
        return;
    _pageSwitching = inProgress;
    for (ButtonSet *set : {&_firstSet, &_secondSet})
        for (VQColorButton *button : *set)
            button->setHoverEnabled(!inProgress);
    emit pageSwitchingChanged(inProgress);
}

void VQCollectionViewer::switchPageInDirection(VQCollectionViewerDirection direction)
{
    if (_pageSwitching)
        return;
    const bool forward = direction == VQCollectionViewerDirection::Next;
    const std::size_t collections = core() ? core()->numberOfCollections() : 0;
    if (forward ? (_page + 1) * kSlotsPerPage >= collections : _page == 0)
        return;
    setPageSwitching(true);
    QToolTip::hideText();

    ButtonSet *old = _currentSet;
    _currentSet = old == &_firstSet ? &_secondSet : &_firstSet;
    _page = forward ? _page + 1 : _page - 1;
    loadPage();

    const int duration = animationDuration();
    if (duration == 0) {
        pageSwitchingEnded();
        return;
    }
    auto *group = new QParallelAnimationGroup(this);
    const double laneWidth = width();
    for (int i = 0; i < kSlotsPerPage; ++i) {
        VQColorButton *incoming = (*_currentSet)[std::size_t(i)];
        VQColorButton *outgoing = (*old)[std::size_t(i)];
        if (incoming->isVisible()) {
            incoming->move(int(originX() + incomingStartX(i, forward, laneWidth)), int(kSlotTop));
            animate(group, incoming, slotPosition(i), duration);
        }
        if (outgoing->isVisible())
            animate(group, outgoing, QPoint(int(originX() + outgoingEndX(i, forward, laneWidth)), int(kSlotTop)),
                    duration);
    }
    connect(group, &QParallelAnimationGroup::finished, this, &VQCollectionViewer::pageSwitchingEnded);
    group->start(QAbstractAnimation::DeleteWhenStopped);
}

void VQCollectionViewer::pageSwitchingEnded()
{
    ButtonSet *other = _currentSet == &_firstSet ? &_secondSet : &_firstSet;
    for (VQColorButton *button : *other) {
        button->hide();
        button->setCollection(nullptr);
    }
    setPageSwitching(false);
    QToolTip::hideText();
    if (_reloadPending) {
        _reloadPending = false;
        loadPage();
    }
    update();
}

void VQCollectionViewer::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QColor lane = VQLaneColor(palette(), _draggingInside);
    painter.fillRect(event->rect(), lane);
    if (height() > 3) {
        painter.setPen(QPen(VQInk::frame(palette(), lane), VQInk::frameWidth(palette())));
        painter.drawLine(0, 0, width(), 0);
    }
    if (_core.numberOfCollections() == 0 && height() > 20) {
        QFont small = font();
        small.setPixelSize(10);
        painter.setFont(small);
        painter.setPen(VQInk::hint(palette(), lane));
        const QString hint = VQLocalizedString("Drop a color here, import a palette, or Ctrl+N");
        painter.drawText(rect().adjusted(6, 0, -6, 0), Qt::AlignCenter,
                         QFontMetrics(small).elidedText(hint, Qt::ElideRight, width() - 12));
    }
}

void VQCollectionViewer::resizeEvent(QResizeEvent *)
{
    const int x0 = int(originX());
    _previousButton->move(x0 + 5, int(kSlotTop));
    _nextButton->move(x0 + int(kLaneWidth) - 5 - kArrowWidth, int(kSlotTop));
    if (!_pageSwitching)
        loadPage();
}

// -- the colour menu and the commands ---------------------------------------------

QMenu *VQCollectionViewer::createSwatchMenu(const VQSwatchCollectionRef &collection, bool editing, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    if (!collection)
        return menu;
    const qreal ratio = devicePixelRatioF();
    const QColor outline = VQInk::frame(menu->palette(), menu->palette().color(QPalette::Window));
    for (const VQColorRef &color : collection->colors()) {
        const QIcon icon(QPixmap::fromImage(color->swatch(ratio, outline)));
        if (!editing) {
            menu->addAction(icon, menuText(color->name()), this, [this, collection, color] {
                if (VQSwatchCore *library = core())
                    VQCollectionActions::selectColor(*library, collection, color, _pickerSwitch);
            });
        } else {
            QMenu *actions = menu->addMenu(icon, menuText(color->name()));
            actions->addAction(VQLocalizedString("Rename..."), this, [collection, color] {
                VQCollectionActions::renameColor(collection, color);
                QToolTip::hideText();
            });
            actions->addAction(VQLocalizedString("Remove..."), this,
                               [collection, color] { VQCollectionActions::removeColor(collection, color); });
        }
    }
    menu->addSeparator();
    menu->addAction(VQLocalizedString("Rename..."), this, [this, collection] { renameCollection(collection); });
    menu->addAction(VQLocalizedString("Remove..."), this, [this, collection] { removeCollection(collection); });
    menu->addAction(VQLocalizedString("Export..."), this,
                    [collection] { VQCollectionActions::exportCollections({collection}); });
    menu->addSeparator();
    menu->addAction(VQLocalizedString("Open Collection Viewer..."), this,
                    [this, collection] { openCollectionViewer(collection); });
    menu->addAction(VQLocalizedString("Organize..."), this, [this] { organize(); });
    return menu;
}

void VQCollectionViewer::displaySwatchMenu(VQColorButton *button, bool editing)
{
    const auto index = std::find(_currentSet->begin(), _currentSet->end(), button);
    if (index == _currentSet->end() || !button->collection())
        return;
    _menuDisplayedForButton = int(index - _currentSet->begin());
    QToolTip::hideText();
    std::unique_ptr<QMenu> menu(createSwatchMenu(button->collection(), editing, this));
    menu->exec(button->mapToGlobal(QPoint(-4, button->height() + 2)));
    button->update();
}

void VQCollectionViewer::renameCollection(const VQSwatchCollectionRef &collection)
{
    VQCollectionActions::renameCollection(collection);
    QToolTip::hideText();
    update();
}

void VQCollectionViewer::removeCollection(const VQSwatchCollectionRef &collection)
{
    VQSwatchCore *library = core();
    if (!library || !collection)
        return;
    ++_ownChanges;
    const bool removed = VQCollectionActions::removeCollection(*library, collection);
    --_ownChanges;
    const int slot = slotOf(collection);
    _reloadPending = false;
    if (!removed) {
        loadPage();
        return;
    }
    QToolTip::hideText();
    if (const std::optional<std::size_t> last = pageAfterRemoval(_page, library->numberOfCollections())) {
        // The page is gone: slide back to the new last page.
        _page = *last + 1;
        switchPageInDirection(VQCollectionViewerDirection::Previous);
        if (!_pageSwitching)
            loadPage();
        return;
    }
    animateRemovalFromSlot(slot);
}

void VQCollectionViewer::animateRemovalFromSlot(int slot)
{
    loadPage();
    const int duration = animationDuration();
    if (slot < 0 || duration == 0)
        return;
    auto *group = new QParallelAnimationGroup(this);
    // The buttons after the removed one close the gap from their old slots.
    for (int i = slot; i < kSlotsPerPage; ++i) {
        VQColorButton *button = (*_currentSet)[std::size_t(i)];
        if (!button->isVisible())
            continue;
        button->move(slotPosition(i + 1));
        animate(group, button, slotPosition(i), duration);
    }
    _moveAnimation = group;
    group->start(QAbstractAnimation::DeleteWhenStopped);
}

void VQCollectionViewer::openCollectionViewer(const VQSwatchCollectionRef &collection)
{
    if (!collection)
        return;
    VQQuickLookController::openBeside(collection, this);
}

void VQCollectionViewer::organize()
{
    if (!_organizer)
        _organizer = std::make_unique<VQOrganizerController>(_core);
    _organizer->runOrganizer();
}

// -- drops --------------------------------------------------------------------------

std::optional<VQCollectionViewer::DragContent> VQCollectionViewer::dragContent(const QMimeData *data) const
{
    if (VQCollectionDrag::hasCollectionType(data)) {
        // Only a drag this process runs names a collection of this library.
        const std::optional<std::uint64_t> identifier = VQCollectionDrag::identifierOfOwnDrag(data);
        VQSwatchCore *library = core();
        if (!identifier || !library)
            return std::nullopt;
        if (VQSwatchCollectionRef collection = library->collectionWithID(*identifier))
            return DragContent{std::move(collection), nullptr, {}};
        return std::nullopt;
    }
    // Before colours: a file manager's drag may also carry the path as text.
    if (QStringList files = VQCollectionActions::importableFiles(data); !files.isEmpty())
        return DragContent{nullptr, nullptr, std::move(files)};
    if (VQColorRef color = VQColorFromMimeData(data))
        return DragContent{nullptr, std::move(color), {}};
    return std::nullopt;
}

int VQCollectionViewer::slotOf(const VQSwatchCollectionRef &collection) const
{
    if (!collection)
        return -1;
    for (std::size_t i = 0; i < _currentSet->size(); ++i)
        if ((*_currentSet)[i]->collection() == collection)
            return int(i);
    return -1;
}

VQColorButton *VQCollectionViewer::buttonAt(QPointF widgetPoint, const VQSwatchCollectionRef &except) const
{
    for (VQColorButton *button : *_currentSet)
        if (button->isVisible() && button->collection() && button->collection() != except &&
            button->geometry().contains(widgetPoint.toPoint()))
            return button;
    return nullptr;
}

void VQCollectionViewer::clearDropHighlights()
{
    for (VQColorButton *button : *_currentSet)
        button->setDraggingInside(false);
}

void VQCollectionViewer::dragEnterEvent(QDragEnterEvent *event)
{
    const std::optional<DragContent> content = dragContent(event->mimeData());
    if (!content) {
        event->ignore();
        return;
    }
    _draggingInside = true;
    update();
    acceptWith(event, content->collection ? Qt::MoveAction : Qt::CopyAction);
}

void VQCollectionViewer::dragMoveEvent(QDragMoveEvent *event)
{
    const std::optional<DragContent> content = dragContent(event->mimeData());
    if (!content) {
        event->ignore();
        return;
    }
    const QPointF point = event->position();
    if (content->collection) {
        const int current = slotOf(content->collection);
        const std::size_t collections = core()->numberOfCollections();
        if (const std::optional<int> target = reorderTarget(current, lanepoint(point), _page, collections)) {
            VQLog(QStringLiteral("overIndex %1 currentIndex: %2").arg(*target).arg(current));
            moveStepwise(*_currentSet, current, *target);
            auto *group = new QParallelAnimationGroup(this);
            const int duration = animationDuration();
            for (int i = std::min(current, *target); i <= std::max(current, *target); ++i) {
                VQColorButton *button = (*_currentSet)[std::size_t(i)];
                if (duration == 0)
                    button->move(slotPosition(i));
                else
                    animate(group, button, slotPosition(i), duration);
            }
            group->start(QAbstractAnimation::DeleteWhenStopped);
            _reorderedDuringDrag = true;
            clearDropHighlights();
            acceptWith(event, Qt::MoveAction);
            return;
        }
    }
    // Files become collections of their own: no button is their target.
    VQColorButton *over = content->files.isEmpty() ? buttonAt(point, content->collection) : nullptr;
    for (VQColorButton *button : *_currentSet)
        button->setDraggingInside(button == over);
    acceptWith(event, content->collection ? Qt::MoveAction : Qt::CopyAction);
}

void VQCollectionViewer::dragLeaveEvent(QDragLeaveEvent *)
{
    _draggingInside = false;
    clearDropHighlights();
    // A reorder shown while the drag was over the lane is undone when it leaves.
    if (_reorderedDuringDrag)
        loadPage();
    update();
}

void VQCollectionViewer::dropEvent(QDropEvent *event)
{
    _draggingInside = false;
    clearDropHighlights();
    update();
    const std::optional<DragContent> content = dragContent(event->mimeData());
    VQSwatchCore *library = core();
    if (!content || !library) {
        event->ignore();
        return;
    }
    const QPointF point = event->position();
    QPointer<VQCollectionViewer> self(this);

    if (const VQSwatchCollectionRef source = content->collection) {
        if (VQColorButton *target = buttonAt(point, source)) {
            // Asked and merged once the drag is over; both bound by identity.
            acceptWith(event, Qt::MoveAction);
            const VQSwatchCollectionRef into = target->collection();
            QMetaObject::invokeMethod(
                this,
                [self, source, into] {
                    if (self && self->core())
                        VQCollectionActions::mergeCollections(*self->core(), source, into);
                },
                Qt::QueuedConnection);
            return;
        }
        const int slot = slotOf(source);
        const std::optional<std::size_t> index = dropIndex(_page, slot, library->numberOfCollections());
        if (!index) {
            // Not from this page: there is no place in the lane's order to give it.
            if (_reorderedDuringDrag)
                loadPage();
            event->ignore();
            return;
        }
        acceptWith(event, Qt::MoveAction);
        VQCollectionActions::moveCollection(*library, source, *index);
        return;
    }

    if (!content->files.isEmpty()) {
        // Imported once the drag is over: the file manager waits for the drop to end.
        acceptWith(event, Qt::CopyAction);
        const QStringList files = content->files;
        QMetaObject::invokeMethod(
            this,
            [self, files] {
                if (self)
                    self->importDroppedFiles(files);
            },
            Qt::QueuedConnection);
        return;
    }

    const VQColorRef color = content->color;
    const bool askName = event->modifiers() & Qt::AltModifier;
    VQColorButton *target = buttonAt(point, nullptr);
    const VQSwatchCollectionRef into = target ? target->collection() : nullptr;
    acceptWith(event, Qt::CopyAction);
    QMetaObject::invokeMethod(
        this,
        [self, into, color, askName] {
            if (!self)
                return;
            if (into)
                VQCollectionActions::addDroppedColor(into, color, askName);
            else
                self->dropColorOnLane(color);
        },
        Qt::QueuedConnection);
}

void VQCollectionViewer::importDroppedFiles(const QStringList &files)
{
    VQSwatchCore *library = core();
    if (!library)
        return;
    for (const QString &file : files) {
        VQLog(QStringLiteral("Importing the dropped file ") + file);
        VQImportCommands::importFile(file, *library);
    }
}

void VQCollectionViewer::dropColorOnLane(const VQColorRef &color)
{
    VQSwatchCore *library = core();
    if (!library)
        return;
    ++_ownChanges;
    const VQSwatchCollectionRef created = VQCollectionActions::createCollectionWithColor(*library, color);
    --_ownChanges;
    _reloadPending = false;
    if (!created) {
        loadPage();
        return;
    }
    if (const std::optional<std::size_t> last = pageAfterAppending(_page, library->numberOfCollections())) {
        // Slide to the last page, where the new collection is.
        _page = *last - 1;
        switchPageInDirection(VQCollectionViewerDirection::Next);
        if (!_pageSwitching)
            loadPage();
        return;
    }
    loadPage();
    const int slot = slotOf(created);
    if (slot < 0) {
        VQModalUI::shared().beep();
        VQLog(QStringLiteral("###Error: - no newColButton."));
        return;
    }
    const int duration = animationDuration();
    if (duration == 0)
        return;
    VQColorButton *button = (*_currentSet)[std::size_t(slot)];
    button->move(width() + int(kSlotOrigin), int(kSlotTop));
    auto *group = new QParallelAnimationGroup(this);
    animate(group, button, slotPosition(slot), duration);
    group->start(QAbstractAnimation::DeleteWhenStopped);
}
