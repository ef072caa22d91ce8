// The GIMP palette reader: every row GIMP takes comes in, in order, with its
// name; every row it refuses is skipped with its line.

#include "VQParsersTestSupport.h"

#include "parsers/VQGPLParser.h"

namespace
{

class GPLParserTest : public VQParserTest
{
};

struct Parsed {
    QString collections;
    std::vector<std::int64_t> skippedLines;
};

Parsed parse(const QByteArray &bytes, const QString &path = QString())
{
    VQGPLParser parser(bytes, path);
    Parsed parsed{VQDescribeCollections(parser.parseColors()), {}};
    for (const VQSkippedEntry &entry : parser.skippedEntries())
        parsed.skippedLines.push_back(entry.position);
    return parsed;
}

} // namespace

TEST_F(GPLParserTest, Rows)
{
    struct Row {
        const char *name;
        QByteArray file;
        QString expected;
        std::vector<std::int64_t> skipped = {};
        QString path = {};
    };
    const QByteArray header = "GIMP Palette\nName: P\n";
    const std::vector<Row> rows = {
        {"header, Name, Columns and a comment line", "GIMP Palette\nName: Warm\nColumns: 2\n#\n255 0 0\tRed\n",
         "Warm: Red=#FF0000"},
        {"Columns before Name, both optional", "GIMP Palette\nColumns: 9\nName: W\n0 0 255 Blue\n", "W: Blue=#0000FF"},
        {"no Name: the file's name", "GIMP Palette\n1 2 3 a\n", "My Colors: a=#010203", {}, "/x/My Colors.gpl"},
        {"no Name and no file", "GIMP Palette\n1 2 3\n", "Untitled Collection: #010203"},
        {"comments and blank lines anywhere", header + "# one\n\n   \n1 1 1 a\n  # indented\n\t\n2 2 2 b\n#\n",
         "P: a=#010101, b=#020202"},
        {"odd spacing before, between and after", header + "\t 1   2\t3 \t  Two  Words \t\n7\t8\t9\n",
         "P: Two  Words=#010203, #070809"},
        {"right-aligned numbers", header + "  0   0   0\tBlack\n 10 200   5\tMixed\n",
         "P: Black=#000000, Mixed=#0AC805"},
        {"missing names", header + "1 2 3\n4 5 6   \n", "P: #010203, #040506"},
        {"CRLF", "GIMP Palette\r\nName: C\r\n# x\r\n\r\n255 255 255\tWhite\r\n0 0 0\r\n", "C: White=#FFFFFF, #000000"},
        {"byte-order mark", "\xEF\xBB\xBFGIMP Palette\nName: B\n1 2 3 x\n", "B: x=#010203"},
        {"out-of-range numbers are skipped",
         header + "256 0 0 A\n1 1 1 B\n0 0 999 C\n0 1000000000000 0 D\n",
         "P: B=#010101",
         {3, 5, 6}},
        {"signs, fractions and hex are not whole numbers",
         header + "-1 0 0\n+1 0 0\n1.5 0 0\n0x10 0 0\n5 5 5 ok\n",
         "P: ok=#050505",
         {3, 4, 5, 6}},
        {"fewer than three numbers or words", header + "1 2\nRed 1 2 3\n12abc 0 0\n3 3 3\n", "P: #030303", {3, 4, 5}},
        {"the last line without its end", header + "1 1 1 a\n7 8 9 Last", "P: a=#010101, Last=#070809"},
        {"the last line cut inside a row", header + "1 1 1 a\n7 8", "P: a=#010101", {4}},
        {"leading zeros", header + "000 0255 010 z\n", "P: z=#00FF0A"},
        {"Name after the first row is a row, and refused", header + "1 1 1\nName: Late\n", "P: #010101", {4}},
        {"a Columns line that is no number is passed over", "GIMP Palette\nColumns: many\nName: N\n1 1 1\n",
         "N: #010101"},
        {"control characters in a name become one space",
         header + "1 2 3 a\x01\x02z\x7F"
                  "b\tc \xC2\x85 d\n",
         "P: a z b c   d=#010203"},
        {"UTF-8 names, and Latin-1 where a name is not UTF-8",
         header + "1 2 3 Zaż\xC3\xB3\xC5\x82\xC4\x87 \xF0\x9F\x8E\xA8\n4 5 6 caf\xE9\n",
         QStringLiteral("P: Zażółć 🎨=#010203, café=#040506")},
        {"a name of blanks is no name", header + "1 2 3 \t \n", "P: #010203"},
        {"no rows: the collection without colours", "GIMP Palette\nName: Empty\n# nothing\n", "Empty: "},
        {"a header with more on its line", "GIMP Palette v2\nName: H\n1 1 1\n", "H: #010101"},
        {"no header", "Name: X\n1 2 3\n", "(no list)"},
        {"the header on a later line", "\nGIMP Palette\n1 2 3\n", "(no list)"},
        {"a lower-case header", "gimp palette\n1 2 3\n", "(no list)"},
        {"empty data", "", "(no list)"},
        {"fuzz: a name that starts with U+FEFF keeps it", "GIMP Palette\nName: \xEF\xBB\xBFT\n1 1 1 \xEF\xBB\xBFn\n",
         QStringLiteral("\uFEFFT: \uFEFFn=#010101")},
        {"a NUL inside a row", header + QByteArray("1 2 3 a\0b\n4\0 5 6\n", 17), "P: a b=#010203", {4}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const Parsed parsed = parse(row.file, row.path);
        EXPECT_EQ(parsed.collections, row.expected);
        EXPECT_EQ(parsed.skippedLines, row.skipped);
    }
}

TEST_F(GPLParserTest, SkippedRowsAreDescribedWithTheirLines)
{
    VQGPLParser parser("GIMP Palette\n300 0 0\n1 2\n1 1 1\n");
    ASSERT_TRUE(parser.parseColors());
    EXPECT_EQ(VQDescribeSkippedRows(parser.skippedEntries()),
              QStringLiteral("2 rows were skipped: line 2 (300 is outside 0–255), line 3 (fewer than three numbers)."));

    QByteArray many = "GIMP Palette\n";
    for (int i = 0; i < 12; ++i)
        many += "x\n";
    VQGPLParser manyParser(many);
    ASSERT_TRUE(manyParser.parseColors());
    EXPECT_TRUE(VQDescribeSkippedRows(manyParser.skippedEntries())
                    .endsWith(QStringLiteral("line 11 (not three whole numbers), and 2 more.")));
}

// One row past the most colours a library holds refuses the file, with the
// line (100,000 rows come in: VQSwatchExportTests).
TEST_F(GPLParserTest, APaletteOverTheLimitIsRefused)
{
    QByteArray tooMany = "GIMP Palette\n";
    tooMany.reserve(6 * (VQGPLParser::kMaximumRows + 3));
    for (std::int64_t i = 0; i <= VQGPLParser::kMaximumRows; ++i)
        tooMany += "0 0 0\n";
    VQGPLParser refused(tooMany);
    EXPECT_FALSE(refused.parseColors());
    EXPECT_EQ(refused.failure(), QStringLiteral("line 219491: more than 219489 colors"));
}
