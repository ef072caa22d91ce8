#pragma once
// The application delegate: brings the program up (library, the tray icon,
// then the preferences, synchronisation and the windows) from the desktop
// services main() hands it, and takes it down again when the program ends. It
// keeps the program's entry points; the work behind them is the controllers':
// the windows and modes (VQWindowController), the commands and menus
// (VQAppActions), picking and the requests of later starts.

#include "app/VQAppActions.h"
#include "app/VQDesktopServices.h"
#include "app/VQLaunchOptions.h"
#include "app/VQPickController.h"
#include "app/VQRecentColorsRecorder.h"
#include "app/VQRequestController.h"
#include "app/VQShellMode.h"
#include "app/VQTrayController.h"
#include "app/VQWindowController.h"
#include "platform/VQKeyCombo.h"
#include "platform/VQScreenPicker.h"
#include "vqcore/VQTermination.h"

#include <QColor>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QWidget;
class VQGlobalShortcut;
class VQModalUI;
class VQMouseTrackingColorPicker;
class VQStatusItem;
class VQColorPickers;
class VQSharedCoreOwner;
class VQSwatchCore;
class VQiCloudSynchronizationManager;
class VQSwatchMainWindow;
class VQSwatchPreferencesController;

// What main() (or a test) hands the delegate before start-up.
struct VQAppServices {
    std::unique_ptr<VQDesktopServices> desktop; // null: the do-nothing services
    std::unique_ptr<VQModalUI> modalUI;         // null: keep the installed one
    VQTermination::Handler termination;         // empty: keep the installed one
    // How the program meets the session (tray, notes); the default: a tray, nothing to say.
    VQShellMode shell;
    // The tray, shortcut and capture paths in use as they are now, a line each, for the About box.
    std::function<QStringList()> whatWorks;
};

class VQVellicoAppDelegate : public QObject
{
    Q_OBJECT

  public:
    explicit VQVellicoAppDelegate(VQAppServices services, QObject *parent = nullptr);
    ~VQVellicoAppDelegate() override;

    // The one delegate of the process (null before it exists and after it is gone).
    static VQVellicoAppDelegate *sharedDelegate();

    // Whether the user asked to pick another library at this launch (set before awakeFromNib).
    void setChooseLibraryAtLaunch(bool choose) { _chooseLibraryAtLaunch = choose; }

    // Stores the shared delegate and runs the start-up sequence.
    void awakeFromNib();
    // Loads the library (or ends the process) and installs the tray icon; the
    // preferences, synchronisation and the main window follow on the next turn
    // of the event loop, or at once for whatever needs them first (a click on
    // the icon, the shortcut, a later start's request).
    void innerInitialization();
    // Whether the main window, the preferences and synchronisation exist yet.
    bool windowsBuilt() const { return _windowsBuilt; }
    // Removes the tray icon and closes the windows.
    void applicationWillTerminate();

    VQDesktopServices &desktopServices() const { return *_desktop; }

    VQWindowController &windows() const { return *_windows; }
    VQAppActions &actions() const { return *_actions; }

    // The window of the current mode, and switching it (see VQWindowController).
    QWidget *currentWindow() const { return _windows->currentWindow(); }
    bool isCurrentWindowVisible() const { return _windows->isCurrentWindowVisible(); }
    void openCurrentWindow() { _windows->openCurrentWindow(); }
    void closeCurrentWindow() { _windows->closeCurrentWindow(); }
    void toggleCurrentWindow() { _windows->toggleCurrentWindow(); }
    VQApplicationMode mode() const { return _windows->mode(); }
    void preferences() { _windows->preferences(); }
    void preferencesDone() { _windows->preferencesDone(); }
    void setPreferencesWindow(QWidget *window, std::function<void()> done)
    {
        _windows->setPreferencesWindow(window, std::move(done));
    }

