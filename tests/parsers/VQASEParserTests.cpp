#include "VQParsersTestSupport.h"
#include "VQSwatchBytes.h"

#include "parsers/VQASEParser.h"

#include <bit>
#include <limits>

namespace
{

class ASEParserTest : public VQParserTest
{
};

using namespace ase;

QString parse(const QByteArray &bytes)
{
    return VQDescribeCollections(VQASEParser(bytes).parseColors());
}

const QString kUntitled = QStringLiteral("Untitled Collection");
const QByteArray kRed = color("Red", "RGB ", {1, 0, 0});
const QByteArray kGreen = color("Green", "RGB ", {0, 1, 0});

} // namespace

TEST_F(ASEParserTest, GroupsBlocksAndTheirCount)
{
    struct Row {
        const char *name;
        QByteArray file;
        QString expected;
    };
    // Blocks left by their length: the colour inside is not read.
    const QByteArray trap = colorBody("trap", "RGB ", {1, 1, 1});
    const std::vector<Row> rows = {
        {"two groups in file order",
         file({groupStart("A"), kRed, kGreen, groupEnd(), groupStart("B"), kRed, groupEnd()}),
         "A: Red=#FF0000, Green=#00FF00 | B: Red=#FF0000"},
        {"colours before the first group", file({kRed, groupStart("G"), kGreen}),
         kUntitled + ": Red=#FF0000 | G: Green=#00FF00"},
        {"an empty group is left out", file({groupStart("Empty"), groupEnd(), groupStart("Full"), kRed}),
         "Full: Red=#FF0000"},
        {"colours after a group end stay in that group", file({groupStart("G"), kRed, groupEnd(), kGreen}),
         "G: Red=#FF0000, Green=#00FF00"},
        {"nameless group blocks of length 0", file({block(0xC001, {}), kRed, block(0xC001, {}), kGreen}),
         kUntitled + ": Red=#FF0000 | " + kUntitled + ": Green=#00FF00"},
        {"a block count of 0", file({kRed}, 0), ""},
        {"the block count bounds the blocks read", file({kRed, kGreen}, 1), kUntitled + ": Red=#FF0000"},
        {"a block count far beyond the data", file({kRed}, 0xFFFFFFFFll), kUntitled + ": Red=#FF0000"},
        {"unknown block type", file({kRed, block(0x0042, trap), kGreen}), kUntitled + ": Red=#FF0000, Green=#00FF00"},
        {"a colour block longer than a name of 65,535 units makes",
         file({kRed, block(1, trap + QByteArray(131099 - trap.size(), 'x')), kGreen}),
         kUntitled + ": Red=#FF0000, Green=#00FF00"},
        {"a colour block of 65,536 bytes is read",
         file({kRed, block(1, trap + QByteArray(65536 - trap.size(), 'x')), kGreen}),
         kUntitled + ": Red=#FF0000, trap=#FFFFFF, Green=#00FF00"},
        {"a group block of 70,000 bytes is read",
         file({kRed, block(0xC001, name("Huge") + QByteArray(70000, '\0')), kGreen}),
         kUntitled + ": Red=#FF0000 | Huge: Green=#00FF00"},
        {"a group end with a body", file({kRed, block(0xC002, trap), kGreen}),
         kUntitled + ": Red=#FF0000, Green=#00FF00"},
        {"a group start with more than its name", file({block(0xC001, name("G") + trap), kGreen}), "G: Green=#00FF00"},
        {"colour entries with extra bytes, and with 4 bytes before the name",
         file({block(1, colorBody("long", "RGB ", {0, 0, 1}) + QByteArray(12, '\x7F')),
               block(2, QByteArray(4, '\x01') + colorBody("prefixed", "RGB ", {1, 1, 0})), kRed}),
         kUntitled + ": long=#0000FF, prefixed=#FFFF00, Red=#FF0000"},
        // One LAB lightness above 1 shows the whole file stores L* itself; then 0.5 is almost black.
        {"LAB lightness 0-100",
         file({color("w", "LAB ", {100, 0, 0}), color("d", "LAB ", {0.5f, 0, 0}), color("m", "LAB ", {50, 0, 0})}),
         kUntitled + ": w=#FFFFFF, d=#020202, m=#777777"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parse(row.file), row.expected);
    }
}

