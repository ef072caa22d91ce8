// The shell under the offscreen platform: start-up, the tray icon and the
// windows, the menus, the Edit commands, the window the user came from, the requests of
// later starts, and every way of quitting announcing the end exactly once.

#include "VQTestSupport.h"

#include "app/VQDesktopServices.h"
#include "app/VQPickController.h"
#include "app/VQRequestController.h"
#include "app/VQLibraryAtLaunch.h"
#include "app/VQVellicoAppDelegate.h"
#include "app/VQVellicoApplication.h"
#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "core/VQSwatchCore.h"
#include "ui/tray/VQStatusItem.h"
#include "platform/VQFocusHandBack.h"
#include "platform/VQKeyCode.h"
#include "ui/mainwindow/VQMainWindowKeys.h"
#include "ui/mainwindow/VQSelectionControl.h"
#include "ui/mainwindow/VQSwatchMainWindow.h"
#include "ui/prefs/VQSwatchPreferencesController.h"
#include "ui/tools/VQContrastRow.h"
#include "ui/tools/VQRecentColorsRow.h"
#include "ui/tools/VQSwatchStrip.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQTermination.h"
#include "vqcore/VQTranslations.h"
#include "vqcore/VQUserDefaults.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QCheckBox>
#include <QSystemTrayIcon>
#include <QTranslator>
#include <QTimer>
#include <QToolButton>

#include <csignal>

namespace
{

// Tells the shell which window is active.
class VQRecordingPlatform : public VQX11Input
{
  public:
    WindowID active = 0;
    WindowID activeWindow() const override { return active; }
    bool activateWindow(WindowID) override { return true; }
    QString screenPickingProblem() const override { return {}; }
    Description describe() const override { return {QStringLiteral("recording"), {}, {}, {}}; }
    void registerHotKey(const VQKeyCombo &, std::function<void()>, std::function<void(HotKeyStatus)> answer) override
    {
        answer(HotKeyStatus::Unsupported);
    }
    void unregisterHotKey() override {}
};

// A picker that answers what the test says, before pick() returns.
class VQScriptedPicker : public VQScreenPicker
{
  public:
    std::function<VQPickOutcome()> answer = [] { return VQPickOutcome::cancelled(); };
    bool later = false; // answers on the next turn of the event loop instead
    QString description() const override { return QStringLiteral("scripted"); }

  protected:
    void start() override
    {
        if (later)
            QTimer::singleShot(0, this, [this] { finish(answer()); });
        else
            finish(answer());
    }
};

class VQVellicoApplicationTest : public VQLibraryTest
{
  protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        static int argc = 1;
        static char name[] = "vellico";
        static char *argv[] = {name, nullptr};
        _app = std::make_unique<VQVellicoApplication>(argc, argv);
        startDelegate(std::make_unique<VQScriptedPicker>());
    }

    // Starts the program anew with `picker`; `settle` lets the event loop build the windows.
    void startDelegate(std::unique_ptr<VQScreenPicker> picker, bool settle = true)
    {
        _delegate.reset();
        auto platform = std::make_unique<VQRecordingPlatform>();
        _platform = platform.get();
        _picker = dynamic_cast<VQScriptedPicker *>(picker.get());
        VQAppServices services;
        services.desktop = std::make_unique<VQDesktopServices>(
            VQDesktopServices::Pieces{std::move(platform), std::move(picker), nullptr});
        services.modalUI = std::make_unique<VQScriptedModalUI>();
        services.termination = VQTermination::throwingHandler();
        _delegate = std::make_unique<VQVellicoAppDelegate>(std::move(services));
        _delegate->awakeFromNib();
        if (settle)
            QCoreApplication::sendPostedEvents();
    }

    void TearDown() override
    {
        _delegate.reset();
        _app.reset();
        VQLibraryTest::TearDown();
    }

    VQScriptedModalUI &scriptedUI() { return static_cast<VQScriptedModalUI &>(VQModalUI::shared()); }

    // Lets what was posted run: a pick's outcome is told on a later turn, never at once.
    static void settle()
    {
        for (int turn = 0; turn < 10; ++turn)
            QCoreApplication::sendPostedEvents();
    }
    // A later start's message, and the answer it hears once what was posted has run.
    QString ask(const QString &message)
    {
        QString answer;
        _delegate->performChannelMessage(message, [&](const QString &text) { answer = text; });
        settle();
        return answer;
    }

    // Runs the event loop with a watchdog; returns exec()'s status, or -1 when
    // the loop had to be stopped by the watchdog.
    int runEventLoop()
    {
        QTimer::singleShot(5000, _app.get(), [this] { _app->exit(-1); });
        return _app->exec();
    }

    static QStringList titles(const QMenu &menu)
    {
        QStringList result;
        for (const QAction *action : menu.actions())
            result << (action->menu() ? action->text() + " ▸ " + titles(*action->menu()).join(", ") : action->text());
        return result;
    }

    std::unique_ptr<VQVellicoApplication> _app;
    std::unique_ptr<VQVellicoAppDelegate> _delegate;
    VQRecordingPlatform *_platform = nullptr;
    VQScriptedPicker *_picker = nullptr;
};

