// How much the loupes sample: the sizes the key steps through, their names,
// the stored setting, and which of the magnifier's cells a sample covers.

#include "ui/loupe/VQLoupeSample.h"
#include "vqcore/VQUserDefaults.h"

#include "VQTestSupport.h"

#include <gtest/gtest.h>

namespace
{
TEST(VQLoupeSampleTest, TheKeyStepsThroughTheSizesAndTheReadoutNamesThem)
{
    const struct {
        int n, next;
        const char *text;
    } rows[] = {
        {1, 3, "1×1"}, {3, 5, "3×3"}, {5, 9, "5×5"}, {9, 1, "9×9"}, {0, 3, "1×1"}, {7, 3, "1×1"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.n);
        EXPECT_EQ(VQLoupeSample::next(row.n), row.next);
        EXPECT_EQ(VQLoupeSample::text(row.n), QString::fromUtf8(row.text));
    }
}

TEST(VQLoupeSampleTest, AStoredSizeThatIsNoneReadsAsOne)
{
    const struct {
        const char *stored;
        int n;
    } rows[] = {
        {"3", 3}, {" 9 ", 9}, {"5", 5},   {"1", 1},   {"", 1},     {"7", 1},
        {"0", 1}, {"-3", 1},  {"3.5", 1}, {"abc", 1}, {"true", 1}, {"5x5", 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.stored);
        EXPECT_EQ(VQLoupeSample::fromText(QString::fromLatin1(row.stored)), row.n);
    }
}

// The magnifier shows 9 × 9 device pixels around the pointer; the sample is
// the square of them that exists on the pointer's screen.
TEST(VQLoupeSampleTest, TheSampleShrinksToThePixelsThatExist)
{
    const QRect left(0, 0, 640, 400), right(640, 0, 800, 600);
    const struct {
        const char *name;
        QPoint pointer;
        int n;
        QRect bounds;
        QRect cells;
    } rows[] = {
        {"one pixel: the centre cell", {100, 50}, 1, left, QRect(4, 4, 1, 1)},
        {"3×3 inside", {100, 50}, 3, left, QRect(3, 3, 3, 3)},
        {"9×9: every cell", {100, 50}, 9, left, QRect(0, 0, 9, 9)},
        {"no bounds: every pixel exists", {0, 0}, 5, QRect(), QRect(2, 2, 5, 5)},
        {"3×3 at the left edge", {0, 50}, 3, left, QRect(4, 3, 2, 3)},
        {"5×5 in the bottom-right corner", {639, 399}, 5, left, QRect(2, 2, 3, 3)},
        {"9×9 at the top edge", {320, 1}, 9, left, QRect(0, 3, 9, 6)},
        {"the left edge of the screen on the right", {641, 300}, 5, right, QRect(3, 2, 4, 5)},
        {"a pointer off the screen: nothing", {700, 50}, 3, left, QRect()},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VQLoupeSample::cells(row.pointer, row.n, row.bounds), row.cells);
    }
}

class VQLoupeSampleSettingTest : public VQLibraryTest
{
};

// A pick asked with a size takes it; otherwise the size the key chose last.
TEST_F(VQLoupeSampleSettingTest, TheKeysChoiceIsRememberedAPicksOwnSizeIsNot)
{
    VQUserDefaults &defaults = VQUserDefaults::standard();
    const QString key = QString::fromLatin1(VQLoupeSample::DefaultsKey);
    EXPECT_EQ(VQLoupeSample::forPick(0), 1) << "nothing stored";
    defaults.setString(key, QStringLiteral("9"));
    EXPECT_EQ(VQLoupeSample::forPick(0), 9);
    EXPECT_EQ(VQLoupeSample::forPick(3), 3);
    EXPECT_EQ(defaults.stringForKey(key), "9");
    EXPECT_EQ(VQLoupeSample::chooseNext(9), 1);
    EXPECT_EQ(VQLoupeSample::forPick(0), 1);
    EXPECT_EQ(VQLoupeSample::chooseNext(3), 5);
    EXPECT_EQ(VQLoupeSample::remembered(), 5);
    EXPECT_EQ(VQUserDefaults(defaults.filePath()).stringForKey(key), "5") << "written to the file at once";
    defaults.setString(key, QStringLiteral("4"));
    EXPECT_EQ(VQLoupeSample::forPick(0), 1);
    EXPECT_EQ(VQLoupeSample::forPick(7), 1) << "an asked size that is none";
}
} // namespace
