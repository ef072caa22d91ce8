#include "VQParsersTestSupport.h"
#include "VQSwatchBytes.h"

#include "VQASEParser.h"

#include <cmath>
#include <limits>

namespace {

class ASEParserTest : public VQParserTest {
protected:
    std::optional<std::vector<VQSwatchCollectionRef>> parse(const QByteArray &bytes)
    {
        VQASEParser parser(bytes);
        return parser.parseColors();
    }
};

using namespace ase;

const QString kUntitled = QStringLiteral("Untitled Collection");

} // namespace

TEST_F(ASEParserTest, GroupsAndColours)
{
    struct Row {
        const char *name;
        QByteArray file;
        QString expected;
    };
    const QByteArray colourInTheWay = color(QStringLiteral("Hidden"), "RGB ", {1, 1, 1});
    const std::vector<Row> rows = {
        {"two groups in file order",
         file({groupStart("A"), color("Red", "RGB ", {1, 0, 0}), color("Green", "RGB ", {0, 1, 0}), groupEnd(),
               groupStart("B"), color("Blue", "RGB ", {0, 0, 1}), groupEnd()}),
         "A: Red=#FF0000, Green=#00FF00 | B: Blue=#0000FF"},
        {"no groups", file({color("a", "RGB ", {1, 0, 0}), color("b", "RGB ", {0, 1, 0}), color("c", "RGB ", {0, 0, 1})}),
         kUntitled + ": a=#FF0000, b=#00FF00, c=#0000FF"},
        {"colours before the first group",
         file({color("a", "RGB ", {1, 0, 0}), groupStart("G"), color("b", "RGB ", {0, 1, 0})}),
         kUntitled + ": a=#FF0000 | G: b=#00FF00"},
        {"an empty group is left out", file({groupStart("Empty"), groupEnd(), groupStart("Full"), color("x", "RGB ", {0, 0, 0}), groupEnd()}),
         "Full: x=#000000"},
        {"colours after a group end stay in that group",
         file({groupStart("G"), color("a", "RGB ", {1, 0, 0}), groupEnd(), color("b", "RGB ", {0, 0, 1})}),
         "G: a=#FF0000, b=#0000FF"},
        {"a group without its end", file({groupStart("Open"), color("a", "RGB ", {1, 0, 0})}), "Open: a=#FF0000"},
        {"nameless group blocks of length 0",
         file({block(0xC001, {}), color("a", "RGB ", {1, 0, 0}), block(0xC001, {}), color("b", "RGB ", {0, 1, 0})}),
         kUntitled + ": a=#FF0000 | " + kUntitled + ": b=#00FF00"},
        {"a group name with an empty text", file({groupStart(""), color("a", "RGB ", {1, 0, 0})}), kUntitled + ": a=#FF0000"},
        {"a block count of 0", file({color("a", "RGB ", {1, 0, 0})}, 0), ""},
        {"the block count bounds the blocks read", file({color("a", "RGB ", {1, 0, 0}), color("b", "RGB ", {0, 1, 0})}, 1),
         kUntitled + ": a=#FF0000"},
        {"a block count far beyond the data", file({color("a", "RGB ", {1, 0, 0})}, 0xFFFFFFFFll), kUntitled + ": a=#FF0000"},
        {"nothing after the header", file({}, 0xFFFFFFFFll), ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VQDescribeCollections(parse(row.file)), row.expected);
    }
}

