// The key-code table, the modifier encodings and the stored shortcut record.

#include "platform/VQKeyCode.h"
#include "platform/VQKeyCombo.h"
#include "vqcore/VQUserDefaults.h"

#include "VQTestSupport.h"

#include <QFile>

#include <xkbcommon/xkbcommon-keysyms.h>

namespace
{
struct KeyRow {
    const char *name;
    int code;
    std::uint32_t keysym;
};

const KeyRow kKeyRows[] = {
    {"P", 35, XKB_KEY_p},
    {"A is code 0", 0, XKB_KEY_a},
    {"Escape", 53, XKB_KEY_Escape},
    {"Down", 125, XKB_KEY_Down},
    {"F1", 122, XKB_KEY_F1},
    {"F19", 80, XKB_KEY_F19},
    {"keypad 8 after the gap at 90", 91, XKB_KEY_KP_8},
    {"Backspace", 51, XKB_KEY_BackSpace},
    {"forward delete", 117, XKB_KEY_Delete},
    {"Help is Insert", 114, XKB_KEY_Insert},
    {"digit 5 before 6", 23, XKB_KEY_5},
};

TEST(VQKeyCodeTest, TableRoundTripsThroughKeysyms)
{
    for (const KeyRow &row : kKeyRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VQKeyCode::toKeysym(row.code), row.keysym);
        EXPECT_EQ(VQKeyCode::fromKeysym(row.keysym), row.code);
    }
}

TEST(VQKeyCodeTest, EveryCodeOfTheTableComesBackFromItsKeysym)
{
    for (int code = 0; code < 128; ++code) {
        SCOPED_TRACE(code);
        if (const auto keysym = VQKeyCode::toKeysym(code)) {
            EXPECT_EQ(VQKeyCode::fromKeysym(*keysym), code);
        }
    }
}

TEST(VQKeyCodeTest, ShiftedSymbolsAndUnknownKeys)
{
    const std::pair<std::uint32_t, std::optional<int>> rows[] = {
        {XKB_KEY_P, 35},
        {XKB_KEY_exclam, 18},
        {XKB_KEY_question, 44},
        {XKB_KEY_ISO_Left_Tab, 48},
        {XKB_KEY_KP_End, 83},
        {XKB_KEY_Print, std::nullopt},
        {XKB_KEY_Shift_L, std::nullopt},
        {0, std::nullopt},
    };
    for (const auto &[keysym, code] : rows) {
        SCOPED_TRACE(keysym);
        EXPECT_EQ(VQKeyCode::fromKeysym(keysym), code);
    }
    EXPECT_EQ(VQKeyCode::toKeysym(-1), std::nullopt);
    EXPECT_EQ(VQKeyCode::toKeysym(10), std::nullopt); // the ISO section key has no meaning here
    EXPECT_TRUE(VQKeyCode::isKeypad(83));
    EXPECT_TRUE(VQKeyCode::isKeypad(92));
    EXPECT_FALSE(VQKeyCode::isKeypad(90));
    EXPECT_FALSE(VQKeyCode::isKeypad(35));
}

struct FlagRow {
    const char *name;
    std::uint32_t cocoa;
    std::uint32_t carbon;
    std::uint16_t x11;
    Qt::KeyboardModifiers qt;
};

const FlagRow kFlagRows[] = {
    {"none", 0, 0, 0, Qt::NoModifier},
    {"Command is Ctrl", 0x100000, 0x100, 0x4, Qt::ControlModifier},
    {"Option is Alt", 0x80000, 0x800, 0x8, Qt::AltModifier},
    {"Control is Super", 0x40000, 0x1000, 0x40, Qt::MetaModifier},
    {"Shift", 0x20000, 0x200, 0x1, Qt::ShiftModifier},
    {"Ctrl+Alt", 1572864, 2304, 0xc, Qt::ControlModifier | Qt::AltModifier},
    {"all four", 0x1e0000, 0x1b00, 0x4d, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier},
};

TEST(VQKeyCodeTest, ModifierEncodings)
{
    for (const FlagRow &row : kFlagRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VQCocoaToCarbonFlags(row.cocoa), row.carbon);
        EXPECT_EQ(VQCarbonToCocoaFlags(row.carbon), row.cocoa);
        EXPECT_EQ(VQCocoaFlagsToX11Mask(row.cocoa), row.x11);
        EXPECT_EQ(VQX11MaskToCocoaFlags(row.x11), row.cocoa);
        EXPECT_EQ(VQCocoaFlagsToQtModifiers(row.cocoa), row.qt);
        EXPECT_EQ(VQQtModifiersToCocoaFlags(row.qt), row.cocoa);
    }
}