TEST_F(VQVellicoApplicationTest, StartUpLoadsTheLibraryAndInstallsTheTrayIconWithItsOwnMenu)
{
    EXPECT_FALSE(_app->quitOnLastWindowClosed());
    EXPECT_EQ(_app->organizationName() + '/' + _app->applicationName(), "Vellico/Vellico"); // the settings' folder
    ASSERT_NE(VQSwatchCore::sharedCore(), nullptr);
    EXPECT_EQ(VQSwatchCore::sharedCore()->URL(), path(".local/share/Vellico/Vellico Library.vlb"));

    ASSERT_NE(_delegate->statusItem(), nullptr);
    QSystemTrayIcon *tray = _delegate->statusItem()->trayIcon();
    EXPECT_EQ(tray->contextMenu(), nullptr); // the menu is ours to show, highlighted
    EXPECT_FALSE(tray->icon().isNull());
    EXPECT_FALSE(_delegate->isCurrentWindowVisible());
}

// A library the program cannot open is told in an alert, and the program ends
// without touching the file; a damaged one may be overwritten instead, and is
// then kept beside the new library.
TEST_F(VQVellicoApplicationTest, ALibraryThatCannotBeOpenedAtStartIsToldAndEndsTheProgram)
{
    const QString couldNotOpen = QStringLiteral("Vellico couldn't open the swatch library.");
    const QString corrupted =
        QStringLiteral("The library may be corrupted or could be from a future release of Vellico.");
    const QStringList quit = {"Quit"}, quitOrOverwrite = {"Quit", "Overwrite"};
    const auto plist = [](const char *version) {
        return QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>") +
               (version ? QByteArray("<key>DBVersion</key><string>") + version + "</string>" : QByteArray()) +
               "<key>contents</key><array/></dict></plist>";
    };
    struct Row {
        const char *label;
        QByteArray content; // empty: no file, in a folder that cannot be made
        int answer;         // the button pressed
        QString message, informative;
        QStringList buttons;
        bool opens; // the user overwrote it
    };
    const std::vector<Row> rows = {
        {"newer", plist("0.4"), 0, couldNotOpen, QStringLiteral("It was created by a newer version of Vellico."), quit,
         false},
        {"no version", plist(nullptr), 0, couldNotOpen, QStringLiteral("Cannot read the library version number."), quit,
         false},
        {"damaged, quit", "not a property list", 0, couldNotOpen, corrupted, quitOrOverwrite, false},
        {"damaged, overwrite", "not a property list", 1, couldNotOpen, corrupted, quitOrOverwrite, true},
        {"unwritable folder",
         {},
         0,
         QStringLiteral("Vellico cannot write to the folder where the library should be saved."),
         QStringLiteral("Please, hold down the Alt key while launching Vellico to choose a different library."),
         quit,
         false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.label);
        QDir(path(QStringLiteral("start"))).removeRecursively();
        QDir().mkpath(path(QStringLiteral("start")));
        QString library = path(QStringLiteral("start/Vellico Library.vlb"));
        if (row.content.isEmpty()) {
            VQWriteAll(path(QStringLiteral("start/blocker")), "x");
            library = path(QStringLiteral("start/blocker/Vellico Library.vlb"));
        } else {
            VQWriteAll(library, row.content);
        }
        const std::size_t alertsBefore = scriptedUI().alerts().size();
        scriptedUI().answerAlert(row.answer);
        std::unique_ptr<VQSwatchCore> core;
        if (row.opens)
            core = VQOpenLibraryAtLaunch(library);
        else
            EXPECT_TERMINATES(core = VQOpenLibraryAtLaunch(library), 0);
        ASSERT_EQ(scriptedUI().alerts().size(), alertsBefore + 1);
        const VQAlert &alert = scriptedUI().alerts().back();
        EXPECT_EQ(alert.messageText, row.message);
        EXPECT_EQ(alert.informativeText, row.informative);
        EXPECT_EQ(alert.buttons, row.buttons);
        const QStringList kept =
            QDir(path(QStringLiteral("start"))).entryList({QStringLiteral("Vellico Library (unreadable *).vlb")});
        if (!row.opens) {
            EXPECT_EQ(core, nullptr);
            EXPECT_TRUE(kept.isEmpty());
            EXPECT_EQ(VQReadAll(library), row.content) << "quitting touches nothing";
            continue;
        }
        ASSERT_NE(core, nullptr);
        EXPECT_EQ(core->numberOfCollections(), 0u);
        ASSERT_EQ(kept.size(), 1);
        EXPECT_EQ(VQReadAll(path(QStringLiteral("start/")) + kept.front()), row.content);
    }
}

