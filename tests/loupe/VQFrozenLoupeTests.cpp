// The loupe over a frozen screen: the pixel under the pointer and the arrow
// keys, the magnifier's sample, the panel's place, and what is painted.

#include "core/VQSampleMean.h"
#include "ui/loupe/VQFrozenLoupeState.h"
#include "ui/loupe/VQFrozenLoupeView.h"
#include "ui/loupe/VQLoupeGeometry.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace
{
// ×1 on the left, ×2 on its right, ×1.5 below the first: the test session's outputs and one more.
VQOutputLayout threeOutputs()
{
    return VQOutputLayout({VQOutput{QStringLiteral("ONE"), QRect(0, 0, 640, 400), QSize(640, 400)},
                           VQOutput{QStringLiteral("TWO"), QRect(640, 0, 400, 300), QSize(800, 600)},
                           VQOutput{QStringLiteral("HALF"), QRect(0, 400, 640, 360), QSize(960, 540)}});
}

struct PointerRow {
    const char *name;
    int output;
    QPointF devicePoint;
    VQOutputPixel expected;
};

const PointerRow kPointerRows[] = {
    {"×1 whole pixel", 0, {200.5, 150.5}, {0, {200, 150}}},
    {"×1 fraction stays in its pixel", 0, {101.99, 37.01}, {0, {101, 37}}},
    {"×2 odd device column (between logical pixels)", 1, {301.0, 151.0}, {1, {301, 151}}},
    {"×2 even device column", 1, {300.5, 40.25}, {1, {300, 40}}},
    {"×1.5 fractional device point", 2, {3.5, 2.9}, {2, {3, 2}}},
    {"beyond the right edge clamps to the last column", 0, {640.2, 10}, {0, {639, 10}}},
    {"negative clamps to the first", 1, {-0.5, -3}, {1, {0, 0}}},
};

TEST(VQFrozenLoupeStateTest, PointerPicksTheDevicePixelUnderIt)
{
    for (const PointerRow &row : kPointerRows) {
        SCOPED_TRACE(row.name);
        VQFrozenLoupeState state(threeOutputs());
        EXPECT_EQ(state.pointAt(row.output, row.devicePoint), QList<int>{row.output});
        ASSERT_TRUE(state.current());
        EXPECT_EQ(*state.current(), row.expected);
    }
}

struct NudgeRow {
    const char *name;
    VQOutputPixel from;
    QPoint delta;
    VQOutputPixel expected;
};

const NudgeRow kNudgeRows[] = {
    {"right by one device pixel at ×1", {0, {200, 150}}, {1, 0}, {0, {201, 150}}},
    {"right by one device pixel at ×2", {1, {300, 151}}, {1, 0}, {1, {301, 151}}},
    {"Shift: ten", {1, {300, 151}}, {0, -10}, {1, {300, 141}}},
    {"over the right edge of ×1 into ×2, same height", {0, {639, 100}}, {1, 0}, {1, {0, 201}}},
    {"over the left edge of ×2 back into ×1", {1, {0, 201}}, {-1, 0}, {0, {639, 100}}},
    {"down from ×1 into ×1.5", {0, {10, 399}}, {0, 1}, {2, {15, 0}}},
    {"no output past the far right: stay", {1, {799, 5}}, {1, 0}, {1, {799, 5}}},
};

TEST(VQFrozenLoupeStateTest, ArrowKeysMoveByDevicePixels)
{
    for (const NudgeRow &row : kNudgeRows) {
        SCOPED_TRACE(row.name);
        const VQOutputLayout layout = threeOutputs();
        VQFrozenLoupeState state(layout);
        const VQOutput &output = layout.outputs().at(row.from.output);
        state.pointAt(row.from.output, QPointF(row.from.pixel) + QPointF(0.5, 0.5));
        ASSERT_EQ(*state.current(), row.from) << qPrintable(output.name);
        state.nudge(row.delta);
        EXPECT_EQ(*state.current(), row.expected);
    }
}

TEST(VQFrozenLoupeStateTest, FirstArrowKeyStartsAtTheFirstOutputsCentre)
{
    VQFrozenLoupeState state(threeOutputs());
    EXPECT_EQ(state.nudge({1, 0}), QList<int>{0});
    EXPECT_EQ(*state.current(), (VQOutputPixel{0, {320, 200}}));
    VQFrozenLoupeState empty{VQOutputLayout()};
    EXPECT_TRUE(empty.nudge({1, 0}).isEmpty());
    EXPECT_FALSE(empty.current());
}

// Keys pressed while the loupe awaits the pointer's place: kept, then played
// from where the pointer turns out to be, or as if pressed when the wait is
// given up (the first starting at the first output's centre).
struct AwaitRow {
    const char *name;
    QList<QPoint> keys;
    bool pointerCame;
    VQOutputPixel pointer; // where it came
    std::optional<VQOutputPixel> expected;
};

const AwaitRow kAwaitRows[] = {
    {"Right, then the pointer: one right of it", {{1, 0}}, true, {0, {100, 300}}, VQOutputPixel{0, {101, 300}}},
    {"keys in order, across outputs", {{1, 0}, {0, -10}}, true, {0, {639, 100}}, VQOutputPixel{1, {0, 191}}},
    {"no key: the pointer's own pixel", {}, true, {1, {301, 151}}, VQOutputPixel{1, {301, 151}}},
    {"given up: the first key starts at the centre", {{1, 0}, {1, 0}}, false, {}, VQOutputPixel{0, {321, 200}}},
    {"given up without a key: still nothing", {}, false, {}, std::nullopt},
};

TEST(VQFrozenLoupeStateTest, KeysBeforeThePointerIsKnownMoveFromIt)
{
    for (const AwaitRow &row : kAwaitRows) {
        SCOPED_TRACE(row.name);
        VQFrozenLoupeState state(threeOutputs());
        state.awaitPointer();
        for (const QPoint &key : row.keys)
            EXPECT_TRUE(state.nudge(key).isEmpty());
        EXPECT_FALSE(state.current());
        EXPECT_TRUE(state.awaitingPointer());
        if (row.pointerCame) {
            state.pointAt(row.pointer.output, QPointF(row.pointer.pixel) + QPointF(0.5, 0.5));
        } else {
            state.stopAwaitingPointer();
        }
        EXPECT_FALSE(state.awaitingPointer());
        EXPECT_EQ(state.current(), row.expected);
        // Afterwards keys move at once, and a late wait's end changes nothing.
        const std::optional<VQOutputPixel> before = state.current();
        EXPECT_TRUE(state.stopAwaitingPointer().isEmpty());
        EXPECT_EQ(state.current(), before);
    }
}

struct PanelRow {
    const char *name;
    int output;
    QPoint pixel;
    QPointF surfacePoint;
    QRect panel;
};

// The panel is 146 × 194 logical pixels, 20 from the crosshair.
const PanelRow kPanelRows[] = {
    {"×1: above right, where there is room", 0, {100, 300}, {100.5, 300.5}, QRect(121, 86, 146, 194)},
    {"×1: below when the top is near", 0, {100, 50}, {100.5, 50.5}, QRect(121, 71, 146, 194)},
    {"×1: left when the right edge is near", 0, {600, 300}, {600.5, 300.5}, QRect(434, 86, 146, 194)},
    {"×2: in logical pixels of the output", 1, {301, 500}, {150.75, 250.25}, QRect(171, 36, 146, 194)},
    {"×2 near its bottom-right corner", 1, {799, 599}, {399.75, 299.75}, QRect(233, 85, 146, 194)},
};

TEST(VQFrozenLoupeStateTest, PanelBesideTheCrosshairOnItsOutput)
{
    ASSERT_EQ(VQLoupeGeometry::panelSize(), QSize(146, 194));
    for (const PanelRow &row : kPanelRows) {
        SCOPED_TRACE(row.name);
        VQFrozenLoupeState state(threeOutputs());
        EXPECT_TRUE(state.panelRect(VQLoupeGeometry::panelSize()).isEmpty());
        state.pointAt(row.output, QPointF(row.pixel) + QPointF(0.5, 0.5));
        ASSERT_TRUE(state.surfacePoint());
        EXPECT_DOUBLE_EQ(state.surfacePoint()->x(), row.surfacePoint.x());
        EXPECT_DOUBLE_EQ(state.surfacePoint()->y(), row.surfacePoint.y());
        EXPECT_EQ(state.panelRect(VQLoupeGeometry::panelSize()), row.panel);
    }
}

// An image whose every pixel says where it is: red = x, green = y.
QImage coordinates(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x, y, 7));
    return image;
}

