#pragma once
// The preferences window: shows the stored settings, writes them back when
// the user presses Done (and only then), keeps the global shortcut's record
// and registration up to date the moment the shortcut is recorded, and runs
// the switches that act at once (launch at login, the debug log, clearing
// the recent colours).
//
// The shell owns the placement and the modes: it places and shows widget()
// through showWindow(), learns from didFinish() that Done was pressed (and
// switches back to the main window), from windowClosed() that the window went
// away without saving (Escape), and from shortcutDidChange() that the global
// shortcut was recorded or cleared. The shortcut is bound through the global
// shortcut service the shell hands over, which also says whether another
// program holds a combination and which keyboard map names the keys.

#include "platform/VQKeyCombo.h"
#include "ui/prefs/SRRecorderCell.h"
#include "ui/prefs/VQPreferencesSettings.h"
#include "ui/prefs/VQShortcutRowState.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;
class VQGlobalShortcutService;
class SRRecorderControl;
class VQSwatchPreferencesButton;

class VQSwatchPreferencesController : public QObject, public SRRecorderCellDelegate
{
    Q_OBJECT

  public:
    // Builds the window and binds the stored shortcut through `shortcuts`
    // (needs a QApplication). The shell owns the controller and ends it while
    // the application object still exists.
    explicit VQSwatchPreferencesController(VQGlobalShortcutService &shortcuts);
    ~VQSwatchPreferencesController() override;

    // The preferences window: a frameless top-level widget the shell places.
    QWidget *widget() const;
    // How the shell places the window before it is shown (below the tray
    // icon, like the main window); without one it keeps its position.
    void setPlacement(std::function<void(QWidget *window)> placement) { _placement = std::move(placement); }

    // Shows the window with the stored settings, and gives it the keyboard.
    void showWindow();
    // Hides the window without saving; emits windowClosed().
    void closeWindow();
    // The Done button: saves, hides the window, emits didFinish().
    void done();
    bool isWindowVisible() const;

    // The settings' round trip with the user defaults.
    void loadPreferences();
    void savePreferences();
    // Binds the stored shortcut again (through the global shortcut service).
    void reregisterKeyCombo();

    // The immediate switches.
    void enableDebugging(bool enabled);
    void showLogFileInFinder();
    void launchAtLogin(bool enabled);
    // The folder chooser: asks for a folder; a refused one changes nothing.
    void chooseSyncFolder();
    // Takes a typed or chosen folder; false (after telling the user why) when it cannot be used.
    bool setSyncFolder(const QString &path);

    // What the window shows now (not what is stored).
    VQPreferencesSettings shownSettings() const;
    void showSettings(const VQPreferencesSettings &settings);

    // How the shortcut row tells the way the shortcut is bound in this session:
    // from the global shortcut service's answers, or as given.
    void updateShortcutRow();
    void showShortcutState(const VQShortcutRowState &state);
    const VQShortcutRowState &shortcutState() const { return _shortcutState; }
    QLabel *shortcutNoteLabel() const { return _shortcutNote; }
    // The copy buttons of the commands the row offers, in order.
    QList<QAbstractButton *> shortcutCommandCopyButtons() const { return _commandCopyButtons; }

    // "Vellico 0.1.0 (build)".
    static QString versionText();

    // The controls, for the shell's tests and the desktop tests.
    SRRecorderControl *shortcutControl() const { return _shortcut; }
    QCheckBox *syncCheckBox() const { return _syncWithICloudButton; }
    QCheckBox *launchAtLoginCheckBox() const { return _launchAtLogin; }
    QCheckBox *debugLoggingCheckBox() const { return _debugLoggingEnabled; }
    QComboBox *copyTypePopUp() const { return _copyType; }
    QComboBox *alternateCopyTypePopUp() const { return _alternateCopyType; }
    QCheckBox *recordRecentColorsCheckBox() const { return _recordRecentColors; }
    QSpinBox *recentColorsLimitField() const { return _recentColorsLimit; }
    // Acts at once (recentColorsClearClicked), like the log's buttons.
    QAbstractButton *clearRecentColorsButton() const { return _clearRecentColors; }
    // Fills both copy-format pop-ups again (the user's formats may have changed)
    // and selects the stored formats.
    void reloadCopyFormats();
    QAbstractButton *doneButton() const;
    QLabel *syncFileLabel() const { return _syncFileLabel; }

    // The recorder cell's delegate: the shortcut is saved and registered at once.
    void shortcutRecorderCellKeyComboDidChange(SRRecorderCell &cell, const VQKeyCombo &combo) override;

  signals:
    void didFinish();
    void windowClosed();
    void shortcutDidChange(const VQKeyCombo &combo);
    // "Clear" beside the recent colours: the shell empties the list.
    void recentColorsClearClicked();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void innerInit();
    void buildWindow();
    void updateSyncFileLine();
    void refreshKeyboardLayout();
    void editUserFormats();

    std::unique_ptr<QWidget> _window;
    QCheckBox *_syncWithICloudButton = nullptr;
    QLineEdit *_syncFolderField = nullptr;
    QLabel *_syncFileLabel = nullptr;
    SRRecorderControl *_shortcut = nullptr;
    QLabel *_shortcutNote = nullptr;
    QWidget *_shortcutCommands = nullptr;
    QList<QAbstractButton *> _commandCopyButtons;
    VQShortcutRowState _shortcutState;
    QButtonGroup *_cursorMatrix = nullptr;
    QComboBox *_copyType = nullptr;
    QComboBox *_alternateCopyType = nullptr;
    QCheckBox *_useLowercaseButton = nullptr;
    QCheckBox *_activateWhenUsingLoupe = nullptr;
    QCheckBox *_recordRecentColors = nullptr;
    QSpinBox *_recentColorsLimit = nullptr;
    QAbstractButton *_clearRecentColors = nullptr;
    QCheckBox *_debugLoggingEnabled = nullptr;
    QCheckBox *_launchAtLogin = nullptr;
    QLabel *_versionTextField = nullptr;
    VQSwatchPreferencesButton *_doneButton = nullptr;
    QString _syncFolder;
    VQGlobalShortcutService &_shortcuts;
    bool _loading = false;
    std::function<void(QWidget *)> _placement;
};
