#pragma once
// The program's windows and modes: the main window (with its pickers and lane)
// or the preferences, one of them current; where a window goes when it opens,
// the focus given to it and handed back, and the tray icon's highlight. Built
// by the delegate, which wires its signals to the picking and the menus.

#include "app/VQAppActions.h"
#include "app/VQShellMode.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;
class VQCollectionViewer;
class VQColorSearchPanel;
class VQColorPickers;
class VQSwatchCore;
class QColor;
class VQDesktopServices;
class VQMouseTrackingColorPicker;
class VQRecentColorsRecorder;
struct VQKeyCombo;
class VQStatusItem;
class VQSwatchMainWindow;
class VQContrastRow;
enum class VQMainWindowKeyAction;

enum class VQApplicationMode { MainWindow = 0, Preferences = 1 };

class VQWindowController : public QObject
{
    Q_OBJECT

  public:
    // `ensureBuilt` builds the windows (and what they need) before the first showing.
    VQWindowController(VQDesktopServices &desktop, const VQShellMode &shell, std::function<void()> ensureBuilt,
                       QObject *parent = nullptr);
    ~VQWindowController() override;

    // The recent colours the window shows and offers (set before building; it outlives the window).
    void setRecentColors(VQRecentColorsRecorder &recorder) { _recent = &recorder; }
    // Builds the main window over `library` with the pickers, their chooser,
    // the tool rows (contrast, shades, recent colours) and the lane, once.
    void buildMainWindow(VQSwatchCore &library);
    VQSwatchMainWindow *mainWindow() const { return _mainWindow.get(); }
    // The pickers, made with the main window (null before).
    VQColorPickers *pickers() const { return _pickers.get(); }
    // The icon whose highlight follows the window and near which windows open; null for none.
    void setStatusItem(VQStatusItem *item) { _statusItem = item; }
    // Where the preferences live, and what ends them (saving what was edited).
    void setPreferencesWindow(QWidget *window, std::function<void()> done);

    // The window of the current mode.
    QWidget *currentWindow() const;
    bool isCurrentWindowVisible() const;
    VQApplicationMode mode() const { return _mode; }
    void openCurrentWindow();
    void closeCurrentWindow();
    void toggleCurrentWindow();
    // Switches to the preferences (and shows them).
    void preferences();
    // Back from the preferences to the main window, shown.
    void preferencesDone();
    // The main window shown (from the preferences too) before a pick from the screen.
    void showMainWindowForPick();
    // Notes the window the user is in (unless it is one of ours), to give it the focus back after a copy.
    void rememberActiveWindow();
    // Whether the program holds the keyboard focus, or needs none to read the clipboard.
    bool hasClipboardFocus() const;
    // Shows the current window, or activates it when it is shown.
    void askForFocus();
    // The eyedropper's tooltip, naming the global shortcut when one is registered.
    static QString eyedropperToolTip(const VQKeyCombo &shortcut);

    // Shift tracking, where the session reports the pointer's moves: while the
    // main window is shown, Shift selects the colour under the pointer (`select`),
    // unless a pick runs (`picking`).
    void startShiftTracking(std::function<void(const QColor &)> select, std::function<bool()> picking);
    void stopShiftTracking();

    // Installs the current picker's view on the canvas.
    void updateColorPicker();
    // Another part of the program switched the picker: the chooser and the canvas follow.
    void colorPickerForceChanged();
    // The contrast row under the picker (null before the main window is built).
    VQContrastRow *contrastRow() const { return _contrastRow; }
    // The colour the contrast row compares the selection against (a pick from the screen).
    void setContrastAgainstColor(const QColor &color);

    // Collapses or expands the collection lane.
    void toggleCollections();
    // The window's tools: a new collection with the selected colour, the
    // search over the lane, and copying the selected colour's name.
    void newCollection();
    void findColor();
    void copyColorName();
    // Hands these, and the arrow keys for the colour wheel, to the window's commands.
    void addWindowCommands(VQAppActions::Handlers &handlers);
    bool isCollectionViewerVisible() const;

  signals:
    // The main window is about to be shown: what it shows of the session may have changed.
    void mainWindowWillOpen();
    // The main window was shown or hidden.
    void mainWindowShownChanged(bool shown);
    void eyedropperClicked();
    void gearButtonClicked();
    void keyActionTriggered(VQMainWindowKeyAction action);
    // The contrast row asks for a pick from the screen into its second colour (later, from the event loop).
    void contrastPickRequested();

  private:
    void placeWindow(QWidget *window);
    void showWindow(QWidget *window);
    void setHighlighted(bool highlighted);

    VQDesktopServices &_desktop;
    const VQShellMode &_shell;
    std::function<void()> _ensureBuilt;
    VQApplicationMode _mode = VQApplicationMode::MainWindow;
    bool _firstOpenNoteShown = false;
    VQSwatchCore *_library = nullptr;
    // The pickers go after the window that shows them, and stop showing the library's selection first.
    std::unique_ptr<VQColorPickers> _pickers;
    std::unique_ptr<VQSwatchMainWindow> _mainWindow;
    QPointer<QWidget> _preferencesWindow;
    std::function<void()> _preferencesDone;
    QPointer<QWidget> _pickerChooser;
    VQStatusItem *_statusItem = nullptr;
    quint64 _pickerObserver = 0;
    std::unique_ptr<VQMouseTrackingColorPicker> _trackingPicker;
    QPointer<VQCollectionViewer> _lane;
    QPointer<VQColorSearchPanel> _search;
    VQContrastRow *_contrastRow = nullptr; // the main window's child
    VQRecentColorsRecorder *_recent = nullptr;
};
