#include "VQPropertyList.h"

#include "VQTestSupport.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <limits>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// The same library-like dictionary, written by python's plistlib in both formats.
const char *kMakePlists = R"PY(
import plistlib, sys, datetime
value = {
    "DBVersion": "0.3",
    "count": 42,
    "ratio": 0.5,
    "flag": True,
    "name": "h\u00e9llo \u2713",
    "list": [1, 2, 3],
    "when": datetime.datetime(2020, 1, 2, 3, 4, 5),
    "blob": b"\x00\x01",
    "max": 18446744073709551615,
    "past53": 9007199254740993,
    "negative": -5,
    "nested": {"RZTitle": "Reds"},
}
with open(sys.argv[1], "wb") as f:
    plistlib.dump(value, f, fmt=plistlib.FMT_XML)
with open(sys.argv[2], "wb") as f:
    plistlib.dump(value, f, fmt=plistlib.FMT_BINARY)
)PY";

} // namespace

class VQPropertyListTest : public VQLibraryTest {};

TEST_F(VQPropertyListTest, ReadsXMLAndBinaryMadeByAnotherProgram)
{
    const QString xmlPath = path(QStringLiteral("made.xml.plist"));
    const QString binPath = path(QStringLiteral("made.bin.plist"));
    ASSERT_EQ(VQRunPython(QString::fromUtf8(kMakePlists), {xmlPath, binPath}), 0);
    ASSERT_TRUE(readAll(binPath).startsWith("bplist00"));

    for (const QString &file : {xmlPath, binPath}) {
        SCOPED_TRACE(file.toStdString());
        QString error;
        auto plist = VQPlist::fromFile(file, &error);
        ASSERT_TRUE(plist.has_value()) << error.toStdString();
        const VQPlistNode root = plist->node();
        ASSERT_TRUE(root.isDictionary());
        EXPECT_EQ(root["DBVersion"].toString(), QStringLiteral("0.3"));
        EXPECT_EQ(root["DBVersion"].doubleValue(), 0.3);
        EXPECT_EQ(root["count"].toUInt64(), 42u);
        EXPECT_EQ(root["ratio"].toDouble(), 0.5);
        EXPECT_EQ(root["flag"].toBool(), true);
        EXPECT_EQ(root["name"].toString(), QStringLiteral("h\u00e9llo \u2713"));
        ASSERT_EQ(root["list"].count(), 3u);
        std::vector<std::uint64_t> items;
        root["list"].forEachItem([&](VQPlistNode item) { items.push_back(item.toUInt64().value_or(99)); });
        EXPECT_EQ(items, std::vector<std::uint64_t>({1, 2, 3}));
        EXPECT_TRUE(root["when"].isDate());
        EXPECT_TRUE(root["blob"].isData());
        EXPECT_EQ(root["max"].toUInt64(), std::numeric_limits<std::uint64_t>::max());
        EXPECT_EQ(root["past53"].toUInt64(), 9007199254740993ull);
        EXPECT_EQ(root["negative"].toDouble(), -5.0);
        EXPECT_EQ(root["negative"].integerValue(), -5);
        EXPECT_EQ(root["nested"]["RZTitle"].toString(), QStringLiteral("Reds"));
    }
}

TEST_F(VQPropertyListTest, LenientAccessorsOnWrongTypes)
{
    VQPlist dict = VQPlist::dictionary();
    dict.set("text", VQPlist::string(QStringLiteral("12")));
    VQPlist list = VQPlist::array();
    list.append(VQPlist::integer(1));
    dict.set("list", std::move(list));
    const VQPlistNode text = dict["text"];
    EXPECT_EQ(text.toUInt64(), std::nullopt);
    EXPECT_EQ(text.toDouble(), std::nullopt);
    EXPECT_EQ(text.toBool(), std::nullopt);
    EXPECT_EQ(text.count(), 0u);
    EXPECT_TRUE(text.at(0).isNull());
    EXPECT_TRUE(text["x"].isNull());
    EXPECT_EQ(dict["list"].toString(), std::nullopt);
    EXPECT_TRUE(dict["list"].at(1).isNull());
    EXPECT_TRUE(dict["list"]["x"].isNull());
    EXPECT_EQ(dict["list"].at(0).toUInt64(), 1u);

    const VQPlistNode null;
    EXPECT_TRUE(null.isNull());
    EXPECT_FALSE(null.isDictionary());
    EXPECT_EQ(null.toString(), std::nullopt);
    EXPECT_EQ(null.doubleValue(), 0.0);
    EXPECT_TRUE(null["deeper"]["still"].isNull());
    EXPECT_EQ(null.description(), QStringLiteral("(null)"));

    // Building into something that is not a container changes nothing.
    VQPlist notAContainer = VQPlist::string(QStringLiteral("x"));
    notAContainer.set("k", VQPlist::integer(1)).append(VQPlist::integer(2));
    EXPECT_EQ(notAContainer.node().toString(), QStringLiteral("x"));
}

