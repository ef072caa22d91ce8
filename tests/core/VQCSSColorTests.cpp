// CSS colour values read and written: conversions, gamut mapping, refusals
// and the exact round trip of every 8-bit colour through every notation.

#include "core/VQCSSColor.h"
#include "core/VQColorText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{

struct ReadRow {
    const char *text;
    VQColorSpaces::Triple rgb;
    bool gamutMapped;
};

// Expected sRGB values computed once with colorjs.io 0.7.1 (node, `new Color(text)`,
// then `.to("srgb").toGamut({space: "srgb", method: "css"})`). colorjs.io does not
// clamp rgb() components outside 0–255 but maps them; CSS clamps them, so
// "rgb(-1,0,0)" is not counted as mapped here.
const ReadRow kReadRows[] = {
#include "VQCSSColorRows.inc"
};

} // namespace

TEST(CSSColor, ReadsEveryNotationAsAnIndependentImplementationDoes)
{
    for (const ReadRow &row : kReadRows) {
        SCOPED_TRACE(row.text);
        const VQCSSColor::Reading reading = VQReadColorText(QString::fromUtf8(row.text));
        ASSERT_TRUE(reading.ok) << reading.error;
        // Gamut mapping bisects the chroma to within 0.0001; the two implementations may stop
        // at neighbouring steps.
        const double tolerance = row.gamutMapped ? 2e-3 : 1e-9;
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(reading.rgb[i], row.rgb[i], tolerance) << "channel " << i;
        EXPECT_EQ(reading.gamutMapped, row.gamutMapped);
    }
}

TEST(CSSColor, AlmostColoursAreRefusedWithWhatWasExpected)
{
    struct RefusalRow {
        std::string text;
        const char *message; // a part of the message
    };
    const RefusalRow rows[] = {
        {"oklch(0.5 0.1)", "oklch() needs lightness, chroma and hue, separated by spaces"},
        {"lab(50 40)", "lab() needs lightness, a and b"},
        {"rgb(1 2, 3)", "either all by commas or all by spaces"},
        {"rgb(10%, 20, 30)", "three numbers or three percentages"},
        {"color(unknown 1 2 3)", "unknown color space \"unknown\"; expected srgb, srgb-linear, display-p3"},
        {"color(srgb 1 2)", "color() needs a color space and three values"},
        {"color()", "color() needs a color space first"},
        {"#12345", "3, 4, 6 or 8 digits after \"#\"; found 5"},
        {"#ggg", "only the digits 0–9 and A–F"},
        {std::string(10000, '1'), "10000 characters long"},
        {std::string("rgb(1 2 3\0)", 11), "NUL"},
        {std::string("oce\0an", 6), "expected a hex color"}, // no colour name either
        {"oklch(\xD9\xA0.5 0.1 200)", "ASCII digits"},
        {"hsl(120 100% 50% /)", "\"/\" must be followed by an alpha value"},
        {"hsl(120, 100, 50)", "the second value must be a percentage"},
        {"rgb(1%, 2%, 3% / 0.5)", "alpha follows a comma"},
        {"hwb(10, 20%, 30%)", "hwb() separates its values by spaces"},
        {"oklch(0.5 0.1 10%)", "the hue must be a number or an angle"},
        {"hsl(10px 20% 30%)", "the hue must be a number or an angle"},
        {"rgb(1 2 3 4)", "found 4 values"},
        {"rgb(1 2 3) x", "nothing may follow the closing parenthesis"},
        {"rgb(1 2 3 / 1 2)", "only one alpha value"},
        {"rgb(none, 2, 3)", "\"none\" is allowed only in the space-separated form"},
        {"oklab(0.5 0.1 0.1 / red)", "alpha must be a number or a percentage"},
        {"foo(1 2 3)", "expected a hex color such as #RRGGBB, a color name"},
        {"notacolourname", "expected a hex color such as #RRGGBB, a color name"},
    };
    for (const RefusalRow &row : rows) {
        SCOPED_TRACE(row.text.substr(0, 40));
        const VQCSSColor::Reading reading = VQReadColorText(std::string_view(row.text));
        EXPECT_FALSE(reading.ok) << reading.rgb[0] << " " << reading.rgb[1] << " " << reading.rgb[2];
        EXPECT_NE(reading.error.find(row.message), std::string::npos) << reading.error;
    }
}

TEST(CSSColor, TheKeywordsAreTheCSSNamedColours)
{
    // 148 names; cyan and aqua, magenta and fuchsia, and the grey/gray pairs share a value.
    ASSERT_EQ(VQCSSColor::keywords().size(), 148u);
    const std::pair<const char *, std::uint32_t> rows[] = {
        {"aliceblue", 0xF0F8FF},   {"cornflowerblue", 0x6495ED},       {"REBECCAPURPLE", 0x663399},
        {"yellowgreen", 0x9ACD32}, {"lightgoldenrodyellow", 0xFAFAD2}, {"DarkSlateGrey", 0x2F4F4F},
    };
    for (const auto &[name, rgb] : rows) {
        const VQCSSColor::Keyword *keyword = VQCSSColor::findKeyword(name);
        ASSERT_NE(keyword, nullptr) << name;
        EXPECT_EQ(keyword->rgb, rgb) << name;
    }
    EXPECT_EQ(VQCSSColor::findKeyword("transparent"), nullptr);
    EXPECT_EQ(VQCSSColor::findKeyword("cornflower"), nullptr);
}

