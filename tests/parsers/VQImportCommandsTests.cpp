#include "VQParsersTestSupport.h"
#include "VQSwatchBytes.h"

#include "parsers/VQACOParser.h"
#include "parsers/VQImportCommands.h"
#include "core/VQSwatchCore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

class ImportCommandsTest : public VQParserTest
{
  protected:
    void SetUp() override
    {
        VQParserTest::SetUp();
        shareLibrary(path(QStringLiteral("lib.vlb")));
        core().addCollection(VQSwatchCollection::create(QStringLiteral("Mine")));
    }
    static VQSwatchCore &core() { return *VQSwatchCore::sharedCore(); }
    // The collections after "Mine".
    QString added() const
    {
        const std::vector<VQSwatchCollectionRef> all = core().allCollections();
        EXPECT_EQ(all.front()->title(), QStringLiteral("Mine"));
        return VQDescribeCollections(std::vector<VQSwatchCollectionRef>(all.begin() + 1, all.end()));
    }
    static std::vector<std::uint64_t> idsOf(size_t collection)
    {
        std::vector<std::uint64_t> ids;
        for (const VQColorRef &color : core().allCollections().at(collection)->colors())
            ids.push_back(color->colorID());
        return ids;
    }
    QStringList extensionsAsked(size_t panel) { return ui().openPanels().at(panel).allowedExtensions; }
};

// Red, a pattern (no colour we can show), grey and blue.
const QByteArray kBrand = clr::TypedStream()
                              .list(4)
                              .entry("Red", 2, {1, 0, 0, 1}, "ffff")
                              .entry("Pattern", 10, {0, 0, 0, 1}, "ffff")
                              .entry("Grey", 3, {0.5, 1}, "ff")
                              .entry("Blue", 2, {0, 0, 1, 1}, "ffff");

} // namespace

// Each import adds its collections after the library's own and says so once.
TEST_F(ImportCommandsTest, CollectionsFoundAreAddedAtTheEnd)
{
    int made = 0;
    const VQParserFactory factory = [&](const QString &file) -> std::unique_ptr<VQParser> {
        ++made;
        return VQParser::fromURL<VQACOParser>(file);
    };
    ui().answerText(write(QStringLiteral("two.ase"),
                          ase::file({ase::groupStart("A"), ase::color("a", "RGB ", {1, 0, 0}), ase::groupEnd(),
                                     ase::groupStart("B"), ase::color("b", "RGB ", {0, 0, 1})})))
        .answerText(write(QStringLiteral("none.aco"), aco::section1({}))) // no records: still its (empty) collection
        .answerText(write(QStringLiteral("x.pal"),
                          aco::section1({{0, 65535, 65535, 0, 0}, {3, 0, 0, 0, 0}, {0, 0, 0, 65535, 0}})));
    setTime(1800000000.7);
    const std::vector<std::function<bool()>> imports = {
        [] { return VQImportCommands::importASE(core()); }, [] { return VQImportCommands::importACO(core()); },
        [&] { return VQImportCommands::importColorsFromFile(factory, {QStringLiteral("pal")}, core()); }};
    for (const auto &import : imports)
        EXPECT_EQ(VQCountPosts(VQCollectionsWereReorganizedNotification, [&] { EXPECT_TRUE(import()); }), 1);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(added(), QStringLiteral(
                           "A: a=#FF0000 | B: b=#0000FF | Imported from ACO:  | Imported from ACO: #FFFF00, #0000FF"));
    EXPECT_EQ(extensionsAsked(0) + extensionsAsked(1) + extensionsAsked(2), (QStringList{"ase", "aco", "pal"}));
    EXPECT_TRUE(ui().alerts().empty());
    // The colour-book reference between the two colours is left out without using up an identifier.
    EXPECT_EQ(idsOf(4), (std::vector<std::uint64_t>{1800000000, 1799999999}));
}

