// What a key does in the loupes: one table for the X11 grab, the wlroots
// overlay and the windows over the portal's screenshot.

#include "ui/loupe/VQLoupeKeys.h"

#include <Qt>

#include <xkbcommon/xkbcommon-keysyms.h>

#include <gtest/gtest.h>

#include <ostream>

namespace
{
using Kind = VQLoupeCommand::Kind;

struct KeyRow {
    const char *name;
    std::uint32_t keysym;
    bool shift;
    VQLoupeCommand command;
};

const KeyRow kKeyRows[] = {
    {"ReturnPicks", XKB_KEY_Return, false, {Kind::Pick, {}}},
    {"KeypadEnterPicks", XKB_KEY_KP_Enter, false, {Kind::Pick, {}}},
    {"ShiftReturnStillPicks", XKB_KEY_Return, true, {Kind::Pick, {}}},
    {"EscapeCancels", XKB_KEY_Escape, false, {Kind::Cancel, {}}},
    {"LeftByOne", XKB_KEY_Left, false, {Kind::Move, {-1, 0}}},
    {"RightByOne", XKB_KEY_Right, false, {Kind::Move, {1, 0}}},
    {"UpByOne", XKB_KEY_Up, false, {Kind::Move, {0, -1}}},
    {"DownByOne", XKB_KEY_Down, false, {Kind::Move, {0, 1}}},
    {"ShiftLeftByTen", XKB_KEY_Left, true, {Kind::Move, {-10, 0}}},
    {"ShiftDownByTen", XKB_KEY_Down, true, {Kind::Move, {0, 10}}},
    {"SStepsTheSample", XKB_KEY_s, false, {Kind::SampleSize, {}}},
    {"ShiftSStepsItToo", XKB_KEY_S, true, {Kind::SampleSize, {}}},
    {"ALetterDoesNothing", XKB_KEY_a, false, {}},
    {"TheKeypadsArrowsAreNotTheArrows", XKB_KEY_KP_Left, false, {}},
    {"ShiftSpaceDoesNothing", XKB_KEY_space, true, {}},
};

void PrintTo(const KeyRow &row, std::ostream *out)
{
    *out << row.name;
}

class VQLoupeKeysTest : public testing::TestWithParam<KeyRow>
{
};

TEST_P(VQLoupeKeysTest, TheKeyGivesItsCommand)
{
    const KeyRow &row = GetParam();
    const VQLoupeCommand command = VQLoupeCommandForKey(row.keysym, row.shift);
    EXPECT_EQ(command.kind, row.command.kind);
    EXPECT_EQ(command.delta, row.command.delta);
}

INSTANTIATE_TEST_SUITE_P(Rows, VQLoupeKeysTest, testing::ValuesIn(kKeyRows),
                         [](const testing::TestParamInfo<KeyRow> &info) { return std::string(info.param.name); });

// Qt's keys reach the same table: Enter is the keypad's, a key the loupes do not know is none.
TEST(VQLoupeKeysTest, QtKeysMapToTheirKeysyms)
{
    const struct {
        int qtKey;
        std::uint32_t keysym;
    } rows[] = {
        {Qt::Key_Return, XKB_KEY_Return},
        {Qt::Key_Enter, XKB_KEY_KP_Enter},
        {Qt::Key_Escape, XKB_KEY_Escape},
        {Qt::Key_Left, XKB_KEY_Left},
        {Qt::Key_Right, XKB_KEY_Right},
        {Qt::Key_Up, XKB_KEY_Up},
        {Qt::Key_Down, XKB_KEY_Down},
        {Qt::Key_A, XKB_KEY_a},
        {Qt::Key_Space, XKB_KEY_space},
        {Qt::Key_S, XKB_KEY_s},
        {Qt::Key_Shift, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.qtKey);
        EXPECT_EQ(VQLoupeKeysymFromQtKey(row.qtKey), row.keysym);
    }
}
} // namespace
