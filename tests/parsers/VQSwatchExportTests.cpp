// Collections out and back in: every format's bytes for a small library, the
// round trips, and the defined results for what the formats cannot hold.

#include "VQParsersTestSupport.h"
#include "VQSwatchBytes.h"

#include "core/VQSwatchCore.h"
#include "parsers/VQASEParser.h"
#include "parsers/VQGPLParser.h"
#include "parsers/VQImportCommands.h"
#include "parsers/VQSwatchExport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace
{

// Without the debug log: the readers log every colour, and some rows have 100,000.
class SwatchExportTest : public VQLibraryTest
{
};

VQColorRef named(VQColorRef color, const QString &name)
{
    color->setName(name);
    return color;
}

VQSwatchCollectionRef collection(const QString &title, std::vector<VQColorRef> colors)
{
    return VQSwatchCollection::create(title, std::move(colors));
}

QByteArray exported(const std::vector<VQSwatchCollectionRef> &collections, VQExportFormat format)
{
    QString error;
    const std::optional<QByteArray> bytes = VQExportCollections(collections, format, &error);
    EXPECT_TRUE(bytes) << error.toStdString();
    return bytes.value_or(QByteArray());
}

// Space, exact components, name (or "-"), one colour a line; titles between.
QString exactly(const std::vector<VQSwatchCollectionRef> &collections)
{
    QString text;
    for (const VQSwatchCollectionRef &c : collections) {
        text += QStringLiteral("[%1]\n").arg(c->title());
        for (const VQColorRef &color : c->colors()) {
            QStringList components;
            for (double v : color->components())
                components << QString::number(v, 'g', 17);
            text += VQColorSpaceName(color->colorSpace()) + QLatin1Char(' ') + components.join(QLatin1Char(',')) +
                    QLatin1Char(' ') + color->storedName().value_or(QStringLiteral("-")) + QLatin1Char('\n');
        }
    }
    return text;
}

// The same colours after a trip through 32-bit floats, as .ase stores them.
std::vector<VQSwatchCollectionRef> asFloats(const std::vector<VQSwatchCollectionRef> &collections)
{
    std::vector<VQSwatchCollectionRef> out;
    for (const VQSwatchCollectionRef &c : collections) {
        std::vector<VQColorRef> colors;
        for (const VQColorRef &color : c->colors()) {
            const auto f = [&](int i) { return double(float(color->components()[std::size_t(i)])); };
            VQColorRef copy = color->colorSpace() == VQColorSpace::CMYK ? VQColor::makeCMYK(f(0), f(1), f(2), f(3))
                                                                        : VQColor::makeRGB(f(0), f(1), f(2));
            if (color->storedName())
                copy->setName(*color->storedName());
            colors.push_back(copy);
        }
        out.push_back(collection(c->title(), colors));
    }
    return out;
}

// A library with what the formats find hard: CMYK, no names, names with
// control characters and characters outside the BMP, colliding names.
std::vector<VQSwatchCollectionRef> sampleLibrary()
{
    return {
        collection("Sea & Sky", {named(VQColor::makeRGB(0, 0.5, 1), "Deep"), VQColor::makeRGB(1, 1, 1),
                                 named(VQColor::makeCMYK(0.1, 0.2, 0.3, 0.4), "Ink 🎨"),
                                 named(VQColor::makeRGB(1.0 / 3, 0.2, 0.7), "line\nbreak\tand\x01more"),
                                 named(VQColor::makeRGB(1, 0, 0), "Red"), named(VQColor::makeRGB(0.8, 0, 0), "red!")}),
        collection("!!!", {named(VQColor::makeRGB(0, 0, 0), "Black")}), collection("Empty", {})};
}

// The text of a comment our .css export writes, its CSS escapes ("\\3C ") read.
QString cssUnescaped(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\') || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && end < i + 7 && QStringLiteral("0123456789ABCDEFabcdef").contains(text[end]))
            ++end;
        if (end == i + 1) { // a backslash before any other character stands for that character
            out += text[++i];
            continue;
        }
        out += QChar(char16_t(text.mid(i + 1, end - i - 1).toUInt(nullptr, 16)));
        i = end < text.size() && text[end] == QLatin1Char(' ') ? end : end - 1;
    }
    return out;
}

} // namespace

