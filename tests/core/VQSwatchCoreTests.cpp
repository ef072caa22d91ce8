#include "VQTestSupport.h"

#include "vqcore/VQFileURL.h"
#include "vqcore/VQNotificationCenter.h"
#include "core/VQSwatchCore.h"
#include "vqcore/VQTermination.h"
#include "vqcore/VQUserDefaults.h"

#include "core/sync/VQFileCoordinator.h"
#include "vqcore/VQFileAccess.h"
#include "vqcore/VQLibraryLimits.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// A small library as another program writes it (python3's plistlib), XML or binary.
const char *kPythonLibrary = R"(
import plistlib, sys, datetime
fmt = plistlib.FMT_BINARY if sys.argv[2] == 'binary' else plistlib.FMT_XML
version = sys.argv[3]
root = {
  'SaveDate': datetime.datetime(2024, 5, 1, 12, 0, 0),
  'contents': [
    {'RZTitle': 'Sea', 'RZCreationDate': 1600000000, 'RZModificationDate': 1600000100, 'RZRemovedIDs': [11, 12],
     'RZColors': [
        {'RZColorSpace': 0, 'RZComponent1': 0.1, 'RZComponent2': 0.25, 'RZComponent3': 1.0, 'RZComponent4': 0.0,
         'RZColorID': 1600000001, 'RZModificationDate': 0, 'RZName': 'Deep'},
        {'RZColorSpace': 1, 'RZComponent1': 0.5, 'RZComponent2': 0.0, 'RZComponent3': 0.25, 'RZComponent4': 0.125,
         'RZColorID': 1600000002, 'RZModificationDate': 1600000050, 'RZName': 'Ink'},
     ]},
    {'RZTitle': 'Empty', 'RZCreationDate': 1600000200, 'RZModificationDate': 0, 'RZRemovedIDs': [], 'RZColors': []},
  ],
  'RZRemovedCollectionIDs': [1500000000],
}
if version != 'missing':
  root['DBVersion'] = float(version[1:]) if version.startswith('#') else version
with open(sys.argv[1], 'wb') as f:
  plistlib.dump(root, f, fmt=fmt)
)";

class CoreTest : public VQLibraryTest
{
  protected:
    QString libraryPath() const { return path(QStringLiteral(".local/share/Vellico/Vellico Library.vlb")); }

    void writePythonLibrary(const QString &target, const char *format, const char *version)
    {
        QDir().mkpath(QFileInfo(target).absolutePath());
        ASSERT_EQ(VQRunPython(QString::fromLatin1(kPythonLibrary),
                              {target, QString::fromLatin1(format), QString::fromLatin1(version)}),
                  0);
    }

    std::unique_ptr<VQSwatchCore> load(const QString &target)
    {
        QDir().mkpath(QFileInfo(target).absolutePath());
        VQLibraryOpenOptions options;
        options.live = true;
        options.startWhenMissing = true;
        VQLibraryOpenResult opened = VQSwatchCore::open(target, options);
        EXPECT_FALSE(opened.error.has_value());
        return std::move(opened.core);
    }

    // Saves while no file may grow past `bytes`.
    static bool saveWithFileSizeLimit(VQSwatchCore &core, qint64 bytes)
    {
        struct rlimit old {
        };
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit tight = old;
        tight.rlim_cur = rlim_t(bytes);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &tight);
        const bool saved = core.save();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        return saved;
    }
};

} // namespace

