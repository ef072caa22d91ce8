#include "app/VQWindowController.h"

#include "app/VQDesktopServices.h"
#include "app/VQRecentColorsRecorder.h"
#include "core/VQColorNames.h"
#include "core/VQSwatchCore.h"
#include "platform/VQFocusHandBack.h"
#include "platform/VQKeyCode.h"
#include "platform/VQKeyCombo.h"
#include "platform/VQMouseTracker.h"
#include "ui/loupe/VQMouseTrackingColorPicker.h"
#include "ui/lane/VQCollectionViewer.h"
#include "ui/mainwindow/VQMainWindowKeys.h"
#include "ui/mainwindow/VQSelectionControl.h"
#include "ui/mainwindow/VQSwatchMainWindow.h"
#include "ui/pickers/VQColorPicker.h"
#include "ui/pickers/VQColorPickerChooserPopUpButton.h"
#include "ui/pickers/VQColorWheelPicker.h"
#include "ui/tools/VQColorSearchPanel.h"
#include "ui/tools/VQContrastRow.h"
#include "ui/tools/VQRecentColorsRow.h"
#include "ui/tools/VQShadesRow.h"
#include "ui/tray/VQStatusItem.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QScreen>
#include <QToolButton>

namespace
{
constexpr int kLaneAnimationMs = 200;
}

VQWindowController::VQWindowController(VQDesktopServices &desktop, const VQShellMode &shell,
                                       std::function<void()> ensureBuilt, QObject *parent)
    : QObject(parent), _desktop(desktop), _shell(shell), _ensureBuilt(std::move(ensureBuilt))
{
    // The session may tell after the start that picking works (or not): the eyedropper follows.
    connect(&_desktop, &VQDesktopServices::capabilitiesChanged, this, [this] {
        if (_mainWindow)
            _mainWindow->eyedropperButton()->setVisible(_desktop.capabilities().screenPicking);
        if (_contrastRow)
            _contrastRow->setPickingAvailable(_desktop.capabilities().screenPicking);
    });
}

VQWindowController::~VQWindowController()
{
    VQNotificationCenter::defaultCenter().removeObserver(_pickerObserver);
    if (_library && _pickers)
        _library->setSelectedColorSink(nullptr);
    _mainWindow.reset();
}

void VQWindowController::buildMainWindow(VQSwatchCore &library)
{
    if (_mainWindow)
        return;
    _library = &library;
    _mainWindow = std::make_unique<VQSwatchMainWindow>(library);
    _mainWindow->setPlacedByCompositor(!_desktop.capabilities().windowPlacement);
    _mainWindow->setOrdinaryWindow(_shell.noTray);
    _mainWindow->setNote(_shell.standingNote);
    connect(_mainWindow.get(), &VQSwatchMainWindow::gearButtonClicked, this, &VQWindowController::gearButtonClicked);
    // Queued: the loupe runs once the click has ended.
    connect(_mainWindow.get(), &VQSwatchMainWindow::eyedropperClicked, this, &VQWindowController::eyedropperClicked,
            Qt::QueuedConnection);
    // Where the session offers no way to pick, the eyedropper is left out.
    _mainWindow->eyedropperButton()->setVisible(_desktop.capabilities().screenPicking);
    connect(_mainWindow.get(), &VQSwatchMainWindow::laneToggleClicked, this, &VQWindowController::toggleCollections);
    connect(_mainWindow.get(), &VQSwatchMainWindow::sizeChanged, this, [this] {
        if (_mainWindow->isVisible())
            placeWindow(_mainWindow.get());
    });
    connect(_mainWindow.get(), &VQSwatchMainWindow::keyActionTriggered, this, &VQWindowController::keyActionTriggered);

    // The pickers show what the library is asked to show, starting with the remembered one.
    _pickers = std::make_unique<VQColorPickers>(library, VQUserDefaults::standard());
    library.setSelectedColorSink(_pickers.get());
    _pickers->selectRememberedPicker();
    auto *chooser = new VQColorPickerChooserPopUpButton(*_pickers);
    _pickerChooser = chooser;
    _mainWindow->setChooser(chooser);
    connect(chooser, &VQColorPickerChooserPopUpButton::colorPickerChanged, this,
            &VQWindowController::updateColorPicker);
    _pickerObserver = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQColorPickerDidForceChangeNotification), nullptr,
        [this](const VQNotification &) { colorPickerForceChanged(); });
    updateColorPicker();

    auto *lane = new VQCollectionViewer(library);
    // A colour chosen in the lane shows in a picker of its own space.
    lane->setPickerSwitch([pickers = _pickers.get()](VQColorSpace space) {
        const VQColorPicker *picker = pickers->currentColorPicker();
        if (picker && picker->colorspace() != space)
            pickers->selectColorPickerOfColorSpace(space);
    });
    _mainWindow->setLaneContent(lane);
    _lane = lane;

    // Contrast against a second colour, under the picker.
    _contrastRow = new VQContrastRow(library, VQUserDefaults::standard());
    _contrastRow->setPickingAvailable(_desktop.capabilities().screenPicking);
    if (_recent)
        _contrastRow->setRecentColors([recent = _recent] { return recent->colors().colors(); });
    // Queued, as the eyedropper: the loupe runs once the click or the menu has ended.
    connect(_contrastRow, &VQContrastRow::pickRequested, this, &VQWindowController::contrastPickRequested,
            Qt::QueuedConnection);
    connect(_mainWindow.get(), &VQSwatchMainWindow::keyActionTriggered, this, [this](VQMainWindowKeyAction action) {
        if (action == VQMainWindowKeyAction::SwapContrastColors && _contrastRow)
            _contrastRow->swapColors();
    });
    _mainWindow->addToolRow(_contrastRow);
    // The selection's shades and tints under it, then the recent colours.
    _mainWindow->addToolRow(new VQShadesRow(library));
    if (_recent) {
        auto *row = new VQRecentColorsRow(library);
        row->setRecentColors(_recent->colors().colors());
        connect(_recent, &VQRecentColorsRecorder::colorsChanged, row,
                [row, recent = _recent] { row->setRecentColors(recent->colors().colors()); });
        _mainWindow->addToolRow(row);
    }
}