// The bytes of each format for one small collection.
TEST_F(SwatchExportTest, BytesOfEachFormat)
{
    const std::vector<VQSwatchCollectionRef> one = {
        collection("Warm", {named(VQColor::makeRGB(1, 0.5, 0), "Orange"), VQColor::makeCMYK(0, 1, 1, 0.5)})};
    EXPECT_EQ(exported(one, VQExportFormat::GPL), QByteArray("GIMP Palette\nName: Warm\nColumns: 2\n#\n"
                                                             "255 128   0\tOrange\n"
                                                             "128   0   0\n"));
    EXPECT_EQ(exported(one, VQExportFormat::ASE),
              ase::file({ase::groupStart("Warm"), ase::color("Orange", "RGB ", {1, 0.5f, 0}),
                         ase::color("", "CMYK", {0, 1, 1, 0.5f}), ase::groupEnd()}));
    EXPECT_EQ(exported(one, VQExportFormat::CSS), QByteArray(":root {\n"
                                                             "    /* Warm */\n"
                                                             "    --warm-orange: #FF8000;\n"
                                                             "    --warm-color-2: #800000;\n"
                                                             "}\n"));
    const QJsonArray json = QJsonDocument::fromJson(exported(one, VQExportFormat::JSON)).array();
    ASSERT_EQ(json.size(), 1);
    EXPECT_EQ(json[0].toObject()["title"].toString(), QStringLiteral("Warm"));
    EXPECT_EQ(json[0].toObject()["colors"].toArray()[1].toObject()["space"].toString(), QStringLiteral("CMYK"));
}

// Every 8-bit value of every channel survives a palette, with names and order;
// other colours come back as their hex text.
TEST_F(SwatchExportTest, GimpPaletteRoundTrip)
{
    std::vector<VQColorRef> colors;
    for (int v = 0; v < 256; ++v)
        colors.push_back(named(VQColor::makeRGB(v / 255.0, (255 - v) / 255.0, (v * 7 % 256) / 255.0),
                               QStringLiteral("c%1 ż").arg(v)));
    colors.push_back(VQColor::makeRGB(0.2, 0.4, 0.6));
    const std::vector<VQSwatchCollectionRef> original = {collection("Every Value", colors)};
    VQGPLParser parser(exported(original, VQExportFormat::GPL));
    const auto back = parser.parseColors();
    ASSERT_TRUE(back);
    EXPECT_TRUE(parser.skippedEntries().empty());
    EXPECT_EQ(exactly(*back), exactly(original));

    // CMYK, fractions and names with control characters: the hex text, and the name as a row holds it.
    const std::vector<VQSwatchCollectionRef> hard = {sampleLibrary().front()};
    const auto hardBack = VQGPLParser(exported(hard, VQExportFormat::GPL)).parseColors();
    EXPECT_EQ(VQDescribeCollections(hardBack),
              QStringLiteral("Sea & Sky: Deep=#0080FF, #FFFFFF, Ink 🎨=#80664D, "
                             "line break and more=#5533B3, Red=#FF0000, red!=#CC0000"));
}

// .ase keeps both colour spaces, every name as it is, and each collection's
// components as 32-bit floats; JSON keeps components exactly.
TEST_F(SwatchExportTest, SwatchExchangeAndJsonRoundTrips)
{
    const std::vector<VQSwatchCollectionRef> library = sampleLibrary();
    const auto ase = VQASEParser(exported(library, VQExportFormat::ASE)).parseColors();
    ASSERT_TRUE(ase);
    // The empty collection's group is written, and our reader leaves empty groups out.
    const std::vector<VQSwatchCollectionRef> expected(library.begin(), library.end() - 1);
    EXPECT_EQ(exactly(*ase), exactly(asFloats(expected)));

    const QJsonArray json = QJsonDocument::fromJson(exported(library, VQExportFormat::JSON)).array();
    std::vector<VQSwatchCollectionRef> fromJson;
    for (const QJsonValue &c : json) {
        std::vector<VQColorRef> colors;
        for (const QJsonValue &value : c.toObject()["colors"].toArray()) {
            const QJsonObject object = value.toObject();
            const QJsonArray v = object["components"].toArray();
            VQColorRef color =
                object["space"].toString() == QLatin1String("CMYK")
                    ? VQColor::makeCMYK(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble())
                    : VQColor::makeRGB(v[0].toDouble(), v[1].toDouble(), v[2].toDouble());
            if (!object["name"].isNull())
                color->setName(object["name"].toString());
            colors.push_back(color);
        }
        fromJson.push_back(collection(c.toObject()["title"].toString(), colors));
    }
    EXPECT_EQ(exactly(fromJson), exactly(library));
}