// XML and binary, at this version and earlier ones ("#": stored as a number).
TEST_F(CoreTest, ReadsLibrariesWrittenByAnotherProgram)
{
    for (const auto &[format, version] : std::initializer_list<std::pair<const char *, const char *>>{
             {"xml", "0.3"}, {"binary", "0.3"}, {"xml", "#0.3"}, {"xml", "0.2"}, {"binary", "#0.1"}}) {
        SCOPED_TRACE(std::string(format) + " " + version);
        writePythonLibrary(libraryPath(), format, version);
        auto core = load(libraryPath());
        ASSERT_NE(core, nullptr);
        ASSERT_EQ(core->numberOfCollections(), 2u);
        const auto sea = core->allCollections()[0];
        EXPECT_EQ(sea->title(), QStringLiteral("Sea"));
        EXPECT_EQ(sea->creationDate(), 1600000000u);
        EXPECT_EQ(sea->modificationDate(), 1600000100u);
        EXPECT_EQ(sea->removedColorIDs(), (std::vector<std::uint64_t>{11, 12}));
        const auto colors = sea->colors();
        ASSERT_EQ(colors.size(), 2u);
        EXPECT_EQ(colors[0]->colorSpace(), VQColorSpace::RGB);
        EXPECT_EQ(colors[0]->components(), (std::array<double, 4>{0.1, 0.25, 1.0, 0.0}));
        EXPECT_EQ(colors[0]->name(), QStringLiteral("Deep"));
        EXPECT_EQ(colors[0]->colorID(), 1600000001u);
        EXPECT_EQ(colors[1]->colorSpace(), VQColorSpace::CMYK);
        EXPECT_EQ(colors[1]->components(), (std::array<double, 4>{0.5, 0.0, 0.25, 0.125}));
        EXPECT_EQ(colors[1]->modificationDate(), 1600000050u);
        EXPECT_EQ(core->allCollections()[1]->count(), 0u);
        EXPECT_EQ(core->removedCollectionIDs(), std::vector<std::uint64_t>{1500000000});
        EXPECT_FALSE(core->isDirty());
        EXPECT_TRUE(ui().alerts().empty());
    }
}

// A library that cannot be opened gives its kind of problem and a message, shows
// nothing and leaves the file as it was, live or detached. A named pipe held the
// start for ever, and a link to a device was read until memory ran out.
TEST_F(CoreTest, LibrariesThatCannotBeOpenedSayWhyAndStayAsTheyWere)
{
    using Kind = VQLibraryOpenError::Kind;
    const QString newer = QStringLiteral("It was created by a newer version of Vellico.");
    const QString noVersion = QStringLiteral("Cannot read the library version number.");
    struct Row {
        // A library by python3 with this "DBVersion", or "garbage", "pipe", "zero",
        // "none" (no file), or nullptr: no file in a folder that cannot be made.
        const char *version;
        bool startWhenMissing;
        Kind kind;
        QString message; // "%1": the library's path, "%2": its folder
    };
    const std::vector<Row> rows = {
        {"0.4", true, Kind::NewerVersion, newer},
        {"#1.0", false, Kind::NewerVersion, newer},
        {"missing", true, Kind::NoVersion, noVersion},
        {"abc", false, Kind::NoVersion, noVersion},
        {"garbage", true, Kind::Unreadable, QStringLiteral("%1 is not a library (*)")},
        {"pipe", false, Kind::Unreadable, QStringLiteral("%1 is not a library (*)")},
        {"zero", true, Kind::Unreadable, QStringLiteral("%1 is not a library (*)")},
        {"none", false, Kind::Missing, QStringLiteral("No library at %1.")},
        {nullptr, true, Kind::FolderNotWritable, QStringLiteral("Cannot write to the folder %2.")},
    };
    for (const Row &row : rows) {
        for (const bool live : {false, true}) {
            const QString kind = QString::fromLatin1(row.version ? row.version : "an unwritable folder");
            SCOPED_TRACE(kind.toStdString() + (live ? ", live" : ", detached"));
            // The folder of an unwritable library lies below a regular file, so it can never be made.
            QString library = libraryPath();
            QDir().mkpath(QFileInfo(library).absolutePath());
            QFile::remove(library);
            const QByteArray name = QFile::encodeName(library);
            if (!row.version) {
                library = path(QStringLiteral("blocker/Vellico Library.vlb"));
                VQWriteAll(path(QStringLiteral("blocker")), "x");
            } else if (kind == "garbage") {
                VQWriteAll(library, "this is not a property list \xff\xfe");
            } else if (kind == "pipe") {
                ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
            } else if (kind == "zero") {
                ASSERT_EQ(::symlink("/dev/zero", name.constData()), 0);
            } else if (kind != "none") {
                writePythonLibrary(library, "xml", row.version);
            }
            const auto state = [&] {
                const VQEntry entry = VQEntryAt(library);
                return entry.description + QString::fromLatin1(entry.type == VQEntry::Type::Regular
                                                                   ? VQReadAll(library).toHex()
                                                                   : QByteArray());
            };
            const QString before = state();
            VQLibraryOpenOptions options;
            options.live = live;
            options.startWhenMissing = row.startWhenMissing;
            VQLibraryOpenResult opened;
            const int loaded = VQCountPosts(VQSwatchCoreDidFinishLoadingNotification,
                                            [&] { opened = VQSwatchCore::open(library, options); });
            EXPECT_EQ(opened.core, nullptr);
            ASSERT_TRUE(opened.error.has_value());
            EXPECT_EQ(opened.error->kind, row.kind);
            const QString expected = QString(row.message)
                                         .replace(QStringLiteral("%1"), library)
                                         .replace(QStringLiteral("%2"), QFileInfo(library).absolutePath());
            EXPECT_TRUE(QRegularExpression(QRegularExpression::wildcardToRegularExpression(
                                               expected, QRegularExpression::UnanchoredWildcardConversion))
                            .match(opened.error->message)
                            .hasMatch())
                << opened.error->message.toStdString();
            EXPECT_EQ(loaded, 0);
            EXPECT_TRUE(ui().alerts().empty()) << "opening never talks to the user";
            EXPECT_EQ(state(), before) << "a failed opening touches nothing";
            QFile::remove(library);
        }
    }
}

