// One synchronisation pass: which files of the shared folder are merged, which
// are skipped, when the own file and the library are written, and when passes run.

#include "VQTestSupport.h"

#include "VQFileCoordinator.h"
#include "VQLog.h"
#include "VQStringExtensions.h"
#include "VQSwatchCore.h"
#include "VQSynchronizationManager.h"
#include "VQUserDefaults.h"
#include "VQHardwareInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <thread>

namespace {

std::vector<QString> gLog;
void captureLog(const QString &line) { gLog.push_back(line); }

int logCount(const QString &text)
{
    return int(std::count_if(gLog.begin(), gLog.end(), [&](const QString &line) { return line.endsWith(text); }));
}

VQPlist libraryWith(const QStringList &titles, std::uint64_t firstID, VQPlist version = VQPlist::string("0.3"))
{
    VQPlist contents = VQPlist::array();
    std::uint64_t id = firstID;
    for (const QString &title : titles) {
        auto collection = VQSwatchCollection::create(title, {VQColor::makeRGB(0.25, 0.5, 0.75)});
        collection->setCreationDate(id++);
        contents.append(collection->dictionaryRepresentation());
    }
    VQPlist root = VQPlist::dictionary();
    root.set(VQLibraryVersion, std::move(version));
    root.set(VQLibraryContent, std::move(contents));
    return root;
}

QStringList titlesIn(const QString &file)
{
    std::optional<VQPlist> root = VQPlist::fromFile(file);
    QStringList titles;
    if (root)
        (*root)[VQLibraryContent].forEachItem(
            [&](VQPlistNode c) { titles << c[VQTitleKey].toString().value_or(QString()); });
    return titles;
}

class SyncTest : public VQLibraryTest {
protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        qputenv(VQHardwareInfo::overrideVariable, "desk");
        VQDebugLog::setLoggingEnabled(true);
        gLog.clear();
        VQDebugLog::setSink(captureLog);
        _folder = path("share");
        QDir().mkpath(_folder);
        _library = path("lib.vlb");
        ASSERT_TRUE(libraryWith({"Local"}, 100).writeXMLFileAtomically(_library));
    }
    void TearDown() override
    {
        VQSynchronizationManager::resetSharedManager();
        VQDebugLog::setSink(nullptr);
        qunsetenv(VQHardwareInfo::overrideVariable);
        VQLibraryTest::TearDown();
    }