// The tray icon shows before the windows are built on the next turn of the event loop. Whatever
// comes in between builds them first and is served as it would be later; the deferred build adds nothing.
TEST_F(VQVellicoApplicationTest, WhatArrivesBeforeTheWindowsAreBuiltIsServed)
{
    using Delegate = VQVellicoAppDelegate;
    struct Row {
        const char *what;
        std::function<QString(Delegate &)> arrive; // the answer a later start hears, if any
        QString answer, selected;
        bool shown;
    };
    const auto ask = [](const char *message) {
        return [message](Delegate &delegate) {
            QString answer;
            delegate.performChannelMessage(message, [&](const QString &text) { answer = text; });
            settle();
            return answer;
        };
    };
    const std::vector<Row> rows = {
        {"a click on the icon",
         [](Delegate &delegate) {
             delegate.statusItem()->handleClick(VQStatusItemLogic::Button::Left, false);
             return QString();
         },
         "", "#FFFFFF", true},
        {"the shortcut",
         [](Delegate &delegate) {
             delegate.hotKeyWasTriggered();
             settle();
             return QString();
         },
         "", "#336699", true},
        {"Preferences... from the icon's menu",
         [](Delegate &delegate) {
             delegate.preferences();
             return QString();
         },
         "", "#FFFFFF", true},
        {"a plain second start", ask(""), "ok", "#FFFFFF", true},
        {"--pick", ask("--pick --template 4"), "picked rgb(51, 102, 153)", "#336699", false},
        {"--copy", ask("--copy"), "ok", "#FFFFFF", false},
        {"--paste", ask("--paste"), "ok", "#0080FF", false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        auto picker = std::make_unique<VQScriptedPicker>();
        picker->answer = [] { return VQPickOutcome::picked(QColor(51, 102, 153)); };
        QGuiApplication::clipboard()->setText("#0080FF");
        VQSwatchCore::sharedCore()->setSelectedColor(VQColor::fromRGBString("#FFFFFF"), false);
        startDelegate(std::move(picker), false);
        ASSERT_NE(_delegate->statusItem(), nullptr);
        ASSERT_FALSE(_delegate->windowsBuilt());
        EXPECT_EQ(row.arrive(*_delegate), row.answer);
        EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), row.selected);
        EXPECT_EQ(_delegate->isCurrentWindowVisible(), row.shown);
        ASSERT_TRUE(_delegate->windowsBuilt());
        const VQSwatchMainWindow *built = _delegate->mainWindow();
        EXPECT_NE(built, nullptr);
        EXPECT_NE(_delegate->preferencesController(), nullptr);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(_delegate->mainWindow(), built);
        EXPECT_EQ(_delegate->isCurrentWindowVisible(), row.shown);
    }
}

TEST_F(VQVellicoApplicationTest, TheMenusHaveTheirRowsAndAreBuiltAnewEachTime)
{
    const std::unique_ptr<QMenu> status = _delegate->statusItemMenu();
    EXPECT_EQ(titles(*status),
              (QStringList{"About Vellico", "", "Pick Color from Screen", "", "Preferences...", "", "Quit"}));
    EXPECT_NE(_delegate->statusItemMenu(), status);
    EXPECT_EQ(titles(*_delegate->gearMenu()),
              (QStringList{"Pick Color from Screen", "", "New Collection", "Find Color...", "Copy Color Name", "",
                           "Preferences...", "",
                           "Import ▸ Import ACO file..., Import ASE file..., Import CLR file..., Import GPL file...",
                           "", "Send Feedback...", "Help", "", "Quit"}));
}

// Where the session offers no way to pick, nothing offers to; --pick still says why.
TEST_F(VQVellicoApplicationTest, WhereNothingCanPickThePickItemsAreLeftOut)
{
    startDelegate(std::make_unique<VQRefusingPicker>("no way to read the screen"));
    EXPECT_EQ(titles(*_delegate->statusItemMenu()), (QStringList{"About Vellico", "", "Preferences...", "", "Quit"}));
    EXPECT_FALSE(titles(*_delegate->gearMenu()).contains("Pick Color from Screen"));
    EXPECT_TRUE(_delegate->mainWindow()->eyedropperButton()->isHidden());
    EXPECT_EQ(ask("--pick"), "failed no way to read the screen");
}

// A shortcut a menu shows is one the window runs, and no two items of a menu show the same.
TEST_F(VQVellicoApplicationTest, EveryShortcutAMenuShowsRunsItsItemInTheWindow)
{
    for (const std::unique_ptr<QMenu> &menu : {_delegate->gearMenu(), _delegate->statusItemMenu()}) {
        QList<QKeySequence> shown;
        for (const QAction *item : menu->actions()) {
            if (item->shortcut().isEmpty())
                continue;
            SCOPED_TRACE(item->text().toStdString());
            EXPECT_FALSE(shown.contains(item->shortcut())) << item->shortcut().toString().toStdString();
            shown << item->shortcut();
            const QKeyCombination keys = item->shortcut()[0];
            const VQMainWindowKeyAction action = VQMainWindowKeyActionFor(keys.key(), keys.keyboardModifiers(), false);
            ASSERT_NE(action, VQMainWindowKeyAction::None);
            // The window's command of those keys is the item's.
            const auto &table = VQMainWindowShortcuts();
            const auto row = std::find_if(table.begin(), table.end(),
                                          [&](const VQMainWindowShortcut &r) { return r.action == action; });
            ASSERT_NE(row, table.end());
            EXPECT_EQ(item->text(), QString::fromLatin1(row->title));
        }
    }
}

