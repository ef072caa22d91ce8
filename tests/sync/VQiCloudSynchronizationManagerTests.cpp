// One synchronisation pass: which files of the shared folder are merged, which
// are skipped, when the own file and the library are written, and when passes run.

#include "VQTestSupport.h"

#include "core/sync/VQFileCoordinator.h"
#include "vqcore/VQFileAccess.h"
#include "vqcore/VQHardwareInfo.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQStringExtensions.h"
#include "core/VQSwatchCore.h"
#include "core/sync/VQiCloudSynchronizationManager.h"
#include "vqcore/VQUserDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QCryptographicHash>
#include <QDeadlineTimer>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

std::vector<QString> gLog;

VQPlist libraryWith(const QStringList &titles, std::uint64_t firstID, VQPlist version = VQPlist::string("0.3"))
{
    VQPlist contents = VQPlist::array();
    for (const QString &title : titles) {
        auto collection = VQSwatchCollection::create(title, {VQColor::makeRGB(0.25, 0.5, 0.75)});
        collection->setCreationDate(firstID++);
        contents.append(collection->dictionaryRepresentation());
    }
    VQPlist root = VQPlist::dictionary();
    root.set(VQLibraryVersion, std::move(version));
    root.set(VQLibraryContent, std::move(contents));
    return root;
}

class SyncTest : public VQLibraryTest
{
  protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        qputenv(VQHardwareInfo::overrideVariable, "desk");
        VQDebugLog::setLoggingEnabled(true);
        gLog.clear();
        VQDebugLog::setSink([](const QString &line) { gLog.push_back(line); });
        _folder = path("share");
        _library = path("lib.vlb");
        QDir().mkpath(_folder);
        ASSERT_TRUE(libraryWith({"Local"}, 100).writeXMLFileAtomically(_library));
    }
    void TearDown() override
    {
        VQDebugLog::setSink(nullptr);
        qunsetenv(VQHardwareInfo::overrideVariable);
        VQLibraryTest::TearDown();
    }

    void configure(bool enabled, const QString &folder)
    {
        VQUserDefaults::standard().setBool(VQSynchronizeWithiCloudDefaultsKey, enabled);
        VQUserDefaults::standard().setString(VQSyncFolderPathDefaultsKey, folder);
    }
    // A shared core without timer or observers, so that only the manager acts.
    VQSwatchCore &shareCore() { return share(VQOpenDetachedLibrary(_library)); }
    QString ownFile() const { return VQiCloudSynchronizationManager::ownFilePath(_folder); }
    QString inFolder(const QString &name) const { return QDir(_folder).filePath(name); }
    void put(const QString &name, const QByteArray &bytes) { ASSERT_TRUE(VQWriteAll(inFolder(name), bytes)); }
    int passes() const
    {
        return int(std::count_if(gLog.begin(), gLog.end(),
                                 [](const QString &line) { return line.endsWith("Syncing with iCloud files."); }));
    }

    QString _folder, _library;
};

// What a row puts into the shared folder: a library at version 0.3, 0.4 or the
// number 0.3 (its content is the collection's title), raw bytes, or a folder.
enum class Entry { Library, NextVersion, NumberVersion, Bytes, Folder };
struct FolderEntry {
    const char *name; // "OWN": this computer's own file
    Entry kind;
    const char *content;
};

struct PassRow {
    const char *name;
    bool enabled;
    const char *folder; // "share", "missing", or nullptr for none
    std::vector<FolderEntry> entries;
    QStringList titlesAfter;
    bool passes; // merges, writes the own file and saves the library
};

void PrintTo(const PassRow &row, std::ostream *os)
{
    *os << row.name;
}

class PassRules : public SyncTest, public ::testing::WithParamInterface<PassRow>
{
};

