#include "vqcore/VQDictionary.h"
#include "vqcore/VQLibraryLimits.h"
#include "vqcore/VQPlistWriter.h"
#include "vqcore/VQPropertyList.h"

#include "VQTestSupport.h"

#include <QDir>
#include <QFile>

#include <clocale>
#include <limits>
#include <random>
#include <thread>
#include <tuple>

#include <locale.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

constexpr std::uint64_t kUInt64Max = std::numeric_limits<std::uint64_t>::max();

// One document written through a sink, so the XML writer and the tree builder see the same events.
void writeSample(VQPlistSink &sink, const QString &text, double number)
{
    sink.beginDictionary();
    sink.key("text");
    sink.string(text);
    sink.key("number");
    sink.real(number);
    sink.key("id");
    sink.integer(9007199254740993ull);
    sink.key("when");
    sink.date(QDateTime::fromSecsSinceEpoch(1733472000, Qt::UTC));
    sink.key("yes");
    sink.boolean(true);
    sink.key("list");
    sink.beginArray();
    sink.integer(0);
    sink.beginDictionary();
    sink.endDictionary();
    sink.endArray();
    sink.endDictionary();
}

QByteArray sampleXML(const QString &text, double number)
{
    VQPlistXMLWriter writer;
    writeSample(writer, text, number);
    return writer.finish();
}

} // namespace

class VQPropertyListTest : public VQLibraryTest
{
};

TEST_F(VQPropertyListTest, ReadsXMLAndBinaryMadeByPython)
{
    const QString xmlPath = path(QStringLiteral("made.xml.plist"));
    const QString binPath = path(QStringLiteral("made.bin.plist"));
    ASSERT_EQ(VQRunPython(QStringLiteral(R"PY(
import plistlib, sys, datetime
value = {"DBVersion": "0.3", "flag": True, "name": "h\u00e9llo \u2713", "list": [1, 2, 3], "negative": -5,
         "when": datetime.datetime(2020, 1, 2, 3, 4, 5), "max": 18446744073709551615, "past53": 9007199254740993,
         "nested": {"RZTitle": "Reds"}}
for path, fmt in zip(sys.argv[1:], (plistlib.FMT_XML, plistlib.FMT_BINARY)):
    plistlib.dump(value, open(path, "wb"), fmt=fmt)
)PY"),
                          {xmlPath, binPath}),
              0);
    for (const QString &file : {xmlPath, binPath}) {
        SCOPED_TRACE(file.toStdString());
        QString error;
        auto plist = VQPlist::fromFile(file, &error);
        ASSERT_TRUE(plist.has_value()) << error.toStdString();
        const VQPlistNode root = plist->node();
        EXPECT_EQ(root["DBVersion"].toString(), QStringLiteral("0.3"));
        EXPECT_EQ(root["flag"].toBool(), true);
        EXPECT_EQ(root["name"].toString(), QStringLiteral("h\u00e9llo \u2713"));
        EXPECT_EQ(root["list"].at(2).toUInt64(), 3u);
        EXPECT_TRUE(root["when"].isDate());
        EXPECT_EQ(root["max"].toUInt64(), kUInt64Max);
        EXPECT_EQ(root["past53"].toUInt64(), 9007199254740993ull);
        EXPECT_EQ(root["negative"].integerValue(), -5);
        EXPECT_EQ(root["nested"]["RZTitle"].toString(), QStringLiteral("Reds"));
    }
}

