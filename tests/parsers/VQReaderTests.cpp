#include "VQParsersTestSupport.h"

#include "parsers/VQReader.h"

#include <limits>

namespace
{

class ReaderTest : public VQParserTest
{
};

VQReader readerOver(const QByteArray &bytes)
{
    return VQReader(reinterpret_cast<const std::uint8_t *>(bytes.constData()), bytes.size());
}

} // namespace

// Past the end every read gives 0, logs "End of file." and leaves the cursor at the end.
TEST_F(ReaderTest, ReadsPastTheEndGiveZerosAndStop)
{
    const QByteArray empty;
    VQReader nothing = readerOver(empty);
    EXPECT_EQ(nothing.readByte() + nothing.peakWord() + nothing.readWord() + nothing.read4ByteWord(), 0u);
    EXPECT_EQ(nothing.readFloat(), 0.0f); // the float of four zero bytes
    EXPECT_EQ(nothing.pointer(), 0);
    EXPECT_EQ(logLinesContaining(QStringLiteral("End of file.")), 7); // read4ByteWord and readFloat read two words

    // A word needs two bytes: the reader stops in front of an odd last byte.
    const QByteArray three("\x12\x34\x56", 3);
    VQReader reader = readerOver(three);
    EXPECT_EQ(reader.read4ByteWord(), 0x12340000u);
    EXPECT_EQ(reader.pointer(), 2);
    EXPECT_EQ(reader.peakWord(), 0);
    EXPECT_EQ(reader.peakByte(1), 0);
    EXPECT_EQ(reader.peakByte(-3), 0);
    EXPECT_EQ(reader.peakByte(std::numeric_limits<std::int64_t>::max()), 0);
    EXPECT_EQ(reader.readByte(), 0x56);
    EXPECT_EQ(reader.pointer(), 3);
    reader.setPointer(-5);
    EXPECT_EQ(reader.pointer(), 0);
    reader.skip(1000);
    EXPECT_EQ(reader.pointer(), 3);
}

TEST_F(ReaderTest, Strings)
{
    struct Row {
        const char *name;
        QByteArray bytes;
        std::int64_t length; // UTF-16 units, or bytes when `utf8`
        std::optional<QString> text;
        std::int64_t pointer;
        bool utf8 = false;
    };
    const std::vector<Row> rows = {
        {"a zero unit is kept", QByteArray("\x00\x41\x00\x42\x00\x00", 6), 3, QString::fromUtf16(u"AB\0", 3), 6},
        {"a surrogate pair", QByteArray("\xD8\x3D\xDE\x00\x00\x21", 6), 3, QString::fromUtf16(u"\U0001F600!"), 6},
        {"a lone high surrogate", QByteArray("\xD8\x3D\x00\x41", 4), 2, QString::fromUtf16(u"\uFFFDA"), 4},
        {"a lone low surrogate", QByteArray("\x00\x41\xDE\x00", 4), 2, QString::fromUtf16(u"A\uFFFD"), 4},
        {"a high surrogate at the end", QByteArray("\x00\x41\xD8\x3D", 4), 2, QString::fromUtf16(u"A\uFFFD"), 4},
        {"two highs then a low", QByteArray("\xD8\x3D\xD8\x3D\xDE\x00", 6), 3, QString::fromUtf16(u"\uFFFD\U0001F600"),
         6},
        {"units run off the end", QByteArray("\x00\x41\x00", 3), 4, QStringLiteral("A"), 3},
        {"a length of 4 billion units", QByteArray("\x00\x41", 2), 0xFFFFFFFFll, QStringLiteral("A"), 2},
        {"UTF-8 stops at the zero byte", QByteArray("\xC3\xA9t\0CD", 6), 6, QString::fromUtf8("\xC3\xA9t"), 6, true},
        {"not UTF-8", QByteArray("A\xFF\xFE", 3), 3, std::nullopt, 3, true},
        {"bytes run off the end", QByteArray("AB", 2), 10, QStringLiteral("AB"), 2, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        VQReader reader = readerOver(row.bytes);
        EXPECT_EQ(row.utf8 ? reader.readStringOfLength(row.length) : reader.readUnicharStringOfLength(row.length),
                  row.text);
        EXPECT_EQ(reader.pointer(), row.pointer);
    }
}
