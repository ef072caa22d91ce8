// Finding colours by text: colour text first, then names in the user's
// collections, then the shipped names; words in any order and case.

#include "core/VQColorNames.h"
#include "core/VQColorSearch.h"
#include "core/VQSwatchCore.h"
#include "vqcore/VQPropertyList.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace
{

VQColorRef named(double r, double g, double b, const char *name)
{
    VQColorRef color = VQColor::makeRGB(r, g, b);
    color->setName(QString::fromUtf8(name));
    return color;
}

std::unique_ptr<VQSwatchCore> libraryOf(std::vector<VQSwatchCollectionRef> collections)
{
    VQPlist root = VQPlist::dictionary();
    root.set(VQLibraryVersion, VQPlist::string(QString::fromLatin1(VQCurrentLibraryVersion)));
    root.set(VQLibraryContent, VQPlist::array());
    auto core = VQSwatchCore::detachedFromLibrary(root.node(), QStringLiteral("/nonexistent/search.vlb"), nullptr);
    for (const VQSwatchCollectionRef &collection : collections)
        core->addCollection(collection);
    return core;
}

// CSS keywords name their own values. "HEX name [collection]" for each match, so a row reads as what the user sees.
QStringList describe(const std::vector<VQColorSearchMatch> &matches)
{
    QStringList lines;
    for (const VQColorSearchMatch &match : matches)
        lines << (match.color->hexValue() + QLatin1Char(' ') + match.name +
                  (match.source == VQColorSearchMatch::Source::Collection
                       ? QStringLiteral(" [%1]").arg(match.collection)
                   : match.source == VQColorSearchMatch::Source::ColorText ? QStringLiteral(" (text)")
                                                                           : QString()));
    return lines;
}

TEST(ColorSearch, MatchesInOrderOfWhereTheyCameFrom)
{
    const VQColorNames names(QByteArrayLiteral("4682B4\tSteel Blue\n"
                                               "B0C4DE\tLight Steel Blue\n"
                                               "336699\tLapis Blue\n"
                                               "FF0000\tRed\n"));
    const auto library = libraryOf(
        {VQSwatchCollection::create(QStringLiteral("Brand"), {named(0, 0.2, 0.4, "Harbour blue"),
                                                              named(1, 1, 1, "Paper"), VQColor::makeRGB(0, 0, 1)}),
         VQSwatchCollection::create(QStringLiteral("Night"), {named(0, 0, 0.2, "Deep BLUE sea")})});
    struct Row {
        const char *name;
        const char *text;
        std::size_t limit;
        QStringList expected;
    } rows[] = {
        {"blank finds nothing", "   ", 50, {}},
        {"hex text is a colour, named by its nearest name", "#336699", 50, {"#336699 Lapis Blue (text)"}},
        {"css text is a colour", "rgb(255 0 0)", 50, {"#FF0000 red (text)"}},
        {"one word: collections then names",
         "blue",
         50,
         {"#0000FF blue (text)", "#003366 Harbour blue [Brand]", "#000033 Deep BLUE sea [Night]", "#4682B4 Steel Blue",
          "#B0C4DE Light Steel Blue", "#336699 Lapis Blue"}},
        {"every word, any order and case", "STEEL light", 50, {"#B0C4DE Light Steel Blue"}},
        {"unnamed colours are not found by their hex name", "0000FF", 50, {"#0000FF blue (text)"}},
        {"the limit holds across sources", "blue", 2, {"#0000FF blue (text)", "#003366 Harbour blue [Brand]"}},
        {"nothing matches", "zzz", 50, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(describe(VQSearchColors(QString::fromUtf8(row.text), *library, names, row.limit)), row.expected);
    }
}

} // namespace
