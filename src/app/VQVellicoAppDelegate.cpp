#include "app/VQVellicoAppDelegate.h"

#include "app/VQLibraryAtLaunch.h"
#include "app/VQPickController.h"
#include "app/VQRequestController.h"
#include "app/VQVellicoApplication.h"
#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"
#include "core/sync/VQiCloudSynchronizationManager.h"
#include "platform/VQFocusHandBack.h"
#include "platform/VQGlobalShortcut.h"
#include "platform/VQGlobalShortcutService.h"
#include "ui/mainwindow/VQSwatchMainWindow.h"
#include "ui/prefs/VQSwatchPreferencesController.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QTimer>
#include <QToolButton>

namespace
{
VQVellicoAppDelegate *gSharedDelegate = nullptr;

constexpr const char *VQCloseMainWindowOnDeactivateDefaultsKey = "VQCloseMainWindowOnDeactivate";
constexpr const char *VQDontActivateWhenUsingLoupeDefaultsKey = "VQDontActivateWhenUsingLoupe";

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
    _picks = std::make_unique<VQPickController>(_desktop->screenPicker());
    connect(_picks.get(), &VQPickController::aboutToPick, this, [this] {
        if (!VQUserDefaults::standard().boolForKey(QLatin1String(VQDontActivateWhenUsingLoupeDefaultsKey)))
            _windows->rememberActiveWindow();
    });
    connect(_picks.get(), &VQPickController::finished, this, [this](const VQPickOutcome &outcome, VQPickUse use) {
        if (outcome.kind == VQPickOutcome::Kind::Picked && use == VQPickUse::Selection)
            setColor(outcome.color);
    });
    _recent = std::make_unique<VQRecentColorsRecorder>(*_picks);
    _requests = std::make_unique<VQRequestController>(
        *_picks, VQRequestController::Hooks{[this] { ensureWindowsBuilt(); }, [this] { toggleCurrentWindow(); },
                                            [this] { return _windows->hasClipboardFocus(); },
                                            [this] { _windows->askForFocus(); }});
    if (services.modalUI)
        VQModalUI::install(std::move(services.modalUI));
    if (services.termination)
        VQTermination::setHandler(std::move(services.termination));

    _windows = std::make_unique<VQWindowController>(*_desktop, _shell, [this] { ensureWindowsBuilt(); });
    connect(_windows.get(), &VQWindowController::eyedropperClicked, this, &VQVellicoAppDelegate::pickColorFromScreen);
    connect(_windows.get(), &VQWindowController::gearButtonClicked, this, &VQVellicoAppDelegate::showGearMenu);
    // The contrast row's second colour: picked from the screen, or chosen among the recent colours.
    connect(_windows.get(), &VQWindowController::contrastPickRequested, this, [this] {
        if (!isPicking())
            _picks->pickInto([this](const QColor &color) { _windows->setContrastAgainstColor(color); });
    });
    _windows->setRecentColors(*_recent);
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
    handlers.library = [this] { return _library ? &_library->core() : nullptr; };
    _windows->addWindowCommands(handlers);
    _actions = std::make_unique<VQAppActions>(std::move(handlers), _desktop->globalShortcut(),
                                              std::move(services.whatWorks), _shell.noTray);
    connect(_windows.get(), &VQWindowController::keyActionTriggered, _actions.get(), &VQAppActions::runKeyAction);
    _tray = std::make_unique<VQTrayController>(*_desktop, _shell, *_windows, *_actions);
}

VQVellicoAppDelegate::~VQVellicoAppDelegate()
{
    VQNotificationCenter::defaultCenter().removeObserver(_copyObserver);
    // The preferences hold on to the shortcut service; they go first.
    _windows->setPreferencesWindow(nullptr, {});
    _preferences.reset();
    _globalShortcut.reset();
    // What works on the library goes before it (the windows with the pickers); the library saves as it goes.
    if (_library)
        _library->core().setSelectedColorSink(nullptr);
    _tray.reset();
    _actions.reset();
    _windows.reset();
    _sync.reset();
    _library.reset();
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
    _windows->startShiftTracking([this](const QColor &color) { setColor(color); }, [this] { return isPicking(); });
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
    // Opening may itself end the process after telling the user why.
    std::unique_ptr<VQSwatchCore> opened = VQOpenLibraryAtLaunch(VQSwatchDatabaseURL(_chooseLibraryAtLaunch));
    if (!opened) {
        VQLog("Fatal error, couldn't create core, exiting.");
        VQTermination::terminate(0);
    }
    // From here on the library is VQSwatchCore::sharedCore() too, for what has no owner to be handed it by.
    _library = std::make_unique<VQSharedCoreOwner>(std::move(opened));
    VQLog(QStringLiteral("Core successfully created (") + describeCore(_library->core()) + QStringLiteral(")."));

    VQGlobalShortcutService &shortcuts = _desktop->globalShortcut();
    connect(&shortcuts, &VQGlobalShortcutService::triggered, this, &VQVellicoAppDelegate::hotKeyWasTriggered);
    _globalShortcut = std::make_unique<VQGlobalShortcut>(
        shortcuts, [this](const QString &message) { _tray->showMessageSoon(message); });

    // After every copy the window closes and the focus goes back where it was.
    _copyObserver = VQNotificationCenter::defaultCenter().addObserver(QString::fromLatin1(VQColorWasCopiedNotification),
                                                                      nullptr, [this](const VQNotification &) {
                                                                          closeCurrentWindow();
                                                                          _desktop->focusHandBack().handBack();
                                                                      });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && !isPicking() &&
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
    _sync = VQiCloudSynchronizationManager::makeIfAllowed(_library->core());
    _windows->buildMainWindow(_library->core());
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
    _recent->followPreferences(*preferences);
}

void VQVellicoAppDelegate::applicationWillTerminate()
{
    // A loupe still running is cancelled by the quit; the shortcut goes with the program.
    _windows->setPreferencesWindow(nullptr, {});
    _preferences.reset();
    _globalShortcut.reset();
    _windows->stopShiftTracking();
    _tray->remove();
    if (mainWindow())
        mainWindow()->hide();
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
    if (isPicking())
        return;
    if (isCurrentWindowVisible()) {
        closeCurrentWindow();
        return;
    }
    pickColorFromScreen();
}

void VQVellicoAppDelegate::pickColorFromScreen()
{
    if (isPicking())
        return;
    _windows->showMainWindowForPick();
    loupeColor();
}

void VQVellicoAppDelegate::setColor(const QColor &color)
{
    if (const VQColorRef selected = VQColor::fromQColor(color); selected && _library)
        _library->core().setSelectedColor(selected, true);
}
