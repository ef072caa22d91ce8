// Where the loupe samples and where its window goes, at every scale.

#include "ui/loupe/VQLoupeGeometry.h"

#include <gtest/gtest.h>

namespace
{
using namespace VQLoupeGeometry;

TEST(VQLoupeGeometryTest, SampleSquareIsCentredOnThePointer)
{
    EXPECT_EQ(sampleRect(QPoint(101, 57)), QRect(97, 53, 9, 9));
    EXPECT_EQ(sampleRect(QPoint(0, 0)), QRect(-4, -4, 9, 9));
}

struct MappingRow {
    const char *name;
    VQScreenArea screen;
    QPoint device;
    QPointF logical;
};

const MappingRow kMappingRows[] = {
    {"scale 1", {QRect(0, 0, 800, 600), 1}, QPoint(101, 57), QPointF(101, 57)},
    {"scale 2, even column", {QRect(0, 0, 400, 300), 2}, QPoint(100, 56), QPointF(50, 28)},
    {"scale 2, odd column and row", {QRect(0, 0, 400, 300), 2}, QPoint(101, 57), QPointF(50.5, 28.5)},
    {"scale 1.5", {QRect(0, 0, 800, 600), 1.5}, QPoint(3, 301), QPointF(2, 200.6666666666667)},
    {"scale 2, second screen keeps its origin", {QRect(1920, 0, 1280, 720), 2}, QPoint(1921, 5), QPointF(1920.5, 2.5)},
    {"scale 1.5, screen below",
     {QRect(0, 1080, 1280, 720), 1.5},
     QPoint(10, 1081),
     QPointF(6.6666666666667, 1080 + 1 / 1.5)},
};

TEST(VQLoupeGeometryTest, DeviceAndLogicalPoints)
{
    for (const MappingRow &row : kMappingRows) {
        SCOPED_TRACE(row.name);
        const QPointF logical = deviceToLogical(row.device, row.screen);
        EXPECT_NEAR(logical.x(), row.logical.x(), 1e-9);
        EXPECT_NEAR(logical.y(), row.logical.y(), 1e-9);
        EXPECT_EQ(logicalToDevice(logical, row.screen), row.device);
    }
}

TEST(VQLoupeGeometryTest, EveryDevicePixelSurvivesTheRoundTrip)
{
    for (const qreal scale : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
        const VQScreenArea screen{QRect(1920, 0, 1280, 720), scale};
        for (int x = 1920; x < 1920 + 600; ++x) {
            const QPoint device(x, x - 1900);
            ASSERT_EQ(logicalToDevice(deviceToLogical(device, screen), screen), device) << "scale " << scale;
        }
    }
}

TEST(VQLoupeGeometryTest, ScreenUnderADevicePoint)
{
    const std::vector<VQScreenArea> screens{
        {QRect(0, 0, 1920, 1080), 1}, {QRect(1920, 0, 1280, 720), 2}, {QRect(0, 1080, 800, 600), 1.5}};
    EXPECT_EQ(screens[1].device(), QRect(1920, 0, 2560, 1440));
    EXPECT_EQ(screens[2].device(), QRect(0, 1080, 1200, 900));
    const std::pair<QPoint, std::optional<std::size_t>> rows[] = {
        {{1919, 10}, 0},           {{1920, 10}, 1},   {{4479, 1439}, 1},
        {{4480, 0}, std::nullopt}, {{1199, 1979}, 2}, {{1200, 1979}, std::nullopt},
        {{-1, 0}, std::nullopt},
    };
    for (const auto &[point, screen] : rows) {
        SCOPED_TRACE(testing::Message() << point.x() << "," << point.y());
        EXPECT_EQ(screenAt(screens, point), screen);
    }
}

struct PlacementRow {
    const char *name;
    QRect screen;
    QPointF pointer;
    QPoint origin;
};

// A 146 × 194 window: above and to the right of the pointer, 20 pixels away.
const PlacementRow kPlacementRows[] = {
    {"middle", QRect(0, 0, 800, 600), {400, 300}, {420, 86}},
    {"near the right edge: to the left", QRect(0, 0, 800, 600), {790, 300}, {624, 86}},
    {"exactly fits at the right edge", QRect(0, 0, 800, 600), {634, 300}, {654, 86}},
    {"one pixel too far: flips", QRect(0, 0, 800, 600), {635, 300}, {469, 86}},
    {"near the top edge: below", QRect(0, 0, 800, 600), {400, 10}, {420, 30}},
    {"exactly fits at the top", QRect(0, 0, 800, 600), {400, 214}, {420, 0}},
    {"near the bottom edge: still above", QRect(0, 0, 800, 600), {400, 599}, {420, 385}},
    {"near the left edge: still right", QRect(0, 0, 800, 600), {0, 300}, {20, 86}},
    {"top-right corner: left and below", QRect(0, 0, 800, 600), {799, 0}, {633, 20}},
    {"second screen, right edge", QRect(1920, 0, 1280, 720), {3190, 400}, {3024, 186}},
    {"odd device pixel at scale 2: rounded away", QRect(0, 0, 400, 300), {50.5, 28.5}, {71, 49}},
    {"odd device pixel, flipped left and above", QRect(0, 0, 400, 300), {300.5, 250.5}, {134, 36}},
    {"screen too small for the window below", QRect(0, 0, 400, 200), {100, 100}, {120, 6}},
};

TEST(VQLoupeGeometryTest, WindowPlacementAtTheEdges)
{
    for (const PlacementRow &row : kPlacementRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(windowOrigin(row.pointer, QSize(146, 194), row.screen), row.origin);
    }
}
} // namespace
