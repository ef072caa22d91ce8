// Real files written by other programs (shared/fixtures/swatches, see its
// SOURCES.md): each imports, with the counts and titles the sources state and,
// where the colours are known independently, those colours.

#include "VQParsersTestSupport.h"

#include "parsers/VQACOParser.h"
#include "parsers/VQASEParser.h"
#include "parsers/VQImportCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdlib>

namespace
{

const QString kFixtures = QStringLiteral(VELLICO_FIXTURES_DIR "/swatches");

class SwatchFixturesTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!QDir(kFixtures).exists())
            GTEST_SKIP() << "no fixtures at " << kFixtures.toStdString();
    }

    static std::optional<std::vector<VQSwatchCollectionRef>> parse(const QString &relative)
    {
        QString file = kFixtures + QLatin1Char('/') + relative;
        // A name with "*" stands for the one fixture it matches.
        if (relative.contains(QLatin1Char('*'))) {
            const QFileInfo pattern(file);
            const QStringList matches = QDir(pattern.path()).entryList({pattern.fileName()}, QDir::Files);
            EXPECT_EQ(matches.size(), 1) << relative.toStdString();
            if (!matches.isEmpty())
                file = pattern.path() + QLatin1Char('/') + matches.first();
        }
        std::unique_ptr<VQParser> parser;
        if (relative.endsWith(QLatin1String(".ase")))
            parser = VQParser::fromURL<VQASEParser>(file);
        else
            parser = VQParser::fromURL<VQACOParser>(file);
        EXPECT_TRUE(parser) << "cannot read " << file.toStdString();
        return parser ? parser->parseColors() : std::nullopt;
    }

    static std::vector<VQColorRef> allColors(const std::vector<VQSwatchCollectionRef> &collections)
    {
        std::vector<VQColorRef> colors;
        for (const VQSwatchCollectionRef &collection : collections)
            for (const VQColorRef &color : collection->colors())
                colors.push_back(color);
        return colors;
    }

    // The 14 sRGB colours every behreajj sample encodes, from the project's own GIMP palette.
    static std::vector<QString> referenceHexes()
    {
        QFile file(kFixtures + QStringLiteral("/expected/behreajj-sampleReference.gpl"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        std::vector<QString> hexes;
        static const QRegularExpression line(QStringLiteral("^\\s*\\d+\\s+\\d+\\s+\\d+\\s+([0-9A-F]{6})$"));
        for (const QByteArray &text : file.readAll().split('\n')) {
            const QRegularExpressionMatch match = line.match(QString::fromLatin1(text.trimmed()));
            if (match.hasMatch())
                hexes.push_back(QLatin1Char('#') + match.captured(1));
        }
        return hexes;
    }
};

// Largest channel difference between two "#RRGGBB" texts.
int channelDistance(const QString &a, const QString &b)
{
    int worst = 0;
    for (int i = 1; i < 7; i += 2)
        worst = std::max(worst, std::abs(a.mid(i, 2).toInt(nullptr, 16) - b.mid(i, 2).toInt(nullptr, 16)));
    return worst;
}

} // namespace

