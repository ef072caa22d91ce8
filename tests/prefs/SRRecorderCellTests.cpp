// The recorder's state machine: how recording starts and ends, which keys and
// modifiers become a shortcut, the order of validation with its alerts, the
// stored record and the transition.

#include "VQTestSupport.h"

#include "ui/prefs/SRRecorderCell.h"
#include "ui/prefs/SRRecorderControl.h"
#include "ui/prefs/SRXkbKeyboardLayout.h"
#include "vqcore/VQUserDefaults.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <vector>

namespace
{
using namespace VQModifierFlag;

constexpr std::uint32_t CtrlAlt = Command | Option;

SRKeyEvent key(int code, std::uint32_t flags, QString chars)
{
    return {code, flags, chars, chars.toLower()};
}
VQKeyCombo combo(std::uint32_t flags, int code, const QString &chars = {})
{
    return {flags, code, chars, chars};
}
const SRKeyEvent kSpace = key(VQKeyCode::Space, 0, QStringLiteral(" "));
const SRKeyEvent kEscape = key(VQKeyCode::Escape, 0, QStringLiteral("\x1b"));

class Delegate : public SRRecorderCellDelegate
{
  public:
    std::vector<VQKeyCombo> changes;
    std::vector<int> asked;
    bool veto = false;
    QString reason;

    void shortcutRecorderCellKeyComboDidChange(SRRecorderCell &, const VQKeyCombo &combo) override
    {
        changes.push_back(combo);
    }
    bool shortcutRecorderCellIsKeyCodeAndFlagsTaken(SRRecorderCell &, int keyCode, std::uint32_t, QString *why) override
    {
        asked.push_back(keyCode);
        if (veto)
            *why = reason;
        return veto;
    }
};

class SRRecorderCellTest : public VQLibraryTest
{
  protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        SRKeyCodeTransformer::shared().setLayout(SRXkbKeyboardLayout::fromNames(QStringLiteral("us")));
        ASSERT_NE(SRKeyCodeTransformer::shared().layout(), nullptr);
        cell.setAutosaveName(QStringLiteral("KeyboardShortcut"));
        cell.setDelegate(&delegate);
        cell.setAnimates(false);
    }
    void TearDown() override
    {
        SRKeyCodeTransformer::shared().setLayout(nullptr);
        VQLibraryTest::TearDown();
    }

    QString stored(const char *field)
    {
        return VQUserDefaults::standard().stringForKey(QStringLiteral("ShortcutRecorder KeyboardShortcut/") +
                                                       QLatin1String(field));
    }

    void record(const SRKeyEvent &event)
    {
        cell.beginRecording();
        ASSERT_TRUE(cell.isRecording());
        cell.performKeyEquivalent(event);
    }

    Delegate delegate;
    SRRecorderCell cell;
};

TEST_F(SRRecorderCellTest, ClickOrSpaceStartsRecording)
{
    EXPECT_EQ(cell.displayText(), "Click to record shortcut");
    EXPECT_FALSE(cell.performKeyEquivalent(key(VQKeyCode::P, CtrlAlt, "p")));
    EXPECT_FALSE(cell.isRecording());
    EXPECT_TRUE(cell.performKeyEquivalent(kSpace));
    EXPECT_TRUE(cell.isRecording());
    EXPECT_EQ(cell.displayText(), "Type shortcut");
    cell.flagsChanged(CtrlAlt);
    EXPECT_EQ(cell.displayText(), "Ctrl+Alt+");
    cell.cancelRecording();

    cell.setEnabled(false);
    cell.beginRecording();
    EXPECT_FALSE(cell.isRecording());
    EXPECT_FALSE(cell.performKeyEquivalent(kSpace));
    EXPECT_FALSE(cell.isRecording());
}

// The recorder starts with Ctrl+Shift+K stored and recording on.
const VQKeyCombo kOld = combo(Command | Shift, VQKeyCode::K, "k");

