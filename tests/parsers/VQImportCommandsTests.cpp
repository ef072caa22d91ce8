#include "VQParsersTestSupport.h"
#include "VQSwatchBytes.h"

#include "VQACOParser.h"
#include "VQASEParser.h"
#include "VQImportCommands.h"
#include "VQSwatchCore.h"

#include <QDir>
#include <QFile>

namespace {

class ImportCommandsTest : public VQParserTest {
protected:
    void SetUp() override
    {
        VQParserTest::SetUp();
        VQSwatchCore::setSharedCore(VQSwatchCore::loadFromURL(path(QStringLiteral("lib.vlb"))));
        core().addCollection(VQSwatchCollection::create(QStringLiteral("Mine")));
    }
    static VQSwatchCore &core() { return *VQSwatchCore::sharedCore(); }
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString file = path(name);
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return file;
    }
    QStringList titles() const
    {
        QStringList result;
        for (const VQSwatchCollectionRef &collection : core().allCollections())
            result << collection->title();
        return result;
    }
    void expectNoColorsAlert(size_t alerts = 1)
    {
        ASSERT_EQ(ui().alerts().size(), alerts);
        EXPECT_EQ(ui().alerts().back().messageText, QStringLiteral("No colors found in the file!"));
        EXPECT_EQ(ui().alerts().back().informativeText, QStringLiteral("The file might be corrupted."));
        EXPECT_EQ(ui().alerts().back().buttons, QStringList{QStringLiteral("OK")});
    }
};

const QByteArray kTwoGroups = ase::file({ase::groupStart("A"), ase::color("a1", "RGB ", {1, 0, 0}),
                                         ase::color("a2", "RGB ", {0, 1, 0}), ase::groupEnd(), ase::groupStart("B"),
                                         ase::color("b1", "RGB ", {0, 0, 1}), ase::groupEnd()});

} // namespace

TEST_F(ImportCommandsTest, AnAseFileWithTwoGroupsAddsTwoCollectionsAtTheEnd)
{
    ui().answerText(write(QStringLiteral("two.ase"), kTwoGroups));
    int posts = 0;
    bool imported = false;
    posts = VQCountPosts(VQCollectionsWereReorganizedNotification, [&] { imported = VQImportCommands::importASE(); });
    EXPECT_TRUE(imported);
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(titles(), (QStringList{"Mine", "A", "B"}));
    EXPECT_TRUE(core().isDirty());
    ASSERT_EQ(ui().openPanels().size(), 1u);
    EXPECT_EQ(ui().openPanels()[0].allowedExtensions, QStringList{QStringLiteral("ase")});
    EXPECT_TRUE(ui().alerts().empty());
}

TEST_F(ImportCommandsTest, AnAcoFileWithoutRecordsAddsOneEmptyCollection)
{
    ui().answerText(write(QStringLiteral("none.aco"), aco::section1({})));
    EXPECT_TRUE(VQImportCommands::importACO());
    EXPECT_EQ(titles(), (QStringList{"Mine", "Imported from ACO"}));
    EXPECT_EQ(core().allCollections().back()->count(), 0u);
    EXPECT_EQ(ui().openPanels()[0].allowedExtensions, QStringList{QStringLiteral("aco")});
}

TEST_F(ImportCommandsTest, NothingFoundLeavesTheLibraryAsItWas)
{
    QDir().mkpath(path(QStringLiteral("folder.ase")));
    struct Row {
        const char *name;
        QString file;
        bool ase;
    };
    const std::vector<Row> rows = {
        {"missing file", path(QStringLiteral("gone.ase")), true},
        {"a folder", path(QStringLiteral("folder.ase")), true},
        {"not ASEF", write(QStringLiteral("sprite.ase"), QByteArray(128, '\xA5')), true},
        {"only an empty group", write(QStringLiteral("empty.ase"), ase::file({ase::groupStart("E"), ase::groupEnd()})), true},
        {"ACO of version 3", write(QStringLiteral("v3.aco"), VQBytes().u16(3).u16(0)), false},
    };
    size_t alerts = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ui().answerText(row.file).answerAlert(0);
        int posts = VQCountPosts(VQCollectionsWereReorganizedNotification, [&] {
            EXPECT_FALSE(row.ase ? VQImportCommands::importASE() : VQImportCommands::importACO());
        });
        EXPECT_EQ(posts, 0);
        expectNoColorsAlert(++alerts);
        EXPECT_EQ(titles(), QStringList{QStringLiteral("Mine")});
        EXPECT_TRUE(ui().allRepliesUsed());
    }
}

TEST_F(ImportCommandsTest, CancellingThePanelDoesNothing)
{
    ui().answerCancel().answerCancel().answerCancel();
    EXPECT_FALSE(VQImportCommands::importASE());
    EXPECT_FALSE(VQImportCommands::importACO());
    EXPECT_FALSE(VQImportCommands::importCLR());
    EXPECT_TRUE(ui().alerts().empty());
    EXPECT_TRUE(ui().prompts().empty());
    EXPECT_EQ(ui().beeps(), 0);
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Mine")});
}

TEST_F(ImportCommandsTest, AnyParserCanBeHandedIn)
{
    int made = 0;
    const VQParserFactory factory = [&](const QString &file) -> std::unique_ptr<VQParser> {
        ++made;
        return VQParser::fromURL<VQACOParser>(file);
    };
    ui().answerText(write(QStringLiteral("x.pal"), aco::section1({{0, 65535, 65535, 0, 0}})));
    EXPECT_TRUE(VQImportCommands::importColorsFromFile(factory, {QStringLiteral("pal")}));
    EXPECT_EQ(made, 1);
    EXPECT_EQ(ui().openPanels()[0].allowedExtensions, QStringList{QStringLiteral("pal")});
    EXPECT_EQ(core().allCollections().back()->firstColor()->hexValue(), QStringLiteral("#FFFF00"));
}

