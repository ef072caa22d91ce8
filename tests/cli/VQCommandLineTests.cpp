// vellico-cli: what each command prints, what merge and import write, and that
// every failure says what is wrong and writes nothing. The rules behind the
// commands (colour text, merging, passes) are tested in their own areas; sync's
// working cases run as processes in tests/sync/two_computers.py.

#include "VQTestSupport.h"

#include "cli/VQCommandLine.h"
#include "vqcore/VQClock.h"
#include "vqcore/VQHardwareInfo.h"
#include "core/VQSwatchCore.h"
#include "vqcore/VQLibraryLimits.h"

#include "../parsers/VQSwatchBytes.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <limits>
#include <map>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

const QByteArray kSeaAse = ase::file({ase::groupStart("Waves"), ase::color("Foam", "RGB ", {1, 1, 1}),
                                      ase::color("Deep", "CMYK", {1, 0.5f, 0, 0.25f}), ase::groupEnd()});

class CommandLineTest : public VQLibraryTest
{
  protected:
    // lib.vlb: "Sea" with a named RGB colour and an unnamed CMYK one, and one removed collection.
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        qputenv(VQHardwareInfo::overrideVariable, "desk");
        _lib = path("lib.vlb");
        auto core = VQOpenLiveLibrary(_lib);
        auto sea = VQSwatchCollection::create("Sea");
        VQColorRef deep = VQColor::makeRGB(0, 0.5, 1);
        deep->setName("Deep");
        sea->addColor(deep, false);
        sea->addColor(VQColor::makeCMYK(0, 1, 1, 0), false);
        core->addCollection(sea);
        auto gone = VQSwatchCollection::create("Gone");
        core->addCollection(gone);
        core->removeCollection(gone);
        ASSERT_TRUE(core->save());
        _goneID = gone->creationDate();
    }
    void TearDown() override
    {
        qunsetenv(VQHardwareInfo::overrideVariable);
        VQLibraryTest::TearDown();
    }
    // Every file under the home with a digest of its contents. Empty lock files
    // may appear in the runtime folder: they are how writers take turns.
    QString snapshot() const
    {
        QStringList files;
        QDirIterator it(_home->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!(f.fileName().endsWith(".lock") && f.size() == 0) && f.open(QIODevice::ReadOnly))
                files << f.fileName() + ' ' + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        }
        files.sort();
        return files.join('\n');
    }

    QString _lib;
    std::uint64_t _goneID = 0;
};

} // namespace

TEST_F(CommandLineTest, TheProgramPrintsWhatItReadAndExitsWithTheStatus)
{
    struct Row {
        QStringList arguments;
        int status;
        const char *out;
    };
    const std::vector<Row> rows = {
        {{"library", "list", "--library", _lib}, 0, "Sea\t2 colors\t#0080FF #FF0000\n"},
        {{"library", "list", "--library", path("none.vlb")}, 1, ""},
        {{"import", write("sea.ASE", kSeaAse)}, 0, "Waves\t2 colors\t#FFFFFF #0040BF\n"},
        // A colour list takes its file's name as the collection's title.
        {{"import", write("Brand Book.clr", clr::TypedStream().list(1).entry("Red", 2, {1, 0, 0, 1}, "ffff"))},
         0,
         "Brand Book\t1 color\t#FF0000\n"},
        {{"parse", "#E1E"}, 0, "#EE11EE\tRGB 0.9333333333333333 0.06666666666666667 0.9333333333333333\n"},
        {{"format", "#FF8000", "--template=0", "--lowercase"}, 0, "ff8000\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        QProcess cli;
        cli.start(VELLICO_CLI_PATH, row.arguments);
        ASSERT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), row.status);
        EXPECT_EQ(QString::fromUtf8(cli.readAllStandardOutput()).toStdString(), row.out);
        EXPECT_EQ(cli.readAllStandardError().isEmpty(), row.status == 0);
    }
}

