// The swatch strip's cells: their widths, places and hit test, both directions.

#include "ui/tools/VQSwatchStripGeometry.h"

#include <gtest/gtest.h>

namespace
{

TEST(SwatchStripGeometry, CellsAndHits)
{
    struct Row {
        const char *name;
        VQSwatchStripGeometry geometry;
        int cellWidth;
        int index;
        QRect cell;   // of `index`
        QPoint point; // a point to hit-test
        int hit;      // its index, or -1
    } rows[] = {
        {"capped at the maximum", {9, {258, 16}, 24}, 24, 8, {200, 0, 24, 16}, {224, 5}, -1},
        {"first cell", {9, {258, 16}, 24}, 24, 0, {0, 0, 24, 16}, {23, 15}, 0},
        {"gap between cells", {9, {258, 16}, 24}, 24, 1, {25, 0, 24, 16}, {24, 3}, -1},
        {"narrowed to fit", {50, {258, 16}, 24}, 4, 49, {245, 0, 4, 16}, {246, 0}, 49},
        {"never narrower than a pixel", {300, {100, 16}, 24}, 1, 2, {4, 0, 1, 16}, {4, 0}, 2},
        {"right to left", {3, {100, 16}, 10, true}, 10, 0, {90, 0, 10, 16}, {95, 8}, 0},
        {"right to left, second", {3, {100, 16}, 10, true}, 10, 1, {79, 0, 10, 16}, {5, 8}, -1},
        {"index outside", {3, {100, 16}, 10}, 10, 3, QRect(), {-1, 8}, -1},
        {"below the strip", {3, {100, 16}, 10}, 10, -1, QRect(), {5, 16}, -1},
        {"no cells", {0, {100, 16}, 10}, 0, 0, QRect(), {5, 5}, -1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.geometry.cellWidth(), row.cellWidth);
        EXPECT_EQ(row.geometry.cellRect(row.index), row.cell);
        EXPECT_EQ(row.geometry.indexAt(row.point), row.hit);
    }
}

TEST(SwatchStripGeometry, EveryCellHitsItself)
{
    for (bool rtl : {false, true}) {
        for (int count : {1, 9, 17, 50}) {
            const VQSwatchStripGeometry geometry{count, {258, 16}, 24, rtl};
            for (int index = 0; index < count; ++index) {
                const QRect cell = geometry.cellRect(index);
                EXPECT_EQ(geometry.indexAt(cell.topLeft()), index) << count << " " << rtl;
                EXPECT_EQ(geometry.indexAt(cell.bottomRight()), index) << count << " " << rtl;
                EXPECT_GE(cell.left(), 0);
                EXPECT_LE(cell.right(), 257);
            }
        }
    }
}

} // namespace
