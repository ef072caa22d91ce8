#pragma once
// The application delegate: the one place where the program is assembled. It
// is handed the desktop services, brings the program up (library,
// the tray icon, then the preferences, synchronisation and the windows), owns the windows and the
// tray icon, switches between the main window and the preferences, builds the
// menus, and takes everything down again when the program ends.

#include "app/VQDesktopServices.h"
#include "app/VQLaunchOptions.h"
#include "app/VQShellMode.h"
#include "platform/VQKeyCombo.h"
#include "platform/VQScreenPicker.h"
#include "vqcore/VQTermination.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
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
    // The tray, shortcut and capture paths in use, a line each, for the About box.
    QStringList whatWorks;
};

enum class VQApplicationMode { MainWindow = 0, Preferences = 1 };

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

    // The window of the current mode.
    QWidget *currentWindow() const;
    bool isCurrentWindowVisible() const;
    void openCurrentWindow();
    void closeCurrentWindow();
    void toggleCurrentWindow();
    VQApplicationMode mode() const { return _mode; }
    // Switches to the preferences (and shows them).
    void preferences();
    // Back from the preferences to the main window, shown.
    void preferencesDone();
    // Where the preferences live; set once the preferences exist.
    void setPreferencesWindow(QWidget *window, std::function<void()> done);

    // The global shortcut: opens the window and starts the loupe, or closes the window.
    void hotKeyWasTriggered();
    // Starts the screen picker; what it picks becomes the selection. `done`,
    // when given, hears the outcome (a colour, a cancel, or a failure and
    // why), at once when a pick already runs.
    using PickDone = std::function<void(const VQPickOutcome &outcome)>;
    // `asker`: the later start that asked for the pick (see askerLeft), 0 for none.
    void loupeColor(PickDone done = {}, quint64 asker = 0);
    bool isPicking() const { return _loupeRunning; }
    // The eyedropper and "Pick Color from Screen": the main window (opened
    // when it is not shown), then the loupe.
    void pickColorFromScreen();
    // The eyedropper's tooltip, naming the global shortcut when one is registered.
    static QString pickColorToolTip(const VQKeyCombo &shortcut);
    // The global shortcut; registered at start-up, re-registered when it changes.
    VQGlobalShortcut *globalShortcut() const { return _globalShortcut.get(); }
    // Selects `color` and shows it in the picker.
    void setColor(const QColor &color);

    // Installs the current picker's view on the canvas.
    void updateColorPicker();
    // Another part of the program switched the picker: the chooser and the canvas follow.
    void colorPickerForceChanged();

    // Collapses or expands the collection lane.
    void toggleCollections();
    bool isCollectionViewerVisible() const;

    // The menus, built anew on each call.
    std::unique_ptr<QMenu> gearMenu();
    std::unique_ptr<QMenu> statusItemMenu();
    // Pops the gear menu up under the gear button.
    void showGearMenu();
    void about();
    void help();
    void sendFeedback();

    // The import commands: ask for a swatch file and add its colours to the library.
    void importACO();
    void importASE();
    void importCLR();
    void importGPL();

    // Carries out what a later start (or this start's command line) asked for;
    // `reply` gets the one-line answer for the asking process. `asker` names
    // that start (VQInstanceChannel), 0 for none.
    void performRequests(const QList<VQLaunchOptions::Request> &requests, const std::function<void(QString)> &reply,
                         quint64 asker = 0);
    void performChannelMessage(const QString &message, const std::function<void(QString)> &reply, quint64 asker = 0);
    // The later start `asker` went away before its answer: the pick it asked for is cancelled.
    void askerLeft(quint64 asker);

    VQStatusItem *statusItem() const { return _statusItem.get(); }
    const VQShellMode &shellMode() const { return _shell; }
    // The About box's text: the version and the paths this session uses.
    QString aboutText() const;
    VQSwatchPreferencesController *preferencesController() const { return _preferences.get(); }
    VQSwatchMainWindow *mainWindow() const { return _mainWindow.get(); }

    // How the start-up log names a core: its file and its number of collections.
    static QString describeCore(const VQSwatchCore &core);

  private:
    void installStatusItem();
    // Builds the preferences, starts synchronisation and builds the main window
    // with its pickers and lane, once.
    void ensureWindowsBuilt();
    void buildPreferences();
    void buildMainWindow();
    void placeWindow(QWidget *window);
    void showWindow(QWidget *window);
    void performKeyAction(int action);
    // Screen tracking with Shift follows the main window's visibility.
    void mainWindowVisibilityChanged();
    // Wayland shows the clipboard only to the program with the keyboard focus:
    // a paste asked from the command line opens the window first and waits (a
    // moment at most) for the focus. False when it did not come.
    bool takeClipboardFocus();
    // Notes the window the user is in (unless it is one of ours), to give it the focus back after a copy.
    void rememberActiveWindow();
    void pickFinished(const VQPickOutcome &outcome);
    // Runs the requests from `from` on; a pick continues once it has its outcome.
    void performRequestsFrom(QList<VQLaunchOptions::Request> requests, qsizetype from, QString answer,
                             std::function<void(QString)> reply, quint64 asker);

    std::unique_ptr<VQDesktopServices> _desktop;
    VQShellMode _shell;
    QStringList _whatWorks;
    bool _firstOpenNoteShown = false;
    bool _chooseLibraryAtLaunch = false;
    bool _windowsBuilt = false;
    VQApplicationMode _mode = VQApplicationMode::MainWindow;
    // The library, from start-up on; what works on it is let go first.
    std::unique_ptr<VQSharedCoreOwner> _library;
    std::unique_ptr<VQiCloudSynchronizationManager> _sync;
    std::unique_ptr<VQColorPickers> _pickers; // with the main window
    std::unique_ptr<VQStatusItem> _statusItem;
    std::unique_ptr<VQSwatchMainWindow> _mainWindow;
    QPointer<QWidget> _preferencesWindow;
    std::function<void()> _preferencesDone;
    PickDone _pickDone;
    QPointer<QWidget> _pickerChooser;
    quint64 _pickerObserver = 0;
    quint64 _coreNoticeObserver = 0;
    quint64 _coreWaitingObserver = 0;
    quint64 _copyObserver = 0;
    bool _loupeRunning = false;
    quint64 _pickAsker = 0; // the later start whose pick runs, if any
    std::unique_ptr<VQMouseTrackingColorPicker> _trackingPicker;
    std::unique_ptr<VQGlobalShortcut> _globalShortcut;
    std::unique_ptr<VQSwatchPreferencesController> _preferences;
};