TEST_F(CommandLineTest, MergeWritesAndPrintsTheMergedLibraryAsJson)
{
    auto other = VQOpenLiveLibrary(path("other.vlb"));
    other->addCollection(VQSwatchCollection::create("Sky"));
    ASSERT_TRUE(other->save());
    const VQCommandResult merged = VQRunCommandLine({"merge", _lib, path("other.vlb"), "--json"});
    ASSERT_EQ(merged.status, 0) << merged.err.toStdString();
    EXPECT_EQ(VQRunCommandLine({"library", "list", "--json", "--library=" + _lib}).out, merged.out)
        << "what merge printed is not what it saved";

    const QJsonObject root = QJsonDocument::fromJson(merged.out.toUtf8()).object();
    EXPECT_EQ(root["version"].toString(), "0.3");
    EXPECT_EQ(root["removedCollectionIDs"].toArray(), QJsonArray{qint64(_goneID)});
    const QJsonArray collections = root["collections"].toArray();
    ASSERT_EQ(collections.size(), 2);
    EXPECT_EQ(collections[0]["title"].toString(), "Sea");
    EXPECT_EQ(collections[1]["title"].toString(), "Sky");
    const QJsonArray colors = collections[0]["colors"].toArray();
    ASSERT_EQ(colors.size(), 2);
    EXPECT_EQ(colors[0]["space"].toString(), "RGB");
    EXPECT_EQ(colors[0]["components"].toArray(), (QJsonArray{0.0, 0.5, 1.0, 0.0}));
    EXPECT_EQ(colors[0]["hex"].toString(), "#0080FF");
    EXPECT_EQ(colors[0]["name"].toString(), "Deep");
    EXPECT_EQ(colors[1]["space"].toString(), "CMYK");
    // An unnamed colour is stored under its hex text, so once saved it carries that name.
    EXPECT_EQ(colors[1]["name"].toString(), "#FF0000");
    EXPECT_NE(colors[1]["id"].toInteger(), colors[0]["id"].toInteger());
}

TEST_F(CommandLineTest, ImportAddsToALibraryOrMakesOne)
{
    const QString sea = write("sea.ase", kSeaAse);
    const VQCommandResult result = VQRunCommandLine({"import", sea, "--into", _lib, "--json"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonArray printed = QJsonDocument::fromJson(result.out.toUtf8()).array();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0]["colors"][1]["space"].toString(), "CMYK");
    EXPECT_EQ(VQCollectionTitles(_lib), (QStringList{"Sea", "Waves"}));
    EXPECT_EQ(VQOpenDetachedLibrary(_lib)->removedCollectionIDs(), std::vector<std::uint64_t>{_goneID});

    // A library in a folder that does not exist yet, as the default one before the first start.
    const QString fresh = path("not/yet/fresh.vlb");
    const VQCommandResult made = VQRunCommandLine({"import", sea, "--into=" + fresh});
    EXPECT_EQ(made.status, 0) << made.err.toStdString();
    EXPECT_EQ(VQCollectionTitles(fresh), QStringList{"Waves"});
}

// A named pipe held an import for ever, and a file of /proc was read until
// memory ran out: only regular files within a size are read, and the
// message says what was there.
TEST_F(CommandLineTest, ImportReadsOnlyRegularFiles)
{
    QDir().mkpath(path("odd"));
    const QString pipe = path("odd/pipe.clr");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString proc = path("odd/pagemap.ase");
    ASSERT_EQ(::symlink("/proc/self/pagemap", QFile::encodeName(proc).constData()), 0);
    const QByteArray library = VQReadAll(_lib);
    for (const auto &[file, message] :
         {std::pair{pipe, "a named pipe, not a file"}, std::pair{proc, "holds more than the 0 bytes its size says"}}) {
        SCOPED_TRACE(file.toStdString());
        const VQCommandResult result = VQRunCommandLine({"import", file, "--into", _lib});
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.err.contains(file) && result.err.contains(message)) << result.err.toStdString();
        EXPECT_EQ(VQReadAll(_lib), library);
    }
}