// Custom properties: one per colour in order, each a valid identifier and unique.
TEST_F(SwatchExportTest, CssCustomProperties)
{
    const QByteArray css = exported(sampleLibrary(), VQExportFormat::CSS);
    static const QRegularExpression property(QStringLiteral("^    --([^:]+): (#[0-9A-F]{6});$"),
                                             QRegularExpression::MultilineOption);
    QStringList names, hexes;
    for (auto it = property.globalMatch(QString::fromUtf8(css)); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        names << match.captured(1);
        hexes << match.captured(2);
    }
    EXPECT_EQ(names, (QStringList{"sea-sky-deep", "sea-sky-color-2", "sea-sky-ink", "sea-sky-line-break-and-more",
                                  "sea-sky-red", "sea-sky-red-2", "collection-black"}));
    EXPECT_EQ(hexes.join(' '), QStringLiteral("#0080FF #FFFFFF #80664D #5533B3 #FF0000 #CC0000 #000000"));
    EXPECT_TRUE(css.contains("    /* !!! */\n") && css.endsWith("    /* Empty */\n}\n")) << css.toStdString();

    struct Row {
        const char *text, *identifier;
    };
    const Row rows[] = {
        {"Ocean Blue", "ocean-blue"}, {"  --a__b--  ", "a__b"}, {"Größe 2", "größe-2"},       {"🎨", ""},
        {"a/*b*/c", "a-b-c"},         {"\x01\n", ""},           {"12 Monkeys", "12-monkeys"}, {"Ünïcödé", "ünïcödé"}};
    for (const Row &row : rows)
        EXPECT_EQ(VQCSSIdentifier(QString::fromUtf8(row.text)), QString::fromUtf8(row.identifier)) << row.text;

    // A name that takes the place a collision would take gets the next free one.
    const QByteArray taken =
        exported({collection("T", {named(VQColor::makeRGB(0, 0, 0), "a 2"), named(VQColor::makeRGB(0, 0, 0), "a"),
                                   named(VQColor::makeRGB(0, 0, 0), "A")})},
                 VQExportFormat::CSS);
    EXPECT_TRUE(taken.contains("--t-a-2: ") && taken.contains("--t-a: ") && taken.contains("--t-a-3: "));
}

