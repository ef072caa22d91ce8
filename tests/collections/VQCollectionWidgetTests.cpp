// The lane, the organiser and the colour preview driven with synthetic drags,
// clicks and notifications, where behaviour is at stake: pages, merges by
// drop, foreign drops, reorders, menus bound to their colours, rows that
// follow the library, and the preview's strip.

#include "VQCollectionsTestSupport.h"

#include "core/VQCopyTemplate.h"
#include "core/VQPasteboard.h"
#include "ui/collection_viewer/VQCollectionCanvas.h"
#include "ui/collection_viewer/VQColorPreview_p.h"
#include "ui/collection_viewer/VQQuickLookController.h"
#include "ui/collections/VQCollectionActions.h"
#include "ui/lane/VQCollectionViewer.h"
#include "ui/lane/VQColorButton.h"
#include "ui/organizer/VQOrganizerController.h"
#include "ui/organizer/VQOrganizerModel.h"

#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>

namespace
{

class VQLaneTest : public VQCollectionsTest
{
  protected:
    void SetUp() override
    {
        VQCollectionsTest::SetUp();
        _lane = std::make_unique<VQCollectionViewer>(core());
        _lane->setAnimationDuration(0);
        _lane->resize(258, 36);
        _lane->show();
    }
    void TearDown() override
    {
        _lane.reset();
        VQCollectionsTest::TearDown();
    }

    // The titles of the buttons the lane shows, in slot order.
    QStringList shown() const
    {
        QStringList titles;
        for (VQColorButton *button : _lane->currentButtons())
            if (!button->isHidden() && button->collection())
                titles << button->collection()->title();
        return titles;
    }

    static QPointF centreOfSlot(int slot) { return {47.0 + 41.0 * slot, 18.0}; }

    static std::unique_ptr<QMimeData> collectionData(const VQSwatchCollectionRef &collection)
    {
        auto data = std::make_unique<QMimeData>();
        VQCollectionDrag::write(*data, *collection);
        return data;
    }