TEST(VQVellicoAppDelegateRules, TheEyedropperNamesTheShortcutWhenOneIsRegistered)
{
    EXPECT_EQ(VQVellicoAppDelegate::pickColorToolTip({}), "Pick Color from Screen");
    VQKeyCombo ctrlAltP;
    ctrlAltP.flags = VQModifierFlag::Command | VQModifierFlag::Option;
    ctrlAltP.code = VQKeyCode::P;
    EXPECT_EQ(VQVellicoAppDelegate::pickColorToolTip(ctrlAltP), "Pick Color from Screen (Ctrl+Alt+P)");
}

// The copy's hand-back to a real window is the desktop test's.
TEST_F(VQVellicoApplicationTest, TheWindowToggles_HighlightsTheIcon_AndRemembersWhereTheUserCameFrom)
{
    VQStatusItem &item = *_delegate->statusItem();
    _platform->active = 42; // another program's window
    item.handleClick(VQStatusItemLogic::Button::Left, false);
    EXPECT_TRUE(_delegate->isCurrentWindowVisible());
    EXPECT_TRUE(item.isHighlighted());
    // Opening over our own window keeps the window the user came from.
    _platform->active = _delegate->mainWindow()->winId();
    _delegate->openCurrentWindow();
    EXPECT_EQ(_delegate->desktopServices().focusHandBack().previousWindow(), 42u);
    item.handleClick(VQStatusItemLogic::Button::Left, false);
    EXPECT_FALSE(_delegate->isCurrentWindowVisible());
    EXPECT_FALSE(item.isHighlighted());
}

TEST_F(VQVellicoApplicationTest, TheShortcutOpensTheWindowAndRunsTheLoupe_OrClosesTheWindow)
{
    int loupeRuns = 0;
    _picker->answer = [&] {
        ++loupeRuns;
        // The shortcut pressed again while the loupe runs does not start another.
        _delegate->hotKeyWasTriggered();
        return VQPickOutcome::picked(QColor(255, 0, 0));
    };
    _delegate->hotKeyWasTriggered();
    settle();
    EXPECT_EQ(loupeRuns, 1);
    EXPECT_TRUE(_delegate->isCurrentWindowVisible());
    EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#FF0000");

    _delegate->hotKeyWasTriggered();
    EXPECT_EQ(loupeRuns, 1);
    EXPECT_FALSE(_delegate->isCurrentWindowVisible());

    // Cancelled: the selection stays.
    _picker->answer = [] { return VQPickOutcome::cancelled(); };
    _delegate->hotKeyWasTriggered();
    settle();
    EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#FF0000");
}

// A pick into the contrast row's second colour leaves the selection as it is;
// the swap key exchanges the two; the eyedropper's picks still select.
TEST_F(VQVellicoApplicationTest, APickForTheContrastRowSetsItsSecondColourAndXSwaps)
{
    _delegate->openCurrentWindow();
    VQContrastRow *row = _delegate->windows().contrastRow();
    ASSERT_NE(row, nullptr);
    const auto selected = [] { return VQSwatchCore::sharedCore()->selectedColor()->hexValue(); };
    _delegate->setColor(QColor(0x77, 0x77, 0x77));
    _picker->answer = [] { return VQPickOutcome::picked(QColor(0x10, 0x20, 0x30)); };
    emit row->pickRequested();
    settle();
    EXPECT_EQ(row->summary().againstHex(), "#102030");
    EXPECT_EQ(selected(), "#777777");
    EXPECT_EQ(VQUserDefaults::standard().stringForKey(QStringLiteral("VQContrastAgainstColor")), "#102030");

    emit _delegate->mainWindow()->keyActionTriggered(VQMainWindowKeyAction::SwapContrastColors);
    EXPECT_EQ(selected(), "#102030");
    EXPECT_EQ(row->summary().againstHex(), "#777777");
    EXPECT_EQ(row->summary().selectedHex(), "#102030");

    _picker->answer = [] { return VQPickOutcome::picked(QColor(0xAB, 0xCD, 0xEF)); };
    _delegate->pickColorFromScreen();
    settle();
    EXPECT_EQ(selected(), "#ABCDEF");
    EXPECT_EQ(row->summary().againstHex(), "#777777");
}

// X typed into a field of the window is the field's letter; elsewhere in the window it swaps.
TEST_F(VQVellicoApplicationTest, TheSwapKeyIsALetterInAField)
{
    _delegate->openCurrentWindow();
    VQSwatchMainWindow *window = _delegate->mainWindow();
    window->activateWindow();
    auto *field = new QLineEdit(window);
    field->show();
    field->setFocus();
    for (int i = 0; i < 100 && QApplication::focusWidget() != field; ++i)
        _app->processEvents(QEventLoop::WaitForMoreEvents, 10);
    ASSERT_EQ(QApplication::activeWindow(), window);
    _delegate->setColor(QColor(0x77, 0x77, 0x77));
    const auto press = [](QWidget *target) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(target, &key);
    };
    press(field);
    EXPECT_EQ(field->text(), "x");
    EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#777777");
    press(window);
    EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#FFFFFF");
    EXPECT_EQ(_delegate->windows().contrastRow()->summary().againstHex(), "#777777");
}

