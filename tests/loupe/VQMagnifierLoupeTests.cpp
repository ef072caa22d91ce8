// The loupe's run, the Shift-tracking picker, the global shortcut and the pick
// command, over a desktop made of one image.

#include "VQFakePlatform.h"
#include "app/VQPickCommand.h"
#include "platform/VQGlobalShortcut.h"
#include "platform/VQMouseTracker.h"
#include "ui/loupe/VQColorOverviewView.h"
#include "ui/loupe/VQLoupeGeometry.h"
#include "ui/loupe/VQMagnifierLoupe.h"
#include "ui/loupe/VQMagnifierLoupeWindow.h"
#include "ui/loupe/VQMouseTrackingColorPicker.h"
#include "core/VQSampleMean.h"
#include "vqcore/VQUserDefaults.h"

#include "VQTestSupport.h"

#include <QApplication>
#include <QTextStream>
#include <QElapsedTimer>
#include <QTimer>

#include <xkbcommon/xkbcommon-keysyms.h>

namespace
{
const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(0x20, 0xc0, 0x40);

class VQMagnifierLoupeTest : public VQLibraryTest
{
  protected:
    // Runs one pick to its end; `play` runs once the run has started (its window shown, input grabbed).
    VQPickOutcome runPick(const std::function<void()> &play = {}, int sampleSize = 0)
    {
        std::optional<VQPickOutcome> outcome;
        const auto connection =
            QObject::connect(&loupe, &VQScreenPicker::finished, [&](const VQPickOutcome &told) { outcome = told; });
        if (play)
            QTimer::singleShot(0, qApp, play);
        EXPECT_TRUE(loupe.pick(sampleSize));
        QElapsedTimer waited;
        waited.start();
        while (!outcome && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        QObject::disconnect(connection);
        EXPECT_FALSE(loupe.isRunning());
        return outcome.value_or(VQPickOutcome::failed(QStringLiteral("the pick never ended")));
    }
    std::optional<QColor> run(const std::function<void()> &play = {}, int sampleSize = 0)
    {
        const VQPickOutcome outcome = runPick(play, sampleSize);
        if (outcome.kind == VQPickOutcome::Kind::Picked)
            return outcome.color;
        return std::nullopt;
    }

    static VQMagnifierLoupeWindow *shownWindow()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *loupe = qobject_cast<VQMagnifierLoupeWindow *>(widget); loupe && loupe->isVisible())
                return loupe;
        return nullptr;
    }

    VQFakePlatform platform{VQStripedDesktop()};
    VQMagnifierLoupe loupe{platform};
};

TEST_F(VQMagnifierLoupeTest, KeysCancelPickAndNudgeByOneDevicePixel)
{
    struct Row {
        const char *name;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> keys; // keysym, flags
        QPoint pointerAfter;
        std::optional<QColor> color;
    };
    const Row rows[] = {
        {"Return picks", {{XKB_KEY_Return, 0}}, {100, 50}, kRed},
        {"keypad Enter picks", {{XKB_KEY_KP_Enter, 0}}, {100, 50}, kRed},
        {"Up and Down", {{XKB_KEY_Up, 0}, {XKB_KEY_Up, 0}, {XKB_KEY_Down, 0}, {XKB_KEY_Return, 0}}, {100, 49}, kRed},
        {"Shift+Right moves ten", {{XKB_KEY_Right, 0x20000}, {XKB_KEY_Return, 0}}, {110, 50}, kRed},
        {"other keys do nothing",
         {{XKB_KEY_a, 0}, {XKB_KEY_p, 0x180000}, {XKB_KEY_Escape, 0}},
         {100, 50},
         std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        platform.pointer = QPoint(100, 50);
        EXPECT_EQ(run([&] {
                      for (const auto &[keysym, flags] : row.keys)
                          platform.sendKey(keysym, flags);
                  }),
                  row.color);
        EXPECT_EQ(platform.pointer, row.pointerAfter);
    }
}

TEST_F(VQMagnifierLoupeTest, TheWindowShowsTheNineByNineDevicePixelsAroundThePointer)
{
    platform.pointer = QPoint(101, 57);
    QImage shown;
    std::optional<QColor> centre;
    QColor readout;
    QPoint windowPosition;
    run([&] {
        VQMagnifierLoupeWindow *window = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *loupe = qobject_cast<VQMagnifierLoupeWindow *>(widget); loupe && loupe->isVisible())
                window = loupe;
        ASSERT_NE(window, nullptr);
        shown = window->previewView()->grab().toImage();
        centre = window->selectedColor();
        readout = window->overviewView()->selectedColor();
        windowPosition = window->pos();
        platform.sendKey(XKB_KEY_Escape);
    });
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(centre, kBlue);
    EXPECT_EQ(readout, kBlue);
    EXPECT_EQ(windowPosition, QPoint(121, 77)); // below the pointer: there is no room above
    const qreal cell = shown.width() / qreal(VQLoupeGeometry::SampleSize);
    for (int row = 0; row < 9; ++row)
        for (int column = 0; column < 9; ++column) {
            // The middle of each cell, away from the grid lines and the outline.
            const QPoint at(qRound((column + 0.3) * cell), qRound((row + 0.3) * cell));
            const QColor expected = (97 + column) % 2 == 0 ? kRed : kBlue;
            ASSERT_EQ(QColor(shown.pixel(at)), expected) << "cell " << column << "," << row;
        }
}