    // Enters the lane, moves through `path` and drops at its end; returns the drop's answer
    // (Qt::IgnoreAction when the lane did not take it).
    Qt::DropAction drag(const QMimeData &data, const std::vector<QPointF> &path, bool drop = true,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(path.front().toPoint(), offered, &data, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(_lane.get(), &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        for (const QPointF &point : path) {
            QDragMoveEvent move(point.toPoint(), offered, &data, Qt::LeftButton, modifiers);
            QCoreApplication::sendEvent(_lane.get(), &move);
        }
        if (!drop) {
            QDragLeaveEvent leave;
            QCoreApplication::sendEvent(_lane.get(), &leave);
            return Qt::IgnoreAction;
        }
        QDropEvent event(path.back(), offered, &data, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(_lane.get(), &event);
        return event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
    }

    std::unique_ptr<VQCollectionViewer> _lane;
};

TEST_F(VQLaneTest, APageSwitchSlidesAndIgnoresPressesWhileItRuns)
{
    addCollections(12);
    _lane->setAnimationDuration(150);
    _lane->reloadPage();
    _lane->nextPage();
    EXPECT_TRUE(_lane->isPageSwitchingInProgress());
    const QPoint entering = _lane->currentButtons()[0]->pos();
    EXPECT_GT(entering.x(), _lane->width()) << "the next page comes in from the right";
    _lane->nextPage(); // ignored
    QElapsedTimer clock;
    clock.start();
    while (_lane->isPageSwitchingInProgress() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(_lane->isPageSwitchingInProgress());
    EXPECT_EQ(_lane->page(), 1u);
    EXPECT_EQ(shown(), (QStringList{"C5", "C6", "C7", "C8", "C9"}));
    EXPECT_EQ(_lane->currentButtons()[0]->pos(), QPoint(31, 2));
}

TEST_F(VQLaneTest, AnotherViewEmptiesTheLastPageAndTheLaneShowsTheLastFullOne)
{
    addCollections(11);
    _lane->reloadPage();
    _lane->nextPage();
    _lane->nextPage();
    ASSERT_EQ(shown(), QStringList{"C10"});
    core().removeCollection(at(10)); // as the organiser does
    VQCollectionActions::postReorganized();
    EXPECT_EQ(_lane->page(), 1u);
    EXPECT_EQ(shown(), (QStringList{"C5", "C6", "C7", "C8", "C9"}));
    EXPECT_TRUE(_lane->nextButton()->isHidden());
}

TEST_F(VQLaneTest, RemovingTheOnlyCollectionOfTheLastPageGoesBackAPage)
{
    addCollections(6);
    _lane->reloadPage();
    _lane->nextPage();
    ui().answerAlert(1);
    _lane->removeCollection(at(5));
    EXPECT_EQ(_lane->page(), 0u);
    EXPECT_EQ(shown(), (QStringList{"C0", "C1", "C2", "C3", "C4"}));
    EXPECT_TRUE(_lane->nextButton()->isHidden());
}

TEST_F(VQLaneTest, ACollectionFromTheOrganiserHasNoButtonHereAndStillMerges)
{
    addCollections(8);
    _lane->reloadPage();
    const VQSwatchCollectionRef fromOrganizer = at(7), target = at(1);
    VQCollectionDrag::Session session(fromOrganizer->creationDate());
    const auto data = collectionData(fromOrganizer);
    // The organiser moves it while its drag runs: the lane shows every button.
    core().moveCollection(fromOrganizer, 2);
    VQCollectionActions::postReorganized();
    EXPECT_EQ(shown(), (QStringList{"C0", "C1", "C7", "C2", "C3"}));
    core().moveCollection(fromOrganizer, 7);
    VQCollectionActions::postReorganized();
    // Between buttons: no place in the lane's order, so the drop is not taken.
    EXPECT_EQ(drag(*data, {centreOfSlot(0), {67.5, 18}}), Qt::IgnoreAction);
    EXPECT_EQ(VQColorButton::draggedButton(), nullptr);
    ui().answerAlert(0);
    EXPECT_EQ(drag(*data, {centreOfSlot(0), {99, 18}, centreOfSlot(1)}), Qt::MoveAction);
    settle();
    EXPECT_EQ(core().numberOfCollections(), 7u);
    EXPECT_EQ(target->count(), 6u);
}

TEST_F(VQLaneTest, DropsThatAreNotOursAreIgnored)
{
    addCollections(5);
    _lane->reloadPage();
    const auto fromElsewhere = collectionData(at(0)); // our type, but no drag of ours runs
    QMimeData text;
    text.setText(QStringLiteral("#FF0000 is red"));
    QMimeData unknownID;
    unknownID.setData(VQSwatchCollectionDragType, VQCollectionDrag::encode(42));

    EXPECT_EQ(drag(*fromElsewhere, {centreOfSlot(0), centreOfSlot(2)}), Qt::IgnoreAction);
    EXPECT_EQ(drag(text, {centreOfSlot(1)}), Qt::IgnoreAction);
    {
        VQCollectionDrag::Session session(42);
        EXPECT_EQ(drag(unknownID, {centreOfSlot(3)}), Qt::IgnoreAction);
    }
    settle();
    EXPECT_EQ(titles(), (QStringList{"C0", "C1", "C2", "C3", "C4"}));
    EXPECT_TRUE(ui().alerts().empty());
    EXPECT_TRUE(ui().prompts().empty());
}

TEST_F(VQLaneTest, ADragAlongTheLaneReordersOnlyPastThreeQuarters)
{
    addCollections(5);
    _lane->reloadPage();
    const VQSwatchCollectionRef dragged = at(0);
    VQCollectionDrag::Session session(dragged->creationDate());
    const auto data = collectionData(dragged);
    _lane->currentButtons()[0]->hide(); // as the button does when its drag starts

    // Three quarters into the next slot: no reorder; leaving the lane changes nothing.
    drag(*data, {centreOfSlot(0), {98, 18}}, false);
    EXPECT_EQ(_lane->currentButtons()[1]->collection(), at(1));

    // Into the far quarters of slots 1 and 2, then dropped there: moved to index 2.
    EXPECT_EQ(drag(*data, {centreOfSlot(0), {99, 18}, {140, 18}}), Qt::MoveAction);
    EXPECT_EQ(titles(), (QStringList{"C1", "C2", "C0", "C3", "C4"}));
    EXPECT_TRUE(ui().alerts().empty());
}

TEST_F(VQLaneTest, ADroppedColourJoinsTheButtonsCollectionOrStartsANewOne)
{
    addCollections(3);
    _lane->reloadPage();
    QMimeData red;
    red.setColorData(QColor(255, 0, 0));
    setTime(time() + 30);
    EXPECT_EQ(drag(red, {centreOfSlot(1)}), Qt::CopyAction);
    settle();
    ASSERT_EQ(at(1)->count(), 4u);
    EXPECT_EQ(at(1)->colors().back()->hexValue(), "#FF0000");
    // Stamped, so that the library saves the colour and other computers take it.
    EXPECT_EQ(at(1)->modificationDate(), std::uint64_t(time()));

    QMimeData blue;
    blue.setColorData(QColor(0, 0, 255));
    ui().answerText(QStringLiteral("Blues"));
    EXPECT_EQ(drag(blue, {centreOfSlot(4)}), Qt::CopyAction);
    settle();
    EXPECT_EQ(titles(), (QStringList{"C0", "C1", "C2", "Blues"}));
    EXPECT_EQ(shown(), (QStringList{"C0", "C1", "C2", "Blues"}));
    EXPECT_EQ(ui().prompts().at(0).messageText, "Please, enter a name for the color collection:");
}

TEST_F(VQLaneTest, MenuCommandsActOnTheirColourEvenAfterTheLaneReloaded)
{
    addCollections(3, 4);
    _lane->reloadPage();
    const VQSwatchCollectionRef collection = at(1);
    const VQColorRef chosen = collection->colors()[2];
    std::unique_ptr<QMenu> menu(_lane->createSwatchMenu(collection, true, _lane.get()));
    QMenu *colorActions = menu->actions().at(2)->menu();
    ASSERT_NE(colorActions, nullptr) << "in editing mode every colour has its submenu";
    QAction *remove = colorActions->actions().at(1);
    ASSERT_EQ(remove->text(), "Remove...");

    // Meanwhile a sync pass removes the first collection and reorders the colours.
    core().removeCollection(at(0));
    VQCollectionActions::postReorganized();
    collection->selectColorAtIndex(3);
    ASSERT_EQ(shown(), (QStringList{"C1", "C2"}));

    ui().answerAlert(1);
    remove->trigger();
    const std::vector<VQColorRef> left = collection->colors();
    EXPECT_EQ(left.size(), 3u);
    EXPECT_EQ(std::find(left.begin(), left.end(), chosen), left.end());
    EXPECT_EQ(collection->removedColorIDs(), std::vector<std::uint64_t>{chosen->colorID()});
    EXPECT_EQ(at(1)->count(), 4u);

    // Without editing, a colour item selects its colour.
    std::unique_ptr<QMenu> plain(_lane->createSwatchMenu(collection, false, _lane.get()));
    const VQColorRef last = collection->colors().back();
    plain->actions().at(2)->trigger();
    EXPECT_EQ(core().selectedColor(), last);
    EXPECT_EQ(collection->firstColor(), last);
    const QStringList tail = {plain->actions().at(4)->text(), plain->actions().at(5)->text(),
                              plain->actions().at(6)->text(), plain->actions().at(8)->text(),
                              plain->actions().at(9)->text()};
    EXPECT_EQ(tail, (QStringList{"Rename...", "Remove...", "Export...", "Open Collection Viewer...", "Organize..."}));
}

// Alt+click belongs to the window manager: the keyboard opens the editing menu too.
TEST_F(VQCollectionsTest, AColourButtonTellsItsMenusAndItsRemovePartApart)
{
    addCollections(1);
    VQColorButton button;
    button.resize(32, 32);
    button.setCollection(at(0));
    button.show();
    std::vector<QString> said;
    QObject::connect(&button, &VQColorButton::menuRequested,
                     [&](bool editing) { said.push_back(editing ? "editing menu" : "menu"); });
    QObject::connect(&button, &VQColorButton::removeRequested, [&] { said.push_back("remove"); });
    const auto mouse = [&](QEvent::Type type, QPoint point, Qt::MouseButton which) {
        QMouseEvent event(type, point, button.mapToGlobal(point), which,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : which, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &event);
    };
    const QPoint middle(16, 20), corner = button.removeButtonRect().center();

    mouse(QEvent::MouseButtonPress, middle, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, middle, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, middle, Qt::RightButton);
    // The remove part works while the pointer is over the button.
    QEnterEvent enter(corner, corner, button.mapToGlobal(corner));
    QCoreApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(button.isMouseInside());
    mouse(QEvent::MouseButtonPress, corner, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, corner, Qt::LeftButton);
    // Pressed on the remove part, released elsewhere on the button: the menu.
    mouse(QEvent::MouseButtonPress, corner, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, middle, Qt::LeftButton);
    EXPECT_EQ(said, (std::vector<QString>{"menu", "editing menu", "remove", "menu"}));

    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char *opens; // "": nothing
    } presses[] = {{Qt::Key_Menu, Qt::NoModifier, "editing menu"},
                   {Qt::Key_F10, Qt::ShiftModifier, "editing menu"},
                   {Qt::Key_F10, Qt::NoModifier, ""},
                   {Qt::Key_Space, Qt::NoModifier, "menu"}};
    for (const auto &press : presses) {
        said.clear();
        QKeyEvent event(QEvent::KeyPress, press.key, press.modifiers);
        QCoreApplication::sendEvent(&button, &event);
        EXPECT_EQ(said, *press.opens ? std::vector<QString>{press.opens} : std::vector<QString>{})
            << QKeySequence(press.key | press.modifiers.toInt()).toString().toStdString();
    }
}

class VQOrganizerTest : public VQCollectionsTest
{
  protected:
    void SetUp() override
    {
        VQCollectionsTest::SetUp();
        _organizer = std::make_unique<VQOrganizerController>(core());
    }
    void TearDown() override
    {
        _organizer.reset();
        VQCollectionsTest::TearDown();
    }
    VQOrganizerModel &model() { return *_organizer->model(); }
    std::unique_ptr<VQOrganizerController> _organizer;
};

TEST_F(VQOrganizerTest, RowsFollowTheLibrary)
{
    addCollections(3);
    _organizer->runOrganizer();
    EXPECT_EQ(model().rowCount(), 3);
    int resets = 0;
    QObject::connect(&model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    addCollections(1);
    VQCollectionActions::postReorganized(); // as an import does
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(model().rowCount(), 4);
    EXPECT_EQ(model().data(model().index(3, VQOrganizerModel::TitleColumn), Qt::DisplayRole).toString(), "C3");
    QObject::disconnect(&model(), &QAbstractItemModel::modelReset, nullptr, nullptr);
    _organizer->window()->hide();
}

TEST_F(VQOrganizerTest, ForeignDropsAndEmptyTitlesAreRefused)
{
    addCollections(2);
    model().reload();
    QMimeData data;
    VQCollectionDrag::write(data, *at(0));
    EXPECT_FALSE(model().canDropMimeData(&data, Qt::MoveAction, 1, 0, {}));
    EXPECT_FALSE(model().dropMimeData(&data, Qt::MoveAction, 2, 0, {}));
    EXPECT_EQ(titles(), (QStringList{"C0", "C1"}));

    const QModelIndex title = model().index(1, VQOrganizerModel::TitleColumn);
    EXPECT_FALSE(model().setData(title, QString(), Qt::EditRole));
    EXPECT_TRUE(model().setData(title, QStringLiteral("Dunes"), Qt::EditRole));
    EXPECT_EQ(titles(), (QStringList{"C0", "Dunes"}));
    EXPECT_TRUE(model().flags(title) & Qt::ItemIsEditable);
    EXPECT_FALSE(model().flags(model().index(1, VQOrganizerModel::SwatchColumn)) & Qt::ItemIsEditable);
}

class RecordingPasteboard : public VQPasteboard
{
  public:
    explicit RecordingPasteboard(QStringList *texts) : _texts(texts) {}
    void setString(const QString &text) override { _texts->append(text); }
    QString string() const override { return _texts->isEmpty() ? QString() : _texts->back(); }

  private:
    QStringList *_texts;
};

TEST_F(VQCollectionsTest, ThePreviewScrollsALongCollectionAndCopiesOnClick)
{
    addCollections(1, 300);
    addCollections(1, 2);
    VQQuickLookController *viewer = VQQuickLookController::viewerForCollection(at(0));
    viewer->window()->show();
    EXPECT_EQ(viewer->window()->windowTitle(), "C0");
    EXPECT_EQ(viewer->canvas()->itemCount(), 300);
    EXPECT_LE(viewer->window()->width(), VQQuickLookController::maximumWidth());

    // The same window, another collection.
    EXPECT_EQ(VQQuickLookController::viewerForCollection(at(1)), viewer);
    EXPECT_EQ(viewer->window()->windowTitle(), "C1");
    ASSERT_EQ(viewer->canvas()->itemCount(), 2);

    QStringList copied;
    int handed = 0;
    VQPasteboard::install(std::make_unique<RecordingPasteboard>(&copied));
    const VQObserverToken copies(VQNotificationCenter::defaultCenter().addObserver(
        VQColorWasCopiedNotification, nullptr, [&](const VQNotification &) { ++handed; }));
    auto *preview = viewer->canvas()->findChildren<VQColorPreview *>().at(0);
    VQUserDefaults::standard().setInteger(VQDefaultCopyFormatDefaultsKey, 1);
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(20, 20), preview->mapToGlobal(QPointF(20, 20)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(preview, &click);
    VQUserDefaults::standard().setInteger(VQDefaultCopyFormatDefaultsKey, 42);
    EXPECT_FALSE(preview->copy());
    VQPasteboard::install(nullptr);
    EXPECT_EQ(copied, QStringList{preview->color()->hexValue()});
    EXPECT_EQ(handed, 1);
    viewer->window()->hide();
}

} // namespace
