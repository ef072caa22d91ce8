// The WCAG 2.2 contrast ratio with its grades, and the APCA lightness contrast.

#include "core/VQContrast.h"

#include <gtest/gtest.h>

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