void VQWindowController::setContrastAgainstColor(const QColor &color)
{
    if (const VQColorRef against = VQColor::fromQColor(color); against && _contrastRow)
        _contrastRow->setAgainstColor(against->RGBColor());
}

void VQWindowController::newCollection()
{
    if (_lane && _library)
        if (const VQColorRef color = _library->selectedColor())
            // A colour of its own, as a dropped one would be.
            _lane->addCollectionWithColor(color->colorSpace() == VQColorSpace::CMYK
                                              ? VQColor::makeCMYK(color->CMYKColor())
                                              : VQColor::makeRGB(color->RGBColor()));
}

void VQWindowController::findColor()
{
    if (!_mainWindow || !_library)
        return;
    if (!_search) {
        _search = new VQColorSearchPanel(*_library, VQColorNames::shared(), _mainWindow.get());
        connect(_search, &VQColorSearchPanel::colorChosen, this,
                [this](const VQColorRef &color) { _library->setSelectedColor(color, true); });
    }
    _search->open(_mainWindow->overLaneArea());
}

void VQWindowController::addWindowCommands(VQAppActions::Handlers &handlers)
{
    handlers.copyColorName = [this] { copyColorName(); };
    handlers.newCollection = [this] { newCollection(); };
    handlers.findColor = [this] { findColor(); };
    handlers.arrowKey = [this](int qtKey) {
        if (_pickers)
            VQColorWheelPicker::handleArrowKey(*_pickers, qtKey);
    };
}

void VQWindowController::copyColorName()
{
    if (_mainWindow)
        _mainWindow->colorNameLabel()->copyName();
}

void VQWindowController::setPreferencesWindow(QWidget *window, std::function<void()> done)
{
    _preferencesWindow = window;
    _preferencesDone = std::move(done);
}

QWidget *VQWindowController::currentWindow() const
{
    if (_mode == VQApplicationMode::Preferences && _preferencesWindow)
        return _preferencesWindow;
    return _mainWindow.get();
}

bool VQWindowController::isCurrentWindowVisible() const
{
    QWidget *window = currentWindow();
    return window && window->isVisible();
}