TEST_P(PassRules, MergesOnlyOtherComputersLibrariesAndWritesOnlyWhenItMay)
{
    const PassRow &row = GetParam();
    const QByteArray half = libraryWith({"Half"}, 900).toXML();
    std::uint64_t nextID = 500;
    for (const auto &[name, kind, content] : row.entries) {
        const QString file = qstrcmp(name, "OWN") == 0 ? QFileInfo(ownFile()).fileName() : QString(name);
        if (kind == Entry::Folder) {
            QDir(_folder).mkpath(file);
        } else if (kind == Entry::Bytes) {
            put(file, qstrcmp(content, "HALF") == 0 ? half.left(half.size() / 2) : QByteArray(content));
        } else {
            const char *version = kind == Entry::NextVersion ? "0.4" : "0.3";
            put(file, libraryWith({content}, nextID++,
                                  kind == Entry::NumberVersion ? VQPlist::real(0.3) : VQPlist::string(version))
                          .toXML());
        }
    }
    const auto listing = [&] {
        return QDir(_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    const QStringList before = listing();
    const QByteArray libraryBefore = VQReadAll(_library);

    configure(row.enabled, row.folder ? path(row.folder) : QString());
    VQSwatchCore &core = shareCore();
    core.smudge(); // a library with unsaved changes: any save would show
    VQiCloudSynchronizationManager manager(core);

    EXPECT_EQ(VQCollectionTitles(&core), row.titlesAfter);
    if (row.passes) {
        EXPECT_EQ(VQCollectionTitles(ownFile()), row.titlesAfter);
        EXPECT_EQ(VQCollectionTitles(_library), row.titlesAfter) << "the library is saved after the pass";
    } else {
        EXPECT_EQ(VQReadAll(_library), libraryBefore) << "the library was saved";
        EXPECT_EQ(listing(), before) << "something was written into the folder";
        EXPECT_FALSE(QFileInfo::exists(path("missing")));
    }
}

const QStringList kLocal = {"Local"};

INSTANTIATE_TEST_SUITE_P(
    Rows, PassRules,
    ::testing::Values(PassRow{"disabled", false, "share", {{"laptop.vlb", Entry::Library, "Laptop"}}, kLocal, false},
                      PassRow{"no_folder", true, nullptr, {{"laptop.vlb", Entry::Library, "Laptop"}}, kLocal, false},
                      PassRow{"folder_missing", true, "missing", {}, kLocal, false},
                      // Everything but other computers' libraries of this version is left out,
                      // and a file that is left out does not stop the pass.
                      PassRow{"only_other_computers_libraries",
                              true,
                              "share",
                              {{"OWN", Entry::Library, "Stale own copy"},
                               {"a-number.vlb", Entry::NumberVersion, "Number version"},
                               {"b-future.vlb", Entry::NextVersion, "Future version"},
                               {"laptop.plist", Entry::Library, "Plist"},
                               {"laptop.VLB", Entry::Library, "Upper"},
                               {"laptop.vlb.bak", Entry::Library, "Backup"},
                               {".hidden.vlb", Entry::Library, "Hidden"},
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
                              true}),
    [](const ::testing::TestParamInfo<PassRow> &info) { return std::string(info.param.name); });

// Everything below `root` that a pass might touch: each name, what it is, and
// a digest of a regular file's contents.
QStringList snapshot(const QString &root)
{
    QStringList entries;
    std::error_code error;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root.toStdString(), error)) {
        const QString name = QString::fromStdString(entry.path().string());
        const VQEntry what = VQEntryAt(name);
        entries << name + ": " + what.description +
                       (what.type == VQEntry::Type::Regular
                            ? " " + QString::fromLatin1(
                                        QCryptographicHash::hash(VQReadAll(name), QCryptographicHash::Md5).toHex())
                            : "");
    }
    entries.sort();
    return entries;
}

// Someone else who may write in the folder puts links, pipes, folders and
// huge files there. Each row's pass still merges the other computer's
// library and writes our own file in the folder, says what it skipped and
// why, and reads and writes nothing outside the folder.
TEST_F(SyncTest, WhatOthersPutInTheFolderIsSkippedAndNothingOutsideIsReadOrWritten)
{
    // The user's own files elsewhere.
    const QString mine = path("private");
    QDir().mkpath(mine + "/autostart");
    ASSERT_TRUE(VQWriteAll(mine + "/bashrc", "keep me"));
    ASSERT_TRUE(libraryWith({"Secret"}, 700).writeXMLFileAtomically(mine + "/secret.vlb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(mine + "/pipe").constData(), 0600), 0);

    const QString own = QFileInfo(ownFile()).fileName();
    const auto link = [&](const QString &name, const QString &target) {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(inFolder(name)).constData()), 0);
    };
    struct Row {
        const char *name;
        std::function<void()> make;
        QString skipped; // the name reported, in the folder; empty: nothing is skipped
        QString reason;
    };
    const std::vector<Row> rows = {
        {"a library that links to the user's private library", [&] { link("secret.vlb", mine + "/secret.vlb"); },
         "secret.vlb", "a symbolic link, not a file"},
        {"our own name links to a file of the user's", [&] { link(own, mine + "/bashrc"); }, own,
         "a symbolic link, not a file of ours: set aside as " + own + " (set aside "},
        {"our own name is a folder", [&] { QDir(_folder).mkpath(own + "/inside"); }, own,
         "a folder, not a file of ours: set aside as"},
        // Lock files of earlier versions beside the files are not ours to open.
        {"the old lock file of our own name links to where a file could be made",
         [&] { link("." + own + ".lock", mine + "/autostart/made.desktop"); },
         {},
         {}},
        {"another library's old lock file links to where a file could be made",
         [&] { link(".laptop.vlb.lock", mine + "/autostart/made.desktop"); },
         {},
         {}},
        {"a link to a named pipe", [&] { link("pipe.vlb", mine + "/pipe"); }, "pipe.vlb",
         "a symbolic link, not a file"},
        {"a named pipe", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(inFolder("pipe.vlb")).constData(), 0600), 0); },
         "pipe.vlb", "a named pipe, not a file"},
        {"a link to /dev/zero", [&] { link("zero.vlb", "/dev/zero"); }, "zero.vlb", "a symbolic link, not a file"},
        {"a link to /proc/self/pagemap", [&] { link("map.vlb", "/proc/self/pagemap"); }, "map.vlb",
         "a symbolic link, not a file"},
        {"a sparse file of 6 GB",
         [&] {
             put("huge.vlb", "bplist00");
             ASSERT_EQ(::truncate(QFile::encodeName(inFolder("huge.vlb")).constData(), off_t(6) << 30), 0);
         },
         "huge.vlb", "6 GB, more than the 256 MB allowed"},
        {"180 KB that would take 2 GB: one string referred to 20,000 times",
         [&] { put("shared.vlb", VQSharedStringPlist(100000, 20000)); }, "shared.vlb",
         "would take more than 256 MB once read"},
        // Held once, a 1 GB library once kept, and one that no computer could read again.
        {"1 MB that would take 6 GB: one name referred to 1,000 times",
         [&] { put("name.vlb", VQSharedStringPlist(1000000, 1000)); }, "name.vlb",
         "would take more than 256 MB once read"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(_folder.toStdString());
        QDir().mkpath(_folder);
        put("laptop.vlb", libraryWith({"Laptop"}, 300).toXML());
        row.make();
        const QStringList outside = snapshot(mine);
        gLog.clear();

        VQSwatchCore &core = shareCore();
        const VQSyncReport report = VQiCloudSynchronizationManager::synchronize(core, _folder, ownFile());

        const QStringList merged = {"Local", "Laptop"};
        EXPECT_EQ(VQCollectionTitles(&core), merged);
        EXPECT_TRUE(report.wroteOwnFile) << report.writeError.toStdString();
        EXPECT_EQ(VQEntryAt(ownFile()).type, VQEntry::Type::Regular);
        EXPECT_EQ(VQCollectionTitles(ownFile()), merged);
        EXPECT_EQ(snapshot(mine), outside) << "a file outside the folder was read into ours, made or changed";

        if (row.skipped.isEmpty()) {
            EXPECT_TRUE(report.skipped.isEmpty());
            continue;
        }
        const QString skipped = inFolder(row.skipped);
        const auto said = std::find_if(report.skipped.begin(), report.skipped.end(), [&](const auto &entry) {
            return entry.first == skipped && entry.second.contains(row.reason);
        });
        EXPECT_NE(said, report.skipped.end()) << "no skipped entry for " << skipped.toStdString();
        if (said != report.skipped.end()) {
            EXPECT_TRUE(std::any_of(gLog.begin(), gLog.end(), [&](const QString &line) {
                return line.contains(skipped + ": " + said->second);
            })) << "the log does not say it";
        }
    }
}

