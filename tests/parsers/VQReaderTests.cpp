#include "VQParsersTestSupport.h"

#include "VQException.h"
#include "VQParser.h"
#include "VQReader.h"

#include <QFile>

namespace {

class ReaderTest : public VQParserTest {};

VQReader readerOver(const QByteArray &bytes)
{
    return VQReader(reinterpret_cast<const std::uint8_t *>(bytes.constData()), bytes.size());
}

} // namespace

TEST_F(ReaderTest, AnEmptyFileReadsZerosLogsEachReadAndStays)
{
    const QByteArray empty;
    VQReader reader = readerOver(empty);
    EXPECT_EQ(reader.peakByte(0), 0);
    EXPECT_EQ(reader.readByte(), 0);
    EXPECT_EQ(reader.peakWord(), 0);
    EXPECT_EQ(reader.readWord(), 0);
    EXPECT_EQ(reader.read4ByteWord(), 0u);
    EXPECT_EQ(reader.readFloat(), 0.0f);
    EXPECT_EQ(reader.readUnicharStringOfLength(4), QString());
    EXPECT_EQ(reader.pointer(), 0);
    for (const char *method : {"peakByte", "readByte()", "peakWord()", "readWord()"}) {
        SCOPED_TRACE(method);
        EXPECT_GE(logLinesContaining(QStringLiteral("%1 ").arg(QLatin1String(method))), 1);
    }
    EXPECT_EQ(logLinesContaining(QStringLiteral("End of file.")), logLines().size());
    // read4ByteWord and readFloat are two readWord calls each.
    EXPECT_EQ(logLinesContaining(QStringLiteral("readWord() ")), 5);
}

TEST_F(ReaderTest, ThreeBytesGiveTheHighHalfAndStopBeforeTheOddByte)
{
    const QByteArray bytes("\x12\x34\x56", 3);
    VQReader reader = readerOver(bytes);
    EXPECT_EQ(reader.read4ByteWord(), 0x12340000u);
    EXPECT_EQ(reader.pointer(), 2);
    EXPECT_EQ(reader.peakWord(), 0);
    EXPECT_EQ(reader.peakByte(0), 0x56);
    EXPECT_EQ(reader.peakByte(1), 0);
    EXPECT_EQ(reader.readByte(), 0x56);
    EXPECT_EQ(reader.pointer(), 3);
}

TEST_F(ReaderTest, PeakingFarAwayOrBackwardsReadsNothing)
{
    const QByteArray bytes("\x01\x02", 2);
    VQReader reader = readerOver(bytes);
    reader.setPointer(1);
    EXPECT_EQ(reader.peakByte(-1), 0);
    EXPECT_EQ(reader.peakByte(std::numeric_limits<std::int64_t>::max()), 0);
    reader.setPointer(-5);
    EXPECT_EQ(reader.pointer(), 0);
    reader.setPointer(1000);
    EXPECT_EQ(reader.pointer(), 2);
}

TEST_F(ReaderTest, FloatsWithTheTwoReplacedPatterns)
{
    struct Row {
        const char *bytes;
        float value;
    };
    for (const Row &row : {Row{"\x3F\x80\x00\x00", 1.0f}, Row{"\xFF\x80\x00\x00", 0.0f}, Row{"\xFF\xCC\xCC\x00", 1.0f},
                           Row{"\x3F\x00\x00\x00", 0.5f}, Row{"\xC2\x86\x00\x00", -67.0f}}) {
        const QByteArray bytes(row.bytes, 4);
        SCOPED_TRACE(bytes.toHex().toStdString());
        VQReader reader = readerOver(bytes);
        EXPECT_EQ(reader.readFloat(), row.value);
        EXPECT_EQ(reader.pointer(), 4);
    }
}

TEST_F(ReaderTest, UnicharStrings)
{
    struct Row {
        const char *name;
        QByteArray bytes;
        std::int64_t units;
        QString text;
        std::int64_t pointer;
    };
    const std::vector<Row> rows = {
        {"zero unit kept", QByteArray("\x00\x41\x00\x42\x00\x00", 6), 3, QString::fromUtf16(u"AB\0", 3), 6},
        {"fewer units than the data", QByteArray("\x00\x41\x00\x42\x00\x00", 6), 1, QStringLiteral("A"), 2},
        {"surrogate pair", QByteArray("\xD8\x3D\xDE\x00\x00\x21", 6), 3, QString::fromUtf16(u"\U0001F600!"), 6},
        {"lone high surrogate", QByteArray("\xD8\x3D\x00\x41", 4), 2, QString::fromUtf16(u"\uFFFDA"), 4},
        {"lone low surrogate", QByteArray("\x00\x41\xDE\x00", 4), 2, QString::fromUtf16(u"A\uFFFD"), 4},
        {"high surrogate at the end", QByteArray("\x00\x41\xD8\x3D", 4), 2, QString::fromUtf16(u"A\uFFFD"), 4},
        {"two highs then a low", QByteArray("\xD8\x3D\xD8\x3D\xDE\x00", 6), 3, QString::fromUtf16(u"\uFFFD\U0001F600"), 6},
        {"runs off the end", QByteArray("\x00\x41\x00", 3), 4, QStringLiteral("A"), 3},
        {"a length of 4 billion", QByteArray("\x00\x41", 2), 0xFFFFFFFFll, QStringLiteral("A"), 2},
        {"length zero", QByteArray("\x00\x41", 2), 0, QString(), 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        VQReader reader = readerOver(row.bytes);
        EXPECT_EQ(reader.readUnicharStringOfLength(row.units), row.text);
        EXPECT_EQ(reader.pointer(), row.pointer);
    }
}

TEST_F(ReaderTest, ByteStrings)
{
    struct Row {
        const char *name;
        QByteArray bytes;
        std::int64_t length;
        std::optional<QString> text;
        std::int64_t pointer;
    };
    const std::vector<Row> rows = {
        {"stops at the zero byte", QByteArray("AB\0CD", 5), 5, QStringLiteral("AB"), 5},
        {"no zero byte", QByteArray("ASEF", 4), 4, QStringLiteral("ASEF"), 4},
        {"UTF-8", QByteArray("\xC3\xA9t\xC3\xA9", 6), 6, QString::fromUtf8("\xC3\xA9t\xC3\xA9"), 6},
        {"not UTF-8", QByteArray("A\xFF\xFE", 3), 3, std::nullopt, 3},
        {"runs off the end", QByteArray("AB", 2), 10, QStringLiteral("AB"), 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        VQReader reader = readerOver(row.bytes);
        EXPECT_EQ(reader.readStringOfLength(row.length), row.text);
        EXPECT_EQ(reader.pointer(), row.pointer);
    }
}

TEST_F(ReaderTest, TheBaseParserIsAbstractAndFilesThatCannotBeReadMakeNoParser)
{
    VQParser parser(QByteArray("ASEF"));
    try {
        parser.parseColors();
        ADD_FAILURE() << "parseColors() of the base class returned";
    } catch (const VQAbstractMethodException &exception) {
        EXPECT_EQ(exception.method(), "parseColors()");
    }

    EXPECT_EQ(VQParser::fromURL<VQParser>(path(QStringLiteral("missing.ase"))), nullptr);
    EXPECT_EQ(VQParser::fromURL<VQParser>(path(QString())), nullptr); // the home folder itself
    QFile file(path(QStringLiteral("two.ase")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x01\x02");
    file.close();
    const auto read = VQParser::fromURL<VQParser>(file.fileName());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->data(), QByteArray("\x01\x02"));
    EXPECT_EQ(read->URL(), file.fileName());
}
