#include "VQModalUI.h"
#include "VQTermination.h"

#include "VQTestSupport.h"

#include <stdexcept>

namespace {
VQAlert makeAlert(const QString &message, const QStringList &buttons = {}, const QString &informative = {})
{
    VQAlert alert;
    alert.messageText = message;
    alert.informativeText = informative;
    alert.buttons = buttons;
    return alert;
}
} // namespace

class VQModalUITest : public VQLibraryTest {};

TEST_F(VQModalUITest, ScriptedAnswersInOrderAndRecordsTheQuestions)
{
    ui().answerAlert(2, true).answerText(QStringLiteral("#EE11EE")).answerCancel().answerText(QStringLiteral("/tmp/x.vlb"));
    VQModalUI &modal = VQModalUI::shared();
    EXPECT_EQ(&modal, &ui());

    const VQAlert alert = makeAlert(
        QStringLiteral("Choose Vellico library."),
        {QStringLiteral("Choose Library..."), QStringLiteral("Quit"), QStringLiteral("Create Library...")},
        QStringLiteral("Vellico needs to store its information somewhere."));
    const VQAlertResponse response = modal.runAlert(alert);
    EXPECT_EQ(response.button, 2);
    EXPECT_TRUE(response.suppressed);
    EXPECT_EQ(modal.runTextPrompt({QStringLiteral("Enter a hex, HTML or CSS color string."), {}, QStringLiteral("#FFFFFF"), {}}),
              QStringLiteral("#EE11EE"));
    EXPECT_EQ(modal.runOpenPanel({{}, {QStringLiteral("vlb")}, {}, {}}), std::nullopt);
    EXPECT_EQ(modal.runSavePanel({{}, {QStringLiteral("vlb")}, {}, QStringLiteral("Vellico Library")}),
              QStringLiteral("/tmp/x.vlb"));
    modal.beep();
    modal.beep();

    ASSERT_EQ(ui().alerts().size(), 1u);
    EXPECT_EQ(ui().alerts()[0].messageText, QStringLiteral("Choose Vellico library."));
    EXPECT_EQ(ui().alerts()[0].buttons.size(), 3);
    ASSERT_EQ(ui().prompts().size(), 1u);
    EXPECT_EQ(ui().prompts()[0].text, QStringLiteral("#FFFFFF"));
    ASSERT_EQ(ui().openPanels().size(), 1u);
    ASSERT_EQ(ui().savePanels().size(), 1u);
    EXPECT_EQ(ui().savePanels()[0].proposedName, QStringLiteral("Vellico Library"));
    EXPECT_EQ(ui().beeps(), 2);
    EXPECT_TRUE(ui().allRepliesUsed());
}

TEST_F(VQModalUITest, UnexpectedQuestionsThrow)
{
    // Nothing scripted.
    EXPECT_THROW(VQModalUI::shared().runAlert(makeAlert(QStringLiteral("Surprise"))), std::logic_error);
    EXPECT_THROW(VQModalUI::shared().runOpenPanel({}), std::logic_error);
    // An alert answer for a prompt.
    ui().answerAlert(0);
    EXPECT_THROW(VQModalUI::shared().runTextPrompt({}), std::logic_error);
    // A text for an alert.
    ui().answerText(QStringLiteral("x"));
    EXPECT_THROW(VQModalUI::shared().runAlert({}), std::logic_error);
    // A button the alert does not have (no buttons means one "OK").
    ui().answerAlert(1);
    EXPECT_THROW(VQModalUI::shared().runAlert({}), std::logic_error);
    ui().answerAlert(-1);
    EXPECT_THROW(VQModalUI::shared().runAlert(makeAlert(QStringLiteral("m"), {QStringLiteral("A"), QStringLiteral("B")})),
                 std::logic_error);
    ui().answerAlert(1);
    EXPECT_EQ(VQModalUI::shared().runAlert(makeAlert(QStringLiteral("m"), {QStringLiteral("A"), QStringLiteral("B")})).button, 1);
    EXPECT_TRUE(ui().allRepliesUsed());
}

TEST_F(VQModalUITest, HeadlessAnswersFirstButtonAndCancelsPanels)
{
    VQHeadlessModalUI headless;
    EXPECT_EQ(headless.runAlert(makeAlert(QStringLiteral("m"), {QStringLiteral("A"), QStringLiteral("B")})).button, 0);
    EXPECT_EQ(headless.runTextPrompt({}), std::nullopt);
    EXPECT_EQ(headless.runOpenPanel({}), std::nullopt);
    EXPECT_EQ(headless.runSavePanel({}), std::nullopt);
}

TEST_F(VQModalUITest, InstallReturnsThePreviousService)
{
    auto previous = VQModalUI::install(std::make_unique<VQHeadlessModalUI>());
    EXPECT_EQ(previous.get(), &ui());
    EXPECT_NE(dynamic_cast<VQHeadlessModalUI *>(&VQModalUI::shared()), nullptr);
    VQModalUI::install(std::move(previous));
    EXPECT_EQ(&VQModalUI::shared(), &ui());
}

class VQTerminationTest : public VQLibraryTest {};

TEST_F(VQTerminationTest, ThrowingHandlerCarriesTheStatus)
{
    for (int status : {0, 1, 3}) {
        SCOPED_TRACE(status);
        EXPECT_TERMINATES(VQTermination::terminate(status), status);
    }
}

TEST_F(VQTerminationTest, SetHandlerReturnsThePreviousOne)
{
    std::vector<int> seen;
    auto previous = VQTermination::setHandler([&seen](int status) {
        seen.push_back(status);
        throw VQTerminationRequest{status + 100};
    });
    ASSERT_TRUE(bool(previous));
    EXPECT_TERMINATES(VQTermination::terminate(4), 104);
    EXPECT_EQ(seen, std::vector<int>({4}));
    // The fixture's throwing handler comes back.
    VQTermination::setHandler(previous);
    EXPECT_TERMINATES(VQTermination::terminate(0), 0);
}