// The panel says what it is for and starts where the last import was, else at
// home; a cancelled panel does nothing else.
TEST_F(ImportCommandsTest, ThePanelIsTitledImportAndStartsInTheLastFolder)
{
    QDir().mkpath(path(QStringLiteral("deep")));
    const QString file = write(QStringLiteral("deep/one.ase"),
                               ase::file({ase::groupStart("A"), ase::color("a", "RGB ", {1, 0, 0}), ase::groupEnd()}));
    ui().answerText(file).answerCancel().answerCancel();
    EXPECT_TRUE(VQImportCommands::importASE(core()));
    EXPECT_FALSE(VQImportCommands::importCLR(core()));
    EXPECT_FALSE(VQImportCommands::importACO(core()));
    ASSERT_EQ(ui().openPanels().size(), 3u);
    EXPECT_EQ(ui().openPanels()[0].title, QStringLiteral("Import"));
    EXPECT_EQ(ui().openPanels()[0].directory, QDir::homePath());
    EXPECT_EQ(ui().openPanels()[1].directory, QFileInfo(file).absolutePath());
    EXPECT_EQ(added(), QStringLiteral("A: a=#FF0000"));
    EXPECT_TRUE(ui().alerts().empty());
    EXPECT_TRUE(ui().prompts().empty());
    EXPECT_EQ(ui().beeps(), 0);
}

TEST_F(ImportCommandsTest, NothingFoundLeavesTheLibraryAsItWas)
{
    QDir().mkpath(path(QStringLiteral("folder.ase")));
    struct Row {
        const char *name;
        QString file;
        bool ase;
        QString reason; // after the file's path
    };
    const std::vector<Row> rows = {
        {"missing file", path(QStringLiteral("gone.ase")), true, " cannot be read."},
        {"a folder", path(QStringLiteral("folder.ase")), true, " cannot be read."},
        {"not ASEF", write(QStringLiteral("sprite.ase"), QByteArray(128, '\xA5')), true,
         " is not a valid .ase file.\n\nThe file might be corrupted."},
        {"only an empty group", write(QStringLiteral("empty.ase"), ase::file({ase::groupStart("E"), ase::groupEnd()})),
         true, ": no colors found in the file.\n\nThe file might be corrupted."},
        {"ACO of version 3", write(QStringLiteral("v3.aco"), VQBytes().u16(3).u16(0)), false,
         " is not a valid .aco file.\n\nThe file might be corrupted."},
    };
    size_t alerts = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ui().answerText(row.file).answerAlert(0);
        int posts = VQCountPosts(VQCollectionsWereReorganizedNotification, [&] {
            EXPECT_FALSE(row.ase ? VQImportCommands::importASE(core()) : VQImportCommands::importACO(core()));
        });
        EXPECT_EQ(posts, 0);
        ASSERT_EQ(ui().alerts().size(), ++alerts);
        EXPECT_EQ(ui().alerts().back().messageText, QStringLiteral("No colors found in the file!"));
        EXPECT_EQ(ui().alerts().back().informativeText, row.file + row.reason);
        EXPECT_EQ(ui().alerts().back().buttons, QStringList{QStringLiteral("OK")});
        EXPECT_EQ(added(), QString());
        EXPECT_TRUE(ui().allRepliesUsed());
    }
}

