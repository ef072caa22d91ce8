// The WCAG 2.2 contrast ratio with its grades, and the APCA lightness contrast.

#include "core/VQContrast.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
VQColorSpaces::Triple hex(unsigned rgb)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}
} // namespace

TEST(Contrast, WCAGRatioIsTruncatedForShowAndGradedUnrounded)
{
    struct Row {
        unsigned foreground, background;
        const char *shown;
        bool aaNormal, aaLarge, aaaNormal, aaaLarge;
    };
    // The unrounded ratios agree with colorjs.io 0.7.1's WCAG 2.1 contrast (21, 4.47809, 4.54222, 7.00473, 3.03347).
    const Row rows[] = {
        {0x000000, 0xFFFFFF, "21:1", true, true, true, true},
        {0xFFFFFF, 0x000000, "21:1", true, true, true, true},
        // 4.4780…: shown 4.47, not rounded up to 4.48, and below AA's 4.5.
        {0x777777, 0xFFFFFF, "4.47:1", false, true, false, false},
        {0x767676, 0xFFFFFF, "4.54:1", true, true, false, true},
        {0x595959, 0xFFFFFF, "7:1", true, true, true, true},
        {0x949494, 0xFFFFFF, "3.03:1", false, true, false, false},
        {0x123456, 0x123456, "1:1", false, false, false, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.shown);
        const double ratio = VQContrast::ratio(hex(row.foreground), hex(row.background));
        EXPECT_EQ(VQContrast::ratioText(ratio), row.shown);
        const VQContrast::Grades grades = VQContrast::grades(ratio);
        EXPECT_EQ(grades.aaNormal, row.aaNormal);
        EXPECT_EQ(grades.aaLarge, row.aaLarge);
        EXPECT_EQ(grades.aaaNormal, row.aaaNormal);
        EXPECT_EQ(grades.aaaLarge, row.aaaLarge);
    }
    EXPECT_EQ(VQContrast::ratioText(4.499999), "4.49:1");
    EXPECT_EQ(VQContrast::ratioText(4.5), "4.5:1");
}

TEST(Contrast, APCAMatchesThePublishedReferencePairs)
{
    // Text on background, Lc as the reference implementation (apca-w3 0.1.9, APCA 0.0.98G-4g) gives it.
    const struct {
        unsigned text, background;
        double lc;
    } rows[] = {
        {0x888888, 0xFFFFFF, 63.056469930209424},
        {0xFFFFFF, 0x888888, -68.54146436644962},
        {0x000000, 0xAAAAAA, 58.146262578561334},
        {0xAAAAAA, 0x000000, -56.24113336839742},
        {0x112233, 0xDDEEFF, 91.66830811481631},
        {0xDDEEFF, 0x112233, -93.06770049484275},
        {0x112233, 0x444444, 8.32326136957393},
        {0x444444, 0x112233, -7.526878460278154},
        {0x000000, 0xFFFFFF, 106.04067321268862},
        {0xFFFFFF, 0x000000, -107.88473318309848},
        {0x123456, 0x123457, 0},
    };
    for (const auto &row : rows)
        EXPECT_NEAR(VQContrast::apcaLightnessContrast(hex(row.text), hex(row.background)), row.lc, 1e-9)
            << std::hex << row.text << " on " << row.background;
}

namespace
{
bool passesAA(const VQColorSpaces::Triple &color, const VQColorSpaces::Triple &background)
{
    return VQContrast::grades(VQContrast::ratio(color, background)).aaNormal;
}
VQColorSpaces::Triple oklch(const VQColorSpaces::Triple &rgb)
{
    return VQColorSpaces::rectangularToPolar(VQColorSpaces::sRGBToOKLab(rgb));
}
} // namespace

TEST(Contrast, NearestPassingColorKeepsHueAndMovesLightnessTheShorterWay)
{
    enum Way { Itself, Darker, Lighter };
    const struct {
        unsigned color, background;
        Way way;
    } rows[] = {
        {0x767676, 0xFFFFFF, Itself},
        {0xFFFFFF, 0x000000, Itself},
        {0x777777, 0xFFFFFF, Darker},
        {0x777777, 0x000000, Itself},
        {0x333333, 0x000000, Lighter},
        {0xFF0000, 0xFFFFFF, Darker},
        {0x0000FF, 0x000000, Lighter},
        {0x33AA55, 0xFFFFFF, Darker},
        // On #767676 only near-black and white pass (#777777 leaves only black): the nearer end is taken.
        {0x808080, 0x767676, Lighter},
        {0x606060, 0x767676, Darker},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.color << " on " << row.background);
        const VQColorSpaces::Triple color = hex(row.color), background = hex(row.background);
        const VQColorSpaces::Triple result = VQContrast::nearestPassingColor(color, background);
        EXPECT_TRUE(passesAA(result, background));
        const VQColorSpaces::Triple before = oklch(color), after = oklch(result);
        if (row.way == Itself) {
            EXPECT_EQ(result, color);
            continue;
        }
        EXPECT_EQ(after[0] < before[0], row.way == Darker) << after[0] << " from " << before[0];
        if (before[1] > 0.05) {
            EXPECT_NEAR(after[2], before[2], 3);
        } else {
            // A grey stays grey, and the next grey towards the colour's own fails:
            // no nearer lightness passes.
            EXPECT_EQ(result[0], result[1]);
            EXPECT_EQ(result[1], result[2]);
            const double next = result[0] + (row.way == Darker ? 1 : -1) / 255.0;
            EXPECT_FALSE(passesAA({next, next, next}, background));
        }
        // Always a colour shown exactly as "#RRGGBB".
        for (const double channel : result)
            EXPECT_EQ(channel * 255, std::round(channel * 255));
    }
}

TEST(Contrast, NearestPassingColorExistsOnEveryBackground)
{
    // Black and white are at the ends of every hue's lightness, and their ratios
    // against one background multiply to 21: one of them always passes. A search
    // over greys and saturated backgrounds finds no colour left without an answer.
    const unsigned colors[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x808080, 0xFF00FF};
    for (unsigned level = 0; level <= 255; level += 15)
        for (const unsigned background : {level * 0x010101u, level << 16, level << 8, level})
            for (const unsigned color : colors) {
                SCOPED_TRACE(testing::Message() << std::hex << color << " on " << background);
                EXPECT_TRUE(passesAA(VQContrast::nearestPassingColor(hex(color), hex(background)), hex(background)));
            }
}
