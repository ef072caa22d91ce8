#include "ui/prefs/VQSwatchPreferencesController.h"

#include "core/VQCopyTemplate.h"
#include "core/VQRecentColors.h"
#include "core/VQUserFormats.h"
#include "platform/VQGlobalShortcutService.h"
#include "ui/accessibility/VQAccessibleControl.h"
#include "ui/prefs/SRXkbKeyboardLayout.h"
#include "ui/prefs/SRRecorderControl.h"
#include "ui/prefs/VQLaunchAtLogin.h"
#include "ui/prefs/VQSwatchPreferencesButton.h"
#include "ui/prefs/VQSwatchPreferencesLine.h"
#include "ui/prefs/VQSyncFolderChoice.h"
#include "ui/prefs/VQUserFormatsEditor.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQUserDefaults.h"
#include "vqcore/ui/VQWidgetModalUI.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#ifndef VELLICO_VERSION
#define VELLICO_VERSION "0"
#endif
#ifndef VELLICO_BUILD
#define VELLICO_BUILD "local"
#endif

namespace
{
constexpr int kWindowWidth = 420;
// The width of the note under the folder: the window's width less its margins and indent.
constexpr int kNoteWidth = kWindowWidth - 2 * 16 - 22;

const QString kShortcutName = QString::fromLatin1(VQKeyComboRecord::GlobalShortcutName);

// The titles of the copy formats, by raw value.
// Only the words are translated; the examples are code and stay as they are.
const char *const kCopyFormatTitles[] = {
    QT_TRANSLATE_NOOP("Vellico", "Hexadecimal: FF8000"),
    QT_TRANSLATE_NOOP("Vellico", "Hexadecimal: #FF8000"),
    "RGB 0–255: (255, 127, 0)",
    "RGB 0–1: (1.0, 0.5, 0.0)",
    "CSS: rgb(255, 127, 0)",
    "CSS: rgba(255, 127, 0, 1)",
    "NSColor, device RGB",
    "NSColor, calibrated RGB",
    "CGColorRef",
    "UIColor",
    "CSS: hsla(30, 100%, 50%, 1.0)",
    "CSS: oklch(0.7311 0.18611 52.78)",
    "CSS: oklab(0.7311 0.11259 0.1482)",
    "CSS: lab(67.72 45.72 74.79)",
    "CSS: lch(67.72 87.66 58.56)",
    "CSS: hwb(30 0% 0%)",
    "CSS: color(display-p3 0.936 0.5272 0.1983)",
};
static_assert(std::size(kCopyFormatTitles) == VQCopyTemplateCount);

// The dark panel the preferences sit on.
class PreferencesWindow : public QWidget, public VQAccessibleControl
{
  public:
    // A window to screen readers, as its frame says it is one.
    QAccessible::Role accessibleRole() const override { return QAccessible::Window; }

    PreferencesWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        setAttribute(Qt::WA_ShowWithoutActivating, false);
        setWindowTitle(VQLocalizedString("Vellico Preferences"));
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(38, 38, 38));
        palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
        palette.setColor(QPalette::Base, QColor(58, 58, 58));
        palette.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
        palette.setColor(QPalette::Text, QColor(230, 230, 230));
        palette.setColor(QPalette::Button, QColor(56, 56, 56));
        palette.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        palette.setColor(QPalette::Highlight, QColor(47, 111, 214));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        palette.setColor(QPalette::ToolTipBase, QColor(56, 56, 56));
        palette.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
        palette.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
        setPalette(palette);
        setAutoFillBackground(true);
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QColor(80, 80, 80));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

QLabel *sectionLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel *noteLabel()
{
    auto *label = new QLabel;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(150, 150, 150));
    label->setPalette(palette);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void fillCopyFormatPopUp(QComboBox *popUp)
{
    popUp->clear();
    for (int raw = 0; raw < int(std::size(kCopyFormatTitles)); ++raw)
        popUp->addItem(VQLocalizedString(kCopyFormatTitles[raw]), raw);
    // The user's own formats follow, by name.
    const std::vector<VQUserFormat> formats = VQStoredUserFormats(VQUserDefaults::standard());
    for (std::size_t i = 0; i < formats.size(); ++i)
        popUp->addItem(formats[i].name, VQUserFormatFirstRawValue + int(i));
}