// With replaceUnreadable, a damaged file is kept beside the library and an empty
// one starts in its place; other problems are not for replacing.
TEST_F(CoreTest, ReplacingAnUnreadableLibraryKeepsItBeside)
{
    struct Row {
        const char *content;
        bool opens;
    } rows[] = {
        {"this is not a property list \xff\xfe", true},
        {"<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>DBVersion</key><string>9</string></dict></plist>",
         false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.content);
        QDir(path(QStringLiteral(".local/share/Vellico"))).removeRecursively();
        QDir().mkpath(QFileInfo(libraryPath()).absolutePath());
        VQWriteAll(libraryPath(), row.content);
        VQLibraryOpenOptions options;
        options.live = true;
        options.startWhenMissing = true;
        options.replaceUnreadable = true;
        const VQLibraryOpenResult opened = VQSwatchCore::open(libraryPath(), options);
        ASSERT_EQ(opened.core != nullptr, row.opens);
        const QStringList kept = QDir(QFileInfo(libraryPath()).absolutePath())
                                     .entryList({QStringLiteral("Vellico Library (unreadable *).vlb")});
        if (!row.opens) {
            EXPECT_EQ(opened.error->kind, VQLibraryOpenError::Kind::NewerVersion);
            EXPECT_TRUE(kept.isEmpty());
            EXPECT_EQ(VQReadAll(libraryPath()), QByteArray(row.content));
            continue;
        }
        EXPECT_EQ(opened.core->numberOfCollections(), 0u);
        EXPECT_FALSE(QFileInfo::exists(libraryPath()));
        ASSERT_EQ(kept.size(), 1);
        EXPECT_EQ(VQReadAll(QFileInfo(libraryPath()).absolutePath() + '/' + kept.front()), QByteArray(row.content));
    }
}

