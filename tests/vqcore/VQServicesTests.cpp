// The services under the library: notifications, blocks handed to the main
// thread, the clock, defaults, the debug log, the computer's identity,
// remembered folders and the user's answers.

#include "vqcore/VQClock.h"
#include "vqcore/VQDispatch.h"
#include "vqcore/VQHardwareInfo.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

#include "VQTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace
{
const QString kA = QStringLiteral("VQTestANotification");
} // namespace

class VQServicesTest : public VQLibraryTest
{
};

TEST(VQNotificationCenterTest, NameAndObjectFiltersInTheOrderObserversWereAdded)
{
    VQNotificationCenter center;
    int sender = 0, other = 0;
    using Heard = std::tuple<int, QString, const void *>;
    std::vector<Heard> heard;
    for (auto [id, name, object] :
         {Heard{1, kA, &sender}, Heard{2, kA, nullptr}, Heard{3, QStringLiteral("VQTestBNotification"), nullptr}})
        center.addObserver(name, object, [&heard, id = id](const VQNotification &note) {
            heard.emplace_back(id, note.name, note.object);
        });
    center.post(kA, &other);
    center.post(kA);
    center.post(kA, &sender);
    center.post(QStringLiteral("VQTestOtherNotification"), &sender);
    EXPECT_EQ(heard, std::vector<Heard>({{2, kA, &other}, {2, kA, nullptr}, {1, kA, &sender}, {2, kA, &sender}}));
}

TEST(VQNotificationCenterTest, ObserversChangedDuringDelivery)
{
    VQNotificationCenter center;
    int self = 0, later = 0, added = 0;
    VQNotificationCenter::Token selfToken = 0, laterToken = 0;
    // The first observer removes itself and the next one, and adds a new one.
    selfToken = center.addObserver(kA, nullptr, [&](const VQNotification &) {
        ++self;
        center.removeObserver(selfToken);
        center.removeObserver(laterToken);
        center.addObserver(kA, nullptr, [&](const VQNotification &) { ++added; });
    });
    laterToken = center.addObserver(kA, nullptr, [&](const VQNotification &) { ++later; });
    center.post(kA);
    center.post(kA);
    // Each is called at most once after removal; one added during delivery waits for the next post.
    EXPECT_EQ(std::make_tuple(self, later, added, center.observerCount(kA)), std::make_tuple(1, 0, 1, 1));
}

TEST(VQNotificationCenterTest, ObserverTokenRemovesAtEndOfScope)
{
    VQNotificationCenter center;
    int calls = 0;
    {
        VQObserverToken token(center.addObserver(kA, nullptr, [&](const VQNotification &) { ++calls; }), &center);
        VQObserverToken moved(std::move(token)); // the registration lives on in the new owner
        center.post(kA);
    }
    center.post(kA);
    EXPECT_EQ(calls, 1);
    VQObserverToken assigned(center.addObserver(kA, nullptr, [](const VQNotification &) {}), &center);
    assigned = VQObserverToken(); // assigning over a token removes its observer
    EXPECT_EQ(center.observerCount(kA), 0);
}

// What Escape and the close button of an alert's window answer.
TEST(VQModalUITest, TheCancellingButtonOfAnAlert)
{
    const struct {
        const char *name;
        QStringList buttons;
        int cancel;
    } rows[] = {
        {"remove: Cancel first", {"Cancel", "Remove"}, 0},
        {"merge: Cancel second", {"Merge", "Cancel"}, 1},
        {"a single button", {"OK"}, 0},
        {"no buttons: the single OK", {}, 0},
        {"no Cancel among several", {"Quit", "Overwrite"}, -1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VQAlertCancelButton({QStringLiteral("Sure?"), {}, row.buttons}), row.cancel);
    }
}

