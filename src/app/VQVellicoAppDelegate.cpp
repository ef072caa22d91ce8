#include "app/VQVellicoAppDelegate.h"

#include "app/VQVellicoApplication.h"
#include "core/VQColor.h"
#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"
#include "core/VQCopyTemplate.h"
#include "core/sync/VQiCloudSynchronizationManager.h"
#include "platform/VQFocusHandBack.h"
#include "platform/VQGlobalShortcut.h"
#include "platform/VQGlobalShortcutService.h"
#include "platform/VQKeyCode.h"
#include "platform/VQMouseTracker.h"
#include "ui/loupe/VQMagnifierLoupe.h"
#include "ui/loupe/VQMouseTrackingColorPicker.h"
#include "ui/mainwindow/VQSwatchMainWindow.h"
#include "ui/prefs/VQLaunchAtLogin.h"
#include "ui/prefs/VQSwatchPreferencesController.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QEventLoop>
#include <QWindow>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace
{
VQVellicoAppDelegate *gSharedDelegate = nullptr;

// What a later start hears of a pick: "picked TEXT" (in copy format
// `copyTemplate` when it names one), "cancelled", or "failed REASON".
QString pickAnswer(const VQPickOutcome &outcome, int copyTemplate)
{
    const VQColorRef color = outcome.kind == VQPickOutcome::Kind::Picked ? VQColor::fromQColor(outcome.color) : nullptr;
    if (!color)
        return outcome.kind == VQPickOutcome::Kind::Failed && !outcome.reason.isEmpty()
                   ? QStringLiteral("failed ") + outcome.reason
                   : QStringLiteral("cancelled");
    const std::optional<VQCopyTemplate> format = VQCopyTemplateFromRawValue(copyTemplate);
    return QStringLiteral("picked ") +
           (format ? VQCopyText(*color, *format,
                                VQUserDefaults::standard().boolForKey(QLatin1String(VQUseLowercaseDefaultsKey)))
                   : color->hexValue());
}

constexpr const char *VQCloseMainWindowOnDeactivateDefaultsKey = "VQCloseMainWindowOnDeactivate";
constexpr const char *VQDontActivateWhenUsingLoupeDefaultsKey = "VQDontActivateWhenUsingLoupe";
// How long a paste from the command line waits for the keyboard focus on Wayland.
constexpr int kClipboardFocusWaitMs = 2000;

VQVellicoApplication *vellicoApp()
{
    return qobject_cast<VQVellicoApplication *>(QCoreApplication::instance());
}

void runOnApp(void (VQVellicoApplication::*command)())
{
    if (VQVellicoApplication *app = vellicoApp())
        (app->*command)();
}

} // namespace

VQVellicoAppDelegate::VQVellicoAppDelegate(VQAppServices services, QObject *parent)
    : QObject(parent), _desktop(std::move(services.desktop)), _shell(std::move(services.shell))
{
    if (!_desktop)
        _desktop = std::make_unique<VQDesktopServices>(VQDesktopServices::Pieces{});
    connect(&_desktop->screenPicker(), &VQScreenPicker::finished, this, &VQVellicoAppDelegate::pickFinished);
    if (services.modalUI)
        VQModalUI::install(std::move(services.modalUI));
    if (services.termination)
        VQTermination::setHandler(std::move(services.termination));

    _windows = std::make_unique<VQWindowController>(*_desktop, _shell, [this] { ensureWindowsBuilt(); });
    connect(_windows.get(), &VQWindowController::eyedropperClicked, this, &VQVellicoAppDelegate::pickColorFromScreen);
    connect(_windows.get(), &VQWindowController::gearButtonClicked, this, &VQVellicoAppDelegate::showGearMenu);
    connect(_windows.get(), &VQWindowController::mainWindowShownChanged, this, [this](bool shown) {
        if (_trackingPicker)
            _trackingPicker->setMainWindowShown(shown);
    });
    // The shortcut may have changed since the window was last shown.
    connect(_windows.get(), &VQWindowController::mainWindowWillOpen, this, [this] {
        if (_globalShortcut)
            mainWindow()->eyedropperButton()->setToolTip(pickColorToolTip(_globalShortcut->registeredCombo()));
    });

    VQAppActions::Handlers handlers;
    handlers.pickColor = [this] { pickColorFromScreen(); };
    handlers.preferences = [this] { preferences(); };
    handlers.closeWindow = [this] { closeCurrentWindow(); };
    handlers.copy = [] { runOnApp(&VQVellicoApplication::copy); };
    handlers.copyAlternate = [] { runOnApp(&VQVellicoApplication::copyAlternate); };
    handlers.paste = [] { runOnApp(&VQVellicoApplication::paste); };
    handlers.canPick = [this] { return _desktop->capabilities().screenPicking; };
    _actions = std::make_unique<VQAppActions>(std::move(handlers), _desktop->globalShortcut(),
                                              std::move(services.whatWorks), _shell.noTray);
    connect(_windows.get(), &VQWindowController::keyActionTriggered, _actions.get(), &VQAppActions::runKeyAction);
    _tray = std::make_unique<VQTrayController>(*_desktop, _shell, *_windows, *_actions);
}