TEST_F(SRRecorderCellTest, KeyWhileRecording)
{
    const struct {
        const char *name;
        SRKeyEvent event;
        bool allowsKeyOnly, escapeKeysRecord, stillRecording;
        VQKeyCombo expected; // the combination afterwards
    } rows[] = {
        {"CtrlAltP", key(VQKeyCode::P, CtrlAlt, "p"), false, false, false, combo(CtrlAlt, VQKeyCode::P)},
        {"EscapeCancels", kEscape, false, false, false, kOld},
        {"BackspaceCancels", key(VQKeyCode::Delete, 0, "\b"), false, false, false, kOld},
        {"DeleteCancels", key(VQKeyCode::ForwardDelete, Function, "\x7f"), false, false, false, kOld},
        {"CtrlEscapeRecords", key(VQKeyCode::Escape, Command, "\x1b"), false, false, false,
         combo(Command, VQKeyCode::Escape)},
        {"BareLetterIsIgnored", key(VQKeyCode::P, 0, "p"), false, false, true, kOld},
        {"BareArrowIsIgnored", key(VQKeyCode::LeftArrow, Function, "\u2190"), false, false, true, kOld},
        {"BareF5Records", key(VQKeyCode::F5, Function, "F5"), false, false, false, combo(Function, VQKeyCode::F5)},
        {"KeyOnlyRecordsBareLetter", key(VQKeyCode::P, 0, "p"), true, false, false, combo(0, VQKeyCode::P)},
        {"KeyOnlyEscapeStillCancels", kEscape, true, false, false, kOld},
        {"EscapeKeysRecordBareBackspace", key(VQKeyCode::Delete, 0, "\b"), true, true, false,
         combo(0, VQKeyCode::Delete)},
        {"CapsAndLocksAreNotModifiers", key(VQKeyCode::P, 0x10000 | 0x200000, "p"), false, false, true, kOld},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        cell.cancelRecording();
        delegate.changes.clear();
        cell.setKeyCombo(kOld);
        cell.setAllowsKeyOnly(row.allowsKeyOnly, row.escapeKeysRecord);
        record(row.event);
        EXPECT_EQ(cell.isRecording(), row.stillRecording);
        EXPECT_EQ(cell.keyCombo().code, row.expected.code);
        EXPECT_EQ(cell.keyCombo().flags, row.expected.flags);
        EXPECT_EQ(delegate.changes.size(), cell.keyCombo() == kOld ? 0u : 1u);
        EXPECT_TRUE(ui().alerts().empty());
    }
}

TEST_F(SRRecorderCellTest, KeyWithoutCharactersBeepsAndEnds)
{
    cell.setKeyCombo(kOld);
    record({VQKeyCode::None, CtrlAlt, {}, {}});
    EXPECT_FALSE(cell.isRecording());
    EXPECT_EQ(ui().beeps(), 1);
    EXPECT_EQ(cell.keyCombo(), kOld);
}

TEST_F(SRRecorderCellTest, AllowedAndRequiredFlags)
{
    // Super is not allowed (dropped), Shift is required (forced on).
    cell.setAllowedFlags(Command | Option | Shift);
    cell.setRequiredFlags(Shift);
    record(key(VQKeyCode::P, Command | Control, "p"));
    EXPECT_EQ(cell.keyCombo().flags, Command | Shift);
    // A required modifier makes any key valid.
    cell.setAllowedFlags(0);
    record(key(VQKeyCode::T, 0, "t"));
    EXPECT_EQ(cell.keyCombo().flags, Shift);
    EXPECT_EQ(cell.keyCombo().code, VQKeyCode::T);
}

TEST_F(SRRecorderCellTest, ClearingStoresNoKey)
{
    record(key(VQKeyCode::P, CtrlAlt, "p"));
    cell.clearKeyCombo();
    EXPECT_EQ(cell.keyCombo().code, -1);
    EXPECT_EQ(stored("keyCode"), "-1");
    EXPECT_EQ(delegate.changes.size(), 2u);
    EXPECT_EQ(cell.displayText(), "Click to record shortcut");
}

// -- validation ------------------------------------------------------------------