TEST_F(ImportCommandsTest, SwatchFilesAreReadByTheirExtension)
{
    const QString upper = write(QStringLiteral("Two.ASE"), kTwoGroups);
    QString error;
    const auto collections = VQReadSwatchFile(upper, &error);
    ASSERT_TRUE(collections.has_value()) << error.toStdString();
    EXPECT_EQ(collections->size(), 2u);

    struct Row {
        const char *name;
        QString file;
        const char *message;
    };
    const std::vector<Row> rows = {
        {"unknown extension", write(QStringLiteral("two.gpl"), kTwoGroups), "unknown kind of swatch file"},
        {"ase bytes named aco", write(QStringLiteral("two.aco"), kTwoGroups), "is not an ACO swatch file"},
        {"aco bytes named ase", write(QStringLiteral("one.ase"), aco::section1({})), "is not an ASE swatch file"},
        {"missing", path(QStringLiteral("missing.aco")), "cannot be read"},
        {"no colours", write(QStringLiteral("count0.ase"), ase::file({}, 0)), "no colours found"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        error.clear();
        EXPECT_FALSE(VQReadSwatchFile(row.file, &error).has_value());
        EXPECT_TRUE(error.contains(QLatin1String(row.message))) << error.toStdString();
    }
}

namespace {

const std::vector<clr::Entry> kBrand = {
    {"Red", 1, "1 0 0"}, {"Pattern", 10, {}}, {"Grey", 3, "0.5"}, {"Blue", 2, "0 0 1"}};

} // namespace

TEST_F(ImportCommandsTest, AColourListBecomesOneCollectionUnderTheNameEntered)
{
    setTime(1750000000);
    ui().answerText(write(QStringLiteral("Brand.clr"), clr::keyedList(kBrand))).answerText(QStringLiteral("Brand"));
    int posts = VQCountPosts(VQCollectionsWereReorganizedNotification, [&] { EXPECT_TRUE(VQImportCommands::importCLR()); });
    EXPECT_EQ(posts, 1);
    ASSERT_EQ(ui().prompts().size(), 1u);
    const VQTextPrompt &prompt = ui().prompts()[0];
    EXPECT_EQ(prompt.messageText, QStringLiteral("Please, enter a new name for the color:"));
    EXPECT_EQ(prompt.text, QStringLiteral("Brand"));
    EXPECT_EQ(prompt.buttons, (QStringList{"Rename", "Cancel"}));
    EXPECT_EQ(ui().openPanels()[0].allowedExtensions, QStringList{QStringLiteral("clr")});

    EXPECT_EQ(titles(), (QStringList{"Mine", "Brand"}));
    const VQSwatchCollectionRef brand = core().allCollections().back();
    EXPECT_EQ(VQDescribeCollections(std::vector<VQSwatchCollectionRef>{brand}),
              QStringLiteral("Brand: Red=#FF0000, Grey=#808080, Blue=#0000FF"));
    std::vector<std::uint64_t> ids;
    for (const VQColorRef &color : brand->colors())
        ids.push_back(color->colorID());
    EXPECT_EQ(ids, (std::vector<std::uint64_t>{1750000000, 1749999999, 1749999998}));
}

TEST_F(ImportCommandsTest, ColourListAnswers)
{
    QDir().mkpath(path(QStringLiteral("Pack.clr")));
    write(QStringLiteral("Pack.clr/Pack.clr"), clr::keyedList(kBrand));
    struct Row {
        const char *name;
        QString file;
        std::optional<QString> answer; // nothing: cancel
        QString expectedTitle;         // empty: nothing added
        int beeps;
        int alerts;
    };
    const QString brand = write(QStringLiteral("Brand.clr"), clr::keyedList(kBrand));
    const std::vector<Row> rows = {
        {"another name", brand, QStringLiteral("Corporate"), "Corporate", 0, 0},
        {"cancelled", brand, std::nullopt, {}, 1, 0},
        {"left empty", brand, QString(), {}, 1, 0},
        {"a list saved as a package", path(QStringLiteral("Pack.clr")), QStringLiteral("Pack"), "Pack", 0, 0},
        {"no colour list", write(QStringLiteral("junk.clr"), "streamtyped? no"), std::nullopt, {}, 0, 1},
        {"a list without keys", write(QStringLiteral("none.clr"), clr::keyedList({})), std::nullopt, {}, 0, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QStringList before = titles();
        const int beeps = ui().beeps();
        const size_t alerts = ui().alerts().size();
        ui().answerText(row.file);
        if (row.alerts)
            ui().answerAlert(0);
        else if (row.answer)
            ui().answerText(*row.answer);
        else
            ui().answerCancel();
        EXPECT_EQ(VQImportCommands::importCLR(), !row.expectedTitle.isEmpty());
        EXPECT_EQ(titles(), row.expectedTitle.isEmpty() ? before : before + QStringList{row.expectedTitle});
        EXPECT_EQ(ui().beeps() - beeps, row.beeps);
        EXPECT_EQ(int(ui().alerts().size() - alerts), row.alerts);
        if (row.alerts)
            expectNoColorsAlert(ui().alerts().size());
        EXPECT_TRUE(ui().allRepliesUsed());
    }
    // The package's own name is offered, not the name of the file inside it.
    EXPECT_EQ(ui().prompts()[3].text, QStringLiteral("Pack"));
}
