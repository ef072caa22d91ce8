// The colour-list reader over both archive forms. Inputs are made here by two
// small writers (a typed stream and a keyed archive built through libplist);
// real files by other programs are read from the shared fixtures folder.

#include "VQColorList.h"
#include "VQPropertyList.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <plist/plist.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Components pass through float in a typed stream and decimal text in a keyed archive.
constexpr double kFloatTolerance = 1e-6;

// ---------------------------------------------------------------------------
// A typed-stream writer for colour lists: header, "i" 1, "@i" nil N, N × "@@".

class TypedStreamWriter {
public:
    explicit TypedStreamWriter(bool bigEndian = false) : _bigEndian(bigEndian)
    {
        _out.append('\x04');
        _out.append(bigEndian ? QByteArray("\x0btypedstream") : QByteArray("\x0bstreamtyped"));
        integer(1000);
    }

    // Writes the list's head; `count` may differ from the entries that follow.
    void beginList(std::int64_t count)
    {
        group("i");
        integer(1);
        group("@i");
        _out.append('\x85');
        integer(count);
    }
    void entry(const QByteArray &key, char kind, const std::vector<double> &components, const char *types)
    {
        group("@@");
        color(kind, components, types);
        string(key);
    }
    // A colour object: kind, then its components as one group of `types`.
    void color(char kind, const std::vector<double> &components, const char *types)
    {
        beginObject({{"NSColor", 0}, {"NSObject", 0}});
        group("c");
        _out.append(kind);
        group(types);
        for (std::size_t i = 0; i < components.size(); ++i)
            real(components[i], types[i] == 'd');
        _out.append('\x86');
    }
    void string(const QByteArray &text)
    {
        beginObject({{"NSString", 1}, {"NSObject", 0}});
        group("+");
        integer(text.size());
        _out.append(text);
        _out.append('\x86');
    }
    // A catalogue colour: kind 6, catalogue and colour names, fallback colour.
    void namedColor(const QByteArray &catalog, const QByteArray &name)
    {
        beginObject({{"NSColor", 0}, {"NSObject", 0}});
        group("c");
        _out.append('\x06');
        group("@@@");
        string(catalog);
        string(name);
        color(1, {1, 0, 0, 1}, "ffff");
        _out.append('\x86');
    }

    void group(const QByteArray &types) { shared(types); }
    // A reference to the object or class numbered `index`.
    void reference(int index) { integer(std::int64_t(index) - 110); }
    void raw(const QByteArray &bytes) { _out.append(bytes); }
    void integer(std::int64_t v)
    {
        if (v >= -110 && v <= 127) {
            _out.append(char(std::int8_t(v)));
        } else if (v >= -32768 && v <= 32767) {
            _out.append('\x81');
            fixed(std::int16_t(v));
        } else {
            _out.append('\x82');
            fixed(std::int32_t(v));
        }
    }
    void real(double v, bool asDouble)
    {
        if (v == std::floor(v) && v >= -110 && v <= 127) {
            integer(std::int64_t(v)); // whole numbers are written as integers
        } else {
            _out.append('\x83');
            if (asDouble)
                fixed(v);
            else
                fixed(float(v));
        }
    }
    QByteArray data() const { return _out; }

private:
    struct ClassName { const char *name; int version; };
    void beginObject(std::initializer_list<ClassName> chain)
    {
        _out.append('\x84');
        ++_objects;
        for (const ClassName &cls : chain) {
            const auto found = _classes.constFind(cls.name);
            if (found != _classes.constEnd()) {
                reference(*found);
                return;
            }
            _out.append('\x84');
            shared(cls.name);
            integer(cls.version);
            _classes.insert(cls.name, _objects++);
        }
        _out.append('\x85');
    }
    void shared(const QByteArray &text)
    {
        const auto found = _strings.constFind(text);
        if (found != _strings.constEnd()) {
            reference(*found);
            return;
        }
        _out.append('\x84');
        integer(text.size());
        _out.append(text);
        _strings.insert(text, int(_strings.size()));
    }
    template <class T> void fixed(T value)
    {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        if (_bigEndian)
            std::reverse(bytes, bytes + sizeof(T));
        _out.append(bytes, sizeof(T));
    }

    bool _bigEndian;
    QByteArray _out;
    QHash<QByteArray, int> _strings;
    QHash<QByteArray, int> _classes;
    int _objects = 0;
};

