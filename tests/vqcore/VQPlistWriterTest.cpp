#include "VQTestSupport.h"

#include "VQPlistWriter.h"

#include <QFile>

#include <random>

namespace {

// One document, written through a sink.
void writeSample(VQPlistSink &sink, const QString &text, double number)
{
    sink.beginDictionary();
    sink.key("text");
    sink.string(text);
    sink.key("number");
    sink.real(number);
    sink.key("id");
    sink.integer(1700000000123ull);
    sink.key("when");
    sink.date(QDateTime::fromSecsSinceEpoch(1733472000, Qt::UTC));
    sink.key("yes");
    sink.boolean(true);
    sink.key("list");
    sink.beginArray();
    sink.integer(0);
    sink.beginDictionary();
    sink.endDictionary();
    sink.beginArray();
    sink.endArray();
    sink.endArray();
    sink.endDictionary();
}

std::optional<VQPlist> parseXML(const QString &text, double number)
{
    VQPlistXMLWriter writer;
    writeSample(writer, text, number);
    return VQPlist::fromData(writer.finish());
}

} // namespace

TEST(PlistXMLWriter, WritesWhatTheReaderReadsBack)
{
    struct Row {
        const char *name;
        QString text;
        QString expected;
    };
    const Row rows[] = {
        {"plain", QStringLiteral("Ocean"), QStringLiteral("Ocean")},
        {"markup characters", QStringLiteral("<a & b> \"c\" 'd'"), QStringLiteral("<a & b> \"c\" 'd'")},
        {"non-ASCII and emoji", QString::fromUtf8("caf\u00e9 \u6771 \U0001F3A8"), QString::fromUtf8("caf\u00e9 \u6771 \U0001F3A8")},
        {"tabs and newlines stay", QStringLiteral("a\tb\nc"), QStringLiteral("a\tb\nc")},
        {"control characters become U+FFFD", QStringLiteral("a") + QChar(1) + QStringLiteral("b") + QChar(0x1f),
         QStringLiteral("a") + QChar(0xFFFD) + QStringLiteral("b") + QChar(0xFFFD)},
        {"noncharacter U+FFFF becomes U+FFFD", QStringLiteral("x") + QChar(0xFFFF), QStringLiteral("x") + QChar(0xFFFD)},
        {"empty", QString(), QString()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        auto root = parseXML(row.text, 0.5);
        ASSERT_TRUE(root.has_value());
        EXPECT_EQ((*root)["text"].toString(), row.expected);
        EXPECT_EQ((*root)["id"].toUInt64(), 1700000000123ull);
        EXPECT_EQ((*root)["yes"].toBool(), true);
        EXPECT_TRUE((*root)["when"].isDate());
        EXPECT_EQ((*root)["list"].count(), 3u);
        EXPECT_TRUE((*root)["list"].at(1).isDictionary());
    }
}

TEST(PlistXMLWriter, RealsReadBackExactly)
{
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values = {0.0, 1.0, 0.1, 1.0 / 3.0, 0.5, 1e-300, 5e-324, 1.7976931348623157e308, -0.25, 255.0};
    for (int i = 0; i < 2000; ++i)
        values.push_back(unit(random));
    for (double value : values) {
        auto root = parseXML(QStringLiteral("x"), value);
        ASSERT_TRUE(root.has_value());
        ASSERT_EQ((*root)["number"].toDouble(), value) << value;
    }
}

TEST(PlistXMLWriter, TheTreeBuilderAndTheWriterAgree)
{
    VQPlistTreeBuilder builder;
    writeSample(builder, QStringLiteral("same <&>"), 0.1 + 0.2);
    const VQPlist tree = builder.take();
    auto fromXML = parseXML(QStringLiteral("same <&>"), 0.1 + 0.2);
    ASSERT_TRUE(fromXML.has_value());
    // libplist's own writer on the built tree and our writer give the same document.
    EXPECT_EQ(VQPlist::fromData(tree.toXML())->toXML(), fromXML->toXML());
}

class PlistXMLWriterFiles : public VQLibraryTest {};

TEST_F(PlistXMLWriterFiles, AnotherProgramReadsWhatWeWrite)
{
    VQPlistXMLWriter writer;
    writeSample(writer, QString::fromUtf8("Bl\u00e5 & <gr\u00f8n>") + QChar(2), 1.0 / 3.0);
    ASSERT_TRUE(VQWriteFileAtomically(path(QStringLiteral("out.plist")), writer.finish()));
    QString output;
    ASSERT_EQ(VQRunPython(QStringLiteral(R"(
import plistlib, sys
d = plistlib.load(open(sys.argv[1], 'rb'))
print(repr(d['text']), repr(d['number']), d['id'], d['when'].isoformat(), d['yes'], len(d['list']))
)"),
                          {path(QStringLiteral("out.plist"))}, &output),
              0);
    EXPECT_EQ(output.trimmed(), QString::fromUtf8("'Bl\u00e5 & <gr\u00f8n>\ufffd' 0.3333333333333333 1700000000123 "
                                                  "2024-12-06T08:00:00 True 3"));
}
