// The shell under the offscreen platform: start-up, the tray icon and its
// menu, and every way of quitting announcing the end exactly once.

#include "VQTestSupport.h"

#include "VQNotificationCenter.h"
#include "VQSwatchCore.h"
#include "VQTermination.h"
#include "VQVellicoAppDelegate.h"
#include "VQVellicoApplication.h"

#include "../parsers/VQSwatchBytes.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include <csignal>

namespace {

class VQVellicoApplicationTest : public VQLibraryTest {
protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        // CTest sets it; this keeps a direct run of the executable working.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        _willTerminate = VQObserverToken(VQNotificationCenter::defaultCenter().addObserver(
            QString::fromLatin1(VQApplicationWillTerminateNotification), nullptr,
            [this](const VQNotification &) { ++_willTerminateCount; }));
    }

    void TearDown() override
    {
        _willTerminate.reset();
        VQLibraryTest::TearDown();
    }

    std::unique_ptr<VQVellicoApplication> makeApplication()
    {
        static int argc = 1;
        static char name[] = "vellico";
        static char *argv[] = {name, nullptr};
        auto app = std::make_unique<VQVellicoApplication>(argc, argv);
        // The application installs the real dialogs and a handler that exits;
        // a test must neither block on a dialog nor end quietly.
        VQModalUI::install(std::make_unique<VQScriptedModalUI>());
        VQTermination::setHandler(VQTermination::throwingHandler());
        return app;
    }

    // Runs the event loop with a watchdog; returns exec()'s status, or -1 when
    // the loop had to be stopped by the watchdog.
    static int runEventLoop(VQVellicoApplication &app)
    {
        bool timedOut = false;
        QTimer::singleShot(5000, &app, [&] {
            timedOut = true;
            app.exit(99);
        });
        const int status = app.exec();
        return timedOut ? -1 : status;
    }

    int _willTerminateCount = 0;
    VQObserverToken _willTerminate;
};

TEST_F(VQVellicoApplicationTest, StartUpLoadsTheDefaultLibraryAndInstallsTheTrayIcon)
{
    auto app = makeApplication();
    EXPECT_FALSE(app->quitOnLastWindowClosed());
    EXPECT_EQ(app->organizationName(), "Vellico");
    EXPECT_EQ(app->applicationName(), "Vellico");

    ASSERT_NE(VQSwatchCore::sharedCore(), nullptr);
    EXPECT_EQ(VQSwatchCore::sharedCore()->URL(), path(".local/share/Vellico/Vellico Library.vlb"));

    ASSERT_NE(app->delegate(), nullptr);
    EXPECT_EQ(VQVellicoAppDelegate::sharedDelegate(), app->delegate());
    QSystemTrayIcon *item = app->delegate()->statusItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->toolTip(), "Vellico");
    EXPECT_FALSE(item->icon().isNull());
    ASSERT_NE(item->contextMenu(), nullptr);
    const QList<QAction *> actions = item->contextMenu()->actions();
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions.first()->text(), "Quit");
    EXPECT_EQ(_willTerminateCount, 0);
}

TEST_F(VQVellicoApplicationTest, TheImportCommandsAddToTheSharedLibrary)
{
    auto app = makeApplication();
    auto &ui = static_cast<VQScriptedModalUI &>(VQModalUI::shared());
    const QString file = path(QStringLiteral("warm.aco"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(aco::section1({{0, 65535, 0, 0, 0}}));
    out.close();

    ui.answerCancel().answerCancel().answerText(file);
    app->delegate()->importASE();
    app->delegate()->importCLR();
    app->delegate()->importACO();
    ASSERT_EQ(ui.openPanels().size(), 3u);
    EXPECT_EQ(ui.openPanels()[0].allowedExtensions, QStringList{"ase"});
    EXPECT_EQ(ui.openPanels()[1].allowedExtensions, QStringList{"clr"});
    EXPECT_EQ(ui.openPanels()[2].allowedExtensions, QStringList{"aco"});
    const std::vector<VQSwatchCollectionRef> collections = VQSwatchCore::sharedCore()->allCollections();
    ASSERT_FALSE(collections.empty());
    EXPECT_EQ(collections.back()->title(), "Imported from ACO");
    EXPECT_EQ(collections.back()->firstColor()->hexValue(), "#FF0000");
}

TEST_F(VQVellicoApplicationTest, QuitAnnouncesTheEndOnceAndRemovesTheTrayIcon)
{
    auto app = makeApplication();
    QTimer::singleShot(0, app.get(), &QCoreApplication::quit);
    EXPECT_EQ(runEventLoop(*app), 0);
    EXPECT_EQ(_willTerminateCount, 1);
    EXPECT_EQ(app->delegate()->statusItem(), nullptr);
}

class VQVellicoApplicationSignalTest : public VQVellicoApplicationTest,
                                       public ::testing::WithParamInterface<int> {};

TEST_P(VQVellicoApplicationSignalTest, SignalEndsTheEventLoopInOrder)
{
    auto app = makeApplication();
    const int signal = GetParam();
    // Without a handler the default action would end the test process.
    QTimer::singleShot(0, app.get(), [signal] { std::raise(signal); });
    EXPECT_EQ(runEventLoop(*app), 0);
    EXPECT_EQ(_willTerminateCount, 1);
    EXPECT_EQ(app->delegate()->statusItem(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(TerminationSignals, VQVellicoApplicationSignalTest, ::testing::Values(SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return std::string(info.param == SIGTERM ? "SIGTERM" : "SIGINT");
                         });

} // namespace