// Each format written by export comes back through import (or a JSON reader)
// as the library holds it; text formats also go to standard output.
TEST_F(CommandLineTest, ExportWritesWhatImportReadsBack)
{
    const QString sea = write("sea.ase", kSeaAse);
    ASSERT_EQ(VQRunCommandLine({"import", sea, "--into", _lib}).status, 0);
    const QJsonArray library =
        QJsonDocument::fromJson(VQRunCommandLine({"library", "list", "--library", _lib, "--json"}).out.toUtf8())
            .object()["collections"]
            .toArray();
    // What survives every format: the title, and each colour's hex value and name.
    const auto shape = [](const QJsonArray &collections) {
        QStringList text;
        for (const QJsonValue &c : collections) {
            text << c["title"].toString() + ':';
            for (const QJsonValue &color : c["colors"].toArray())
                text << color["hex"].toString() + '=' + color["name"].toString();
        }
        return text.join(' ');
    };
    EXPECT_EQ(shape(library), "Sea: #0080FF=Deep #FF0000=#FF0000 Waves: #FFFFFF=Foam #0040BF=Deep");

    // Several collections in order of the options, one palette per file.
    const QString ase = path("out/both.ase");
    QDir().mkpath(path("out"));
    ASSERT_EQ(VQRunCommandLine({"export", "--format", "ase", "--library", _lib, "--collection", "Waves", "--collection",
                                "Sea", "--output", ase})
                  .status,
              0);
    const VQCommandResult viaASE = VQRunCommandLine({"import", ase, "--json"});
    EXPECT_EQ(shape(QJsonDocument::fromJson(viaASE.out.toUtf8()).array()),
              "Waves: #FFFFFF=Foam #0040BF=Deep Sea: #0080FF=Deep #FF0000=#FF0000");
    const VQCommandResult gpl =
        VQRunCommandLine({"export", "--format=gpl", "--library", _lib, "--collection", "Sea", "--output", "-"});
    EXPECT_EQ(gpl.out, "GIMP Palette\nName: Sea\nColumns: 2\n#\n  0 128 255\tDeep\n255   0   0\t#FF0000\n");
    const VQCommandResult viaGPL = VQRunCommandLine({"import", write("sea.gpl", gpl.out.toUtf8() + "1 2\n"), "--json"});
    EXPECT_EQ(shape(QJsonDocument::fromJson(viaGPL.out.toUtf8()).array()), "Sea: #0080FF=Deep #FF0000=#FF0000");
    EXPECT_EQ(viaGPL.err, path("sea.gpl") + ": 1 row was skipped: line 7 (fewer than three numbers).\n");

    const VQCommandResult json = VQRunCommandLine({"export", "--format", "json", "--library", _lib, "--output", "-"});
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).array(), library);
    const VQCommandResult css = VQRunCommandLine({"export", "--format", "css", "--library", _lib, "--output", "-"});
    EXPECT_TRUE(css.out.contains("    --sea-deep: #0080FF;\n    --sea-ff0000: #FF0000;\n    /* Waves */\n"))
        << css.out.toStdString();
    EXPECT_EQ(VQRunCommandLine({"export", "--format", "gpl", "--library", _lib, "--output", path("out/x.gpl")}).err,
              "A GIMP palette holds one collection, and 2 were chosen: export them one at a time, or together as .ase "
              "or .json.\n");
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"both.ase"});
}

// Titles and names a format cannot hold as they are are counted on standard
// error, on the way in and out (also with --json); the rest go through as they are.
TEST_F(CommandLineTest, NamesAFormatChangesAreCounted)
{
    const QString odd = write("odd.gpl", "GIMP Palette\nName: Odd\n1 2 3 a\x01z\n");
    for (const QStringList &json : {QStringList(), QStringList{"--json"}}) {
        const VQCommandResult in = VQRunCommandLine(QStringList{"import", odd} + json);
        EXPECT_EQ(in.status, 0);
        EXPECT_EQ(in.err, odd + ": 1 name or title was changed: each run of control characters became one space.\n");
    }
    const QString padded =
        write("padded.ase", ase::file({ase::groupStart(" Padded"), ase::color("a\tz ", "RGB ", {1, 0, 0}),
                                       ase::color("kept", "RGB ", {0, 0, 1}), ase::groupEnd()}));
    ASSERT_EQ(VQRunCommandLine({"import", padded, "--into", _lib}).err, QString());
    const QStringList exportPadded = {"export", "--library", _lib, "--collection", " Padded", "--format"};
    const VQCommandResult gpl = VQRunCommandLine(exportPadded + QStringList{"gpl", "--output", "-"});
    EXPECT_EQ(gpl.out, "GIMP Palette\nName: Padded\nColumns: 2\n#\n255   0   0\ta z\n  0   0 255\tkept\n");
    EXPECT_TRUE(gpl.err.startsWith("standard output: 2 names or titles were changed: a palette row holds no control "))
        << gpl.err.toStdString();
    const QString file = path("padded.gpl");
    EXPECT_TRUE(VQRunCommandLine(exportPadded + QStringList{"gpl", "--output", file})
                    .err.startsWith(file + ": 2 names or titles were changed: "));
    EXPECT_EQ(VQRunCommandLine(exportPadded + QStringList{"json", "--output", "-"}).err, QString());
}

