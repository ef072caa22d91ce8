// What the contrast row shows: the ratio text, the badges on either side of
// each threshold, APCA Lc, the nearest passing colour, the remembered second
// colour, and the bounded menu of colours to choose it from.

#include "ui/tools/VQContrastSummary.h"

#include <gtest/gtest.h>

namespace
{

VQRGBColor hex(unsigned rgb)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

TEST(ContrastSummary, RatioTextAndBadgesOnEitherSideOfEachThreshold)
{
    struct Row {
        unsigned selected, against;
        const char *ratio;
        bool aaNormal, aaaNormal, aaLarge, aaaLarge;
    } rows[] = {
        {0x959595, 0xFFFFFF, "2.99:1", false, false, false, false}, // just under 3
        {0x949494, 0xFFFFFF, "3.03:1", false, false, true, false},  // 3: AA large
        {0x777777, 0xFFFFFF, "4.47:1", false, false, true, false},  // 4.478: truncated, not 4.48, and under 4.5
        {0x767676, 0xFFFFFF, "4.54:1", true, false, true, true},    // 4.5: AA normal and AAA large
        {0x5A5A5A, 0xFFFFFF, "6.89:1", true, false, true, true},    // just under 7
        {0x595959, 0xFFFFFF, "7:1", true, true, true, true},        // 7.0047: AAA normal
        {0xFFFFFF, 0x000000, "21:1", true, true, true, true},       // either colour may be the lighter
        {0x123456, 0x123456, "1:1", false, false, false, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.ratio);
        const VQContrastSummary summary(hex(row.selected), hex(row.against));
        EXPECT_EQ(summary.ratioText(), row.ratio);
        const auto badges = summary.badges();
        EXPECT_EQ(badges[0].passes, row.aaNormal);
        EXPECT_EQ(badges[1].passes, row.aaaNormal);
        EXPECT_EQ(badges[2].passes, row.aaLarge);
        EXPECT_EQ(badges[3].passes, row.aaaLarge);
        EXPECT_EQ(summary.passes(), row.aaNormal);
        // The badge's long form says the grade and what it needs.
        EXPECT_EQ(badges[0].toolTip, QStringLiteral("AA normal text: %1 (needs 4.5:1)")
                                         .arg(row.aaNormal ? QStringLiteral("passes") : QStringLiteral("fails")));
        EXPECT_EQ(badges[2].toolTip, QStringLiteral("AA large text: %1 (needs 3:1)")
                                         .arg(row.aaLarge ? QStringLiteral("passes") : QStringLiteral("fails")));
    }
}

TEST(ContrastSummary, LightnessContrastKeepsItsSignAndRounds)
{
    struct Row {
        unsigned text, background;
        const char *shown;
    } rows[] = {
        {0x888888, 0xFFFFFF, "Lc 63"},  // dark text on light: positive (63.06)
        {0xFFFFFF, 0x888888, "Lc -69"}, // light text on dark: negative (-68.54 rounds away from zero)
        {0x000000, 0xAAAAAA, "Lc 58"},  // 58.15
        {0xAAAAAA, 0x000000, "Lc -56"}, // -56.24
        {0x777777, 0x777777, "Lc 0"},   // no contrast, and never "-0"
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.shown);
        EXPECT_EQ(VQContrastSummary(hex(row.text), hex(row.background)).lightnessContrastText(), row.shown);
    }
}

TEST(ContrastSummary, NearestPassingColourOnlyWhenTheSelectionFails)
{
    struct Row {
        unsigned selected, against;
        bool shown;
    } rows[] = {
        {0x777777, 0xFFFFFF, true},  // 4.47: fails by a hair
        {0x767676, 0xFFFFFF, false}, // 4.54 passes
        {0xFF8000, 0xFFFFFF, true},
        {0x3A7BD5, 0x1D3B53, true}, // both mid-dark: lighter or darker, whichever is nearer
        {0xFFFFFF, 0xFFFFFF, true},
        {0x000000, 0xFFFFFF, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.selected);
        const VQContrastSummary summary(hex(row.selected), hex(row.against));
        const std::optional<VQRGBColor> nearest = summary.nearestPassing();
        ASSERT_EQ(nearest.has_value(), row.shown);
        if (!nearest) {
            EXPECT_EQ(summary.nearestToolTip(),
                      QStringLiteral("Passes AA for normal text on %1").arg(summary.againstHex()));
            EXPECT_FALSE(summary.text().contains(QStringLiteral("nearest")));
            continue;
        }
        // The colour shown (8 bits a channel) is itself one that passes.
        const VQContrastSummary passing(*nearest, summary.against());
        EXPECT_TRUE(passing.passes()) << passing.ratioText().toStdString();
        EXPECT_EQ(passing.selectedHex(), VQColor::makeRGB(*nearest)->hexValue());
        EXPECT_TRUE(summary.nearestToolTip().contains(passing.selectedHex()));
        EXPECT_TRUE(summary.text().endsWith(QStringLiteral("nearest passing AA: ") + passing.selectedHex()));
    }
    // A grey stays grey.
    const VQRGBColor grey = *VQContrastSummary(hex(0x777777), hex(0xFFFFFF)).nearestPassing();
    EXPECT_EQ(grey.r, grey.g);
    EXPECT_EQ(grey.g, grey.b);
}

