// CSS colour values read and written: conversions, gamut mapping, refusals
// and the exact round trip of every 8-bit colour through every notation.

#include "core/VQCSSColor.h"
#include "core/VQColorText.h"

#include <gtest/gtest.h>

#include <cmath>
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
        {"foo(1 2 3)", "not a color: expected a hex color"},
        {"notacolourname", "not a color: expected a hex color"},
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