QComboBox *copyFormatPopUp()
{
    auto *popUp = new QComboBox;
    // The examples are long: the field shows what fits, the list shows them whole.
    popUp->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    popUp->setMinimumContentsLength(16);
    fillCopyFormatPopUp(popUp);
    return popUp;
}

// Selects the item whose tag is `tag`; an unknown tag keeps the selection.
void selectTag(QComboBox *popUp, std::int64_t tag)
{
    const int index = popUp->findData(int(tag));
    if (index >= 0)
        popUp->setCurrentIndex(index);
}
} // namespace

VQSwatchPreferencesController::VQSwatchPreferencesController(VQGlobalShortcutService &shortcuts) : _shortcuts(shortcuts)
{
    buildWindow();
    innerInit();
}

VQSwatchPreferencesController::~VQSwatchPreferencesController()
{
    // Ended by the static destructors after the application object is gone:
    // a widget can no longer be deleted safely, and the process is ending anyway.
    if (!QCoreApplication::instance())
        (void)_window.release();
}

QWidget *VQSwatchPreferencesController::widget() const
{
    return _window.get();
}

QAbstractButton *VQSwatchPreferencesController::doneButton() const
{
    return _doneButton;
}

void VQSwatchPreferencesController::buildWindow()
{
    _window = std::make_unique<PreferencesWindow>();
    _window->installEventFilter(this);
    auto *layout = new QVBoxLayout(_window.get());
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(8);

    // Synchronisation.
    _syncWithICloudButton = new QCheckBox(VQLocalizedString("Synchronize through a shared folder"));
    layout->addWidget(_syncWithICloudButton);
    auto *folderRow = new QHBoxLayout;
    folderRow->setContentsMargins(22, 0, 0, 0);
    _syncFolderField = new QLineEdit;
    _syncFolderField->setPlaceholderText(VQLocalizedString("No folder chosen"));
    _syncFolderField->setAccessibleName(VQLocalizedString("Shared folder"));
    auto *chooseButton = new VQSwatchPreferencesButton(VQLocalizedString("Choose..."));
    folderRow->addWidget(_syncFolderField, 1);
    folderRow->addWidget(chooseButton);
    layout->addLayout(folderRow);
    _syncFileLabel = noteLabel();
    _syncFileLabel->setWordWrap(false);
    _syncFileLabel->setContentsMargins(22, 0, 0, 0);
    layout->addWidget(_syncFileLabel);
    layout->addWidget(new VQSwatchPreferencesLine);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    int row = 0;
    _shortcut = new SRRecorderControl;
    _shortcut->setAutosaveName(kShortcutName);
    // The recorder, and under it what the desktop makes of the shortcut; without
    // the recorder the note moves up beside the row's title.
    auto *shortcutColumn = new QVBoxLayout;
    shortcutColumn->setContentsMargins(0, 0, 0, 0);
    shortcutColumn->setSpacing(4);
    shortcutColumn->addWidget(_shortcut);
    _shortcutNote = noteLabel();
    _shortcutNote->setObjectName(QStringLiteral("VQShortcutNote"));
    _shortcutNote->hide();
    shortcutColumn->addWidget(_shortcutNote);
    _shortcutCommands = new QWidget;
    _shortcutCommands->setLayout(new QVBoxLayout);
    _shortcutCommands->layout()->setContentsMargins(0, 0, 0, 0);
    _shortcutCommands->layout()->setSpacing(4);
    _shortcutCommands->hide();
    shortcutColumn->addWidget(_shortcutCommands);
    QLabel *shortcutTitle = sectionLabel(VQLocalizedString("Global shortcut:"));
    shortcutTitle->setBuddy(_shortcut);
    grid->addWidget(shortcutTitle, row, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addLayout(shortcutColumn, row++, 1);

    _copyType = copyFormatPopUp();
    QLabel *copyTitle = sectionLabel(VQLocalizedString("Copy format:"));
    copyTitle->setBuddy(_copyType);
    grid->addWidget(copyTitle, row, 0);
    grid->addWidget(_copyType, row++, 1);
    _alternateCopyType = copyFormatPopUp();
    QLabel *alternateTitle = sectionLabel(VQLocalizedString("Alternate format:"));
    alternateTitle->setBuddy(_alternateCopyType);
    grid->addWidget(alternateTitle, row, 0);
    grid->addWidget(_alternateCopyType, row++, 1);
    auto *userFormats = new VQSwatchPreferencesButton(VQLocalizedString("Your formats..."));
    userFormats->setObjectName(QStringLiteral("VQUserFormatsButton"));
    connect(userFormats, &QAbstractButton::clicked, this, &VQSwatchPreferencesController::editUserFormats);
    grid->addWidget(userFormats, row++, 1, Qt::AlignLeft);
    _useLowercaseButton = new QCheckBox(VQLocalizedString("Hexadecimal and CSS in lower case"));
    grid->addWidget(_useLowercaseButton, row++, 1);

    auto *cursorRow = new QHBoxLayout;
    _cursorMatrix = new QButtonGroup(_window.get());
    const char *cursorTitles[] = {QT_TRANSLATE_NOOP("Vellico", "Crosshair"), QT_TRANSLATE_NOOP("Vellico", "Circle")};
    for (int i = 0; i < 2; ++i) {
        auto *radio = new QRadioButton(VQLocalizedString(cursorTitles[i]));
        _cursorMatrix->addButton(radio, i);
        cursorRow->addWidget(radio);
    }
    cursorRow->addStretch(1);
    grid->addWidget(sectionLabel(VQLocalizedString("Cursor on the wheel:")), row, 0);
    grid->addLayout(cursorRow, row++, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    // A wrapped label is only as tall as its lines at a known width: the column's.
    int titleWidth = 0;
    for (int i = 0; i < grid->rowCount(); ++i)
        if (QLayoutItem *item = grid->itemAtPosition(i, 0); item && item->widget())
            titleWidth = std::max(titleWidth, item->widget()->sizeHint().width());
    _shortcutNote->setFixedWidth(kWindowWidth - layout->contentsMargins().left() - layout->contentsMargins().right() -
                                 titleWidth - grid->horizontalSpacing());

    _activateWhenUsingLoupe =
        new QCheckBox(VQLocalizedString("Bring Vellico to the front when picking from the screen"));
    layout->addWidget(_activateWhenUsingLoupe);

    // The recent colours: whether they are recorded, how many are kept, and forgetting them now.
    auto *recentRow = new QHBoxLayout;
    _recordRecentColors = new QCheckBox(VQLocalizedString("Remember recent colors"));
    _recentColorsLimit = new QSpinBox;
    _recentColorsLimit->setRange(VQRecentColors::kMinimumLimit, VQRecentColors::kMaximumLimit);
    _recentColorsLimit->setToolTip(VQLocalizedString("How many recent colors are kept"));
    auto *keepLabel = new QLabel(VQLocalizedString("Keep:"));
    keepLabel->setBuddy(_recentColorsLimit);
    _clearRecentColors = new VQSwatchPreferencesButton(VQLocalizedString("Clear"));
    _clearRecentColors->setToolTip(VQLocalizedString("Forget the recent colors now"));
    recentRow->addWidget(_recordRecentColors);
    recentRow->addStretch(1);
    recentRow->addWidget(keepLabel);
    recentRow->addWidget(_recentColorsLimit);
    recentRow->addWidget(_clearRecentColors);
    layout->addLayout(recentRow);
    layout->addWidget(new VQSwatchPreferencesLine);

    _launchAtLogin = new QCheckBox(VQLocalizedString("Launch at login"));
    layout->addWidget(_launchAtLogin);
    auto *logRow = new QHBoxLayout;
    _debugLoggingEnabled = new QCheckBox(VQLocalizedString("Write a debug log"));
    auto *showLog = new VQSwatchPreferencesButton(VQLocalizedString("Show the log file"));
    logRow->addWidget(_debugLoggingEnabled);
    logRow->addStretch(1);
    logRow->addWidget(showLog);
    layout->addLayout(logRow);
    layout->addWidget(new VQSwatchPreferencesLine);

    auto *bottom = new QHBoxLayout;
    _versionTextField = noteLabel();
    _versionTextField->setWordWrap(false);
    _doneButton = new VQSwatchPreferencesButton(VQLocalizedString("Done"));
    _doneButton->setMinimumWidth(64);
    bottom->addWidget(_versionTextField);
    bottom->addStretch(1);
    bottom->addWidget(_doneButton);
    layout->addLayout(bottom);

    // A language whose texts are longer widens the window rather than cutting them off.
    const int width = std::max(kWindowWidth, layout->sizeHint().width());
    _shortcutNote->setFixedWidth(width - layout->contentsMargins().left() - layout->contentsMargins().right() -
                                 titleWidth - grid->horizontalSpacing());
    _window->setFixedWidth(width);

    connect(_syncWithICloudButton, &QCheckBox::toggled, this, [this](bool on) {
        if (_loading || !on || !_syncFolder.isEmpty())
            return;
        // Synchronising needs a folder: ask for one now, and take the tick back without one.
        chooseSyncFolder();
        if (_syncFolder.isEmpty())
            _syncWithICloudButton->setChecked(false);
    });
    connect(chooseButton, &QAbstractButton::clicked, this, &VQSwatchPreferencesController::chooseSyncFolder);
    connect(_syncFolderField, &QLineEdit::editingFinished, this, [this] {
        if (VQSyncFolderChoice::normalized(_syncFolderField->text()) != _syncFolder)
            setSyncFolder(_syncFolderField->text());
    });
    connect(_debugLoggingEnabled, &QCheckBox::toggled, this, [this](bool on) {
        if (!_loading)
            enableDebugging(on);
    });
    connect(showLog, &QAbstractButton::clicked, this, &VQSwatchPreferencesController::showLogFileInFinder);
    connect(_recordRecentColors, &QCheckBox::toggled, _recentColorsLimit, &QWidget::setEnabled);
    connect(_clearRecentColors, &QAbstractButton::clicked, this,
            &VQSwatchPreferencesController::recentColorsClearClicked);
    connect(_launchAtLogin, &QCheckBox::toggled, this, [this](bool on) {
        if (!_loading)
            launchAtLogin(on);
    });
    connect(_doneButton, &QAbstractButton::clicked, this, &VQSwatchPreferencesController::done);
}

void VQSwatchPreferencesController::innerInit()
{
    // Another program's grab makes a combination taken; our own bound
    // shortcut is not another program's.
    _shortcut->cell().setHeldElsewhereQuery([this](int keyCode, std::uint32_t carbonFlags) -> std::optional<bool> {
        VQKeyCombo combo;
        combo.code = keyCode;
        combo.flags = VQCarbonToCocoaFlags(carbonFlags) & VQModifierFlag::AllModifiers;
        const std::optional<VQKeyCombo> ours = _shortcuts.boundCombo();
        if (ours && ours->code == combo.code && (ours->flags & VQModifierFlag::AllModifiers) == combo.flags)
            return false;
        return _shortcuts.isHeldElsewhere(combo);
    });
    if (!_shortcuts.isSupported()) {
        // Nothing recorded here could ever start the loupe: say why instead of refusing every combination.
        QString why = _shortcuts.description();
        if (why.startsWith(QLatin1String("off: ")))
            why = why.mid(5);
        _shortcut->setEnabled(false);
        _shortcut->setToolTip(VQLocalizedString("No global shortcut in this session: %1").arg(why));
    }
    // The row says how the desktop binds the shortcut, and follows its answers.
    connect(&_shortcuts, &VQGlobalShortcutService::bindingChanged, this,
            &VQSwatchPreferencesController::updateShortcutRow);
    updateShortcutRow();
    refreshKeyboardLayout();
    connect(&_shortcut->cell(), &SRRecorderCell::recordingStarted, this,
            &VQSwatchPreferencesController::refreshKeyboardLayout);
    loadPreferences();
    reregisterKeyCombo();
    _versionTextField->setText(versionText());
}

void VQSwatchPreferencesController::updateShortcutRow()
{
    using Binding = VQShortcutRowState::Binding;
    using Status = VQShortcutBinding::Status;
    const VQShortcutBinding &bound = _shortcuts.binding();
    Binding binding = Binding::Grabs;
    if (!_shortcuts.isSupported()) {
        binding = Binding::NotOffered;
    } else if (_shortcuts.desktopDecidesKeys()) {
        switch (bound.status) {
        case Status::NoShortcut:
            break;
        case Status::Pending:
            binding = Binding::PortalAsking;
            break;
        case Status::Registered:
            binding = Binding::PortalBound;
            break;
        case Status::Taken:
        case Status::Unsupported:
            binding = Binding::PortalFailed;
            break;
        }
    }
    // A portal that turned out to bind nothing says why; a session without one needs no reason.
    const bool portalSaidWhy = binding != Binding::NotOffered || _shortcuts.desktopDecidesKeys();
    showShortcutState(VQShortcutRowState::make(
        binding, qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':')).value(0),
        VQBindableProgram(QCoreApplication::applicationFilePath(), qEnvironmentVariable("PATH")), bound.keys,
        portalSaidWhy ? bound.text : QString()));
}

