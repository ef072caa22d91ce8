// Where the library lives: the default, a custom library chosen earlier, and
// the choice at launch (choose, create, quit, cancel).

#include "VQTestSupport.h"

#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"
#include "vqcore/VQTermination.h"
#include "vqcore/VQUserDefaults.h"

#include <QDir>
#include <QFile>

namespace
{

bool hasCustomKey()
{
    return VQUserDefaults::standard().hasKey(VQCustomLibraryURLDataDefaultsKey);
}

// Replies to the launch-time choice, then what should come of it.
struct ChoiceRow {
    const char *name;
    int button;              // 0 "Choose Library...", 1 "Quit", 2 "Create Library..."
    const char *panelAnswer; // a path under the home folder, or nullptr to cancel
    const char *failure;     // the alert that reports a failure, or nullptr
    bool terminates;
};

void PrintTo(const ChoiceRow &row, std::ostream *os)
{
    *os << row.name;
}

class LaunchChoice : public VQLibraryTest, public ::testing::WithParamInterface<ChoiceRow>
{
};

TEST_P(LaunchChoice, EndsTheProcessOrRemembersTheChosenLibrary)
{
    const ChoiceRow &row = GetParam();
    ASSERT_TRUE(QFile(path("existing.vlb")).open(QIODevice::WriteOnly));
    QDir().mkpath(path("made"));
    ui().answerAlert(row.button);
    if (row.button != 1)
        row.panelAnswer ? ui().answerText(path(row.panelAnswer)) : ui().answerCancel();
    if (row.failure)
        ui().answerAlert(0);

    const QString chosen = row.panelAnswer ? path(row.panelAnswer) : QString();
    if (row.terminates) {
        EXPECT_TERMINATES(VQSwatchDatabaseURL(true), 0);
        EXPECT_FALSE(hasCustomKey());
    } else {
        EXPECT_EQ(VQSwatchDatabaseURL(true), chosen);
        EXPECT_EQ(VQUserDefaults::standard().stringForKey(VQCustomLibraryURLDataDefaultsKey), chosen);
    }
    EXPECT_TRUE(ui().allRepliesUsed());
    ASSERT_EQ(ui().alerts().size(), row.failure ? 2u : 1u);
    EXPECT_EQ(ui().alerts()[0].buttons, (QStringList{"Choose Library...", "Quit", "Create Library..."}));
    EXPECT_EQ(ui().alerts().back().messageText, row.failure ? row.failure : "Choose Vellico library.");
    if (row.button == 0) {
        EXPECT_EQ(ui().openPanels().at(0).allowedExtensions, (QStringList{"plist", "swl", "vlb"}));
    } else if (row.button == 2) {
        EXPECT_EQ(ui().savePanels().at(0).proposedName, "Vellico Library");
    }

    if (row.button == 2 && !row.terminates) {
        // A new library: empty, at the current version, and it loads without a question.
        std::optional<VQPlist> root = VQPlist::fromFile(chosen);
        ASSERT_TRUE(root);
        EXPECT_EQ((*root)[VQLibraryVersion].toString(), QString("0.3"));
        EXPECT_TRUE((*root)[VQLibraryContent].isArray());
        EXPECT_EQ(VQOpenLiveLibrary(chosen)->numberOfCollections(), 0u);
        EXPECT_EQ(ui().alerts().size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LaunchChoice,
                         ::testing::Values(ChoiceRow{"quit", 1, nullptr, nullptr, true},
                                           ChoiceRow{"choose_cancelled", 0, nullptr, nullptr, true},
                                           ChoiceRow{"choose", 0, "existing.vlb", nullptr, false},
                                           ChoiceRow{"create_cancelled", 2, nullptr, nullptr, true},
                                           ChoiceRow{"create", 2, "made/New Library.vlb", nullptr, false},
                                           ChoiceRow{"create_fails", 2, "no such folder/New Library.vlb",
                                                     "Vellico couldn't create the library.", true}),
                         [](const auto &info) { return std::string(info.param.name); });

class DatabaseURLTest : public VQLibraryTest
{
};

TEST_F(DatabaseURLTest, RememberedLibraryOrTheDefaultWithAnAlertAtEveryLaunch)
{
    enum Made { Nothing, File, Folder };
    struct Row {
        const char *name;
        const char *custom; // stored under the key; nullptr: no key
        Made made;
        bool alerts;
    };
    for (const Row &row :
         {Row{"no custom library", nullptr, Nothing, false}, Row{"custom library present", "mine.vlb", File, false},
          Row{"custom library deleted", "gone.vlb", Nothing, true},
          Row{"custom library is a folder", "folder.vlb", Folder, true}, Row{"empty key", "", Nothing, true}}) {
        SCOPED_TRACE(row.name);
        VQUserDefaults::standard().removeObjectForKey(VQCustomLibraryURLDataDefaultsKey);
        const QString custom = row.custom && *row.custom ? path(row.custom) : QString();
        if (row.custom)
            VQUserDefaults::standard().setString(VQCustomLibraryURLDataDefaultsKey, custom);
        if (row.made == File) {
            ASSERT_TRUE(QFile(custom).open(QIODevice::WriteOnly));
        } else if (row.made == Folder) {
            QDir().mkpath(custom);
        }

        for (int launch = 0; launch < 2; ++launch) {
            VQResetSwatchDatabaseURL();
            const std::size_t before = ui().alerts().size();
            if (row.alerts)
                ui().answerAlert(0);
            EXPECT_EQ(VQSwatchDatabaseURL(),
                      row.made == File ? custom : path(".local/share/Vellico/Vellico Library.vlb"));
            ASSERT_EQ(ui().alerts().size(), before + (row.alerts ? 1 : 0));
            if (row.alerts) {
                EXPECT_EQ(ui().alerts().back().messageText, "Custom library wasn't found!");
            }
            EXPECT_EQ(hasCustomKey(), row.custom != nullptr) << "the key stays until another library is chosen";
        }
    }
    EXPECT_TRUE(QDir(path(".local/share/Vellico")).exists());
}

TEST_F(DatabaseURLTest, TheSecondCallNeitherAsksNorReadsTheDefaults)
{
    const QString first = VQSwatchDatabaseURL();
    VQUserDefaults::standard().setString(VQCustomLibraryURLDataDefaultsKey, path("gone.vlb")); // would alert
    EXPECT_EQ(VQSwatchDatabaseURL(true), first);
    EXPECT_TRUE(ui().alerts().empty());
}

} // namespace