// What the formats cannot hold is refused with the reason; nothing is written.
TEST_F(SwatchExportTest, RefusalsWriteNothing)
{
    const QString target = path(QStringLiteral("out.gpl"));
    ASSERT_TRUE(VQWriteExport({collection("Old", {VQColor::makeRGB(0, 0, 0)})}, VQExportFormat::GPL, target));
    const QByteArray before = VQReadAll(target);

    struct Row {
        const char *name;
        std::vector<VQSwatchCollectionRef> collections;
        VQExportFormat format;
        QString path;
        QString error;
    };
    const QString longName(0xFFFF, QLatin1Char('x'));
    const std::vector<Row> rows = {
        {"several collections to one palette", sampleLibrary(), VQExportFormat::GPL, target,
         "A GIMP palette holds one collection, and 3 were chosen: export them one at a time, or together as .ase or "
         ".json."},
        {"no collections", {}, VQExportFormat::JSON, target, "There are no collections to export."},
        {"a title too long for .ase",
         {collection(longName, {})},
         VQExportFormat::ASE,
         target,
         "The title in \"" + longName + "\" is longer than the 65534 characters .ase allows."},
        {"a name too long for .ase",
         {collection("L", {named(VQColor::makeRGB(0, 0, 0), longName)})},
         VQExportFormat::ASE,
         target,
         "A color's name in \"L\" is longer than the 65534 characters .ase allows."},
        {"a folder that does not exist",
         {collection("A", {})},
         VQExportFormat::GPL,
         path("none/out.gpl"),
         "Could not write " + path("none/out.gpl") + ": cannot create a file in " + path("none") +
             ": No such file or directory."},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QString error;
        EXPECT_FALSE(VQWriteExport(row.collections, row.format, row.path, &error));
        EXPECT_EQ(error, row.error);
        EXPECT_EQ(VQReadAll(target), before);
        EXPECT_EQ(QDir(path(QString())).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary file left
    }
}

// An empty collection and a palette of 100,000 colours: written as they are, read back as they were.
TEST_F(SwatchExportTest, EmptyAndLargeCollections)
{
    EXPECT_EQ(exported({collection("Empty", {})}, VQExportFormat::GPL),
              QByteArray("GIMP Palette\nName: Empty\nColumns: 0\n#\n"));
    EXPECT_EQ(
        VQDescribeCollections(VQGPLParser(exported({collection("Empty", {})}, VQExportFormat::GPL)).parseColors()),
        QStringLiteral("Empty: "));

    // Written in the layout of our own export, the palette comes back byte for byte.
    QByteArray text = "GIMP Palette\nName: Big\nColumns: 16\n#\n";
    for (int i = 0; i < 100000; ++i)
        text += QByteArray::number(i % 256).rightJustified(3) + ' ' +
                QByteArray::number(i / 256 % 256).rightJustified(3) + "   7\tc" + QByteArray::number(i) + '\n';
    const auto big = VQGPLParser(text).parseColors();
    ASSERT_TRUE(big);
    ASSERT_EQ(big->front()->count(), 100000u);
    EXPECT_EQ(exported(*big, VQExportFormat::GPL), text);
    const auto viaASE = VQASEParser(exported(*big, VQExportFormat::ASE)).parseColors();
    ASSERT_TRUE(viaASE);
    EXPECT_TRUE(exactly(*viaASE) == exactly(asFloats(*big)));
}

// Titles and names that are hard to keep come in from an .ase file, go into
// the library file and out of it again, and out as JSON and .ase, exactly.
TEST_F(SwatchExportTest, HardNamesSurviveImportLibraryAndExport)
{
    const std::vector<VQHardName> rows = VQHardNames();
    // A group per row titled with it, holding a colour named with it.
    std::vector<QByteArray> blocks;
    for (const VQHardName &row : rows)
        for (const QByteArray &block :
             {ase::groupStart(row.text), ase::color(row.text, "RGB ", {1, 0, 0}), ase::groupEnd()})
            blocks.push_back(block);
    QString error, warning;
    const auto imported = VQReadSwatchFile(write(QStringLiteral("hard.ase"), ase::file(blocks)), &error, &warning);
    ASSERT_TRUE(imported) << error.toStdString();
    EXPECT_EQ(warning, QString());

    const QString file = path(QStringLiteral("lib.vlb"));
    VQPlist root = VQPlist::dictionary();
    root.set(VQLibraryVersion, VQPlist::string(QString::fromLatin1(VQCurrentLibraryVersion)));
    root.set(VQLibraryContent, VQPlist::array());
    const std::unique_ptr<VQSwatchCore> library = VQSwatchCore::detachedFromLibrary(root.node(), file, &error);
    ASSERT_TRUE(library);
    for (const VQSwatchCollectionRef &collection : *imported)
        library->addCollection(collection);
    ASSERT_TRUE(library->writeToURL(file, &error)) << error.toStdString();
    VQLibraryOpenResult opened = VQSwatchCore::open(file);
    ASSERT_TRUE(opened.core) << opened.error->message.toStdString();
    const std::unique_ptr<VQSwatchCore> loaded = std::move(opened.core);
    const std::vector<VQSwatchCollectionRef> collections = loaded->allCollections();

    const QJsonArray json = QJsonDocument::fromJson(exported(collections, VQExportFormat::JSON)).array();
    const auto viaASE = VQASEParser(exported(collections, VQExportFormat::ASE)).parseColors();
    ASSERT_EQ(collections.size(), rows.size());
    ASSERT_EQ(json.size(), qsizetype(rows.size()));
    ASSERT_TRUE(viaASE && viaASE->size() == rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].label);
        const QString &text = rows[i].text;
        EXPECT_TRUE(collections[i]->title() == text && collections[i]->colors().at(0)->storedName() == text);
        const QJsonObject object = json[qsizetype(i)].toObject();
        EXPECT_TRUE(object["title"].toString() == text);
        EXPECT_TRUE(object["colors"].toArray()[0].toObject()["name"].toString() == text);
        EXPECT_TRUE((*viaASE)[i]->title() == text && (*viaASE)[i]->colors().at(0)->storedName() == text);
    }
}