TEST_F(CoreTest, NoFileInAWritableFolderStartsEmptyAndWritesOnlyAfterAChange)
{
    std::unique_ptr<VQSwatchCore> core;
    EXPECT_EQ(VQCountPosts(VQSwatchCoreDidFinishLoadingNotification, [&] { core = load(libraryPath()); }), 1);
    EXPECT_EQ(core->numberOfCollections(), 0u);
    EXPECT_TRUE(core->save());
    EXPECT_FALSE(QFileInfo::exists(libraryPath())) << "an unchanged library writes nothing";

    core->addCollection(VQSwatchCollection::create(QStringLiteral("First")));
    EXPECT_EQ(VQCountPosts(VQVellicoCoreDidSaveNotification, [&] { EXPECT_TRUE(core->save()); }), 1);
    ASSERT_TRUE(QFileInfo::exists(libraryPath()));

    auto reread = VQOpenDetachedLibrary(libraryPath());
    ASSERT_NE(reread, nullptr);
    ASSERT_EQ(reread->numberOfCollections(), 1u);
    EXPECT_EQ(reread->allCollections()[0]->title(), QStringLiteral("First"));
    const QByteArray xml = VQReadAll(libraryPath());
    EXPECT_TRUE(xml.contains("<key>DBVersion</key>\n\t<string>0.3</string>")) << xml.left(400).constData();
    EXPECT_TRUE(xml.contains("<key>SaveDate</key>"));

    // Once changed, every save writes again.
    EXPECT_EQ(VQCountPosts(VQVellicoCoreDidSaveNotification, [&] { core->save(); }), 1);
}

TEST_F(CoreTest, AFailedWriteKeepsTheOldFileAndTheLibraryDirty)
{
    auto core = load(libraryPath());
    core->addCollection(VQSwatchCollection::create(QStringLiteral("Small")));
    ASSERT_TRUE(core->save());
    const QByteArray before = VQReadAll(libraryPath());

    auto big = VQSwatchCollection::create(QStringLiteral("Big"));
    for (int i = 0; i < 200; ++i)
        big->addColor(VQColor::makeRGB(i / 200.0, 0.5, 0.5), false);
    core->addCollection(big);

    // Let no file grow past the old library's size: the new one cannot be written.
    EXPECT_EQ(VQCountPosts(VQVellicoCoreDidSaveNotification,
                           [&] { EXPECT_FALSE(saveWithFileSizeLimit(*core, before.size() + 100)); }),
              0);
    EXPECT_EQ(VQReadAll(libraryPath()), before) << "the old file is intact";
    EXPECT_TRUE(core->isDirty());
    const QStringList leftovers = QDir(QFileInfo(libraryPath()).absolutePath()).entryList(QDir::Files);
    EXPECT_EQ(leftovers, QStringList{QStringLiteral("Vellico Library.vlb")}) << "no temporary file is left behind";

    // With room again, the next save writes everything.
    EXPECT_TRUE(core->save());
    EXPECT_EQ(VQOpenDetachedLibrary(libraryPath())->numberOfCollections(), 2u);
}

// A library that would be more than Vellico reads back is never written:
// the save is refused before anything is written, the old file stays, the
// user is told which limit it passes, and the library can be saved again once
// it is smaller. Imports ask first and add nothing.
TEST_F(CoreTest, ASaveOrImportPastTheLimitsIsRefusedAndKeepsTheOldFile)
{
    auto core = load(libraryPath());
    core->addCollection(VQSwatchCollection::create(QStringLiteral("Small")));
    ASSERT_TRUE(core->save());
    const QByteArray before = VQReadAll(libraryPath());

    // 20,000 colours of 2,300-character names: 4.6 MB as names, 288 MB as the
    // library may be written (a character may become a six-byte escape).
    std::vector<VQColorRef> colors;
    for (int i = 0; i < 20000; ++i) {
        VQColorRef color = VQColor::makeRGB(0.5, 0.5, i / 20000.0);
        color->setName(QString(2300, QLatin1Char('n')));
        colors.push_back(color);
    }
    const VQSwatchCollectionRef big = VQSwatchCollection::create(QStringLiteral("Big"), colors);
    QString why;
    EXPECT_FALSE(core->hasRoomFor({big}, &why));
    EXPECT_TRUE(why.startsWith("the library would take ")) << why.toStdString();
    EXPECT_TRUE(core->hasRoomFor({VQSwatchCollection::create(QStringLiteral("Fine"), {colors.front()})}));

    core->addCollection(big);
    QStringList notices;
    VQObserverToken observer(VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreNoticeNotification), core.get(),
        [&](const VQNotification &) { notices << core->notice(); }));
    EXPECT_EQ(VQCountPosts(VQVellicoCoreDidSaveNotification, [&] { EXPECT_FALSE(core->save()); }), 0);
    EXPECT_EQ(VQReadAll(libraryPath()), before) << "the old file is intact";
    EXPECT_EQ(QDir(QFileInfo(libraryPath()).absolutePath()).entryList(QDir::Files),
              QStringList{QStringLiteral("Vellico Library.vlb")});
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains("more than the 256 MB Vellico can read back")) << notices[0].toStdString();
    QString error;
    EXPECT_FALSE(core->writeToURL(path("copy.vlb"), &error, VQPlistFormat::Binary));
    EXPECT_TRUE(error.startsWith("the library would take ")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("copy.vlb")));

    core->removeCollection(big);
    EXPECT_TRUE(core->save());
    EXPECT_EQ(VQCollectionTitles(libraryPath()), QStringList{QStringLiteral("Small")});
}