// A pick takes the mean in linear light of the sample around the pointer: the
// pick's own size, or the one S chose last (remembered), shrunk at the screen's
// edge; the readout names it and shows that mean.
TEST_F(VQMagnifierLoupeTest, APickTakesTheMeanOfTheSampleAroundThePointer)
{
    const QString key = QStringLiteral("VQLoupeSampleSize");
    const struct {
        const char *name;
        const char *stored; // the setting before the pick; nullptr: none
        int asked;          // the pick's own size; 0: none
        int presses;        // of S
        bool click;         // or Return
        QPoint pointer;
        QRect square; // the device pixels averaged
        const char *text;
        const char *storedAfter;
    } rows[] = {
        {"remembered 3×3, Return", "3", 0, 0, false, {101, 57}, QRect(100, 56, 3, 3), "3×3", "3"},
        {"remembered 3×3, a click", "3", 0, 0, true, {101, 57}, QRect(100, 56, 3, 3), "3×3", "3"},
        {"the pick's own 5×5, not remembered", "3", 5, 0, true, {101, 57}, QRect(99, 55, 5, 5), "5×5", "3"},
        {"S: from 1 to 3×3, remembered", nullptr, 0, 1, false, {100, 57}, QRect(99, 56, 3, 3), "3×3", "3"},
        {"S twice: from 3×3 to 9×9", "1", 3, 2, true, {100, 57}, QRect(96, 53, 9, 9), "9×9", "9"},
        {"S from 9×9 back to one pixel", "9", 0, 1, false, {100, 57}, QRect(100, 57, 1, 1), "1×1", "1"},
        {"a stored size that is none is 1", "7", 0, 0, false, {101, 57}, QRect(101, 57, 1, 1), "1×1", "7"},
        {"5×5 shrunk at the screen's left edge", nullptr, 5, 0, true, {0, 57}, QRect(0, 55, 3, 5), "5×5", nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.stored)
            VQUserDefaults::standard().setString(key, QString::fromLatin1(row.stored));
        else
            VQUserDefaults::standard().removeObjectForKey(key);
        platform.pointer = row.pointer;
        // The mean of the whole square, which is at most 9 × 9.
        const QRect &square = row.square;
        const QColor mean =
            VQMeanOfSquare(platform.desktop.copy(square), QPoint(square.width() / 2, square.height() / 2), 9).color;
        QString text;
        std::optional<QColor> readout;
        const auto readAndPick = [&] {
            VQMagnifierLoupeWindow *window = shownWindow();
            ASSERT_NE(window, nullptr);
            window->previewView()->grab(); // a repaint
            text = window->overviewView()->sampleText();
            readout = window->selectedColor();
            if (row.click)
                platform.sendClick(row.pointer);
            else
                platform.sendKey(XKB_KEY_Return);
        };
        EXPECT_EQ(run(
                      [&] {
                          for (int i = 0; i < row.presses; ++i)
                              platform.sendKey(XKB_KEY_s);
                          // After the keys, which come queued.
                          QMetaObject::invokeMethod(qApp, readAndPick, Qt::QueuedConnection);
                      },
                      row.asked),
                  mean);
        EXPECT_EQ(text, QString::fromUtf8(row.text));
        EXPECT_EQ(readout, mean);
        EXPECT_EQ(VQUserDefaults::standard().stringForKey(key), QString::fromLatin1(row.storedAfter));
    }
}