// A palette row changes a name only as far as it must (control characters,
// blanks at either end), and every title and name so changed is counted.
TEST_F(SwatchExportTest, GimpPaletteCountsWhatItChanges)
{
    struct Row {
        const char *label;
        QString name, written; // written: as the row holds it
    };
    const std::vector<Row> rows = {
        {"kept", QStringLiteral("Deep \U0001F3A8"), QStringLiteral("Deep \U0001F3A8")},
        {"a leading U+FEFF is kept", QStringLiteral("\uFEFF\uFEFFx"), QStringLiteral("\uFEFF\uFEFFx")},
        {"60,000 characters", QString(60000, QLatin1Char('x')), QString(60000, QLatin1Char('x'))},
        {"blanks at either end", QStringLiteral("  a b\t"), QStringLiteral("a b")},
        {"a line break", QStringLiteral("a\nb"), QStringLiteral("a b")},
        {"CR LF and a tab", QStringLiteral("a\r\n\tb"), QStringLiteral("a b")},
        {"blanks only", QStringLiteral("  \t "), QString()},
        {"control characters only", QStringLiteral("\x01\x02"), QString()},
    };
    std::vector<VQColorRef> all;
    std::int64_t changes = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.label);
        VQChangedNames changed;
        const std::optional<QByteArray> gpl = VQExportCollections(
            {collection("T", {named(VQColor::makeRGB(0, 0, 0), row.name)})}, VQExportFormat::GPL, nullptr, &changed);
        ASSERT_TRUE(gpl);
        EXPECT_EQ(changed.count, row.written == row.name ? 0 : 1);
        changes += changed.count;
        VQGPLParser parser(*gpl);
        const auto back = parser.parseColors();
        ASSERT_TRUE(back);
        EXPECT_TRUE(back->front()->colors().at(0)->storedName().value_or(QString()) == row.written);
        EXPECT_EQ(parser.changedNames().count, 0);
        all.push_back(named(VQColor::makeRGB(0, 0, 0), row.name));
    }
    // All in one palette, with a title that loses its line break.
    VQChangedNames changed;
    ASSERT_TRUE(VQExportCollections({collection("Sea\nSky", all)}, VQExportFormat::GPL, nullptr, &changed)
                    ->contains("Name: Sea Sky\n"));
    EXPECT_EQ(changed.count, changes + 1);
    EXPECT_TRUE(VQDescribeChangedNames(changed).startsWith(QStringLiteral("6 names or titles were changed: ")));
    for (VQExportFormat format : {VQExportFormat::ASE, VQExportFormat::CSS, VQExportFormat::JSON}) {
        ASSERT_TRUE(VQExportCollections({collection("Sea\nSky", all)}, format, nullptr, &changed));
        EXPECT_EQ(changed.count, 0);
    }
}

// .css and .json can be pasted into an HTML page: no title or name ends a
// comment, a <style> or a <script> element, or breaks a script; read as their
// formats are read, they give every title and name back exactly.
TEST_F(SwatchExportTest, CssAndJsonAreSafeInAPage)
{
    std::vector<VQHardName> rows = VQHardNames();
    for (const char *text :
         {"}</style><script>alert(1)</script>", "a */ b /* c", "*/", "**//", "<!-- x -->", "</STYLE >",
          "x\u2028y\u2029z", "a & b > c < d", "\\3C  not an escape\\", "\\", "\\*/", "line\nbreak"})
        rows.push_back({text, QString::fromUtf8(text), true});
    for (const VQHardName &row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<VQSwatchCollectionRef> one = {
            collection(row.text, {named(VQColor::makeRGB(1, 0, 0), row.text)})};
        const QByteArray css = exported(one, VQExportFormat::CSS);
        const QByteArray json = exported(one, VQExportFormat::JSON);
        for (const QByteArray &bytes : {css, json}) {
            EXPECT_FALSE(bytes.contains("</") || bytes.contains("<!--"));
            EXPECT_FALSE(bytes.contains("\xE2\x80\xA8") || bytes.contains("\xE2\x80\xA9"));
        }
        // One comment, on the second line: its only end is its own.
        EXPECT_EQ(css.count("*/"), 1);
        const QStringList lines = QString::fromUtf8(css).split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 3);
        ASSERT_TRUE(lines[1].startsWith(QStringLiteral("    /* ")) && lines[1].endsWith(QStringLiteral(" */")));
        EXPECT_TRUE(cssUnescaped(lines[1].mid(7, lines[1].size() - 10)) == row.text);

        EXPECT_FALSE(json.contains('<') || json.contains('>') || json.contains('&'));
        const QJsonObject object = QJsonDocument::fromJson(json).array()[0].toObject();
        EXPECT_TRUE(object["title"].toString() == row.text);
        EXPECT_TRUE(object["colors"].toArray()[0].toObject()["name"].toString() == row.text);
    }
}