TEST_F(SyncTest, OwnFileIsNamedAfterTheUserAndTheComputerAndNeedsAnIdentity)
{
    EXPECT_EQ(QFileInfo(ownFile()).absolutePath(), _folder);
    EXPECT_TRUE(ownFile().endsWith(VQString::MD5Digest("desk") + ".vlb")) << ownFile().toStdString();

    // Two computers without an identity would share one file: merge, but write none.
    qunsetenv(VQHardwareInfo::overrideVariable);
    auto &info = VQHardwareInfo::sharedHardwareInfo();
    const QStringList files = info.identityFiles();
    info.setIdentityFiles({});
    info.setHostNameOverride(" ");
    put("laptop.vlb", libraryWith({"Laptop"}, 300).toXML());
    const VQSyncReport report = VQiCloudSynchronizationManager::synchronize(shareCore(), _folder, ownFile());
    info.setIdentityFiles(files);
    info.setHostNameOverride(QString());

    EXPECT_FALSE(report.wroteOwnFile);
    EXPECT_EQ(VQCollectionTitles(VQSwatchCore::sharedCore()), (QStringList{"Local", "Laptop"}));
    EXPECT_EQ(QDir(_folder).entryList(QDir::Files), QStringList{"laptop.vlb"});
}

TEST_F(SyncTest, PassesRunOnTheirNotificationsAndNeverInsideAnother)
{
    configure(true, _folder);
    put("laptop.vlb", libraryWith({"Laptop"}, 300).toXML());
    VQSwatchCore &core = shareCore();

    // During the merge, ask for more passes the ways the program would.
    bool nestedSawSyncing = false;
    VQiCloudSynchronizationManager *current = nullptr;
    VQObserverToken nested(VQNotificationCenter::defaultCenter().addObserver(
        VQSwatchCoreDidFinishSynchronizationNotification, nullptr, [&](const VQNotification &) {
            if (!current)
                return;
            nestedSawSyncing = current->isSyncing();
            current->sync();
            VQNotificationCenter::defaultCenter().post(VQApplicationDidFinishLaunchingNotification);
        }));

    VQiCloudSynchronizationManager manager(core); // a pass at creation; its save posts the save notification
    current = &manager;
    EXPECT_EQ(passes(), 1);
    for (const auto &[notification, passesAfter] :
         std::initializer_list<std::pair<const char *, int>>{{VQVellicoCoreDidSaveNotification, 2},
                                                             {VQApplicationDidFinishLaunchingNotification, 3},
                                                             {VQApplicationWillTerminateNotification, 4},
                                                             {VQCollectionsWereReorganizedNotification, 4}}) {
        SCOPED_TRACE(notification);
        VQNotificationCenter::defaultCenter().post(notification);
        EXPECT_EQ(passes(), passesAfter);
    }
    EXPECT_TRUE(nestedSawSyncing);

    configure(false, _folder);
    VQNotificationCenter::defaultCenter().post(VQVellicoCoreDidSaveNotification);
    EXPECT_EQ(passes(), 4) << "switching off takes effect at the next pass";
}

