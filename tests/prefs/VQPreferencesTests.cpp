// The preferences: every setting shown from and saved to the user defaults,
// saving only on Done, the shortcut saved and registered at once, the
// alternate format's default (the same for the window and for copying), the
// autostart entry and the shared folder's checks.

#include "VQTestSupport.h"
#include "core/VQCopyTemplate.h"

#include "core/sync/VQiCloudSynchronizationManager.h"
#include "platform/VQGlobalShortcutService.h"
#include "ui/prefs/SRRecorderControl.h"
#include "ui/prefs/VQLaunchAtLogin.h"
#include "ui/prefs/VQPreferencesSettings.h"
#include "ui/prefs/VQSwatchPreferencesController.h"
#include "ui/prefs/VQSyncFolderChoice.h"
#include "ui/prefs/VQUserFormatsEditor.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQUserDefaults.h"
#include "vqcore/ui/VQDesktopOpen.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QUrl>
#include <QCoreApplication>
#include <QKeyEvent>

#include <unistd.h>
#include <vector>

namespace
{
// Counts the emissions of a signal.
struct Count {
    int count_ = 0;
    template <typename Sender, typename Signal> Count(Sender *sender, Signal signal)
    {
        QObject::connect(sender, signal, sender, [this] { ++count_; });
    }
    int count() const { return count_; }
};

VQUserDefaults &defaults()
{
    return VQUserDefaults::standard();
}

void store(const std::vector<std::pair<const char *, const char *>> &values)
{
    for (const auto &[key, value] : values)
        defaults().setString(QString::fromLatin1(key), QString::fromUtf8(value));
}

// -- the settings as values ----------------------------------------------------------

// Nothing stored but the two copy formats.
VQPreferencesSettings formats(std::int64_t copyType, std::int64_t alternate)
{
    VQPreferencesSettings s;
    s.copyType = copyType;
    s.alternateCopyType = alternate;
    return s;
}

// Nothing stored but the number of recent colours.
VQPreferencesSettings recentLimit(std::int64_t limit)
{
    VQPreferencesSettings s;
    s.recentColorsLimit = limit;
    return s;
}

TEST_F(VQLibraryTest, PreferencesLoad)
{
    const struct {
        const char *name;
        std::vector<std::pair<const char *, const char *>> stored;
        VQPreferencesSettings expected;
    } rows[] = {
        // Nothing stored: sync off, lower case off, row 0, format 0, alternate 1, loupe activation on, log off.
        {"Nothing", {}, VQPreferencesSettings{}},
        {"Everything",
         {{"VQSynchronizeWithiCloud", "true"},
          {"VQSyncFolderPath", "/srv/shared"},
          {"VQUseLowercase", "true"},
          {"VQCursor", "1"},
          {"VQCopyType", "4"},
          {"VQAlternateCopyFormat", "9"},
          {"VQDontActivateWhenUsingLoupe", "true"},
          {"RZLoggingEnabled", "true"},
          {"VQDontRecordRecentColors", "true"},
          {"VQRecentColorsLimit", "120"}},
         VQPreferencesSettings{true, "/srv/shared", true, 1, 4, 9, false, true, false, 120}},
        {"PartnerOfOdd", {{"VQCopyType", "3"}}, formats(3, 2)},
        {"PartnerOfEven", {{"VQCopyType", "10"}}, formats(10, 11)},
        // The last format has no partner after it: the one before it.
        {"PartnerOfTheLast", {{"VQCopyType", "16"}}, formats(16, 15)},
        {"StoredZeroIsNotAbsent", {{"VQCopyType", "3"}, {"VQAlternateCopyFormat", "0"}}, formats(3, 0)},
        {"NotANumberIsAbsent", {{"VQCopyType", "5"}, {"VQAlternateCopyFormat", "hex"}}, formats(5, 4)},
        // The number of recent colours kept: 1–500; nothing, 0 or no number is the default.
        {"RecentLimitAbove", {{"VQRecentColorsLimit", "9000"}}, recentLimit(500)},
        {"RecentLimitBelow", {{"VQRecentColorsLimit", "-3"}}, recentLimit(1)},
        {"RecentLimitZero", {{"VQRecentColorsLimit", "0"}}, recentLimit(50)},
        {"RecentLimitNoNumber", {{"VQRecentColorsLimit", "many"}}, recentLimit(50)},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto &[key, value] : rows[1].stored) // "Everything" names every key
            defaults().removeObjectForKey(QString::fromLatin1(key));
        store(row.stored);
        EXPECT_EQ(VQPreferencesSettings::load(defaults()), row.expected);
    }
}

