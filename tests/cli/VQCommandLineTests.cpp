#include "VQTestSupport.h"

#include "VQCommandLine.h"
#include "VQSwatchCore.h"

#include "../parsers/VQSwatchBytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

class CommandLineTest : public VQLibraryTest {
protected:
    QString makeLibrary()
    {
        const QString file = path(QStringLiteral("lib.vlb"));
        auto core = VQSwatchCore::loadFromURL(file);
        auto sea = VQSwatchCollection::create(QStringLiteral("Sea"));
        VQColorRef deep = VQColor::makeRGB(0, 0.5, 1);
        deep->setName(QStringLiteral("Deep"));
        sea->addColor(deep, false);
        sea->addColor(VQColor::makeCMYK(0, 1, 1, 0), false);
        core->addCollection(sea);
        auto gone = VQSwatchCollection::create(QStringLiteral("Gone"));
        core->addCollection(gone);
        core->removeCollection(gone);
        EXPECT_TRUE(core->save());
        _goneID = gone->creationDate();
        return file;
    }
    std::uint64_t _goneID = 0;
};

} // namespace

TEST_F(CommandLineTest, LibraryListAsJson)
{
    const QString file = makeLibrary();
    const VQCommandResult result = VQRunCommandLine({QStringLiteral("library"), QStringLiteral("list"),
                                                     QStringLiteral("--json"), QStringLiteral("--library=") + file});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(root[QStringLiteral("version")].toString(), QStringLiteral("0.3"));
    EXPECT_EQ(root[QStringLiteral("removedCollectionIDs")].toArray(), QJsonArray{qint64(_goneID)});
    const QJsonArray collections = root[QStringLiteral("collections")].toArray();
    ASSERT_EQ(collections.size(), 1);
    const QJsonObject sea = collections[0].toObject();
    EXPECT_EQ(sea[QStringLiteral("title")].toString(), QStringLiteral("Sea"));
    const QJsonArray colors = sea[QStringLiteral("colors")].toArray();
    ASSERT_EQ(colors.size(), 2);
    const QJsonObject deep = colors[0].toObject();
    EXPECT_EQ(deep[QStringLiteral("space")].toString(), QStringLiteral("RGB"));
    EXPECT_EQ(deep[QStringLiteral("components")].toArray(), (QJsonArray{0.0, 0.5, 1.0, 0.0}));
    EXPECT_EQ(deep[QStringLiteral("hex")].toString(), QStringLiteral("#0080FF"));
    EXPECT_EQ(deep[QStringLiteral("name")].toString(), QStringLiteral("Deep"));
    const QJsonObject ink = colors[1].toObject();
    EXPECT_EQ(ink[QStringLiteral("space")].toString(), QStringLiteral("CMYK"));
    // An unnamed colour is stored under its hex text, so once saved it carries that name.
    EXPECT_EQ(ink[QStringLiteral("name")].toString(), QStringLiteral("#FF0000"));
    EXPECT_NE(ink[QStringLiteral("id")].toInteger(), deep[QStringLiteral("id")].toInteger());
}

TEST_F(CommandLineTest, ErrorsSayWhatIsWrongAndWriteNothing)
{
    struct Row {
        const char *name;
        QStringList arguments;
        int status;
        const char *message;
    };
    const QString missing = path(QStringLiteral("nothing-here.vlb"));
    const QString notAPlist = path(QStringLiteral("junk.vlb"));
    {
        QFile junk(notAPlist);
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("hello");
    }
    const std::vector<Row> rows = {
        {"no command", {}, 2, "no command given"},
        {"unknown command", {QStringLiteral("paint")}, 2, "unknown command: paint"},
        {"unknown option", {QStringLiteral("library"), QStringLiteral("list"), QStringLiteral("--colour")}, 2,
         "unknown option --colour"},
        {"library without a path", {QStringLiteral("library"), QStringLiteral("list"), QStringLiteral("--library")}, 2,
         "--library needs a value"},
        {"missing library", {QStringLiteral("library"), QStringLiteral("list"), QStringLiteral("--library"), missing}, 1,
         "No library at"},
        {"not a library", {QStringLiteral("library"), QStringLiteral("list"), QStringLiteral("--library"), notAPlist}, 1,
         "is not a library"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQCommandResult result = VQRunCommandLine(row.arguments);
        EXPECT_EQ(result.status, row.status);
        EXPECT_TRUE(result.err.contains(QString::fromLatin1(row.message))) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(missing));
    QFile junk(notAPlist);
    ASSERT_TRUE(junk.open(QIODevice::ReadOnly));
    EXPECT_EQ(junk.readAll(), QByteArray("hello"));
}

TEST_F(CommandLineTest, TheProgramPrintsTheListAndExitsWithTheStatus)
{
    const QString file = makeLibrary();
    struct Row {
        QString library;
        int status;
        const char *out;
    };
    for (const Row &row : {Row{file, 0, "Sea\t2 colours\t#0080FF #FF0000\n"}, Row{path(QStringLiteral("none.vlb")), 1, ""}}) {
        SCOPED_TRACE(row.library.toStdString());
        QProcess cli;
        cli.start(QStringLiteral(VELLICO_CLI_PATH),
                  {QStringLiteral("library"), QStringLiteral("list"), QStringLiteral("--library"), row.library});
        ASSERT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), row.status);
        EXPECT_EQ(QString::fromUtf8(cli.readAllStandardOutput()), QString::fromLatin1(row.out));
        EXPECT_EQ(cli.readAllStandardError().isEmpty(), row.status == 0);
    }
}