TEST_F(VQVellicoApplicationTest, PreferencesModeAndBack)
{
    QWidget preferences;
    int done = 0;
    _delegate->setPreferencesWindow(&preferences, [&] {
        ++done;
        _delegate->preferencesDone();
    });
    _delegate->openCurrentWindow();
    _delegate->preferences();
    EXPECT_EQ(_delegate->mode(), VQApplicationMode::Preferences);
    EXPECT_TRUE(preferences.isVisible());
    EXPECT_FALSE(_delegate->mainWindow()->isVisible());
    _delegate->preferences(); // again: nothing changes
    EXPECT_TRUE(preferences.isVisible());

    // Escape closes the preferences; the shortcut then ends them and opens the main window.
    _delegate->closeCurrentWindow();
    EXPECT_FALSE(preferences.isVisible());
    _delegate->hotKeyWasTriggered();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(_delegate->mode(), VQApplicationMode::MainWindow);
    EXPECT_TRUE(_delegate->mainWindow()->isVisible());
}

TEST_F(VQVellicoApplicationTest, RequestsOfLaterStartsAreAnswered)
{
    _picker->answer = [] { return VQPickOutcome::picked(QColor(51, 102, 153)); };
    struct Row {
        QString message, answer;
    };
    for (const Row &row :
         {Row{"--pick", "picked #336699"}, Row{"--pick --template 4", "picked rgb(51, 102, 153)"}, Row{"--copy", "ok"},
          Row{"--choose-library", "error Unknown argument \"--choose-library\"."},
          Row{"--pick --template 17",
              "error --template takes a format number (0 to 16, or 100 on for your own), not \"17\"."}}) {
        SCOPED_TRACE(row.message.toStdString());
        EXPECT_EQ(ask(row.message), row.answer);
    }
    _picker->answer = [] { return VQPickOutcome::cancelled(); };
    EXPECT_EQ(ask("--pick"), "cancelled");
    // A loupe that could not run is no cancel: the later start says why.
    _picker->answer = [] { return VQPickOutcome::failed(QStringLiteral("no way to read the screen")); };
    EXPECT_EQ(ask("--pick"), "failed no way to read the screen");

    // A picker that answers later: the reply waits for it, and a second pick meanwhile waits for the first.
    _picker->later = true;
    int picks = 0;
    _picker->answer = [&] {
        ++picks;
        return VQPickOutcome::picked(QColor(picks, 2, 3));
    };
    QString answer, second;
    _delegate->performChannelMessage("--pick", [&](const QString &text) { answer = text; });
    EXPECT_TRUE(answer.isEmpty());
    _delegate->performChannelMessage("--pick --template 4", [&](const QString &text) { second = text; });
    EXPECT_TRUE(second.isEmpty());
    // Asked of the picker itself, a second pick is refused and leaves the first one's outcome to come.
    EXPECT_FALSE(_picker->pick());
    QTimer::singleShot(200, _app.get(), [this] { _app->exit(0); });
    runEventLoop();
    EXPECT_EQ(answer, "picked #010203");
    EXPECT_EQ(second, "picked rgb(2, 2, 3)");
    EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#020203");
}

// A paste that needs the keyboard focus asks for it and goes on once it came, or once
// the wait is over, by signal and timer; the pick after it follows, and the one answer
// comes from neither call.
TEST_F(VQVellicoApplicationTest, APasteWaitsForTheFocusThenTheRequestsGoOn)
{
    using Command = VQLaunchOptions::Command;
    constexpr int kWait = VQRequestController::kClipboardFocusWaitMs;
    for (const bool focusComes : {true, false}) {
        SCOPED_TRACE(focusComes ? "the focus comes" : "the focus never comes");
        QElapsedTimer clock;
        clock.start();
        while (QGuiApplication::focusWindow() && clock.elapsed() < 2000)
            _app->processEvents(QEventLoop::WaitForMoreEvents, 20);
        ASSERT_EQ(QGuiApplication::focusWindow(), nullptr);
        VQScriptedPicker picker;
        picker.answer = [] { return VQPickOutcome::picked(QColor(1, 2, 3)); };
        VQPickController picks(picker);
        QLineEdit field;
        int asked = 0;
        VQRequestController requests(picks, {{},
                                             {},
                                             [] { return QGuiApplication::focusWindow() != nullptr; },
                                             [&] {
                                                 ++asked;
                                                 if (focusComes) {
                                                     field.show();
                                                     field.activateWindow();
                                                 }
                                             }});
        QGuiApplication::clipboard()->setText("#0080FF");
        VQSwatchCore::sharedCore()->setSelectedColor(VQColor::fromRGBString("#FFFFFF"), false);
        QString answer;
        clock.restart();
        requests.performRequests({{Command::Paste}, {Command::Pick}}, [&](const QString &text) { answer = text; });
        EXPECT_TRUE(answer.isEmpty());
        EXPECT_EQ(asked, 1);
        while (answer.isEmpty() && clock.elapsed() < kWait + 3000)
            _app->processEvents(QEventLoop::WaitForMoreEvents, 20);
        EXPECT_EQ(answer, "picked #010203");
        EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#0080FF");
        EXPECT_EQ(clock.elapsed() < kWait, focusComes) << clock.elapsed() << " ms";
    }
}