TEST_F(VQLibraryTest, PreferencesSaveWritesEveryKey)
{
    const VQPreferencesSettings s{true, "/srv/shared", true, 1, 7, 8, false, true, false, 7};
    s.save(defaults());
    // Read back through the keys the loading rows name; the log keeps its own switch.
    EXPECT_FALSE(defaults().hasKey("RZLoggingEnabled"));
    VQPreferencesSettings back = s;
    back.debugLogging = false;
    EXPECT_EQ(VQPreferencesSettings::load(defaults()), back);

    // No row chosen: the cursor is left as it was.
    VQPreferencesSettings none = s;
    none.cursor = -1;
    none.syncFolderPath.clear();
    none.save(defaults());
    EXPECT_EQ(defaults().integerForKey("VQCursor"), 1);
    EXPECT_FALSE(defaults().hasKey("VQSyncFolderPath"));
}

// -- the window ----------------------------------------------------------------------

// Binds whatever it is asked for, and notes it.
class VQRecordingShortcutService : public VQGlobalShortcutService
{
  public:
    std::vector<VQKeyCombo> registered;
    bool isSupported() const override { return true; }
    std::optional<bool> isHeldElsewhere(const VQKeyCombo &) const override { return false; }
    QString description() const override { return QStringLiteral("recording"); }

  protected:
    void doBind(const VQKeyCombo &combo) override
    {
        registered.push_back(combo);
        report({VQShortcutBinding::Status::Registered, combo, {}, {}});
    }
    void doUnbind() override {}
};

class VQPreferencesControllerTest : public VQLibraryTest
{
  protected:
    void TearDown() override
    {
        _controller.reset();
        VQLibraryTest::TearDown();
    }
    VQSwatchPreferencesController &controller()
    {
        if (!_controller)
            _controller = std::make_unique<VQSwatchPreferencesController>(shortcuts);
        return *_controller;
    }
    VQRecordingShortcutService shortcuts;
    std::unique_ptr<VQSwatchPreferencesController> _controller;
};

TEST_F(VQPreferencesControllerTest, ShowsTheStoredSettingsAndSavesOnlyOnDone)
{
    const VQPreferencesSettings stored{false, {}, true, 1, 3, 2, false, false, false, 20};
    stored.save(defaults());
    controller().showWindow();
    EXPECT_EQ(controller().shownSettings(), stored);
    EXPECT_TRUE(controller().isWindowVisible());

    // Every control changed through the window; nothing is written before Done.
    const QString folder = path("Shared");
    QDir().mkpath(folder);
    VQPreferencesSettings changed{true, folder, false, 0, 10, 5, true, false, true, 500};
    controller().showSettings(changed);
    EXPECT_EQ(controller().shownSettings(), changed);
    EXPECT_EQ(VQPreferencesSettings::load(defaults()), stored);

    Count finished(&controller(), &VQSwatchPreferencesController::didFinish);
    Count rebound(&shortcuts, &VQGlobalShortcutService::bindingChanged);
    controller().doneButton()->click();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(controller().isWindowVisible());
    EXPECT_EQ(VQPreferencesSettings::load(defaults()), changed);

    // Saving binds the shortcut again.
    EXPECT_EQ(rebound.count(), 1);
}

TEST_F(VQPreferencesControllerTest, EscapeClosesWithoutSavingAndTheNextShowIsFresh)
{
    controller().showWindow();
    Count closed(&controller(), &VQSwatchPreferencesController::windowClosed);
    controller().copyTypePopUp()->setCurrentIndex(4);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(controller().widget(), &escape);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(controller().isWindowVisible());
    EXPECT_FALSE(defaults().hasKey("VQCopyType"));
    controller().showWindow();
    EXPECT_EQ(controller().copyTypePopUp()->currentData().toInt(), 0);
}

TEST_F(VQPreferencesControllerTest, UnknownTagsAndRows)
{
    store({{"VQCopyType", "2"}});
    controller().showWindow();
    EXPECT_EQ(controller().shownSettings().copyType, 2);
    // An out-of-range format keeps the pop-up's selection; a row the choice
    // lacks selects none, and then nothing is written for it.
    store({{"VQCopyType", "17"}, {"VQCursor", "5"}});
    controller().loadPreferences();
    EXPECT_EQ(controller().shownSettings().copyType, 2);
    EXPECT_EQ(controller().shownSettings().cursor, -1);
    controller().done();
    EXPECT_EQ(defaults().integerForKey("VQCursor"), 5);
    EXPECT_EQ(defaults().integerForKey("VQCopyType"), 2);
}

