// The ink of frames, rings, hints, icons and marks: legible on what lies under
// them in a light, a dark and a high-contrast palette.

#include "core/VQContrast.h"
#include "core/VQInk.h"

#include <gtest/gtest.h>

namespace
{

VQColorSpaces::Triple triple(const QColor &color)
{
    return {color.redF(), color.greenF(), color.blueF()};
}

double ratio(const QColor &a, const QColor &b)
{
    return VQContrast::ratio(triple(a), triple(b));
}

// The roles the drawing code reads, as a desktop's colour scheme sets them.
struct Scheme {
    const char *name;
    QRgb windowText, window, canvas, mid, buttonText, highlight, placeholder;
    bool highContrast;

    QPalette palette() const
    {
        QPalette palette(QColor::fromRgba(windowText), QColor::fromRgba(window), QColor(Qt::white),
                         QColor(Qt::darkGray), QColor::fromRgba(mid), QColor::fromRgba(windowText), QColor(Qt::white),
                         QColor(Qt::white), QColor::fromRgba(window));
        palette.setColor(QPalette::AlternateBase, QColor::fromRgba(canvas));
        palette.setColor(QPalette::ButtonText, QColor::fromRgba(buttonText));
        palette.setColor(QPalette::Highlight, QColor::fromRgba(highlight));
        palette.setColor(QPalette::PlaceholderText, QColor::fromRgba(placeholder));
        return palette;
    }
};

const Scheme kSchemes[] = {
    // Fusion's own: Mid is 1.7:1 on the window, Highlight 3.2:1, the hint black at half alpha.
    {"light", 0xFF000000, 0xFFEFEFEF, 0xFFF7F7F7, 0xFFB8B8B8, 0xFF000000, 0xFF308CC6, 0x80000000, false},
    // Mid hardly apart from the window, Highlight 2.6:1 on it.
    {"dark", 0xFFE8E8E8, 0xFF2D2D30, 0xFF262628, 0xFF2C2C2E, 0xFFE8E8E8, 0xFF2A6FB8, 0x80E8E8E8, false},
    {"high contrast, white on black", 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF7F7F7F, 0xFFFFFFFF, 0xFFFFFF00,
     0xFFC8C8C8, true},
    {"high contrast, black on white", 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFC0C0C0, 0xFF000000, 0xFF0000C0,
     0xFF909090, true},
};

} // namespace

TEST(Ink, FramesRingsHintsAndIconsReadOnWhatLiesUnder)
{
    for (const Scheme &scheme : kSchemes) {
        const QPalette palette = scheme.palette();
        const struct {
            const char *what;
            QColor under;
            bool text; // a surface that carries hints and icons
        } undersides[] = {
            {"the window", QColor::fromRgba(scheme.window), true},
            {"the canvas", QColor::fromRgba(scheme.canvas), true},
            {"a light swatch", QColor(0xF7, 0xE1, 0xB5), false},
            {"a dark swatch", QColor(0x1D, 0x3B, 0x53), false},
            {"a swatch of the highlight's colour", QColor::fromRgba(scheme.highlight), false},
        };
        for (const auto &under : undersides) {
            SCOPED_TRACE(std::string(scheme.name) + ", on " + under.what);
            EXPECT_GE(ratio(VQInk::frame(palette, under.under), under.under), VQInk::kLineRatio);
            EXPECT_GE(ratio(VQInk::ring(palette, under.under), under.under), VQInk::kLineRatio);
            if (!under.text)
                continue;
            EXPECT_GE(ratio(VQInk::hint(palette, under.under), under.under), VQInk::kTextRatio);
            EXPECT_GE(ratio(VQInk::icon(palette, under.under), under.under), VQInk::kLineRatio);
        }
    }
}

TEST(Ink, HighContrastPalettesDrawSolidThickerLines)
{
    for (const Scheme &scheme : kSchemes) {
        SCOPED_TRACE(scheme.name);
        const QPalette palette = scheme.palette();
        const QColor window = QColor::fromRgba(scheme.window);
        EXPECT_EQ(VQInk::isHighContrast(palette), scheme.highContrast);
        EXPECT_EQ(VQInk::frameWidth(palette), scheme.highContrast ? 2 : 1);
        EXPECT_EQ(VQInk::ringWidth(palette), scheme.highContrast ? 3 : 2);
        // A high-contrast palette's frames and hints are its text; its ring, which
        // reads already, is its Highlight itself.
        if (scheme.highContrast) {
            EXPECT_EQ(VQInk::frame(palette, window), QColor::fromRgba(scheme.windowText));
            EXPECT_EQ(VQInk::hint(palette, window), QColor::fromRgba(scheme.windowText));
            EXPECT_EQ(VQInk::ring(palette, window), QColor::fromRgba(scheme.highlight));
        }
    }
}

TEST(Ink, ARoleMadeLegibleKeepsItsHue)
{
    // The dark scheme's blue Highlight is lightened on its window, not swapped for grey.
    const QPalette dark = kSchemes[1].palette();
    const QColor ring = VQInk::ring(dark, QColor::fromRgba(kSchemes[1].window));
    EXPECT_NEAR(ring.hueF(), QColor::fromRgba(kSchemes[1].highlight).hueF(), 0.02);
    EXPECT_GT(ring.lightnessF(), QColor::fromRgba(kSchemes[1].highlight).lightnessF());
}

TEST(Ink, MarksOnASwatchStandOutFromIt)
{
    const QColor swatches[] = {
        QColor(0xFF, 0xFF, 0x00), // yellow: no grey, yet a white mark vanishes on it
        QColor(0x00, 0xA0, 0x00), // a mid green, darker than grey 140 but lighter in luminance
        QColor(0x3A, 0x7B, 0xD5), QColor(0x1D, 0x3B, 0x53), QColor(0xF7, 0xE1, 0xB5),
        QColor(0x77, 0x77, 0x77), QColor(Qt::white),        QColor(Qt::black),
    };
    for (const QColor &swatch : swatches) {
        SCOPED_TRACE(swatch.name().toStdString());
        // Black and white's ratios on any colour multiply to 21: the better one has at least 4.58.
        EXPECT_GE(ratio(VQInk::markOn(swatch), swatch), 4.58);
    }
}