TEST_F(VQPropertyListTest, DoubleValueOfNumbersTextAndJunk)
{
    VQPlist dict = VQPlist::dictionary();
    dict.set("real", VQPlist::real(0.3))
        .set("integer", VQPlist::integer(2))
        .set("text", VQPlist::string(QStringLiteral("0.3")))
        .set("paddedText", VQPlist::string(QStringLiteral("  12.5abc")))
        .set("junk", VQPlist::string(QStringLiteral("junk")))
        .set("empty", VQPlist::string(QString()))
        .set("hexText", VQPlist::string(QStringLiteral("0x10")))
        .set("infText", VQPlist::string(QStringLiteral("inf")))
        .set("nanText", VQPlist::string(QStringLiteral("nan")))
        .set("hugeText", VQPlist::string(QStringLiteral("1e999")))
        .set("commaText", VQPlist::string(QStringLiteral("1,5")))
        .set("past53", VQPlist::integer(9007199254740993ull))
        .set("past53Text", VQPlist::string(QStringLiteral("9007199254740993")))
        .set("negativeReal", VQPlist::real(-2.7))
        .set("true", VQPlist::boolean(true))
        .set("false", VQPlist::boolean(false))
        .set("list", VQPlist::array())
        .set("dict", VQPlist::dictionary());
    struct Row {
        const char *key;
        double value;
        std::int64_t integer;
    } rows[] = {
        {"real", 0.3, 0},        {"integer", 2, 2},      {"text", 0.3, 0},   {"paddedText", 12.5, 12},
        {"junk", 0, 0},          {"empty", 0, 0},        {"hexText", 0, 0},  {"infText", 0, 0},
        {"nanText", 0, 0},       {"hugeText", 0, 1},     {"commaText", 1, 1},
        {"past53", 9007199254740992.0, 9007199254740993LL}, {"past53Text", 9007199254740992.0, 9007199254740993LL},
        {"negativeReal", -2.7, -2},     {"true", 1, 1},     {"false", 0, 0},
        {"list", 0, 0},          {"dict", 0, 0},         {"absent", 0, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(dict[row.key].doubleValue(), row.value);
        EXPECT_EQ(dict[row.key].integerValue(), row.integer);
    }
}

TEST_F(VQPropertyListTest, LargeIntegersRoundTripThroughXML)
{
    struct Row {
        const char *name;
        std::uint64_t value;
    } rows[] = {
        {"largest unsigned 64-bit", std::numeric_limits<std::uint64_t>::max()},
        {"2^53 + 1", 9007199254740993ull},
        {"largest signed 64-bit", 9223372036854775807ull},
        {"one past it", 9223372036854775808ull},
        {"a time stamp", 1700000000ull},
        {"zero", 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        VQPlist dict = VQPlist::dictionary();
        dict.set("id", VQPlist::integer(row.value));
        auto again = VQPlist::fromData(dict.toXML());
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ((*again)["id"].toUInt64(), row.value);
        auto fromBinary = VQPlist::fromData(dict.toBinary());
        ASSERT_TRUE(fromBinary.has_value());
        EXPECT_EQ((*fromBinary)["id"].toUInt64(), row.value);
    }
}

TEST_F(VQPropertyListTest, WrittenXMLIsReadByAnotherProgram)
{
    VQPlist dict = VQPlist::dictionary();
    dict.set("past53", VQPlist::integer(9007199254740993ull));
    dict.set("stamp", VQPlist::integer(1700000000ull));
    dict.set("name", VQPlist::string(QStringLiteral("Blues & <Greens>")));
    const QString file = path(QStringLiteral("ours.plist"));
    ASSERT_TRUE(dict.writeXMLFileAtomically(file));
    QString output;
    ASSERT_EQ(VQRunPython(QStringLiteral("import plistlib,sys\n"
                                         "d=plistlib.load(open(sys.argv[1],'rb'))\n"
                                         "print(d['past53'], d['stamp'], d['name'])\n"),
                          {file}, &output),
              0);
    EXPECT_EQ(output.trimmed(), QStringLiteral("9007199254740993 1700000000 Blues & <Greens>"));
}

TEST_F(VQPropertyListTest, ParsingRejectsJunkAndAcceptsLeadingBlanks)
{
    EXPECT_FALSE(VQPlist::fromData(QByteArray()).has_value());
    EXPECT_FALSE(VQPlist::fromData("not a property list").has_value());
    EXPECT_FALSE(VQPlist::fromData("bplist00\x01\x02").has_value());
    VQPlist dict = VQPlist::dictionary();
    dict.set("RZTitle", VQPlist::string(QStringLiteral("Reds")));
    const QByteArray withBOM = QByteArray("\xEF\xBB\xBF\n  ") + dict.toXML();
    auto parsed = VQPlist::fromData(withBOM);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ((*parsed)["RZTitle"].toString(), QStringLiteral("Reds"));

    QString error;
    EXPECT_FALSE(VQPlist::fromFile(path(QStringLiteral("missing.plist")), &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(VQPropertyListTest, AtomicWriteReplacesTheFileAndLeavesNoTemporary)
{
    const QString folder = path(QStringLiteral("lib"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/Vellico Library.vlb");
    writeAll(file, "old contents");
    VQPlist dict = VQPlist::dictionary();
    dict.set("DBVersion", VQPlist::string(QStringLiteral("0.3")));
    QString error;
    ASSERT_TRUE(dict.writeXMLFileAtomically(file, &error)) << error.toStdString();
    EXPECT_EQ(readAll(file), dict.toXML());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({QStringLiteral("Vellico Library.vlb")}));
}

TEST_F(VQPropertyListTest, FailedAtomicWriteLeavesEverythingAsItWas)
{
    // Root may write anywhere, so make the folder impossible: its "parent" is a file.
    const QString blocker = path(QStringLiteral("not-a-folder"));
    writeAll(blocker, "I am a file");
    VQPlist dict = VQPlist::dictionary();
    dict.set("DBVersion", VQPlist::string(QStringLiteral("0.3")));
    QString error;
    EXPECT_FALSE(dict.writeXMLFileAtomically(blocker + QStringLiteral("/Vellico Library.vlb"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(blocker), QByteArray("I am a file"));

    // A target that is a folder cannot be replaced either; the folder and its content stay.
    const QString folderTarget = path(QStringLiteral("folder.vlb"));
    ASSERT_TRUE(QDir().mkpath(folderTarget));
    writeAll(folderTarget + QStringLiteral("/inside"), "kept");
    error.clear();
    EXPECT_FALSE(dict.writeXMLFileAtomically(folderTarget, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(folderTarget + QStringLiteral("/inside")), QByteArray("kept"));
    const QStringList leftovers = QDir(_home->path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(leftovers, QStringList({QStringLiteral("not-a-folder")}));

    // Nothing to write is refused too.
    EXPECT_FALSE(VQPlist().writeXMLFileAtomically(path(QStringLiteral("empty.plist")), &error));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("empty.plist"))));
}

// Fuzzing found that a string holding a NUL character aborted the reader.
TEST_F(VQPropertyListTest, StringsHoldingNULCharactersAreRead)
{
    const QString xmlPath = path(QStringLiteral("nul.xml.plist"));
    const QString binPath = path(QStringLiteral("nul.bin.plist"));
    ASSERT_EQ(VQRunPython(QStringLiteral(R"PY(
import plistlib, sys
plistlib.dump({"name": "a\x00b"}, open(sys.argv[2], "wb"), fmt=plistlib.FMT_BINARY)
)PY"),
                          {xmlPath, binPath}),
              0);
    static const char xml[] = "<plist><dict><key>name</key><string>a\0b</string></dict></plist>";
    writeAll(xmlPath, QByteArray(xml, sizeof xml - 1));
    for (const QString &file : {xmlPath, binPath}) {
        SCOPED_TRACE(file.toStdString());
        auto plist = VQPlist::fromFile(file);
        ASSERT_TRUE(plist.has_value());
        const std::optional<QString> name = (*plist)["name"].toString();
        ASSERT_TRUE(name.has_value());
        // What follows the NUL depends on the reader (binary lists stop there); the
        // point is that reading goes on.
        EXPECT_TRUE(name->startsWith(QLatin1Char('a'))) << name->toStdString();
    }
}