void VQSwatchPreferencesController::showShortcutState(const VQShortcutRowState &state)
{
    _shortcutState = state;
    _shortcut->setVisible(state.showsRecorder);
    _shortcutNote->setText(state.note);
    _shortcutNote->setVisible(!state.note.isEmpty());
    qDeleteAll(_shortcutCommands->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly));
    _commandCopyButtons.clear();
    for (int i = 0; i < state.commands.size(); ++i) {
        auto *line = new QWidget(_shortcutCommands);
        auto *row = new QHBoxLayout(line);
        row->setContentsMargins(0, 0, 0, 0);
        auto *field = new QLineEdit(state.commands[i]);
        field->setReadOnly(true);
        field->setToolTip(state.purposes.value(i));
        field->setAccessibleName(state.purposes.value(i).isEmpty() ? VQLocalizedString("Command")
                                                                   : state.purposes.value(i));
        auto *copy = new VQSwatchPreferencesButton(VQLocalizedString("Copy"));
        copy->setToolTip(VQLocalizedString("Copy the command"));
        const QString command = state.commands[i];
        connect(copy, &QAbstractButton::clicked, this, [command] {
            QGuiApplication::clipboard()->setText(command);
            VQLog(QStringLiteral("Copied the command \"%1\".").arg(command));
        });
        field->setCursorPosition(0);
        row->addWidget(field, 1);
        row->addWidget(copy);
        _shortcutCommands->layout()->addWidget(line);
        _commandCopyButtons << copy;
    }
    _shortcutCommands->setVisible(!state.commands.isEmpty());
    _window->adjustSize();
    VQLog(QStringLiteral("Showing the shortcut row: %1 %2").arg(state.note, state.commands.join(QLatin1String("; "))));
}