TEST(VQDispatchTest, BlocksRunOnceLaterOnTheMainThreadFromAnyThread)
{
    const std::thread::id mainId = std::this_thread::get_id();
    QElapsedTimer clock;
    clock.start();
    std::vector<std::string> runs; // touched on the main thread only
    qint64 lastRunAt = -1;
    std::atomic<int> offMain{0};
    auto block = [&](const std::string &name) -> VQBlock {
        return [&, name] {
            if (std::this_thread::get_id() != mainId)
                return void(++offMain);
            runs.push_back(name);
            lastRunAt = clock.elapsed();
        };
    };
    VQ_PERFORM_DELAYED_BLOCK(0.2, block("delayed"));
    VQ_PERFORM_BLOCK_ON_MAIN_THREAD_ASYNC(block("queued"));
    EXPECT_TRUE(runs.empty()); // never synchronously, even on the main thread
    std::thread worker([&] {
        VQ_PERFORM_BLOCK_ON_MAIN_THREAD_ASYNC(block("queued by a thread"));
        VQ_PERFORM_DELAYED_BLOCK(0.05, block("delayed by a thread"));
    });
    worker.join();
    // Until the last block has run (or ten seconds, for a stuck loop); then once more, so that none runs twice.
    while (runs.size() < 4 && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(offMain, 0);
    EXPECT_EQ(runs, (std::vector<std::string>{"queued", "queued by a thread", "delayed by a thread", "delayed"}));
    EXPECT_GE(lastRunAt, 190);
}

// The fixed clock's time in whole seconds, then one more each time it is asked again within that second.
TEST_F(VQServicesTest, UniqueTimestampsKeepIncreasing)
{
    VQUniqueTimestamp ids;
    struct Row {
        double clock;
        std::uint64_t next;
    } rows[] = {
        {1000.4, 1000}, {1000.4, 1001},
        {1000.4, 1002}, {1002.9, 1003}, // the clock has reached the last identifier but not passed it
        {1010.0, 1010}, {1010.0, 1011}, // once past it, the current second again
        {900.0, 1012},                  // a clock that goes back never brings back an identifier
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.clock);
        setTime(row.clock);
        EXPECT_EQ(ids.next(), row.next);
    }
    ids.reset();
    EXPECT_EQ(ids.next(), 900u);
    // Identifiers a library holds or has deleted are passed over.
    const auto taken = [](std::uint64_t id) { return id == 900 || id == 901 || id == 903; };
    EXPECT_EQ(ids.next(taken), 902u);
    EXPECT_EQ(ids.next(taken), 904u);
    // Colours and collections count separately.
    setTime(5000.0);
    EXPECT_EQ(VQUniqueTimestamp::colorIDs().next(), 5000u);
    EXPECT_EQ(VQUniqueTimestamp::collectionIDs().next(), 5000u);
}

TEST_F(VQServicesTest, DefaultsReadLenientlyAndAreWrittenUnderXDGConfigHome)
{
    const QString file = path(QStringLiteral("hand.conf"));
    VQWriteAll(file, "[General]\nyes=yes\ntrue=TRUE\none=1\nzero=0\nword=banana\nreal=2.75\nspaced= 12 \n");
    VQUserDefaults defaults(file);
    struct Row {
        const char *key;
        bool asBool;
        qint64 asInteger;
        double asDouble;
    } rows[] = {
        {"absent", false, 0, 0}, {"yes", true, 0, 0},   {"true", true, 1, 0},    {"one", true, 1, 1},
        {"zero", false, 0, 0},   {"word", false, 0, 0}, {"real", true, 2, 2.75}, {"spaced", true, 12, 12},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(defaults.boolForKey(QString::fromLatin1(row.key)), row.asBool);
        EXPECT_EQ(defaults.integerForKey(QString::fromLatin1(row.key)), row.asInteger);
        EXPECT_EQ(defaults.doubleForKey(QString::fromLatin1(row.key)), row.asDouble);
    }
    EXPECT_TRUE(defaults.stringForKey(QStringLiteral("absent")).isNull());

    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("elsewhere")).toUtf8());
    const QString written = path(QStringLiteral("elsewhere/Vellico/Vellico.conf"));
    EXPECT_EQ(VQUserDefaults::defaultFilePath(), written);
    VQUserDefaults::setStandardFilePath(VQUserDefaults::defaultFilePath());
    VQUserDefaults::standard().setInteger(QStringLiteral("VQBig"), -9007199254740993LL);
    VQUserDefaults::standard().setData(QStringLiteral("VQData"), QByteArray("\x00\x01\xFF", 3));
    VQUserDefaults::standard().synchronize();
    EXPECT_EQ(VQUserDefaults(written).integerForKey(QStringLiteral("VQBig")), -9007199254740993LL);
    EXPECT_EQ(VQUserDefaults(written).dataForKey(QStringLiteral("VQData")), QByteArray("\x00\x01\xFF", 3));
    // A relative setting is not a valid XDG folder: ~/.config instead.
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(VQUserDefaults::defaultFilePath(), QDir::homePath() + QStringLiteral("/.config/Vellico/Vellico.conf"));
}

