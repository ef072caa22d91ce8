// The colour value: conversions between the component records, hex text,
// grey tests, equality, the dictionary form, identifiers and the swatch image.

#include "vqcore/VQClock.h"
#include "core/VQColor.h"
#include "VQTestSupport.h"

#include <QColor>
#include <QImage>
#include <QLocale>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace
{

// Hand-worked values agree with the double arithmetic up to this.
constexpr double kTolerance = 1e-12;
// There and back may lose a little more.
constexpr double kRoundTripTolerance = 1e-9;
// Qt keeps channels as 16-bit integers.
constexpr double kQColorTolerance = 2.0 / 65535.0;

using Parts = std::array<double, 4>;
Parts parts(const VQRGBColor &c)
{
    return {c.r, c.g, c.b, 0};
}
Parts parts(const VQHSVColor &c)
{
    return {c.h, c.s, c.v, 0};
}
Parts parts(const VQHSLColor &c)
{
    return {c.h, c.s, c.l, 0};
}
Parts parts(const VQCMYKColor &c)
{
    return {c.c, c.m, c.y, c.k};
}
Parts parts(const Parts &p)
{
    return p;
}

template <class A, class B>::testing::AssertionResult near(const A &actual, const B &expected, double tolerance)
{
    const Parts x = parts(actual), y = parts(expected);
    for (std::size_t i = 0; i < 4; ++i)
        if (!(std::fabs(x[i] - y[i]) <= tolerance))
            return ::testing::AssertionFailure() << "slot " << i << ": " << x[i] << " is not " << y[i];
    return ::testing::AssertionSuccess();
}

// One key and value of a dictionary, as the library's XML file holds it.
std::string entry(const char *key, const char *type, const char *value)
{
    return std::string("<key>") + key + "</key><" + type + ">" + value + "</" + type + ">";
}

} // namespace

// --- conversions between the records -----------------------------------------------

