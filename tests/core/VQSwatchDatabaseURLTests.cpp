// Where the library lives: the default, a custom library chosen earlier, and
// the choice at launch (choose, create, quit, cancel).

#include "VQTestSupport.h"

#include "VQSwatchCore.h"
#include "VQSwatchDatabaseURL.h"
#include "VQTermination.h"
#include "VQUserDefaults.h"

#include <QDir>
#include <QFile>

namespace {

class DatabaseURLTest : public VQLibraryTest {
protected:
    QString defaultPath() const { return path(".local/share/Vellico/Vellico Library.vlb"); }
    QString stored() const { return VQUserDefaults::standard().stringForKey(VQCustomLibraryURLDataDefaultsKey); }
    void storeCustom(const QString &file) { VQUserDefaults::standard().setString(VQCustomLibraryURLDataDefaultsKey, file); }
    void touch(const QString &file)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
};

// Replies to the launch-time choice, then what should come of it.
struct ChoiceRow {
    const char *name;
    int button;                  // 0 "Choose Library...", 1 "Quit", 2 "Create Library..."
    const char *panelAnswer;     // a path under the home folder, or nullptr to cancel
    bool terminates;
};

void PrintTo(const ChoiceRow &row, std::ostream *os) { *os << row.name; }

class LaunchChoice : public DatabaseURLTest, public ::testing::WithParamInterface<ChoiceRow> {};

TEST_P(LaunchChoice, EndsTheProcessOrRemembersTheChosenLibrary)
{
    const ChoiceRow &row = GetParam();
    touch(path("existing.vlb"));
    ui().answerAlert(row.button);
    if (row.button != 1) {
        if (row.panelAnswer)
            ui().answerText(path(QString::fromLatin1(row.panelAnswer)));
        else
            ui().answerCancel();
    }

    if (row.terminates) {
        EXPECT_TERMINATES(VQSwatchDatabaseURL(true), 0);
        EXPECT_FALSE(VQUserDefaults::standard().hasKey(VQCustomLibraryURLDataDefaultsKey));
    } else {
        const QString expected = path(QString::fromLatin1(row.panelAnswer));
        EXPECT_EQ(VQSwatchDatabaseURL(true), expected);
        EXPECT_EQ(stored(), expected);
    }
    EXPECT_TRUE(ui().allRepliesUsed());

    ASSERT_EQ(ui().alerts().size(), 1u);
    const VQAlert &alert = ui().alerts()[0];
    EXPECT_EQ(alert.messageText, "Choose Vellico library.");
    EXPECT_EQ(alert.informativeText, "Vellico needs to store its information somewhere.");
    EXPECT_EQ(alert.buttons, (QStringList{"Choose Library...", "Quit", "Create Library..."}));
    if (row.button == 0) {
        ASSERT_EQ(ui().openPanels().size(), 1u);
        EXPECT_EQ(ui().openPanels()[0].allowedExtensions, (QStringList{"plist", "swl", "vlb"}));
    }
    if (row.button == 2) {
        ASSERT_EQ(ui().savePanels().size(), 1u);
        const VQFilePanel &panel = ui().savePanels()[0];
        EXPECT_EQ(panel.allowedExtensions, QStringList{"vlb"});
        EXPECT_EQ(panel.directory, QDir::homePath());
        EXPECT_EQ(panel.proposedName, "Vellico Library");
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LaunchChoice,
                         ::testing::Values(ChoiceRow{"quit", 1, nullptr, true},
                                           ChoiceRow{"choose_cancelled", 0, nullptr, true},
                                           ChoiceRow{"choose", 0, "existing.vlb", false},
                                           ChoiceRow{"create_cancelled", 2, nullptr, true},
                                           ChoiceRow{"create", 2, "New Library.vlb", false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(DatabaseURLTest, ACreatedLibraryLoadsEmptyAtTheCurrentVersion)
{
    QDir().mkpath(path("made"));
    const QString file = path("made/New Library.vlb");
    ui().answerAlert(2).answerText(file);
    ASSERT_EQ(VQSwatchDatabaseURL(true), file);
    std::optional<VQPlist> root = VQPlist::fromFile(file);
    ASSERT_TRUE(root);
    EXPECT_EQ((*root)[VQLibraryVersion].toString(), QString("0.3"));
    EXPECT_TRUE((*root)[VQLibraryContent].isArray());
    auto core = VQSwatchCore::loadFromURL(file);
    EXPECT_EQ(core->numberOfCollections(), 0u);
    EXPECT_TRUE(ui().alerts().size() == 1) << "loading asked something more";
}

TEST_F(DatabaseURLTest, ALibraryThatCannotBeCreatedIsReportedAndNotRemembered)
{
    ui().answerAlert(2).answerText(path("no such folder/New Library.vlb")).answerAlert(0);
    EXPECT_TERMINATES(VQSwatchDatabaseURL(true), 0);
    ASSERT_EQ(ui().alerts().size(), 2u);
    EXPECT_EQ(ui().alerts()[1].messageText, "Vellico couldn't create the library.");
    EXPECT_FALSE(VQUserDefaults::standard().hasKey(VQCustomLibraryURLDataDefaultsKey));
}

TEST_F(DatabaseURLTest, RememberedLibraryOrTheDefaultWithAnAlertAtEveryLaunch)
{
    struct Row {
        const char *name;
        const char *custom;  // stored under the key; nullptr: no key
        bool exists;
        bool alerts;
    };
    for (const Row &row : {Row{"no custom library", nullptr, false, false},
                           Row{"custom library present", "mine.vlb", true, false},
                           Row{"custom library deleted", "gone.vlb", false, true},
                           Row{"custom library is a folder", "folder.vlb", false, true},
                           Row{"empty key", "", false, true}}) {
        SCOPED_TRACE(row.name);
        VQUserDefaults::standard().removeObjectForKey(VQCustomLibraryURLDataDefaultsKey);
        const QString custom = row.custom && *row.custom ? path(QString::fromLatin1(row.custom)) : QString();
        if (row.custom)
            storeCustom(custom);
        if (row.exists)
            touch(custom);
        if (QString(row.custom) == "folder.vlb")
            QDir().mkpath(custom);

        for (int launch = 0; launch < 2; ++launch) {
            VQResetSwatchDatabaseURL();
            const std::size_t before = ui().alerts().size();
            if (row.alerts)
                ui().answerAlert(0);
            EXPECT_EQ(VQSwatchDatabaseURL(), row.exists ? custom : defaultPath());
            ASSERT_EQ(ui().alerts().size(), before + (row.alerts ? 1 : 0));
            if (row.alerts) {
                const VQAlert &alert = ui().alerts().back();
                EXPECT_EQ(alert.messageText, "Custom library wasn't found!");
                EXPECT_EQ(alert.informativeText, "Vellico will use the default library instead.");
                EXPECT_EQ(alert.buttons, QStringList{"OK"});
            }
            EXPECT_EQ(VQUserDefaults::standard().hasKey(VQCustomLibraryURLDataDefaultsKey), row.custom != nullptr);
        }
    }
    EXPECT_TRUE(QDir(path(".local/share/Vellico")).exists());
}

TEST_F(DatabaseURLTest, TheSecondCallNeitherAsksNorReadsTheDefaults)
{
    const QString first = VQSwatchDatabaseURL();
    storeCustom(path("gone.vlb")); // would bring an alert, and the script has no answer
    EXPECT_EQ(VQSwatchDatabaseURL(true), first);
    EXPECT_TRUE(ui().alerts().empty());
}

} // namespace