TEST(VQKeyCodeTest, OtherBitsAreDroppedAndTheFunctionBitPasses)
{
    EXPECT_EQ(VQCocoaToCarbonFlags(0x800000 | 0x100000 | 0x10000 | 0xff), 0x800000u | 0x100u);
    EXPECT_EQ(VQCarbonToCocoaFlags(0x800000 | 0x200 | 0x1), 0x800000u | 0x20000u);
    // NumLock (Mod2), CapsLock (Lock) and ScrollLock (Mod3 here) are no modifiers of a shortcut.
    EXPECT_EQ(VQX11MaskToCocoaFlags(0x2 | 0x10 | 0x20 | 0x4), 0x100000u);
}

TEST(VQKeyCodeTest, ReadableShortcut)
{
    EXPECT_EQ(VQReadableShortcut(1572864, 35), QStringLiteral("Ctrl+Alt+P"));
    EXPECT_EQ(VQReadableShortcut(0x1e0000, 122), QStringLiteral("Ctrl+Alt+Super+Shift+F1"));
    EXPECT_EQ(VQReadableShortcut(0x40000, -1), QStringLiteral("Super"));
    EXPECT_EQ(VQReadableShortcut(0, -1), QString());
}

class VQKeyComboRecordTest : public VQLibraryTest
{
  protected:
    QString conf() const { return path(QStringLiteral("record.conf")); }
    VQKeyCombo loadText(const QByteArray &text)
    {
        write(QStringLiteral("record.conf"), text);
        VQUserDefaults defaults(conf());
        return VQKeyComboRecord::load(defaults, QStringLiteral("KeyboardShortcut"));
    }
};

TEST_F(VQKeyComboRecordTest, ReadsWhatAPersonWrites)
{
    struct Row {
        const char *name;
        QByteArray text;
        VQKeyCombo expected;
    };
    const Row rows[] = {
        {"Ctrl+Alt+P",
         "[ShortcutRecorder KeyboardShortcut]\nkeyCode=35\nmodifierFlags=1572864\nmodifiers=2304\n",
         {1572864, 35, {}, {}}},
        {"only modifiers, converted",
         "[ShortcutRecorder KeyboardShortcut]\nkeyCode=35\nmodifiers=2304\n",
         {1572864, 35, {}, {}}},
        {"no keyCode is no key", "[ShortcutRecorder KeyboardShortcut]\nmodifierFlags=1572864\n", {1572864, -1, {}, {}}},
        {"nothing stored", "", {0, -1, {}, {}}},
        {"not a number", "[ShortcutRecorder KeyboardShortcut]\nkeyCode=pee\nmodifierFlags=x\n", {0, -1, {}, {}}},
        {"out of range",
         "[ShortcutRecorder KeyboardShortcut]\nkeyCode=99999\nmodifierFlags=1572864\n",
         {1572864, -1, {}, {}}},
        {"stray flag bits dropped",
         "[ShortcutRecorder KeyboardShortcut]\nkeyCode=53\nmodifierFlags=0x1100ff\n",
         {0x100000, 53, {}, {}}},
        {"texts",
         "[ShortcutRecorder KeyboardShortcut]\nkeyCode=35\nkeyChars=p\nkeyCharsIgnoringModifiers=p\n",
         {0, 35, QStringLiteral("p"), QStringLiteral("p")}},
        {"space in the group escaped",
         "[ShortcutRecorder%20KeyboardShortcut]\nkeyCode=126\nmodifierFlags=131072\n",
         {0x20000, 126, {}, {}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(loadText(row.text), row.expected);
    }
}

TEST_F(VQKeyComboRecordTest, SavesPlainKeysAndLoadsThemBack)
{
    const VQKeyCombo combo{1572864, 35, QStringLiteral("p"), QStringLiteral("p")};
    {
        VQUserDefaults defaults(conf());
        VQKeyComboRecord::save(defaults, QStringLiteral("KeyboardShortcut"), combo);
        defaults.synchronize();
    }
    QFile file(conf());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    for (const char *line : {"keyCode=35", "modifierFlags=1572864", "modifiers=2304", "keyChars=p"})
        EXPECT_TRUE(text.contains(line)) << line << " in\n" << text.constData();
    VQUserDefaults defaults(conf());
    EXPECT_EQ(VQKeyComboRecord::load(defaults, QStringLiteral("KeyboardShortcut")), combo);

    VQKeyComboRecord::save(defaults, QStringLiteral("KeyboardShortcut"), VQKeyCombo{});
    EXPECT_TRUE(VQKeyComboRecord::load(defaults, QStringLiteral("KeyboardShortcut")).isEmpty());
    EXPECT_FALSE(defaults.hasKey(QStringLiteral("ShortcutRecorder KeyboardShortcut/keyChars")));
}
} // namespace