// ---------------------------------------------------------------------------
// A keyed-archive writer: objects are appended to $objects and referred to by UID.

class KeyedArchiveWriter {
public:
    KeyedArchiveWriter() : _objects(VQPlist::array()) { add(VQPlist::string("$null")); }

    std::uint64_t add(VQPlist object)
    {
        _objects.append(std::move(object));
        return _count++;
    }
    static VQPlist uid(std::uint64_t index) { return VQPlist(plist_new_uid(index)); }
    static VQPlist data(const QByteArray &bytes)
    {
        return VQPlist(plist_new_data(bytes.constData(), std::uint64_t(bytes.size())));
    }
    std::uint64_t classNamed(const char *name)
    {
        if (!_classIDs.contains(name)) {
            VQPlist classes = VQPlist::array();
            classes.append(VQPlist::string(name)).append(VQPlist::string("NSObject"));
            VQPlist cls = VQPlist::dictionary();
            cls.set("$classname", VQPlist::string(name)).set("$classes", std::move(classes));
            _classIDs.insert(name, add(std::move(cls)));
        }
        return _classIDs.value(name);
    }
    std::uint64_t array(const std::vector<std::uint64_t> &items)
    {
        VQPlist list = VQPlist::array();
        for (std::uint64_t item : items)
            list.append(uid(item));
        VQPlist object = VQPlist::dictionary();
        object.set("NS.objects", std::move(list)).set("$class", uid(classNamed("NSMutableArray")));
        return add(std::move(object));
    }
    // A colour dictionary; the caller adds the component keys.
    static VQPlist colorObject(std::uint64_t kind) 
    {
        VQPlist color = VQPlist::dictionary();
        color.set("NSColorSpace", VQPlist::integer(kind));
        return color;
    }
    std::uint64_t addColor(VQPlist color)
    {
        color.set("$class", uid(classNamed("NSColor")));
        return add(std::move(color));
    }
    // An NSColorSpace with an ICC profile header saying `signature` (none when empty), and NSModel when given.
    std::uint64_t colorSpace(const char *signature, std::optional<std::int64_t> model = std::nullopt)
    {
        VQPlist space = VQPlist::dictionary();
        space.set("NSID", VQPlist::integer(7));
        if (std::strlen(signature) == 4) {
            QByteArray profile(128, '\0');
            std::memcpy(profile.data() + 16, signature, 4);
            std::memcpy(profile.data() + 36, "acsp", 4);
            space.set("NSICC", uid(add(data(profile))));
        }
        if (model)
            space.set("NSModel", VQPlist::integer(std::uint64_t(*model)));
        space.set("$class", uid(classNamed("NSColorSpace")));
        return add(std::move(space));
    }

    // The archive with $top { NSKeys, NSColors }, or those two on a root object.
    QByteArray finish(std::uint64_t keys, std::uint64_t colors, bool onRoot = false)
    {
        VQPlist top = VQPlist::dictionary();
        if (onRoot) {
            VQPlist root = VQPlist::dictionary();
            root.set("NSName", VQPlist::string("List")).set("NSKeys", uid(keys)).set("NSColors", uid(colors));
            top.set("root", uid(add(std::move(root))));
        } else {
            top.set("NSKeys", uid(keys)).set("NSColors", uid(colors));
        }
        VQPlist archive = VQPlist::dictionary();
        archive.set("$archiver", VQPlist::string("NSKeyedArchiver"))
            .set("$version", VQPlist::integer(100000))
            .set("$top", std::move(top))
            .set("$objects", std::move(_objects));
        return archive.toBinary();
    }

private:
    VQPlist _objects;
    std::uint64_t _count = 0;
    QHash<QByteArray, std::uint64_t> _classIDs;
};

struct Expected {
    bool present = false;
    VQColorSpace space = VQColorSpace::RGB;
    std::array<double, 4> components{};
};
Expected none() { return {}; }
Expected rgb(double r, double g, double b) { return {true, VQColorSpace::RGB, {r, g, b, 0}}; }
Expected cmyk(double c, double m, double y, double k) { return {true, VQColorSpace::CMYK, {c, m, y, k}}; }