TEST_F(SyncTest, TheUserHearsOfEachFileInTheWayOnceNotAtEveryPass)
{
    configure(true, _folder);
    ASSERT_EQ(::mkfifo(QFile::encodeName(inFolder("pipe.vlb")).constData(), 0600), 0);
    VQSwatchCore &core = shareCore();
    QStringList notices;
    VQObserverToken told(VQNotificationCenter::defaultCenter().addObserver(
        VQSwatchCoreNoticeNotification, nullptr, [&](const VQNotification &notification) {
            notices << static_cast<const VQSwatchCore *>(notification.object)->notice();
        }));

    VQiCloudSynchronizationManager manager(core); // the first pass
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith("Skipped pipe.vlb in the sync folder: ")) << notices[0].toStdString();
    VQNotificationCenter::defaultCenter().post(VQVellicoCoreDidSaveNotification);
    EXPECT_EQ(passes(), 2);
    EXPECT_EQ(notices.size(), 1) << "the same file again is not told again";

    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(inFolder("zero.vlb")).constData()), 0);
    VQNotificationCenter::defaultCenter().post(VQVellicoCoreDidSaveNotification);
    ASSERT_EQ(notices.size(), 2);
    EXPECT_TRUE(notices[1].startsWith("Skipped zero.vlb in the sync folder: ")) << notices[1].toStdString();
    EXPECT_FALSE(notices[1].contains("pipe.vlb"));
}