// The user's formats: added, named, reordered and removed; the chosen copy formats follow them.
TEST_F(VQPreferencesControllerTest, UserFormatsAreAddedNamedReorderedAndRemoved)
{
    VQStoreUserFormats(defaults(), {{"A", "{hex}"}, {"B", "{HEX}"}});
    store({{"VQCopyType", "101"}, {"VQAlternateCopyFormat", "100"}});
    controller().showWindow();
    VQUserFormatsEditor editor(defaults());
    editor.list()->setCurrentRow(1);
    editor.moveSelected(-1); // B, A
    editor.addFormat();      // B, A, new
    editor.nameField()->setText("Flutter");
    editor.templateField()->setText("Color(0xFF{rgb.q})");
    EXPECT_TRUE(editor.message()->text().contains("rgb has the channels r, g, b"));
    EXPECT_FALSE(editor.save()) << "a template that is not valid is not stored";
    EXPECT_EQ(VQStoredUserFormats(defaults()).size(), 2u);
    editor.templateField()->setText("Color(0xFF{HEX})");
    EXPECT_EQ(editor.message()->text(), "Orange copies as: Color(0xFFFF8000)");
    editor.list()->setCurrentRow(1);
    editor.removeSelected(); // A goes
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(VQStoredUserFormats(defaults()),
              (std::vector<VQUserFormat>{{"B", "{HEX}"}, {"Flutter", "Color(0xFF{HEX})"}}));
    EXPECT_EQ(defaults().integerForKey("VQCopyType"), 100) << "B moved up";
    EXPECT_FALSE(defaults().hasKey("VQAlternateCopyFormat")) << "A was removed";

    controller().reloadCopyFormats();
    QComboBox *popUp = controller().copyTypePopUp();
    ASSERT_EQ(popUp->count(), VQCopyTemplateCount + 2);
    EXPECT_EQ(popUp->itemText(VQCopyTemplateCount + 1), "Flutter");
    EXPECT_EQ(popUp->currentData().toInt(), 100);
    EXPECT_EQ(controller().alternateCopyTypePopUp()->currentData().toInt(), 101) << "the partner of 100";
}

// A recorded shortcut is saved and registered at once (the desktop test's); nothing else is saved with it.
TEST_F(VQPreferencesControllerTest, ARecordedShortcutSavesNothingElse)
{
    controller().showWindow();
    controller().copyTypePopUp()->setCurrentIndex(4);
    SRRecorderCell &cell = controller().shortcutControl()->cell();
    cell.beginRecording();
    cell.performKeyEquivalent({VQKeyCode::P, VQModifierFlag::Command | VQModifierFlag::Option, "p", "p"});
    EXPECT_EQ(defaults().stringForKey("ShortcutRecorder KeyboardShortcut/keyCode"), "35");
    EXPECT_FALSE(defaults().hasKey("VQCopyType"));
}

TEST_F(VQPreferencesControllerTest, BareKeysAreNeverRegistered)
{
    // A record edited by hand: a bare arrow and a bare letter register nothing; a bare F-key does.
    const struct {
        const char *code, *flags;
        int registeredCode;
    } rows[] = {{"125", "8388608", -1}, {"35", "0", -1}, {"96", "8388608", VQKeyCode::F5}, {"35", "1572864", 35}};
    controller();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.code);
        store({{"ShortcutRecorder KeyboardShortcut/keyCode", row.code},
               {"ShortcutRecorder KeyboardShortcut/modifierFlags", row.flags}});
        shortcuts.registered.clear();
        controller().reregisterKeyCombo();
        EXPECT_EQ(shortcuts.binding().combo.code, row.registeredCode);
        EXPECT_EQ(shortcuts.registered.size(), row.registeredCode < 0 ? 0u : 1u) << "only a key reaches the desktop";
    }
}

// A session without global shortcuts: the recorder says why instead of refusing every combination.
TEST_F(VQLibraryTest, WithoutGlobalShortcutsTheRecorderIsOffAndSaysWhy)
{
    VQUnsupportedShortcutService none(QStringLiteral("this session offers no global shortcuts to programs"));
    VQSwatchPreferencesController controller(none);
    EXPECT_FALSE(controller.shortcutControl()->isEnabled());
    EXPECT_TRUE(controller.shortcutControl()->toolTip().contains("offers no global shortcuts"))
        << controller.shortcutControl()->toolTip().toStdString();
}

TEST_F(VQPreferencesControllerTest, DebugLogSwitchesAtOnce)
{
    controller().showWindow();
    controller().debugLoggingCheckBox()->setChecked(true);
    EXPECT_TRUE(VQDebugLog::isLoggingEnabled());
    EXPECT_TRUE(defaults().boolForKey("RZLoggingEnabled"));
    controller().debugLoggingCheckBox()->setChecked(false);
    EXPECT_FALSE(VQDebugLog::isLoggingEnabled());
}