TEST(VQColorConversionTest, KnownColorsInEveryModel)
{
    struct Row {
        const char *name;
        VQRGBColor rgb;
        VQHSVColor hsv;
        VQHSLColor hsl;
        VQCMYKColor cmyk;
    };
    const std::vector<Row> rows = {
        {"black", {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0, 1}},
        {"white", {1, 1, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 0, 0}},
        {"red", {1, 0, 0}, {0, 1, 1}, {0, 1, 0.5}, {0, 1, 1, 0}},
        {"green", {0, 1, 0}, {1.0 / 3, 1, 1}, {1.0 / 3, 1, 0.5}, {1, 0, 1, 0}},
        {"blue", {0, 0, 1}, {2.0 / 3, 1, 1}, {2.0 / 3, 1, 0.5}, {1, 1, 0, 0}},
        {"yellow: red wins the tie", {1, 1, 0}, {1.0 / 6, 1, 1}, {1.0 / 6, 1, 0.5}, {0, 0, 1, 0}},
        {"magenta: negative hue wraps", {1, 0, 1}, {5.0 / 6, 1, 1}, {5.0 / 6, 1, 0.5}, {0, 1, 0, 0}},
        {"orange", {1, 0.5, 0}, {1.0 / 12, 1, 1}, {1.0 / 12, 1, 0.5}, {0, 0.5, 1, 0}},
        // CMYK is not divided by (1 − k), which would read (0.667, 0.333, 0, 0.4).
        {"blue-grey, lightness below half",
         {0.2, 0.4, 0.6},
         {7.0 / 12, 2.0 / 3, 0.6},
         {7.0 / 12, 0.5, 0.4},
         {0.4, 0.2, 0, 0.4}},
        {"pink, lightness above half",
         {0.8, 0.6, 0.7},
         {11.0 / 12, 0.25, 0.8},
         {11.0 / 12, 1.0 / 3, 0.7},
         {0, 0.2, 0.1, 0.2}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(near(row.rgb.toHSV(), row.hsv, kTolerance));
        EXPECT_TRUE(near(row.rgb.toHSL(), row.hsl, kTolerance));
        EXPECT_TRUE(near(row.rgb.toCMYK(), row.cmyk, kTolerance));
        EXPECT_TRUE(near(row.hsv.toRGB(), row.rgb, kTolerance));
        EXPECT_TRUE(near(row.hsl.toRGB(), row.rgb, kTolerance));
        EXPECT_TRUE(near(row.cmyk.toRGB(), row.rgb, kTolerance));
    }
}

// Conversions that do not come back the same way.
TEST(VQColorConversionTest, OneWayEdges)
{
    struct Row {
        const char *name;
        Parts actual, expected;
    };
    const std::vector<Row> rows = {
        {"HSV hue 1.0 is red, like hue 0", parts(VQHSVColor{1.0, 0.5, 0.8}.toRGB()), {0.8, 0.4, 0.4, 0}},
        {"HSV negative hue wraps into sector 5", parts(VQHSVColor{-0.5 / 6, 1, 1}.toRGB()), {1, 0, 0.5, 0}},
        {"cyan plus black past 1 floors red at 0", parts(VQCMYKColor{0.6, 0, 0, 0.6}.toRGB()), {0, 0.4, 0.4, 0}},
        {"HSL: a grey within 0.001 is neutral", parts(VQRGBColor{0.5, 0.5005, 0.5}.toHSL()), {0, 0, 0.50025, 0}},
        {"HSV: the same grey is not",
         parts(VQRGBColor{0.5, 0.5005, 0.5}.toHSV()),
         {1.0 / 3, 0.0005 / 0.5005, 0.5005, 0}},
        {"HSL: a grey off by 0.0011 is not neutral",
         parts(VQRGBColor{0.5, 0.5, 0.5011}.toHSL()),
         {2.0 / 3, 0.0011 / 0.9989, 0.50055, 0}},
    };
    for (const Row &row : rows)
        EXPECT_TRUE(near(row.actual, row.expected, kTolerance)) << row.name;
}

TEST(VQColorConversionTest, RoundTripSweeps)
{
    constexpr int kSteps = 20;
    for (int ri = 0; ri <= kSteps; ++ri)
        for (int gi = 0; gi <= kSteps; ++gi)
            for (int bi = 0; bi <= kSteps; ++bi) {
                const VQRGBColor rgb{double(ri) / kSteps, double(gi) / kSteps, double(bi) / kSteps};
                SCOPED_TRACE(::testing::Message() << rgb.r << ", " << rgb.g << ", " << rgb.b);
                const VQHSVColor hsv = rgb.toHSV();
                ASSERT_TRUE(hsv.h >= 0.0 && hsv.h < 1.0) << hsv.h;
                ASSERT_TRUE(near(hsv.toRGB(), rgb, kRoundTripTolerance));
                const VQHSLColor hsl = rgb.toHSL();
                ASSERT_TRUE(hsl.h >= 0.0 && hsl.h < 1.0) << hsl.h;
                // The grid holds no near greys, so HSL's grey tolerance does not bite.
                ASSERT_TRUE(near(hsl.toRGB(), rgb, kRoundTripTolerance));
            }
}

// --- the colour value ------------------------------------------------------------------

class VQColorTest : public VQLibraryTest
{
};

TEST_F(VQColorTest, HexValue)
{
    struct Row {
        const char *name;
        VQColorRef color;
        const char *hex;
    };
    const std::vector<Row> rows = {
        {"1.0 is FF; 0.5 is 127.5, half away from zero", VQColor::makeRGB(1, 0.5, 0), "#FF8000"},
        {"0.002 is 0.51, rounds to 01", VQColor::makeRGB(0.002, 0.002, 0.002), "#010101"},
        {"0.001 is 0.255, rounds to 00", VQColor::makeRGB(0.001, 0.001, 0.001), "#000000"},
        {"2.5 rounds to 03, not to even", VQColor::makeRGB(2.5 / 255, 0, 0), "#030000"},
        {"upper case letters", VQColor::makeRGB(171.0 / 255, 205.0 / 255, 239.0 / 255), "#ABCDEF"},
        {"CMYK goes through RGB", VQColor::makeCMYK(0.6, 0, 0, 0.6), "#006666"},
        {"NaN prints as 00", VQColor::makeRGB(std::nan(""), 0, 0), "#000000"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.color->hexValue().toStdString(), row.hex) << row.name;
}

TEST_F(VQColorTest, GreyAndWhitish)
{
    struct Row {
        const char *name;
        VQColorRef color;
        bool grayscale, whitish;
    };
    const std::vector<Row> rows = {
        {"green off by 0.004", VQColor::makeRGB(0.5, 0.504, 0.5), true, false},
        {"blue off by 0.006", VQColor::makeRGB(0.5, 0.5, 0.506), false, false},
        {"0.8 grey: red must be above 0.8", VQColor::makeRGB(0.8, 0.8, 0.8), true, false},
        {"0.81 red", VQColor::makeRGB(0.81, 0.8, 0.8), false, true},
        {"blue off by 0.06", VQColor::makeRGB(0.9, 0.9, 0.96), false, false},
        {"CMYK is judged in RGB: a little cyan", VQColor::makeCMYK(0.03, 0, 0, 0), false, true},
        {"CMYK is judged in RGB: inks past 1 are black", VQColor::makeCMYK(0.5, 0.9, 0.5, 0.5), true, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.color->isGrayscale(), row.grayscale);
        EXPECT_EQ(row.color->isWhitish(), row.whitish);
    }
}

TEST_F(VQColorTest, IdentifiersStayUniqueAndNearTheClock)
{
    const auto now = std::uint64_t(time());
    // Restoring stored identifiers must not draw fresh ones: every draw within
    // one second moves the counter a second further ahead of the clock.
    for (std::uint64_t i = 1; i <= 1000; ++i) {
        VQPlist dictionary = VQPlist::dictionary();
        dictionary.set(VQColorIDKey, VQPlist::integer(i));
        ASSERT_EQ(VQColor::fromDictionary(dictionary.node())->colorID(), i);
    }
    std::set<std::uint64_t> ids;
    for (int i = 0; i < 1000; ++i)
        ids.insert((i % 2 ? VQColor::makeRGB(0.1, 0.2, 0.3) : VQColor::makeCMYK(0, 0, 0, 1))->colorID());
    EXPECT_EQ(ids.size(), 1000u);
    EXPECT_EQ(*ids.begin(), now);
}

TEST_F(VQColorTest, ColorUsingColorSpace)
{
    struct Row {
        VQColorRef color;
        VQColorSpace other;
        Parts converted;
    };
    const std::vector<Row> rows = {
        {VQColor::makeRGB(1, 0.5, 0), VQColorSpace::CMYK, {0, 0.5, 1, 0}},
        {VQColor::makeCMYK(0.6, 0, 0, 0.6), VQColorSpace::RGB, {0, 0.4, 0.4, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(VQColorSpaceName(row.color->colorSpace()).toStdString());
        row.color->setName(QStringLiteral("Named"));
        EXPECT_EQ(row.color->colorUsingColorSpace(row.color->colorSpace()).get(), row.color.get());
        setTime(time() + 10);
        const VQColorRef converted = row.color->colorUsingColorSpace(row.other);
        EXPECT_EQ(converted->colorSpace(), row.other);
        EXPECT_TRUE(near(converted->components(), row.converted, kTolerance));
        EXPECT_EQ(converted->colorID(), std::uint64_t(time())) << "a fresh identifier";
        EXPECT_EQ(converted->modificationDate(), 0u);
        EXPECT_FALSE(converted->hasStoredName());
    }
}

TEST_F(VQColorTest, Equality)
{
    const auto make = [](Parts p, std::optional<QString> name, std::uint64_t id = 7,
                         VQColorSpace space = VQColorSpace::CMYK) {
        const VQColorRef color = space == VQColorSpace::CMYK ? VQColor::makeCMYK(p[0], p[1], p[2], p[3])
                                                             : VQColor::makeRGB(p[0], p[1], p[2]);
        if (name)
            color->setName(*name);
        color->setColorID(id);
        return color;
    };
    // Away from any hex rounding boundary, so one step in a component keeps the hex text.
    const Parts c{0.11, 0.23, 0.37, 0.41}, nudged{0.11, 0.23, 0.37, std::nextafter(0.41, 1.0)};
    const QString slate = QStringLiteral("Slate");
    const VQColorRef base = make(c, slate), unnamed = make(c, std::nullopt), later = make(c, slate);
    later->setModificationDate(base->modificationDate() + 1000);
    ASSERT_EQ(make(nudged, std::nullopt)->hexValue(), unnamed->hexValue());

    struct Row {
        const char *name;
        VQColorRef a, b;
        bool equal;
    };
    const std::vector<Row> rows = {
        {"the same object", base, base, true},
        {"only the date differs", base, later, true},
        {"the same numbers in the other space", make({0.1, 0.2, 0.3, 0}, slate, 7, VQColorSpace::RGB),
         make({0.1, 0.2, 0.3, 0}, slate), false},
        {"a component one step apart", base, make(nudged, slate), false},
        {"names differ in case", base, make(c, QStringLiteral("slate")), false},
        {"unnamed against its own hex as name", unnamed, make(c, unnamed->hexValue()), true},
        {"identifiers differ", base, make(c, slate, 8), false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.a->isEqualToColor(*row.b), row.equal);
        EXPECT_EQ(row.b->isEqualToColor(*row.a), row.equal) << "symmetric";
    }
}

// --- the dictionary form ---------------------------------------------------------------

TEST_F(VQColorTest, DictionaryRoundTrip)
{
    const std::vector<VQColorRef> colors = {VQColor::makeRGB(0.123456789012345, 0.5, 1.0 / 3),
                                            VQColor::makeCMYK(0.6, 0, 0, 0.6), VQColor::makeRGB(1.5, -0.25, 0)};
    colors[0]->setName(QStringLiteral("Named — ünïcödé"));
    colors[0]->setModificationDate(1234567890);
    colors[1]->setColorID(std::numeric_limits<std::uint64_t>::max());
    for (const VQColorRef &original : colors) {
        SCOPED_TRACE(original->name().toStdString());
        // Through the XML text, as the library file stores it.
        const std::optional<VQPlist> parsed = VQPlist::fromData(original->dictionaryRepresentation().toXML());
        ASSERT_TRUE(parsed.has_value());
        setTime(time() + 1); // reading must not stamp a date over the stored one
        const VQColorRef read = VQColor::fromDictionary(parsed->node());
        EXPECT_TRUE(read->isEqualToColor(*original));
        EXPECT_EQ(read->components(), original->components()) << "exactly";
        EXPECT_EQ(read->modificationDate(), original->modificationDate());
        // An unnamed colour comes back carrying its hex text as a stored name.
        EXPECT_EQ(read->storedName(), std::optional<QString>(original->name()));
    }
}

TEST_F(VQColorTest, DictionaryReadingIsLenient)
{
    const auto now = std::uint64_t(time());
    const std::string sky = entry(VQColorNameKey, "string", "Sky");
    // "space c1 c2 c3 c4, stored name, date, identifier" ("fresh": drawn now, "-": no name).
    const auto describe = [&](const VQColorRef &c) {
        QStringList parts = {VQColorSpaceName(c->colorSpace())};
        for (double v : c->components())
            parts << QString::number(v, 'g', QLocale::FloatingPointShortest); // exactly
        return QStringLiteral("%1, %2, %3, %4")
            .arg(parts.join(QLatin1Char(' ')))
            .arg(c->storedName().value_or(QStringLiteral("-")))
            .arg(c->modificationDate() == now ? QStringLiteral("now") : QString::number(c->modificationDate()))
            .arg(c->colorID() >= now ? QStringLiteral("fresh") : QString::number(c->colorID()))
            .toStdString();
    };
    const std::string rgb = VQColorSpaceName(VQColorSpace::RGB).toStdString();
    const std::vector<std::tuple<const char *, std::string, std::string>> rows = {
        {"colour space 7 reads as RGB, without a fourth component",
         entry(VQColorSpaceKey, "integer", "7") + entry(VQColorComponent1Key, "real", "0.25") +
             entry(VQColorComponent4Key, "real", "1"),
         rgb + " 0.25 0 0 0, -, 0, fresh"},
        {"wrong types read as missing",
         entry(VQColorSpaceKey, "string", "1") + entry(VQColorComponent1Key, "string", "0.5") +
             entry(VQColorComponent3Key, "real", "0.9") + entry(VQColorNameKey, "integer", "5") +
             entry(VQColorIDKey, "string", "42"),
         rgb + " 0 0 0.9 0, -, 0, fresh"},
        {"only a name: missing keys read as 0, the date is the reading time", sky, rgb + " 0 0 0 0, Sky, now, fresh"},
        {"the stored date wins over the name's stamp; the stored identifier is kept",
         sky + entry(VQColorModificationDateKey, "integer", "1000") + entry(VQColorIDKey, "integer", "42"),
         rgb + " 0 0 0 0, Sky, 1000, 42"},
    };
    for (const auto &[name, entries, expected] : rows) {
        SCOPED_TRACE(name);
        const auto dictionary =
            VQPlist::fromData(QByteArray::fromStdString("<plist version=\"1.0\"><dict>" + entries + "</dict></plist>"));
        ASSERT_TRUE(dictionary.has_value());
        EXPECT_EQ(describe(VQColor::fromDictionary(dictionary->node())), expected);
    }
}

// --- Qt colours and the swatch ------------------------------------------------------------

TEST_F(VQColorTest, FromQColor)
{
    struct Row {
        const char *name;
        QColor qcolor;
        VQColorSpace space;
        Parts components;
    };
    const std::vector<Row> rows = {
        {"8-bit RGB, alpha ignored", QColor(255, 128, 0, 20), VQColorSpace::RGB, {1, 128.0 / 255, 0, 0}},
        {"CMYK stays CMYK", QColor::fromCmykF(0.6f, 0, 0.25f, 0.6f), VQColorSpace::CMYK, {0.6, 0, 0.25, 0.6}},
        {"extended RGB keeps its range", QColor::fromRgbF(1.5f, 0.5f, -0.25f), VQColorSpace::RGB, {1.5, 0.5, -0.25, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQColorRef color = VQColor::fromQColor(row.qcolor);
        ASSERT_TRUE(color);
        EXPECT_EQ(color->colorSpace(), row.space);
        EXPECT_TRUE(near(color->components(), row.components, kQColorTolerance));
    }
    EXPECT_EQ(VQColor::fromQColor(QColor()), nullptr);
}

TEST_F(VQColorTest, Swatch)
{
    struct Row {
        const char *name;
        VQColorRef color;
        qreal ratio;
        QRgb centre;
    };
    const std::vector<Row> rows = {
        {"orange at 1×", VQColor::makeRGB(1, 0.5, 0), 1.0, qRgb(255, 128, 0)},
        {"CMYK teal at 2×", VQColor::makeCMYK(0.6, 0, 0, 0.6), 2.0, QColor::fromCmykF(0.6f, 0, 0, 0.6f).rgb()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QImage image = row.color->swatch(row.ratio);
        ASSERT_EQ(image.size(), QSize(qRound(24 * row.ratio), qRound(24 * row.ratio)));
        EXPECT_LT(qAlpha(image.pixel(0, 0)), 64) << "the rounded corner is clear";
        const QRgb centre = image.pixel(image.width() / 2, image.height() / 2);
        for (int shift : {0, 8, 16, 24})
            EXPECT_NEAR(int((centre >> shift) & 0xff), int((row.centre >> shift) & 0xff), 1) << std::hex << centre;
    }

    // The badge covers 14 × 6 points whose lower left corner is 16 points up
    // from the bottom (rows 2–7 from the top) of a white swatch, nothing below
    // it, and the "rgb" badge differs from the "cmyk" one.
    const QImage rgb = VQColor::makeRGB(1, 1, 1)->swatch(), cmyk = VQColor::makeCMYK(0, 0, 0, 0)->swatch();
    int marked = 0, differ = 0;
    for (int y = 2; y < 22; ++y)
        for (int x = 5; x < 19; ++x) {
            const bool changed = rgb.pixel(x, y) != qRgb(255, 255, 255);
            EXPECT_TRUE(y < 8 || !changed) << "marked below the badge at " << x << "," << y;
            marked += changed;
            differ += rgb.pixel(x, y) != cmyk.pixel(x, y);
        }
    EXPECT_GT(marked, 14 * 6 / 3) << "the badge is drawn";
    EXPECT_GT(differ, 0) << "the two badges differ";
}