TEST(ContrastSummary, RememberedColourReadsOrFallsBackToWhite)
{
    struct Row {
        const char *stored;
        const char *read;
    } rows[] = {
        {"#1A2B3C", "#1A2B3C"},    {"1a2b3c", "#1A2B3C"},   {" #00ff80\n", "#00FF80"}, {"", "#FFFFFF"},
        {"#12345", "#FFFFFF"},     {"#GGGGGG", "#FFFFFF"},  {"#1A2B3C4D", "#FFFFFF"},  {"red", "#FFFFFF"},
        {"rgb(0,0,0)", "#FFFFFF"}, {"##1A2B3C", "#FFFFFF"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.stored);
        const VQContrastSummary summary({}, VQContrastSummary::againstFromStored(QString::fromLatin1(row.stored)));
        EXPECT_EQ(summary.againstHex(), row.read);
    }
}

TEST(ContrastSummary, TheSecondColourIsKeptAtEightBitsAndSwaps)
{
    VQContrastSummary summary({0.2, 0.4, 0.6}, {0.5, 0.5, 0.5});
    EXPECT_EQ(summary.againstHex(), "#808080");
    EXPECT_EQ(summary.against().r, 128 / 255.0);
    summary.setAgainst({1.2, -0.1, 0.5}); // out of range: clamped first
    EXPECT_EQ(summary.againstHex(), "#FF0080");
    summary.setSelected({0.1234, 0.5, 0.8});
    summary.swap();
    EXPECT_EQ(summary.selectedHex(), "#FF0080");
    EXPECT_EQ(summary.againstHex(), "#1F80CC");
    EXPECT_TRUE(summary.text().startsWith(QStringLiteral("#FF0080 on #1F80CC: 1.1:1; ")))
        << summary.text().toStdString();
}

TEST(ContrastChoices, MenuListsAreBounded)
{
    QStringList recent;
    for (int i = 0; i < 20; ++i)
        recent << QStringLiteral("#%1%1%1").arg(i * 10, 2, 16, QLatin1Char('0'));
    recent.insert(3, QStringLiteral("not a colour"));
    std::vector<VQSwatchCollectionRef> collections;
    collections.push_back(VQSwatchCollection::create(QStringLiteral("Empty")));
    for (int i = 0; i < 30; ++i) {
        std::vector<VQColorRef> colors;
        for (int j = 0; j < (i == 0 ? 40 : 2); ++j)
            colors.push_back(VQColor::makeRGB(i / 100.0, j / 100.0, 0.5));
        collections.push_back(VQSwatchCollection::create(i == 1 ? QString() : QStringLiteral("C%1").arg(i), colors));
    }
    collections[3]->colors().front()->setName(QStringLiteral("Ink"));

    const VQContrastChoices choices = VQContrastChoices::make(recent, collections);
    ASSERT_EQ(choices.recent.entries.size(), size_t(VQContrastChoices::kRecentLimit));
    EXPECT_EQ(choices.recent.more, 4);
    EXPECT_EQ(choices.recent.entries[3].hex, "#1E1E1E"); // the text that is no colour is skipped
    ASSERT_EQ(choices.collections.size(), size_t(VQContrastChoices::kCollectionLimit));
    EXPECT_EQ(choices.moreCollections, 30 - VQContrastChoices::kCollectionLimit); // the empty one is not counted
    EXPECT_EQ(choices.collections[0].title, "C0");
    EXPECT_EQ(choices.collections[0].entries.size(), size_t(VQContrastChoices::kColorsPerCollection));
    EXPECT_EQ(choices.collections[0].more, 40 - VQContrastChoices::kColorsPerCollection);
    EXPECT_EQ(choices.collections[1].title, "Untitled Collection");
    EXPECT_EQ(choices.collections[2].entries[0].label, "Ink  #050080");
    EXPECT_EQ(choices.collections[2].entries[1].label, "#050380");
}

} // namespace