TEST_F(ASEParserTest, ColourModels)
{
    struct Row {
        const char *name;
        QByteArray entry;
        QString expected;
    };
    const std::vector<Row> rows = {
        {"RGB", color("c", "RGB ", {0.2f, 0.4f, 0.6f}), "c=#336699"},
        {"CMYK stays CMYK", color("c", "CMYK", {0.25f, 0.5f, 0.75f, 1}), "c=cmyk(0.25,0.5,0.75,1)"},
        {"Gray 0.25 is a grey RGB", color("c", "Gray", {0.25f}), "c=#404040"},
        {"GRAY in capitals", color("c", "GRAY", {1}), "c=#FFFFFF"},
        {"rgb in small letters", color("c", "rgb ", {0, 0, 1}), "c=#0000FF"},
        {"LAB white, L 0-1", color("c", "LAB ", {1, 0, 0}), "c=#FFFFFF"},
        {"LAB mid grey, L 0-1", color("c", "LAB ", {0.5f, 0, 0}), "c=#777777"},
        {"LAB pure red of sRGB, L 0-1", color("c", "LAB ", {0.5429f, 80.81f, 69.89f}), "c=#FF0000"},
        {"LAB out of gamut is clipped", color("c", "LAB ", {0.5f, 127, -128}), "c=#D600FF"},
        {"a NaN component reads as 0", color("c", "RGB ", {std::numeric_limits<float>::quiet_NaN(), 1, 1}), "c=#00FFFF"},
        {"the FF800000 pattern reads as 0", color("c", "RGB ", {-std::numeric_limits<float>::infinity(), 1, 0}),
         "c=#00FF00"},
        {"an unknown model makes no colour", color("c", "HSV ", {0, 0, 0}), ""},
        {"a colour whose floats are cut off", block(1, colorBody("c", "CMYK", {1, 1, 1, 1}).left(20)), ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString described = VQDescribeCollections(parse(file({row.entry, color("after", "RGB ", {0, 0, 0})})));
        EXPECT_EQ(described, kUntitled + ": " + (row.expected.isEmpty() ? QString() : row.expected + ", ") + "after=#000000");
    }
    EXPECT_EQ(logLinesContaining(QStringLiteral("Unknown colorspace 48535620")), 1);
    EXPECT_GE(logLinesContaining(QStringLiteral("Color space CMYK: 0.25 0.5 0.75 1")), 1);
}

TEST_F(ASEParserTest, LabLightnessOfAFileWrittenWith0To100)
{
    // One lightness above 1 shows the whole file stores L* itself; then 0.5 is almost black.
    EXPECT_EQ(VQDescribeCollections(parse(file({color("w", "LAB ", {100, 0, 0}), color("d", "LAB ", {0.5f, 0, 0}),
                                                color("m", "LAB ", {50, 0, 0})}))),
              kUntitled + ": w=#FFFFFF, d=#020202, m=#777777");
}

TEST_F(ASEParserTest, Names)
{
    struct Row {
        const char *name;
        QByteArray nameField;
        QString expected;
    };
    const std::vector<Row> rows = {
        {"the terminating zero is dropped", ase::name("Sky"), "Sky=#0000FF"},
        {"emoji as surrogate pairs", ase::name(QString::fromUtf16(u"\U0001F600 x")), QString::fromUtf16(u"\U0001F600 x=#0000FF")},
        {"a lone surrogate", VQBytes().u16(3).u16(0xDC00).u16('a').u16(0), QString::fromUtf16(u"\uFFFDa=#0000FF")},
        {"an empty name leaves the colour unnamed", VQBytes().u16(1).u16(0), "#0000FF"},
        {"no terminator written", VQBytes().u16(2).u16('o').u16('k'), "ok=#0000FF"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray body = VQBytes().raw(row.nameField).raw("RGB ").f32(0).f32(0).f32(1).u16(0);
        EXPECT_EQ(VQDescribeCollections(parse(file({block(1, body)}))), kUntitled + ": " + row.expected);
    }
}

TEST_F(ASEParserTest, BlocksAreLeftByTheirLength)
{
    struct Row {
        const char *name;
        QByteArray block;
    };
    const QByteArray looksLikeAColour = colorBody("trap", "RGB ", {1, 1, 1});
    const std::vector<Row> rows = {
        {"unknown block type", block(0x0042, looksLikeAColour)},
        {"a colour block of 65,536 bytes", block(1, looksLikeAColour + QByteArray(65536 - looksLikeAColour.size(), 'x'))},
        {"a group block of 70,000 bytes", block(0xC001, ase::name("Huge") + QByteArray(70000, '\0'))},
        {"a group end with a body", block(0xC002, looksLikeAColour)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray bytes = file({color("first", "RGB ", {1, 0, 0}), row.block, color("next", "RGB ", {0, 1, 0})});
        EXPECT_EQ(VQDescribeCollections(parse(bytes)), kUntitled + ": first=#FF0000, next=#00FF00");
    }

    EXPECT_EQ(VQDescribeCollections(parse(file({block(0xC001, ase::name("G") + looksLikeAColour), color("next", "RGB ", {0, 1, 0})}))),
              "G: next=#00FF00");

    // A colour entry with extra bytes of its own, and one that starts with 4 bytes we skip.
    const QByteArray extra = block(1, colorBody("long", "RGB ", {0, 0, 1}) + QByteArray(12, '\x7F'));
    const QByteArray prefixed = block(2, QByteArray(4, '\x01') + colorBody("prefixed", "RGB ", {1, 1, 0}));
    EXPECT_EQ(VQDescribeCollections(parse(file({extra, prefixed, color("z", "RGB ", {0, 0, 0})}))),
              kUntitled + ": long=#0000FF, prefixed=#FFFF00, z=#000000");
}

TEST_F(ASEParserTest, WhatIsNotAnAseFileGivesNoList)
{
    struct Row {
        const char *name;
        QByteArray bytes;
    };
    // A sprite: little-endian file size, then the magic A5E0.
    const QByteArray sprite = VQBytes().raw(QByteArray("\x80\x00\x00\x00\xE0\xA5", 6)).raw(QByteArray(122, '\0'));
    for (const Row &row : {Row{"empty", {}}, Row{"three bytes", "ASE"}, Row{"sprite", sprite},
                           Row{"lower-case signature", file({color("a", "RGB ", {0, 0, 0})}).replace(0, 4, "asef")}}) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(parse(row.bytes).has_value());
    }
}

TEST_F(ASEParserTest, TruncatedFilesKeepWhatIsComplete)
{
    const QByteArray whole = file({groupStart("G"), color("a", "RGB ", {1, 0, 0}), color("b", "RGB ", {0, 1, 0})});
    struct Row {
        qsizetype cut;
        QString expected;
    };
    const qsizetype secondColourEnds = whole.size();
    for (const Row &row : {Row{secondColourEnds - 2, "G: a=#FF0000, b=#00FF00"}, // only the colour type is missing
                           Row{secondColourEnds - 3, "G: a=#FF0000"},            // a float is cut
                           Row{12, ""}, Row{10, ""}}) {
        SCOPED_TRACE(row.cut);
        EXPECT_EQ(VQDescribeCollections(parse(whole.left(row.cut))), row.expected);
    }
}

TEST_F(ASEParserTest, ColoursGetFreshIdentifiersAndTheirNamesADate)
{
    const auto collections = parse(file({color("a", "RGB ", {1, 0, 0}), color("b", "RGB ", {0, 1, 0})}));
    ASSERT_TRUE(collections && collections->size() == 1);
    const std::vector<VQColorRef> colors = collections->front()->colors();
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_NE(colors[0]->colorID(), colors[1]->colorID());
    EXPECT_EQ(colors[0]->modificationDate(), std::uint64_t(time()));
    EXPECT_GE(logLinesContaining(QStringLiteral("Number of chunks: 2")), 1);
    EXPECT_GE(logLinesContaining(QStringLiteral("Chunk Type: 0x10000")), 1);
}
