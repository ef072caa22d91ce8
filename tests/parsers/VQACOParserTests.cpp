#include "VQParsersTestSupport.h"
#include "VQSwatchBytes.h"

#include "parsers/VQACOParser.h"

namespace
{

class ACOParserTest : public VQParserTest
{
};

using aco::Record;

QString parse(const QByteArray &bytes)
{
    return VQDescribeCollections(VQACOParser(bytes).parseColors());
}

const QString kTitle = QStringLiteral("Imported from ACO: ");
const Record kRed{0, 65535, 0, 0, 0};
const Record kAzure{0, 0, 32768, 65535, 0};

} // namespace

TEST_F(ACOParserTest, SectionsAndNames)
{
    struct Row {
        const char *name;
        QByteArray file;
        QString expected;
    };
    const std::vector<Record> two = {kRed, kAzure};
    const QByteArray names = aco::section2(two, {"Red", "Blue"});
    const QByteArray red = aco::record(kRed);
    const std::vector<Row> rows = {
        {"version 1 only", aco::section1(two), kTitle + "#FF0000, #0080FF"},
        {"version 1 and 2", aco::section1(two) + names, kTitle + "Red=#FF0000, Blue=#0080FF"},
        {"version 2 only", names, kTitle + "Red=#FF0000, Blue=#0080FF"},
        {"Photoshop's trailer is not a third section",
         aco::section1(two) + names + "8BIMphry" + VQBytes().u32(12).u32(16).u16(1),
         kTitle + "Red=#FF0000, Blue=#0080FF"},
        {"more names than colours", aco::section1({kRed}) + names, kTitle + "Red=#FF0000"},
        {"fewer names than colours", aco::section1(two) + aco::section2(two, {"Red"}), kTitle + "Red=#FF0000, #0080FF"},
        {"a second section of another version", aco::section1(two) + VQBytes().u16(3).u16(1).raw(red),
         kTitle + "#FF0000, #0080FF"},
        {"non-ASCII names", aco::section2(two, {QString::fromUtf8("Zażółć"), QString::fromUtf16(u"\U0001F352")}),
         kTitle + QString::fromUtf16(u"Zażółć=#FF0000, \U0001F352=#0080FF")},
        {"a count larger than the records", VQBytes().u16(1).u16(6).raw(red).raw(aco::record(kAzure)),
         kTitle + "#FF0000, #0080FF"},
        {"a record cut short reads zeros", VQBytes().u16(1).u16(2).raw(red).u16(0).u16(0xFFFF),
         kTitle + "#FF0000, #FF0000"},
        {"a name length of 4 billion",
         aco::section1({kRed}) + VQBytes().u16(2).u16(1).raw(red).u32(0xFFFFFFFF).u16('A'), kTitle + "A=#FF0000"},
        // fuzz_aco: the reader stops in front of a lone last byte, and the record loops
        // used to wait for the end, making one black record per count.
        {"fuzz: a lone last byte after version 1 records", VQBytes().u16(1).u16(65535).raw(red).raw("\x01"),
         kTitle + "#FF0000"},
        {"fuzz: a lone last byte after version 2 records",
         VQBytes().u16(2).u16(65535).raw(red).raw(aco::name("R")).raw("\x01"), kTitle + "R=#FF0000"},
        {"fuzz: a lone last byte after the names",
         aco::section1({kRed}) + VQBytes().u16(2).u16(65535).raw(red).raw(aco::name("R")).raw("\x01"),
         kTitle + "R=#FF0000"},
        // 87 bytes claiming 12,550 records; they hold 9 (the last cut short), of which
        // only the first two are of spaces we compute.
        {"fuzz_aco crash-41748cf1",
         QByteArray::fromBase64(
             "AAExBgAA//8AAAAAAAAAAVVV/////wD//wAAAAD//wAHE4gH0NRIAAAACAnEAAAAAEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBA"
             "AAAACQAAJxAnEAAA"),
         kTitle + "#FF0000, #00FF00"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parse(row.file), row.expected);
    }
    for (const QByteArray &bytes : {QByteArray(), QByteArray("\x00", 1), QByteArray("\x00\x00\x00\x01", 4),
                                    QByteArray("8BIM"), QByteArray(VQBytes().u16(3).u16(1).raw(red))})
        EXPECT_EQ(parse(bytes), "(no list)") << bytes.toHex().toStdString();
}

TEST_F(ACOParserTest, ColourSpacesAreConvertedByTheirOwnRules)
{
    struct Row {
        const char *name;
        Record record;
        QString expected;
    };
    const std::vector<Row> rows = {
        {"RGB", {0, 0x3333, 0x6666, 0x9999, 0}, "#336699"},
        {"HSB red", {1, 0, 65535, 65535, 0}, "#FF0000"},
        {"HSB green, a third of a turn", {1, 21845, 65535, 65535, 0}, "#00FF00"},
        {"HSB full turn is red", {1, 65535, 65535, 65535, 0}, "#FF0000"},
        {"CMYK words count ink backwards", {2, 65535, 0, 0, 65535}, "cmyk(0,1,1,0)"},
        {"CMYK all zeros is full ink", {2, 0, 0, 0, 0}, "cmyk(1,1,1,1)"},
        {"Lab white", {7, 10000, 0, 0, 0}, "#FFFFFF"},
        {"Lab with signed a and b", {7, 1500, std::uint16_t(-1200), std::uint16_t(-1200), 0}, "#002B36"},
        {"Lab lightness beyond 100", {7, 60000, 0, 0, 0}, "#FFFFFF"},
        {"grayscale 0 is white", {8, 0, 0, 0, 0}, "#FFFFFF"},
        {"grayscale 25% ink", {8, 2500, 0, 0, 0}, "#BFBFBF"},
        {"grayscale beyond 100% is black", {8, 12000, 0, 0, 0}, "#000000"},
        {"wide CMYK", {9, 0, 10000, 5000, 0}, "cmyk(0,1,0.5,0)"},
        {"a colour book reference is left out", {3, 1, 2, 3, 4}, ""},
        {"an unknown space is left out", {42, 65535, 65535, 65535, 0}, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<Record> records = {row.record, kRed};
        EXPECT_EQ(parse(aco::section1(records) + aco::section2(records, {"it", "after"})),
                  kTitle + (row.expected.isEmpty() ? QString() : "it=" + row.expected + ", ") + "after=#FF0000");
    }
}