// The most colours a library holds is what the cheapest colour costs as the
// library writes it, counted the way a reader counts it.
TEST_F(CoreTest, TheColourLimitIsWhatTheCheapestColourCosts)
{
    const std::vector<std::function<VQColorRef()>> makers = {[] { return VQColor::makeRGB(0.1, 0.2, 0.3); },
                                                             [] { return VQColor::makeCMYK(0.1, 0.2, 0.3, 0.4); }};
    for (const auto &make : makers) {
        auto collection = VQSwatchCollection::create(QStringLiteral("One"));
        VQPlistCostCounter one, two;
        collection->addColor(make(), false);
        collection->writeDictionary(one);
        collection->addColor(make(), false);
        collection->writeDictionary(two);
        EXPECT_EQ(two.cost() - one.cost(), VQCheapestColorCost);
        // And a reader counts the same as the counter.
        const std::optional<VQPlist> read = VQPlist::fromData(collection->dictionaryRepresentation().toBinary());
        ASSERT_TRUE(read);
        EXPECT_EQ(VQPlistFootprint(read->node()), two.cost());
    }
    EXPECT_LE(std::uint64_t(VQLibraryMaxColors) * VQCheapestColorCost, VQPlistMaxExpandedBytes);
    EXPECT_GT(std::uint64_t(VQLibraryMaxColors + 1) * VQCheapestColorCost, VQPlistMaxExpandedBytes);
}

// A save that merged the file and then failed to write has the file's changes
// in memory already: the next save writes them, and does not take them in
// twice (a collection made there in the same second as one of ours, and given
// a fresh identity, came in again with yet another).
TEST_F(CoreTest, AFailedWriteAfterAMergeTakesNothingInTwice)
{
    auto core = load(libraryPath());
    auto ours = VQSwatchCollection::create(QStringLiteral("Ours"), {VQColor::makeRGB(0, 0, 1)});
    ours->setCreationDate(77);
    core->addCollection(ours);
    {
        VQPlist empty = VQPlist::dictionary();
        empty.set(VQLibraryVersion, VQPlist::string(QStringLiteral("0.3")));
        auto other = VQSwatchCore::detachedFromLibrary(empty.node(), libraryPath(), nullptr);
        auto theirs = VQSwatchCollection::create(QStringLiteral("Theirs"), {VQColor::makeRGB(0, 1, 0)});
        theirs->setCreationDate(77);
        other->addCollection(theirs);
        ASSERT_TRUE(other->writeToURL(libraryPath()));
    }
    ASSERT_FALSE(saveWithFileSizeLimit(*core, 10));
    EXPECT_EQ(VQCollectionTitles(libraryPath()), QStringList{QStringLiteral("Theirs")}) << "the file is left whole";

    EXPECT_TRUE(core->save());
    EXPECT_EQ(VQCollectionTitles(libraryPath()), (QStringList{QStringLiteral("Ours"), QStringLiteral("Theirs")}));
}