// Each colour is followed by a black one, which must survive whatever went before.
TEST_F(ASEParserTest, ColourModelsAndNames)
{
    struct Row {
        const char *name;
        QByteArray entry;
        QString expected;
    };
    const auto rgbNamed = [](const QByteArray &nameField) {
        return block(1, VQBytes().raw(nameField).raw("RGB ").f32(0).f32(0).f32(1).u16(0));
    };
    const std::vector<Row> rows = {
        {"RGB", color("c", "RGB ", {0.2f, 0.4f, 0.6f}), "c=#336699"},
        {"components beyond 0-1 are clamped", color("c", "RGB ", {1.5f, -0.25f, 0.5f}), "c=#FF0080"},
        {"CMYK stays CMYK", color("c", "CMYK", {0.25f, 0.5f, 0.75f, 1}), "c=cmyk(0.25,0.5,0.75,1)"},
        {"Gray 0.25 is a grey RGB", color("c", "Gray", {0.25f}), "c=#404040"},
        {"GRAY in capitals", color("c", "GRAY", {1}), "c=#FFFFFF"},
        {"rgb in small letters", color("c", "rgb ", {0, 0, 1}), "c=#0000FF"},
        {"LAB mid grey, L 0-1", color("c", "LAB ", {0.5f, 0, 0}), "c=#777777"},
        {"LAB pure red of sRGB, L 0-1", color("c", "LAB ", {0.5429f, 80.81f, 69.89f}), "c=#FF0000"},
        {"LAB out of gamut is clipped", color("c", "LAB ", {0.5f, 127, -128}), "c=#D600FF"},
        {"a NaN component reads as 0", color("c", "RGB ", {std::numeric_limits<float>::quiet_NaN(), 1, 1}),
         "c=#00FFFF"},
        {"the FF800000 pattern reads as 0", color("c", "RGB ", {-std::numeric_limits<float>::infinity(), 1, 0}),
         "c=#00FF00"},
        {"the FFCCCC00 pattern reads as 1", color("c", "RGB ", {std::bit_cast<float>(0xFFCCCC00u), 0, 0}), "c=#FF0000"},
        {"an unknown model makes no colour", color("c", "HSV ", {0, 0, 0}), ""},
        {"a colour whose floats are cut off", block(1, colorBody("c", "CMYK", {1, 1, 1, 1}).left(20)), ""},
        {"the terminating zero is dropped", rgbNamed(name("Sky")), "Sky=#0000FF"},
        {"emoji as surrogate pairs", rgbNamed(name(QString::fromUtf16(u"\U0001F600 x"))),
         QString::fromUtf16(u"\U0001F600 x=#0000FF")},
        {"an empty name leaves the colour unnamed", rgbNamed(VQBytes().u16(1).u16(0)), "#0000FF"},
        {"no terminator written", rgbNamed(VQBytes().u16(2).u16('o').u16('k')), "ok=#0000FF"},
        {"a name that ends in U+0000 keeps it", rgbNamed(VQBytes().u16(3).u16('a').u16(0).u16(0)),
         QStringLiteral("a") + QChar(0) + QStringLiteral("=#0000FF")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parse(file({row.entry, color("after", "RGB ", {0, 0, 0})})),
                  kUntitled + ": " + (row.expected.isEmpty() ? QString() : row.expected + ", ") + "after=#000000");
    }
}

TEST_F(ASEParserTest, WhatIsNotAnAseFileGivesNoListAndCutFilesKeepWhatIsComplete)
{
    // A sprite: little-endian file size, then the magic A5E0.
    const QByteArray sprite = QByteArray("\x80\x00\x00\x00\xE0\xA5", 6) + QByteArray(122, '\0');
    for (const QByteArray &bytes : {QByteArray(), QByteArray("ASE"), sprite, file({kRed}).replace(0, 4, "asef")})
        EXPECT_EQ(parse(bytes), "(no list)") << bytes.left(8).toHex().toStdString();

    const QByteArray whole = file({groupStart("G"), kRed, kGreen});
    struct Row {
        qsizetype cut;
        QString expected;
    };
    for (const Row &row : {Row{whole.size() - 2, "G: Red=#FF0000, Green=#00FF00"}, // only the colour type is missing
                           Row{whole.size() - 3, "G: Red=#FF0000"},                // a float is cut
                           Row{12, ""}, Row{10, ""}}) {
        SCOPED_TRACE(row.cut);
        EXPECT_EQ(parse(whole.left(row.cut)), row.expected);
    }
}