// Where no file manager is set up, the log file's path is shown, and copied on request.
TEST_F(VQPreferencesControllerTest, ShowTheLogFileWithoutAFileManagerShowsThePath)
{
    std::vector<QUrl> asked;
    bool opens = true;
    const VQDesktopOpener previous = VQInstallDesktopOpener([&](const QUrl &url) {
        asked.push_back(url);
        return opens;
    });
    const QString log = VQDebugLog::logFilePath();
    controller().showLogFileInFinder(); // opened: nothing to say
    opens = false;
    ui().answerAlert(1); // the copy button
    controller().showLogFileInFinder();
    VQInstallDesktopOpener(previous);

    const QUrl folder = QUrl::fromLocalFile(QFileInfo(log).absolutePath());
    EXPECT_EQ(asked, (std::vector<QUrl>{folder, folder}));
    ASSERT_EQ(ui().alerts().size(), 1u);
    EXPECT_EQ(ui().alerts()[0].informativeText, log);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), log);
}

// -- launch at login -----------------------------------------------------------------

TEST_F(VQPreferencesControllerTest, LaunchAtLoginShowsTheRealState)
{
    // An entry the user switched off in the desktop's settings.
    QDir().mkpath(path(".config/autostart"));
    write(".config/autostart/io.github.vellico.Vellico.desktop",
          "[Desktop Entry]\nType=Application\nExec=vellico\nHidden=true\n");
    controller().showWindow();
    EXPECT_FALSE(controller().launchAtLoginCheckBox()->isChecked());
    write(".config/autostart/io.github.vellico.Vellico.desktop",
          "[Desktop Entry]\nExec=vellico\nX-GNOME-Autostart-enabled=true\n");
    controller().showWindow();
    EXPECT_TRUE(controller().launchAtLoginCheckBox()->isChecked());

    // A place that cannot be written (a file where the folder should be):
    // the user is told, the box shows the truth.
    QFile::remove(path(".config/autostart/io.github.vellico.Vellico.desktop"));
    QDir(path(".config/autostart")).removeRecursively();
    write(".config/autostart", "not a folder");
    controller().showWindow();
    ASSERT_FALSE(controller().launchAtLoginCheckBox()->isChecked());
    ui().answerAlert(0);
    controller().launchAtLoginCheckBox()->setChecked(true);
    ASSERT_EQ(ui().alerts().size(), 1u);
    EXPECT_EQ(ui().alerts()[0].messageText, "Vellico could not be added to the programs started at login.");
    EXPECT_FALSE(controller().launchAtLoginCheckBox()->isChecked());
}

