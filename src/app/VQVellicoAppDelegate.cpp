#include "app/VQVellicoAppDelegate.h"

#include "app/VQLibraryAtLaunch.h"
#include "app/VQPickCommand.h"
#include "app/VQVellicoApplication.h"
#include "core/VQColor.h"
#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"
#include "core/VQColorNames.h"
#include "core/VQCopyTemplate.h"
#include "core/sync/VQiCloudSynchronizationManager.h"
#include "parsers/VQImportCommands.h"
#include "platform/VQFocusHandBack.h"
#include "platform/VQGlobalShortcut.h"
#include "platform/VQGlobalShortcutService.h"
#include "platform/VQKeyCode.h"
#include "platform/VQMouseTracker.h"
#include "ui/tray/VQStatusItem.h"
#include "ui/loupe/VQMagnifierLoupe.h"
#include "ui/loupe/VQMouseTrackingColorPicker.h"
#include "ui/collections/VQCollectionActions.h"
#include "ui/lane/VQCollectionViewer.h"
#include "ui/mainwindow/VQMainWindowKeys.h"
#include "ui/mainwindow/VQSwatchMainWindow.h"
#include "ui/pickers/VQColorPicker.h"
#include "ui/prefs/VQLaunchAtLogin.h"
#include "ui/prefs/VQSwatchPreferencesController.h"
#include "ui/pickers/VQColorPickerChooserPopUpButton.h"
#include "ui/pickers/VQColorWheelPicker.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"
#include "vqcore/ui/VQDesktopOpen.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QWindow>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#ifndef VELLICO_FEEDBACK_ADDRESS
#define VELLICO_FEEDBACK_ADDRESS "feedback@vellico.invalid"
#endif

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
constexpr int kLaneAnimationMs = 200;
// How long a paste from the command line waits for the keyboard focus on Wayland.
constexpr int kClipboardFocusWaitMs = 2000;

VQVellicoApplication *vellicoApp()
{
    return qobject_cast<VQVellicoApplication *>(QCoreApplication::instance());
}

// A menu item showing the keys that run `command` in the main window.
QAction *addAction(QMenu &menu, const char *title, VQMainWindowKeyAction command, std::function<void()> action)
{
    QAction *item = menu.addAction(VQLocalizedString(title));
    item->setShortcut(VQMainWindowShortcutFor(command));
    // Commands run after the menu has closed, never inside its event loop.
    QObject::connect(item, &QAction::triggered, qApp, std::move(action), Qt::QueuedConnection);
    return item;
}

} // namespace

VQVellicoAppDelegate::VQVellicoAppDelegate(VQAppServices services, QObject *parent)
    : QObject(parent), _desktop(std::move(services.desktop)), _shell(std::move(services.shell)),
      _whatWorks(std::move(services.whatWorks))
{
    if (!_desktop)
        _desktop = std::make_unique<VQDesktopServices>(VQDesktopServices::Pieces{});
    connect(&_desktop->screenPicker(), &VQScreenPicker::finished, this, &VQVellicoAppDelegate::pickFinished);
    if (services.modalUI)
        VQModalUI::install(std::move(services.modalUI));
    if (services.termination)
        VQTermination::setHandler(std::move(services.termination));
}

