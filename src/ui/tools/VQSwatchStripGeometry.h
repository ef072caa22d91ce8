#pragma once
// Where each swatch of a strip lies: `count` cells side by side across a
// width, all as wide as they can be up to `maximumCell`, one pixel apart,
// left-aligned (right-aligned in a right-to-left layout). Plain arithmetic,
// shared by the strip's painting and its hit test.

#include <QPoint>
#include <QRect>

struct VQSwatchStripGeometry {
    int count = 0;
    QSize size;
    int maximumCell = 24;
    bool rightToLeft = false;

    static constexpr int kGap = 1;

    // The width of one cell (at least 1 while there are cells).
    int cellWidth() const;
    // The cell of `index`; empty outside 0..count-1.
    QRect cellRect(int index) const;
    // The index of the cell under `point`, or -1 (gaps and the empty end included).
    int indexAt(QPoint point) const;
};