// Another writer replaced the file after our last save, or made it where there
// was none: our save takes their changes in.
TEST_F(CoreTest, SaveMergesWhatAnotherWriterPutInTheFile)
{
    for (const bool savedBefore : {true, false}) {
        SCOPED_TRACE(savedBefore ? "the file replaced" : "a file made where there was none");
        QDir(QFileInfo(libraryPath()).absolutePath()).removeRecursively();
        auto core = load(libraryPath());
        core->addCollection(VQSwatchCollection::create(QStringLiteral("Ours")));
        if (savedBefore) {
            ASSERT_TRUE(core->save());
        }
        setTime(time() + 5);
        {
            VQPlist empty = VQPlist::dictionary();
            empty.set(VQLibraryVersion, VQPlist::string(QStringLiteral("0.3")));
            auto other = savedBefore ? VQOpenDetachedLibrary(libraryPath())
                                     : VQSwatchCore::detachedFromLibrary(empty.node(), libraryPath(), nullptr);
            ASSERT_NE(other, nullptr);
            other->addCollection(VQSwatchCollection::create(QStringLiteral("Theirs")));
            ASSERT_TRUE(other->writeToURL(libraryPath()));
        }
        const QStringList both = {"Ours", "Theirs"};
        EXPECT_EQ(VQCountPosts(VQSwatchCoreDidFinishSynchronizationNotification, [&] { EXPECT_TRUE(core->save()); }),
                  1);
        EXPECT_EQ(VQCollectionTitles(core.get()), both);
        EXPECT_EQ(VQCollectionTitles(libraryPath()), both) << "their collection survives our save";
        EXPECT_EQ(VQCountPosts(VQSwatchCoreDidFinishSynchronizationNotification, [&] { core->save(); }), 0)
            << "nothing changed since: no merge the next time";
    }
}

// A file that another program left at the library's place and that we cannot
// merge (a newer version's, or one we cannot read) is kept beside the library
// before ours is written, and the user hears of it once.
TEST_F(CoreTest, AFileThatCannotBeMergedIsKeptAsideAtSave)
{
    struct Row {
        const char *name;
        QByteArray bytes;
        const char *keptAs;
    };
    const QByteArray newer = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>DBVersion</key><string>0.4</string>
<key>contents</key><array><dict><key>RZTitle</key><string>From the future</string></dict></array></dict></plist>
)";
    const std::vector<Row> rows = {
        {"a newer version", newer, "Vellico Library (other version *).vlb"},
        {"not a property list", "this is not a property list \xff\xfe", "Vellico Library (unreadable *).vlb"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QDir(QFileInfo(libraryPath()).absolutePath()).removeRecursively();
        auto core = load(libraryPath());
        core->addCollection(VQSwatchCollection::create(QStringLiteral("Ours")));
        ASSERT_TRUE(core->save());
        ASSERT_TRUE(VQWriteAll(libraryPath() + QStringLiteral(".new"), row.bytes));
        // Replaced whole, as every writer replaces it.
        ASSERT_EQ(::rename(QFile::encodeName(libraryPath() + QStringLiteral(".new")).constData(),
                           QFile::encodeName(libraryPath()).constData()),
                  0);

        QStringList notices;
        VQObserverToken observer(VQNotificationCenter::defaultCenter().addObserver(
            QString::fromLatin1(VQSwatchCoreNoticeNotification), core.get(),
            [&](const VQNotification &) { notices << core->notice(); }));
        EXPECT_TRUE(core->save());

        const QStringList kept =
            QDir(QFileInfo(libraryPath()).absolutePath()).entryList({QString::fromLatin1(row.keptAs)}, QDir::Files);
        ASSERT_EQ(kept.size(), 1) << QDir(QFileInfo(libraryPath()).absolutePath()).entryList().join(' ').toStdString();
        EXPECT_EQ(VQReadAll(QFileInfo(libraryPath()).absolutePath() + QLatin1Char('/') + kept[0]), row.bytes);
        EXPECT_EQ(VQCollectionTitles(libraryPath()), QStringList{QStringLiteral("Ours")});
        ASSERT_EQ(notices.size(), 1);
        EXPECT_TRUE(notices[0].contains(kept[0])) << notices[0].toStdString();
    }
}