    // The global shortcut: opens the window and starts the loupe, or closes the window.
    void hotKeyWasTriggered();
    // Starts the screen picker, or queues the pick behind the one under way
    // (VQPickController); what it picks becomes the selection. `done`, when
    // given, hears the outcome (a colour, a cancel, or a failure and why) later.
    using PickDone = std::function<void(const VQPickOutcome &outcome)>;
    // `asker`: the later start that asked for the pick (see askerLeft), 0 for none.
    void loupeColor(PickDone done = {}, quint64 asker = 0) { _picks->pick(std::move(done), asker); }
    bool isPicking() const { return _picks->isPicking(); }
    VQPickController &pickController() const { return *_picks; }
    // The recent colours, kept as colours are picked, copied, pasted and typed.
    VQRecentColorsRecorder &recentColors() const { return *_recent; }
    // The eyedropper and "Pick Color from Screen": the main window (opened
    // when it is not shown), then the loupe.
    void pickColorFromScreen();
    // The eyedropper's tooltip, naming the global shortcut when one is registered.
    static QString pickColorToolTip(const VQKeyCombo &shortcut)
    {
        return VQWindowController::eyedropperToolTip(shortcut);
    }
    // The global shortcut; registered at start-up, re-registered when it changes.
    VQGlobalShortcut *globalShortcut() const { return _globalShortcut.get(); }
    // Selects `color` and shows it in the picker.
    void setColor(const QColor &color);

    void updateColorPicker() { _windows->updateColorPicker(); }
    void colorPickerForceChanged() { _windows->colorPickerForceChanged(); }
    void toggleCollections() { _windows->toggleCollections(); }
    bool isCollectionViewerVisible() const { return _windows->isCollectionViewerVisible(); }

    // The menus, put together anew on each call.
    std::unique_ptr<QMenu> gearMenu() { return _actions->gearMenu(); }
    std::unique_ptr<QMenu> statusItemMenu() { return _actions->statusItemMenu(); }
    // Pops the gear menu up under the gear button.
    void showGearMenu();
    void about() { _actions->about(); }
    void help() { _actions->help(); }
    void sendFeedback() { _actions->sendFeedback(); }

    // The import commands: ask for a swatch file and add its colours to the library.
    void importACO() { _actions->run(VQAppCommand::ImportACO); }
    void importASE() { _actions->run(VQAppCommand::ImportASE); }
    void importCLR() { _actions->run(VQAppCommand::ImportCLR); }
    void importGPL() { _actions->run(VQAppCommand::ImportGPL); }

    // Carries out what a later start (or this start's command line) asked for;
    // `reply` gets the one-line answer for the asking process. `asker` names
    // that start (VQInstanceChannel), 0 for none.
    void performRequests(const QList<VQLaunchOptions::Request> &requests, const std::function<void(QString)> &reply,
                         quint64 asker = 0)
    {
        _requests->performRequests(requests, reply, asker);
    }
    void performChannelMessage(const QString &message, const std::function<void(QString)> &reply, quint64 asker = 0)
    {
        _requests->performChannelMessage(message, reply, asker);
    }
    // The later start `asker` went away before its answer: the pick it asked for is cancelled.
    void askerLeft(quint64 asker) { _picks->askerLeft(asker); }

    VQStatusItem *statusItem() const { return _tray->statusItem(); }
    const VQShellMode &shellMode() const { return _shell; }
    // The About box's text: the version and the paths this session uses.
    QString aboutText() const { return _actions->aboutText(); }
    VQSwatchPreferencesController *preferencesController() const { return _preferences.get(); }
    VQSwatchMainWindow *mainWindow() const { return _windows->mainWindow(); }

    // How the start-up log names a core: its file and its number of collections.
    static QString describeCore(const VQSwatchCore &core);

  private:
    // Builds the preferences, starts synchronisation and builds the main window
    // with its pickers and lane, once.
    void ensureWindowsBuilt();
    void buildPreferences();
    // A pick ended: what it picked for the selection becomes the selection.
    // A pick from the screen whose colour the contrast row compares against.

    std::unique_ptr<VQDesktopServices> _desktop;
    VQShellMode _shell;
    bool _chooseLibraryAtLaunch = false;
    bool _windowsBuilt = false;
    // The library, from start-up on; what works on it is let go first.
    std::unique_ptr<VQSharedCoreOwner> _library;
    std::unique_ptr<VQiCloudSynchronizationManager> _sync;
    quint64 _copyObserver = 0;
    std::unique_ptr<VQPickController> _picks;
    std::unique_ptr<VQRecentColorsRecorder> _recent; // after the pick controller: it listens to it
    std::unique_ptr<VQRequestController> _requests;
    std::unique_ptr<VQGlobalShortcut> _globalShortcut;
    std::unique_ptr<VQSwatchPreferencesController> _preferences;
    // Last: they go first, the windows with them.
    std::unique_ptr<VQAppActions> _actions;
    std::unique_ptr<VQWindowController> _windows;
    std::unique_ptr<VQTrayController> _tray;
};