::testing::AssertionResult matches(const VQColorRef &color, const Expected &expected, double tolerance)
{
    if (!expected.present)
        return color ? ::testing::AssertionFailure() << "a colour where none was expected"
                     : ::testing::AssertionSuccess();
    if (!color)
        return ::testing::AssertionFailure() << "no colour";
    if (color->colorSpace() != expected.space)
        return ::testing::AssertionFailure() << "colour space " << int(color->colorSpace());
    for (std::size_t i = 0; i < 4; ++i)
        if (!(std::fabs(color->components()[i] - expected.components[i]) <= tolerance))
            return ::testing::AssertionFailure()
                   << "component " << i << ": " << color->components()[i] << " is not " << expected.components[i];
    return ::testing::AssertionSuccess();
}

QByteArray oneTypedEntry(char kind, const std::vector<double> &components, const char *types)
{
    TypedStreamWriter w;
    w.beginList(1);
    w.entry("Only", kind, components, types);
    return w.data();
}

// Bytes that must give no list, and a reason.
struct RefusedRow {
    const char *name;
    std::function<QByteArray()> make;
};
void expectAllRefused(const std::vector<RefusedRow> &rows)
{
    for (const RefusedRow &row : rows) {
        SCOPED_TRACE(row.name);
        QString error;
        EXPECT_FALSE(VQReadColorList(row.make(), &error));
        EXPECT_FALSE(error.isEmpty());
    }
}

QString fixture(const char *name)
{
    return QStringLiteral(VELLICO_FIXTURES_DIR "/swatches/clr/") + QString::fromLatin1(name);
}

} // namespace

// --- the typed stream ----------------------------------------------------------------

TEST(VQColorListTypedStreamTest, EachColorKind)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row { const char *name; char kind; std::vector<double> components; const char *types; Expected expected; };
    const std::vector<Row> rows = {
        {"calibrated RGB", 1, {0.25, 0.5, 0.75, 1}, "ffff", rgb(0.25, 0.5, 0.75)},
        {"device RGB", 2, {0.125, 0.625, 0.375, 1}, "ffff", rgb(0.125, 0.625, 0.375)},
        {"whole components written as integers", 2, {1, 0, 1, 1}, "ffff", rgb(1, 0, 1)},
        {"calibrated white is grey RGB", 3, {0.5, 1}, "ff", rgb(0.5, 0.5, 0.5)},
        {"device white", 4, {0.25, 1}, "ff", rgb(0.25, 0.25, 0.25)},
        {"device CMYK", 5, {0.1, 0.2, 0.3, 0.4, 1}, "fffff", cmyk(0.1, 0.2, 0.3, 0.4)},
        {"components as doubles", 1, {0.1, 0.2, 0.3, 1}, "dddd", rgb(0.1, 0.2, 0.3)},
        {"alpha is ignored", 2, {0.5, 0.5, 0.5, 0.25}, "ffff", rgb(0.5, 0.5, 0.5)},
        {"a component that is no number gives no colour", 1, {nan, 0.5, 0.5, 1}, "ffff", none()},
        {"too few components give no colour", 5, {0.1, 0.2}, "ff", none()},
        {"an unknown kind keeps its key without a colour", 9, {0.5, 0.5, 0.5, 1}, "ffff", none()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QString error;
        const auto list = VQReadColorList(oneTypedEntry(row.kind, row.components, row.types), &error);
        ASSERT_TRUE(list) << error.toStdString();
        ASSERT_EQ(list->entries.size(), 1u);
        EXPECT_EQ(list->entries[0].key, QStringLiteral("Only"));
        EXPECT_TRUE(matches(list->entries[0].color, row.expected, kFloatTolerance));
    }
}

TEST(VQColorListTypedStreamTest, KeysInListOrderEachOnce)
{
    TypedStreamWriter w(/*bigEndian=*/true);
    w.beginList(5);
    w.entry("Zebra", 1, {1, 0, 0, 1}, "ffff");
    w.entry("apple", 3, {0.5, 1}, "ff");
    w.entry("Mango", 2, {0, 1, 0, 1}, "ffff");
    w.entry("Zebra", 2, {0, 0, 1, 1}, "ffff"); // the same key again: new colour, old place
    w.entry("Äpfel 🍎", 5, {0, 0.5, 1, 0, 1}, "fffff");
    QString error;
    const auto list = VQReadColorList(w.data(), &error);
    ASSERT_TRUE(list) << error.toStdString();
    ASSERT_EQ(list->entries.size(), 4u);
    const QStringList expectedKeys = {"Zebra", "apple", "Mango", QStringLiteral("Äpfel 🍎")};
    for (std::size_t i = 0; i < list->entries.size(); ++i)
        EXPECT_EQ(list->entries[i].key, expectedKeys[qsizetype(i)]);
    EXPECT_TRUE(matches(list->entries[0].color, rgb(0, 0, 1), kFloatTolerance));
    EXPECT_TRUE(matches(list->entries[3].color, cmyk(0, 0.5, 1, 0), kFloatTolerance));
}

