// Colour names: the shipped list, the nearest name of a colour, names read as
// colours, and search.

#include "core/VQCSSColor.h"
#include "core/VQColorNames.h"
#include "core/VQColorText.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
VQColorSpaces::Triple hex(std::uint32_t rgb)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}
} // namespace

TEST(ColorNames, TheListAndItsLicenceAreShipped)
{
    const VQColorNames &names = VQColorNames::shared();
    ASSERT_EQ(names.entries().size(), 31918u);
    EXPECT_EQ(names.entries().front().name, "100 Mph");
    EXPECT_EQ(names.entries().front().rgb, 0xC93F38u);
    EXPECT_TRUE(VQColorNames::licence().contains("MIT License"));
    EXPECT_TRUE(VQColorNames::licence().contains("Copyright (c) 2017 David Aerne"));
    EXPECT_TRUE(VQColorNames::attribution().contains("color-name-list 14.51.0"));
}

TEST(ColorNames, EveryCSSKeywordNamesItself)
{
    for (const VQCSSColor::Keyword &keyword : VQCSSColor::keywords()) {
        const VQColorNames::Match match = VQColorNames::shared().nearest(hex(keyword.rgb));
        SCOPED_TRACE(keyword.name);
        EXPECT_TRUE(match.exact);
        EXPECT_TRUE(match.css);
        EXPECT_EQ(match.distance, 0);
        // aqua and cyan (and the other pairs) share a value: the first in alphabetical order names it.
        const VQCSSColor::Keyword *named = VQCSSColor::findKeyword(match.name.toStdString());
        ASSERT_NE(named, nullptr) << match.name.toStdString();
        EXPECT_EQ(named->rgb, keyword.rgb);
        EXPECT_LE(std::string_view(named->name), std::string_view(keyword.name));
    }
}

TEST(ColorNames, NearestNamesAreThoseOfAFullScan)
{
    // Expected names from colorjs.io 0.7.1: the smallest Euclidean OKLab distance over the whole list.
    const struct {
        std::uint32_t rgb;
        const char *name;
        std::uint32_t named;
        bool exact;
        double distance;
    } rows[] = {
        {0x123456, "Incremental Blue", 0x123456, true, 0},
        {0xC0FFEE, "Arabica Mint", 0xC0FFEE, true, 0},
        {0xFF8001, "Oriole", 0xFF8008, false, 0.0012518985327660403},
        {0x7F7F7F, "Platinum Granite", 0x807F7E, false, 0.002009826676784386},
        {0x3A5F0B, "Lustrian Undergrowth", 0x415A09, false, 0.01674220206841387},
    };
    for (const auto &row : rows) {
        const VQColorNames::Match match = VQColorNames::shared().nearest(hex(row.rgb));
        EXPECT_EQ(match.name, row.name);
        EXPECT_EQ(match.rgb, row.named) << row.name;
        EXPECT_EQ(match.exact, row.exact) << row.name;
        EXPECT_FALSE(match.css) << row.name;
        EXPECT_NEAR(match.distance, row.distance, 1e-9) << row.name;
    }

    // The tree finds what a scan of every name finds (the first in list order on a tie).
    const VQColorNames &names = VQColorNames::shared();
    std::vector<VQColorSpaces::Triple> labs;
    for (const VQColorNames::Entry &entry : names.entries())
        labs.push_back(VQColorSpaces::sRGBToOKLab(hex(entry.rgb)));
    std::mt19937 random(7);
    for (int i = 0; i < 500; ++i) {
        const VQColorSpaces::Triple rgb = hex(random() & 0xFFFFFF);
        const VQColorSpaces::Triple lab = VQColorSpaces::sRGBToOKLab(rgb);
        std::size_t best = 0;
        double bestDistance = INFINITY;
        for (std::size_t n = 0; n < labs.size(); ++n) {
            const double d = VQColorSpaces::deltaEOK(lab, labs[n]);
            if (d < bestDistance) {
                best = n;
                bestDistance = d;
            }
        }
        const VQColorNames::Match match = names.nearest(rgb);
        if (!match.css) {
            ASSERT_EQ(match.name, names.entries()[best].name) << i;
        }
    }
}

TEST(ColorNames, NamesReadAsColoursIgnoringCaseSpacesAndPunctuation)
{
    const struct {
        const char *text;
        std::optional<std::uint32_t> rgb;
    } rows[] = {
        {"Cornflower Blue", 0x6C91C5}, // the list's, not CSS's cornflowerblue (0x6495ED) ...
        {"cornflowerblue", 0x6495ED},  // ... which the CSS reader has first
        {"CORNFLOWER-blue!", 0x6C91C5},
        {"100 mph", 0xC93F38},
        {"ocean", 0x005493},
        {"Black Hole", 0}, // a basic colour name's prefix reads as that colour, as it always did
        {"Redwood Forest", 0xFF0000},
        {" ocean", std::nullopt}, // no colour text begins or ends with a space
        {"ocean ", std::nullopt},
        {"oc\tean", std::nullopt}, // nor holds a control character
        {"oce\x7F"
         "an",
         std::nullopt},
        {"no such colour name", std::nullopt},
    };
    for (const auto &row : rows) {
        const VQCSSColor::Reading reading = VQReadColorText(QString::fromUtf8(row.text));
        ASSERT_EQ(reading.ok, row.rgb.has_value()) << row.text;
        EXPECT_EQ(VQReadColorText(std::string_view(row.text)).ok, reading.ok) << row.text;
        if (row.rgb) {
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(reading.rgb[i], hex(*row.rgb)[i]) << row.text;
        }
    }
}

TEST(ColorNames, SearchFindsNamesWithEveryWordExactOnesFirst)
{
    const VQColorNames &names = VQColorNames::shared();
    const auto found = [&](const QStringList &words, std::size_t limit) {
        QStringList result;
        for (const VQColorNames::Entry *entry : names.search(words, limit))
            result << entry->name;
        return result;
    };
    EXPECT_EQ(found({"cornflower"}, 3), (QStringList{"Cornflower", "Cornflower Blue", "Cornflower Lilac"}));
    const QStringList ocean = found({"OCEAN"}, 1000);
    ASSERT_GT(ocean.size(), 5);
    EXPECT_EQ(ocean.front(), "Ocean");
    for (const QString &name : found({"blue", "ocean"}, 1000)) {
        EXPECT_TRUE(name.contains("blue", Qt::CaseInsensitive) && name.contains("ocean", Qt::CaseInsensitive))
            << name.toStdString();
    }
    EXPECT_TRUE(found({"zzzzqqq"}, 10).isEmpty());
}