TEST_F(VQMagnifierLoupeTest, AFailedCaptureMakesTheClickPickNothingAndSaysWhy)
{
    platform.captureFails = true;
    platform.pointer = QPoint(101, 50);
    platform.afterGrab = [&] { platform.sendClick(QPoint(101, 50)); };
    const VQPickOutcome outcome = runPick();
    EXPECT_EQ(outcome.kind, VQPickOutcome::Kind::Failed);
    EXPECT_EQ(outcome.reason, "the pixel under the pointer could not be read");
    EXPECT_FALSE(platform.grab);
}

TEST_F(VQMagnifierLoupeTest, WithoutTheInputThereIsNoLoupe)
{
    platform.refuseGrab = true;
    const VQPickOutcome outcome = runPick();
    EXPECT_EQ(platform.grabAttempts, VQMagnifierLoupe::kGrabAttempts);
    EXPECT_EQ(outcome.reason, "another program holds the pointer or the keyboard");
}

TEST_F(VQMagnifierLoupeTest, ASessionWhoseScreenCannotBeReadFailsAtOnceWithItsReason)
{
    platform.pickingProblem = QStringLiteral("no way to read the screen");
    const VQPickOutcome outcome = runPick();
    EXPECT_EQ(outcome.reason, "no way to read the screen");
    EXPECT_EQ(platform.grabAttempts, 0);
}

TEST_F(VQMagnifierLoupeTest, InputHeldElsewhereForAMomentIsWaitedForWithoutStoppingTheEventLoop)
{
    platform.pointer = QPoint(101, 50);
    platform.refusedGrabs = 3;
    int attemptsWhenTheLoopRan = 0;
    QTimer::singleShot(0, qApp, [&] { attemptsWhenTheLoopRan = platform.grabAttempts; });
    platform.afterGrab = [&] { platform.sendClick(QPoint(101, 50)); };
    EXPECT_EQ(run(), kBlue);
    EXPECT_EQ(platform.grabAttempts, 4);
    // Events were handled between the refused attempts, before the grab.
    EXPECT_GE(attemptsWhenTheLoopRan, 1);
    EXPECT_LE(attemptsWhenTheLoopRan, 3);
}

TEST_F(VQMagnifierLoupeTest, ASecondLoupeDuringARunDoesNotStart)
{
    platform.pointer = QPoint(101, 50);
    bool secondStarted = true;
    int told = 0;
    QObject::connect(&loupe, &VQScreenPicker::finished, [&] { ++told; });
    EXPECT_EQ(run([&] {
                  secondStarted = loupe.pick();
                  platform.sendClick(QPoint(101, 50));
              }),
              kBlue);
    EXPECT_FALSE(secondStarted);
    EXPECT_EQ(told, 1);
}

// The asker going away, the program quitting, the loupe itself going: the input is given back.
TEST_F(VQMagnifierLoupeTest, ACancelOrTheLoupeGoingEndsTheRunAndGivesTheInputBack)
{
    platform.pointer = QPoint(101, 50);
    const VQPickOutcome outcome = runPick([&] {
        EXPECT_TRUE(platform.grab);
        loupe.cancel();
    });
    EXPECT_EQ(outcome.kind, VQPickOutcome::Kind::Cancelled);
    EXPECT_FALSE(platform.grab);

    auto other = std::make_unique<VQMagnifierLoupe>(platform);
    ASSERT_TRUE(other->pick());
    ASSERT_TRUE(platform.grab);
    ASSERT_NE(other->window(), nullptr);
    other.reset();
    EXPECT_FALSE(platform.grab);
}

TEST_F(VQMagnifierLoupeTest, NoPreviewShowsNoWindowButStillPicks)
{
    VQUserDefaults::standard().setBool(QStringLiteral("RZNoLoupePreview"), true);
    platform.pointer = QPoint(101, 50);
    bool windowShown = true;
    EXPECT_EQ(run([&] {
                  windowShown = false;
                  for (QWidget *widget : QApplication::topLevelWidgets())
                      windowShown |= qobject_cast<VQMagnifierLoupeWindow *>(widget) && widget->isVisible();
                  platform.sendClick(QPoint(102, 50));
              }),
              kRed);
    EXPECT_FALSE(windowShown);
}

