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

#include <cmath>
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
    void reference(int index) { integer(std::int64_t(index) - 110); }
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
    // An NSColorSpace with an ICC profile header saying `signature`, and NSModel when given.
    std::uint64_t colorSpace(const char *signature, std::optional<std::int64_t> model = std::nullopt)
    {
        QByteArray profile(128, '\0');
        std::memcpy(profile.data() + 16, signature, 4);
        std::memcpy(profile.data() + 36, "acsp", 4);
        VQPlist space = VQPlist::dictionary();
        space.set("NSID", VQPlist::integer(7)).set("NSICC", uid(add(data(profile))));
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

// A keyed list of plain string keys and the given colour objects.
QByteArray keyedList(const std::vector<std::pair<const char *, VQPlist>> &rows)
{
    KeyedArchiveWriter w;
    std::vector<std::uint64_t> keys, colors;
    for (const auto &row : rows)
        keys.push_back(w.add(VQPlist::string(row.first)));
    for (const auto &row : rows)
        colors.push_back(w.addColor(row.second.clone()));
    const std::uint64_t keyArray = w.array(keys);
    return w.finish(keyArray, w.array(colors));
}

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
        if (row.first.present)
            EXPECT_TRUE(matches(list->entries.front().color, row.first, kFloatTolerance));
    }
}
