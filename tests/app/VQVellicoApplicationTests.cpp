// The shell under the offscreen platform: start-up, the tray icon and its
// menu, and every way of quitting announcing the end exactly once.

#include "VQTestSupport.h"

#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "VQInstanceChannel.h"
#include "vqcore/VQNotificationCenter.h"
#include "core/VQSwatchCore.h"
#include "vqcore/VQTermination.h"
#include "vqcore/VQUserDefaults.h"
#include "VQVellicoAppDelegate.h"
#include "VQVellicoApplication.h"

#include <QClipboard>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include <csignal>
#include <thread>

// Failures show texts and lists of texts as text.
void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace
{

class VQVellicoApplicationTest : public VQLibraryTest
{
  protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        // CTest sets it; this keeps a direct run of the executable working.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
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
        QTimer::singleShot(5000, &app, [&app] { app.exit(-1); });
        return app.exec();
    }
};

TEST_F(VQVellicoApplicationTest, StartUpLoadsTheDefaultLibraryAndInstallsTheTrayIcon)
{
    auto app = makeApplication();
    EXPECT_FALSE(app->quitOnLastWindowClosed());
    EXPECT_EQ(app->organizationName() + '/' + app->applicationName(), "Vellico/Vellico"); // the settings' folder
    ASSERT_NE(VQSwatchCore::sharedCore(), nullptr);
    EXPECT_EQ(VQSwatchCore::sharedCore()->URL(), path(".local/share/Vellico/Vellico Library.vlb"));

    ASSERT_NE(app->delegate(), nullptr);
    QSystemTrayIcon *item = app->delegate()->statusItem();
    ASSERT_TRUE(item && item->contextMenu());
    EXPECT_EQ(item->toolTip(), "Vellico");
    EXPECT_FALSE(item->icon().isNull());
    ASSERT_EQ(item->contextMenu()->actions().size(), 1);
    EXPECT_EQ(item->contextMenu()->actions().first()->text(), "Quit");
}

// The commands themselves are tested with the importers; here, that each menu command reaches its own.
TEST_F(VQVellicoApplicationTest, TheImportCommandsOpenTheirPanels)
{
    auto app = makeApplication();
    auto &ui = static_cast<VQScriptedModalUI &>(VQModalUI::shared());
    ui.answerCancel().answerCancel().answerCancel();
    app->delegate()->importASE();
    app->delegate()->importCLR();
    app->delegate()->importACO();
    QStringList extensions;
    for (const VQFilePanel &panel : ui.openPanels())
        extensions << panel.allowedExtensions;
    EXPECT_EQ(extensions, (QStringList{"ase", "clr", "aco"}));
}

TEST_F(VQVellicoApplicationTest, TheLibraryIsChosenWhenAskedForByArgumentOrAlt)
{
    struct Row {
        QStringList arguments;
        Qt::KeyboardModifiers held;
        bool chooses;
    };
    for (const Row &row : {Row{{"vellico"}, Qt::NoModifier, false}, Row{{"vellico"}, Qt::ControlModifier, false},
                           Row{{"vellico", "--choose-library"}, Qt::NoModifier, true},
                           Row{{"vellico"}, Qt::AltModifier | Qt::ShiftModifier, true},
                           Row{{"--choose-library"}, Qt::NoModifier, false}}) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        EXPECT_EQ(VQVellicoApplication::wantsLibraryChoice(row.arguments, row.held), row.chooses);
    }
}

// Quitting from the menu (0) or by a signal announces the end once and removes the tray icon.
class VQVellicoApplicationEndTest : public VQVellicoApplicationTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(VQVellicoApplicationEndTest, QuitOrASignalEndsTheEventLoopInOrder)
{
    auto app = makeApplication();
    const int signal = GetParam();
    // Without a handler a signal's default action would end the test process.
    QTimer::singleShot(0, app.get(), [&app, signal] { signal ? void(std::raise(signal)) : app->quit(); });
    int status = -1;
    EXPECT_EQ(VQCountPosts(VQApplicationWillTerminateNotification, [&] { status = runEventLoop(*app); }), 1);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(app->delegate()->statusItem(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Ends, VQVellicoApplicationEndTest, ::testing::Values(0, SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return info.param == 0 ? "Quit" : info.param == SIGTERM ? "SIGTERM" : "SIGINT";
                         });

TEST_F(VQVellicoApplicationTest, PasteSelectsTheClipboardsColourOrBeeps)
{
    auto app = makeApplication();
    auto &ui = static_cast<VQScriptedModalUI &>(VQModalUI::shared());
    VQSwatchCore &core = *VQSwatchCore::sharedCore();

    QGuiApplication::clipboard()->setText("rgb(255, 128, 0)");
    app->paste();
    ASSERT_NE(core.selectedColor(), nullptr);
    EXPECT_EQ(core.selectedColor()->hexValue(), "#FF8000");
    EXPECT_EQ(ui.beeps(), 0);

    for (const QString &text : {QString("grey"), QString()}) {
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
        {11, -1, "untouched", "untouched"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.copyType);
        defaults.setInteger(QLatin1String(VQDefaultCopyFormatDefaultsKey), row.copyType);
        defaults.setInteger(QLatin1String(VQAlternateCopyFormatDefaultsKey), row.alternate);
        clipboard->setText("untouched");
        app->copy();
        EXPECT_EQ(clipboard->text(), row.afterCopy);
        clipboard->setText("untouched");
        app->copyAlternate();
        EXPECT_EQ(clipboard->text(), row.afterAlternate);
    }
}

TEST_F(VQVellicoApplicationTest, CopyCopiesTextWhileATextFieldHasTheFocus)
{
    auto app = makeApplication();
    VQSwatchCore::sharedCore()->setSelectedColor(VQColor::makeRGB(1, 0.5, 0), false);
    QLineEdit field("typed text");
    field.show();
    field.activateWindow();
    field.setFocus();
    field.selectAll();
    for (int i = 0; i < 200 && QApplication::focusWidget() != &field; ++i) {
        app->processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(QApplication::focusWidget(), &field);
    app->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "typed text");
    // Nothing stored: the alternate format is the partner of format 0, as the preferences show it.
    app->copyAlternate();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "#FF8000");
}

TEST_F(VQVellicoApplicationTest, ALaterStartHandsItsCommandsToTheRunningInstance)
{
    EXPECT_EQ(VQInstanceChannel::commandsFromArguments({"vellico", "--paste", "--choose-library", "--copy"}),
              (QStringList{"paste", "copy"}));

    auto app = makeApplication();
    VQUserDefaults::standard().setInteger(QLatin1String(VQDefaultCopyFormatDefaultsKey), 1);
    QGuiApplication::clipboard()->setText("teal");

    // A second start in another thread: it must find the running instance and
    // hand over, while this thread's event loop carries the commands out.
    bool claimed = true;
    QString error;
    std::thread later([&] {
        VQInstanceChannel channel;
        claimed = channel.claim({"paste", "copy"}, &error);
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