TEST_F(SRRecorderCellTest, DelegateVetoComesFirstAndRecordingGoesOn)
{
    int othersAsked = 0;
    cell.setHeldElsewhereQuery([&](int, std::uint32_t) -> std::optional<bool> {
        ++othersAsked;
        return true;
    });
    delegate.veto = true;
    delegate.reason = QStringLiteral("the organiser needs it");
    ui().answerAlert(0);
    record(key(VQKeyCode::P, CtrlAlt, "p"));
    EXPECT_TRUE(cell.isRecording());
    EXPECT_EQ(othersAsked, 0);
    ASSERT_EQ(ui().alerts().size(), 1u);
    EXPECT_EQ(ui().alerts()[0].messageText, "The key combination Ctrl + Alt + P can't be used!");
    EXPECT_EQ(ui().alerts()[0].informativeText,
              "The key combination \"Ctrl + Alt + P\" can't be used because the organiser needs it.");
    EXPECT_EQ(ui().alerts()[0].buttons, QStringList{"OK"});
    EXPECT_TRUE(delegate.changes.empty());
    EXPECT_EQ(stored("keyCode"), "");
    // Without a reason.
    delegate.reason.clear();
    ui().answerAlert(0);
    cell.performKeyEquivalent(key(VQKeyCode::P, CtrlAlt, "p"));
    ASSERT_EQ(ui().alerts().size(), 2u);
    EXPECT_EQ(ui().alerts()[1].informativeText,
              "The key combination \"Ctrl + Alt + P\" can't be used because it's already used.");
}

// The alert took the keys' release: what shows afterwards is what the control
// reads from the keyboard then, not what was held for the refused combination.
TEST_F(SRRecorderCellTest, AfterARefusalOnlyTheModifiersStillHeldShow)
{
    cell.setHeldElsewhereQuery([](int, std::uint32_t) { return true; });
    QObject::connect(&cell, &SRRecorderCell::alertDidEnd, [this] { cell.flagsChanged(0); });
    ui().answerAlert(0);
    record(key(VQKeyCode::P, CtrlAlt, "p"));
    ASSERT_EQ(ui().alerts().size(), 1u);
    EXPECT_TRUE(cell.isRecording());
    EXPECT_EQ(cell.recordingFlags(), 0u);
    EXPECT_EQ(cell.displayText(), "Type shortcut");
}

// The explanation of a refusal of `keys`: held by another program, or one of our menu items.
std::string heldElsewhere(const char *keys)
{
    return std::string("The key combination \"") + keys +
           "\" can't be used because it's already used by a system-wide keyboard shortcut. (If you really want to "
           "use this key combination, most shortcuts can be changed in the keyboard settings of your desktop.)";
}
std::string menuItem(const char *keys, const char *item)
{
    return std::string("The key combination \"") + keys +
           "\" can't be used because it's already used by the menu "
           "item \"" +
           item + "\".";
}

TEST_F(SRRecorderCellTest, ValidationOrder)
{
    const struct {
        const char *name;
        SRKeyEvent event;
        std::optional<bool> heldElsewhere; // the other programs' answer
        std::string informative;           // empty: recorded
    } rows[] = {
        {"Free", key(VQKeyCode::P, CtrlAlt, "p"), false, ""},
        {"HeldByAnotherProgram", key(VQKeyCode::P, CtrlAlt, "p"), true, heldElsewhere("Ctrl + Alt + P")},
        {"QuestionFailedCountsAsHeld", key(VQKeyCode::P, CtrlAlt, "p"), std::nullopt, heldElsewhere("Ctrl + Alt + P")},
        // A held combination is reported as held even when it is also one of ours.
        {"HeldBeatsOwnCommand", key(VQKeyCode::C, Command, "c"), true, heldElsewhere("Ctrl + C")},
        {"Copy", key(VQKeyCode::C, Command, "c"), false, menuItem("Ctrl + C", "Copy")},
        {"CopyAlternate", key(VQKeyCode::C, CtrlAlt, "c"), false, menuItem("Ctrl + Alt + C", "Copy Alternate Format")},
        {"Paste", key(VQKeyCode::V, Command, "v"), false, menuItem("Ctrl + V", "Paste")},
        {"Quit", key(VQKeyCode::Q, Command, "q"), false, menuItem("Ctrl + Q", "Quit")},
        {"Preferences", key(43, Command, ","), false, menuItem("Ctrl + ,", "Preferences...")},
        {"Help", key(VQKeyCode::F1, Function, "F1"), false, menuItem("F1", "Help")},
        {"Escape", kEscape, false, menuItem("Escape", "Close Window")},
        {"NewCollection", key(VQKeyCode::N, Command, "n"), false, menuItem("Ctrl + N", "New Collection")},
        {"CtrlShiftCIsFree", key(VQKeyCode::C, Command | Shift, "c"), false, ""},
        // The backslash is a plain key on a US layout.
        {"BackslashOnUS", key(42, CtrlAlt, "\\"), false, ""},
    };
    cell.setAllowsKeyOnly(true, true);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        cell.cancelRecording();
        delegate.asked.clear();
        delegate.changes.clear();
        const std::size_t alerts = ui().alerts().size();
        std::vector<std::pair<int, std::uint32_t>> asked;
        cell.setHeldElsewhereQuery([&](int code, std::uint32_t carbon) {
            asked.push_back({code, carbon});
            return row.heldElsewhere;
        });
        const bool refused = !row.informative.empty();
        if (refused)
            ui().answerAlert(0);
        record(row.event);
        EXPECT_EQ(delegate.asked.size(), 1u) << "the delegate is asked first";
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].second, VQCocoaToCarbonFlags(row.event.modifierFlags));
        EXPECT_EQ(cell.isRecording(), refused);
        ASSERT_EQ(ui().alerts().size(), alerts + (refused ? 1 : 0));
        if (refused) {
            EXPECT_EQ(ui().alerts().back().informativeText.toStdString(), row.informative);
            EXPECT_TRUE(delegate.changes.empty());
        } else {
            EXPECT_EQ(cell.keyCombo().code, row.event.keyCode);
        }
    }
}