// A colour list becomes one collection under the name entered, its colours named by their keys.
TEST_F(ImportCommandsTest, ColourLists)
{
    setTime(1750000000);
    QDir().mkpath(path(QStringLiteral("Pack.clr")));
    write(QStringLiteral("Pack.clr/Pack.clr"), kBrand);
    const QString brand = write(QStringLiteral("Brand.clr"), kBrand);
    struct Row {
        const char *name;
        QString file;
        std::optional<QString> answer; // nothing: cancel
        QString added;
        int beeps;
        size_t alerts;
    };
    const std::vector<Row> rows = {
        {"a name entered", brand, QStringLiteral("Corporate"), "Corporate: Red=#FF0000, Grey=#808080, Blue=#0000FF", 0,
         0},
        {"cancelled", brand, std::nullopt, {}, 1, 0},
        {"left empty", brand, QString(), {}, 2, 0},
        {"a list saved as a package", path(QStringLiteral("Pack.clr")), QStringLiteral("Pack"),
         " | Pack: Red=#FF0000, Grey=#808080, Blue=#0000FF", 2, 0},
        {"no colour list", write(QStringLiteral("junk.clr"), "streamtyped? no"), std::nullopt, {}, 2, 1},
        {"a list without keys", write(QStringLiteral("none.clr"), clr::TypedStream().list(0)), std::nullopt, {}, 2, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString before = added();
        ui().answerText(row.file);
        if (row.alerts > ui().alerts().size())
            ui().answerAlert(0);
        else if (row.answer)
            ui().answerText(*row.answer);
        else
            ui().answerCancel();
        int posts = VQCountPosts(VQCollectionsWereReorganizedNotification,
                                 [&] { EXPECT_EQ(VQImportCommands::importCLR(core()), !row.added.isEmpty()); });
        EXPECT_EQ(posts, row.added.isEmpty() ? 0 : 1);
        EXPECT_EQ(added(), before + row.added);
        EXPECT_EQ(ui().beeps(), row.beeps);
        EXPECT_EQ(ui().alerts().size(), row.alerts);
        EXPECT_TRUE(ui().allRepliesUsed());
    }
    EXPECT_EQ(extensionsAsked(0), QStringList{QStringLiteral("clr")});
    ASSERT_EQ(ui().prompts().size(), 4u);
    EXPECT_EQ(ui().prompts()[0].messageText, QStringLiteral("Please, enter a new name for the color:"));
    EXPECT_EQ(ui().prompts()[0].text, QStringLiteral("Brand"));
    EXPECT_EQ(ui().prompts()[0].buttons, (QStringList{"Rename", "Cancel"}));
    // The package's own name is offered, not the name of the file inside it.
    EXPECT_EQ(ui().prompts()[3].text, QStringLiteral("Pack"));
    EXPECT_EQ(idsOf(1), (std::vector<std::uint64_t>{1750000000, 1749999999, 1749999998}));
}

// A file dropped on the lane is imported as its menu item imports it, without
// the panel; a palette's skipped rows are told once its colours are in.
TEST_F(ImportCommandsTest, FilesChosenElsewhere)
{
    struct Row {
        const char *name;
        QString file;
        std::vector<QString> answers; // prompt texts; an alert is answered with its first button
        QString added;
        QString alert; // message and informative text, after the file's path
    };
    const QString palette = write(QStringLiteral("Warm.gpl"), "GIMP Palette\nName: Warm\n255 0 0 Red\n300 0 0 Hot\n");
    const std::vector<Row> rows = {
        {"a palette with a row GIMP refuses",
         palette,
         {},
         "Warm: Red=#FF0000",
         "Some rows of the file were not imported.|: 1 row was skipped: line 4 (300 is outside 0–255)."},
        {"a palette with control characters in its title and a name",
         write(QStringLiteral("Odd.gpl"), "GIMP Palette\nName: Hot\x01\x02"
                                          "Cold\n0 0 255 Blue\x7F\n255 0 0 Red\n"),
         {},
         " | Hot Cold: Blue=#0000FF, Red=#FF0000",
         "Some names were changed on the way in.|: 2 names or titles were changed: each run of control characters "
         "became one space."},
        {"an ASE file",
         write(QStringLiteral("a.ase"), ase::file({ase::groupStart("A"), ase::color("a", "RGB ", {0, 0, 1})})),
         {},
         " | A: a=#0000FF",
         {}},
        {"a colour list asks for its name",
         write(QStringLiteral("Brand.clr"), kBrand),
         {QStringLiteral("B")},
         " | B: Red=#FF0000, Grey=#808080, Blue=#0000FF",
         {}},
        {"no palette",
         write(QStringLiteral("no.gpl"), "JASC-PAL\n"),
         {},
         {},
         "No colors found in the file!| is not a valid .gpl file.\n\nThe file might be corrupted."},
        {"another kind of file",
         write(QStringLiteral("x.txt"), "GIMP Palette\n1 1 1\n"),
         {},
         {},
         "No colors found in the file!|: unknown kind of swatch file (expected .ase, .aco, .clr or .gpl)."},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString before = added();
        const std::size_t alerts = ui().alerts().size();
        for (const QString &answer : row.answers)
            ui().answerText(answer);
        if (!row.alert.isEmpty())
            ui().answerAlert(0);
        EXPECT_EQ(VQImportCommands::importFile(row.file, core()), !row.added.isEmpty());
        EXPECT_EQ(added(), before + row.added);
        ASSERT_EQ(ui().alerts().size(), alerts + (row.alert.isEmpty() ? 0 : 1));
        if (!row.alert.isEmpty()) {
            EXPECT_EQ(ui().alerts().back().messageText + QLatin1Char('|') + ui().alerts().back().informativeText,
                      row.alert.section(QLatin1Char('|'), 0, 0) + QLatin1Char('|') + row.file +
                          row.alert.section(QLatin1Char('|'), 1));
        }
        EXPECT_TRUE(ui().allRepliesUsed());
    }
    EXPECT_TRUE(ui().openPanels().empty());
}