VQVellicoAppDelegate::~VQVellicoAppDelegate()
{
    VQSetAfterCopyHandler(nullptr);
    // The preferences hold on to the shortcut service; they go first.
    _windows->setPreferencesWindow(nullptr, {});
    _preferences.reset();
    _globalShortcut.reset();
    if (gSharedDelegate == this)
        gSharedDelegate = nullptr;
}

VQVellicoAppDelegate *VQVellicoAppDelegate::sharedDelegate()
{
    return gSharedDelegate;
}

void VQVellicoAppDelegate::awakeFromNib()
{
    gSharedDelegate = this;
    // Shift tracking, where the session reports the pointer's moves.
    if (VQMouseTracker *pointerWatch = _desktop->pointerWatch()) {
        _trackingPicker = std::make_unique<VQMouseTrackingColorPicker>(
            *pointerWatch, [this](const QColor &color) { setColor(color); });
        _trackingPicker->startTracking();
    }
    // An autostart entry of an earlier version carries the old name and icon.
    QString autostartError;
    if (!VQLaunchAtLogin::replaceLegacyEntry(QCoreApplication::applicationFilePath(), &autostartError))
        VQLog(QStringLiteral("The old autostart entry %1 could not be replaced: %2")
                  .arg(VQLaunchAtLogin::legacyEntryPath(), autostartError));
    innerInitialization();
    QTimer::singleShot(0, this, [] {
        VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQApplicationDidFinishLaunchingNotification));
    });
}

QString VQVellicoAppDelegate::describeCore(const VQSwatchCore &core)
{
    return QStringLiteral("VQSwatchCore \"%1\", %2 collections").arg(core.URL()).arg(core.numberOfCollections());
}

void VQVellicoAppDelegate::innerInitialization()
{
    VQLog("Creating swatch core.");
    // Loading may itself end the process after telling the user why.
    VQSwatchCore::setSharedCore(VQSwatchCore::loadFromURL(VQSwatchDatabaseURL(_chooseLibraryAtLaunch)));
    VQSwatchCore *core = VQSwatchCore::sharedCore();
    if (!core) {
        VQLog("Fatal error, couldn't create core, exiting.");
        VQTermination::terminate(0);
    }
    VQLog(QStringLiteral("Core successfully created (") + describeCore(*core) + QStringLiteral(")."));

    VQGlobalShortcutService &shortcuts = _desktop->globalShortcut();
    connect(&shortcuts, &VQGlobalShortcutService::triggered, this, &VQVellicoAppDelegate::hotKeyWasTriggered);
    _globalShortcut = std::make_unique<VQGlobalShortcut>(
        shortcuts, [this](const QString &message) { _tray->showMessageSoon(message); });

    // After every copy the window closes and the focus goes back where it was.
    VQSetAfterCopyHandler([this] {
        closeCurrentWindow();
        _desktop->focusHandBack().handBack();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && !_loupeRunning &&
            VQUserDefaults::standard().boolForKey(QLatin1String(VQCloseMainWindowOnDeactivateDefaultsKey)))
            closeCurrentWindow();
    });

    // The icon first: nothing it needs waits for the rest. The preferences,
    // synchronisation and the main window follow on the next turn of the event
    // loop; whatever needs them sooner builds them itself (ensureWindowsBuilt).
    _tray->install();
    QTimer::singleShot(0, this, &VQVellicoAppDelegate::ensureWindowsBuilt);
}