VQVellicoAppDelegate::~VQVellicoAppDelegate()
{
    VQNotificationCenter::defaultCenter().removeObserver(_pickerObserver);
    VQNotificationCenter::defaultCenter().removeObserver(_coreNoticeObserver);
    VQNotificationCenter::defaultCenter().removeObserver(_coreWaitingObserver);
    VQNotificationCenter::defaultCenter().removeObserver(_copyObserver);
    // The preferences hold on to the shortcut service; they go first.
    _preferencesWindow = nullptr;
    _preferences.reset();
    _globalShortcut.reset();
    // What works on the library goes before it; the library saves as it goes.
    if (_library)
        _library->core().setSelectedColorSink(nullptr);
    _mainWindow.reset();
    _pickers.reset();
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
    _globalShortcut = std::make_unique<VQGlobalShortcut>(shortcuts, [this](const QString &message) {
        // Queued: at start-up the tray icon that says it comes a moment later.
        QTimer::singleShot(0, this, [this, message] {
            if (_statusItem)
                _statusItem->showMessage(QStringLiteral("Vellico"), message);
        });
    });

    // After every copy the window closes and the focus goes back where it was.
    _copyObserver = VQNotificationCenter::defaultCenter().addObserver(QString::fromLatin1(VQColorWasCopiedNotification),
                                                                      nullptr, [this](const VQNotification &) {
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
    installStatusItem();
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
    buildMainWindow();
}

void VQVellicoAppDelegate::buildPreferences()
{
    VQLog("Initializing preferences.");
    // Creating the preferences binds the stored shortcut.
    _preferences = std::make_unique<VQSwatchPreferencesController>(_desktop->globalShortcut());
    VQSwatchPreferencesController *preferences = _preferences.get();
    setPreferencesWindow(preferences->widget(), [preferences] { preferences->done(); });
    connect(preferences, &VQSwatchPreferencesController::didFinish, this, &VQVellicoAppDelegate::preferencesDone);
    connect(preferences, &VQSwatchPreferencesController::windowClosed, this, &VQVellicoAppDelegate::closeCurrentWindow);
}

void VQVellicoAppDelegate::buildMainWindow()
{
    VQSwatchCore &core = _library->core();
    _mainWindow = std::make_unique<VQSwatchMainWindow>(core);
    _mainWindow->setPlacedByCompositor(!_desktop->capabilities().windowPlacement);
    _mainWindow->setOrdinaryWindow(_shell.noTray);
    _mainWindow->setNote(_shell.standingNote);
    connect(_mainWindow.get(), &VQSwatchMainWindow::gearButtonClicked, this, &VQVellicoAppDelegate::showGearMenu);
    // Queued: the loupe runs once the click has ended.
    connect(_mainWindow.get(), &VQSwatchMainWindow::eyedropperClicked, this, &VQVellicoAppDelegate::pickColorFromScreen,
            Qt::QueuedConnection);
    // Where the session offers no way to pick, the eyedropper and the menus' item are left out.
    _mainWindow->eyedropperButton()->setVisible(_desktop->capabilities().screenPicking);
    connect(_mainWindow.get(), &VQSwatchMainWindow::laneToggleClicked, this, &VQVellicoAppDelegate::toggleCollections);
    connect(_mainWindow.get(), &VQSwatchMainWindow::sizeChanged, this, [this] {
        if (_mainWindow->isVisible())
            placeWindow(_mainWindow.get());
    });
    connect(_mainWindow.get(), &VQSwatchMainWindow::keyActionTriggered, this,
            [this](VQMainWindowKeyAction action) { performKeyAction(int(action)); });

    // The pickers show what the library is asked to show, starting with the remembered one.
    _pickers = std::make_unique<VQColorPickers>(core, VQUserDefaults::standard());
    core.setSelectedColorSink(_pickers.get());
    _pickers->selectRememberedPicker();
    auto *chooser = new VQColorPickerChooserPopUpButton(*_pickers);
    _pickerChooser = chooser;
    _mainWindow->setChooser(chooser);
    connect(chooser, &VQColorPickerChooserPopUpButton::colorPickerChanged, this,
            &VQVellicoAppDelegate::updateColorPicker);
    _pickerObserver = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQColorPickerDidForceChangeNotification), nullptr,
        [this](const VQNotification &) { colorPickerForceChanged(); });
    updateColorPicker();

    auto *lane = new VQCollectionViewer(core);
    // A colour chosen in the lane shows in a picker of its own space.
    lane->setPickerSwitch([pickers = _pickers.get()](VQColorSpace space) {
        const VQColorPicker *picker = pickers->currentColorPicker();
        if (picker && picker->colorspace() != space)
            pickers->selectColorPickerOfColorSpace(space);
    });
    _mainWindow->setLaneContent(lane);
}