void VQSwatchPreferencesController::editUserFormats()
{
    // Window-modal over the preferences, without a loop of its own; the pop-ups follow what it saved.
    auto *editor = new VQUserFormatsEditor(VQUserDefaults::standard(), _window.get());
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &QDialog::accepted, this, &VQSwatchPreferencesController::reloadCopyFormats);
    editor->open();
}

void VQSwatchPreferencesController::reloadCopyFormats()
{
    const VQUserDefaults &defaults = VQUserDefaults::standard();
    fillCopyFormatPopUp(_copyType);
    fillCopyFormatPopUp(_alternateCopyType);
    selectTag(_copyType, defaults.integerForKey(QString::fromLatin1(VQDefaultCopyFormatDefaultsKey)));
    selectTag(_alternateCopyType, VQStoredAlternateCopyFormat(defaults));
}

QString VQSwatchPreferencesController::versionText()
{
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral(VELLICO_VERSION);
    return QStringLiteral("Vellico ") + version + QStringLiteral(" (") + QStringLiteral(VELLICO_BUILD) +
           QStringLiteral(")");
}

VQPreferencesSettings VQSwatchPreferencesController::shownSettings() const
{
    VQPreferencesSettings settings;
    settings.synchronize = _syncWithICloudButton->isChecked();
    settings.syncFolderPath = _syncFolder;
    settings.useLowercase = _useLowercaseButton->isChecked();
    settings.cursor = _cursorMatrix->checkedId();
    settings.copyType = _copyType->currentData().toInt();
    settings.alternateCopyType = _alternateCopyType->currentData().toInt();
    settings.activateWhenUsingLoupe = _activateWhenUsingLoupe->isChecked();
    settings.debugLogging = _debugLoggingEnabled->isChecked();
    settings.recordRecentColors = _recordRecentColors->isChecked();
    settings.recentColorsLimit = _recentColorsLimit->value();
    return settings;
}