TEST(VQFrozenLoupeStateTest, SampleIsTheSquareAroundThePixelBlackBeyondTheImage)
{
    const QImage image = coordinates(QSize(40, 30));
    const QImage inside = VQFrozenLoupeState::sample(image, QPoint(20, 10));
    ASSERT_EQ(inside.size(), QSize(9, 9));
    EXPECT_EQ(inside.pixel(4, 4), qRgb(20, 10, 7));
    EXPECT_EQ(inside.pixel(0, 0), qRgb(16, 6, 7));
    EXPECT_EQ(inside.pixel(8, 8), qRgb(24, 14, 7));

    const QImage corner = VQFrozenLoupeState::sample(image, QPoint(39, 0));
    EXPECT_EQ(corner.pixel(4, 4), qRgb(39, 0, 7));
    EXPECT_EQ(corner.pixel(4, 3), qRgb(0, 0, 0)) << "above the image";
    EXPECT_EQ(corner.pixel(5, 4), qRgb(0, 0, 0)) << "right of the image";
    EXPECT_EQ(corner.pixel(0, 8), qRgb(35, 4, 7));
}

// The mean of a whole rectangle of at most 9 × 9 pixels, as the sample model averages.
QColor meanOf(const QImage &image, const QRect &rect)
{
    return VQMeanOfSquare(image.copy(rect), QPoint(rect.width() / 2, rect.height() / 2), 9).color;
}