TEST_F(SwatchFixturesTest, CountsAndTitles)
{
    struct Row {
        const char *file;
        int colours;
        QStringList titles; // leading titles, in order
        int collections;
    };
    const QString untitled = QStringLiteral("Untitled Collection");
    const QString aco = QStringLiteral("Imported from ACO");
    const std::vector<Row> rows = {
        {"ase/mixed-rgb-cmyk-lab-no-groups.ase", 3, {untitled}, 1},
        {"ase/groups-rgb-cmyk-lab-global-spot.ase", 21, {"GMX RGB", "GMX CMYK", "GMX PANTONE"}, 3},
        {"ase/cmyk-seven-groups.ase", 61, {"Red", "Yellow", "Green", "Teal", "Blue", "Purple"}, 7},
        {"ase/rgb-24-groups-120-colours.ase",
         120,
         {"PB 3dmaneu chinese umbrellas", "PB 3dmaneu tulips", "PB 2690457 detail"},
         24},
        {"ase/lab-spot-four-groups-solarized.ase", 26, {"Bases", "Accents", "Dark Bases", "Light Bases"}, 4},
        {"ase/gray-and-rgb-in-group.ase", 5, {"Whitefolder"}, 1},
        {"ase/empty-group.ase", 0, {}, 0},
        {"ase/single-colour-no-group.ase", 1, {untitled}, 1},
        {"ase/lab-rgb-global-solarized-original.ase", 16, {untitled}, 1},
        {"ase/quirk-nameless-zero-length-groups-no-group-end.ase", 42, {untitled, untitled}, 42},
        {"ase/quirk-group-without-end.ase", 5, {"argyle socks"}, 1},
        {"ase/utf16-emoji-names-version-0-1.ase", 1816, {untitled}, 1},
        {"ase/lab-l-0-100-gimp-style.ase", 14, {"Palette"}, 1},
        {"ase/lab-l-0-1-krita-style.ase", 14, {"Palette"}, 1},
        {"ase/quirk-uppercase-gray-model.ase", 14, {"Palette"}, 1},
        {"aco/v1-only-rgb-6.aco", 6, {aco}, 1},
        {"aco/photoshop-rgb-v1v2-with-phry-trailer.aco", 6, {aco}, 1},
        {"aco/photoshop-cmyk-v1v2-with-phry-trailer.aco", 6, {aco}, 1},
        {"aco/photoshop-grayscale-v1v2-with-phry-trailer.aco", 20, {aco}, 1},
        {"aco/photoshop-hsb-utf16-names-with-phry-trailer.aco", 3, {aco}, 1},
        {"aco/hsb-utf16-names-v1v2-no-trailer.aco", 3, {aco}, 1},
        {"aco/rgb-v1v2-16-named.aco", 16, {aco}, 1},
        {"aco/utf16-emoji-names-v1v2.aco", 1816, {aco}, 1},
        {"aco/lab-v1-*-encoding.aco" /* Lab in the format's own layout */, 14, {aco}, 1},
        {"aco/quirk-lab-v1-krita-encoding.aco", 14, {aco}, 1},
        {"aco/hsb-v1-14.aco", 14, {aco}, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        const auto collections = parse(QString::fromLatin1(row.file));
        ASSERT_TRUE(collections.has_value());
        EXPECT_EQ(int(collections->size()), row.collections);
        EXPECT_EQ(int(allColors(*collections).size()), row.colours);
        for (qsizetype i = 0; i < row.titles.size() && i < qsizetype(collections->size()); ++i)
            EXPECT_EQ((*collections)[size_t(i)]->title(), row.titles[i]);
    }
    EXPECT_FALSE(parse(QStringLiteral("ase/negative-aseprite-sprite-not-swatches.ase")).has_value());
}

TEST_F(SwatchFixturesTest, NamedColoursWithKnownValues)
{
    struct Row {
        const char *file;
        QString described;
    };
    const std::vector<Row> rows = {
        // nsfmc's JSON twins.
        {"ase/single-colour-no-group.ase", "Untitled Collection: White=#FFFFFF"},
        {"ase/gray-and-rgb-in-group.ase",
         "Whitefolder: White=#FFFFFF, lablab=#C80032, mauve=#FFF4BF, grey=#F1F1F1, orange=#F1A321"},
        // kdybicz's CSV companions (Photoshop's own swatches).
        {"aco/photoshop-rgb-v1v2-with-phry-trailer.aco", "Imported from ACO: RGB Red=#FF0000, RGB Yellow=#FFFF00, RGB "
                                                         "Green=#00FF00, RGB Cyan=#00FFFF, RGB Blue=#0000FF, "
                                                         "RGB Magenta=#FF00FF"},
        {"aco/photoshop-cmyk-v1v2-with-phry-trailer.aco",
         "Imported from ACO: CMYK Red=cmyk(0,1,1,0), CMYK Yellow=cmyk(0,0,1,0), CMYK Green=cmyk(1,0,1,0), "
         "CMYK Cyan=cmyk(1,0,0,0), CMYK Blue=cmyk(1,1,0,0), CMYK Magenta=cmyk(0,1,0,0)"},
        {"aco/photoshop-hsb-utf16-names-with-phry-trailer.aco",
         // Hue 0x2A2A of a turn is 59°: a yellow; 0xF2F2 is 342°, a cherry red; "a" has no saturation.
         QString::fromUtf8("Imported from ACO: Zażółć gęślą jaźń=#E3E14D, チェリー=#AF0E40, a=#FFFFFF")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        EXPECT_EQ(VQDescribeCollections(parse(QString::fromLatin1(row.file))), row.described);
    }

    // Photoshop grayscale counts black ink: "White" is 0 and "Black" 10000.
    const auto grays = parse(QStringLiteral("aco/photoshop-grayscale-v1v2-with-phry-trailer.aco"));
    ASSERT_TRUE(grays && grays->size() == 1);
    const std::vector<VQColorRef> colors = grays->front()->colors();
    ASSERT_EQ(colors.size(), 20u);
    EXPECT_EQ(colors.front()->name() + colors.front()->hexValue(), QStringLiteral("White#FFFFFF"));
    EXPECT_EQ(colors[9]->name() + colors[9]->hexValue(), QStringLiteral("50% Gray#808080"));
    EXPECT_EQ(colors.back()->name() + colors.back()->hexValue(), QStringLiteral("Black#000000"));

    // Solarized's published sRGB values; the file holds its L*a*b* definition.
    const auto solarized = parse(QStringLiteral("ase/lab-spot-four-groups-solarized.ase"));
    ASSERT_TRUE(solarized && !solarized->empty() && solarized->front()->count() >= 2);
    const std::vector<VQColorRef> bases = solarized->front()->colors();
    EXPECT_EQ(bases[0]->name() + bases[1]->name(), QStringLiteral("Base 03Base 02"));
    EXPECT_LE(channelDistance(bases[0]->hexValue(), QStringLiteral("#002B36")), 1)
        << bases[0]->hexValue().toStdString();
    EXPECT_LE(channelDistance(bases[1]->hexValue(), QStringLiteral("#073642")), 1)
        << bases[1]->hexValue().toStdString();
}

TEST_F(SwatchFixturesTest, OneSetOfColoursInFourEncodings)
{
    // The HSB file gives the reference colours themselves.
    const std::vector<QString> reference = referenceHexes();
    ASSERT_EQ(reference.size(), 14u);
    const auto hsb = parse(QStringLiteral("aco/hsb-v1-14.aco"));
    ASSERT_TRUE(hsb.has_value());
    const std::vector<VQColorRef> hsbColors = allColors(*hsb);
    ASSERT_EQ(hsbColors.size(), reference.size());
    for (size_t i = 0; i < reference.size(); ++i)
        EXPECT_LE(channelDistance(hsbColors[i]->hexValue(), reference[i]), 1) << i;

    // The Lab files of the same writer store L* as 0-100, as 0-1 and as ACO's hundredths, and
    // must agree colour for colour; the ACO file rounds a* and b* to whole numbers (its white
    // is 100, -1, -1), so it agrees less closely. (That writer's L*a*b* is relative to D65, not
    // to the D50 of Adobe's files, so its chromatic colours land a little off the reference.)
    struct Row {
        const char *file;
        int tolerance;
    };
    QStringList first;
    for (const Row &row : {Row{"ase/lab-l-0-100-gimp-style.ase", 0}, Row{"ase/lab-l-0-1-krita-style.ase", 1},
                           Row{"aco/lab-v1-*-encoding.aco", 8}}) {
        SCOPED_TRACE(row.file);
        const auto collections = parse(QString::fromLatin1(row.file));
        ASSERT_TRUE(collections.has_value());
        const std::vector<VQColorRef> colors = allColors(*collections);
        ASSERT_EQ(colors.size(), reference.size());
        EXPECT_EQ(colors[0]->hexValue(), QStringLiteral("#000000"));
        for (size_t i = 0; i < colors.size(); ++i) {
            if (first.size() < qsizetype(colors.size()))
                first << colors[i]->hexValue();
            else
                EXPECT_LE(channelDistance(colors[i]->hexValue(), first[qsizetype(i)]), row.tolerance) << i;
        }
    }
    EXPECT_EQ(first[1], QStringLiteral("#FFFFFF"));
}

// GIMP's and Inkscape's own palettes (shared/fixtures/palettes, see its
// SOURCES.md): every row of each file comes in, in order, with its name, and
// the title is the palette's Name.
TEST(PaletteFixtures, EveryRowInOrderWithItsName)
{
    const QString folder = QStringLiteral(VELLICO_FIXTURES_DIR "/palettes");
    if (!QDir(folder).exists())
        GTEST_SKIP() << "no fixtures at " << folder.toStdString();
    struct Row {
        const char *file, *title;
        int colours;
        const char *first; // "name=#HEX" of the first row
    };
    const Row rows[] = {
        {"Default.gpl", "Default", 23, "Red=#FF0000"},
        {"Named_Colors.gpl", "Named Colors", 448, "snow (255 250 250)=#FFFAFA"},
        {"Tango.gpl", "Tango Icon Theme", 27, "Butter 1=#FCE94F"},
        {"Web.gpl", "Web", 216, "#FFFFFF"},
        {"inkscape-LaTeX-Beamer.gpl", "LaTeX Beamer", 136, "default outer 1=#181C57"},
        {"inkscape-Tango-Palette.gpl", "Tango icons", 29, "Butter 1=#FCE94F"},
        {"inkscape-Ubuntu.gpl", "Ubuntu", 100, "Black=#000000"},
        {"inkscape-svg.gpl", "SVG", 139, "black (#000000)=#000000"},
    };
    // Each file's rows as a plain reading of the format sees them: three
    // numbers, then the name after the blanks that follow them.
    static const QRegularExpression colourRow(QStringLiteral("^\\s*(\\d+)\\s+(\\d+)\\s+(\\d+)(?:\\s+(.*?))?\\s*$"));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        const QString file = folder + QLatin1Char('/') + QLatin1String(row.file);
        QStringList expected;
        const QList<QByteArray> lines = VQReadAll(file).split('\n');
        for (const QByteArray &line : lines.mid(1)) {
            const QRegularExpressionMatch match = colourRow.match(QString::fromUtf8(line));
            if (!match.hasMatch())
                continue;
            QString hex = QStringLiteral("#");
            for (int i = 1; i <= 3; ++i)
                hex += QStringLiteral("%1").arg(match.captured(i).toInt(), 2, 16, QLatin1Char('0')).toUpper();
            expected << (match.captured(4).isEmpty() ? hex : match.captured(4) + QLatin1Char('=') + hex);
        }
        QString error, warning;
        const auto collections = VQReadSwatchFile(file, &error, &warning);
        ASSERT_TRUE(collections) << error.toStdString();
        ASSERT_EQ(collections->size(), 1u);
        EXPECT_EQ(collections->front()->title(), QString::fromUtf8(row.title));
        EXPECT_TRUE(warning.isEmpty()) << warning.toStdString();
        EXPECT_EQ(expected.size(), row.colours);
        EXPECT_EQ(VQDescribeCollections(collections),
                  QString::fromUtf8(row.title) + QStringLiteral(": ") + expected.join(QStringLiteral(", ")));
        EXPECT_TRUE(
            VQDescribeCollections(collections)
                .startsWith(QString::fromUtf8(row.title) + QStringLiteral(": ") + QString::fromUtf8(row.first)));
    }
}