    void configure(bool enabled, const QString &folder)
    {
        VQUserDefaults &defaults = VQUserDefaults::standard();
        defaults.setBool(VQSynchronizeLibraryDefaultsKey, enabled);
        if (folder.isNull())
            defaults.removeObjectForKey(VQSyncFolderPathDefaultsKey);
        else
            defaults.setString(VQSyncFolderPathDefaultsKey, folder);
    }
    // A shared core without timer or observers, so that only the manager acts.
    VQSwatchCore &shareCore()
    {
        VQSwatchCore::setSharedCore(VQSwatchCore::openDetached(_library, nullptr));
        return *VQSwatchCore::sharedCore();
    }
    QString ownFile() const { return VQSynchronizationManager::ownFilePath(_folder); }
    QStringList titles() const
    {
        QStringList list;
        for (const auto &c : VQSwatchCore::sharedCore()->allCollections())
            list << c->title();
        return list;
    }
    void put(const QString &name, const QByteArray &bytes)
    {
        QFile file(QDir(_folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString _folder, _library;
};

// What kind of entry a row puts into the shared folder.
enum class Entry { Library, Bytes, Folder };
struct FolderEntry {
    const char *name;
    Entry kind;
    const char *content; // a collection title for a library, else the bytes
};

struct PassRow {
    const char *name;
    bool enabled;
    const char *folder; // "share", "missing", or nullptr for none
    std::vector<FolderEntry> entries;
    QStringList titlesAfter;
    bool ownFileWritten;
    const char *logLine;
};

void PrintTo(const PassRow &row, std::ostream *os) { *os << row.name; }

class PassRules : public SyncTest, public ::testing::WithParamInterface<PassRow> {};

TEST_P(PassRules, MergesOnlyOtherComputersLibrariesAndWritesOnlyWhenItMay)
{
    const PassRow &row = GetParam();
    const QByteArray validLibrary = libraryWith({"Half"}, 900).toXML();
    std::uint64_t nextID = 500;
    for (const FolderEntry &entry : row.entries) {
        QString name = QString::fromLatin1(entry.name);
        if (name == "OWN")
            name = QFileInfo(ownFile()).fileName();
        switch (entry.kind) {
        case Entry::Library:
            put(name, libraryWith({QString::fromUtf8(entry.content)}, nextID++).toXML());
            break;
        case Entry::Bytes:
            put(name, qstrcmp(entry.content, "HALF") == 0 ? validLibrary.left(validLibrary.size() / 2)
                                                          : QByteArray(entry.content));
            break;
        case Entry::Folder:
            QDir(_folder).mkpath(name);
            break;
        }
    }
    const QStringList before = QDir(_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const QByteArray libraryBefore = [&] {
        QFile f(_library);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    configure(row.enabled, row.folder ? path(QString::fromLatin1(row.folder)) : QString());
    VQSwatchCore &core = shareCore();
    core.smudge(); // a library with unsaved changes: any save would show
    VQSynchronizationManager manager;

    EXPECT_EQ(titles(), row.titlesAfter);
    EXPECT_EQ(QFileInfo::exists(ownFile()), row.ownFileWritten);
    if (row.ownFileWritten) {
        EXPECT_EQ(titlesIn(ownFile()), row.titlesAfter);
        EXPECT_EQ(titlesIn(_library), row.titlesAfter) << "the library is saved after the pass";
        EXPECT_FALSE(manager.isSyncing());
    } else {
        QFile f(_library);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), libraryBefore) << "the library was saved";
        if (row.folder) {
            EXPECT_EQ(QDir(_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before)
                << "something was written into the folder";
        }
    }
    EXPECT_FALSE(QFileInfo::exists(path("missing")));
    if (row.logLine) {
        EXPECT_EQ(logCount(QString::fromUtf8(row.logLine)), 1) << row.logLine;
    }
}

const QStringList kLocal = {"Local"};

INSTANTIATE_TEST_SUITE_P(
    Rows, PassRules,
    ::testing::Values(
        PassRow{"disabled", false, "share", {{"laptop.vlb", Entry::Library, "Laptop"}}, kLocal, false, nullptr},
        PassRow{"no_folder", true, nullptr, {{"laptop.vlb", Entry::Library, "Laptop"}}, kLocal, false,
                "NULL URL for mobile documents."},
        PassRow{"folder_missing", true, "missing", {}, kLocal, false, nullptr},
        PassRow{"empty_folder", true, "share", {}, kLocal, true, nullptr},
        PassRow{"other_computer", true, "share", {{"laptop.vlb", Entry::Library, "Laptop"}}, {"Local", "Laptop"},
                true, "Coordinating reading."},
        PassRow{"own_file_skipped", true, "share", {{"OWN", Entry::Library, "Stale copy"}}, kLocal, true,
                "Skipping URL, as it's this computer-user combination."},
        PassRow{"other_extensions_ignored",
                true,
                "share",
                {{"laptop.plist", Entry::Library, "Plist"},
                 {"laptop.VLB", Entry::Library, "Upper"},
                 {"laptop.vlb.bak", Entry::Library, "Backup"}},
                kLocal,
                true,
                nullptr},
        PassRow{"sync_tool_leftovers_skipped",
                true,
                "share",
                {{".hidden.vlb", Entry::Library, "Hidden"},
                 {"~laptop.vlb", Entry::Library, "Temporary"},
                 {".syncthing.laptop.vlb.tmp", Entry::Library, "Partial"},
                 {"laptop.vlb.part", Entry::Library, "Part"},
                 {".laptop.vlb.lock", Entry::Bytes, ""},
                 {"folder.vlb", Entry::Folder, ""},
                 {"empty.vlb", Entry::Bytes, ""},
                 {"garbage.vlb", Entry::Bytes, "garbage \xff\xfe not a property list"},
                 {"half.vlb", Entry::Bytes, "HALF"},
                 {"laptop (conflicted copy 2026-01-01).vlb", Entry::Library, "Conflict"},
                 {"laptop.sync-conflict-20260101-101010-ABCDEFG.vlb", Entry::Library, "Conflict 2"},
                 {"laptop.vlb", Entry::Library, "Laptop"}},
                {"Local", "Conflict", "Conflict 2", "Laptop"},
                true,
                nullptr}),
    [](const ::testing::TestParamInfo<PassRow> &info) { return std::string(info.param.name); });

TEST_F(SyncTest, ForeignVersionsAreSkippedAndTheRestOfThePassGoesOn)
{
    put("a-number.vlb", libraryWith({"Number"}, 300, VQPlist::real(0.3)).toXML());
    put("b-future.vlb", libraryWith({"Future"}, 310, VQPlist::string("0.4")).toXML());
    put("c-laptop.vlb", libraryWith({"Laptop"}, 320).toXML());
    const VQSyncReport report = VQSynchronizationManager::synchronize(shareCore(), _folder, ownFile());
    EXPECT_EQ(titles(), (QStringList{"Local", "Laptop"}));
    ASSERT_EQ(report.skipped.size(), 2);
    EXPECT_TRUE(report.skipped[0].second.contains("version")) << report.skipped[0].second.toStdString();
    EXPECT_EQ(report.merged, QStringList{QDir(_folder).filePath("c-laptop.vlb")});
    EXPECT_TRUE(report.wroteOwnFile);
}

TEST_F(SyncTest, OwnFileIsNamedAfterTheUserAndTheComputer)
{
    const QString desk = ownFile();
    EXPECT_TRUE(desk.endsWith(VQString::MD5Digest("desk") + ".vlb")) << desk.toStdString();
    EXPECT_EQ(QFileInfo(desk).absolutePath(), _folder);
    EXPECT_EQ(ownFile(), desk);
    qputenv(VQHardwareInfo::overrideVariable, "laptop");
    EXPECT_NE(ownFile(), desk);
    EXPECT_TRUE(VQSynchronizationManager::ownFilePath(QString()).isEmpty());
}

TEST_F(SyncTest, AComputerWithoutIdentityMergesButWritesNoFileThatAnotherCouldShare)
{
    qunsetenv(VQHardwareInfo::overrideVariable);
    auto &info = VQHardwareInfo::sharedHardwareInfo();
    const QStringList files = info.identityFiles();
    info.setIdentityFiles({});
    info.setHostNameOverride(" ");
    put("laptop.vlb", libraryWith({"Laptop"}, 300).toXML());
    const VQSyncReport report = VQSynchronizationManager::synchronize(shareCore(), _folder, ownFile());
    info.setIdentityFiles(files);
    info.setHostNameOverride(QString());

    EXPECT_TRUE(report.ownFile.isEmpty());
    EXPECT_FALSE(report.wroteOwnFile);
    EXPECT_EQ(titles(), (QStringList{"Local", "Laptop"}));
    EXPECT_EQ(QDir(_folder).entryList(QDir::Files), QStringList{"laptop.vlb"});
}

TEST_F(SyncTest, PassesRunOnTheirNotificationsAndNeverInsideAnother)
{
    configure(true, _folder);
    put("laptop.vlb", libraryWith({"Laptop"}, 300).toXML());
    shareCore();
    const QString passLine = "Syncing with shared folder files.";

    // During the merge, ask for more passes the ways the program would.
    bool nestedSawSyncing = false;
    VQSynchronizationManager *current = nullptr;
    VQObserverToken nested(VQNotificationCenter::defaultCenter().addObserver(
        VQSwatchCoreDidFinishSynchronizationNotification, nullptr, [&](const VQNotification &) {
            if (!current)
                return;
            nestedSawSyncing = current->isSyncing();
            current->sync();
            VQNotificationCenter::defaultCenter().post(VQApplicationDidFinishLaunchingNotification);
        }));

    VQSynchronizationManager manager; // a pass at creation; its save posts the save notification
    current = &manager;
    EXPECT_EQ(logCount(passLine), 1);

    struct Trigger {
        const char *notification;
        int passesAfter;
    };
    for (const Trigger &t : {Trigger{VQVellicoCoreDidSaveNotification, 2},
                             Trigger{VQApplicationDidFinishLaunchingNotification, 3},
                             Trigger{VQApplicationWillTerminateNotification, 4},
                             Trigger{VQCollectionsWereReorganizedNotification, 4}}) {
        SCOPED_TRACE(t.notification);
        VQNotificationCenter::defaultCenter().post(t.notification);
        EXPECT_EQ(logCount(passLine), t.passesAfter);
    }
    EXPECT_TRUE(nestedSawSyncing);
    EXPECT_FALSE(manager.isSyncing());

    configure(false, _folder);
    VQNotificationCenter::defaultCenter().post(VQVellicoCoreDidSaveNotification);
    EXPECT_EQ(logCount(passLine), 4) << "switching off takes effect at the next pass";
}

TEST_F(SyncTest, ReadersWaitForTheWriterAndTheWriterForReaders)
{
    const QString target = QDir(_folder).filePath("laptop.vlb");
    put("laptop.vlb", "old");
    EXPECT_EQ(VQFileLock::lockFilePath(target), QDir(_folder).filePath(".laptop.vlb.lock"));
    EXPECT_FALSE(VQSynchronizationManager::isLibraryFileName(QFileInfo(VQFileLock::lockFilePath(target)).fileName()));

    struct Row {
        const char *name;
        VQFileLock::Mode held;
        bool waiterWrites;
    };
    for (const Row &row : {Row{"reader waits for a writer", VQFileLock::Mode::Exclusive, false},
                           Row{"writer waits for a reader", VQFileLock::Mode::Shared, true}}) {
        SCOPED_TRACE(row.name);
        auto held = std::make_unique<VQFileLock>(target, row.held, 1000);
        ASSERT_TRUE(held->isAcquired()) << held->error().toStdString();
        std::atomic<bool> entered{false};
        QByteArray seen;
        bool ok = false;
        std::thread waiter([&] {
            if (row.waiterWrites) {
                ok = VQFileCoordinator::coordinateWriting(target, [&](QString *error) {
                    entered = true;
                    return VQWriteFileAtomically(target, "from the waiter", error);
                });
            } else {
                ok = VQFileCoordinator::readFile(target, &seen);
                entered = true;
            }
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_FALSE(entered) << "went ahead while the lock was held";
        if (!row.waiterWrites) {
            ASSERT_TRUE(VQWriteFileAtomically(target, "new")); // the holder's write
        }
        held.reset();
        waiter.join();
        EXPECT_TRUE(ok);
        if (!row.waiterWrites) {
            EXPECT_EQ(seen, QByteArray("new"));
        }
    }
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("from the waiter"));
}

TEST_F(SyncTest, ASaveWaitsForAnotherWritersLockAndKeepsBothChanges)
{
    auto core = VQSwatchCore::openDetached(_library, nullptr);
    ASSERT_TRUE(core);
    core->addCollection(VQSwatchCollection::create(QStringLiteral("Mine")));
    // Another process is replacing the library under its lock.
    auto held = std::make_unique<VQFileLock>(_library, VQFileLock::Mode::Exclusive, 1000);
    ASSERT_TRUE(held->isAcquired());
    bool saved = false;
    std::thread saver([&] { saved = core->save(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(libraryWith({"Theirs"}, 200).writeXMLFileAtomically(_library));
    held.reset();
    saver.join();
    EXPECT_TRUE(saved);
    // Had the save not waited, their file would have replaced ours and "Mine" would be gone.
    auto reread = VQSwatchCore::openDetached(_library, nullptr);
    ASSERT_TRUE(reread);
    QStringList titles;
    for (const auto &collection : reread->allCollections())
        titles << collection->title();
    titles.sort();
    EXPECT_EQ(titles, (QStringList{"Local", "Mine", "Theirs"}));
}

TEST_F(SyncTest, AReaderGivesUpOnALockHeldTooLong)
{
    const QString target = QDir(_folder).filePath("laptop.vlb");
    put("laptop.vlb", "content");
    VQFileLock held(target, VQFileLock::Mode::Exclusive, 1000);
    ASSERT_TRUE(held.isAcquired());
    QByteArray bytes;
    QString error;
    EXPECT_FALSE(VQFileCoordinator::readFile(target, &bytes, &error, 100));
    EXPECT_TRUE(error.contains("timed out")) << error.toStdString();
    EXPECT_TRUE(bytes.isEmpty());
}

} // namespace