void VQSwatchPreferencesController::showSettings(const VQPreferencesSettings &settings)
{
    _loading = true;
    _syncWithICloudButton->setChecked(settings.synchronize);
    _syncFolder = settings.syncFolderPath;
    _syncFolderField->setText(QDir::toNativeSeparators(_syncFolder));
    updateSyncFileLine();
    _useLowercaseButton->setChecked(settings.useLowercase);
    // A row number the choice does not have selects none.
    _cursorMatrix->setExclusive(false);
    for (QAbstractButton *button : _cursorMatrix->buttons())
        button->setChecked(_cursorMatrix->id(button) == settings.cursor);
    _cursorMatrix->setExclusive(true);
    selectTag(_copyType, settings.copyType);
    selectTag(_alternateCopyType, settings.alternateCopyType);
    _activateWhenUsingLoupe->setChecked(settings.activateWhenUsingLoupe);
    _debugLoggingEnabled->setChecked(settings.debugLogging);
    _recordRecentColors->setChecked(settings.recordRecentColors);
    _recentColorsLimit->setEnabled(settings.recordRecentColors);
    _recentColorsLimit->setValue(int(settings.recentColorsLimit));
    _launchAtLogin->setChecked(VQLaunchAtLogin::isEnabled());
    _loading = false;
}

