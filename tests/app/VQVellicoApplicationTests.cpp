// The shell under the offscreen platform: start-up, the tray icon and its
// menu, and every way of quitting announcing the end exactly once.

#include "VQTestSupport.h"

#include "VQColor.h"
#include "VQCopyTemplate.h"
#include "VQInstanceChannel.h"
#include "VQNotificationCenter.h"
#include "VQPasteboard.h"
#include "VQUserDefaults.h"
#include "VQSwatchCore.h"
#include "VQSynchronizationManager.h"
#include "VQUserDefaults.h"
#include "VQTermination.h"
#include "VQVellicoAppDelegate.h"
#include "VQVellicoApplication.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include "../parsers/VQSwatchBytes.h"

#include <QFile>
#include <QIcon>
#include <QLineEdit>
#include <QImage>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include <csignal>
#include <thread>

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

    // Waits (with the event loop running) until `widget` has the focus.
    static bool waitForFocus(QApplication &app, QWidget &widget)
    {
        for (int i = 0; i < 200 && QApplication::focusWidget() != &widget; ++i) {
            app.processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return QApplication::focusWidget() == &widget;
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

TEST_F(VQVellicoApplicationTest, TheLibraryIsChosenWhenAskedForByArgumentOrAlt)
{
    struct Row {
        QStringList arguments;
        Qt::KeyboardModifiers held;
        bool chooses;
    };
    for (const Row &row : {Row{{"vellico"}, Qt::NoModifier, false},
                           Row{{"vellico", "--choose-library"}, Qt::NoModifier, true},
                           Row{{"vellico"}, Qt::AltModifier | Qt::ShiftModifier, true},
                           Row{{"vellico"}, Qt::ControlModifier, false},
                           Row{{"--choose-library"}, Qt::NoModifier, false}}) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        EXPECT_EQ(VQVellicoApplication::wantsLibraryChoice(row.arguments, row.held), row.chooses);
    }
}

TEST_F(VQVellicoApplicationTest, SynchronisesAtStartUpAfterLaunchingAndAtTheEnd)
{
    qputenv("VELLICO_MACHINE_ID", "desk");
    const QString folder = path("share");
    QDir().mkpath(folder);
    VQUserDefaults::standard().setBool(VQSynchronizeLibraryDefaultsKey, true);
    VQUserDefaults::standard().setString(VQSyncFolderPathDefaultsKey, folder);
    const QString own = VQSynchronizationManager::ownFilePath(folder);

    auto app = makeApplication();
    ASSERT_NE(VQSynchronizationManager::sharedManager(), nullptr);
    EXPECT_TRUE(QFileInfo::exists(own)) << "no pass at start-up";

    // A library that another computer writes meanwhile comes in at the end.
    auto laptop = VQSwatchCore::openDetached(own, nullptr);
    laptop->addCollection(VQSwatchCollection::create("From the laptop"));
    ASSERT_TRUE(laptop->writeToURL(QDir(folder).filePath("laptop.vlb")));

    QTimer::singleShot(0, app.get(), &QCoreApplication::quit);
    EXPECT_EQ(runEventLoop(*app), 0);
    qunsetenv("VELLICO_MACHINE_ID");
    auto mine = VQSwatchCore::openDetached(own, nullptr);
    ASSERT_NE(mine, nullptr);
    ASSERT_EQ(mine->numberOfCollections(), 1u);
    EXPECT_EQ(mine->allCollections()[0]->title(), "From the laptop");
    EXPECT_EQ(VQSwatchCore::openDetached(VQSwatchCore::sharedCore()->URL(), nullptr)->numberOfCollections(), 1u);
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

TEST_F(VQVellicoApplicationTest, PasteSelectsTheClipboardsColourOrBeeps)
{
    auto app = makeApplication();
    auto &ui = static_cast<VQScriptedModalUI &>(VQModalUI::shared());
    VQSwatchCore &core = *VQSwatchCore::sharedCore();

    QGuiApplication::clipboard()->setText(QStringLiteral("rgb(255, 128, 0)"));
    app->paste();
    ASSERT_NE(core.selectedColor(), nullptr);
    EXPECT_EQ(core.selectedColor()->hexValue(), "#FF8000");
    EXPECT_EQ(ui.beeps(), 0);

    for (const QString &text : {QStringLiteral("grey"), QString()}) {
        QGuiApplication::clipboard()->setText(text);
        app->paste();
        EXPECT_EQ(core.selectedColor()->hexValue(), "#FF8000");
    }
    EXPECT_EQ(ui.beeps(), 2);
}

TEST_F(VQVellicoApplicationTest, CopyUsesTheStoredFormatAndDoesNothingForAnUnknownOne)
{
    auto app = makeApplication();
    VQSwatchCore::sharedCore()->setSelectedColor(VQColor::makeRGB(1, 0.5, 0), false);
    VQUserDefaults &defaults = VQUserDefaults::standard();
    QClipboard *clipboard = QGuiApplication::clipboard();
    struct Row {
        qint64 copyType, alternate;
        const char *afterCopy, *afterAlternate;
    };
    const std::vector<Row> rows = {
        {4, 10, "rgb(255, 127, 0)", "hsla(30, 100%, 50%, 1.0)"},
        {1, 0, "#FF8000", "FF8000"},
        {11, -1, "untouched", "untouched"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.copyType);
        defaults.setInteger(QLatin1String(VQDefaultCopyFormatDefaultsKey), row.copyType);
        defaults.setInteger(QLatin1String(VQAlternateCopyFormatDefaultsKey), row.alternate);
        clipboard->setText(QStringLiteral("untouched"));
        app->copy();
        EXPECT_EQ(clipboard->text(), row.afterCopy);
        clipboard->setText(QStringLiteral("untouched"));
        app->copyAlternate();
        EXPECT_EQ(clipboard->text(), row.afterAlternate);
    }
}

TEST_F(VQVellicoApplicationTest, CopyCopiesTextWhileATextFieldHasTheFocus)
{
    auto app = makeApplication();
    VQSwatchCore::sharedCore()->setSelectedColor(VQColor::makeRGB(1, 0.5, 0), false);
    QLineEdit field(QStringLiteral("typed text"));
    field.show();
    field.activateWindow();
    field.setFocus();
    field.selectAll();
    ASSERT_TRUE(waitForFocus(*app, field));
    app->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "typed text");
    app->copyAlternate();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "FF8000");
}

TEST_F(VQVellicoApplicationTest, ALaterStartHandsItsCommandsToTheRunningInstance)
{
    EXPECT_EQ(VQInstanceChannel::commandsFromArguments({QStringLiteral("vellico"), QStringLiteral("--paste"),
                                                        QStringLiteral("--choose-library"), QStringLiteral("--copy")}),
              (QStringList{QStringLiteral("paste"), QStringLiteral("copy")}));

    auto app = makeApplication();
    VQUserDefaults::standard().setInteger(QLatin1String(VQDefaultCopyFormatDefaultsKey), 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("teal"));

    // A second start in another thread: it must find the running instance and
    // hand over, while this thread's event loop carries the commands out.
    bool claimed = true;
    QString error;
    std::thread later([&] {
        VQInstanceChannel channel;
        claimed = channel.claim({QStringLiteral("paste"), QStringLiteral("copy")}, &error);
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, app.get(), [&] {
        if (QGuiApplication::clipboard()->text() == QLatin1String("#008080"))
            app->quit();
    });
    poll.start(10);
    EXPECT_EQ(runEventLoop(*app), 0);
    later.join();
    EXPECT_FALSE(claimed);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#008080");
}

} // namespace