// How many of this process's open files are `path`.
int openCount(const QString &path)
{
    int count = 0;
    std::error_code error;
    for (const auto &fd : std::filesystem::directory_iterator("/proc/self/fd", error))
        count += std::filesystem::read_symlink(fd.path(), error) == path.toStdString();
    return count;
}

// Holds the lock on `target` while `waiter` runs on another thread and, once the
// waiter has reached the lock file (or finished without it), runs `whileHeld`.
// Whether the waiter was done before the lock was let go.
bool wentAheadOfTheLock(
    const QString &target, const std::function<void()> &waiter, const std::function<void()> &whileHeld = [] {})
{
    auto held = std::make_unique<VQFileLock>(target, 1000);
    EXPECT_TRUE(held->isAcquired()) << held->error().toStdString();
    std::atomic<bool> done{false};
    std::thread thread([&] {
        waiter();
        done = true;
    });
    const QString lockFile = QFileInfo(VQFileLock::lockFilePath(target)).canonicalFilePath();
    const QDeadlineTimer deadline(10000);
    while (!done && openCount(lockFile) < 2 && !deadline.hasExpired())
        std::this_thread::yield();
    const bool early = done;
    whileHeld();
    held.reset();
    thread.join();
    return early;
}

// Every process of this user takes the same lock for a file, however it names
// the file; the lock lives in the user's runtime folder, which nobody else may
// enter, and nothing is made beside the file.
TEST_F(SyncTest, WritersOfThisUserTakeTurnsThroughALockOnlyTheyCanOpen)
{
    const QString target = inFolder("laptop.vlb");
    put("laptop.vlb", "old");
    ASSERT_TRUE(QFile::link(_folder, path("linked-share")));
    const QStringList before = QDir(_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    bool written = false;
    EXPECT_FALSE(wentAheadOfTheLock(target, [&] {
        written = VQFileCoordinator::coordinateWriting(
            target, [&](QString *error) { return VQWriteFileAtomically(target, "from the writer", error); });
    })) << "the writer did not wait";
    EXPECT_TRUE(written);
    EXPECT_EQ(VQReadAll(target), "from the writer");

    const VQFileLock held(target, 1000);
    ASSERT_TRUE(held.isAcquired()) << held.error().toStdString();
    struct Row {
        const char *name;
        QString path;
        bool waits;
    };
    const Row rows[] = {
        {"the same path", target, true},
        {"through a link to its folder", path("linked-share/laptop.vlb"), true},
        {"with a detour", _folder + "/../share/./laptop.vlb", true},
        {"another file in the folder", inFolder("desk.vlb"), false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQFileLock second(row.path, 100);
        EXPECT_EQ(second.isAcquired(), !row.waits);
        EXPECT_EQ(second.error().contains("timed out"), row.waits) << second.error().toStdString();
    }

    const QString lockFile = VQFileLock::lockFilePath(target);
    EXPECT_TRUE(lockFile.startsWith(path("runtime/vellico-locks/"))) << lockFile.toStdString();
    for (const QString &own : {lockFile, QFileInfo(lockFile).absolutePath()}) {
        struct stat st {
        };
        ASSERT_EQ(::lstat(QFile::encodeName(own).constData(), &st), 0);
        EXPECT_EQ(st.st_uid, ::geteuid());
        EXPECT_EQ(st.st_mode & 077, 0u) << own.toStdString() << " is open to others";
    }
    EXPECT_EQ(QDir(_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

// Anyone who may read the folder can open the ".NAME.lock" files that earlier
// versions made beside each file and hold flock(2) on them (a read-only
// descriptor will do): no pass or write of ours waits for them.
TEST_F(SyncTest, LocksOthersHoldOnTheOldLockFilesHoldUpNothing)
{
    put("laptop.vlb", libraryWith({"Laptop"}, 300).toXML());
    std::vector<int> held;
    for (const QString &old : {inFolder("." + QFileInfo(ownFile()).fileName() + ".lock"), inFolder(".laptop.vlb.lock"),
                               path(".lib.vlb.lock")}) {
        held.push_back(::open(QFile::encodeName(old).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644));
        ASSERT_GE(held.back(), 0);
        ASSERT_EQ(::flock(held.back(), LOCK_EX | LOCK_NB), 0);
    }

    const VQSyncReport report = VQiCloudSynchronizationManager::synchronize(shareCore(), _folder, ownFile());
    EXPECT_TRUE(report.wroteOwnFile) << report.writeError.toStdString();
    EXPECT_EQ(report.merged, QStringList{inFolder("laptop.vlb")});
    EXPECT_EQ(VQCollectionTitles(ownFile()), (QStringList{"Local", "Laptop"}));
    QString error;
    EXPECT_TRUE(VQFileCoordinator::coordinateWriting(
        _library, [&](QString *writeError) { return VQWriteFileAtomically(_library, "ours", writeError); }, &error,
        100))
        << error.toStdString();
    for (const int fd : held)
        ::close(fd);
}

// Others' files are read without a lock: one that changes while it is read, or
// does not parse, is read once more and else left for this pass, never an error
// of the pass, never set aside.
TEST_F(SyncTest, AFileChangingWhileItIsReadIsReadAgainOrLeftForThisPass)
{
    const QString target = inFolder("laptop.vlb");
    enum Turn { Whole, Replaced, Half };
    struct Row {
        const char *name;
        std::vector<Turn> turns; // what each read finds
        bool read;
        const char *error;
    };
    const Row rows[] = {
        {"whole at once", {Whole}, true, ""},
        {"replaced during the first read", {Replaced, Whole}, true, ""},
        {"half-written at the first read", {Half, Whole}, true, ""},
        {"replaced during both reads", {Replaced, Replaced}, false, "it changed while it was read"},
        {"half-written at both reads", {Half, Half}, false, "half a library"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        put("laptop.vlb", "version 0");
        std::size_t reads = 0;
        QByteArray used;
        QString error;
        const bool read = VQFileCoordinator::readWithoutLock(
            target, VQLinks::Refuse,
            [&](const QByteArray &bytes, QString *problem) {
                const Turn turn = row.turns.at(reads++);
                // A sync tool's rename, as the bytes were being read.
                const bool replaced =
                    turn != Replaced || VQWriteFileAtomically(target, "version " + QByteArray::number(int(reads)));
                EXPECT_TRUE(replaced);
                if (turn == Half)
                    *problem = "half a library";
                used = bytes;
                return turn != Half;
            },
            &error);
        EXPECT_EQ(read, row.read);
        EXPECT_EQ(reads, row.turns.size());
        EXPECT_EQ(error.toStdString(), row.error);
        EXPECT_EQ(read ? used : VQReadAll(target), VQReadAll(target)) << "the bytes used are the file as it is now";
        EXPECT_EQ(VQEntryAt(target).type, VQEntry::Type::Regular);
    }
}

TEST_F(SyncTest, ASaveWaitsForAnotherWritersLockAndKeepsBothChanges)
{
    auto core = VQOpenDetachedLibrary(_library);
    ASSERT_TRUE(core);
    core->addCollection(VQSwatchCollection::create(QStringLiteral("Mine")));
    // Another process is replacing the library under its lock.
    bool saved = false, theirs = false;
    EXPECT_FALSE(wentAheadOfTheLock(
        _library, [&] { saved = core->save(); },
        [&] { theirs = libraryWith({"Theirs"}, 200).writeXMLFileAtomically(_library); }))
        << "the save did not wait";
    EXPECT_TRUE(saved && theirs);
    // Had the save not waited, their file would have replaced ours and "Mine" would be gone.
    QStringList titles = VQCollectionTitles(_library);
    titles.sort();
    EXPECT_EQ(titles, (QStringList{"Local", "Mine", "Theirs"}));
}

} // namespace
