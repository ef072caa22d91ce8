// The pickers' arithmetic, without widgets: wheel, brightness slider, square,
// straight sliders and their keys, scroll steps, gradient stops, the computed
// wheel picture and the circle cursor.

#include "ui/pickers/VQColorSliderGradient.h"
#include "ui/pickers/VQColorWheelControl.h"
#include "ui/pickers/VQPickerGeometry.h"
#include "ui/pickers/VQPickerImages.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QPixmap>

#include <cmath>

namespace
{
const QPointF kCentre(100, 100);

TEST(WheelGeometry, HueAndSaturationUnderAPoint)
{
    struct Row {
        const char *name;
        QPointF offset; // from the centre, Qt coordinates (y down)
        double hue, saturation;
    } rows[] = {{"centre", {0, 0}, 0, 0},
                {"right rim", {94, 0}, 0, 1},
                {"top rim", {0, -94}, 0.25, 1},
                {"left rim", {-94, 0}, 0.5, 1},
                {"bottom rim", {0, 94}, 0.75, 1},
                {"half way right", {47, 0}, 0, 0.5},
                {"far right is on the rim", {5000, 0}, 0, 1},
                {"far up-right is on the rim", {300, -300}, 0.125, 1},
                {"far down-left is on the rim", {-300, 300}, 0.625, 1},
                {"a hair below the right axis", {94, 1e-13}, 1 - 1e-13 / 94 / (2 * M_PI), 1}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQHueSaturation hs = VQColorWheelGeometry::hueSaturationAt(kCentre + row.offset, kCentre);
        EXPECT_NEAR(hs.hue, row.hue, 1e-12);
        EXPECT_NEAR(hs.saturation, row.saturation, 1e-12);
        EXPECT_GE(hs.hue, 0);
        EXPECT_LT(hs.hue, 1);
        EXPECT_LE(hs.saturation, 1);
    }
}

TEST(WheelGeometry, KnobPointRoundTripsOverTheWholeWheel)
{
    for (int degrees = 0; degrees < 360; degrees += 5) {
        for (double saturation : {0.1, 0.5, 0.999, 1.0}) {
            SCOPED_TRACE(testing::Message() << degrees << "° s " << saturation);
            const VQHueSaturation hs{degrees / 360.0, saturation};
            const QPointF point = VQColorWheelGeometry::pointFor(hs, kCentre);
            EXPECT_NEAR(std::hypot(point.x() - kCentre.x(), point.y() - kCentre.y()), saturation * 94, 1e-9);
            const VQHueSaturation back = VQColorWheelGeometry::hueSaturationAt(point, kCentre);
            const double hueError = std::abs(back.hue - hs.hue);
            EXPECT_LT(std::min(hueError, 1 - hueError), 1e-12);
            EXPECT_NEAR(back.saturation, saturation, 1e-12);
        }
    }
    EXPECT_EQ(VQColorWheelGeometry::pointFor({-0.5, 1}, kCentre), QPointF(194, 100)) << "a negative hue counts as 0";
}

TEST(WheelGeometry, ClampPullsOutsidePointsOntoTheRimAlongTheirDirection)
{
    struct Row {
        QPointF in, out;
    } rows[] = {{{100, 100}, {100, 100}},
                {{150, 100}, {150, 100}},
                {{394, 100}, {194, 100}},
                {{100, -200}, {100, 6}},
                {{400, 500}, {100 + 94 * 0.6, 100 + 94 * 0.8}}};
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.in.x() << "," << row.in.y());
        const QPointF out = VQColorWheelGeometry::clampToRim(row.in, kCentre);
        EXPECT_NEAR(out.x(), row.out.x(), 1e-9);
        EXPECT_NEAR(out.y(), row.out.y(), 1e-9);
    }
}

TEST(WheelGeometry, TheRedrawAreaCoversTheKnobWhereverItIsDrawn)
{
    // The knob is drawn 4 × 4 around the point rounded to whole points.
    for (double x : {10.0, 10.25, 10.5, 10.75, 11.49}) {
        for (double y : {20.0, 20.5, 20.51, 20.99}) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const QRectF knob(std::round(x) - 2, std::round(y) - 2, 4, 4);
            EXPECT_TRUE(QRectF(VQColorWheelGeometry::knobRedrawRect({x, y}).toAlignedRect()).contains(knob));
        }
    }
}