void VQVellicoAppDelegate::installStatusItem()
{
    VQStatusItem::Actions actions;
    actions.toggleWindow = [this] { toggleCurrentWindow(); };
    actions.makeMenu = [this] { return statusItemMenu(); };
    actions.isWindowVisible = [this] { return isCurrentWindowVisible(); };
    _statusItem = std::make_unique<VQStatusItem>(std::move(actions));
    // Where our menu cannot be put at the icon, the tray host shows it.
    if (!_desktop->capabilities().windowPlacement)
        _statusItem->useHostMenu();
    if (_shell.noTray) {
        // Qt will not look for a tray again: the window is the program.
        VQLog("No system tray, and Qt looks for none later: the main window opens as an ordinary window.");
        if (_shell.openWindowAtStart)
            QTimer::singleShot(0, this, [this] {
                if (_mode == VQApplicationMode::MainWindow && !isCurrentWindowVisible())
                    openCurrentWindow();
            });
    } else {
        if (!QSystemTrayIcon::isSystemTrayAvailable())
            VQLog("No system tray yet; the icon appears when one starts.");
        // Only here: with no tray host at start and none looked for later (not X11), Qt's
        // icon only connects to a signal that the X11 platform alone has, and warns.
        _statusItem->show();
    }
    // What the library has to tell (a file set aside at a save) shows once, at the icon.
    _coreNoticeObserver = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreNoticeNotification), nullptr, [this](const VQNotification &notification) {
            if (_statusItem && notification.object)
                _statusItem->showMessage(QStringLiteral("Vellico"),
                                         static_cast<const VQSwatchCore *>(notification.object)->notice());
        });
    // A save that waits for another program to let go of the library says so at the icon.
    _coreWaitingObserver = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreWaitingDidChangeNotification), nullptr,
        [this](const VQNotification &notification) {
            if (_statusItem && notification.object)
                _statusItem->setStatus(static_cast<const VQSwatchCore *>(notification.object)->waitingFor());
        });
}

void VQVellicoAppDelegate::applicationWillTerminate()
{
    // A loupe still running is cancelled by the quit; the shortcut goes with the program.
    _preferencesWindow = nullptr;
    _preferences.reset();
    _globalShortcut.reset();
    _trackingPicker.reset();
    if (_statusItem)
        _statusItem->hide();
    _statusItem.reset();
    if (_mainWindow)
        _mainWindow->hide();
}

// -- windows and modes --------------------------------------------------------

QWidget *VQVellicoAppDelegate::currentWindow() const
{
    if (_mode == VQApplicationMode::Preferences && _preferencesWindow)
        return _preferencesWindow;
    return _mainWindow.get();
}

bool VQVellicoAppDelegate::isCurrentWindowVisible() const
{
    QWidget *window = currentWindow();
    return window && window->isVisible();
}