TEST(VQColorListTypedStreamTest, CatalogueColoursKeepTheirKeysWithoutColours)
{
    TypedStreamWriter w;
    w.beginList(2);
    w.group("@@");
    w.namedColor("Apple", "Red");
    w.string("First");
    w.group("@@");
    w.namedColor("Apple", "Blue");
    w.string("Second");
    const auto list = VQReadColorList(w.data());
    ASSERT_TRUE(list);
    ASSERT_EQ(list->entries.size(), 2u);
    EXPECT_EQ(list->entries[1].key, QStringLiteral("Second"));
    EXPECT_FALSE(list->entries[0].color);
    EXPECT_FALSE(list->entries[1].color);
}

TEST(VQColorListTypedStreamTest, AColourSharedByTwoKeys)
{
    TypedStreamWriter w;
    w.beginList(2);
    w.entry("One", 2, {0.25, 0.5, 0.75, 1}, "ffff");
    w.group("@@");
    w.reference(0); // the first colour object again
    w.string("Two");
    const auto list = VQReadColorList(w.data());
    ASSERT_TRUE(list);
    ASSERT_EQ(list->entries.size(), 2u);
    EXPECT_TRUE(matches(list->entries[1].color, rgb(0.25, 0.5, 0.75), kFloatTolerance));
}

// Streams that are not colour lists, or are damaged or hostile, give no list and a reason.
TEST(VQColorListTypedStreamTest, RefusesWhatIsNoColourList)
{
    using Row = RefusedRow;
    const auto listOf = [](std::int64_t count, const std::function<void(TypedStreamWriter &)> &body) {
        TypedStreamWriter w;
        w.beginList(count);
        body(w);
        return w.data();
    };
    const std::vector<Row> rows = {
        {"no header", [] { return QByteArray("\x04\x0bstreamtype"); }},
        {"another signature", [] { return QByteArray("\x04\x0bstreamtypex\x81\xe8\x03"); }},
        {"another stream version", [] { QByteArray d = TypedStreamWriter().data(); d[0] = 9; return d; }},
        {"a header and nothing else", [] { return TypedStreamWriter().data(); }},
        {"fewer entries than counted", [&] { return listOf(3, [](TypedStreamWriter &w) { w.entry("A", 1, {1, 0, 0, 1}, "ffff"); }); }},
        // A count this large must not make the reader set aside room for it.
        {"a count of 2^31 - 1 in a tiny file", [&] { return listOf(0x7fffffff, [](TypedStreamWriter &) {}); }},
        {"a negative count", [&] { return listOf(-1, [](TypedStreamWriter &) {}); }},
        {"a key that is no string", [&] {
             return listOf(1, [](TypedStreamWriter &w) {
                 w.group("@@");
                 w.color(1, {1, 0, 0, 1}, "ffff");
                 w.raw("\x85"); // nil key
             });
         }},
        {"a key that refers back to the colour", [&] {
             return listOf(1, [](TypedStreamWriter &w) {
                 w.group("@@");
                 w.color(1, {1, 0, 0, 1}, "ffff");
                 w.reference(0);
             });
         }},
        {"a reference to nothing", [&] {
             return listOf(1, [](TypedStreamWriter &w) {
                 w.group("@@");
                 w.reference(40);
             });
         }},
        {"an unknown type code", [&] {
             return listOf(1, [](TypedStreamWriter &w) {
                 w.group("@?");
             });
         }},
        {"a reserved tag where a number belongs", [&] {
             return listOf(1, [](TypedStreamWriter &w) {
                 w.group("@@");
                 w.color(1, {1, 0, 0, 1}, "ffff");
                 w.raw("\x84\x84\x84\x08NSString\x80"); // class version tagged 0x80
             });
         }},
        {"a string longer than the file", [&] {
             return listOf(1, [](TypedStreamWriter &w) {
                 w.raw("\x84\x82\xff\xff\xff\x7f");
             });
         }},
        // Empty structures take no bytes; four billion of them must not take for ever.
        {"four billion empty structures", [&] {
             return listOf(1, [](TypedStreamWriter &w) {
                 w.group("[4294967295{}]");
             });
         }},
        {"a deeply nested type", [&] {
             return listOf(1, [](TypedStreamWriter &w) {
                 w.group(QByteArray(5000, '^') + "i");
                 w.integer(1);
             });
         }},
        {"an array count beyond 32 bits", [&] {
             return listOf(1, [](TypedStreamWriter &w) {
                 w.group("[99999999999c]");
             });
         }},
    };
    expectAllRefused(rows);
}

