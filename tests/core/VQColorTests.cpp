// The colour value: conversions between the component records, hex text,
// grey tests, equality, the dictionary form, identifiers and the swatch image.

#include "VQClock.h"
#include "VQColor.h"
#include "VQException.h"
#include "VQTestSupport.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// Readable failures.
void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const VQRGBColor &c, std::ostream *os) { *os << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")"; }
void PrintTo(const VQHSVColor &c, std::ostream *os) { *os << "hsv(" << c.h << ", " << c.s << ", " << c.v << ")"; }
void PrintTo(const VQHSLColor &c, std::ostream *os) { *os << "hsl(" << c.h << ", " << c.s << ", " << c.l << ")"; }
void PrintTo(const VQCMYKColor &c, std::ostream *os)
{
    *os << "cmyk(" << c.c << ", " << c.m << ", " << c.y << ", " << c.k << ")";
}

namespace {

// Known values worked out by hand agree with the double arithmetic up to this.
constexpr double kArithmeticTolerance = 1e-12;
// A conversion there and back may lose a little more than one operation does.
constexpr double kRoundTripTolerance = 1e-9;
// Qt keeps channels as 16-bit integers and converts between its models in float.
constexpr double kQColorTolerance = 2.0 / 65535.0;

bool closeTo(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

template <class Record> std::string show(const Record &record)
{
    std::ostringstream out;
    PrintTo(record, &out);
    return out.str();
}

::testing::AssertionResult near(const VQRGBColor &actual, const VQRGBColor &expected, double tolerance)
{
    if (closeTo(actual.r, expected.r, tolerance) && closeTo(actual.g, expected.g, tolerance) &&
        closeTo(actual.b, expected.b, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << show(actual) << " is not " << show(expected);
}

::testing::AssertionResult near(const VQHSVColor &actual, const VQHSVColor &expected, double tolerance)
{
    if (closeTo(actual.h, expected.h, tolerance) && closeTo(actual.s, expected.s, tolerance) &&
        closeTo(actual.v, expected.v, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << show(actual) << " is not " << show(expected);
}

::testing::AssertionResult near(const VQHSLColor &actual, const VQHSLColor &expected, double tolerance)
{
    if (closeTo(actual.h, expected.h, tolerance) && closeTo(actual.s, expected.s, tolerance) &&
        closeTo(actual.l, expected.l, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << show(actual) << " is not " << show(expected);
}

::testing::AssertionResult near(const VQCMYKColor &actual, const VQCMYKColor &expected, double tolerance)
{
    if (closeTo(actual.c, expected.c, tolerance) && closeTo(actual.m, expected.m, tolerance) &&
        closeTo(actual.y, expected.y, tolerance) && closeTo(actual.k, expected.k, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << show(actual) << " is not " << show(expected);
}

// Every colour space's idea of one colour.
struct ColorRow {
    const char *name;
    VQRGBColor rgb;
    VQHSVColor hsv;
    VQHSLColor hsl;
    VQCMYKColor cmyk;
};

const std::vector<ColorRow> &colorRows()
{
    static const std::vector<ColorRow> rows = {
        {"black", {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0, 1}},
        {"white", {1, 1, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 0, 0}},
        {"mid grey", {0.5, 0.5, 0.5}, {0, 0, 0.5}, {0, 0, 0.5}, {0, 0, 0, 0.5}},
        {"red", {1, 0, 0}, {0, 1, 1}, {0, 1, 0.5}, {0, 1, 1, 0}},
        {"green", {0, 1, 0}, {1.0 / 3, 1, 1}, {1.0 / 3, 1, 0.5}, {1, 0, 1, 0}},
        {"blue", {0, 0, 1}, {2.0 / 3, 1, 1}, {2.0 / 3, 1, 0.5}, {1, 1, 0, 0}},
        {"yellow: red and green share the maximum", {1, 1, 0}, {1.0 / 6, 1, 1}, {1.0 / 6, 1, 0.5}, {0, 0, 1, 0}},
        {"cyan: green and blue share the maximum", {0, 1, 1}, {0.5, 1, 1}, {0.5, 1, 0.5}, {1, 0, 0, 0}},
        {"magenta: negative hue wraps", {1, 0, 1}, {5.0 / 6, 1, 1}, {5.0 / 6, 1, 0.5}, {0, 1, 0, 0}},
        {"orange", {1, 0.5, 0}, {1.0 / 12, 1, 1}, {1.0 / 12, 1, 0.5}, {0, 0.5, 1, 0}},
        {"dark blue-grey, lightness below half", {0.2, 0.4, 0.6}, {7.0 / 12, 2.0 / 3, 0.6}, {7.0 / 12, 0.5, 0.4},
         {0.4, 0.2, 0, 0.4}},
        {"pink, lightness above half", {0.8, 0.6, 0.7}, {11.0 / 12, 0.25, 0.8}, {11.0 / 12, 1.0 / 3, 0.7},
         {0, 0.2, 0.1, 0.2}},
    };
    return rows;
}

} // namespace

// --- colour spaces ------------------------------------------------------------------

TEST(VQColorSpaceTest, RawValuesAndNames)
{
    EXPECT_EQ(static_cast<int>(VQColorSpace::RGB), 0);
    EXPECT_EQ(static_cast<int>(VQColorSpace::CMYK), 1);
    EXPECT_EQ(VQColorSpaceName(VQColorSpace::RGB), QStringLiteral("RGB"));
    EXPECT_EQ(VQColorSpaceName(VQColorSpace::CMYK), QStringLiteral("CMYK"));

    struct Row {
        std::int64_t raw;
        std::optional<VQColorSpace> space;
    };
    for (const Row &row : std::vector<Row>{{0, VQColorSpace::RGB},
                                           {1, VQColorSpace::CMYK},
                                           {2, std::nullopt},
                                           {7, std::nullopt},
                                           {-1, std::nullopt},
                                           {std::numeric_limits<std::int64_t>::min(), std::nullopt}}) {
        SCOPED_TRACE(row.raw);
        EXPECT_EQ(VQColorSpaceFromRawValue(row.raw), row.space);
    }
}

// --- conversions between the records -----------------------------------------------

TEST(VQColorConversionTest, KnownColorsInEveryModel)
{
    for (const ColorRow &row : colorRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(near(row.rgb.toHSV(), row.hsv, kArithmeticTolerance));
        EXPECT_TRUE(near(row.rgb.toHSL(), row.hsl, kArithmeticTolerance));
        EXPECT_TRUE(near(row.rgb.toCMYK(), row.cmyk, kArithmeticTolerance));
        EXPECT_TRUE(near(row.hsv.toRGB(), row.rgb, kArithmeticTolerance));
        EXPECT_TRUE(near(row.hsl.toRGB(), row.rgb, kArithmeticTolerance));
        EXPECT_TRUE(near(row.cmyk.toRGB(), row.rgb, kArithmeticTolerance));
    }
}

TEST(VQColorConversionTest, CMYKToRGBFloorsAtZero)
{
    struct Row {
        const char *name;
        VQCMYKColor cmyk;
        VQRGBColor rgb;
    };
    const std::vector<Row> rows = {
        {"cyan plus black past 1 gives no red", {0.6, 0, 0, 0.6}, {0, 0.4, 0.4}},
        {"exactly 1 is not below 1", {0.5, 0.25, 0, 0.5}, {0, 0.25, 0.5}},
        {"all inks at full", {1, 1, 1, 1}, {0, 0, 0}},
        {"grey ink everywhere", {0.3, 0.3, 0.3, 0.3}, {0.4, 0.4, 0.4}},
        {"no ink", {0, 0, 0, 0}, {1, 1, 1}},
        {"black only", {0, 0, 0, 0.25}, {0.75, 0.75, 0.75}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(near(row.cmyk.toRGB(), row.rgb, kArithmeticTolerance));
    }
}

TEST(VQColorConversionTest, RGBToCMYKDoesNotDivideByTheBlack)
{
    // Divided by (1 − k) this would read (0, 0.5, 1, 0.5).
    EXPECT_TRUE(near(VQRGBColor{0.5, 0.25, 0}.toCMYK(), VQCMYKColor{0, 0.25, 0.5, 0.5}, kArithmeticTolerance));
}

TEST(VQColorConversionTest, NearGreysInHSLButNotInHSV)
{
    struct Row {
        const char *name;
        VQRGBColor rgb;
        bool neutralInHSL;
        bool neutralInHSV;
    };
    const std::vector<Row> rows = {
        {"exact grey", {0.3, 0.3, 0.3}, true, true},
        {"green off by 0.0005", {0.5, 0.5005, 0.5}, true, false},
        {"blue off by 0.0009", {0.25, 0.25, 0.2509}, true, false},
        {"red off by 0.0011", {0.5011, 0.5, 0.5}, false, false},
        {"a tiny difference", {0.5, 0.5, std::nextafter(0.5, 1.0)}, true, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQHSLColor hsl = row.rgb.toHSL();
        const VQHSVColor hsv = row.rgb.toHSV();
        EXPECT_EQ(hsl.h == 0 && hsl.s == 0, row.neutralInHSL) << show(hsl);
        EXPECT_EQ(hsv.h == 0 && hsv.s == 0, row.neutralInHSV) << show(hsv);
        // Lightness and value are always there.
        EXPECT_DOUBLE_EQ(hsl.l, (std::max({row.rgb.r, row.rgb.g, row.rgb.b}) +
                                 std::min({row.rgb.r, row.rgb.g, row.rgb.b})) /
                                    2);
        EXPECT_DOUBLE_EQ(hsv.v, std::max({row.rgb.r, row.rgb.g, row.rgb.b}));
    }
}

TEST(VQColorConversionTest, HSLBoundsTheExtremesToTheUnitRange)
{
    struct Row {
        const char *name;
        VQRGBColor rgb;
        VQHSLColor hsl;
    };
    const std::vector<Row> rows = {
        // min is taken with 1.0: min 1, max 1.6, l 1.3, delta 0.6, s = 0.6 / (2 − 2.6).
        {"all channels above 1", {1.2, 1.4, 1.6}, {11.0 / 18, -1, 1.3}},
        // max is taken with 0.0: max 0, min −0.3, l −0.15, s = 0.3 / (0 − 0.3).
        {"all channels below 0", {-0.2, -0.1, -0.3}, {11.0 / 18, -1, -0.15}},
        // Unbounded, min would be 1.2 and this a grey within 0.001.
        {"near grey above 1 is not neutral after the bound", {1.2, 1.2004, 1.2}, {1.0 / 3, -1, 1.1002}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(near(row.rgb.toHSL(), row.hsl, kArithmeticTolerance));
    }
}

TEST(VQColorConversionTest, HSVSectors)
{
    struct Row {
        const char *name;
        VQHSVColor hsv;
        VQRGBColor rgb;
    };
    const std::vector<Row> rows = {
        {"sector 0 (v, t, p)", {0.5 / 6, 1, 1}, {1, 0.5, 0}},
        {"sector 1 (q, v, p)", {1.5 / 6, 1, 1}, {0.5, 1, 0}},
        {"sector 2 (p, v, t)", {2.5 / 6, 1, 1}, {0, 1, 0.5}},
        {"sector 3 (p, q, v)", {3.5 / 6, 1, 1}, {0, 0.5, 1}},
        {"sector 4 (t, p, v)", {4.5 / 6, 1, 1}, {0.5, 0, 1}},
        {"sector 5 (v, p, q)", {5.5 / 6, 1, 1}, {1, 0, 0.5}},
        {"half saturation, dimmed", {0.25 / 6, 0.5, 0.8}, {0.8, 0.5, 0.4}},
        {"hue 1.0 wraps to red", {1.0, 1, 1}, {1, 0, 0}},
        {"hue 1.0 wraps like hue 0", {1.0, 0.5, 0.8}, {0.8, 0.4, 0.4}},
        {"hue past 1 wraps into sector 0", {1.0 + 0.5 / 6, 1, 1}, {1, 0.5, 0}},
        {"negative hue wraps into sector 5", {-0.5 / 6, 1, 1}, {1, 0, 0.5}},
        {"no saturation is grey whatever the hue", {0.7, 0, 0.3}, {0.3, 0.3, 0.3}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(near(row.hsv.toRGB(), row.rgb, kArithmeticTolerance));
    }
}

TEST(VQColorConversionTest, HSLChannelsWrapTheHue)
{
    struct Row {
        const char *name;
        VQHSLColor hsl;
        VQRGBColor rgb;
    };
    const std::vector<Row> rows = {
        {"no saturation is grey", {0.4, 0, 0.25}, {0.25, 0.25, 0.25}},
        // Blue's channel looks at h − 1/3 < 0 and wraps it up by 1.
        {"red hue", {0, 1, 0.5}, {1, 0, 0}},
        // Red's channel looks at h + 1/3 > 1 and wraps it down by 1.
        {"violet hue", {0.75, 1, 0.5}, {0.5, 0, 1}},
        {"light rose, q = l + s − l s", {11.0 / 12, 1.0 / 3, 0.7}, {0.8, 0.6, 0.7}},
        {"dark, q = l (1 + s)", {7.0 / 12, 0.5, 0.4}, {0.2, 0.4, 0.6}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(near(row.hsl.toRGB(), row.rgb, kArithmeticTolerance));
    }
}

// Sweeps over a grid of RGB colours: there and back again, and hues in range.
TEST(VQColorConversionTest, RoundTripSweeps)
{
    constexpr int kSteps = 20; // 0, 0.05, …, 1
    int checked = 0;
    for (int ri = 0; ri <= kSteps; ++ri) {
        for (int gi = 0; gi <= kSteps; ++gi) {
            for (int bi = 0; bi <= kSteps; ++bi) {
                const VQRGBColor rgb{double(ri) / kSteps, double(gi) / kSteps, double(bi) / kSteps};
                SCOPED_TRACE(show(rgb));

                const VQHSVColor hsv = rgb.toHSV();
                ASSERT_GE(hsv.h, 0.0);
                ASSERT_LT(hsv.h, 1.0);
                ASSERT_TRUE(near(hsv.toRGB(), rgb, kRoundTripTolerance));

                const VQHSLColor hsl = rgb.toHSL();
                ASSERT_GE(hsl.h, 0.0);
                ASSERT_LT(hsl.h, 1.0);
                // The grid holds no near greys, so HSL's grey tolerance does not bite.
                ASSERT_TRUE(near(hsl.toRGB(), rgb, kRoundTripTolerance));

                ASSERT_TRUE(near(rgb.toCMYK().toRGB(), rgb, kRoundTripTolerance));
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 21 * 21 * 21);
}

TEST(VQColorConversionTest, HueSweepThroughHSVAndHSL)
{
    // Every hue of a full turn comes back, at several saturations.
    for (int i = 0; i < 360; ++i) {
        for (double s : {0.25, 0.5, 1.0}) {
            const VQHSVColor hsv{i / 360.0, s, 0.9};
            SCOPED_TRACE(show(hsv));
            ASSERT_TRUE(near(hsv.toRGB().toHSV(), hsv, kRoundTripTolerance));
            const VQHSLColor hsl{i / 360.0, s, 0.4};
            ASSERT_TRUE(near(hsl.toRGB().toHSL(), hsl, kRoundTripTolerance));
        }
    }
}

// --- the colour value ------------------------------------------------------------------

class VQColorTest : public VQLibraryTest {};

TEST_F(VQColorTest, ConstructorsStoreTheirComponents)
{
    struct Row {
        const char *name;
        VQColorRef color;
        VQColorSpace space;
        std::array<double, 4> components;
    };
    const std::vector<Row> rows = {
        {"RGB", VQColor::makeRGB(0.1, 0.2, 0.3), VQColorSpace::RGB, {0.1, 0.2, 0.3, 0}},
        {"RGB record", VQColor::makeRGB(VQRGBColor{0.4, 0.5, 0.6}), VQColorSpace::RGB, {0.4, 0.5, 0.6, 0}},
        {"CMYK", VQColor::makeCMYK(0.1, 0.2, 0.3, 0.4), VQColorSpace::CMYK, {0.1, 0.2, 0.3, 0.4}},
        {"CMYK record", VQColor::makeCMYK(VQCMYKColor{0.5, 0.6, 0.7, 0.8}), VQColorSpace::CMYK,
         {0.5, 0.6, 0.7, 0.8}},
        {"HSB turns into RGB", VQColor::makeHSB(0.5 / 6, 1, 1), VQColorSpace::RGB, {1, 0.5, 0, 0}},
        {"white", VQColor::whiteColor(), VQColorSpace::RGB, {1, 1, 1, 0}},
        {"out of range is kept", VQColor::makeRGB(1.5, -0.25, 2), VQColorSpace::RGB, {1.5, -0.25, 2, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(row.color);
        EXPECT_EQ(row.color->colorSpace(), row.space);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(row.color->components()[i], row.components[i], kArithmeticTolerance) << "slot " << i;
        EXPECT_EQ(row.color->component1(), row.color->components()[0]);
        EXPECT_EQ(row.color->component4(), row.color->components()[3]);
        EXPECT_EQ(row.color->modificationDate(), 0u);
        EXPECT_FALSE(row.color->hasStoredName());
    }
}

TEST_F(VQColorTest, RGBAndCMYKViewsOfBothSpaces)
{
    const VQColorRef rgb = VQColor::makeRGB(1, 0.5, 0);
    EXPECT_EQ(rgb->RGBColor(), (VQRGBColor{1, 0.5, 0}));
    EXPECT_EQ(rgb->CMYKColor(), (VQCMYKColor{0, 0.5, 1, 0}));

    const VQColorRef cmyk = VQColor::makeCMYK(0.6, 0, 0, 0.6);
    EXPECT_EQ(cmyk->CMYKColor(), (VQCMYKColor{0.6, 0, 0, 0.6}));
    EXPECT_TRUE(near(cmyk->RGBColor(), VQRGBColor{0, 0.4, 0.4}, kArithmeticTolerance));
}

TEST_F(VQColorTest, HexValue)
{
    struct Row {
        const char *name;
        VQColorRef color;
        const char *hex;
    };
    const std::vector<Row> rows = {
        {"black", VQColor::makeRGB(0, 0, 0), "#000000"},
        {"white", VQColor::makeRGB(1, 1, 1), "#FFFFFF"},
        {"0.5 is 127.5, rounds up", VQColor::makeRGB(1, 0.5, 0), "#FF8000"},
        {"0.002 is 0.51, rounds to 1", VQColor::makeRGB(0.002, 0.002, 0.002), "#010101"},
        {"0.001 is 0.255, rounds to 0", VQColor::makeRGB(0.001, 0.001, 0.001), "#000000"},
        // Rounding half to even would give 02, truncation 02.
        {"2.5 rounds away from zero", VQColor::makeRGB(2.5 / 255, 0, 0), "#030000"},
        {"0.5 rounds away from zero", VQColor::makeRGB(0, 0.5 / 255, 0), "#000100"},
        {"upper case digits", VQColor::makeRGB(0.2, 0.4, 0.6), "#336699"},
        {"upper case letters", VQColor::makeRGB(171.0 / 255, 205.0 / 255, 239.0 / 255), "#ABCDEF"},
        {"CMYK goes through RGB", VQColor::makeCMYK(0.6, 0, 0, 0.6), "#006666"},
        {"CMYK white", VQColor::makeCMYK(0, 0, 0, 0), "#FFFFFF"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.color->hexValue().toStdString(), row.hex);
    }
}

TEST_F(VQColorTest, OutOfRangeChannelsDoNotBreakTheHexText)
{
    // Nothing clamps: a channel above 1 prints more than two digits, and NaN must not crash.
    EXPECT_EQ(VQColor::makeRGB(2, 0, 0)->hexValue().toStdString(), "#1FE0000");
    const QString nan = VQColor::makeRGB(std::nan(""), 0, 0)->hexValue();
    EXPECT_TRUE(nan.startsWith(QLatin1Char('#')));
}

TEST_F(VQColorTest, GreyAndWhitishTests)
{
    struct Row {
        const char *name;
        VQColorRef color;
        bool grayscale;
        bool whitish;
    };
    const std::vector<Row> rows = {
        {"mid grey", VQColor::makeRGB(0.5, 0.5, 0.5), true, false},
        {"green off by 0.004", VQColor::makeRGB(0.5, 0.504, 0.5), true, false},
        {"blue off by 0.006", VQColor::makeRGB(0.5, 0.5, 0.506), false, false},
        {"red and blue differ", VQColor::makeRGB(0.496, 0.5, 0.502), false, false},
        {"light grey at 0.8: the test on red is strict", VQColor::makeRGB(0.8, 0.8, 0.8), true, false},
        {"0.81 red", VQColor::makeRGB(0.81, 0.8, 0.8), false, true},
        {"off-white within 0.05", VQColor::makeRGB(0.95, 0.92, 0.96), false, true},
        {"blue off by 0.06", VQColor::makeRGB(0.9, 0.9, 0.96), false, false},
        {"white", VQColor::makeRGB(1, 1, 1), true, true},
        {"red", VQColor::makeRGB(1, 0, 0), false, false},
        {"CMYK without ink is white", VQColor::makeCMYK(0, 0, 0, 0), true, true},
        {"CMYK black ink is grey", VQColor::makeCMYK(0, 0, 0, 0.5), true, false},
        {"CMYK with a little cyan", VQColor::makeCMYK(0.03, 0, 0, 0), false, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.color->isGrayscale(), row.grayscale);
        EXPECT_EQ(row.color->isWhitish(), row.whitish);
    }
}

TEST_F(VQColorTest, NameIsTheHexValueUntilOneIsSet)
{
    const VQColorRef color = VQColor::makeRGB(1, 0.5, 0);
    EXPECT_EQ(color->name(), QStringLiteral("#FF8000"));
    EXPECT_FALSE(color->hasStoredName());
    EXPECT_EQ(color->modificationDate(), 0u);

    setTime(1700000123.9);
    color->setName(QStringLiteral("Tangerine"));
    EXPECT_EQ(color->name(), QStringLiteral("Tangerine"));
    ASSERT_TRUE(color->storedName().has_value());
    EXPECT_EQ(*color->storedName(), QStringLiteral("Tangerine"));
    EXPECT_EQ(color->modificationDate(), 1700000123u) << "truncated to whole seconds";

    // An empty name is a name, not the absence of one.
    color->setName(QString());
    EXPECT_TRUE(color->hasStoredName());
    EXPECT_EQ(color->name(), QString());

    setTime(1700000500);
    color->updateModificationDate();
    EXPECT_EQ(color->modificationDate(), 1700000500u);
}

TEST_F(VQColorTest, IdentifiersAreUniqueWithinOneSecond)
{
    const auto now = std::uint64_t(time());
    std::set<std::uint64_t> ids;
    std::vector<VQColorRef> colors;
    for (int i = 0; i < 1000; ++i) {
        colors.push_back(i % 2 ? VQColor::makeRGB(0.1, 0.2, 0.3) : VQColor::makeCMYK(0, 0, 0, 1));
        ids.insert(colors.back()->colorID());
    }
    EXPECT_EQ(ids.size(), colors.size());
    EXPECT_EQ(*ids.begin(), now) << "the first identifier is the current second";
    EXPECT_EQ(colors.front()->colorID(), now);

    // Once the clock passes the last one handed out, identifiers follow it again.
    setTime(now + 5000);
    EXPECT_EQ(VQColor::makeRGB(0, 0, 0)->colorID(), now + 5000);
}

TEST_F(VQColorTest, ColorUsingColorSpace)
{
    const VQColorRef rgb = VQColor::makeRGB(1, 0.5, 0);
    rgb->setName(QStringLiteral("Orange"));
    EXPECT_EQ(rgb->colorUsingColorSpace(VQColorSpace::RGB).get(), rgb.get()) << "the very same object";

    setTime(time() + 10);
    const VQColorRef cmyk = rgb->colorUsingColorSpace(VQColorSpace::CMYK);
    ASSERT_NE(cmyk.get(), rgb.get());
    EXPECT_EQ(cmyk->colorSpace(), VQColorSpace::CMYK);
    EXPECT_EQ(cmyk->CMYKColor(), (VQCMYKColor{0, 0.5, 1, 0}));
    EXPECT_NE(cmyk->colorID(), rgb->colorID());
    EXPECT_EQ(cmyk->colorID(), std::uint64_t(time()));
    EXPECT_EQ(cmyk->modificationDate(), 0u);
    EXPECT_FALSE(cmyk->hasStoredName()) << "the name is not carried over";
    EXPECT_FALSE(cmyk->isEqualToColor(*rgb));

    EXPECT_EQ(cmyk->colorUsingColorSpace(VQColorSpace::CMYK).get(), cmyk.get());
    const VQColorRef back = cmyk->colorUsingColorSpace(VQColorSpace::RGB);
    EXPECT_EQ(back->colorSpace(), VQColorSpace::RGB);
    EXPECT_TRUE(near(back->RGBColor(), rgb->RGBColor(), kArithmeticTolerance));
    EXPECT_EQ(back->component4(), 0.0);

    // CMYK → RGB from the worked example, components that floor at 0.
    const VQColorRef teal = VQColor::makeCMYK(0.6, 0, 0, 0.6)->colorUsingColorSpace(VQColorSpace::RGB);
    EXPECT_TRUE(near(teal->RGBColor(), VQRGBColor{0, 0.4, 0.4}, kArithmeticTolerance));
}

TEST_F(VQColorTest, Equality)
{
    // A second object with the same space, components, name and identifier as `base`.
    const auto twin = [](const VQColorRef &base) {
        const VQColorRef copy = base->colorSpace() == VQColorSpace::CMYK
                                    ? VQColor::makeCMYK(base->component1(), base->component2(),
                                                        base->component3(), base->component4())
                                    : VQColor::makeRGB(base->component1(), base->component2(), base->component3());
        if (base->hasStoredName())
            copy->setName(*base->storedName());
        copy->setColorID(base->colorID());
        copy->setModificationDate(base->modificationDate());
        return copy;
    };

    const VQColorRef rgb = VQColor::makeRGB(0.2, 0.4, 0.6);
    rgb->setName(QStringLiteral("Slate"));
    // Components away from any hex rounding boundary.
    const VQColorRef cmyk = VQColor::makeCMYK(0.11, 0.23, 0.37, 0.41);

    struct Row {
        const char *name;
        VQColorRef a;
        VQColorRef b;
        bool equal;
    };
    std::vector<Row> rows;
    rows.push_back({"the same object", rgb, rgb, true});
    rows.push_back({"a twin", rgb, twin(rgb), true});
    rows.push_back({"an unnamed twin", cmyk, twin(cmyk), true});
    {
        VQColorRef b = twin(rgb);
        b->setModificationDate(rgb->modificationDate() + 1000);
        rows.push_back({"only the date differs", rgb, b, true});
    }
    {
        VQColorRef b = twin(rgb);
        b->setColorID(rgb->colorID() + 1);
        rows.push_back({"the identifiers differ", rgb, b, false});
    }
    {
        VQColorRef b = twin(rgb);
        b->setName(QStringLiteral("slate"));
        rows.push_back({"the names differ in case", rgb, b, false});
    }
    {
        VQColorRef b = twin(cmyk);
        b->setName(cmyk->hexValue());
        rows.push_back({"unnamed compares by its hex value", cmyk, b, true});
    }
    {
        // The same colour, name and identifier, but stored in the other space.
        VQColorRef a = VQColor::makeRGB(1, 0, 0);
        VQColorRef b = VQColor::makeCMYK(0, 1, 1, 0);
        b->setColorID(a->colorID());
        rows.push_back({"the same colour in the other space", a, b, false});
    }
    for (std::size_t slot = 0; slot < 4; ++slot) {
        std::array<double, 4> c{cmyk->component1(), cmyk->component2(), cmyk->component3(), cmyk->component4()};
        c[slot] = std::nextafter(c[slot], 1.0);
        VQColorRef b = VQColor::makeCMYK(c[0], c[1], c[2], c[3]);
        b->setColorID(cmyk->colorID());
        // Same hex value, so only the exact component comparison tells them apart.
        EXPECT_EQ(b->hexValue(), cmyk->hexValue());
        static const char *names[] = {"component 1 differs by one step", "component 2 differs by one step",
                                      "component 3 differs by one step", "component 4 differs by one step"};
        rows.push_back({names[slot], cmyk, b, false});
    }

    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.a->isEqualToColor(*row.b), row.equal);
        EXPECT_EQ(row.b->isEqualToColor(*row.a), row.equal) << "symmetric";
    }
}

// --- the dictionary form ---------------------------------------------------------------

TEST_F(VQColorTest, DictionaryFormWritesAllEightKeys)
{
    const VQColorRef color = VQColor::makeCMYK(0.1, 0.2, 0.3, 0.4);
    color->setColorID(12345678901234567890ull);
    color->setModificationDate(1600000000);
    const VQPlist dictionary = color->dictionaryRepresentation();

    const VQPlistNode space = dictionary[VQColorSpaceKey];
    EXPECT_TRUE(space.isInteger());
    EXPECT_EQ(space.toUInt64(), 1u);
    const char *componentKeys[] = {VQColorComponent1Key, VQColorComponent2Key, VQColorComponent3Key,
                                   VQColorComponent4Key};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(componentKeys[i]);
        const VQPlistNode node = dictionary[componentKeys[i]];
        EXPECT_TRUE(node.isReal());
        EXPECT_EQ(node.toDouble(), color->components()[i]);
    }
    EXPECT_TRUE(dictionary[VQColorIDKey].isInteger());
    EXPECT_EQ(dictionary[VQColorIDKey].toUInt64(), 12345678901234567890ull);
    EXPECT_TRUE(dictionary[VQColorModificationDateKey].isInteger());
    EXPECT_EQ(dictionary[VQColorModificationDateKey].toUInt64(), 1600000000u);
    EXPECT_EQ(dictionary[VQColorNameKey].toString(), color->hexValue()) << "unnamed: the hex value";

    const VQPlist rgb = VQColor::makeRGB(1, 0.5, 0)->dictionaryRepresentation();
    EXPECT_EQ(rgb[VQColorSpaceKey].toUInt64(), 0u);
    EXPECT_TRUE(rgb[VQColorComponent4Key].isReal());
    EXPECT_EQ(rgb[VQColorComponent4Key].toDouble(), 0.0);
    EXPECT_TRUE(rgb[VQColorModificationDateKey].isInteger()) << "a date of 0 is written too";
    EXPECT_EQ(rgb[VQColorNameKey].toString(), QStringLiteral("#FF8000"));
}

TEST_F(VQColorTest, DictionaryRoundTrip)
{
    std::vector<VQColorRef> colors;
    colors.push_back(VQColor::makeRGB(0.123456789012345, 0.5, 1.0 / 3));
    colors.back()->setName(QStringLiteral("Named — with a dash and ünïcödé"));
    colors.back()->setModificationDate(1234567890);
    colors.push_back(VQColor::makeCMYK(0.6, 0, 0, 0.6));
    colors.back()->setColorID(std::numeric_limits<std::uint64_t>::max());
    colors.push_back(VQColor::makeRGB(1.5, -0.25, 0)); // kept out of range
    colors.push_back(VQColor::makeHSB(0.7, 0.3, 0.9));

    for (const VQColorRef &original : colors) {
        SCOPED_TRACE(original->name().toStdString());
        // Through the XML text, as the library file stores it.
        const std::optional<VQPlist> parsed = VQPlist::fromData(original->dictionaryRepresentation().toXML());
        ASSERT_TRUE(parsed.has_value());
        setTime(time() + 1); // reading must not stamp a date over the stored one
        const VQColorRef read = VQColor::fromDictionary(parsed->node());
        ASSERT_TRUE(read);
        EXPECT_TRUE(read->isEqualToColor(*original));
        EXPECT_EQ(read->colorSpace(), original->colorSpace());
        EXPECT_EQ(read->components(), original->components()) << "exactly";
        EXPECT_EQ(read->colorID(), original->colorID());
        EXPECT_EQ(read->modificationDate(), original->modificationDate());
        EXPECT_EQ(read->name(), original->name());
        // An unnamed colour comes back carrying its hex text as a stored name.
        EXPECT_TRUE(read->hasStoredName());

        // And the form written again is the same text.
        EXPECT_EQ(read->dictionaryRepresentation().toXML(), original->dictionaryRepresentation().toXML());
    }
}

TEST_F(VQColorTest, DictionaryReadingIsLenient)
{
    const auto now = std::uint64_t(time());
    struct Row {
        const char *name;
        std::function<void(VQPlist &)> fill;
        VQColorSpace space;
        std::array<double, 4> components;
        std::optional<QString> storedName;
        std::uint64_t date;
        std::optional<std::uint64_t> id; // nothing: a fresh identifier
    };
    const std::vector<Row> rows = {
        {"empty dictionary", [](VQPlist &) {}, VQColorSpace::RGB, {0, 0, 0, 0}, std::nullopt, 0, std::nullopt},
        {"CMYK reads the fourth component",
         [](VQPlist &d) {
             d.set(VQColorSpaceKey, VQPlist::integer(1));
             d.set(VQColorComponent1Key, VQPlist::real(0.1));
             d.set(VQColorComponent4Key, VQPlist::real(0.7));
         },
         VQColorSpace::CMYK, {0.1, 0, 0, 0.7}, std::nullopt, 0, std::nullopt},
        {"RGB ignores a fourth component",
         [](VQPlist &d) {
             d.set(VQColorSpaceKey, VQPlist::integer(0));
             d.set(VQColorComponent3Key, VQPlist::real(0.3));
             d.set(VQColorComponent4Key, VQPlist::real(0.7));
         },
         VQColorSpace::RGB, {0, 0, 0.3, 0}, std::nullopt, 0, std::nullopt},
        {"colour space 7 reads as RGB",
         [](VQPlist &d) {
             d.set(VQColorSpaceKey, VQPlist::integer(7));
             d.set(VQColorComponent1Key, VQPlist::real(0.25));
             d.set(VQColorComponent2Key, VQPlist::real(0.5));
             d.set(VQColorComponent3Key, VQPlist::real(0.75));
             d.set(VQColorComponent4Key, VQPlist::real(1));
         },
         VQColorSpace::RGB, {0.25, 0.5, 0.75, 0}, std::nullopt, 0, std::nullopt},
        {"a colour space as text reads as RGB",
         [](VQPlist &d) {
             d.set(VQColorSpaceKey, VQPlist::string(QStringLiteral("1")));
             d.set(VQColorComponent4Key, VQPlist::real(0.5));
         },
         VQColorSpace::RGB, {0, 0, 0, 0}, std::nullopt, 0, std::nullopt},
        {"a colour space as a real number",
         [](VQPlist &d) { d.set(VQColorSpaceKey, VQPlist::real(1.0)); }, VQColorSpace::CMYK, {0, 0, 0, 0},
         std::nullopt, 0, std::nullopt},
        {"integer components",
         [](VQPlist &d) {
             d.set(VQColorComponent1Key, VQPlist::integer(1));
             d.set(VQColorComponent2Key, VQPlist::integer(0));
         },
         VQColorSpace::RGB, {1, 0, 0, 0}, std::nullopt, 0, std::nullopt},
        {"components of the wrong type read as 0",
         [](VQPlist &d) {
             d.set(VQColorComponent1Key, VQPlist::string(QStringLiteral("0.5")));
             d.set(VQColorComponent2Key, VQPlist::boolean(true));
             d.set(VQColorComponent3Key, VQPlist::real(0.9));
         },
         VQColorSpace::RGB, {0, 0, 0.9, 0}, std::nullopt, 0, std::nullopt},
        {"a name without a date is stamped now",
         [](VQPlist &d) { d.set(VQColorNameKey, VQPlist::string(QStringLiteral("Sky"))); }, VQColorSpace::RGB,
         {0, 0, 0, 0}, QStringLiteral("Sky"), now, std::nullopt},
        {"the stored date wins over the name's stamp",
         [](VQPlist &d) {
             d.set(VQColorNameKey, VQPlist::string(QStringLiteral("Sky")));
             d.set(VQColorModificationDateKey, VQPlist::integer(1000));
         },
         VQColorSpace::RGB, {0, 0, 0, 0}, QStringLiteral("Sky"), 1000, std::nullopt},
        {"a stored date of 0 also wins",
         [](VQPlist &d) {
             d.set(VQColorNameKey, VQPlist::string(QStringLiteral("Sky")));
             d.set(VQColorModificationDateKey, VQPlist::integer(0));
         },
         VQColorSpace::RGB, {0, 0, 0, 0}, QStringLiteral("Sky"), 0, std::nullopt},
        {"a date without a name",
         [](VQPlist &d) { d.set(VQColorModificationDateKey, VQPlist::integer(77)); }, VQColorSpace::RGB,
         {0, 0, 0, 0}, std::nullopt, 77, std::nullopt},
        {"a date as text is no date",
         [](VQPlist &d) {
             d.set(VQColorNameKey, VQPlist::string(QStringLiteral("Sky")));
             d.set(VQColorModificationDateKey, VQPlist::string(QStringLiteral("1000")));
         },
         VQColorSpace::RGB, {0, 0, 0, 0}, QStringLiteral("Sky"), now, std::nullopt},
        {"a name that is no string is no name",
         [](VQPlist &d) { d.set(VQColorNameKey, VQPlist::integer(5)); }, VQColorSpace::RGB, {0, 0, 0, 0},
         std::nullopt, 0, std::nullopt},
        {"a stored identifier",
         [](VQPlist &d) { d.set(VQColorIDKey, VQPlist::integer(42)); }, VQColorSpace::RGB, {0, 0, 0, 0},
         std::nullopt, 0, 42},
        {"an identifier as a real number",
         [](VQPlist &d) { d.set(VQColorIDKey, VQPlist::real(1500000000.0)); }, VQColorSpace::RGB, {0, 0, 0, 0},
         std::nullopt, 0, 1500000000},
        {"an identifier as text is replaced by a fresh one",
         [](VQPlist &d) { d.set(VQColorIDKey, VQPlist::string(QStringLiteral("42"))); }, VQColorSpace::RGB,
         {0, 0, 0, 0}, std::nullopt, 0, std::nullopt},
    };

    std::set<std::uint64_t> freshIDs;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        VQPlist dictionary = VQPlist::dictionary();
        row.fill(dictionary);
        const VQColorRef color = VQColor::fromDictionary(dictionary.node());
        ASSERT_TRUE(color);
        EXPECT_EQ(color->colorSpace(), row.space);
        EXPECT_EQ(color->components(), row.components);
        EXPECT_EQ(color->storedName(), row.storedName);
        EXPECT_EQ(color->modificationDate(), row.date);
        if (row.id) {
            EXPECT_EQ(color->colorID(), *row.id);
        } else {
            EXPECT_GE(color->colorID(), now);
            EXPECT_TRUE(freshIDs.insert(color->colorID()).second) << "fresh identifiers are unique";
        }
    }

    // Not a dictionary at all: nothing is there, so a black RGB colour.
    const VQPlist text = VQPlist::string(QStringLiteral("not a colour"));
    const VQColorRef fromText = VQColor::fromDictionary(text.node());
    ASSERT_TRUE(fromText);
    EXPECT_EQ(fromText->components(), (std::array<double, 4>{0, 0, 0, 0}));
    ASSERT_TRUE(VQColor::fromDictionary(VQPlistNode()));
}

TEST_F(VQColorTest, ReadingStoredIdentifiersDoesNotUseUpFreshOnes)
{
    // A large library restores every identifier it reads. If each read also
    // drew a fresh one, new colours made in the same second would be numbered
    // thousands of seconds ahead of the clock.
    const auto now = std::uint64_t(time());
    for (int i = 0; i < 5000; ++i) {
        VQPlist dictionary = VQPlist::dictionary();
        dictionary.set(VQColorIDKey, VQPlist::integer(std::uint64_t(i) + 1));
        ASSERT_EQ(VQColor::fromDictionary(dictionary.node())->colorID(), std::uint64_t(i) + 1);
    }
    EXPECT_EQ(VQColor::makeRGB(0, 0, 0)->colorID(), now);
}

// --- Qt colours --------------------------------------------------------------------------

TEST_F(VQColorTest, FromQColor)
{
    struct Row {
        const char *name;
        QColor qcolor;
        VQColorSpace space;
        std::array<double, 4> components;
    };
    const std::vector<Row> rows = {
        {"8-bit RGB", QColor(255, 128, 0), VQColorSpace::RGB, {1, 128.0 / 255, 0, 0}},
        {"alpha is ignored", QColor(0, 51, 255, 20), VQColorSpace::RGB, {0, 0.2, 1, 0}},
        {"HSV becomes RGB", QColor::fromHsvF(0.5f / 6, 1, 1), VQColorSpace::RGB, {1, 0.5, 0, 0}},
        {"HSL becomes RGB", QColor::fromHslF(2.0f / 3, 1, 0.5f), VQColorSpace::RGB, {0, 0, 1, 0}},
        {"CMYK stays CMYK", QColor::fromCmykF(0.6f, 0, 0.25f, 0.6f, 0.5f), VQColorSpace::CMYK,
         {0.6, 0, 0.25, 0.6}},
        {"extended RGB keeps its range", QColor::fromRgbF(1.5f, 0.5f, -0.25f), VQColorSpace::RGB,
         {1.5, 0.5, -0.25, 0}},
        {"grey", QColor(128, 128, 128), VQColorSpace::RGB, {128.0 / 255, 128.0 / 255, 128.0 / 255, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQColorRef color = VQColor::fromQColor(row.qcolor);
        ASSERT_TRUE(color);
        EXPECT_EQ(color->colorSpace(), row.space);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(color->components()[i], row.components[i], kQColorTolerance) << "slot " << i;
        EXPECT_EQ(color->modificationDate(), 0u);
        EXPECT_FALSE(color->hasStoredName());
    }
    EXPECT_EQ(VQColor::fromQColor(QColor()), nullptr);
}

TEST_F(VQColorTest, ScreenColor)
{
    const QColor rgb = VQColor::makeRGB(1, 0.5, 0.25)->screenColor();
    EXPECT_EQ(rgb.spec(), QColor::Rgb);
    EXPECT_NEAR(rgb.redF(), 1, kQColorTolerance);
    EXPECT_NEAR(rgb.greenF(), 0.5, kQColorTolerance);
    EXPECT_NEAR(rgb.blueF(), 0.25, kQColorTolerance);
    EXPECT_EQ(rgb.alphaF(), 1.0f);

    const QColor cmyk = VQColor::makeCMYK(0.6, 0.1, 0.2, 0.3)->screenColor();
    EXPECT_EQ(cmyk.spec(), QColor::Cmyk);
    EXPECT_NEAR(cmyk.cyanF(), 0.6, kQColorTolerance);
    EXPECT_NEAR(cmyk.magentaF(), 0.1, kQColorTolerance);
    EXPECT_NEAR(cmyk.yellowF(), 0.2, kQColorTolerance);
    EXPECT_NEAR(cmyk.blackF(), 0.3, kQColorTolerance);
    EXPECT_EQ(cmyk.alphaF(), 1.0f);

    // Out of range and NaN: drawn clamped, stored as they are.
    const VQColorRef wild = VQColor::makeRGB(1.5, -0.2, std::nan(""));
    const QColor drawn = wild->screenColor();
    EXPECT_TRUE(drawn.isValid());
    EXPECT_EQ(drawn.spec(), QColor::Rgb);
    EXPECT_EQ(drawn.redF(), 1.0f);
    EXPECT_EQ(drawn.greenF(), 0.0f);
    EXPECT_EQ(drawn.blueF(), 0.0f);
    EXPECT_EQ(wild->component1(), 1.5);
    EXPECT_EQ(wild->component2(), -0.2);

    const QColor wildInk = VQColor::makeCMYK(2, -1, 0.5, 1.25)->screenColor();
    EXPECT_TRUE(wildInk.isValid());
    EXPECT_EQ(wildInk.cyanF(), 1.0f);
    EXPECT_EQ(wildInk.magentaF(), 0.0f);
    EXPECT_EQ(wildInk.blackF(), 1.0f);
}

TEST_F(VQColorTest, CalibratedColorForDrawingIsForRGBOnly)
{
    const QColor drawn = VQColor::makeRGB(0.2, 0.4, 0.6)->calibratedColorForDrawing();
    EXPECT_NEAR(drawn.redF(), 0.2, kQColorTolerance);
    EXPECT_NEAR(drawn.greenF(), 0.4, kQColorTolerance);
    EXPECT_NEAR(drawn.blueF(), 0.6, kQColorTolerance);
    EXPECT_EQ(drawn.alphaF(), 1.0f);

    const VQColorRef cmyk = VQColor::makeCMYK(0, 0, 0, 1);
    try {
        (void)cmyk->calibratedColorForDrawing();
        ADD_FAILURE() << "a CMYK colour must not be drawn as calibrated RGB";
    } catch (const VQAbstractMethodException &error) {
        EXPECT_EQ(error.method(), "calibratedColorForDrawing");
    }
    // After converting, it can.
    EXPECT_NO_THROW((void)cmyk->colorUsingColorSpace(VQColorSpace::RGB)->calibratedColorForDrawing());
}

// --- the swatch image ----------------------------------------------------------------------

namespace {

// Pixel at a point of a swatch (its top left device pixel).
QRgb pixelAt(const QImage &image, int x, int y)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixel(int(x * ratio), int(y * ratio));
}

bool sameRGB(QRgb a, QRgb b, int tolerance = 0)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance && std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

} // namespace

TEST_F(VQColorTest, SwatchImage)
{
    struct Row {
        const char *name;
        VQColorRef color;
        qreal ratio;
    };
    const std::vector<Row> rows = {
        {"orange at 1×", VQColor::makeRGB(1, 0.5, 0), 1.0},
        {"orange at 2×", VQColor::makeRGB(1, 0.5, 0), 2.0},
        {"CMYK teal at 1×", VQColor::makeCMYK(0.6, 0, 0, 0.6), 1.0},
        {"CMYK teal at 2×", VQColor::makeCMYK(0.6, 0, 0, 0.6), 2.0},
        {"white at 1.5×", VQColor::makeRGB(1, 1, 1), 1.5},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QImage image = row.color->swatch(row.ratio);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(image.devicePixelRatio(), row.ratio);
        EXPECT_EQ(image.size(), QSize(qRound(24 * row.ratio), qRound(24 * row.ratio)));
        EXPECT_EQ(image.deviceIndependentSize(), QSizeF(24, 24));

        // The rounded corner leaves the very corner (nearly) clear.
        EXPECT_LT(qAlpha(image.pixel(0, 0)), 64);
        // The centre is the colour itself, opaque.
        const QRgb colour = row.color->screenColor().rgb();
        EXPECT_TRUE(sameRGB(pixelAt(image, 12, 12), colour, 1)) << std::hex << pixelAt(image, 12, 12);
        // The outline: the colour under half-transparent black, on the inner edge.
        const int edge = image.width() / 2;
        const QRgb outline = image.pixel(0, edge);
        EXPECT_EQ(qAlpha(outline), 255);
        EXPECT_NEAR(qRed(outline), qRed(colour) / 2, 2);
        EXPECT_NEAR(qGreen(outline), qGreen(colour) / 2, 2);
        EXPECT_NEAR(qBlue(outline), qBlue(colour) / 2, 2);
        // Just inside the outline the colour is untouched.
        EXPECT_TRUE(sameRGB(pixelAt(image, 2, 12), colour, 1));
    }

    // At 2× the outermost corner pixel lies wholly outside the rounded shape.
    EXPECT_EQ(VQColor::makeRGB(1, 0, 0)->swatch(2.0).pixel(0, 0), 0u);
}

TEST_F(VQColorTest, SwatchBadgeSitsAtItsPlace)
{
    const QRgb white = qRgb(255, 255, 255);
    for (qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage rgb = VQColor::makeRGB(1, 1, 1)->swatch(ratio);
        const QImage cmyk = VQColor::makeCMYK(0, 0, 0, 0)->swatch(ratio);

        // Count device pixels that are not plain white, inside and outside the
        // badge's 14 × 6 points at (5, 16). The outline ring and its rounded
        // corners (3 points) are left out.
        const int inset = int(std::ceil(3 * ratio));
        const QRect badgeRect(int(5 * ratio), int(16 * ratio), int(14 * ratio), int(6 * ratio));
        int markedInside = 0, markedOutside = 0, differ = 0;
        for (int y = inset; y < rgb.height() - inset; ++y) {
            for (int x = inset; x < rgb.width() - inset; ++x) {
                const bool marked = !sameRGB(rgb.pixel(x, y), white, 2);
                if (badgeRect.contains(x, y))
                    markedInside += marked;
                else
                    markedOutside += marked;
                if (!badgeRect.contains(x, y))
                    EXPECT_EQ(rgb.pixel(x, y), cmyk.pixel(x, y)) << x << "," << y;
                else
                    differ += rgb.pixel(x, y) != cmyk.pixel(x, y);
            }
        }
        EXPECT_GT(markedInside, badgeRect.width() * badgeRect.height() / 3) << "the badge is drawn";
        EXPECT_EQ(markedOutside, 0) << "and nowhere else";
        EXPECT_GT(differ, 0) << "\"rgb\" and \"cmyk\" badges differ";
    }

    // The badges are part of the library's resources.
    for (const char *name : {":/images/rgb", ":/images/cmyk"}) {
        SCOPED_TRACE(name);
        const QImage badge{QString::fromLatin1(name)};
        ASSERT_FALSE(badge.isNull());
        EXPECT_EQ(badge.size(), QSize(28, 12));
    }
}