void VQSwatchPreferencesController::loadPreferences()
{
    const VQPreferencesSettings settings = VQPreferencesSettings::load(VQUserDefaults::standard());
    // The shortcut: its own record, loaded by the recorder.
    _shortcut->setDelegate(nullptr);
    _shortcut->setAutosaveName(kShortcutName);
    _shortcut->cell().loadKeyCombo();
    const VQKeyCombo combo = _shortcut->keyCombo();
    if (combo.code != 0 && combo.flags != 0)
        reregisterKeyCombo();
    _shortcut->setDelegate(this);
    showSettings(settings);
}

void VQSwatchPreferencesController::savePreferences()
{
    shownSettings().save(VQUserDefaults::standard());
    // The shortcut's record is written when it is recorded; writing it again keeps the order of the fields.
    _shortcut->cell().saveKeyCombo();
    VQUserDefaults::standard().synchronize();
    reregisterKeyCombo();
}

void VQSwatchPreferencesController::reregisterKeyCombo()
{
    VQLog("Entering.");
    VQKeyCombo combo = VQKeyComboRecord::load(VQUserDefaults::standard(), kShortcutName);
    if (!combo.isEmpty() && !SRIsValidCombination(combo.flags, combo.code, false)) {
        // A record edited by hand to a bare key would take that key from every program.
        VQLog(QStringLiteral("Not registering %1: a global shortcut needs a modifier.")
                  .arg(SRReadableStringForCocoaModifierFlagsAndKeyCode(combo.flags, combo.code)));
        combo = VQKeyCombo{};
    }
    _shortcuts.bind(combo);
}

void VQSwatchPreferencesController::shortcutRecorderCellKeyComboDidChange(SRRecorderCell &cell, const VQKeyCombo &combo)
{
    cell.saveKeyCombo();
    reregisterKeyCombo();
    emit shortcutDidChange(combo);
}

void VQSwatchPreferencesController::showWindow()
{
    // Showing loads the stored settings (see eventFilter); an open window loads them again.
    if (_window->isVisible())
        loadPreferences();
    _window->adjustSize();
    if (_placement)
        _placement(_window.get());
    _window->show();
    _window->raise();
    _window->activateWindow();
    _doneButton->setFocus(Qt::ActiveWindowFocusReason);
}

void VQSwatchPreferencesController::closeWindow()
{
    _shortcut->cell().cancelRecording();
    const bool wasVisible = _window->isVisible();
    _window->hide();
    if (wasVisible)
        emit windowClosed();
}