TEST(CSSColor, WritesEachNotationAsAnIndependentImplementationRoundsIt)
{
    // colorjs.io 0.7.1: `new Color(hex).to(space).coords`, each rounded to the decimals this
    // program writes, trailing zeros dropped; a hue is 0 where the chroma is written as 0.
    struct WriteRow {
        VQColorSpaces::Triple rgb;
        std::array<const char *, VQCSSColor::kNotationCount> texts;
    };
    const WriteRow rows[] = {
        {{1, 0.5, 0},
         {"oklch(0.7311 0.18611 52.78)", "oklab(0.7311 0.11259 0.1482)", "lab(67.72 45.72 74.79)",
          "lch(67.72 87.66 58.56)", "hwb(30 0% 0%)", "color(display-p3 0.936 0.5272 0.1983)"}},
        {{1, 1, 1},
         {"oklch(1 0 0)", "oklab(1 0 0)", "lab(100 0 0)", "lch(100 0 0)", "hwb(0 100% 0%)", "color(display-p3 1 1 1)"}},
        {{0, 0, 0},
         {"oklch(0 0 0)", "oklab(0 0 0)", "lab(0 0 0)", "lch(0 0 0)", "hwb(0 0% 100%)", "color(display-p3 0 0 0)"}},
        {{0x33 / 255.0, 0x66 / 255.0, 0x99 / 255.0},
         {"oklch(0.4993 0.09866 250.43)", "oklab(0.4993 -0.03304 -0.09297)", "lab(41.52 -4.57 -33.49)",
          "lch(41.52 33.8 262.23)", "hwb(210 20% 40%)", "color(display-p3 0.2499 0.3952 0.584)"}},
        {{0, 0, 1},
         {"oklch(0.452 0.31321 264.05)", "oklab(0.452 -0.03246 -0.31153)", "lab(29.57 68.29 -112.03)",
          "lch(29.57 131.2 301.36)", "hwb(240 0% 0%)", "color(display-p3 0 0 0.9596)"}},
        {{128 / 255.0, 128 / 255.0, 128 / 255.0},
         {"oklch(0.5999 0 0)", "oklab(0.5999 0 0)", "lab(53.59 0 0)", "lch(53.59 0 0)", "hwb(0 50.2% 49.8%)",
          "color(display-p3 0.502 0.502 0.502)"}},
        {{0xC0 / 255.0, 1, 0xEE / 255.0},
         {"oklch(0.953 0.06711 176.36)", "oklab(0.953 -0.06698 0.00426)", "lab(95.41 -23.01 1.42)",
          "lch(95.41 23.05 176.47)", "hwb(163.8 75.3% 0%)", "color(display-p3 0.8043 0.9931 0.9357)"}},
    };
    for (const WriteRow &row : rows) {
        for (int n = 0; n < VQCSSColor::kNotationCount; ++n)
            EXPECT_EQ(VQCSSColor::write(VQCSSColor::Notation(n), row.rgb), row.texts[n]);
    }
}

// Every 8-bit sRGB colour, written in one notation and read back by the colour-text
// reader, is the same 8-bit colour. Two threads share the 16,777,216 colours.
class CSSColorRoundTrip : public testing::TestWithParam<VQCSSColor::Notation>
{
};

TEST_P(CSSColorRoundTrip, EveryEightBitColourReadsBackExactly)
{
    const VQCSSColor::Notation notation = GetParam();
    std::atomic<long> failures{0};
    std::mutex firstMutex;
    std::string first;
    const auto walk = [&](int start, int step) {
        char text[VQCSSColor::kMaxWrittenLength];
        for (int c = start; c < (1 << 24); c += step) {
            const int bytes[3] = {c >> 16, (c >> 8) & 0xFF, c & 0xFF};
            const std::size_t length =
                VQCSSColor::write(notation, {bytes[0] / 255.0, bytes[1] / 255.0, bytes[2] / 255.0}, text);
            const VQCSSColor::Reading reading = VQReadColorText(std::string_view(text, length));
            const bool same = reading.ok && std::lround(reading.rgb[0] * 255) == bytes[0] &&
                              std::lround(reading.rgb[1] * 255) == bytes[1] &&
                              std::lround(reading.rgb[2] * 255) == bytes[2];
            if (!same && failures++ == 0) {
                const std::lock_guard lock(firstMutex);
                first = std::string(text, length) + " from colour " + std::to_string(c);
            }
        }
    };
    std::thread other(walk, 1, 2);
    walk(0, 2);
    other.join();
    EXPECT_EQ(failures, 0) << "first: " << first;
}

INSTANTIATE_TEST_SUITE_P(Notations, CSSColorRoundTrip,
                         testing::Values(VQCSSColor::Notation::OKLCH, VQCSSColor::Notation::OKLab,
                                         VQCSSColor::Notation::Lab, VQCSSColor::Notation::LCH,
                                         VQCSSColor::Notation::HWB, VQCSSColor::Notation::DisplayP3));