TEST(BrightnessSliderGeometry, KnobFrameValueAndHits)
{
    using namespace VQBrightnessSliderGeometry;
    const double height = kPreferredHeight; // 191
    struct Row {
        double value;
        double knobTop;
    } rows[] = {{0, 179}, {1, 0}, {0.5, 89.5}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(knobFrame(row.value, height), QRectF(0, row.knobTop, 27, 10));
    }
    EXPECT_DOUBLE_EQ(valueAt(0, height), 1);
    EXPECT_DOUBLE_EQ(valueAt(height, height), 0);
    EXPECT_DOUBLE_EQ(valueAt(height / 2, height), 0.5);
    EXPECT_DOUBLE_EQ(valueAt(height + 20, height), -20 / height); // the slider clamps, not the geometry
    EXPECT_DOUBLE_EQ(valueAt(5, 0), 0);
    // The knob at 0.5 covers y 89.5–99.5; 2 points more up and down still take it.
    EXPECT_TRUE(hitsKnob({10, 88}, 0.5, height));
    EXPECT_TRUE(hitsKnob({10, 101}, 0.5, height));
    EXPECT_FALSE(hitsKnob({10, 87}, 0.5, height));
    EXPECT_FALSE(hitsKnob({10, 102}, 0.5, height));
    EXPECT_FALSE(hitsKnob({28, 95}, 0.5, height)); // not grown sideways
    EXPECT_EQ(trackRect({0, 0, 27, 191}), QRectF(5, 0.5, 17, 190));
}

TEST(SaturationBrightnessGeometry, PointsAndValues)
{
    using namespace VQSaturationBrightnessGeometry;
    const QSizeF size(200, 100);
    struct Row {
        QPointF point;
        double saturation, brightness;
    } rows[] = {
        {{0, 0}, 0, 1},     {{200, 0}, 1, 1},   {{100, 100}, 0.5, 0}, {{50, 25}, 0.25, 0.75},
        {{300, -40}, 1, 1}, {{-10, 130}, 0, 0}, {{200, 50}, 1, 0.5},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.point.x() << "," << row.point.y());
        const Value value = valueAt(row.point, size);
        EXPECT_DOUBLE_EQ(value.saturation, row.saturation);
        EXPECT_DOUBLE_EQ(value.brightness, row.brightness);
        const QPointF back = pointFor(row.saturation, row.brightness, size);
        EXPECT_EQ(valueAt(back, size), value);
    }
    EXPECT_EQ(valueAt({5, 5}, {0, 0}), Value{});
}

TEST(SliderGeometry, ValueAndPixelWithAMinimumOtherThanZero)
{
    const VQSliderGeometry horizontal(QRectF(10, 0, 100, 10), 20, 120, false);
    const VQSliderGeometry vertical(QRectF(0, 10, 10, 100), 20, 120, true);
    struct Row {
        double value, x, y;
    } rows[] = {{20, 10, 110}, {70, 60, 60}, {120, 110, 10}, {0, 10, 110}, {500, 110, 10}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_DOUBLE_EQ(horizontal.pixelFor(row.value), row.x);
        EXPECT_DOUBLE_EQ(vertical.pixelFor(row.value), row.y);
        const double inRange = std::clamp(row.value, 20.0, 120.0);
        EXPECT_DOUBLE_EQ(horizontal.valueAt({row.x, 5}), inRange);
        EXPECT_DOUBLE_EQ(vertical.valueAt({5, row.y}), inRange);
    }
    EXPECT_DOUBLE_EQ(horizontal.valueAt({-50, 5}), 20);
    EXPECT_DOUBLE_EQ(horizontal.valueAt({900, 5}), 120);
    EXPECT_EQ(horizontal.knobRect(70, 8, 2), QRectF(56, -2, 8, 14));
    EXPECT_EQ(vertical.knobRect(70, 8, 2), QRectF(-2, 56, 14, 8));
    // A degenerate track gives the minimum instead of dividing by zero.
    EXPECT_DOUBLE_EQ(VQSliderGeometry(QRectF(0, 0, 0, 10), 3, 9, false).valueAt({4, 4}), 3);
    EXPECT_EQ(VQColorSliderTrackRect({0, 0, 160, 18}, false), QRectF(6, 2, 148, 14));
    EXPECT_EQ(VQColorSliderTrackRect({0, 0, 18, 160}, true), QRectF(2, 6, 14, 148));
}