TEST_F(SRRecorderCellTest, KeyWithoutNameIsRefusedSayingSo)
{
    // On a German layout the backslash needs AltGr: it cannot be held as a shortcut.
    SRKeyCodeTransformer::shared().setLayout(SRXkbKeyboardLayout::fromNames(QStringLiteral("de")));
    cell.setHeldElsewhereQuery([](int, std::uint32_t) { return false; });
    ui().answerAlert(0);
    record(key(42, CtrlAlt, "\\"));
    EXPECT_TRUE(cell.isRecording());
    ASSERT_EQ(ui().alerts().size(), 1u);
    EXPECT_EQ(ui().alerts()[0].messageText, "The key combination Ctrl + Alt +  can't be used!");
    EXPECT_EQ(ui().alerts()[0].informativeText,
              "The key combination \"Ctrl + Alt + \" can't be used because its key has no name on the current "
              "keyboard layout.");
}

// -- transition ------------------------------------------------------------------

TEST_F(SRRecorderCellTest, TransitionTicks)
{
    cell.setAnimates(true);
    cell.beginRecording();
    ASSERT_TRUE(cell.isAnimatingNow());
    EXPECT_TRUE(cell.isAnimatingTowardsRecording());
    EXPECT_DOUBLE_EQ(cell.transitionPosition(), 0.0);
    int ticks = 0;
    double last = -1;
    while (cell.isAnimatingNow() && ticks < 100) {
        cell.transitionTick();
        ++ticks;
        EXPECT_GT(cell.transitionPosition(), last);
        last = cell.transitionPosition();
    }
    // 0.095238097 per tick until 0.998: eleven ticks of 1/30 s.
    EXPECT_EQ(ticks, 11);
    EXPECT_DOUBLE_EQ(cell.transitionPosition(), 1.0);

    cell.cancelRecording();
    EXPECT_TRUE(cell.isAnimatingNow());
    EXPECT_FALSE(cell.isAnimatingTowardsRecording());
    EXPECT_DOUBLE_EQ(cell.transitionPosition(), 1.0);
    cell.transitionTick();
    EXPECT_NEAR(cell.transitionPosition(), 1.0 - SRAnimationEaseInOut(SRRecorderCell::TransitionStep), 1e-12);
}

// The control forwards clicks and keys to its cell; recording itself is the desktop test's.
TEST_F(SRRecorderCellTest, ControlRecordsFromQtEvents)
{
    SRRecorderControl control;
    control.setAutosaveName(QStringLiteral("KeyboardShortcut"));
    control.cell().setAnimates(false);
    control.resize(control.sizeHint());
    control.cell().setKeyCombo(kOld);
    control.cell().beginRecording();
    // While recording no shortcut of the window may take a key.
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Q, Qt::ControlModifier);
    QCoreApplication::sendEvent(&control, &override);
    EXPECT_TRUE(override.isAccepted());
    control.cell().cancelRecording();
    // The remove button clears it.
    const QPointF cross = QRectF(control.accessoryButtonRect()).center();
    QMouseEvent remove(QEvent::MouseButtonPress, cross, cross, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&control, &remove);
    EXPECT_EQ(control.keyCombo().code, -1);
    EXPECT_FALSE(control.cell().isRecording());

    // Hiding the window ends recording.
    control.show();
    control.cell().beginRecording();
    control.hide();
    EXPECT_FALSE(control.cell().isRecording());
}

} // namespace