void VQVellicoAppDelegate::placeWindow(QWidget *window)
{
    if (!_desktop->capabilities().windowPlacement) {
        // The compositor places windows: only the size is ours.
        if (window == _mainWindow.get())
            _mainWindow->applyPlacement(VQMainWindowPlacement::unplaced(_mainWindow->windowSize()));
        else
            window->adjustSize();
        return;
    }
    const std::optional<QRect> icon = _statusItem ? _statusItem->geometry() : std::nullopt;
    const QPoint pointer = QCursor::pos();
    QScreen *screen = QGuiApplication::screenAt(icon ? icon->center() : pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QSize size;
    if (window == _mainWindow.get()) {
        size = _mainWindow->windowSize();
    } else {
        // A window not shown yet has no size of its own until it is laid out.
        window->adjustSize();
        size = window->size();
    }
    const VQMainWindowPlacement placement =
        VQMainWindowPlacement::place(icon, screen->availableGeometry(), size, pointer);
    if (window == _mainWindow.get())
        _mainWindow->applyPlacement(placement);
    else
        window->move(placement.frame.topLeft());
}

void VQVellicoAppDelegate::rememberActiveWindow()
{
    // Re-opening over our own window keeps the window the user came from.
    _desktop->focusHandBack().remember([](VQFocusHandBack::WindowID active) {
        for (const QWidget *window : QApplication::topLevelWidgets()) {
            if (window->testAttribute(Qt::WA_WState_Created) && window->internalWinId() == active)
                return true;
        }
        return false;
    });
}

void VQVellicoAppDelegate::showWindow(QWidget *window)
{
    rememberActiveWindow();
    placeWindow(window);
    VQFocusHandBack &focus = _desktop->focusHandBack();
    focus.keepOutOfTaskbar(window->winId());
    window->show();
    window->raise();
    window->activateWindow();
    // Window managers that hold back focus requests from programs still honour this one.
    focus.activate(window->winId());
    mainWindowVisibilityChanged();
}

void VQVellicoAppDelegate::mainWindowVisibilityChanged()
{
    if (_trackingPicker)
        _trackingPicker->setMainWindowShown(_mainWindow && _mainWindow->isVisible());
}

void VQVellicoAppDelegate::openCurrentWindow()
{
    ensureWindowsBuilt();
    // The shortcut may have changed since the window was last shown.
    if (_mainWindow && _globalShortcut)
        _mainWindow->eyedropperButton()->setToolTip(pickColorToolTip(_globalShortcut->registeredCombo()));
    // What this session does not offer is said once, at the first showing.
    if (_mainWindow && _mode == VQApplicationMode::MainWindow) {
        QStringList notes;
        if (!_shell.standingNote.isEmpty())
            notes << _shell.standingNote;
        if (!_firstOpenNoteShown && !_shell.firstOpenNote.isEmpty()) {
            notes << _shell.firstOpenNote;
            _firstOpenNoteShown = true;
        }
        _mainWindow->setNote(notes.join(QLatin1Char('\n')));
    }
    if (QWidget *window = currentWindow())
        showWindow(window);
    if (_statusItem)
        _statusItem->setHighlighted(true);
}

void VQVellicoAppDelegate::closeCurrentWindow()
{
    if (QWidget *window = currentWindow())
        window->hide();
    if (_statusItem)
        _statusItem->setHighlighted(false);
    mainWindowVisibilityChanged();
}

void VQVellicoAppDelegate::toggleCurrentWindow()
{
    if (isCurrentWindowVisible())
        closeCurrentWindow();
    else
        openCurrentWindow();
}

void VQVellicoAppDelegate::setPreferencesWindow(QWidget *window, std::function<void()> done)
{
    _preferencesWindow = window;
    _preferencesDone = std::move(done);
}

void VQVellicoAppDelegate::preferences()
{
    ensureWindowsBuilt();
    if (_mode == VQApplicationMode::Preferences) {
        if (!isCurrentWindowVisible())
            openCurrentWindow();
        return;
    }
    if (_mainWindow)
        _mainWindow->hide();
    mainWindowVisibilityChanged();
    _mode = VQApplicationMode::Preferences;
    if (_preferencesWindow)
        showWindow(_preferencesWindow);
    // Also when "Preferences..." came from the tray icon's menu, which has closed by now.
    if (_statusItem)
        _statusItem->setHighlighted(isCurrentWindowVisible());
}

void VQVellicoAppDelegate::preferencesDone()
{
    if (_preferencesWindow)
        _preferencesWindow->hide();
    _mode = VQApplicationMode::MainWindow;
    openCurrentWindow();
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
    if (_mode == VQApplicationMode::Preferences || !isCurrentWindowVisible()) {
        openCurrentWindow();
        if (_mode == VQApplicationMode::Preferences && _preferencesDone)
            _preferencesDone();
    }
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
        rememberActiveWindow();
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
    if (selected && _library)
        _library->core().setSelectedColor(selected, true);
}

// -- the picker and the lane ----------------------------------------------------

void VQVellicoAppDelegate::updateColorPicker()
{
    VQColorPicker *picker = _pickers ? _pickers->currentColorPicker() : nullptr;
    if (!_mainWindow || !picker)
        return;
    picker->selectColor(_library->core().selectedColor());
    _mainWindow->setPickerView(picker->view());
    _mainWindow->setColorWheelShown(dynamic_cast<VQColorWheelPicker *>(picker) != nullptr);
}

void VQVellicoAppDelegate::colorPickerForceChanged()
{
    if (auto *chooser = qobject_cast<VQColorPickerChooserPopUpButton *>(_pickerChooser))
        chooser->selectCurrentPicker();
    updateColorPicker();
}

void VQVellicoAppDelegate::toggleCollections()
{
    if (_mainWindow)
        _mainWindow->setLaneVisible(!_mainWindow->isLaneVisible(), kLaneAnimationMs);
}

bool VQVellicoAppDelegate::isCollectionViewerVisible() const
{
    return _mainWindow && _mainWindow->isLaneVisible();
}

// -- keys --------------------------------------------------------------------------

void VQVellicoAppDelegate::performKeyAction(int rawAction)
{
    VQVellicoApplication *app = vellicoApp();
    switch (VQMainWindowKeyAction(rawAction)) {
    case VQMainWindowKeyAction::CloseWindow:
        closeCurrentWindow();
        break;
    case VQMainWindowKeyAction::Copy:
        if (app)
            app->copy();
        break;
    case VQMainWindowKeyAction::CopyAlternate:
        if (app)
            app->copyAlternate();
        break;
    case VQMainWindowKeyAction::Paste:
        if (app)
            app->paste();
        break;
    case VQMainWindowKeyAction::BrightnessUp:
        if (_pickers)
            VQColorWheelPicker::handleArrowKey(*_pickers, Qt::Key_Up);
        break;
    case VQMainWindowKeyAction::BrightnessDown:
        if (_pickers)
            VQColorWheelPicker::handleArrowKey(*_pickers, Qt::Key_Down);
        break;
    case VQMainWindowKeyAction::Preferences:
        preferences();
        break;
    case VQMainWindowKeyAction::Help:
        help();
        break;
    case VQMainWindowKeyAction::Quit:
        QCoreApplication::quit();
        break;
    case VQMainWindowKeyAction::None:
        break;
    }
}

// -- menus ---------------------------------------------------------------------

std::unique_ptr<QMenu> VQVellicoAppDelegate::gearMenu()
{
    using Keys = VQMainWindowKeyAction;
    auto menu = std::make_unique<QMenu>();
    // Without a tray the status menu's About box is reached from here.
    if (_shell.noTray) {
        addAction(*menu, "About Vellico", Keys::None, [this] { about(); });
        menu->addSeparator();
    }
    if (_desktop->capabilities().screenPicking) {
        addAction(*menu, "Pick Color from Screen", Keys::None, [this] { pickColorFromScreen(); });
        menu->addSeparator();
    }
    addAction(*menu, "Preferences...", Keys::Preferences, [this] { preferences(); });
    menu->addSeparator();
    QMenu *import = menu->addMenu(VQLocalizedString("Import"));
    addAction(*import, "Import ACO file...", Keys::None, [this] { importACO(); });
    addAction(*import, "Import ASE file...", Keys::None, [this] { importASE(); });
    addAction(*import, "Import CLR file...", Keys::None, [this] { importCLR(); });
    addAction(*import, "Import GPL file...", Keys::None, [this] { importGPL(); });
    menu->addSeparator();
    addAction(*menu, "Send Feedback...", Keys::None, [this] { sendFeedback(); });
    addAction(*menu, "Help", Keys::Help, [this] { help(); });
    menu->addSeparator();
    addAction(*menu, "Quit", Keys::Quit, [] { QCoreApplication::quit(); });
    return menu;
}

std::unique_ptr<QMenu> VQVellicoAppDelegate::statusItemMenu()
{
    using Keys = VQMainWindowKeyAction;
    auto menu = std::make_unique<QMenu>();
    addAction(*menu, "About Vellico", Keys::None, [this] { about(); });
    menu->addSeparator();
    if (_desktop->capabilities().screenPicking) {
        addAction(*menu, "Pick Color from Screen", Keys::None, [this] { pickColorFromScreen(); });
        menu->addSeparator();
    }
    addAction(*menu, "Preferences...", Keys::Preferences, [this] { preferences(); });
    menu->addSeparator();
    addAction(*menu, "Quit", Keys::Quit, [] { QCoreApplication::quit(); });
    return menu;
}

void VQVellicoAppDelegate::showGearMenu()
{
    if (!_mainWindow)
        return;
    QToolButton *button = _mainWindow->gearButton();
    std::unique_ptr<QMenu> menu = gearMenu();
    button->setDown(true);
    menu->exec(button->mapToGlobal(QPoint(button->width() - 120, button->height() + 2)));
    button->setDown(false);
}

QString VQVellicoAppDelegate::aboutText() const
{
    QString text = QStringLiteral("Vellico %1\n%2")
                       .arg(QCoreApplication::applicationVersion(),
                            VQLocalizedString("A color picker and swatch manager for the desktop."));
    QStringList lines = _whatWorks;
    // The desktop answers about the shortcut after start: say where it stands now.
    const VQGlobalShortcutService &shortcut = _desktop->globalShortcut();
    if (shortcut.desktopDecidesKeys())
        for (QString &line : lines)
            if (line.startsWith(QLatin1String("Global shortcut: ")))
                line =
                    QStringLiteral("Global shortcut: %1; now: %2").arg(shortcut.description(), shortcut.binding().text);
    if (!lines.isEmpty())
        text += QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'));
    // The colour names' licence asks for its notice wherever they go.
    text += QStringLiteral("\n\n") + VQColorNames::attribution() + QStringLiteral("\n\n") + VQColorNames::licence();
    return text;
}

void VQVellicoAppDelegate::about()
{
    VQModalUI::shared().runAlert({VQLocalizedString("About Vellico"),
                                  aboutText(),
                                  {VQLocalizedString("OK")},
                                  false,
                                  {},
                                  VQAlertStyle::Informational});
}

void VQVellicoAppDelegate::help()
{
    // The guide ships inside the program; a browser needs it as a file.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(folder);
    const QString page = folder + QStringLiteral("/help.html");
    QFile::remove(page);
    if (!QFile::copy(QStringLiteral(":/help/index.html"), page)) {
        VQLog(QStringLiteral("Couldn't write the user guide to ") + page);
        return;
    }
    QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner);
    VQOpenWithDesktop(
        QUrl::fromLocalFile(page),
        {VQLocalizedString("Vellico couldn't open the user guide: no web browser is set up on this desktop."), page,
         VQLocalizedString("Copy Path")});
}

void VQVellicoAppDelegate::sendFeedback()
{
    VQOpenWithDesktop(QUrl(QStringLiteral("mailto:" VELLICO_FEEDBACK_ADDRESS "?subject=Vellico%20") +
                           QCoreApplication::applicationVersion()),
                      {VQLocalizedString("Vellico couldn't start a mail program: none is set up on this desktop. "
                                         "Please write to this address:"),
                       QStringLiteral(VELLICO_FEEDBACK_ADDRESS), VQLocalizedString("Copy Address")});
}

void VQVellicoAppDelegate::importACO()
{
    VQImportCommands::importACO(_library->core());
}

void VQVellicoAppDelegate::importASE()
{
    VQImportCommands::importASE(_library->core());
}

void VQVellicoAppDelegate::importCLR()
{
    VQImportCommands::importCLR(_library->core());
}

void VQVellicoAppDelegate::importGPL()
{
    VQImportCommands::importGPL(_library->core());
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
