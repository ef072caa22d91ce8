// The lane's page, slot and reorder rules, the organiser's move index, the
// preview strip's layout and the collection drag payload: rows of numbers.

#include "ui/collection_viewer/VQCollectionCanvas.h"
#include "ui/collection_viewer/VQColorPreview_p.h"
#include "ui/collections/VQCollectionActions.h"
#include "ui/lane/VQCollectionPaging.h"
#include "ui/organizer/VQOrganizerModel.h"

#include <QMimeData>

#include <gtest/gtest.h>

using namespace VQCollectionPaging;

TEST(VQCollectionPaging, PageRows)
{
    struct Row {
        const char *name;
        std::size_t requested, collections;
        Page expected; // page, first, count, previousHidden, nextHidden
    };
    const Row rows[] = {
        {"empty library", 0, 0, {0, 0, 0, true, true}},
        {"one collection", 0, 1, {0, 0, 1, true, true}},
        {"exactly one page", 0, 5, {0, 0, 5, true, true}},
        {"first of two full pages", 0, 10, {0, 0, 5, true, false}},
        {"last of two full pages: no next arrow", 1, 10, {1, 5, 5, false, true}},
        {"11: the lone eleventh", 2, 11, {2, 10, 1, false, true}},
        {"12: page 0", 0, 12, {0, 0, 5, true, false}},
        {"12: page 1", 1, 12, {1, 5, 5, false, false}},
        {"12: page 2 holds two", 2, 12, {2, 10, 2, false, true}},
        // The eleventh of eleven removed while page 2 showed: the last full page, not an empty one.
        {"exactly 5 x page collections", 2, 10, {1, 5, 5, false, true}},
        {"far past the end", 9, 12, {2, 10, 2, false, true}},
        {"everything removed", 3, 0, {0, 0, 0, true, true}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const Page page = pageFor(row.requested, row.collections);
        EXPECT_EQ(page.page, row.expected.page);
        EXPECT_EQ(page.first, row.expected.first);
        EXPECT_EQ(page.count, row.expected.count);
        EXPECT_EQ(page.previousHidden, row.expected.previousHidden);
        EXPECT_EQ(page.nextHidden, row.expected.nextHidden);
    }
}

TEST(VQCollectionPaging, PageAfterRemovalAndAppending)
{
    struct Row {
        const char *name;
        std::size_t current, collectionsAfter;
        std::optional<std::size_t> afterRemoval, afterAppending;
    };
    const Row rows[] = {
        {"last page emptied: back one page", 2, 10, 1, 1},
        {"last page keeps one", 2, 11, std::nullopt, std::nullopt},
        {"first page, library still long", 0, 11, std::nullopt, 2},
        {"only collection removed", 0, 0, std::nullopt, std::nullopt},
        {"appending onto the shown last page", 1, 9, std::nullopt, std::nullopt},
        {"appending opens a new page", 1, 11, std::nullopt, 2},
        {"appending to a one-page library", 0, 5, std::nullopt, std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(pageAfterRemoval(row.current, row.collectionsAfter), row.afterRemoval);
        EXPECT_EQ(pageAfterAppending(row.current, row.collectionsAfter), row.afterAppending);
    }
}

TEST(VQCollectionPaging, SlotsAndHitFrames)
{
    EXPECT_EQ(slotFrame(0), QRectF(31, 2, 32, 32));
    EXPECT_EQ(slotFrame(4), QRectF(195, 2, 32, 32));
    EXPECT_EQ(hitFrame(1), QRectF(67.5, 2, 41, 32));
    struct Row {
        double x, y;
        int slot;
    };
    const Row rows[] = {{20, 10, -1},   {26.5, 10, 0}, {47, 18, 0},  {67, 10, 0},  {68, 10, 1},
                        {231.5, 34, 4}, {232, 10, -1}, {100, 1, -1}, {100, 35, -1}};
    for (const Row &row : rows) {
        SCOPED_TRACE(QStringLiteral("(%1, %2)").arg(row.x).arg(row.y).toStdString());
        EXPECT_EQ(slotAt({row.x, row.y}), row.slot);
    }
}

TEST(VQCollectionPaging, ReorderNeedsTheFarQuarter)
{
    struct Row {
        const char *name;
        int current;
        double x;
        std::size_t page, collections;
        std::optional<int> target;
    };
    // Slot 1's hit frame is 67.5–108.5 (its far quarter to the right starts at
    // 98.25); slot 0's is 26.5–67.5 (its far quarter to the left ends at 36.75).
    const Row rows[] = {
        {"over its own slot", 0, 40, 0, 12, std::nullopt},
        {"three quarters into the next slot", 0, 98, 0, 12, std::nullopt},
        {"far quarter of the next slot", 0, 99, 0, 12, 1},
        {"far quarter, two slots on", 0, 140, 0, 12, 2},
        {"leftwards, near quarter", 2, 60, 0, 12, std::nullopt},
        {"leftwards, far quarter", 2, 30, 0, 12, 0},
        {"outside every slot", 0, 240, 0, 12, std::nullopt},
        {"drag did not start on this page", -1, 99, 0, 12, std::nullopt},
        {"dragged slot past the library", 3, 99, 2, 12, std::nullopt},
        {"towards an empty slot", 0, 140, 2, 12, std::nullopt},
        {"on a later page", 0, 99, 2, 12, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(reorderTarget(row.current, {row.x, 18}, row.page, row.collections), row.target);
    }
}

TEST(VQCollectionPaging, StepwiseMovesAndDropIndex)
{
    std::vector<char> order{'a', 'b', 'c', 'd', 'e'};
    EXPECT_EQ(moveStepwise(order, 0, 3), (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}, {2, 3}}));
    EXPECT_EQ(order, (std::vector<char>{'b', 'c', 'd', 'a', 'e'}));
    moveStepwise(order, 4, 1);
    EXPECT_EQ(order, (std::vector<char>{'b', 'e', 'c', 'd', 'a'}));
    EXPECT_TRUE(moveStepwise(order, 2, 2).empty());
    EXPECT_TRUE(moveStepwise(order, -1, 2).empty());

    EXPECT_EQ(dropIndex(0, 3, 12), 3u);
    EXPECT_EQ(dropIndex(2, 1, 12), 11u);
    EXPECT_EQ(dropIndex(2, 4, 12), 11u); // clamped to the last collection
    EXPECT_EQ(dropIndex(0, -1, 12), std::nullopt);
    EXPECT_EQ(dropIndex(0, 0, 0), std::nullopt);
}

TEST(VQCollectionPaging, IncomingButtonsStartFurtherOutTheLaterTheyCome)
{
    for (int slot = 1; slot < kSlotsPerPage; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_GT(incomingStartX(slot, true, 258), incomingStartX(slot - 1, true, 258));
        EXPECT_LT(incomingStartX(slot - 1, false, 258), incomingStartX(slot, false, 258));
    }
    EXPECT_DOUBLE_EQ(incomingStartX(3, true, 258), (258 + 31 + 123) * 2.0);
    EXPECT_DOUBLE_EQ(incomingStartX(0, false, 258), (-258 + 31) * 25.0);
    EXPECT_DOUBLE_EQ(outgoingEndX(2, true, 258), -258 + 31 + 82);
    EXPECT_DOUBLE_EQ(outgoingEndX(2, false, 258), 258 + 31 + 82);
}

TEST(VQOrganizerMoveIndex, Rows)
{
    struct Row {
        const char *name;
        std::size_t from, dropRow, rows, expected;
    };
    const Row rows[] = {
        {"third row between the first two", 2, 1, 5, 1},
        {"to the top", 3, 0, 5, 0},
        // The view counts the drop row before the dragged row leaves: one less downwards.
        {"first row between the third and fourth", 0, 3, 5, 2},
        {"one step down", 1, 3, 5, 2},
        {"below the last row", 1, 5, 5, 4},
        {"past the end", 1, 9, 5, 4},
        {"dropped just below itself", 2, 3, 5, 2},
        {"dropped just above itself", 2, 2, 5, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VQOrganizerMoveIndex(row.from, row.dropRow, row.rows), row.expected);
    }
}

TEST(VQCollectionCanvasLayout, Rows)
{
    EXPECT_EQ(VQCanvasItemFrame(0, 96), QRect(0, 0, 96, 96));
    EXPECT_EQ(VQCanvasItemFrame(3, 50), QRect(150, 0, 50, 50));
    EXPECT_EQ(VQCanvasWidth(0, 96), 115); // an empty canvas keeps its minimum
    EXPECT_EQ(VQCanvasWidth(1, 96), 115);
    EXPECT_EQ(VQCanvasWidth(2, 96), 192);
    EXPECT_EQ(VQCanvasWidth(300, 96), 28800);
    EXPECT_EQ(VQColorPreview::swatchRect({96, 96}), QRectF(12, 8, 72, 72));
    EXPECT_EQ(VQColorPreview::swatchRect({10, 10}), QRectF(12, 0, 0, 0));
}

TEST(VQCollectionDrag, OnlyTheRunningDragOfThisProcessIsTaken)
{
    const std::uint64_t id = 1700000123;
    EXPECT_EQ(VQCollectionDrag::decode(VQCollectionDrag::encode(id)), id);

    QMimeData ours;
    ours.setData(VQSwatchCollectionDragType, VQCollectionDrag::encode(id));
    QMimeData garbage;
    garbage.setData(VQSwatchCollectionDragType, "not a property list");
    QMimeData text;
    text.setText(QStringLiteral("<integer>1700000123</integer>"));

    EXPECT_EQ(VQCollectionDrag::identifierOfOwnDrag(&ours), std::nullopt) << "no drag runs in this process";
    {
        VQCollectionDrag::Session session(id);
        EXPECT_EQ(VQCollectionDrag::identifierOfOwnDrag(&ours), id);
        EXPECT_EQ(VQCollectionDrag::identifierOfOwnDrag(&garbage), std::nullopt);
        EXPECT_EQ(VQCollectionDrag::identifierOfOwnDrag(&text), std::nullopt);
        EXPECT_EQ(VQCollectionDrag::identifierOfOwnDrag(nullptr), std::nullopt);
        VQCollectionDrag::Session other(id + 1);
        EXPECT_EQ(VQCollectionDrag::identifierOfOwnDrag(&ours), std::nullopt) << "another collection is on the move";
    }
    EXPECT_EQ(VQCollectionDrag::Session::current(), std::nullopt);
}