// sync says which files of the folder it left out and why, one line each.
TEST_F(CommandLineTest, SyncPrintsWhatItSkippedAndWhy)
{
    const QString share = path("share");
    QDir().mkpath(share);
    QDir().mkpath(path("private"));
    const QString secret = write("private/secret.vlb", VQReadAll(_lib));
    ASSERT_EQ(::symlink(QFile::encodeName(secret).constData(), QFile::encodeName(share + "/secret.vlb").constData()),
              0);
    write("share/junk.vlb", "junk");

    const VQCommandResult text = VQRunCommandLine({"sync", "--folder", share, "--library", _lib});
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains("skipped " + share + "/secret.vlb: a symbolic link, not a file\n"))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("skipped " + share + "/junk.vlb: not a library")) << text.out.toStdString();

    const VQCommandResult json = VQRunCommandLine({"sync", "--folder", share, "--library", _lib, "--json"});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonArray skipped = QJsonDocument::fromJson(json.out.toUtf8())["skipped"].toArray();
    std::map<QString, QString> reasons;
    for (const QJsonValue entry : skipped)
        reasons[entry["file"].toString()] = entry["reason"].toString();
    EXPECT_EQ(reasons, (std::map<QString, QString>{{share + "/junk.vlb", "not a library (not a property list)"},
                                                   {share + "/secret.vlb", "a symbolic link, not a file"}}));
}

// An import of several groups runs ahead of the clock; a second process a
// second later handed the same identities out again, and the new collection
// then paired with an old one, or vanished with a tombstone, in every merge.
TEST_F(CommandLineTest, ImportsInQuickSuccessionGetIdentitiesOfTheirOwn)
{
    const QString three =
        write("three.ase", ase::file({ase::groupStart("A"), ase::color("a", "RGB ", {1, 0, 0}), ase::groupEnd(),
                                      ase::groupStart("B"), ase::color("b", "RGB ", {0, 1, 0}), ase::groupEnd(),
                                      ase::groupStart("C"), ase::color("c", "RGB ", {0, 0, 1}), ase::groupEnd()}));
    const std::uint64_t start = std::uint64_t(time());
    for (int process = 0; process < 3; ++process) {
        VQUniqueTimestamp::collectionIDs().reset(); // each import is a process of its own
        setTime(double(start + process));
        ASSERT_EQ(VQRunCommandLine({"import", three, "--into", _lib}).status, 0);
    }
    setTime(double(_goneID)); // the clock at the deleted collection's second
    VQUniqueTimestamp::collectionIDs().reset();
    ASSERT_EQ(VQRunCommandLine({"import", three, "--into", _lib}).status, 0);
    auto core = VQOpenDetachedLibrary(_lib);
    std::set<std::uint64_t> identities{_goneID};
    for (const auto &collection : core->allCollections())
        EXPECT_TRUE(identities.insert(collection->creationDate()).second) << collection->creationDate();
    EXPECT_EQ(core->numberOfCollections(), 13u);
}