// An entry an earlier version wrote as vellico.desktop gives way to one under
// the current name, keeping what the user chose.
TEST_F(VQLibraryTest, LaunchAtLoginReplacesTheLegacyEntry)
{
    const QByteArray on = "[Desktop Entry]\nType=Application\nExec=/old/vellico\nIcon=vellico\n";
    const QByteArray off = on + "Hidden=true\n";
    const struct {
        const char *name;
        QByteArray legacy, current; // empty: no such file
        bool currentAfter, enabled;
    } rows[] = {
        {"enabled legacy entry", on, "", true, true},
        {"switched-off legacy entry", off, "", false, false},
        {"leftover beside a current entry", on, off, true, false},
        {"no legacy entry", "", on, true, true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QDir(path(".config/autostart")).removeRecursively();
        if (!row.legacy.isEmpty()) {
            ASSERT_TRUE(VQWriteAll(VQLaunchAtLogin::legacyEntryPath(), row.legacy));
        }
        if (!row.current.isEmpty()) {
            ASSERT_TRUE(VQWriteAll(VQLaunchAtLogin::entryPath(), row.current));
        }
        ASSERT_TRUE(VQLaunchAtLogin::replaceLegacyEntry(QStringLiteral("/usr/bin/vellico")));
        EXPECT_FALSE(QFileInfo::exists(VQLaunchAtLogin::legacyEntryPath()));
        EXPECT_EQ(QFileInfo::exists(VQLaunchAtLogin::entryPath()), row.currentAfter);
        EXPECT_EQ(VQLaunchAtLogin::isEnabled(), row.enabled);
        const QByteArray text = VQReadAll(VQLaunchAtLogin::entryPath());
        if (row.current.isEmpty() && row.currentAfter)
            EXPECT_EQ(text, VQLaunchAtLogin::entryText(QStringLiteral("/usr/bin/vellico")));
        else
            EXPECT_EQ(text, row.current);
    }
}

TEST(VQLaunchAtLogin, ExecQuoting)
{
    const struct {
        const char *path, *exec;
    } rows[] = {
        {"/usr/bin/vellico", "/usr/bin/vellico"},
        {"/opt/My Apps/vellico", "\"/opt/My Apps/vellico\""},
        {"/opt/100%/vellico", "/opt/100%%/vellico"},
        {"/opt/a$b/vellico", "\"/opt/a\\\\$b/vellico\""},
        {"/opt/say \"hi\"/vellico", "\"/opt/say \\\\\"hi\\\\\"/vellico\""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(VQLaunchAtLogin::quotedExecArgument(QString::fromUtf8(row.path)), QString::fromUtf8(row.exec))
            << row.path;
}

// -- the shared folder -----------------------------------------------------------------

TEST_F(VQLibraryTest, SyncFolderChecks)
{
    QDir().mkpath(path("Nextcloud/Vellico"));
    write("a file", "x");
    QDir().mkpath(path("locked"));
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    const struct {
        QString typed, normalized;
        const char *problemStart; // empty: usable
    } rows[] = {
        {"", "", ""},
        {"  ", "", ""},
        {path("Nextcloud/Vellico"), path("Nextcloud/Vellico"), ""},
        {"~/Nextcloud/Vellico/", path("Nextcloud/Vellico"), ""},
        {"Nextcloud/./Vellico", path("Nextcloud/Vellico"), ""},
        {path("Nowhere"), path("Nowhere"), "The folder \""},
        {path("a file"), path("a file"), "\""},
        {path("locked"), path("locked"), "Vellico cannot write into the folder"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.typed.toStdString());
        if (row.typed == path("locked") && geteuid() == 0)
            continue; // permissions do not hold back root
        const QString normalized = VQSyncFolderChoice::normalized(row.typed);
        EXPECT_EQ(normalized, row.normalized);
        const auto problem = VQSyncFolderChoice::problem(normalized);
        EXPECT_EQ(problem.has_value(), *row.problemStart != 0);
        if (problem) {
            EXPECT_TRUE(problem->startsWith(QString::fromUtf8(row.problemStart))) << problem->toStdString();
        }
    }
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(VQSyncFolderChoice::ownFileLine(""), "Choose the shared folder to synchronize.");
    EXPECT_EQ(VQSyncFolderChoice::ownFileLine(path("Nextcloud/Vellico")),
              "This computer's copy: " + VQiCloudSynchronizationManager::ownFilePath(path("Nextcloud/Vellico")));
}

TEST_F(VQPreferencesControllerTest, MissingFolderIsRefusedAndNothingIsLost)
{
    QDir().mkpath(path("Shared"));
    controller().showWindow();
    EXPECT_TRUE(controller().setSyncFolder(path("Shared")));
    EXPECT_EQ(controller().syncFileLabel()->toolTip(),
              "This computer's copy: " + VQiCloudSynchronizationManager::ownFilePath(path("Shared")));

    ui().answerAlert(0);
    EXPECT_FALSE(controller().setSyncFolder(path("Gone")));
    ASSERT_EQ(ui().alerts().size(), 1u);
    EXPECT_EQ(ui().alerts()[0].messageText, "This folder can't be used for synchronization.");
    EXPECT_TRUE(ui().alerts()[0].informativeText.contains(path("Gone")));
    EXPECT_EQ(controller().shownSettings().syncFolderPath, path("Shared"));
    controller().done();
    EXPECT_EQ(defaults().stringForKey("VQSyncFolderPath"), path("Shared"));
}

TEST_F(VQPreferencesControllerTest, SyncWithoutAFolderAsksForOne)
{
    controller().showWindow();
    // Cancelled: the box goes off again.
    ui().answerCancel();
    controller().syncCheckBox()->setChecked(true);
    EXPECT_FALSE(controller().syncCheckBox()->isChecked());
    ASSERT_EQ(ui().openPanels().size(), 1u);
    EXPECT_TRUE(ui().openPanels()[0].choosesFolders);

    QDir().mkpath(path("Shared"));
    ui().answerText(path("Shared"));
    controller().syncCheckBox()->setChecked(true);
    EXPECT_TRUE(controller().syncCheckBox()->isChecked());
    controller().done();
    EXPECT_TRUE(defaults().boolForKey("VQSynchronizeWithiCloud"));
    EXPECT_EQ(defaults().stringForKey("VQSyncFolderPath"), path("Shared"));
}

} // namespace