TEST(WheelGeometry, AClickStandsForThePixelUnderThePointer)
{
    using VQColorWheelGeometry::pixelCentreAt;
    EXPECT_EQ(pixelCentreAt({188, 94}, 1), QPointF(188.5, 94.5));
    EXPECT_EQ(pixelCentreAt({188.5, 94.5}, 1), QPointF(188.5, 94.5));
    EXPECT_EQ(pixelCentreAt({-0.25, 3.99}, 1), QPointF(-0.5, 3.5));
    // At ratio 2 a point holds four device pixels.
    EXPECT_EQ(pixelCentreAt({94, 0}, 2), QPointF(94.25, 0.25));
    EXPECT_EQ(pixelCentreAt({94.5, 0.5}, 2), QPointF(94.75, 0.75));
    EXPECT_EQ(pixelCentreAt({10, 10}, 1.5), QPointF(10 + 1 / 3.0, 10 + 1 / 3.0));
}

TEST(ScrollGeometry, NotchesAndPixels)
{
    using VQScrollGeometry::pointsFor;
    EXPECT_EQ(pointsFor({0, 120}, {}), QPointF(0, VQScrollGeometry::kPointsPerNotch));
    EXPECT_EQ(pointsFor({0, -240}, {}), QPointF(0, -2 * VQScrollGeometry::kPointsPerNotch));
    EXPECT_EQ(pointsFor({120, 0}, {}), QPointF(VQScrollGeometry::kPointsPerNotch, 0));
    // A touchpad's pixels are used as they come.
    EXPECT_EQ(pointsFor({0, 120}, {0, 12}), QPointF(0, 12));
    EXPECT_EQ(pointsFor({}, {}), QPointF());
}

struct GradientRow {
    const char *name;
    int tag;
    QColor start, end;
};

TEST(ColorSliderGradient, StopsOfEveryTwoColourTag)
{
    // The selection RGB (0.6, 0.2, 1.0): CMYK (0.4, 0.8, 0, 0), HSV (270/360, 0.8, 1).
    const VQColorRef selected = VQColor::makeRGB(0.6, 0.2, 1.0);
    auto rgb = [](double r, double g, double b) { return VQColor::makeRGB(r, g, b)->screenColor(); };
    auto cmyk = [](double c, double m, double y, double k) { return VQColor::makeCMYK(c, m, y, k)->screenColor(); };
    auto hsv = [](double h, double s, double v) { return VQColor::makeHSB(h, s, v)->screenColor(); };
    const GradientRow rows[] = {
        {"red", 0, rgb(0, 0.2, 1), rgb(1, 0.2, 1)},
        {"green", 1, rgb(0.6, 0, 1), rgb(0.6, 1, 1)},
        {"blue", 2, rgb(0.6, 0.2, 0), rgb(0.6, 0.2, 1)},
        {"cyan", 3, cmyk(0, 0.8, 0, 0), cmyk(1, 0.8, 0, 0)},
        {"magenta", 4, cmyk(0.4, 0, 0, 0), cmyk(0.4, 1, 0, 0)},
        {"yellow", 5, cmyk(0.4, 0.8, 0, 0), cmyk(0.4, 0.8, 1, 0)},
        {"black", 6, cmyk(0.4, 0.8, 0, 0), cmyk(0.4, 0.8, 0, 1)},
        {"gray", 7, rgb(0, 0, 0), rgb(1, 1, 1)},
        {"saturation", 9, hsv(0.75, 0, 1), hsv(0.75, 1, 1)},
        {"brightness", 10, hsv(0.75, 0.8, 0), hsv(0.75, 0.8, 1)},
    };
    for (const GradientRow &row : rows) {
        SCOPED_TRACE(row.name);
        const auto stops = VQColorSliderGradientStops(row.tag, *selected);
        ASSERT_EQ(stops.size(), 2u);
        EXPECT_EQ(stops[0].position, 0);
        EXPECT_EQ(stops[1].position, 1);
        EXPECT_EQ(stops[0].color, row.start);
        EXPECT_EQ(stops[1].color, row.end);
    }
}

TEST(ColorSliderGradient, HueRunsFromRedAtTheMinimumToAlmostRedAtTheMaximum)
{
    const VQColorRef selected = VQColor::makeHSB(0.1, 0.5, 0.8);
    const auto stops = VQColorSliderGradientStops(8, *selected);
    ASSERT_EQ(stops.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(stops[i].position, i / 6.0);
        const double hue = i == 6 ? 359.0 / 360 : i / 6.0;
        EXPECT_EQ(stops[i].color, VQColor::makeHSB(hue, 0.5, 0.8)->screenColor());
    }
}

