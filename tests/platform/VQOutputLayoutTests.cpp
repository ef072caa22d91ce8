// Logical positions to device pixels of each output and back.

#include "platform/VQOutputLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
VQOutput output(const char *name, QRect logical, QSize device)
{
    return VQOutput{QString::fromLatin1(name), logical, device};
}

// Two outputs side by side: ×1 on the left, ×2 on its right.
const VQOutputLayout kSideBySide({output("ONE", {0, 0, 800, 600}, {800, 600}),
                                  output("TWO", {800, 0, 640, 480}, {1280, 960})});
// ×1.5 above a ×1 output that starts left of the origin.
const VQOutputLayout kStacked({output("HALF", {0, 0, 1280, 720}, {1920, 1080}),
                               output("LOW", {-300, 720, 1024, 768}, {1024, 768})});
// Entirely at negative and odd positions.
const VQOutputLayout kNegative({output("LEFT", {-1021, -77, 500, 400}, {1000, 800})});

struct PointRow {
    const char *name;
    const VQOutputLayout *layout;
    QPointF logical;
    int output; // -1: in no output
    QPoint pixel;
};

const PointRow kPointRows[] = {
    {"×1 origin", &kSideBySide, {0, 0}, 0, {0, 0}},
    {"×1 inside a logical unit", &kSideBySide, {10.9, 20.2}, 0, {10, 20}},
    {"×1 last column and row", &kSideBySide, {799.99, 599.5}, 0, {799, 599}},
    {"×1 right edge belongs to the next output", &kSideBySide, {800, 0}, 1, {0, 0}},
    {"×2 first quarter of a logical unit", &kSideBySide, {800.25, 0.25}, 1, {0, 0}},
    {"×2 second half of a logical unit", &kSideBySide, {800.5, 0.5}, 1, {1, 1}},
    {"×2 odd device pixel", &kSideBySide, {801.75, 3.6}, 1, {3, 7}},
    {"×2 last column and row", &kSideBySide, {1439.9, 479.9}, 1, {1279, 959}},
    {"below the shorter ×2 output", &kSideBySide, {900, 500}, -1, {}},
    {"right of everything", &kSideBySide, {1440, 10}, -1, {}},
    {"left of the origin", &kSideBySide, {-0.01, 10}, -1, {}},
    {"×1.5 first pixel", &kStacked, {0.6, 0.6}, 0, {0, 0}},
    {"×1.5 second pixel starts at 2/3", &kStacked, {0.67, 0}, 0, {1, 0}},
    {"×1.5 third pixel", &kStacked, {1.34, 0}, 0, {2, 0}},
    {"×1.5 last column and row", &kStacked, {1279.99, 719.99}, 0, {1919, 1079}},
    {"stacked: top edge of the lower output", &kStacked, {0, 720}, 1, {300, 0}},
    {"stacked: negative x in the lower output", &kStacked, {-300, 1000}, 1, {0, 280}},
    {"stacked: left of the upper output, above the lower", &kStacked, {-1, 719.9}, -1, {}},
    {"stacked: last pixel of the lower output", &kStacked, {723.5, 1487.2}, 1, {1023, 767}},
    {"negative origin", &kNegative, {-1021, -77}, 0, {0, 0}},
    {"negative, ×2 odd pixel", &kNegative, {-1020.4, -76.9}, 0, {1, 0}},
    {"negative, last pixel", &kNegative, {-521.1, 322.6}, 0, {999, 799}},
    {"negative, one past the right edge", &kNegative, {-521, 0}, -1, {}},
    {"nothing in an empty layout", nullptr, {0, 0}, -1, {}},
};

TEST(VQOutputLayoutTest, MapsLogicalPositionsToDevicePixels)
{
    const VQOutputLayout empty;
    for (const PointRow &row : kPointRows) {
        SCOPED_TRACE(row.name);
        const VQOutputLayout &layout = row.layout ? *row.layout : empty;
        EXPECT_EQ(layout.outputAt(row.logical), row.output);
        const auto pixel = layout.pixelAt(row.logical);
        if (row.output < 0) {
            EXPECT_FALSE(pixel.has_value());
            continue;
        }
        ASSERT_TRUE(pixel.has_value());
        EXPECT_EQ(*pixel, (VQOutputPixel{row.output, row.pixel}));
    }
}

// Every device pixel of every output is reached, and its center maps back to
// it: small outputs at ×1, ×2, ×1.5 and a compositor-rounded fractional scale.
TEST(VQOutputLayoutTest, EveryDevicePixelRoundTrips)
{
    const VQOutputLayout layout({output("ONE", {0, 0, 41, 31}, {41, 31}), output("TWO", {41, 0, 20, 15}, {40, 30}),
                                 output("HALF", {-17, 31, 50, 20}, {75, 30}),
                                 output("ROUNDED", {-1000, -700, 911, 13}, {1366, 20})});
    ASSERT_EQ(layout.outputs().size(), 4);
    {
        for (int o = 0; o < layout.outputs().size(); ++o) {
            const QSize size = layout.outputs()[o].deviceSize;
            SCOPED_TRACE(layout.outputs()[o].name.toStdString());
            int failures = 0;
            for (int y = 0; y < size.height() && failures < 5; ++y) {
                for (int x = 0; x < size.width() && failures < 5; ++x) {
                    const VQOutputPixel pixel{o, {x, y}};
                    const auto back = layout.pixelAt(layout.logicalCenter(pixel));
                    if (!back || *back != pixel) {
                        ++failures;
                        ADD_FAILURE() << "pixel " << x << "," << y << " does not map back to itself";
                    }
                }
            }
        }
    }
}