TEST(ColourCommands, ParseAndFormatPrintTheColourOrSayWhatIsWrong)
{
    struct Row {
        QStringList arguments;
        int status;
        const char *out; // exact standard output; for failures, a part of standard error
    };
    const std::vector<Row> rows = {
        {{QStringLiteral("parse"), QStringLiteral("#E1E")}, 0, "#EE11EE\tRGB 0.9333333333333333 0.06666666666666667 0.9333333333333333\n"},
        {{QStringLiteral("parse"), QStringLiteral("grey")}, 1, "\"grey\" is not a colour"},
        {{QStringLiteral("parse")}, 2, "parse takes one colour text"},
        {{QStringLiteral("parse"), QStringLiteral("--"), QStringLiteral("--json")}, 1, "\"--json\" is not a colour"},
        {{QStringLiteral("format"), QStringLiteral("rgb(255, 128, 0)"), QStringLiteral("--template"), QStringLiteral("4")}, 0,
         "rgb(255, 128, 0)\n"},
        {{QStringLiteral("format"), QStringLiteral("#FF8000"), QStringLiteral("--template=0"), QStringLiteral("--lowercase")}, 0,
         "ff8000\n"},
        {{QStringLiteral("format"), QStringLiteral("white"), QStringLiteral("--template"), QStringLiteral("8"),
          QStringLiteral("--lowercase")}, 0, "CGColorCreateGenericGray(1.000, 1.0)\n"},
        {{QStringLiteral("format"), QStringLiteral("red"), QStringLiteral("--template"), QStringLiteral("11")}, 2,
         "unknown template \"11\""},
        {{QStringLiteral("format"), QStringLiteral("red"), QStringLiteral("--template"), QStringLiteral("1x")}, 2,
         "unknown template \"1x\""},
        {{QStringLiteral("format"), QStringLiteral("red")}, 2, "format needs --template"},
        {{QStringLiteral("format"), QStringLiteral("redd ish"), QStringLiteral("--template"), QStringLiteral("1")}, 0, "#FF0000\n"},
        {{QStringLiteral("format"), QStringLiteral("hsl(1,2,3)"), QStringLiteral("--template"), QStringLiteral("1")}, 1,
         "is not a colour"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(QLatin1Char(' ')).toStdString());
        const VQCommandResult result = VQRunCommandLine(row.arguments);
        EXPECT_EQ(result.status, row.status);
        if (row.status == 0) {
            EXPECT_EQ(result.out.toStdString(), row.out);
            EXPECT_TRUE(result.err.isEmpty());
        } else {
            EXPECT_TRUE(result.out.isEmpty());
            EXPECT_TRUE(result.err.contains(QString::fromUtf8(row.out))) << result.err.toStdString();
        }
    }
}

TEST(ColourCommands, FormatAsJsonCarriesTheTextAndTheColour)
{
    const VQCommandResult result = VQRunCommandLine({QStringLiteral("format"), QStringLiteral("hsl(120, 100%, 50%)"),
                                                     QStringLiteral("--template"), QStringLiteral("10"), QStringLiteral("--json")});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(root[QStringLiteral("template")].toInt(), 10);
    EXPECT_EQ(root[QStringLiteral("text")].toString(), QStringLiteral("hsla(120, 100%, 50%, 1.0)"));
    const QJsonObject color = root[QStringLiteral("color")].toObject();
    EXPECT_EQ(color[QStringLiteral("space")].toString(), QStringLiteral("RGB"));
    EXPECT_EQ(color[QStringLiteral("hex")].toString(), QStringLiteral("#00FF00"));
    EXPECT_TRUE(color[QStringLiteral("name")].isNull());
}