TEST_F(CoreTest, ListOperationsMarkTheLibraryDirty)
{
    writePythonLibrary(libraryPath(), "xml", "0.3");
    auto core = load(libraryPath());
    auto sea = core->allCollections()[0], empty = core->allCollections()[1];
    core->moveCollection(empty, 1); // already there: no new order, but a change all the same
    EXPECT_EQ(core->allCollections(), (std::vector<VQSwatchCollectionRef>{sea, empty}));
    EXPECT_TRUE(core->isDirty());

    auto added = VQSwatchCollection::create(QStringLiteral("Added"));
    core->addCollection(added);
    core->moveCollection(added, 0);
    core->moveCollection(VQSwatchCollection::create(QStringLiteral("stranger")), 0);
    EXPECT_EQ(core->allCollections(), (std::vector<VQSwatchCollectionRef>{added, sea, empty}));
    EXPECT_EQ(core->collectionWithID(sea->creationDate()), sea);
    EXPECT_EQ(core->collectionsInRange(1, 5), (std::vector<VQSwatchCollectionRef>{sea, empty}));

    core->removeCollection(sea);
    ASSERT_TRUE(core->save());
    auto reread = VQOpenDetachedLibrary(libraryPath());
    EXPECT_EQ(reread->removedCollectionIDs(), (std::vector<std::uint64_t>{1500000000, 1600000000}));
    EXPECT_EQ(reread->allCollections()[0]->title(), QStringLiteral("Added"));

    // A change inside a collection reaches the library through its notification.
    auto fresh = load(libraryPath());
    ASSERT_FALSE(fresh->isDirty());
    fresh->allCollections()[0]->updateModificationDate();
    EXPECT_TRUE(fresh->isDirty());
}

TEST_F(CoreTest, SelectedColour)
{
    struct Sink : VQSelectedColorSink {
        VQColorSpace currentColorSpace() const override { return space; }
        void showColor(const VQColorRef &color) override { shown.push_back(color); }
        VQColorSpace space = VQColorSpace::RGB;
        std::vector<VQColorRef> shown;
    } sink;
    auto core = load(libraryPath());
    auto other = load(path(QStringLiteral("other.vlb")));
    core->setSelectedColorSink(&sink);
    // Nothing selected yet: white in the picker's space.
    EXPECT_EQ(core->selectedColor()->RGBColor(), VQRGBColor::whiteColor());
    sink.space = VQColorSpace::CMYK;
    EXPECT_EQ(core->selectedColor()->CMYKColor(), (VQCMYKColor{0, 0, 0, 0}));

    VQColorRef red = VQColor::makeRGB(1, 0, 0);
    VQColorRef twin = VQColor::makeRGB(1, 0, 0);
    twin->setColorID(red->colorID());
    ASSERT_TRUE(twin->isEqualToColor(*red));
    const auto posts = [&](const VQColorRef &color, bool toPicker) {
        return VQCountPosts(VQSwatchCoreColorSelectionDidChangeNotification,
                            [&] { core->setSelectedColor(color, toPicker); });
    };
    EXPECT_EQ(posts(red, false), 1);
    EXPECT_EQ(posts(red, true), 0) << "the same object again changes nothing";
    EXPECT_EQ(posts(twin, true), 1) << "an equal but other colour is a new selection";
    EXPECT_EQ(core->selectedColor(), twin);
    // The sink is this core's: another core's selection goes elsewhere.
    EXPECT_EQ(other->selectedColor()->RGBColor(), VQRGBColor::whiteColor());
    other->setSelectedColor(VQColor::makeRGB(0, 0, 1), true);
    core->setSelectedColorSink(nullptr);
    EXPECT_EQ(sink.shown, std::vector<VQColorRef>{twin});
}