void VQWindowController::placeWindow(QWidget *window)
{
    const bool main = window == _mainWindow.get();
    if (!_desktop.capabilities().windowPlacement) {
        // The compositor places windows: only the size is ours.
        if (main)
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
    // A window not shown yet has no size of its own until it is laid out.
    if (!main)
        window->adjustSize();
    const QSize size = main ? _mainWindow->windowSize() : window->size();
    const VQMainWindowPlacement placement =
        VQMainWindowPlacement::place(icon, screen->availableGeometry(), size, pointer);
    if (main)
        _mainWindow->applyPlacement(placement);
    else
        window->move(placement.frame.topLeft());
}

void VQWindowController::rememberActiveWindow()
{
    // Re-opening over our own window keeps the window the user came from.
    _desktop.focusHandBack().remember([](VQFocusHandBack::WindowID active) {
        for (const QWidget *window : QApplication::topLevelWidgets()) {
            if (window->testAttribute(Qt::WA_WState_Created) && window->internalWinId() == active)
                return true;
        }
        return false;
    });
}

void VQWindowController::showWindow(QWidget *window)
{
    rememberActiveWindow();
    placeWindow(window);
    VQFocusHandBack &focus = _desktop.focusHandBack();
    focus.keepOutOfTaskbar(window->winId());
    window->show();
    window->raise();
    window->activateWindow();
    // Window managers that hold back focus requests from programs still honour this one.
    focus.activate(window->winId());
    emit mainWindowShownChanged(_mainWindow && _mainWindow->isVisible());
}

bool VQWindowController::hasClipboardFocus() const
{
    return _desktop.capabilities().windowPlacement || QGuiApplication::focusWindow();
}

void VQWindowController::askForFocus()
{
    if (!isCurrentWindowVisible())
        openCurrentWindow();
    else if (QWidget *window = currentWindow())
        window->activateWindow();
}

QString VQWindowController::eyedropperToolTip(const VQKeyCombo &shortcut)
{
    const QString title = VQLocalizedString("Pick Color from Screen");
    if (shortcut.code < 0)
        return title;
    return title + QStringLiteral(" (") + VQReadableShortcut(shortcut.flags, shortcut.code) + QLatin1Char(')');
}

void VQWindowController::startShiftTracking(std::function<void(const QColor &)> select, std::function<bool()> picking)
{
    VQMouseTracker *pointerWatch = _desktop.pointerWatch();
    if (!pointerWatch || _trackingPicker)
        return;
    _trackingPicker =
        std::make_unique<VQMouseTrackingColorPicker>(*pointerWatch, std::move(select), std::move(picking));
    _trackingPicker->startTracking();
    connect(this, &VQWindowController::mainWindowShownChanged, this, [this](bool shown) {
        if (_trackingPicker)
            _trackingPicker->setMainWindowShown(shown);
    });
}

void VQWindowController::stopShiftTracking()
{
    _trackingPicker.reset();
}

void VQWindowController::setHighlighted(bool highlighted)
{
    if (_statusItem)
        _statusItem->setHighlighted(highlighted);
}

void VQWindowController::openCurrentWindow()
{
    if (_ensureBuilt)
        _ensureBuilt();
    // What this session does not offer is said once, at the first showing.
    if (_mainWindow && _mode == VQApplicationMode::MainWindow) {
        emit mainWindowWillOpen();
        QStringList notes;
        if (!_shell.standingNote.isEmpty())
            notes << _shell.standingNote;
        // From what the session has answered by now (the portal may answer after the start).
        const VQDesktopCapabilities &can = _desktop.capabilities();
        const QString firstOpenNote = VQShellMode::noteFor(can.screenPicking, can.globalShortcut);
        if (!_firstOpenNoteShown && !firstOpenNote.isEmpty()) {
            notes << firstOpenNote;
            _firstOpenNoteShown = true;
        }
        _mainWindow->setNote(notes.join(QLatin1Char('\n')));
    }
    if (QWidget *window = currentWindow())
        showWindow(window);
    setHighlighted(true);
}

void VQWindowController::closeCurrentWindow()
{
    if (QWidget *window = currentWindow())
        window->hide();
    setHighlighted(false);
    emit mainWindowShownChanged(_mainWindow && _mainWindow->isVisible());
}

void VQWindowController::toggleCurrentWindow()
{
    if (isCurrentWindowVisible())
        closeCurrentWindow();
    else
        openCurrentWindow();
}

void VQWindowController::preferences()
{
    if (_ensureBuilt)
        _ensureBuilt();
    if (_mode == VQApplicationMode::Preferences) {
        if (!isCurrentWindowVisible())
            openCurrentWindow();
        return;
    }
    if (_mainWindow)
        _mainWindow->hide();
    emit mainWindowShownChanged(false);
    _mode = VQApplicationMode::Preferences;
    if (_preferencesWindow)
        showWindow(_preferencesWindow);
    // Also when "Preferences..." came from the tray icon's menu, which has closed by now.
    setHighlighted(isCurrentWindowVisible());
}

void VQWindowController::preferencesDone()
{
    if (_preferencesWindow)
        _preferencesWindow->hide();
    _mode = VQApplicationMode::MainWindow;
    openCurrentWindow();
}

void VQWindowController::showMainWindowForPick()
{
    if (_mode == VQApplicationMode::MainWindow && isCurrentWindowVisible())
        return;
    const bool fromPreferences = _mode == VQApplicationMode::Preferences;
    openCurrentWindow();
    // Ending the preferences saves them and brings the main window back.
    if (fromPreferences && _preferencesDone)
        _preferencesDone();
}

// -- the picker and the lane ----------------------------------------------------

void VQWindowController::updateColorPicker()
{
    VQColorPicker *picker = _pickers ? _pickers->currentColorPicker() : nullptr;
    if (!_mainWindow || !picker)
        return;
    picker->selectColor(_library->selectedColor());
    _mainWindow->setPickerView(picker->view());
    _mainWindow->setColorWheelShown(dynamic_cast<VQColorWheelPicker *>(picker) != nullptr);
}

void VQWindowController::colorPickerForceChanged()
{
    if (auto *chooser = qobject_cast<VQColorPickerChooserPopUpButton *>(_pickerChooser))
        chooser->selectCurrentPicker();
    updateColorPicker();
}

void VQWindowController::toggleCollections()
{
    if (_mainWindow)
        _mainWindow->setLaneVisible(!_mainWindow->isLaneVisible(), kLaneAnimationMs);
}

bool VQWindowController::isCollectionViewerVisible() const
{
    return _mainWindow && _mainWindow->isLaneVisible();
}