namespace {

QString writeFile(const QString &file, const QByteArray &bytes)
{
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return file;
}

QByteArray contents(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

const QByteArray kSeaAse = ase::file({ase::groupStart("Waves"), ase::color("Foam", "RGB ", {1, 1, 1}),
                                      ase::color("Deep", "CMYK", {1, 0.5f, 0, 0.25f}), ase::groupEnd()});

} // namespace

TEST_F(CommandLineTest, ImportPrintsTheCollectionsOfAFile)
{
    const QString file = writeFile(path(QStringLiteral("sea.ASE")), kSeaAse);
    VQCommandResult result = VQRunCommandLine({QStringLiteral("import"), file});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Waves\t2 colours\t#FFFFFF #0040BF\n"));

    result = VQRunCommandLine({QStringLiteral("import"), file, QStringLiteral("--json")});
    ASSERT_EQ(result.status, 0);
    const QJsonArray collections = QJsonDocument::fromJson(result.out.toUtf8()).array();
    ASSERT_EQ(collections.size(), 1);
    const QJsonObject waves = collections[0].toObject();
    EXPECT_EQ(waves[QStringLiteral("title")].toString(), QStringLiteral("Waves"));
    const QJsonArray colors = waves[QStringLiteral("colors")].toArray();
    ASSERT_EQ(colors.size(), 2);
    EXPECT_EQ(colors[1].toObject()[QStringLiteral("name")].toString(), QStringLiteral("Deep"));
    EXPECT_EQ(colors[1].toObject()[QStringLiteral("space")].toString(), QStringLiteral("CMYK"));

    // A colour list takes its file's name as the collection's title.
    const QString list =
        writeFile(path(QStringLiteral("Brand Book.clr")), clr::TypedStream().list(1).entry("Red", 1, {1, 0, 0, 1}, "ffff"));
    result = VQRunCommandLine({QStringLiteral("import"), list});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Brand Book\t1 colour\t#FF0000\n"));
}

TEST_F(CommandLineTest, ImportIntoALibrary)
{
    const QString library = makeLibrary();
    const QString file = writeFile(path(QStringLiteral("sea.ase")), kSeaAse);
    VQCommandResult result = VQRunCommandLine({QStringLiteral("import"), file, QStringLiteral("--into"), library});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    QString error;
    auto core = VQSwatchCore::openDetached(library, &error);
    ASSERT_TRUE(core) << error.toStdString();
    QStringList titles;
    for (const VQSwatchCollectionRef &collection : core->allCollections())
        titles << collection->title();
    EXPECT_EQ(titles, (QStringList{"Sea", "Waves"}));
    EXPECT_EQ(core->removedCollectionIDs(), std::vector<std::uint64_t>{_goneID});

    // A library that does not exist yet is made.
    const QString fresh = path(QStringLiteral("fresh.vlb"));
    result = VQRunCommandLine({QStringLiteral("import"), file, QStringLiteral("--into=") + fresh});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    core = VQSwatchCore::openDetached(fresh, &error);
    ASSERT_TRUE(core) << error.toStdString();
    ASSERT_EQ(core->numberOfCollections(), 1u);
    EXPECT_EQ(core->allCollections()[0]->count(), 2u);
}

TEST_F(CommandLineTest, ImportRefusesWhatItCannotReadAndWritesNothing)
{
    const QString library = makeLibrary();
    const QByteArray before = contents(library);
    struct Row {
        const char *name;
        QString file;
        int status;
        const char *message;
    };
    const std::vector<Row> rows = {
        {"unknown extension", writeFile(path(QStringLiteral("sea.gpl")), kSeaAse), 1, "unknown kind of swatch file"},
        {"a sprite named .ase", writeFile(path(QStringLiteral("sprite.ase")), QByteArray(64, '\xA5')), 1, "is not an ASE swatch file"},
        {"ASE bytes named .aco", writeFile(path(QStringLiteral("sea.aco")), kSeaAse), 1, "is not an ACO swatch file"},
        {"no colours", writeFile(path(QStringLiteral("empty.ase")), ase::file({}, 0)), 1, "no colours found"},
        {"a broken colour list", writeFile(path(QStringLiteral("broken.clr")), "bplist00"), 1, "is not a colour list"},
        {"missing file", path(QStringLiteral("nothing.aco")), 1, "cannot be read"},
        {"no file", {}, 2, "import needs a file"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QStringList arguments{QStringLiteral("import")};
        if (!row.file.isEmpty())
            arguments << row.file;
        const VQCommandResult result = VQRunCommandLine(arguments + QStringList{QStringLiteral("--into"), library});
        EXPECT_EQ(result.status, row.status);
        EXPECT_TRUE(result.err.contains(QLatin1String(row.message))) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(contents(library), before);
    }
    // A library that is not one is left alone too.
    const QString junk = writeFile(path(QStringLiteral("junk.vlb")), "hello");
    const VQCommandResult result = VQRunCommandLine(
        {QStringLiteral("import"), writeFile(path(QStringLiteral("sea.ase")), kSeaAse), QStringLiteral("--into"), junk});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(contents(junk), QByteArray("hello"));
}