// Objects inside objects: a few levels read, thousands are refused without
// exhausting the stack.
TEST(VQColorListTypedStreamTest, NestingIsCapped)
{
    struct Row { int depth; bool reads; };
    for (const Row row : {Row{5, true}, Row{20000, false}}) {
        SCOPED_TRACE(row.depth);
        TypedStreamWriter w;
        w.group("i");
        w.integer(1);
        w.group("@i");
        for (int level = 0; level < row.depth; ++level) {
            w.raw("\x84"); // a new object, numbered 2 × level
            if (level == 0) {
                w.raw("\x84");
                w.group("NSObject"); // the class name, a shared string like a type string
                w.integer(0);
                w.raw("\x85");
            } else {
                w.reference(1);
            }
            w.group("@");
        }
        w.raw("\x85");
        w.raw(QByteArray(row.depth, '\x86'));
        w.integer(0);
        QString error;
        const auto list = VQReadColorList(w.data(), &error);
        EXPECT_EQ(bool(list), row.reads) << error.toStdString();
    }
}

// A class whose superclass is itself: asking what it derives from must end.
TEST(VQColorListTypedStreamTest, ClassLoopsEnd)
{
    TypedStreamWriter w;
    w.beginList(1);
    w.group("@@");
    w.raw("\x84\x84");
    w.group("Loop");
    w.integer(0);
    w.reference(1); // its own number: the object is 0, its class 1
    w.group("c");
    w.raw("\x01");
    w.group("ffff");
    w.raw(QByteArray(4, '\x01'));
    w.raw("\x86");
    w.string("Key");
    QString error;
    const auto list = VQReadColorList(w.data(), &error);
    ASSERT_TRUE(list) << error.toStdString();
    ASSERT_EQ(list->entries.size(), 1u);
    EXPECT_FALSE(list->entries[0].color);
}

// --- the keyed archive ---------------------------------------------------------------

