// The commands of the lane and the organiser on a real library, with
// scripted answers: merging, renaming, removing, and what the "don't ask
// again" boxes store.

#include "VQCollectionsTestSupport.h"

#include "ui/collections/VQCollectionActions.h"
#include "vqcore/VQNotificationCenter.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace
{

using namespace VQCollectionActions;

class VQCollectionActionsTest : public VQCollectionsTest
{
  protected:
    static bool storedTrue(const char *key) { return VQUserDefaults::standard().boolForKey(QString::fromLatin1(key)); }
};

TEST_F(VQCollectionActionsTest, MergeByDropRows)
{
    struct Row {
        const char *name;
        int sourceColors, sharedColors; // shared: the same colour objects in both
        bool dropOnItself;
        VQMergeResult result;
        int targetColorsAfter; // target had 3
        int collectionsAfter;  // of 3
    };
    const Row rows[] = {
        {"two collections", 3, 0, false, VQMergeResult::Merged, 6, 2},
        {"duplicates are added once", 1, 2, false, VQMergeResult::Merged, 4, 2},
        {"an empty source leaves", 0, 0, false, VQMergeResult::Merged, 3, 2},
        {"dropped on itself", 3, 0, true, VQMergeResult::RefusedSelf, 3, 3},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        while (core().numberOfCollections() > 0)
            core().removeCollection(at(0));
        addCollections(1, 3);
        addCollections(1, row.sourceColors);
        addCollections(1, 3);
        const VQSwatchCollectionRef target = at(0);
        const VQSwatchCollectionRef source = row.dropOnItself ? target : at(1);
        for (int i = 0; i < row.sharedColors; ++i)
            source->addColor(target->colors()[std::size_t(i)], false);
        // Sharing re-identified the colours in the target too: they are one object.
        const std::size_t sourceCount = source->count();

        const std::size_t asked = ui().alerts().size();
        if (row.result == VQMergeResult::Merged)
            ui().answerAlert(0);
        const int posts = VQCountPosts(VQCollectionsWereReorganizedNotification,
                                       [&] { EXPECT_EQ(mergeCollections(core(), source, target), row.result); });
        EXPECT_EQ(int(target->count()), row.targetColorsAfter);
        EXPECT_EQ(int(core().numberOfCollections()), row.collectionsAfter);
        EXPECT_EQ(posts, row.result == VQMergeResult::Merged ? 1 : 0);
        if (row.result == VQMergeResult::Merged) {
            EXPECT_EQ(core().collectionWithID(source->creationDate()), nullptr);
            EXPECT_EQ(core().removedCollectionIDs().back(), source->creationDate());
        } else {
            EXPECT_EQ(source->count(), sourceCount);
            EXPECT_EQ(ui().alerts().size(), asked) << "refused without a question";
        }
    }
}

TEST_F(VQCollectionActionsTest, MergeAppendsTheMissingColoursInOrderAndStampsTheTarget)
{
    addCollections(2, 2);
    const VQSwatchCollectionRef target = at(0), source = at(1);
    const std::vector<VQColorRef> moved = source->colors();
    setTime(time() + 100);
    ui().answerAlert(0);
    ASSERT_EQ(mergeCollections(core(), source, target), VQMergeResult::Merged);
    const std::vector<VQColorRef> colors = target->colors();
    ASSERT_EQ(colors.size(), 4u);
    EXPECT_EQ(colors[2], moved[0]);
    EXPECT_EQ(colors[3], moved[1]);
    EXPECT_EQ(target->modificationDate(), std::uint64_t(time()));
    EXPECT_EQ(titles(), QStringList{"C0"});
}

TEST_F(VQCollectionActionsTest, TheMergeBoxIsStoredOnlyWithMerge)
{
    addCollections(4);
    ui().answerAlert(1, true); // "Cancel" with the box ticked
    EXPECT_EQ(mergeCollections(core(), at(1), at(0)), VQMergeResult::Cancelled);
    EXPECT_FALSE(storedTrue(VQDoesntNeedCollectionMergingConfirmationKey));
    EXPECT_EQ(core().numberOfCollections(), 4u);

    ui().answerAlert(0, true); // "Merge" with the box ticked
    EXPECT_EQ(mergeCollections(core(), at(1), at(0)), VQMergeResult::Merged);
    EXPECT_TRUE(storedTrue(VQDoesntNeedCollectionMergingConfirmationKey));

    // No question the next time.
    EXPECT_EQ(mergeCollections(core(), at(1), at(0)), VQMergeResult::Merged);
    EXPECT_EQ(ui().alerts().size(), 2u);
    EXPECT_EQ(ui().alerts()[0].messageText, "Are you sure you want to merge these two collections?");
    EXPECT_EQ(ui().alerts()[0].buttons, (QStringList{"Merge", "Cancel"}));
    EXPECT_TRUE(ui().alerts()[0].showsSuppressionButton);
}

TEST_F(VQCollectionActionsTest, AMergeWhoseSourceLeftMeanwhileIsRefused)
{
    addCollections(3);
    const VQSwatchCollectionRef source = at(2);
    core().removeCollection(source);
    EXPECT_EQ(mergeCollections(core(), source, at(0)), VQMergeResult::RefusedAbsent);
    EXPECT_EQ(at(0)->count(), 3u);
    EXPECT_TRUE(ui().alerts().empty());
}

TEST_F(VQCollectionActionsTest, TheRemovalBoxIsStoredOnlyWithRemove)
{
    addCollections(1, 4);
    const VQSwatchCollectionRef collection = at(0);
    ui().answerAlert(0, true); // "Cancel", box ticked
    EXPECT_FALSE(removeColor(collection, collection->colors()[0]));
    EXPECT_FALSE(storedTrue(VQDoesntNeedColorRemovalConfirmationKey));
    EXPECT_EQ(collection->count(), 4u);

    ui().answerAlert(1, true); // "Remove", box ticked
    EXPECT_TRUE(removeColor(collection, collection->colors()[0]));
    EXPECT_TRUE(storedTrue(VQDoesntNeedColorRemovalConfirmationKey));
    EXPECT_TRUE(removeColor(collection, collection->colors()[0])); // without a question
    EXPECT_EQ(collection->count(), 2u);
    EXPECT_EQ(ui().alerts().size(), 2u);
    EXPECT_EQ(ui().alerts()[0].buttons, (QStringList{"Cancel", "Remove"}));
}

TEST_F(VQCollectionActionsTest, EmptyNamesAreRefusedAndThePromptStays)
{
    addCollections(1, 2);
    const VQSwatchCollectionRef collection = at(0);
    const VQColorRef color = collection->colors()[1];
    setTime(time() + 50);

    ui().answerText(QString()).answerText(QStringLiteral("   ")).answerText(QStringLiteral("Sea"));
    EXPECT_TRUE(renameColor(collection, color));
    EXPECT_EQ(color->name(), "Sea");
    EXPECT_EQ(ui().prompts().size(), 3u);
    EXPECT_EQ(ui().prompts()[0].messageText, "Please, enter a new name for the color:");
    EXPECT_EQ(collection->modificationDate(), std::uint64_t(time()));

    ui().answerText(QString()).answerText(QStringLiteral("Shore"));
    EXPECT_TRUE(renameCollection(collection));
    EXPECT_EQ(collection->title(), "Shore");
    EXPECT_EQ(ui().prompts().back().messageText, "Please, enter a new name for the color collection:");

    ui().answerCancel();
    EXPECT_FALSE(renameCollection(collection));
    EXPECT_EQ(collection->title(), "Shore");
    EXPECT_FALSE(setCollectionTitle(collection, QString()));
    EXPECT_EQ(collection->title(), "Shore");
}

TEST_F(VQCollectionActionsTest, ARenamedTitleMarksTheLibraryForSaving)
{
    addCollections(1);
    ASSERT_TRUE(core().save());
    const std::uint64_t before = at(0)->modificationDate();
    setTime(time() + 10);
    int changes = 0;
    VQObserverToken token(VQNotificationCenter::defaultCenter().addObserver(
        VQSwatchCollectionDidChangeNotification, at(0).get(), [&](const VQNotification &) { ++changes; }));
    EXPECT_TRUE(setCollectionTitle(at(0), QStringLiteral("Renamed")));
    EXPECT_GT(at(0)->modificationDate(), before);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(core().isDirty());
}

TEST_F(VQCollectionActionsTest, ANewCollectionFromADroppedColour)
{
    addCollections(2);
    const VQColorRef color = VQColor::makeRGB(1, 0, 0);
    ui().answerText(QString()).answerText(QStringLiteral("Reds"));
    const VQSwatchCollectionRef created = createCollectionWithColor(core(), color);
    ASSERT_TRUE(created);
    EXPECT_EQ(titles(), (QStringList{"C0", "C1", "Reds"}));
    EXPECT_EQ(created->colors(), std::vector<VQColorRef>{color});
    EXPECT_EQ(ui().prompts()[0].text, "New Collection");
    EXPECT_EQ(ui().prompts()[0].buttons, (QStringList{"Create", "Cancel"}));

    ui().answerCancel();
    EXPECT_EQ(createCollectionWithColor(core(), VQColor::makeRGB(0, 1, 0)), nullptr);
    EXPECT_EQ(core().numberOfCollections(), 3u);
}

TEST_F(VQCollectionActionsTest, SelectingAColourSwitchesThePickerFirstAndMovesTheColourToTheFront)
{
    addCollections(1, 3);
    const VQSwatchCollectionRef collection = at(0);
    const VQColorRef cmyk = VQColor::makeCMYK(0, 1, 1, 0);
    collection->addColor(cmyk, false);
    std::vector<VQColorSpace> switched;
    selectColor(core(), collection, cmyk, [&](VQColorSpace space) {
        switched.push_back(space);
        EXPECT_NE(core().selectedColor(), cmyk) << "the picker switches before the colour is selected";
    });
    EXPECT_EQ(switched, std::vector<VQColorSpace>{VQColorSpace::CMYK});
    EXPECT_EQ(core().selectedColor(), cmyk);
    EXPECT_EQ(collection->firstColor(), cmyk);

    // A colour that has left its collection is not selected.
    const VQColorRef gone = collection->colors()[2];
    collection->removeColorAtIndex(2);
    selectColor(core(), collection, gone);
    EXPECT_NE(core().selectedColor(), gone);
}

TEST_F(VQCollectionActionsTest, RemovingACollectionAsksAndTellsTheViews)
{
    addCollections(3);
    const VQSwatchCollectionRef middle = at(1);
    ui().answerAlert(0);
    EXPECT_FALSE(removeCollection(core(), middle));
    ui().answerAlert(1);
    EXPECT_EQ(
        VQCountPosts(VQCollectionsWereReorganizedNotification, [&] { EXPECT_TRUE(removeCollection(core(), middle)); }),
        1);
    EXPECT_EQ(titles(), (QStringList{"C0", "C2"}));
    EXPECT_EQ(ui().alerts()[0].messageText, "Do you really want to remove this collection?");
}

} // namespace