TEST_F(VQPropertyListTest, RejectsJunkAndAcceptsALeadingByteOrderMark)
{
    for (const QByteArray &junk : {QByteArray(), QByteArray("not a property list"), QByteArray("bplist00\x01\x02")})
        EXPECT_FALSE(VQPlist::fromData(junk).has_value()) << junk.toStdString();
    auto parsed = VQPlist::fromData(QByteArray("\xEF\xBB\xBF\n  <plist><string>Reds</string></plist>"));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->node().toString(), QStringLiteral("Reds"));
    // The markup around the values: passed over where XML allows it, refused
    // where the document is broken before its value ends.
    const struct {
        const char *xml;
        const char *text; // the string read, or null when the document is refused
    } markup[] = {
        {"<!DOCTYPE x [<!ENTITY a \"]>\">]><plist version='1.0'><string>a &amp; &#x263A;</string></plist>",
         "a & \xE2\x98\xBA"},
        {"<plist><!-- c --><?pi x?><string>R<!--x--><?y?>e<![CDATA[d<s>]]></string></plist>", "Red<s>"},
        {"<plist><string>cut</string>", "cut"},
        {"<plist><string>then</string></plist>junk <<", "then"},
        {"<!DOCTYPE plist PUBLIC \"-//never closed", nullptr},
        {"<plist><string>x</strin></plist>", nullptr},
        {"<plist><array><string>x</string>text</array></plist>", nullptr},
        {"<plist version=1.0><string>x</string></plist>", nullptr},
        {"<plist><string>a &bogus; b</string></plist>", nullptr},
    };
    for (const auto &row : markup) {
        const auto read = VQPlist::fromData(QByteArray(row.xml));
        EXPECT_EQ(read.has_value(), row.text != nullptr) << row.xml;
        if (read && row.text) {
            EXPECT_EQ(read->node().toString(), QString::fromUtf8(row.text)) << row.xml;
        }
    }
    QString error;
    EXPECT_FALSE(VQPlist::fromFile(path(QStringLiteral("missing.plist")), &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

// Fuzzing found that a string holding a NUL character aborted the reader;
// libplist's binary reader then cut such strings at the NUL.
TEST_F(VQPropertyListTest, StringsHoldingNULCharactersAreRead)
{
    const QString binPath = path(QStringLiteral("nul.bin.plist"));
    ASSERT_EQ(
        VQRunPython(
            QStringLiteral(
                "import plistlib, sys\n"
                "plistlib.dump({'ascii': 'a\\x00b', 'wide': '\\u00e9\\x00\\u2713', "
                "'list': ['\\x00', 'x'], 'n': {'deep': 'c\\x00'}, 'k\\u00e9\\x00': 'd\\x00'}, open(sys.argv[1], 'wb'), "
                "fmt=plistlib.FMT_BINARY)\n"),
            {binPath}),
        0);
    auto plist = VQPlist::fromFile(binPath);
    ASSERT_TRUE(plist.has_value());
    const QChar nul(0);
    EXPECT_EQ((*plist)["ascii"].toString(), QStringLiteral("a") + nul + QStringLiteral("b"));
    EXPECT_EQ((*plist)["wide"].toString(), QString(QChar(0xE9)) + nul + QChar(0x2713));
    EXPECT_EQ((*plist)["list"].at(0).toString(), QString(nul));
    EXPECT_EQ((*plist)["n"]["deep"].toString(), QStringLiteral("c") + nul);
    // Fuzzing found that libplist aborts on reading a key that holds a NUL: keys are left alone.
    EXPECT_EQ((*plist)["k\xC3\xA9"].toString(), QStringLiteral("d") + nul);
    // A raw NUL in XML: what follows depends on the reader; the point is that reading goes on.
    static const char xml[] = "<plist><dict><key>name</key><string>a\0b</string></dict></plist>";
    const auto fromXML = VQPlist::fromData(QByteArray(xml, sizeof xml - 1));
    ASSERT_TRUE(fromXML.has_value());
    EXPECT_TRUE((*fromXML)["name"].toString().value_or(QString()).startsWith(QLatin1Char('a')));
}

// A property-list integer is decimal: libplist alone read "0123" as octal and "0x10" as hex.
TEST_F(VQPropertyListTest, XMLIntegersAreDecimal)
{
    struct Row {
        const char *text;
        std::optional<std::int64_t> value; // nothing: not an integer
    } rows[] = {
        {"0123", 123}, {"077", 77}, {"0", 0},         {"000", 0},
        {"-012", -12}, {"+7", 7},   {" \n 42\t", 42}, {"18446744073709551615", -1},
        {"0x10", {}},  {"1e3", {}}, {"12abc", {}},    {"", {}},
        {"--1", {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        const QByteArray xml = QByteArray("<plist><array><!-- <integer>010</integer> --><integer>") + row.text +
                               "</integer><integer>010</integer></array></plist>";
        const auto plist = VQPlist::fromData(xml);
        ASSERT_TRUE(plist.has_value());
        EXPECT_EQ(plist->node().at(0).isInteger(), row.value.has_value());
        if (row.value)
            EXPECT_EQ(plist->node().at(0).integerValue(), *row.value);
        else
            EXPECT_EQ(plist->node().at(0).toString(), QString::fromLatin1(row.text));
        EXPECT_EQ(plist->node().at(1).toUInt64(), 10u);
    }
}

// libplist reads and writes reals with the C library, which follows LC_NUMERIC:
// under a decimal-comma locale every real of the library read as 0.
TEST_F(VQPropertyListTest, NumbersReadAndWriteAlikeUnderADecimalCommaLocale)
{
    QString locpath, why;
    const std::optional<QString> name = VQCommaDecimalLocale(&locpath, &why);
    if (!name)
        GTEST_SKIP() << why.toStdString();
    if (!locpath.isEmpty())
        qputenv("LOCPATH", locpath.toUtf8());
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, name->toUtf8().constData()), nullptr);
    const auto roundTrip = [] {
        VQPlist list = VQPlist::array();
        list.append(VQPlist::real(0.5)).append(VQPlist::real(1.0 / 3.0));
        const QByteArray xml = list.toXML();
        const auto read = VQPlist::fromData(xml);
        const auto python = VQPlist::fromData("<plist><array><real>0.25</real></array></plist>");
        return std::tuple(xml.contains("<real>0.5"), read ? read->node().at(1).toDouble() : std::nullopt,
                          python ? python->node().at(0).toDouble() : std::nullopt);
    };
    const auto onThisThread = roundTrip();
    // A worker thread with its own locale, as a sync pass reads files on workers.
    decltype(roundTrip()) onAWorker;
    std::thread worker([&] {
        locale_t own = newlocale(LC_ALL_MASK, name->toUtf8().constData(), locale_t(nullptr));
        const locale_t old = own ? uselocale(own) : locale_t(nullptr);
        onAWorker = roundTrip();
        if (own) {
            uselocale(old);
            freelocale(own);
        }
    });
    worker.join();
    std::setlocale(LC_ALL, previous.c_str());
    for (const auto &[written, third, quarter] : {onThisThread, onAWorker}) {
        EXPECT_TRUE(written);
        EXPECT_EQ(third, 1.0 / 3.0);
        EXPECT_EQ(quarter, 0.25);
    }
}

TEST_F(VQPropertyListTest, LenientAccessorsAndNumbers)
{
    VQPlist dict = VQPlist::dictionary();
    VQPlist list = VQPlist::array();
    list.append(VQPlist::integer(1));
    dict.set("text", VQPlist::string(QStringLiteral("12"))).set("list", std::move(list));
    EXPECT_EQ(dict["text"].toUInt64(), std::nullopt);
    EXPECT_TRUE(dict["list"]["x"].at(0)["y"].isNull());

    // Numbers, numeric text and flags read as numbers; anything else as 0.
    struct Row {
        const char *key;
        VQPlist value;
        double asDouble;
        std::int64_t asInteger;
    } rows[] = {
        {"real", VQPlist::real(0.3), 0.3, 0},
        {"negativeReal", VQPlist::real(-2.7), -2.7, -2},
        {"past53", VQPlist::integer(9007199254740993ull), 9007199254740992.0, 9007199254740993LL},
        {"numericText", VQPlist::string(QStringLiteral("0.3")), 0.3, 0},
        {"hugeText", VQPlist::string(QStringLiteral("1e999")), 0, 1},
        {"true", VQPlist::boolean(true), 1, 1},
        {"emptyList", VQPlist::array(), 0, 0},
        {"absent", VQPlist(), 0, 0},
    };
    for (Row &row : rows)
        if (!row.value.isNull())
            dict.set(row.key, std::move(row.value));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(VQDictionary::doubleForKey(dict.node(), row.key), row.asDouble);
        EXPECT_EQ(VQDictionary::integerForKey(dict.node(), row.key), row.asInteger);
    }
    EXPECT_EQ(VQDictionary::integerForKey(VQPlistNode(), "x"), 0);
}

TEST_F(VQPropertyListTest, AtomicWriteReplacesTheFileOrLeavesEverythingAsItWas)
{
    VQPlist dict = VQPlist::dictionary();
    dict.set("DBVersion", VQPlist::string(QStringLiteral("0.3")));
    const QString file = path(QStringLiteral("Vellico Library.vlb"));
    VQWriteAll(file, "old contents");
    QString error;
    ASSERT_TRUE(dict.writeXMLFileAtomically(file, &error)) << error.toStdString();
    EXPECT_EQ(VQReadAll(file), dict.toXML());

    // Root may write anywhere, so fail where nobody can: the target is a folder, which stays as it was.
    const QString folderTarget = path(QStringLiteral("folder.vlb"));
    ASSERT_TRUE(QDir().mkpath(folderTarget));
    VQWriteAll(folderTarget + QStringLiteral("/inside"), "kept");
    EXPECT_FALSE(dict.writeXMLFileAtomically(folderTarget, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(VQReadAll(folderTarget + QStringLiteral("/inside")), QByteArray("kept"));
    // No temporary file is left behind, after success or failure.
    EXPECT_EQ(QDir(_home->path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("Vellico Library.vlb")}));
    EXPECT_FALSE(VQPlist().writeXMLFileAtomically(path(QStringLiteral("empty.plist")), &error));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("empty.plist"))));
}