TEST_F(VQVellicoApplicationTest, TheEntryDialogSelectsWhatParsesAndListsTheFormsOtherwise)
{
    VQSelectionControl &readout = *_delegate->mainWindow()->selectionControl();
    VQSwatchCore &core = *VQSwatchCore::sharedCore();
    scriptedUI().answerText("navy").answerText("#12345").answerAlert(0).answerCancel();
    readout.runColorEntryDialog();
    EXPECT_EQ(core.selectedColor()->hexValue(), "#000080");
    readout.runColorEntryDialog();
    EXPECT_EQ(core.selectedColor()->hexValue(), "#000080");
    ASSERT_EQ(scriptedUI().alerts().size(), 1u);
    // The failure names every form that parses, not only hex values.
    EXPECT_TRUE(scriptedUI().alerts()[0].informativeText.contains("CSS rgb(r,g,b)"));
    readout.runColorEntryDialog();
    EXPECT_EQ(core.selectedColor()->hexValue(), "#000080");
    EXPECT_EQ(scriptedUI().prompts().front().text, "#FFFFFF");
    EXPECT_TRUE(scriptedUI().allRepliesUsed());
}

// Quitting from the menu (0) or by a signal announces the end once and removes the tray icon.
class VQVellicoApplicationEndTest : public VQVellicoApplicationTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(VQVellicoApplicationEndTest, QuitOrASignalEndsTheEventLoopInOrder)
{
    const int signal = GetParam();
    // Also while the windows are still to be built.
    startDelegate(std::make_unique<VQScriptedPicker>(), false);
    // Without a handler a signal's default action would end the test process.
    QTimer::singleShot(0, _app.get(), [this, signal] { signal ? void(std::raise(signal)) : _app->quit(); });
    int status = -1;
    EXPECT_EQ(VQCountPosts(VQApplicationWillTerminateNotification, [&] { status = runEventLoop(); }), 1);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(_delegate->statusItem(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Ends, VQVellicoApplicationEndTest, ::testing::Values(0, SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return info.param == 0 ? "Quit" : info.param == SIGTERM ? "SIGTERM" : "SIGINT";
                         });

TEST_F(VQVellicoApplicationTest, CopyUsesTheStoredFormatAndDoesNothingForAnUnknownOne)
{
    VQSwatchCore::sharedCore()->setSelectedColor(VQColor::makeRGB(1, 0.5, 0), false);
    VQUserDefaults &defaults = VQUserDefaults::standard();
    QClipboard *clipboard = QGuiApplication::clipboard();
    struct Row {
        qint64 copyType, alternate;
        const char *afterCopy, *afterAlternate;
    };
    const std::vector<Row> rows = {
        {4, 10, "rgb(255, 127, 0)", "hsla(30, 100%, 50%, 1.0)"},
        {11, 16, "oklch(0.7311 0.18611 52.78)", "color(display-p3 0.936 0.5272 0.1983)"},
        {17, -1, "untouched", "untouched"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.copyType);
        defaults.setInteger(QLatin1String(VQDefaultCopyFormatDefaultsKey), row.copyType);
        defaults.setInteger(QLatin1String(VQAlternateCopyFormatDefaultsKey), row.alternate);
        clipboard->setText("untouched");
        _app->copy();
        EXPECT_EQ(clipboard->text(), row.afterCopy);
        clipboard->setText("untouched");
        _app->copyAlternate();
        EXPECT_EQ(clipboard->text(), row.afterAlternate);
    }
}

TEST_F(VQVellicoApplicationTest, CopyAndPasteWorkOnTextOnlyWhileATextFieldIsBeingEdited)
{
    VQSwatchCore::sharedCore()->setSelectedColor(VQColor::makeRGB(1, 0.5, 0), false);
    QClipboard *clipboard = QGuiApplication::clipboard();
    QLineEdit field("shown text");
    field.show();
    field.activateWindow();
    field.setFocus();
    for (int i = 0; i < 100 && QApplication::focusWidget() != &field; ++i)
        _app->processEvents(QEventLoop::WaitForMoreEvents, 10);
    ASSERT_EQ(QApplication::focusWidget(), &field);

    // Focused, but neither typed into nor selected: the color's commands.
    _app->copy();
    EXPECT_EQ(clipboard->text(), "FF8000");
    clipboard->setText("navy");
    _app->paste();
    EXPECT_EQ(field.text(), "shown text");
    EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#000080");

    field.selectAll();
    _app->copy();
    EXPECT_EQ(clipboard->text(), "shown text");
    // Nothing stored: the alternate format is the partner of format 0, as the preferences show it.
    _app->copyAlternate();
    EXPECT_EQ(clipboard->text(), "#000080");

    field.clear();
    field.setModified(true); // as typing leaves it
    clipboard->setText("#FFFFFF");
    _app->paste();
    EXPECT_EQ(field.text(), "#FFFFFF");
    EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#000080");
}

} // namespace

// Picks and copies go to the front of the recent colours, saved for the next start and vellico-cli.
TEST_F(VQVellicoApplicationTest, PickedAndCopiedColoursAreRecentColours)
{
    const QString path =
        QDir::temp().filePath(QStringLiteral("recent-%1.json").arg(QCoreApplication::applicationPid()));
    QFile::remove(path);
    VQScriptedPicker picker;
    QColor next;
    picker.answer = [&] { return next.isValid() ? VQPickOutcome::picked(next) : VQPickOutcome::cancelled(); };
    VQPickController picks(picker);
    VQRecentColorsRecorder recorder(picks, path);
    const auto pick = [&](const QColor &colour) {
        next = colour;
        bool done = false;
        picks.pick([&](const VQPickOutcome &) { done = true; });
        while (!done)
            _app->processEvents(QEventLoop::WaitForMoreEvents, 20);
    };
    pick(QColor(0x11, 0x22, 0x33));
    pick(QColor());
    VQColor::fromRGBString("#ABCDEF")->writeToPasteboardWithTemplate(VQCopyTemplate::HexRGBWithHash);
    pick(QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(recorder.colors().colors(), (QStringList{"#112233", "#ABCDEF"}));
    VQRecentColors saved(path);
    ASSERT_TRUE(saved.load());
    EXPECT_EQ(saved.colors(), recorder.colors().colors());
    QFile::remove(path);
}

// Pasted and typed colours are recent colours too, and the settings decide
// whether any are recorded and how many are kept.
TEST_F(VQVellicoApplicationTest, RecentColoursTakePastedAndTypedColoursAndFollowTheSettings)
{
    enum class Way { Pick, Copy, Paste, Type };
    struct Step {
        Way way;
        const char *color;
    };
    const struct {
        const char *name;
        QStringList before; // saved before the recorder starts
        std::vector<std::pair<const char *, const char *>> settings;
        std::vector<Step> steps;
        QStringList after;
    } rows[] = {
        {"every way, newest first",
         {},
         {},
         {{Way::Pick, "#111111"}, {Way::Paste, "#222222"}, {Way::Type, "navy"}, {Way::Copy, "#444444"}},
         {"#444444", "#000080", "#222222", "#111111"}},
        {"pasted again: to the front, once",
         {"#222222", "#111111"},
         {},
         {{Way::Paste, "#111111"}},
         {"#111111", "#222222"}},
        {"off: nothing recorded, the list kept",
         {"#ABCDEF"},
         {{"VQDontRecordRecentColors", "true"}},
         {{Way::Pick, "#111111"}, {Way::Paste, "#222222"}, {Way::Type, "red"}, {Way::Copy, "#444444"}},
         {"#ABCDEF"}},
        {"a limit of two",
         {},
         {{"VQRecentColorsLimit", "2"}},
         {{Way::Paste, "#010101"}, {Way::Type, "#020202"}, {Way::Paste, "#030303"}},
         {"#030303", "#020202"}},
        {"a longer list than the limit: the oldest go",
         {"#0A0A0A", "#0B0B0B", "#0C0C0C"},
         {{"VQRecentColorsLimit", "2"}},
         {{Way::Type, "#0D0D0D"}},
         {"#0D0D0D", "#0A0A0A"}},
        {"no colour in the text: nothing",
         {"#0A0A0A"},
         {},
         {{Way::Paste, "nonsense"}, {Way::Type, "nonsense"}},
         {"#0A0A0A"}},
    };
    VQSwatchCore &core = *VQSwatchCore::sharedCore();
    VQSelectionControl readout(core);
    const QString path = this->path(QStringLiteral("recent.json"));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        VQUserDefaults &defaults = VQUserDefaults::standard();
        defaults.removeObjectForKey(QStringLiteral("VQDontRecordRecentColors"));
        defaults.removeObjectForKey(QStringLiteral("VQRecentColorsLimit"));
        for (const auto &[key, value] : row.settings)
            defaults.setString(QString::fromLatin1(key), QString::fromLatin1(value));
        VQRecentColors before(path);
        before.setLimit(VQRecentColors::kMaximumLimit);
        for (auto color = row.before.rbegin(); color != row.before.rend(); ++color)
            before.add(*color);
        ASSERT_TRUE(before.save());

        VQScriptedPicker picker;
        QColor next;
        picker.answer = [&] { return VQPickOutcome::picked(next); };
        VQPickController picks(picker);
        VQRecentColorsRecorder recorder(picks, path);
        for (const Step &step : row.steps) {
            const QString text = QString::fromLatin1(step.color);
            switch (step.way) {
            case Way::Pick:
                next = QColor(text);
                picks.pick();
                settle();
                break;
            case Way::Copy:
                VQColor::fromRGBString(text)->writeToPasteboardWithTemplate(VQCopyTemplate::HexRGBWithHash);
                break;
            case Way::Paste:
                QGuiApplication::clipboard()->setText(text);
                _app->paste();
                break;
            case Way::Type:
                scriptedUI().answerText(text);
                if (!VQColor::fromRGBString(text))
                    scriptedUI().answerAlert(0); // what was wrong with the text
                readout.runColorEntryDialog();
                break;
            }
        }
        EXPECT_EQ(recorder.colors().colors(), row.after);
        VQRecentColors saved(path);
        ASSERT_TRUE(saved.load());
        EXPECT_EQ(saved.colors(), row.after);
        EXPECT_TRUE(scriptedUI().allRepliesUsed());
    }
}

// The preferences act on the recent colours as soon as they are saved, and
// "Clear" empties them at once; the window's row follows the list.
TEST_F(VQVellicoApplicationTest, PreferencesLimitAndClearTheRecentColoursAtOnce)
{
    VQRecentColorsRecorder &recent = _delegate->recentColors();
    QClipboard *clipboard = QGuiApplication::clipboard();
    for (const char *color : {"#010101", "#020202", "#030303"}) {
        clipboard->setText(QString::fromLatin1(color));
        _app->paste();
    }
    const QStringList three{"#030303", "#020202", "#010101"};
    EXPECT_EQ(recent.colors().colors(), three);
    const auto *row = _delegate->mainWindow()->findChild<VQRecentColorsRow *>();
    ASSERT_NE(row, nullptr);
    QStringList shown;
    for (const VQColorRef &color : row->strip()->colors())
        shown << color->hexValue();
    EXPECT_EQ(shown, three);

    VQSwatchPreferencesController &preferences = *_delegate->preferencesController();
    preferences.showWindow();
    preferences.recentColorsLimitField()->setValue(2);
    preferences.done();
    EXPECT_EQ(recent.colors().colors(), three.mid(0, 2));
    VQRecentColors saved(VQRecentColors::defaultPath());
    ASSERT_TRUE(saved.load());
    EXPECT_EQ(saved.colors(), three.mid(0, 2));

    preferences.showWindow();
    preferences.clearRecentColorsButton()->click();
    EXPECT_TRUE(recent.colors().colors().isEmpty());
    EXPECT_TRUE(row->strip()->colors().empty());
    ASSERT_TRUE(saved.load());
    EXPECT_TRUE(saved.colors().isEmpty());

    // Switched off: a paste is no longer recorded.
    preferences.recordRecentColorsCheckBox()->setChecked(false);
    preferences.done();
    clipboard->setText(QStringLiteral("#040404"));
    _app->paste();
    EXPECT_EQ(VQSwatchCore::sharedCore()->selectedColor()->hexValue(), "#040404");
    EXPECT_TRUE(recent.colors().colors().isEmpty());
}

// Every shipped language: the window and the preferences built in it show
// every label and button whole (a text wider than its widget is cut off), and
// a right-to-left language lays the window out from the right.
class VQTranslatedWindowTest : public VQVellicoApplicationTest
{
  protected:
    // The labels and buttons of `window` that are shown narrower than their text asks.
    static QStringList cutOff(QWidget *window)
    {
        QStringList found;
        const auto widgets = window->findChildren<QWidget *>();
        for (QWidget *widget : widgets) {
            if (!widget->isVisible() || widget->property("vqElidesText").toBool())
                continue;
            QString text;
            if (auto *label = qobject_cast<QLabel *>(widget); label && !label->wordWrap())
                text = label->text();
            else if (auto *button = qobject_cast<QAbstractButton *>(widget))
                text = button->text();
            if (text.isEmpty())
                continue;
            // A small tool button of a fixed size ("+") has room for its text but not for
            // the style's margins; every other widget needs what it asks for.
            const int needs = qobject_cast<QToolButton *>(widget) ? widget->fontMetrics().horizontalAdvance(text)
                                                                  : widget->sizeHint().width();
            if (widget->width() < needs)
                found << QStringLiteral("%1 \"%2\": %3 px wide, needs %4")
                             .arg(QString::fromLatin1(widget->metaObject()->className()), text)
                             .arg(widget->width())
                             .arg(needs);
        }
        return found;
    }
};

TEST_F(VQTranslatedWindowTest, EveryLanguageFitsTheWindowAndArabicIsMirrored)
{
    const QStringList languages = QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("vellico_*.qm")});
    ASSERT_GE(languages.size(), 7) << "the program ships its translations in its resources";
    for (const QString &file : languages) {
        const QString name = file.mid(8).chopped(3);
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(VQInstallTranslations(*_app, {name}), name);
        startDelegate(std::make_unique<VQScriptedPicker>());
        // English gives only the plural forms; every other language its own words.
        if (name == QLatin1String("en"))
            EXPECT_EQ(VQLocalizedString("%1, %n color(s)", 1).arg(QStringLiteral("Greys")), "Greys, 1 color");
        else
            EXPECT_NE(VQLocalizedString("Show or hide the collections"),
                      QStringLiteral("Show or hide the collections"));
        EXPECT_EQ(QGuiApplication::layoutDirection(), name == QLatin1String("ar") ? Qt::RightToLeft : Qt::LeftToRight);

        _delegate->openCurrentWindow();
        settle();
        EXPECT_EQ(cutOff(_delegate->mainWindow()), QStringList());
        _delegate->preferences();
        settle();
        ASSERT_NE(_delegate->preferencesController(), nullptr);
        EXPECT_EQ(cutOff(_delegate->preferencesController()->widget()), QStringList());
        _delegate->closeCurrentWindow();

        for (QTranslator *translator : _app->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
}