TEST(VQColorListKeyedTest, EachColorKind)
{
    using W = KeyedArchiveWriter;
    using Make = std::function<VQPlist(W &)>;
    const auto legacy = [](std::uint64_t kind, const char *key, VQPlist value) -> Make {
        auto shared = std::make_shared<VQPlist>(std::move(value));
        return [=](W &) {
            VQPlist color = W::colorObject(kind);
            color.set(key, shared->clone());
            return color;
        };
    };
    // A component-based colour: NSComponents in an embedded space, and a converted NSRGB beside it.
    const auto embedded = [](std::uint64_t kind, const char *signature, std::optional<std::int64_t> model,
                             const char *components) -> Make {
        return [=](W &w) {
            VQPlist color = W::colorObject(kind);
            color.set("NSRGB", W::data(QByteArray("0.9 0.8 0.7", 12)))
                .set("NSComponents", W::data(components))
                .set("NSCustomColorSpace", W::uid(w.colorSpace(signature, model)));
            return color;
        };
    };
    struct Row { const char *name; Make make; Expected expected; };
    const std::vector<Row> rows = {
        {"calibrated RGB, text ending in NUL", legacy(1, "NSRGB", W::data(QByteArray("0.5 0.25 0.125\0", 15))),
         rgb(0.5, 0.25, 0.125)},
        {"device RGB with alpha", legacy(2, "NSRGB", W::data("1 0.5 0 0.5")), rgb(1, 0.5, 0)},
        {"components as a string", legacy(2, "NSRGB", VQPlist::string("0.25 0.5 0.75")), rgb(0.25, 0.5, 0.75)},
        {"components in a data object", legacy(2, "NSRGB", [] {
             VQPlist object = VQPlist::dictionary();
             object.set("NS.data", W::data("0.75 0.5 0.25"));
             return object;
         }()), rgb(0.75, 0.5, 0.25)},
        {"calibrated white", legacy(3, "NSWhite", W::data(QByteArray("0.5\0", 4))), rgb(0.5, 0.5, 0.5)},
        {"device white", legacy(4, "NSWhite", W::data("0.25 1")), rgb(0.25, 0.25, 0.25)},
        {"device CMYK", legacy(5, "NSCYMK", W::data(QByteArray("0.1 0.2 0.3 0.4 1\0", 18))),
         cmyk(0.1, 0.2, 0.3, 0.4)},
        {"device CMYK under the other spelling", legacy(5, "NSCMYK", W::data("0 1 1 0")), cmyk(0, 1, 1, 0)},
        {"catalogue colour", legacy(6, "NSColorName", VQPlist::string("controlColor")), none()},
        {"pattern", legacy(10, "NSImage", VQPlist::dictionary()), none()},
        {"RGB text that is no number", legacy(1, "NSRGB", W::data("nan 0 0")), none()},
        {"too few components", legacy(1, "NSRGB", W::data("0.5 0.5")), none()},
        {"a number too large for a double", legacy(1, "NSRGB", W::data("1e999 0 0")), none()},
        {"embedded sRGB components win", embedded(1, "RGB ", std::nullopt, "1 0.1 0.2 1"), rgb(1, 0.1, 0.2)},
        {"embedded grey by its model", embedded(3, "GRAY", 0, "0.75 1"), rgb(0.75, 0.75, 0.75)},
        {"embedded CMYK by its profile", embedded(5, "CMYK", std::nullopt, "0.1 0.2 0.3 0.4 1"),
         cmyk(0.1, 0.2, 0.3, 0.4)},
        {"embedded Lab gives no colour", embedded(1, "Lab ", 3, "50 10 10 1"), none()},
        {"an embedded space of unknown model falls back", embedded(1, "", std::nullopt, "1 1 1 1"),
         rgb(0.9, 0.8, 0.7)},
        {"no colour space number", [](W &) { return VQPlist::dictionary(); }, none()},
        {"only components", legacy(2, "NSComponents", W::data("0.5 0.75 1 1")), rgb(0.5, 0.75, 1)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        W w;
        const std::uint64_t key = w.add(VQPlist::string("Key"));
        const std::uint64_t color = w.addColor(row.make(w));
        const std::uint64_t keys = w.array({key});
        QString error;
        const auto list = VQReadColorList(w.finish(keys, w.array({color})), &error);
        ASSERT_TRUE(list) << error.toStdString();
        ASSERT_EQ(list->entries.size(), 1u);
        EXPECT_EQ(list->entries[0].key, QStringLiteral("Key"));
        EXPECT_TRUE(matches(list->entries[0].color, row.expected, 1e-12));
    }
}

TEST(VQColorListKeyedTest, KeysAndShapes)
{
    using W = KeyedArchiveWriter;
    struct Row { const char *name; bool onRoot; bool keysAsObjects; std::size_t colours; bool xml; };
    const std::vector<Row> rows = {
        {"keys and colours on $top", false, false, 3, false},
        {"keys and colours on a root object", true, false, 3, false},
        {"keys as string objects", false, true, 3, false},
        {"fewer colours than keys", false, false, 2, false},
        {"an XML property list", false, false, 3, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        W w;
        std::vector<std::uint64_t> keys, colors;
        for (const char *key : {"Zulu", "Alpha", "Zulu 2"}) {
            if (row.keysAsObjects) {
                VQPlist object = VQPlist::dictionary();
                object.set("NS.string", VQPlist::string(key)).set("$class", W::uid(w.classNamed("NSString")));
                keys.push_back(w.add(std::move(object)));
            } else {
                keys.push_back(w.add(VQPlist::string(key)));
            }
        }
        for (std::size_t i = 0; i < row.colours; ++i) {
            VQPlist color = W::colorObject(2);
            color.set("NSRGB", W::data(QByteArray::number(double(i) / 4) + " 0 0"));
            colors.push_back(w.addColor(std::move(color)));
        }
        const std::uint64_t keyArray = w.array(keys);
        QString error;
        QByteArray data = w.finish(keyArray, w.array(colors), row.onRoot);
        if (row.xml)
            data = VQPlist::fromData(data)->toXML();
        const auto list = VQReadColorList(data, &error);
        ASSERT_TRUE(list) << error.toStdString();
        ASSERT_EQ(list->entries.size(), 3u);
        EXPECT_EQ(list->entries[0].key, QStringLiteral("Zulu"));
        EXPECT_EQ(list->entries[1].key, QStringLiteral("Alpha"));
        EXPECT_EQ(list->entries[2].key, QStringLiteral("Zulu 2"));
        EXPECT_TRUE(matches(list->entries[1].color, rgb(0.25, 0, 0), 1e-12));
        EXPECT_EQ(bool(list->entries[2].color), row.colours == 3);
    }
}

TEST(VQColorListKeyedTest, RefusesWhatIsNoColourList)
{
    using W = KeyedArchiveWriter;
    using Row = RefusedRow;
    const std::vector<Row> rows = {
        {"a property list that is no archive", [] { return VQPlist::array().toBinary(); }},
        {"an archive without keys", [] {
             W w;
             return w.finish(999, 998);
         }},
        {"a key array that refers to itself", [] {
             W w;
             // Object 1 will be { NS.objects: UID 1 }.
             VQPlist self = VQPlist::dictionary();
             self.set("NS.objects", W::uid(1));
             const std::uint64_t keys = w.add(std::move(self));
             return w.finish(keys, keys);
         }},
        {"a key that refers to nothing", [] {
             W w;
             VQPlist list = VQPlist::array();
             list.append(W::uid(12345));
             const std::uint64_t keys = w.add(std::move(list));
             return w.finish(keys, keys);
         }},
        // An array claiming 2^32 − 1 items in a file of a few dozen bytes.
        {"a huge array count", [] {
             QByteArray d("bplist00");
             d.append("\xaf\x12\xff\xff\xff\xff", 6); // object 0: array, count as a 4-byte integer
             const int table = int(d.size());
             d.append('\x08'); // offset table: object 0 at 8
             QByteArray trailer(32, '\0');
             trailer[6] = 1; // offset size
             trailer[7] = 1; // reference size
             trailer[15] = 1; // one object
             trailer[31] = char(table);
             return d + trailer;
         }},
        {"random bytes", [] { return QByteArray("\x00\x01\x02not a list", 13); }},
        // Found by probing the parser underneath: 240 bytes that libplist would
        // expand into 2^40 nodes, and nesting that overflowed its stack.
        {"forty levels of arrays, each holding the next twice", [] {
             QByteArray d("bplist00");
             QByteArray offsets;
             for (int i = 0; i < 40; ++i) {
                 offsets.append(char(0)).append(char(d.size()));
                 if (i < 39)
                     d.append(char(0xA2)).append(char(i + 1)).append(char(i + 1));
                 else
                     d.append(char(0xA0));
             }
             const char table = char(d.size());
             d += offsets;
             QByteArray trailer(32, '\0');
             trailer[6] = 2; // offset size
             trailer[7] = 1; // reference size
             trailer[15] = 40; // objects
             trailer[31] = table;
             return d + trailer;
         }},
        {"XML nested a hundred thousand deep", [] {
             return "<?xml version=\"1.0\"?><plist version=\"1.0\">" + QByteArray("<array>").repeated(100000)
                    + QByteArray("</array>").repeated(100000) + "</plist>";
         }},
    };
    expectAllRefused(rows);
}

// --- damage and files ------------------------------------------------------------------

// Every proper prefix of a small list is refused: a cut list would lose colours unseen.
TEST(VQColorListDamageTest, EveryTruncationIsRefused)
{
    TypedStreamWriter typed;
    typed.beginList(3);
    typed.entry("Red", 1, {1, 0, 0, 1}, "ffff");
    typed.entry("Grey", 3, {0.5, 1}, "ff");
    typed.entry("Ink", 5, {0.1, 0.2, 0.3, 0.4, 1}, "fffff");

    KeyedArchiveWriter keyed;
    const std::uint64_t key = keyed.add(VQPlist::string("Red"));
    VQPlist red = KeyedArchiveWriter::colorObject(1);
    red.set("NSRGB", KeyedArchiveWriter::data("1 0 0"));
    const std::uint64_t color = keyed.addColor(std::move(red));
    const std::uint64_t keys = keyed.array({key});

    const std::vector<std::pair<const char *, QByteArray>> files = {
        {"typed stream", typed.data()}, {"keyed archive", keyed.finish(keys, keyed.array({color}))}};
    for (const auto &[name, data] : files) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(VQReadColorList(data));
        for (qsizetype length = 0; length < data.size(); ++length) {
            // A copy of exactly that length, so that reading past it is caught by the sanitizers.
            const QByteArray prefix(data.constData(), length);
            QString error;
            EXPECT_FALSE(VQReadColorList(prefix, &error)) << "length " << length;
            EXPECT_FALSE(error.isEmpty());
        }
    }
}

TEST(VQColorListFileTest, PlainFilesAndFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TypedStreamWriter w;
    w.beginList(1);
    w.entry("Brand Blue", 2, {0, 0, 1, 1}, "ffff");
    ASSERT_TRUE(QDir(dir.path()).mkpath("Brand.clr"));
    for (const QString &file : {dir.filePath("Plain.clr"), dir.filePath("Brand.clr/Brand.clr")}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(w.data());
    }
    for (const QString &path : {dir.filePath("Plain.clr"), dir.filePath("Brand.clr"), dir.filePath("Brand.clr/")}) {
        SCOPED_TRACE(path.toStdString());
        QString error;
        const auto list = VQReadColorListFile(path, &error);
        ASSERT_TRUE(list) << error.toStdString();
        ASSERT_EQ(list->entries.size(), 1u);
        EXPECT_EQ(list->entries[0].key, QStringLiteral("Brand Blue"));
    }
    QString error;
    EXPECT_FALSE(VQReadColorListFile(dir.filePath("Missing.clr"), &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkpath("Empty.clr"));
    EXPECT_FALSE(VQReadColorListFile(dir.filePath("Empty.clr"), &error));
    if (QFile::exists("/dev/zero")) {
        // A device reports no size; reading stops at the limit.
        EXPECT_FALSE(VQReadColorListFile("/dev/zero", &error));
    }
}

// --- real files by other programs -----------------------------------------------------

TEST(VQColorListCorpusTest, EveryFixtureReads)
{
    if (!QDir(QStringLiteral(VELLICO_FIXTURES_DIR "/swatches/clr")).exists())
        GTEST_SKIP() << "the shared fixtures are missing";
    struct Row { const char *file; std::size_t keys; const char *firstKey; const char *lastKey; Expected first; };
    const std::vector<Row> rows = {
        {"typedstream-calibrated-rgb-solarized.clr", 16, "Solarized Base03", "Solarized Green", {}},
        // Solarized's published base03 is #002B36.
        {"typedstream-device-rgb-solarized-untagged.clr", 16, "Solarized Base03 untagged", "Solarized Green untagged",
         rgb(0, 43 / 255.0, 54 / 255.0)},
        {"typedstream-calibrated-rgb-flat-ui-20.clr", 20, "Turquoise", "Asbestos", {}},
        // X11's LightGreen is #90EE90.
        {"typedstream-752-colours-emacs.clr", 752, "LightGreen", "snow", rgb(144 / 255.0, 238 / 255.0, 144 / 255.0)},
        {"typedstream-white-and-device-rgb.clr", 17, "Navy", "Black", rgb(0, 31 / 255.0, 63 / 255.0)},
        {"typedstream-white-and-calibrated-rgb.clr", 20, "White", "Success", rgb(1, 1, 1)},
        {"keyed-archive-custom-space-icc.clr", 12, "0 0", "0 11", rgb(1, 0.1058823529, 0.09803921569)},
        {"keyed-archive-device-rgb.clr", 13, "Black", "Pink 2", rgb(0.1725490196, 0.1725490196, 0.1725490196)},
        {"keyed-archive-white-and-rgb-custom-spaces.clr", 14, "White", "Muted Green", rgb(1, 1, 1)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        QString error;
        const auto list = VQReadColorListFile(fixture(row.file), &error);
        ASSERT_TRUE(list) << error.toStdString();
        EXPECT_EQ(list->entries.size(), row.keys);
        for (const auto &e : list->entries)
            EXPECT_TRUE(e.color) << e.key.toStdString();
        if (list->entries.empty())
            continue;
        EXPECT_EQ(list->entries.front().key, QString::fromUtf8(row.firstKey));
        EXPECT_EQ(list->entries.back().key, QString::fromUtf8(row.lastKey));
        if (row.first.present) {
            EXPECT_TRUE(matches(list->entries.front().color, row.first, kFloatTolerance));
        }
    }
}