TEST_F(VQServicesTest, DebugLogEvaluatesAndWritesMessagesOnlyWhenOn)
{
    int evaluations = 0;
    auto message = [&evaluations] {
        ++evaluations;
        return QStringLiteral("100%1 sure");
    };
    VQLog(message());
    EXPECT_EQ(evaluations, 0);
    EXPECT_FALSE(QFile::exists(VQDebugLog::logFilePath()));

    VQDebugLog::setLoggingEnabled(true);
    const int line = __LINE__ + 1;
    VQLog(message());
    VQDebugLog::setLoggingEnabled(false);
    EXPECT_EQ(evaluations, 1);
    EXPECT_EQ(VQDebugLog::logFilePath(), path(QStringLiteral(".local/state/Vellico/Vellico.log")));
    QFile file(VQDebugLog::logFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(file.readAll());
    EXPECT_EQ(written.count(QLatin1Char('\n')), 1) << written.toStdString();
    EXPECT_TRUE(written.endsWith(QStringLiteral("100%1 sure\n"))) << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("TestBody"))) << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("VQServicesTests.cpp:%1").arg(line))) << written.toStdString();
}

TEST_F(VQServicesTest, HardwareIdentityFromOverrideFilesOrHostName)
{
    VQHardwareInfo &info = VQHardwareInfo::sharedHardwareInfo();
    const QString first = path(QStringLiteral("etc-machine-id")), second = path(QStringLiteral("dbus-machine-id"));
    info.setIdentityFiles({first, second});
    info.setHostNameOverride(QStringLiteral("host-fallback"));
    struct Row {
        const char *name, *override, *first, *second, *expected; // nullptr: not set, no file
    } rows[] = {
        {"first file, trimmed", nullptr, "0123abcd\n", "ffff\n", "0123abcd"},
        {"second file when the first is missing", nullptr, nullptr, "  dbus-id \n", "dbus-id"},
        {"second file when the first is blank", nullptr, " \n\t", "dbus-id", "dbus-id"},
        {"host name when no file helps", nullptr, "", nullptr, "host-fallback"},
        {"override, trimmed", "  computer-b \n", "real-id", nullptr, "computer-b"},
        {"blank override", "   ", "real-id", nullptr, "real-id"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto &[file, content] : {std::pair(first, row.first), std::pair(second, row.second)})
            content ? void(VQWriteAll(file, content)) : void(QFile::remove(file));
        row.override ? qputenv(VQHardwareInfo::overrideVariable, row.override)
                     : qunsetenv(VQHardwareInfo::overrideVariable);
        EXPECT_EQ(info.identity(), QString::fromUtf8(row.expected));
    }
    info.setIdentityFiles(VQHardwareInfo::defaultIdentityFiles());
    info.setHostNameOverride(QString());
    qunsetenv(VQHardwareInfo::overrideVariable);
}