// What a pick prints; the pick itself is the desktop test's.
TEST_F(VQLibraryTest, APickPrintsInItsFormat)
{
    const struct {
        const char *name;
        std::optional<VQCopyTemplate> format;
        bool lowercase;
        QString printed;
    } rows[] = {
        {"default", std::nullopt, false, QStringLiteral("#20C040")},
        {"default ignores lower case", std::nullopt, true, QStringLiteral("#20C040")},
        {"template 0", VQCopyTemplate::HexRGBWithoutHash, false, QStringLiteral("20C040")},
        {"template 0, lower case", VQCopyTemplate::HexRGBWithoutHash, true, QStringLiteral("20c040")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        VQUserDefaults::standard().setBool(QStringLiteral("VQUseLowercase"), row.lowercase);
        EXPECT_EQ(VQPickText(kGreen, {row.format}), row.printed);
    }
}

// -- Shift tracking -----------------------------------------------------------

class VQMouseTrackingColorPickerTest : public VQMagnifierLoupeTest
{
  protected:
    void move(QPoint to, std::uint32_t flags)
    {
        ASSERT_TRUE(platform.tracking) << "nobody listens to the pointer";
        VQInputEvent moved;
        moved.position = to;
        moved.flags = flags;
        platform.tracking(moved);
    }
    std::vector<QColor> selected;
    VQMouseTracker tracker{platform};
    VQMouseTrackingColorPicker picker{tracker, [this](const QColor &c) { selected.push_back(c); }};
};

// Shift sampling while the window shows is the desktop test's; here, what it cannot reach.
TEST_F(VQMouseTrackingColorPickerTest, CtrlAloneOrAFailedCaptureSampleNothing)
{
    picker.startTracking();
    EXPECT_FALSE(platform.tracking) << "the window is closed: no pointer events";
    picker.setMainWindowShown(true);
    move(QPoint(102, 10), 0x20000 | 0x100000);
    move(QPoint(104, 10), 0x100000); // Ctrl alone
    EXPECT_EQ(selected, std::vector<QColor>{kRed});
    platform.captureFails = true;
    move(QPoint(350, 150), 0x20000);
    EXPECT_EQ(selected.size(), 1u) << "a failed capture changes nothing";
    picker.setMainWindowShown(false);
    EXPECT_FALSE(platform.tracking) << "the window closed: the program sleeps again";
}

TEST_F(VQMouseTrackingColorPickerTest, TheSwitchKeepsItOff)
{
    VQUserDefaults::standard().setBool(QStringLiteral("VQMouseTrackingDisabled"), true);
    picker.startTracking();
    picker.setMainWindowShown(true);
    EXPECT_FALSE(platform.tracking);
    EXPECT_FALSE(picker.isObserving());
}

TEST_F(VQMouseTrackingColorPickerTest, TheTrackerListensOnlyWhileObserved)
{
    struct Counter : VQMouseTrackerObserver {
        int moves = 0, clicks = 0;
        void mouseMovedToPoint(QPoint, std::uint32_t) override { ++moves; }
        void mouseClickedAtPoint(QPoint, std::uint32_t) override { ++clicks; }
    } a, b;
    tracker.addObserver(&a);
    tracker.addObserver(&a);
    tracker.addObserver(&b);
    move(QPoint(1, 1), 0);
    VQInputEvent click;
    click.kind = VQInputEvent::Kind::Clicked;
    platform.tracking(click);
    tracker.removeObserver(&a);
    EXPECT_TRUE(platform.tracking);
    move(QPoint(2, 2), 0);
    tracker.removeObserver(&b);
    EXPECT_FALSE(platform.tracking);
    EXPECT_EQ(std::pair(a.moves, a.clicks), std::pair(1, 1));
    EXPECT_EQ(std::pair(b.moves, b.clicks), std::pair(2, 1));
}

// -- the global shortcut ------------------------------------------------------

class VQGlobalShortcutTest : public VQMagnifierLoupeTest
{
  protected:
    VQHotKeyShortcutService service{platform};
    QStringList told;
    VQGlobalShortcut shortcut{service, [this](const QString &m) { told << m; }};
};

// What the X11 key grab answered becomes the binding the interface reads.
TEST_F(VQGlobalShortcutTest, TheBindingSaysWhatTheDesktopMadeOfTheCombination)
{
    using Status = VQShortcutBinding::Status;
    using HotKey = VQX11Input::HotKeyStatus;
    const VQKeyCombo ctrlAltP{1572864, 35, {}, {}};
    const struct Row {
        const char *name;
        VQKeyCombo combo;
        HotKey answer;
        Status status;
        QString keys;
        const char *text; // a part of the binding's text
        int registrations;
    } rows[] = {
        {"nothing stored", {}, HotKey::Registered, Status::NoShortcut, {}, "no global shortcut", 0},
        {"no key, modifiers only", {1572864, -1, {}, {}}, HotKey::Registered, Status::NoShortcut, {}, "no global", 0},
        {"code 0 without modifiers", {0, 0, {}, {}}, HotKey::Registered, Status::NoShortcut, {}, "no global", 0},
        {"bound", ctrlAltP, HotKey::Registered, Status::Registered, "Ctrl+Alt+P", "starts the loupe", 1},
        {"held elsewhere", ctrlAltP, HotKey::Taken, Status::Taken, {}, "used by another program", 1},
        {"not on the keyboard", ctrlAltP, HotKey::Unsupported, Status::Unsupported, {}, "not on this keyboard", 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        platform.hotKeyStatus = row.answer;
        platform.registrations = 0;
        std::vector<VQShortcutBinding> heard;
        const auto connection = QObject::connect(&service, &VQGlobalShortcutService::bindingChanged,
                                                 [&](const VQShortcutBinding &b) { heard.push_back(b); });
        service.bind(row.combo);
        QObject::disconnect(connection);
        EXPECT_EQ(platform.registrations, row.registrations);
        ASSERT_EQ(heard.size(), 1u);
        EXPECT_EQ(heard[0].status, row.status);
        EXPECT_EQ(service.binding().status, row.status);
        EXPECT_EQ(service.binding().keys, row.keys);
        EXPECT_TRUE(service.binding().text.contains(QLatin1String(row.text))) << service.binding().text.toStdString();
        EXPECT_EQ(service.boundCombo().has_value(), row.status == Status::Registered);
    }
}

// An answer that comes later is the binding's; one about a combination replaced since is dropped.
TEST_F(VQGlobalShortcutTest, ALaterAnswerCountsOnlyForTheLastCombination)
{
    using Status = VQShortcutBinding::Status;
    platform.answerLater = true;
    const VQKeyCombo ctrlAltP{1572864, 35, {}, {}}, superP{0x40000, 35, {}, {}};
    service.bind(ctrlAltP);
    service.bind(superP);
    ASSERT_EQ(platform.heldAnswers.size(), 2u);
    EXPECT_EQ(service.binding().status, Status::Pending);
    platform.heldAnswers[0](VQX11Input::HotKeyStatus::Registered);
    EXPECT_EQ(service.binding().status, Status::Pending) << "the answer about Ctrl+Alt+P is stale";
    platform.heldAnswers[1](VQX11Input::HotKeyStatus::Registered);
    EXPECT_EQ(service.binding().status, Status::Registered);
    EXPECT_EQ(service.boundCombo(), std::optional(superP));
    service.unbind();
    platform.heldAnswers[1](VQX11Input::HotKeyStatus::Taken);
    EXPECT_EQ(service.binding().status, Status::NoShortcut) << "an answer after the unbind is stale";
}

TEST_F(VQGlobalShortcutTest, AShortcutHeldElsewhereIsToldOncePerCombination)
{
    platform.hotKeyStatus = VQX11Input::HotKeyStatus::Taken;
    const VQKeyCombo ctrlAltP{1572864, 35, {}, {}}, superP{0x40000, 35, {}, {}};
    service.bind(ctrlAltP);
    service.bind(ctrlAltP);
    service.bind(superP);
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told[0].contains(QStringLiteral("Ctrl+Alt+P"))) << told[0].toStdString();
    EXPECT_TRUE(told[1].contains(QStringLiteral("Super+P"))) << told[1].toStdString();
    EXPECT_TRUE(shortcut.registeredCombo().isEmpty());
}
} // namespace