// The save panel offers every format, a palette first for one collection and
// .ase for several; the chosen name's extension picks the format, and what the
// format cannot hold is told in an alert with nothing written.
TEST_F(VQCollectionActionsTest, ExportAsksWhereAndTheExtensionPicksTheFormat)
{
    addCollections(3, 2);
    at(2)->colors().at(0)->setName(QStringLiteral(" padded "));
    struct Row {
        const char *name;
        std::vector<std::size_t> collections;
        QString file; // empty: cancelled
        QString proposed;
        QByteArray starts; // the file's first bytes; empty: no file
        QString alert;     // informative text, after the file's path where it starts with ':'
    };
    const std::vector<Row> rows = {
        {"one collection as a palette", {0}, "one.gpl", "C0.gpl", "GIMP Palette\nName: C0\n", {}},
        {"several as JSON", {0, 1}, "both.json", "Collections.ase", "[\n    {", {}},
        {"several to one palette", {0, 1}, "both.gpl", "Collections.ase", {}, "A GIMP palette holds one collection"},
        {"an extension of no format", {1}, "c1.txt", "C1.gpl", {}, ": the name must end in .gpl, .ase, .css or .json"},
        {"cancelled", {0}, {}, "C0.gpl", {}, {}},
        {"a name a palette row cannot hold is told after the export",
         {2},
         "c2.gpl",
         "C2.gpl",
         "GIMP Palette\nName: C2\nColumns: 2\n#\n  5   0 128\tpadded\n",
         ": 1 name or title was changed: a palette row holds no control characters"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<VQSwatchCollectionRef> chosen;
        for (std::size_t index : row.collections)
            chosen.push_back(at(index));
        const QString file = row.file.isEmpty() ? QString() : path(QStringLiteral("out/") + row.file);
        QDir().mkpath(path(QStringLiteral("out")));
        const std::size_t alerts = ui().alerts().size();
        if (file.isEmpty())
            ui().answerCancel();
        else
            ui().answerText(file);
        if (!row.alert.isEmpty())
            ui().answerAlert(0);
        EXPECT_EQ(exportCollections(chosen), !row.starts.isEmpty());
        EXPECT_EQ(ui().savePanels().back().proposedName, row.proposed);
        EXPECT_EQ(ui().savePanels().back().allowedExtensions.size(), 4);
        if (!row.starts.isEmpty()) {
            EXPECT_TRUE(VQReadAll(file).startsWith(row.starts)) << VQReadAll(file).left(40).toStdString();
        } else if (!file.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(file));
        }
        ASSERT_EQ(ui().alerts().size(), alerts + (row.alert.isEmpty() ? 0 : 1));
        if (!row.alert.isEmpty()) {
            const QString expected = row.alert.startsWith(':') ? file + row.alert : row.alert;
            EXPECT_TRUE(ui().alerts().back().informativeText.startsWith(expected))
                << ui().alerts().back().informativeText.toStdString();
        }
        EXPECT_TRUE(ui().allRepliesUsed());
    }
    // The second panel starts where the first export went.
    EXPECT_EQ(ui().savePanels().at(1).directory, path(QStringLiteral("out")));
    EXPECT_EQ(QDir(path(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"both.json", "c2.gpl", "one.gpl"}));
}

// A drop is taken as files to import only when every URL is a local swatch file.
TEST_F(VQCollectionActionsTest, ImportableFilesOfADrop)
{
    struct Row {
        const char *name;
        QList<QUrl> urls;
        QStringList files;
    };
    const QUrl gpl = QUrl::fromLocalFile("/home/me/Tango.GPL"), ase = QUrl::fromLocalFile("/home/me/a.ase");
    const std::vector<Row> rows = {
        {"two swatch files", {gpl, ase}, {"/home/me/Tango.GPL", "/home/me/a.ase"}},
        {"with another kind of file", {gpl, QUrl::fromLocalFile("/home/me/notes.txt")}, {}},
        {"a remote file", {QUrl("https://example.org/a.gpl")}, {}},
        {"no URLs", {}, {}},
    };
    for (const Row &row : rows) {
        QMimeData data;
        data.setUrls(row.urls);
        data.setText(QStringLiteral("#FF0000"));
        EXPECT_EQ(importableFiles(&data), row.files) << row.name;
    }
}