// A pick takes the mean of the sample around the current pixel from its own
// output's picture: at the output's edge the square shrinks, even where
// another output continues.
TEST(VQFrozenLoupeStateTest, APickTakesTheMeanOfTheSampleOnItsOutput)
{
    const struct {
        const char *name;
        VQOutputPixel pixel;
        int n;
        QRect square;
    } rows[] = {
        {"one pixel", {0, {200, 150}}, 1, QRect(200, 150, 1, 1)},
        {"3×3 inside", {0, {200, 150}}, 3, QRect(199, 149, 3, 3)},
        {"5×5 at the left edge", {0, {0, 150}}, 5, QRect(0, 148, 3, 5)},
        {"9×9 in the bottom-right corner", {0, {639, 399}}, 9, QRect(635, 395, 5, 5)},
        {"×2 output's left edge, the ×1 output beside it", {1, {0, 201}}, 3, QRect(0, 200, 2, 3)},
    };
    const VQOutputLayout layout = threeOutputs();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QImage frozen = coordinates(layout.outputs().at(row.pixel.output).deviceSize);
        VQFrozenLoupeState state(layout);
        state.setSampleSize(row.n);
        EXPECT_FALSE(state.sampleMean(frozen).isValid()) << "no current pixel yet";
        state.pointAt(row.pixel.output, QPointF(row.pixel.pixel) + QPointF(0.5, 0.5));
        EXPECT_EQ(state.sampleMean(frozen), meanOf(frozen, row.square));
    }
}

QImage paintOutput(const VQFrozenLoupeState &state, const QImage &frozen, int output)
{
    QImage buffer(frozen.size(), QImage::Format_RGB32);
    buffer.fill(Qt::magenta); // whatever the buffer held before
    QPainter painter(&buffer);
    VQPaintFrozenOutput(painter, frozen, state, output);
    painter.end();
    return buffer;
}

TEST(VQFrozenLoupeViewTest, OutputsWithoutTheCrosshairShowTheCaptureUnchanged)
{
    VQFrozenLoupeState state(threeOutputs());
    const QImage frozen = coordinates(QSize(800, 600));
    EXPECT_EQ(paintOutput(state, frozen, 1), frozen) << "before the pointer came";
    state.pointAt(0, {100.5, 100.5});
    EXPECT_EQ(paintOutput(state, frozen, 1), frozen) << "the pointer on another output";
}

TEST(VQFrozenLoupeViewTest, CrosshairAndPanelLeaveThePickedPixelAndTheRestUnchanged)
{
    for (const qreal scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        const int output = scale == 1 ? 0 : 1;
        const VQOutputLayout layout = threeOutputs();
        const QImage frozen = coordinates(layout.outputs().at(output).deviceSize);
        VQFrozenLoupeState state(layout);
        const QPoint pixel(201, 251);
        state.pointAt(output, QPointF(pixel) + QPointF(0.5, 0.5));
        const QImage painted = paintOutput(state, frozen, output);

        EXPECT_EQ(painted.pixel(pixel), frozen.pixel(pixel)) << "the picked pixel itself";
        for (int d = 1; d <= 3 * scale; ++d) {
            EXPECT_EQ(painted.pixel(pixel + QPoint(d, 0)), frozen.pixel(pixel + QPoint(d, 0))) << "the gap " << d;
            EXPECT_EQ(painted.pixel(pixel - QPoint(0, d)), frozen.pixel(pixel - QPoint(0, d))) << "the gap " << d;
        }
        const int arm = int(3 * scale) + 2; // the first white pixel of each arm
        EXPECT_EQ(painted.pixel(pixel + QPoint(0, arm)), qRgb(255, 255, 255)) << "the lower arm";
        EXPECT_EQ(painted.pixel(pixel - QPoint(arm, 0)), qRgb(255, 255, 255)) << "the left arm";

        // The panel, in device pixels; the magnifier's centre cell shows the picked pixel.
        const QRect panel = state.panelRect(VQLoupeGeometry::panelSize());
        const QRect preview = VQLoupeGeometry::previewRect(panel.topLeft());
        const QPointF centreCell = QPointF(preview.center()) + QPointF(0.5, 0.5);
        EXPECT_EQ(painted.pixel((centreCell * scale).toPoint()), frozen.pixel(pixel));
        const QRect devicePanel(panel.topLeft() * scale, panel.size() * scale);
        int changedOutside = 0;
        for (int y = 0; y < frozen.height(); y += 3)
            for (int x = 0; x < frozen.width(); x += 3) {
                const QPoint at(x, y);
                const bool crosshair = (std::abs(x - pixel.x()) <= 1 || std::abs(y - pixel.y()) <= 1) &&
                                       (at - pixel).manhattanLength() <= 12 * scale + 2;
                if (!devicePanel.contains(at) && !crosshair && painted.pixel(at) != frozen.pixel(at))
                    ++changedOutside;
            }
        EXPECT_EQ(changedOutside, 0);
    }
}
} // namespace