void VQSwatchPreferencesController::done()
{
    _shortcut->cell().cancelRecording();
    // A folder typed but not yet confirmed is checked before anything is saved.
    if (VQSyncFolderChoice::normalized(_syncFolderField->text()) != _syncFolder &&
        !setSyncFolder(_syncFolderField->text()))
        return;
    savePreferences();
    _window->hide();
    emit didFinish();
}

bool VQSwatchPreferencesController::isWindowVisible() const
{
    return _window->isVisible();
}

void VQSwatchPreferencesController::enableDebugging(bool enabled)
{
    VQDebugLog::setLoggingEnabled(enabled);
    VQUserDefaults::standard().synchronize();
}

void VQSwatchPreferencesController::showLogFileInFinder()
{
    // The folder may not exist before the first line is written.
    QDir().mkpath(QFileInfo(VQDebugLog::logFilePath()).absolutePath());
    VQSelectDebugLogInFileViewer();
}

void VQSwatchPreferencesController::launchAtLogin(bool enabled)
{
    QString error;
    if (!VQLaunchAtLogin::setEnabled(enabled, QCoreApplication::applicationFilePath(), &error)) {
        VQModalUI::shared().runAlert(
            {enabled ? VQLocalizedString("Vellico could not be added to the programs "
                                         "started at login.")
                     : VQLocalizedString("Vellico could not be removed from the programs "
                                         "started at login."),
             QDir::toNativeSeparators(VQLaunchAtLogin::entryPath()) + QStringLiteral(": ") + error,
             {VQLocalizedString("OK")}});
    }
    // Show what is really there.
    _loading = true;
    _launchAtLogin->setChecked(VQLaunchAtLogin::isEnabled());
    _loading = false;
}

void VQSwatchPreferencesController::chooseSyncFolder()
{
    VQFilePanel panel;
    panel.title = VQLocalizedString("Choose the shared folder");
    panel.directory = _syncFolder.isEmpty() ? QDir::homePath() : _syncFolder;
    panel.choosesFolders = true;
    if (const std::optional<QString> path = VQModalUI::shared().runOpenPanel(panel))
        setSyncFolder(*path);
}

bool VQSwatchPreferencesController::setSyncFolder(const QString &typed)
{
    const QString path = VQSyncFolderChoice::normalized(typed);
    if (const std::optional<QString> problem = VQSyncFolderChoice::problem(path)) {
        VQModalUI::shared().runAlert(
            {VQLocalizedString("This folder can't be used for synchronization."), *problem, {VQLocalizedString("OK")}});
        _syncFolderField->setText(QDir::toNativeSeparators(_syncFolder));
        return false;
    }
    _syncFolder = path;
    _syncFolderField->setText(QDir::toNativeSeparators(path));
    if (path.isEmpty() && _syncWithICloudButton->isChecked()) {
        _loading = true;
        _syncWithICloudButton->setChecked(false);
        _loading = false;
    }
    updateSyncFileLine();
    return true;
}

void VQSwatchPreferencesController::refreshKeyboardLayout()
{
    // The user may have switched layouts since the last time. Without an X
    // server to ask, xkb's default layout names the keys.
    auto layout = SRXkbKeyboardLayout::fromText(_shortcuts.keymapText());
    if (!layout)
        layout = SRXkbKeyboardLayout::fromNames({});
    if (layout)
        SRKeyCodeTransformer::shared().setLayout(std::move(layout));
    _shortcut->update();
}

void VQSwatchPreferencesController::updateSyncFileLine()
{
    // One line, shortened in the middle where the path is long; the whole line in the tooltip.
    const QString line = VQSyncFolderChoice::ownFileLine(_syncFolder);
    _syncFileLabel->setToolTip(line);
    _syncFileLabel->setText(_syncFileLabel->fontMetrics().elidedText(line, Qt::ElideMiddle, kNoteWidth));
}

bool VQSwatchPreferencesController::eventFilter(QObject *watched, QEvent *event)
{
    // However the window comes up (here or shown by the shell), it shows what
    // is stored: edits left with Escape are not kept for the next time.
    if (watched == _window.get() && event->type() == QEvent::Show && !event->spontaneous())
        loadPreferences();
    if (watched == _window.get() && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            closeWindow();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