void VQVellicoAppDelegate::ensureWindowsBuilt()
{
    if (_windowsBuilt)
        return;
    _windowsBuilt = true;
    // Preferences come before synchronisation: they decide whether it runs.
    buildPreferences();
    // Its first pass follows the end of launching, which comes after this.
    VQLog("Starting sync core.");
    VQiCloudSynchronizationManager::sharedManager();
    _windows->buildMainWindow();
}

void VQVellicoAppDelegate::buildPreferences()
{
    VQLog("Initializing preferences.");
    // Creating the preferences binds the stored shortcut.
    _preferences = std::make_unique<VQSwatchPreferencesController>(_desktop->globalShortcut());
    VQSwatchPreferencesController *preferences = _preferences.get();
    _windows->setPreferencesWindow(preferences->widget(), [preferences] { preferences->done(); });
    connect(preferences, &VQSwatchPreferencesController::didFinish, _windows.get(),
            &VQWindowController::preferencesDone);
    connect(preferences, &VQSwatchPreferencesController::windowClosed, _windows.get(),
            &VQWindowController::closeCurrentWindow);
}

void VQVellicoAppDelegate::applicationWillTerminate()
{
    // A loupe still running is cancelled by the quit; the shortcut goes with the program.
    _windows->setPreferencesWindow(nullptr, {});
    _preferences.reset();
    _globalShortcut.reset();
    _trackingPicker.reset();
    _tray->remove();
    if (mainWindow())
        mainWindow()->hide();
}

std::unique_ptr<QMenu> VQVellicoAppDelegate::gearMenu()
{
    return _actions->gearMenu();
}

std::unique_ptr<QMenu> VQVellicoAppDelegate::statusItemMenu()
{
    return _actions->statusItemMenu();
}

void VQVellicoAppDelegate::showGearMenu()
{
    if (VQSwatchMainWindow *window = mainWindow())
        _actions->popUpGearMenu(window->gearButton());
}

// -- the loupe and the shortcut ----------------------------------------------

void VQVellicoAppDelegate::hotKeyWasTriggered()
{
    // The shortcut pressed while the loupe runs belongs to the loupe.
    if (_loupeRunning)
        return;
    if (isCurrentWindowVisible()) {
        closeCurrentWindow();
        return;
    }
    pickColorFromScreen();
}

void VQVellicoAppDelegate::pickColorFromScreen()
{
    if (_loupeRunning)
        return;
    _windows->showMainWindowForPick();
    loupeColor();
}

QString VQVellicoAppDelegate::pickColorToolTip(const VQKeyCombo &shortcut)
{
    const QString title = VQLocalizedString("Pick Color from Screen");
    if (shortcut.code < 0)
        return title;
    return title + QStringLiteral(" (") + VQReadableShortcut(shortcut.flags, shortcut.code) + QLatin1Char(')');
}

void VQVellicoAppDelegate::loupeColor(PickDone done, quint64 asker)
{
    VQScreenPicker &picker = _desktop->screenPicker();
    if (_loupeRunning || picker.isRunning() || VQMagnifierLoupe::isRunning()) {
        if (done)
            done(VQPickOutcome::failed(QStringLiteral("a loupe is already running")));
        return;
    }
    if (!VQUserDefaults::standard().boolForKey(QLatin1String(VQDontActivateWhenUsingLoupeDefaultsKey)))
        _windows->rememberActiveWindow();
    _loupeRunning = true;
    _pickAsker = asker;
    _pickDone = std::move(done);
    picker.pick();
}

void VQVellicoAppDelegate::askerLeft(quint64 asker)
{
    if (asker == 0 || !_loupeRunning || asker != _pickAsker)
        return;
    VQLog(QStringLiteral("The start that asked for the pick went away: cancelling it."));
    _desktop->screenPicker().cancel();
}