// The computed wheel agrees with the colour conversions pixel by pixel.
TEST(ColorWheelImage, PixelsMatchTheConversionsAtRatiosOneAndTwo)
{
    for (qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage image = VQMakeColorWheelImage(ratio);
        ASSERT_EQ(image.width(), int(189 * ratio));
        ASSERT_EQ(image.devicePixelRatio(), ratio);
        const QPointF centre(94.5, 94.5);
        int checked = 0;
        for (int y = 0; y < image.height(); y += 7) {
            for (int x = 0; x < image.width(); x += 7) {
                const QPointF point((x + 0.5) / ratio, (y + 0.5) / ratio);
                const double distance = std::hypot(point.x() - centre.x(), point.y() - centre.y());
                const QRgb pixel = image.pixel(x, y);
                if (distance > 94.5 + 1 / ratio) {
                    EXPECT_EQ(qAlpha(pixel), 0) << x << "," << y;
                    continue;
                }
                if (distance > 94.5 - 1 / ratio)
                    continue; // the soft edge
                const VQHueSaturation hs = VQColorWheelGeometry::hueSaturationAt(point, centre);
                const VQRGBColor rgb = VQHSVColor{hs.hue, hs.saturation, 1}.toRGB();
                SCOPED_TRACE(testing::Message() << x << "," << y);
                EXPECT_EQ(qAlpha(pixel), 255);
                EXPECT_NEAR(qRed(pixel), rgb.r * 255, 0.51);
                EXPECT_NEAR(qGreen(pixel), rgb.g * 255, 0.51);
                EXPECT_NEAR(qBlue(pixel), rgb.b * 255, 0.51);
                ++checked;
            }
        }
        EXPECT_GT(checked, 400);
    }
    // Made once per ratio and kept.
    EXPECT_EQ(&VQColorWheelImage(2.0), &VQColorWheelImage(2.0));
    EXPECT_NE(&VQColorWheelImage(1.0), &VQColorWheelImage(2.0));
}

// The cursor X shows: the pixmap's own pixels, one to one, with the hot spot
// where the click lands. The ring must be drawn at its size in device pixels
// and centred on the middle of the hot-spot pixel.
TEST(CircleCursor, HotSpotIsTheRingsCentreAtEachRatio)
{
    const struct {
        qreal ratio;
        int side;    // device pixels
        int hotSpot; // device pixels from the top-left corner
    } rows[] = {{1, 17, 8}, {1.5, 25, 12}, {2, 33, 16}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.ratio);
        const QCursor cursor = VQColorWheelControl::circleCursor(row.ratio);
        const QImage image = cursor.pixmap().toImage();
        ASSERT_EQ(image.size(), QSize(row.side, row.side));
        EXPECT_EQ(cursor.hotSpot(), QPoint(row.hotSpot, row.hotSpot));
        // The drawn ring's bounding box, and its middle, in device pixels.
        QRect ring;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 0)
                    ring |= QRect(x, y, 1, 1);
        const QPointF middle = QRectF(ring).center();
        EXPECT_EQ(middle, QPointF(row.hotSpot + 0.5, row.hotSpot + 0.5));
        // 14.5 points across, at this ratio (the antialiased edge may add a pixel a side).
        EXPECT_NEAR(ring.width(), 14.5 * row.ratio, 2.0);
        EXPECT_EQ(qAlpha(image.pixel(row.hotSpot, row.hotSpot)), 0); // a ring: its centre is clear
        EXPECT_GT(qAlpha(image.pixel(row.hotSpot, row.hotSpot - int(5.5 * row.ratio))), 200);
    }
}

TEST(SliderKeySteps, OnePressMovesOneUnitOfTheShownNumber)
{
    const struct {
        const char *name;
        double value;
        int steps;
        double unit, minimum, maximum, expected;
    } rows[] = {
        {"Right on 0-255", 2, 1, 1, 0, 255, 3},
        {"Left on 0-255", 3, -1, 1, 0, 255, 2},
        {"Page Up", 2, 10, 1, 0, 255, 12},
        {"Page Down", 12, -10, 1, 0, 255, 2},
        {"a dragged value goes to the next whole one", 2.55, 1, 1, 0, 255, 3},
        {"and down to the one below", 2.55, -1, 1, 0, 255, 2},
        {"kept at the top", 250, 10, 1, 0, 255, 255},
        {"kept at the bottom", 0, -1, 1, 0, 255, 0},
        {"hue 0-360", 359, 1, 1, 0, 360, 360},
        {"hundredths", 0.5, 1, 0.01, 0, 1, 0.51},
        {"hundredths down", 0.5, -10, 0.01, 0, 1, 0.4},
        {"a third goes to the next hundredth", 1.0 / 3, 1, 0.01, 0, 1, 0.34},
        {"a single-precision hundredth counts as one", double(0.34f), 1, 0.01, 0, 1, 0.35},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VQSliderValueAfterKeySteps(row.value, row.steps, row.unit, row.minimum, row.maximum), row.expected);
    }
}
} // namespace
