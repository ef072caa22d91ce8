// The pick controller over a picker the test answers: one pick at a time,
// the others queued and started after it, outcomes told later, and an asker
// that leaves.

#include "app/VQPickController.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
// Answers when the test says so; `atOnce` answers from inside start() instead.
class VQFakePicker : public VQScreenPicker
{
  public:
    QString description() const override { return QStringLiteral("fake"); }
    void answer(const VQPickOutcome &outcome)
    {
        answering = true;
        finish(outcome);
        answering = false;
    }
    std::optional<VQPickOutcome> atOnce;
    int starts = 0;
    std::vector<int> sampleSizes; // each start's
    int stops = 0;
    bool answering = false; // inside finish(), emitting finished()

  protected:
    void start() override
    {
        ++starts;
        sampleSizes.push_back(askedSampleSize());
        if (atOnce)
            answer(*atOnce);
    }
    void stop() override
    {
        ++stops;
        answer(VQPickOutcome::cancelled());
    }
};

class VQPickControllerTest : public testing::Test
{
  protected:
    // What one asker heard, and where it was when it heard it.
    struct Heard {
        int asker;
        VQPickOutcome::Kind kind;
        QColor color;
        bool insidePick, insideFinished;
        int startsThen;
    };

    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "tests";
        static char *argv[] = {name, nullptr};
        _app = std::make_unique<QCoreApplication>(argc, argv);
        picker = std::make_unique<VQFakePicker>();
        controller = std::make_unique<VQPickController>(*picker);
    }
    void TearDown() override
    {
        controller.reset();
        picker.reset();
        _app.reset();
    }

    void pick(int asker, int sampleSize = 0)
    {
        picking = true;
        controller->pick(
            [this, asker](const VQPickOutcome &outcome) {
                heard.push_back({asker, outcome.kind, outcome.color, picking, picker->answering, picker->starts});
            },
            quint64(asker), sampleSize);
        picking = false;
    }
    static void settle()
    {
        for (int turn = 0; turn < 10; ++turn)
            QCoreApplication::sendPostedEvents();
    }

    std::unique_ptr<QCoreApplication> _app;
    std::unique_ptr<VQFakePicker> picker;
    std::unique_ptr<VQPickController> controller;
    std::vector<Heard> heard;
    bool picking = false;
};

TEST_F(VQPickControllerTest, APickDuringAnotherWaitsAndStartsAfterTheFirstHasBeenTold)
{
    int aboutToPick = 0;
    std::vector<QColor> finished;
    QObject::connect(controller.get(), &VQPickController::aboutToPick, [&] { ++aboutToPick; });
    QObject::connect(controller.get(), &VQPickController::finished, [&](const VQPickOutcome &outcome) {
        finished.push_back(outcome.color);
        EXPECT_EQ(heard.size(), finished.size() - 1) << "the signal comes before the asker hears";
    });
    pick(1, 5);
    pick(2);
    EXPECT_EQ(picker->starts, 1);
    EXPECT_EQ(controller->queued(), 1);
    EXPECT_TRUE(controller->isPicking());
    EXPECT_EQ(controller->runningAsker(), 1u);

    picker->answer(VQPickOutcome::picked(Qt::red));
    EXPECT_TRUE(heard.empty()) << "told later, not from inside the picker's finished()";
    EXPECT_EQ(picker->starts, 1) << "the next pick does not start inside the first one's end";
    settle();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].asker, 1);
    EXPECT_EQ(heard[0].color, QColor(Qt::red));
    EXPECT_EQ(heard[0].startsThen, 1) << "the first is told before the second starts";
    EXPECT_EQ(picker->starts, 2);
    EXPECT_EQ(controller->runningAsker(), 2u);

    picker->answer(VQPickOutcome::cancelled());
    settle();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[1].asker, 2);
    EXPECT_EQ(heard[1].kind, VQPickOutcome::Kind::Cancelled);
    EXPECT_EQ(aboutToPick, 2);
    EXPECT_EQ(finished, (std::vector<QColor>{QColor(Qt::red), QColor()}));
    EXPECT_EQ(picker->sampleSizes, (std::vector<int>{5, 0})) << "each pick with its own sample size";
    EXPECT_FALSE(controller->isPicking());
}

// A picker that answers from inside start() (it cannot run here) still answers later.
TEST_F(VQPickControllerTest, AnOutcomeIsNeverToldFromInsidePick)
{
    picker->atOnce = VQPickOutcome::failed(QStringLiteral("no way to read the screen"));
    pick(1);
    pick(2);
    EXPECT_TRUE(heard.empty());
    settle();
    ASSERT_EQ(heard.size(), 2u);
    for (const Heard &one : heard) {
        EXPECT_EQ(one.kind, VQPickOutcome::Kind::Failed);
        EXPECT_FALSE(one.insidePick);
        EXPECT_FALSE(one.insideFinished);
    }
    EXPECT_EQ(picker->starts, 2);
}

// An asker's `done` that asks again goes behind what already waits.
TEST_F(VQPickControllerTest, APickAskedWhileTellingAnOutcomeWaitsItsTurn)
{
    controller->pick([this](const VQPickOutcome &) { pick(3); }, 1);
    pick(2);
    picker->answer(VQPickOutcome::cancelled());
    settle();
    EXPECT_EQ(controller->runningAsker(), 2u);
    picker->answer(VQPickOutcome::cancelled());
    settle();
    EXPECT_EQ(controller->runningAsker(), 3u);
    picker->answer(VQPickOutcome::cancelled());
    settle();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].asker, 2);
    EXPECT_EQ(heard[1].asker, 3);
}

TEST_F(VQPickControllerTest, AnAskerThatLeavesLosesItsPickRunningOrWaiting)
{
    const struct Row {
        const char *name;
        int leaving;
        int stops;                 // the running pick cancelled
        std::vector<int> told;     // who heard a cancel at once, in order
        std::vector<int> runAfter; // who runs next, in order, once the others answer
    } rows[] = {
        {"the running one's asker", 1, 1, {1}, {2, 3}},
        {"a waiting one's asker", 2, 0, {2}, {1, 3}},
        {"an asker that asked nothing", 9, 0, {}, {1, 2, 3}},
        {"no asker", 0, 0, {}, {1, 2, 3}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        heard.clear();
        pick(1);
        pick(2);
        pick(3);
        controller->askerLeft(quint64(row.leaving));
        EXPECT_EQ(picker->stops, row.stops);
        settle();
        std::vector<int> told;
        for (const Heard &one : heard) {
            EXPECT_EQ(one.kind, VQPickOutcome::Kind::Cancelled);
            told.push_back(one.asker);
        }
        EXPECT_EQ(told, row.told);
        std::vector<int> ran;
        while (picker->isRunning()) {
            ran.push_back(int(controller->runningAsker()));
            picker->answer(VQPickOutcome::picked(Qt::blue));
            settle();
        }
        EXPECT_EQ(ran, row.runAfter);
        EXPECT_FALSE(controller->isPicking());
    }
}
} // namespace