TEST_F(CoreTest, TheWillTerminateNotificationSaves)
{
    auto core = load(libraryPath());
    core->addCollection(VQSwatchCollection::create(QStringLiteral("Last words")));
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQApplicationWillTerminateNotification));
    EXPECT_EQ(VQOpenDetachedLibrary(libraryPath())->numberOfCollections(), 1u);
}

TEST_F(CoreTest, AnEarlierVersionsLibraryMovesInOnce)
{
    writePythonLibrary(VQSwatchCore::oldLocationPath(), "xml", "0.3");
    auto core = load(libraryPath());
    EXPECT_EQ(core->numberOfCollections(), 2u);
    EXPECT_TRUE(QFileInfo::exists(VQSwatchCore::oldLocationPath())) << "the old file is copied, not moved";

    // A library already in place is never replaced by the old one.
    core->removeCollection(core->allCollections()[0]);
    core->save();
    core.reset();
    EXPECT_EQ(load(libraryPath())->numberOfCollections(), 1u);
}

TEST_F(CoreTest, MalformedListsReadAsEmpty)
{
    QDir().mkpath(QFileInfo(libraryPath()).absolutePath());
    ASSERT_EQ(VQRunPython(QStringLiteral(R"(
import plistlib, sys
plistlib.dump({'DBVersion': '0.3', 'contents': [{'RZTitle': 'ok'}, 'not a collection'],
               'RZRemovedCollectionIDs': 'nope'}, open(sys.argv[1], 'wb'))
)"),
                          {libraryPath()}),
              0);
    auto core = load(libraryPath());
    EXPECT_EQ(core->numberOfCollections(), 0u);
    EXPECT_TRUE(core->removedCollectionIDs().empty());
}

namespace
{
// Runs the event loop until `done` holds, for at most ten seconds.
bool runEventsUntil(const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}
} // namespace

// Saves otherwise come every 300 s: a change is on disk a moment later.
TEST_F(CoreTest, AChangeIsSavedSoonAfter)
{
    auto core = load(libraryPath());
    core->setSaveDelayAfterChange(20);
    core->addCollection(VQSwatchCollection::create(QStringLiteral("Fresh")));
    EXPECT_FALSE(QFileInfo::exists(libraryPath())) << "saved at once rather than soon after";
    EXPECT_TRUE(runEventsUntil([&] { return VQCollectionTitles(libraryPath()) == QStringList{"Fresh"}; }));
}

// While another process holds the library, a save from a timer waits with the
// event loop running, says what it waits for, and writes once the lock is free.
TEST_F(CoreTest, ASaveWaitsForTheLockWithoutBlocking)
{
    auto core = load(libraryPath());
    core->addCollection(VQSwatchCollection::create(QStringLiteral("Waiting")));
    std::optional<VQFileLock> held;
    held.emplace(libraryPath(), 0);
    ASSERT_TRUE(held->isAcquired());

    QStringList waits;
    VQObserverToken observer(VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreWaitingDidChangeNotification), core.get(),
        [&](const VQNotification &) { waits << core->waitingFor(); }));
    int saves = 0;
    VQObserverToken saved(VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQVellicoCoreDidSaveNotification), nullptr, [&](const VQNotification &) { ++saves; }));

    core->saveWithoutBlocking();
    EXPECT_EQ(saves, 0);
    ASSERT_TRUE(runEventsUntil([&] { return !waits.isEmpty(); }));
    EXPECT_TRUE(waits[0].contains(QStringLiteral("Vellico Library.vlb"))) << waits[0].toStdString();
    EXPECT_EQ(saves, 0) << "written while another process held the library";

    held.reset();
    ASSERT_TRUE(runEventsUntil([&] { return saves == 1; }));
    EXPECT_EQ(VQCollectionTitles(libraryPath()), QStringList{QStringLiteral("Waiting")});
    EXPECT_EQ(waits, (QStringList{waits[0], QString()})) << "the status is cleared";
}
