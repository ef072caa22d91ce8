// Key names: the fixed names, the characters of real xkb layouts (compiled
// from their names, no display needed), the modifier texts, and the key
// events the control builds from Qt's.

#include "ui/prefs/SRCommon.h"
#include "ui/prefs/SRRecorderControl.h"
#include "ui/prefs/SRXkbKeyboardLayout.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace
{
using namespace VQModifierFlag;

struct NameRow {
    const char *layout;
    int code;
    const char *name; // empty: no name
};

class SRKeyNameTest : public ::testing::TestWithParam<NameRow>
{
  protected:
    void TearDown() override { SRKeyCodeTransformer::shared().setLayout(nullptr); }
};

TEST_P(SRKeyNameTest, Name)
{
    const NameRow &row = GetParam();
    auto layout = SRXkbKeyboardLayout::fromNames(QString::fromLatin1(row.layout));
    ASSERT_NE(layout, nullptr) << row.layout;
    SRKeyCodeTransformer::shared().setLayout(std::move(layout));
    EXPECT_EQ(SRStringForKeyCode(row.code), QString::fromUtf8(row.name));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SRKeyNameTest,
    ::testing::Values(NameRow{"us", VQKeyCode::F1, "F1"}, NameRow{"us", VQKeyCode::F19, "F19"},
                      NameRow{"us", VQKeyCode::F13, "F13"}, NameRow{"us", VQKeyCode::Space, "Space"},
                      NameRow{"us", VQKeyCode::LeftArrow, "\u2190"}, NameRow{"us", VQKeyCode::Escape, "Escape"},
                      NameRow{"us", VQKeyCode::Delete, "Backspace"}, NameRow{"us", VQKeyCode::Return, "Return"},
                      NameRow{"us", VQKeyCode::P, "P"}, NameRow{"us", 42, "\\"}, NameRow{"us", 27, "-"},
                      NameRow{"us", 83, "Pad 1"}, NameRow{"us", 67, "Pad *"}, NameRow{"us", 92, "Pad 9"},
                      NameRow{"us", -1, ""}, NameRow{"us", 999, ""},
                      // German: letters keep their names wherever the keys sit; the
                      // backslash and the brackets need AltGr and have none; ß-free
                      // US symbols that German types with Shift keep theirs.
                      NameRow{"de", VQKeyCode::Z, "Z"}, NameRow{"de", VQKeyCode::Y, "Y"}, NameRow{"de", 42, ""},
                      NameRow{"de", 33, ""}, NameRow{"de", 41, ";"}, NameRow{"de", VQKeyCode::F5, "F5"},
                      // French: the digits are shifted, still on a key of their own.
                      NameRow{"fr", 18, "1"}, NameRow{"fr", VQKeyCode::A, "A"}, NameRow{"fr", 83, "Pad 1"},
                      // Russian alone has no Latin letters at all.
                      NameRow{"ru", VQKeyCode::P, ""}, NameRow{"ru", VQKeyCode::F2, "F2"}),
    [](const auto &info) {
        return std::string(info.param.layout) + "_" + (info.param.code < 0 ? "none" : std::to_string(info.param.code));
    });

TEST(SRKeyNames, WithoutALayoutOnlyTheFixedNames)
{
    SRKeyCodeTransformer::shared().setLayout(nullptr);
    EXPECT_EQ(SRStringForKeyCode(VQKeyCode::F7), "F7");
    EXPECT_EQ(SRStringForKeyCode(VQKeyCode::P), "");
}

TEST(SRKeyNames, ModifierTexts)
{
    SRKeyCodeTransformer::shared().setLayout(SRXkbKeyboardLayout::fromNames(QStringLiteral("us")));
    const struct {
        std::uint32_t flags;
        int code;
        const char *shortForm, *readable;
    } rows[] = {
        {Command | Option, VQKeyCode::P, "Ctrl+Alt+P", "Ctrl + Alt + P"},
        {Shift | Control | Option | Command, VQKeyCode::F1, "Ctrl+Alt+Super+Shift+F1",
         "Ctrl + Alt + Super + Shift + F1"},
        {Function, VQKeyCode::UpArrow, "\u2191", "\u2191"},
        {Shift, -1, "Shift+", "Shift + "},
        {0, -1, "", ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.shortForm);
        EXPECT_EQ(SRStringForCocoaModifierFlagsAndKeyCode(row.flags, row.code), QString::fromUtf8(row.shortForm));
        EXPECT_EQ(SRStringForCarbonModifierFlagsAndKeyCode(VQCocoaToCarbonFlags(row.flags), row.code),
                  QString::fromUtf8(row.shortForm));
        EXPECT_EQ(SRReadableStringForCarbonModifierFlagsAndKeyCode(VQCocoaToCarbonFlags(row.flags), row.code),
                  QString::fromUtf8(row.readable));
    }
    SRKeyCodeTransformer::shared().setLayout(nullptr);
}

TEST(SRKeyNames, FilteredFlagsAndValidity)
{
    const struct {
        std::uint32_t held, allowed, required, filtered;
    } filterRows[] = {
        {Command | Option, 0x9e0000, 0, Command | Option},
        {Command | Control, Command, 0, Command},
        {0, 0x9e0000, Shift, Shift},
        {0x10000 | Command, 0x9e0000, 0, Command}, // Caps Lock is dropped
        {Function, 0x9e0000, 0, Function},
    };
    for (const auto &row : filterRows)
        EXPECT_EQ(SRFilteredCocoaFlags(row.held, row.allowed, row.required), row.filtered) << row.held;

    EXPECT_TRUE(SRIsValidCombination(Command, VQKeyCode::P, false));
    EXPECT_FALSE(SRIsValidCombination(0, VQKeyCode::P, false));
    EXPECT_FALSE(SRIsValidCombination(Function, VQKeyCode::DownArrow, false));
    EXPECT_TRUE(SRIsValidCombination(Function, VQKeyCode::F12, false));
    EXPECT_TRUE(SRIsValidCombination(0, VQKeyCode::P, true));
}

TEST(SRRecorderControl, KeyEventFromQt)
{
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        quint32 keysym;
        const char *text;
        int code;
        std::uint32_t flags;
        const char *ignoring;
    } rows[] = {
        {Qt::Key_P, Qt::ControlModifier | Qt::AltModifier, 0x70, "\x10", VQKeyCode::P, Command | Option, "p"},
        {Qt::Key_P, Qt::ShiftModifier | Qt::MetaModifier, 0x50, "P", VQKeyCode::P, Shift | Control, "P"},
        {Qt::Key_F5, Qt::ControlModifier, 0xffc2, "", VQKeyCode::F5, Command | Function, "F5"},
        {Qt::Key_Left, Qt::NoModifier, 0xff51, "", VQKeyCode::LeftArrow, Function, "\u2190"},
        {Qt::Key_Escape, Qt::NoModifier, 0xff1b, "\x1b", VQKeyCode::Escape, 0, "Escape"},
        // Without a native symbol (offscreen, other platforms) Qt's key stands in.
        {Qt::Key_Q, Qt::ControlModifier, 0, "", VQKeyCode::Q, Command, "q"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.code);
        const QKeyEvent event(QEvent::KeyPress, row.key, row.modifiers, 0, row.keysym, 0,
                              QString::fromLatin1(row.text));
        const SRKeyEvent result = SRRecorderControl::keyEventFromQt(event);
        EXPECT_EQ(result.keyCode, row.code);
        EXPECT_EQ(result.modifierFlags, row.flags);
        EXPECT_EQ(result.charactersIgnoringModifiers, QString::fromUtf8(row.ignoring));
    }
}

} // namespace