TEST_F(VQPropertyListTest, XMLWriterTextAndRealsReadBackExactly)
{
    const QChar replacement(0xFFFD);
    struct Row {
        const char *name;
        QString text, expected;
    } rows[] = {
        {"markup characters", QStringLiteral("<a & b> \"c\" 'd'"), QStringLiteral("<a & b> \"c\" 'd'")},
        {"non-ASCII and emoji", QString::fromUtf8("caf\u00e9 \u6771 \U0001F3A8"),
         QString::fromUtf8("caf\u00e9 \u6771 \U0001F3A8")},
        {"tabs and newlines stay", QStringLiteral("a\tb\nc"), QStringLiteral("a\tb\nc")},
        {"control characters", QStringLiteral("a") + QChar(1) + QStringLiteral("b") + QChar(0x1f),
         QStringLiteral("a") + replacement + QStringLiteral("b") + replacement},
        {"noncharacter U+FFFF", QStringLiteral("x") + QChar(0xFFFF), QStringLiteral("x") + replacement},
        {"empty", QString(), QString()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        auto root = VQPlist::fromData(sampleXML(row.text, 0.5));
        ASSERT_TRUE(root.has_value());
        EXPECT_EQ((*root)["text"].toString(), row.expected);
        // Where nothing was replaced, the tree built from the same events gives the same document.
        VQPlistTreeBuilder builder;
        writeSample(builder, row.text, 0.5);
        if (row.text == row.expected) {
            EXPECT_EQ(VQPlist::fromData(builder.take().toXML())->toXML(), root->toXML());
        }
    }
    // Reals are written with enough digits to read back exactly.
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values = {0.0, 0.1, 1.0 / 3.0, 1e-300, 5e-324, 1.7976931348623157e308, -0.25, 255.0};
    for (int i = 0; i < 2000; ++i)
        values.push_back(unit(random));
    for (double value : values) {
        auto root = VQPlist::fromData(sampleXML(QStringLiteral("x"), value));
        ASSERT_TRUE(root.has_value());
        ASSERT_EQ((*root)["number"].toDouble(), value) << value;
    }
}

// Every string comes back code point for code point from a binary list, and
// from XML wherever XML can carry it; where it cannot, the XML writer says so.
// A leading U+FEFF is part of the text, not a byte-order mark to drop.
TEST_F(VQPropertyListTest, StringsComeBackCodePointForCodePoint)
{
    for (const VQHardName &row : VQHardNames()) {
        SCOPED_TRACE(row.label);
        VQPlistBinaryWriter binary;
        writeSample(binary, row.text, 0.5);
        const auto fromBinary = VQPlist::fromData(binary.finish());
        ASSERT_TRUE(fromBinary.has_value());
        EXPECT_TRUE((*fromBinary)["text"].toString() == row.text);

        VQPlistXMLWriter xml;
        writeSample(xml, row.text, 0.5);
        const auto fromXML = VQPlist::fromData(xml.finish());
        ASSERT_TRUE(fromXML.has_value());
        EXPECT_EQ(xml.replacedCharacters(), !row.xml);
        EXPECT_EQ((*fromXML)["text"].toString() == row.text, row.xml);
    }
}

TEST_F(VQPropertyListTest, PythonReadsTheXMLWeWrite)
{
    const QString file = path(QStringLiteral("out.plist"));
    // A raw carriage return would reach a conforming reader as a line feed.
    ASSERT_TRUE(
        VQWriteFileAtomically(file, sampleXML(QString::fromUtf8("Bl\u00e5 & <gr\u00f8n>\r\n") + QChar(2), 1.0 / 3.0)));
    QString output;
    ASSERT_EQ(VQRunPython(QStringLiteral("import plistlib, sys\n"
                                         "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
                                         "print(repr(d['text']), repr(d['number']), d['id'], d['when'].isoformat(), "
                                         "d['yes'], d['list'])\n"),
                          {file}, &output),
              0);
    EXPECT_EQ(output.trimmed(),
              QString::fromUtf8("'Bl\u00e5 & <gr\u00f8n>\\r\\n\ufffd' 0.3333333333333333 9007199254740993 "
                                "2024-12-06T08:00:00 True [0, {}]"));
}

TEST_F(VQPropertyListTest, BinaryWriterIsReadByPythonAndByUs)
{
    VQPlistBinaryWriter writer;
    writer.beginDictionary();
    writer.key("strings");
    writer.beginArray();
    for (const QString &text :
         {QStringLiteral("short"), QStringLiteral("an ASCII text of more than fifteen"), QString(),
          QString::fromUtf8("Bl\u00e5 \U0001F3A8"), QStringLiteral("x") + QChar(0xD800)})
        writer.string(text);
    writer.endArray();
    writer.key("integers");
    writer.beginArray();
    for (std::uint64_t value :
         {std::uint64_t(0), std::uint64_t(255), std::uint64_t(256), std::uint64_t(65536), std::uint64_t(1) << 32,
          std::uint64_t(INT64_MAX), std::uint64_t(INT64_MAX) + 1, kUInt64Max})
        writer.integer(value);
    writer.endArray();
    writer.key("reals");
    writer.beginArray();
    for (double value : {0.5, 1.0 / 3.0, -0.0, 5e-324})
        writer.real(value);
    writer.endArray();
    writer.key("sixteen");
    writer.beginArray();
    for (int i = 0; i < 16; ++i) {
        // The same keys in every dictionary are stored once.
        writer.beginDictionary();
        writer.key("i");
        writer.integer(std::uint64_t(i));
        writer.endDictionary();
    }
    writer.endArray();
    writer.key("when");
    writer.date(QDateTime::fromSecsSinceEpoch(1733472000, Qt::UTC));
    writer.key("flags");
    writer.beginArray();
    writer.boolean(true);
    writer.boolean(false);
    writer.endArray();
    writer.endDictionary();
    const QByteArray document = writer.finish();

    const QString file = path(QStringLiteral("out.bplist"));
    ASSERT_TRUE(VQWriteFileAtomically(file, document));
    QString output;
    ASSERT_EQ(VQRunPython(QStringLiteral("import plistlib, sys\n"
                                         "d = plistlib.load(open(sys.argv[1], 'rb'), fmt=plistlib.FMT_BINARY)\n"
                                         "print(d['strings'], [i % 2**64 for i in d['integers']], d['reals'], "
                                         "[x['i'] for x in d['sixteen']], d['when'].isoformat(), d['flags'])\n"),
                          {file}, &output),
              0);
    EXPECT_EQ(output.trimmed().toStdString(),
              std::string("['short', 'an ASCII text of more than fifteen', '', 'Bl\u00e5 \U0001F3A8', 'x?'] "
                          "[0, 255, 256, 65536, 4294967296, 9223372036854775807, 9223372036854775808, "
                          "18446744073709551615] [0.5, 0.3333333333333333, -0.0, 5e-324] "
                          "[0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15] 2024-12-06T08:00:00 [True, False]"));

    // (An unpaired surrogate is written as "?", as Qt's UTF-8 encoder and so the XML writer do.)
    // libplist reads it the same way, the largest integers included.
    const auto root = VQPlist::fromData(document);
    ASSERT_TRUE(root.has_value());
    EXPECT_EQ((*root)["integers"].at(7).toUInt64(), kUInt64Max);
    EXPECT_EQ((*root)["strings"].at(3).toString(), QString::fromUtf8("Bl\u00e5 \U0001F3A8"));
    EXPECT_EQ((*root)["sixteen"].at(15)["i"].toUInt64(), 15u);
    // The writer starts over after finish.
    writer.beginArray();
    writer.endArray();
    EXPECT_TRUE(VQPlist::fromData(writer.finish()).has_value());
}

// Written to a file, the binary writer hands the document on in pieces as it
// is made: the file holds exactly what the writer makes in memory, a document
// of several pieces and its offset table across them included.
TEST_F(VQPropertyListTest, BinaryWriterHandsAFileTheSameDocument)
{
    const auto write = [](VQPlistSink &sink, int entries) {
        sink.beginArray();
        for (int i = 0; i < entries; ++i) {
            sink.beginDictionary();
            sink.key("name");
            sink.string(QStringLiteral("Entry %1 ").arg(i).repeated(4));
            sink.key("value");
            sink.real(i / 7.0);
            sink.endDictionary();
        }
        sink.endArray();
    };
    struct Row {
        const char *name;
        int entries;
    };
    for (const Row &row : {Row{"one piece", 10}, Row{"several pieces", 60000}}) {
        SCOPED_TRACE(row.name);
        VQPlistBinaryWriter memory;
        write(memory, row.entries);
        const QByteArray expected = memory.finish();

        const QString file = path(QStringLiteral("streamed.bplist"));
        VQAtomicFileWriter out(file);
        ASSERT_TRUE(out.open());
        VQPlistBinaryWriter streamed(out);
        write(streamed, row.entries);
        EXPECT_TRUE(streamed.finish().isEmpty());
        ASSERT_TRUE(out.commit());
        EXPECT_EQ(VQReadAll(file), expected);
        const auto root = VQPlist::fromFile(file);
        ASSERT_TRUE(root.has_value());
        ASSERT_EQ(root->node().count(), std::uint32_t(row.entries));
        EXPECT_EQ(root->node().at(std::uint32_t(row.entries - 1))["value"].toDouble(), (row.entries - 1) / 7.0);
    }
}

// --- shapes libplist cannot take ---------------------------------------------------------

namespace
{

// A binary list of the given objects (each already encoded), references of
// `refSize` bytes, the first object on top.
QByteArray binaryList(const std::vector<QByteArray> &objects)
{
    QByteArray out("bplist00");
    std::vector<std::uint32_t> offsets;
    for (const QByteArray &object : objects) {
        offsets.push_back(std::uint32_t(out.size()));
        out += object;
    }
    const std::uint64_t table = std::uint64_t(out.size());
    for (std::uint32_t offset : offsets)
        for (int shift = 24; shift >= 0; shift -= 8)
            out.append(char((offset >> shift) & 0xFF));
    QByteArray trailer(32, '\0');
    trailer[6] = 4; // offset size
    trailer[7] = 4; // reference size
    for (int i = 0; i < 8; ++i) {
        trailer[8 + i] = char((std::uint64_t(objects.size()) >> (56 - 8 * i)) & 0xFF);
        trailer[24 + i] = char((table >> (56 - 8 * i)) & 0xFF);
    }
    return out + trailer;
}

// An array (marker 0xAn) of references to the given objects.
QByteArray arrayOf(const std::vector<std::uint32_t> &items)
{
    QByteArray a;
    if (items.size() < 15) {
        a.append(char(0xA0 | items.size()));
    } else {
        a.append(char(0xAF));
        a.append("\x12", 1);
        for (int shift = 24; shift >= 0; shift -= 8)
            a.append(char((items.size() >> shift) & 0xFF));
    }
    for (std::uint32_t item : items)
        for (int shift = 24; shift >= 0; shift -= 8)
            a.append(char((item >> shift) & 0xFF));
    return a;
}

// Arrays nested `depth` deep, each holding the next `width` times.
QByteArray nestedArrays(std::uint32_t depth, std::uint32_t width)
{
    std::vector<QByteArray> objects;
    for (std::uint32_t i = 0; i + 1 < depth; ++i)
        objects.push_back(arrayOf(std::vector<std::uint32_t>(width, i + 1)));
    objects.push_back(arrayOf({}));
    return binaryList(objects);
}

QByteArray nestedXML(int depth, const QByteArray &between = QByteArray())
{
    return "<?xml version=\"1.0\"?><plist version=\"1.0\">" + QByteArray("<array>").repeated(depth) + between +
           QByteArray("</array>").repeated(depth) + "</plist>";
}

} // namespace

// Deep nesting overflowed the stack of the parser we once used, and a
// 240-byte chain of shared arrays, expanded, ran out of memory: such lists are
// refused with the reason, as is a document that would cost too much.
TEST_F(VQPropertyListTest, RefusesShapesThatWouldExhaustTheParser)
{
    struct Row {
        const char *name;
        QByteArray data;
        bool reads;
    };
    const std::vector<Row> rows = {
        {"binary, ten levels", nestedArrays(10, 1), true},
        {"binary, a shared array referred to often but once per level", nestedArrays(3, 100), true},
        {"binary, a hundred thousand levels", nestedArrays(100000, 1), false},
        {"binary, 40 levels each holding the next twice", nestedArrays(40, 2), false},
        {"binary, an array holding itself", binaryList({arrayOf({0})}), false},
        {"binary, a reference to nothing", binaryList({arrayOf({7})}), false},
        {"binary, an offset table past the end",
         [] {
             QByteArray d = nestedArrays(2, 1);
             d[d.size() - 1] = char(0xF0);
             return d;
         }(),
         false},
        {"XML, ten levels with empty containers", nestedXML(10, "<array/><dict/><dict />"), true},
        {"XML, a hundred thousand levels", nestedXML(100000), false},
        {"XML, closings hidden in a comment do not count",
         nestedXML(1, "<!--" + QByteArray("</array>").repeated(300) + "-->" + QByteArray("<array>").repeated(300) +
                          QByteArray("</array>").repeated(300)),
         false},
        // libplist copies a shared string for every reference: 180 KB took 2 GB.
        {"binary, one 100 KB string referred to 20,000 times", VQSharedStringPlist(100000, 20000), false},
        {"binary, one 1 KB string referred to 1,000 times", VQSharedStringPlist(1000, 1000), true},
        // Held once, but a gigabyte as a library, and six as JSON.
        {"binary, one 1 MB string referred to 1,000 times", VQSharedStringPlist(1000000, 1000), false},
        {"binary, one 100 KB string referred to 400 times", VQSharedStringPlist(100000, 400), true},
        {"binary, one 100 KB string referred to 500 times", VQSharedStringPlist(100000, 500), false},
        // 800 MB as UTF-16, but libplist keeps it as UTF-8 of up to 3 bytes a character.
        {"binary, a UTF-16 string of 100,000 characters referred to 4,000 times",
         VQSharedStringPlist(100000, 4000, true), false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QString error;
        const std::optional<VQPlist> read = VQPlist::fromData(row.data, &error);
        EXPECT_EQ(read.has_value(), row.reads);
        EXPECT_EQ(error.isEmpty(), row.reads) << "a refusal says why";
        if (read) {
            EXPECT_LE(VQPlistFootprint(read->node()), VQPlistMaxExpandedBytes);
        }
    }
    QString error;
    VQPlist::fromData(VQSharedStringPlist(100000, 20000), &error);
    EXPECT_EQ(error, "would take more than 256 MB once read");
}

namespace
{
// A binary dictionary of the given keys (strings) and values (integers).
QByteArray binaryDictionary(const std::vector<std::pair<QByteArray, int>> &entries)
{
    const std::uint32_t n = std::uint32_t(entries.size());
    QByteArray dictionary = n < 15 ? QByteArray(1, char(0xD0 | n)) : QByteArray("\xDF\x10", 2) + char(n);
    for (std::uint32_t i = 0; i < 2 * n; ++i)
        for (int shift = 24; shift >= 0; shift -= 8)
            dictionary.append(char(((i + 1) >> shift) & 0xFF));
    std::vector<QByteArray> objects = {dictionary};
    for (const auto &[key, value] : entries)
        objects.push_back(char(0x50 | key.size()) + key);
    for (const auto &[key, value] : entries)
        objects.push_back(QByteArray(1, char(0x10)) + char(value));
    return binaryList(objects);
}

QByteArray xmlDictionary(const std::vector<std::pair<QByteArray, int>> &entries)
{
    QByteArray xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>";
    for (const auto &[key, value] : entries)
        xml += "<key>" + key + "</key><integer>" + QByteArray::number(value) + "</integer>";
    return xml + "</dict></plist>";
}
} // namespace

// A key said twice in one dictionary: it keeps its first place and the later
// value, whichever way the list is written.
TEST_F(VQPropertyListTest, DuplicateKeysTakeTheLaterValueInBothEncodings)
{
    struct Row {
        const char *name;
        std::vector<std::pair<QByteArray, int>> entries;
        std::vector<std::pair<QByteArray, int>> read;
    };
    // Past 32 entries, the readers index the keys instead of looking along them.
    std::vector<std::pair<QByteArray, int>> many, manyRead;
    for (int i = 0; i < 40; ++i)
        many.push_back({"k" + QByteArray::number(i), i});
    manyRead = many;
    many.push_back({"k3", 99});
    manyRead[3].second = 99;
    const std::vector<Row> rows = {
        {"one key twice", {{"a", 1}, {"b", 2}, {"a", 3}}, {{"a", 3}, {"b", 2}}},
        {"one key three times", {{"a", 1}, {"a", 2}, {"a", 3}}, {{"a", 3}}},
        {"no key twice", {{"a", 1}, {"b", 2}}, {{"a", 1}, {"b", 2}}},
        {"a large dictionary", many, manyRead},
    };
    for (const Row &row : rows) {
        for (const bool binary : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (binary ? ", binary" : ", XML"));
            const std::optional<VQPlist> read =
                VQPlist::fromData(binary ? binaryDictionary(row.entries) : xmlDictionary(row.entries));
            ASSERT_TRUE(read.has_value());
            std::vector<std::pair<QByteArray, int>> entries;
            read->node().forEachEntry([&](const QByteArray &key, VQPlistNode value) {
                entries.push_back({key, int(value.integerValue())});
            });
            EXPECT_EQ(entries, row.read);
            EXPECT_EQ((*read)[row.read.front().first.constData()].integerValue(), row.read.front().second);
        }
    }
}

// A binary list declares how many objects its table holds, and a table of
// one-byte offsets, all to one object, makes a short file declare millions;
// a name held once may be referred to a thousand times. What the reader keeps
// for such lists, read or refused, stays a small multiple of the file: the
// test reads each in a child process whose address space allows no more.
TEST_F(VQPropertyListTest, WhatAListCostsToReadIsASmallMultipleOfTheFile)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#endif
#endif
    // One object at offset 8, then the table: every entry points at it.
    const auto longTable = [](const QByteArray &object) {
        constexpr std::uint64_t kObjects = 16 * 1024 * 1024;
        QByteArray data = "bplist00" + object;
        const std::uint64_t table = std::uint64_t(data.size());
        data += QByteArray(qsizetype(kObjects), '\x08');
        QByteArray trailer(32, '\0');
        trailer[6] = 1; // offset size
        trailer[7] = 1; // reference size
        for (int i = 0; i < 8; ++i) {
            trailer[8 + i] = char((kObjects >> (56 - 8 * i)) & 0xFF);
            trailer[24 + i] = char((table >> (56 - 8 * i)) & 0xFF);
        }
        return data + trailer;
    };
    struct Row {
        const char *name;
        QByteArray data;
        bool reads;
    };
    const std::vector<Row> rows = {
        {"an empty dictionary, and 16 million entries in the table", longTable("\xD0"), true},
        {"an array that holds itself, and 16 million entries in the table", longTable(QByteArray("\xA1\x00", 2)),
         false},
        {"one 1 MB name referred to 1,000 times", VQSharedStringPlist(1000000, 1000), false},
    };
    QFile statm(QStringLiteral("/proc/self/statm"));
    ASSERT_TRUE(statm.open(QIODevice::ReadOnly));
    const std::uint64_t mapped = statm.readAll().split(' ').value(0).toULongLong() * std::uint64_t(getpagesize());
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        // What the process maps now, and room for five times the file on top.
        const std::uint64_t limit = mapped + 5 * std::uint64_t(row.data.size());
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlimit space{limit, limit};
            setrlimit(RLIMIT_AS, &space);
            QString error;
            const std::optional<VQPlist> read = VQPlist::fromData(row.data, &error);
            _exit(read.has_value() == row.reads && error.isEmpty() == row.reads ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "the child " << (WIFSIGNALED(status) ? "died of signal " : "ended with status ")
            << (WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status)) << " within " << limit << " bytes";
    }
}

// The limits must not refuse real lists: every property list among the
// shared fixtures, and the .clr keyed archives.
TEST_F(VQPropertyListTest, LimitsPassRealFiles)
{
    const QDir fixtures(QStringLiteral(VELLICO_FIXTURES_DIR));
    if (!fixtures.exists())
        GTEST_SKIP() << "the shared fixtures are missing";
    QStringList files;
    for (const char *folder : {"plist", "swatches/clr"})
        for (const QString &name :
             QDir(fixtures.filePath(folder)).entryList({"*.plist", "*.bplist", "keyed-*.clr"}, QDir::Files))
            files << fixtures.filePath(QString::fromLatin1(folder) + '/' + name);
    ASSERT_GE(files.size(), 10);
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_TRUE(VQPlist::fromData(VQReadAll(file)).has_value());
    }
}