// 64-bit identifiers printed through a double lost their last digits.
TEST_F(CommandLineTest, JsonPrintsEveryIntegerExactly)
{
    auto core = VQOpenDetachedLibrary(_lib);
    const auto sea = core->allCollections()[0];
    sea->colors()[0]->setColorID(std::numeric_limits<std::uint64_t>::max());
    sea->colors()[1]->setColorID(9007199254740993u);
    sea->setCreationDate(9223372036854775808u);
    ASSERT_TRUE(core->writeToURL(_lib));
    const VQCommandResult listed = VQRunCommandLine({"library", "list", "--json", "--library", _lib});
    for (const char *exact :
         {"\"id\": 18446744073709551615", "\"id\": 9007199254740993", "\"created\": 9223372036854775808"})
        EXPECT_TRUE(listed.out.contains(QString::fromLatin1(exact))) << exact << "\n" << listed.out.toStdString();
    EXPECT_FALSE(QJsonDocument::fromJson(listed.out.toUtf8()).isNull()) << "still JSON";
}

// libplist reads reals with the C library's locale-dependent strtod: under a
// decimal-comma locale every colour loaded as black and was written back so.
TEST_F(CommandLineTest, ADecimalCommaLocaleChangesNoNumber)
{
    QString locpath, why;
    const std::optional<QString> locale = VQCommaDecimalLocale(&locpath, &why);
    if (!locale)
        GTEST_SKIP() << why.toStdString();
    const auto run = [&](const QStringList &arguments) {
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", *locale);
        environment.insert("LANG", *locale);
        if (!locpath.isEmpty())
            environment.insert("LOCPATH", locpath);
        cli.setProcessEnvironment(environment);
        cli.start(VELLICO_CLI_PATH, arguments);
        EXPECT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(cli.readAllStandardOutput());
    };
    const QJsonDocument listed = run({"library", "list", "--json", "--library", _lib});
    EXPECT_EQ(listed["collections"][0]["colors"][0]["components"].toArray(), (QJsonArray{0.0, 0.5, 1.0, 0.0}));
    run({"import", write("sea.ase", kSeaAse), "--into", _lib});
    auto core = VQOpenDetachedLibrary(_lib);
    ASSERT_EQ(core->numberOfCollections(), 2u);
    EXPECT_EQ(core->allCollections()[0]->colors()[0]->components(), (std::array<double, 4>{0, 0.5, 1, 0}));
    EXPECT_EQ(core->allCollections()[1]->colors()[1]->hexValue(), "#0040BF");
}

