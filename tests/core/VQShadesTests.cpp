// Shades and tints: nine distinct steps ordered by OKLCH lightness, the hue
// kept where the step lies in sRGB, greys for greys, and nothing outside sRGB.

#include "core/VQShades.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace
{
using VQColorSpaces::Triple;

double hueDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

TEST(Shades, NineDistinctStepsByLightnessKeepingTheHue)
{
    const struct {
        const char *name;
        Triple rgb;
        bool grey; // every step a grey
    } rows[] = {
        {"blue in the middle", {0x3A / 255.0, 0x7B / 255.0, 0xD5 / 255.0}, false},
        {"pure red: most steps mapped", {1, 0, 0}, false},
        {"pure blue: light steps far outside", {0, 0, 1}, false},
        {"a dark olive", {0x33 / 255.0, 0x33 / 255.0, 0x10 / 255.0}, false},
        {"a pale pink", {1, 0xEE / 255.0, 0xF0 / 255.0}, false},
        {"black", {0, 0, 0}, true},
        {"white", {1, 1, 1}, true},
        {"mid grey", {0.5, 0.5, 0.5}, true},
        // Outside sRGB (a wide-gamut colour read unclamped): the steps are brought in.
        {"beyond sRGB", {1.2, -0.15, 0.4}, false},
    };
    const std::array<double, VQShades::kCount> levels = VQShades::lightnesses();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const Triple lch = VQColorSpaces::rectangularToPolar(VQColorSpaces::sRGBToOKLab(row.rgb));
        const std::array<Triple, VQShades::kCount> steps = VQShades::of(row.rgb);
        std::set<Triple> distinct(steps.begin(), steps.end());
        EXPECT_EQ(distinct.size(), size_t(VQShades::kCount));
        double previous = -1;
        for (int index = 0; index < VQShades::kCount; ++index) {
            SCOPED_TRACE(index);
            const Triple &step = steps[size_t(index)];
            for (const double channel : step) {
                EXPECT_GE(channel, 0.0);
                EXPECT_LE(channel, 1.0);
                EXPECT_DOUBLE_EQ(channel * 255, std::round(channel * 255)); // 8 bits a channel
            }
            const Triple stepLch = VQColorSpaces::rectangularToPolar(VQColorSpaces::sRGBToOKLab(step));
            EXPECT_GT(stepLch[0], previous);
            previous = stepLch[0];
            // The lightness asked for, give or take the clipping within a just noticeable
            // difference and the rounding to 8 bits (coarse in the darkest steps).
            EXPECT_NEAR(stepLch[0], levels[size_t(index)], 0.025);
            if (row.grey) {
                EXPECT_EQ(step[0], step[1]);
                EXPECT_EQ(step[1], step[2]);
                continue;
            }
            const Triple wanted =
                VQColorSpaces::OKLabToSRGB(VQColorSpaces::polarToRectangular({levels[size_t(index)], lch[1], lch[2]}));
            if (VQColorSpaces::isInSRGBGamut(wanted)) {
                EXPECT_NEAR(stepLch[1], lch[1], 0.01);
                if (stepLch[1] > 0.03) {
                    EXPECT_LT(hueDistance(stepLch[2], lch[2]), 3.0);
                }
            } else {
                // Brought in by reducing the chroma, then clipped within a just noticeable
                // difference: the hue moves the colour by no more than that (and the rounding).
                EXPECT_LT(stepLch[1], lch[1]);
                EXPECT_LT(stepLch[1] * hueDistance(stepLch[2], lch[2]) * M_PI / 180, 0.03);
            }
        }
    }
}

TEST(Shades, CollectionTitleNamesOnlyAnExactColour)
{
    const struct {
        VQRGBColor rgb;
        const char *title;
    } rows[] = {
        {{0, 0, 128 / 255.0}, "Shades of navy"},
        {{1, 1, 1}, "Shades of white"},
        // One step off navy: named after no colour it is not.
        {{0, 0, 129 / 255.0}, "Shades of #000081"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(VQShades::collectionTitle(*VQColor::makeRGB(row.rgb)).toStdString(), row.title);
}

} // namespace