void VQVellicoAppDelegate::pickFinished(const VQPickOutcome &outcome)
{
    if (!_loupeRunning)
        return;
    _loupeRunning = false;
    _pickAsker = 0;
    if (outcome.kind == VQPickOutcome::Kind::Picked)
        setColor(outcome.color);
    if (PickDone done = std::exchange(_pickDone, {}))
        done(outcome);
}

void VQVellicoAppDelegate::setColor(const QColor &color)
{
    const VQColorRef selected = VQColor::fromQColor(color);
    VQSwatchCore *core = VQSwatchCore::sharedCore();
    if (selected && core)
        core->setSelectedColor(selected, true);
}

// -- requests from the command line and from later starts -----------------------

void VQVellicoAppDelegate::performChannelMessage(const QString &message, const std::function<void(QString)> &reply,
                                                 quint64 asker)
{
    // A request right after start waits for the rest of the program to be built.
    ensureWindowsBuilt();
    const VQLaunchOptions options = VQLaunchOptions::parseChannelMessage(message);
    if (!options.error.isEmpty()) {
        reply(QStringLiteral("error ") + options.error);
        return;
    }
    // Started again with nothing to do: the user wants the window.
    if (options.requests.isEmpty()) {
        toggleCurrentWindow();
        reply(QStringLiteral("ok"));
        return;
    }
    performRequests(options.requests, reply, asker);
}

bool VQVellicoAppDelegate::takeClipboardFocus()
{
    if (_desktop->capabilities().windowPlacement || QGuiApplication::focusWindow())
        return true;
    if (!isCurrentWindowVisible())
        openCurrentWindow();
    else if (QWidget *window = currentWindow())
        window->activateWindow();
    QEventLoop wait;
    QTimer::singleShot(kClipboardFocusWaitMs, &wait, &QEventLoop::quit);
    connect(qApp, &QGuiApplication::focusWindowChanged, &wait, [&wait](QWindow *window) {
        if (window)
            wait.quit();
    });
    if (!QGuiApplication::focusWindow())
        wait.exec();
    // The compositor sends the clipboard's offer with the focus: let it arrive.
    QCoreApplication::processEvents();
    return QGuiApplication::focusWindow() != nullptr;
}

void VQVellicoAppDelegate::performRequests(const QList<VQLaunchOptions::Request> &requests,
                                           const std::function<void(QString)> &reply, quint64 asker)
{
    ensureWindowsBuilt();
    performRequestsFrom(requests, 0, QStringLiteral("ok"), reply, asker);
}

void VQVellicoAppDelegate::performRequestsFrom(QList<VQLaunchOptions::Request> requests, qsizetype from, QString answer,
                                               std::function<void(QString)> reply, quint64 asker)
{
    VQVellicoApplication *app = vellicoApp();
    for (qsizetype index = from; index < requests.size(); ++index) {
        const VQLaunchOptions::Request &request = requests[index];
        // Reading the clipboard needs the focus. Writing it needs an input event of ours
        // besides, which a command from another process cannot bring: a copy is tried as it is.
        if (request.command == VQLaunchOptions::Command::Paste && !takeClipboardFocus())
            VQLog("The compositor did not give Vellico the keyboard focus: the clipboard may not follow.");
        switch (request.command) {
        case VQLaunchOptions::Command::Copy:
            if (app)
                app->copy();
            break;
        case VQLaunchOptions::Command::CopyAlternate:
            if (app)
                app->copyAlternate();
            break;
        case VQLaunchOptions::Command::Paste:
            if (app)
                app->paste();
            break;
        case VQLaunchOptions::Command::Pick:
            // The rest waits for the pick's outcome, which may come before loupeColor returns.
            loupeColor(
                [this, requests, index, reply, asker,
                 copyTemplate = request.copyTemplate](const VQPickOutcome &outcome) {
                    performRequestsFrom(requests, index + 1, pickAnswer(outcome, copyTemplate), reply, asker);
                },
                asker);
            return;
        }
    }
    if (reply)
        reply(answer);
}