TEST(ColourCommands, FormatAsJsonCarriesTheTextAndTheColour)
{
    const VQCommandResult result = VQRunCommandLine({"format", "hsl(120, 100%, 50%)", "--template", "10", "--json"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(root["template"].toInt(), 10);
    EXPECT_EQ(root["text"].toString(), "hsla(120, 100%, 50%, 1.0)");
    EXPECT_EQ(root["color"]["hex"].toString(), "#00FF00");
    EXPECT_TRUE(root["color"]["name"].isNull());
}

TEST_F(CommandLineTest, FailuresSayWhatIsWrongAndWriteNothing)
{
    struct Row {
        QStringList arguments;
        int status;
        const char *message;
    };
    const QString share = path("share"), none = path("none.vlb"), junk = write("junk.vlb", "hello");
    QDir().mkpath(share);
    VQPlist future = VQOpenDetachedLibrary(_lib)->libraryDictionary();
    future.set(VQLibraryVersion, VQPlist::string("0.4"));
    ASSERT_TRUE(future.writeXMLFileAtomically(path("future.vlb")));
    const QString sea = write("sea.ase", kSeaAse);

    const std::vector<Row> rows = {
        {{}, 2, "no command given"},
        {{"paint"}, 2, "unknown command: paint"},
        {{"library", "list", "--colour"}, 2, "unknown option --colour"},
        {{"library", "list", "--library"}, 2, "--library needs a value"},
        {{"library", "list", "--library", junk}, 1, "is not a library"},
        {{"sync", "--library", _lib}, 2, "sync needs --folder DIR"},
        {{"sync", "extra", "--folder", share, "--library", _lib}, 2, "sync takes no operands"},
        {{"sync", "--folder", path("nowhere"), "--library", _lib}, 1, "No folder at"},
        {{"sync", "--folder", share, "--library", none}, 1, "No library at"},
        {{"sync", "--folder", share, "--library", path("future.vlb")}, 1, "created by a newer version"},
        {{"merge", _lib}, 2, "merge needs LOCAL and REMOTE"},
        {{"merge", _lib, none}, 1, "Cannot read"},
        {{"merge", _lib, junk}, 1, "not a library"},
        {{"merge", _lib, path("future.vlb")}, 1, "library version (0.4)"},
        {{"merge", none, _lib}, 1, "No library at"},
        {{"merge", junk, _lib}, 1, "is not a library"},
        {{"import", "--into", _lib}, 2, "import needs a file"},
        {{"import", path("nothing.aco"), "--into", _lib}, 1, "cannot be read"},
        {{"import", write("sea.pal", kSeaAse), "--into", _lib}, 1, "unknown kind of swatch file"},
        {{"import", write("sea.gpl", kSeaAse), "--into", _lib}, 1, "is not a GIMP palette (line 1 is not"},
        {{"import", write("hot.gpl", "GIMP Palette\n300 0 0\n"), "--into", _lib},
         1,
         "hot.gpl: no colors found in the file. 1 row was skipped: line 2 (300 is outside 0–255)."},
        {{"export", "--output", path("x.gpl")}, 2, "export needs --format gpl, ase, css or json"},
        {{"export", "--format", "pdf", "--output", path("x.pdf")}, 2, "unknown format pdf"},
        {{"export", "--format", "gpl", "--library", _lib}, 2, "export needs --output FILE"},
        {{"export", "--format", "ase", "--library", _lib, "--output", "-"}, 2, ".ase is binary"},
        {{"export", "--format", "css", "--library", _lib, "--collection", "Nope", "--output", path("x.css")},
         1,
         "No collection titled \"Nope\""},
        {{"export", "--format", "gpl", "--library", junk, "--output", path("x.gpl")}, 1, "is not a library"},
        {{"import", write("sprite.ase", QByteArray(64, '\xA5')), "--into", _lib}, 1, "is not an ASE swatch file"},
        {{"import", write("sea.aco", kSeaAse), "--into", _lib}, 1, "is not an ACO swatch file"},
        {{"import", write("empty.ase", ase::file({}, 0)), "--into", _lib}, 1, "no colors found"},
        {{"import", sea, "--into", junk}, 1, "is not a library"},
        {{"parse"}, 2, "parse takes one color text"},
        {{"parse", "nocolour9"}, 1, "\"nocolour9\" is not a color"},
        {{"parse", "--", "--json"}, 1, "\"--json\" is not a color"},
        {{"format", "red"}, 2, "format needs --template"},
        {{"format", "red", "--template", "17"}, 2, "unknown template \"17\""},
        {{"format", "red", "--template", "1x"}, 2, "unknown template \"1x\""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const QString before = snapshot();
        const VQCommandResult result = VQRunCommandLine(row.arguments);
        EXPECT_EQ(result.status, row.status);
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(row.message))) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(snapshot().toStdString(), before.toStdString());
    }
}

// A palette of more colours than a library holds (one of a million rows made a
// 500 MB library that no start could open), and one of fewer colours whose
// names would still make the library more than Vellico reads back: neither
// goes in, the library stays as it was, and the message names the limit.
TEST_F(CommandLineTest, ImportPastTheLibraryLimitsWritesNothing)
{
    struct Row {
        const char *name;
        QByteArray palette;
        QString message;
    };
    const std::vector<Row> rows = {
        {"too many colours", "GIMP Palette\n" + QByteArray("1 2 3\n").repeated(VQLibraryMaxColors + 1),
         QStringLiteral("line %1: more than %2 colors").arg(VQLibraryMaxColors + 2).arg(VQLibraryMaxColors)},
        {"names too long", "GIMP Palette\n" + ("1 2 3 " + QByteArray(2200, 'n') + "\n").repeated(20000),
         "Not imported into " + _lib +
             ": the library would take 274 MB once read, more than the 256 MB Vellico can read back."},
    };
    const QByteArray before = VQReadAll(_lib);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQCommandResult result = VQRunCommandLine({"import", write("big.gpl", row.palette), "--into", _lib});
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.err.contains(row.message)) << result.err.toStdString();
        EXPECT_EQ(VQReadAll(_lib), before);
        EXPECT_EQ(QDir(QFileInfo(_lib).absolutePath()).entryList({"*.vlb*"}, QDir::Files), QStringList{"lib.vlb"});
    }
}