TEST(VQOutputLayoutTest, LogicalRectOfADevicePixel)
{
    EXPECT_EQ(kSideBySide.logicalRect({1, {3, 7}}), QRectF(801.5, 3.5, 0.5, 0.5));
    EXPECT_EQ(kSideBySide.logicalRect({0, {799, 599}}), QRectF(799, 599, 1, 1));
    EXPECT_EQ(kNegative.logicalRect({0, {0, 0}}), QRectF(-1021, -77, 0.5, 0.5));
    const QRectF half = kStacked.logicalRect({0, {2, 0}});
    EXPECT_DOUBLE_EQ(half.x(), 4.0 / 3);
    EXPECT_DOUBLE_EQ(half.width(), 2.0 / 3);
    EXPECT_TRUE(kSideBySide.logicalRect({0, {800, 0}}).isNull()) << "past the last column";
    EXPECT_TRUE(kSideBySide.logicalRect({2, {0, 0}}).isNull()) << "no such output";
    EXPECT_TRUE(kSideBySide.logicalRect({0, {-1, 0}}).isNull());
}

struct ClampRow {
    const char *name;
    int output;
    QPointF point;
    bool device; // point in device pixels of the output, else logical
    std::optional<QPoint> pixel;
};

TEST(VQOutputLayoutTest, ClampsToTheChosenOutput)
{
    const ClampRow rows[] = {
        {"logical, inside", 1, {801, 1}, false, QPoint(2, 2)},
        {"logical, left of the output", 1, {10, 10}, false, QPoint(0, 20)},
        {"logical, past the bottom right", 1, {5000, 5000}, false, QPoint(1279, 959)},
        {"logical, exactly the right edge", 0, {800, 600}, false, QPoint(799, 599)},
        {"device, fraction", 1, {3.9, 958.2}, true, QPoint(3, 958)},
        {"device, the last pixel", 1, {1279.999, 959.999}, true, QPoint(1279, 959)},
        {"device, one past the edge", 1, {1280, 960}, true, QPoint(1279, 959)},
        {"device, negative", 0, {-4, -0.5}, true, QPoint(0, 0)},
        {"device, not a number", 0, {qQNaN(), 5}, true, QPoint(0, 5)},
        {"no such output", 2, {0, 0}, true, std::nullopt},
        {"negative index", -1, {0, 0}, false, std::nullopt},
    };
    for (const ClampRow &row : rows) {
        SCOPED_TRACE(row.name);
        const auto pixel = row.device ? kSideBySide.pixelFromDevicePoint(row.output, row.point)
                                      : kSideBySide.pixelOnOutput(row.output, row.point);
        ASSERT_EQ(pixel.has_value(), row.pixel.has_value());
        if (pixel) {
            EXPECT_EQ(*pixel, (VQOutputPixel{row.output, *row.pixel}));
        }
    }
}

struct MoveRow {
    const char *name;
    const VQOutputLayout *layout;
    VQOutputPixel from;
    QPoint delta;
    VQOutputPixel to;
};

TEST(VQOutputLayoutTest, MovesByDevicePixels)
{
    const MoveRow rows[] = {
        {"one device pixel right on ×2", &kSideBySide, {1, {3, 7}}, {1, 0}, {1, {4, 7}}},
        {"one device pixel up on ×1.5", &kStacked, {0, {5, 5}}, {0, -1}, {0, {5, 4}}},
        {"×1 last column into the ×2 output's first", &kSideBySide, {0, {799, 100}}, {1, 0}, {1, {0, 201}}},
        {"×2 first column back into ×1's last", &kSideBySide, {1, {0, 201}}, {-1, 0}, {0, {799, 100}}},
        {"×2 right edge with nothing beyond", &kSideBySide, {1, {1279, 5}}, {1, 0}, {1, {1279, 5}}},
        {"×1 left edge with nothing beyond", &kSideBySide, {0, {0, 5}}, {-3, 0}, {0, {0, 5}}},
        {"×1 below the ×2 output's bottom stays on ×1", &kSideBySide, {0, {799, 590}}, {1, 0}, {0, {799, 590}}},
        {"×1.5 bottom row into the lower output", &kStacked, {0, {3, 1079}}, {0, 1}, {1, {302, 0}}},
        {"lower output's top row up into ×1.5", &kStacked, {1, {302, 0}}, {0, -1}, {0, {3, 1079}}},
        {"a long step stops at the neighbor's edge", &kSideBySide, {0, {790, 0}}, {50, 0}, {1, {0, 1}}},
    };
    for (const MoveRow &row : rows) {
        SCOPED_TRACE(row.name);
        const auto to = row.layout->moved(row.from, row.delta);
        ASSERT_TRUE(to.has_value());
        EXPECT_EQ(to->output, row.to.output);
        EXPECT_EQ(to->pixel, row.to.pixel);
    }
    EXPECT_FALSE(kSideBySide.moved({5, {0, 0}}, {1, 0}).has_value()) << "from no output";
}

TEST(VQOutputLayoutTest, LeavesOutInvalidOutputsAndBoundsTheRest)
{
    const VQOutputLayout layout({output("EMPTY", {0, 0, 0, 0}, {0, 0}), output("NOPICTURE", {0, 0, 10, 10}, {}),
                                 output("GOOD", {-5, 3, 10, 10}, {20, 20})});
    ASSERT_EQ(layout.outputs().size(), 1);
    EXPECT_EQ(layout.outputs()[0].name, QStringLiteral("GOOD"));
    EXPECT_EQ(kStacked.logicalBounds(), QRect(-300, 0, 1580, 1488));
    EXPECT_EQ(kSideBySide.logicalBounds(), QRect(0, 0, 1440, 600));
    EXPECT_TRUE(VQOutputLayout().logicalBounds().isEmpty());
}
} // namespace
