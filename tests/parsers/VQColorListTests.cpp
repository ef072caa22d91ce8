// The colour-list reader over both archive forms. Inputs come from two small
// writers (clr::TypedStream, and a keyed archive built through libplist here);
// real files by other programs are read from the shared fixtures folder.

#include "VQParsersTestSupport.h"
#include "VQSwatchBytes.h"

#include "parsers/VQColorList.h"
#include "vqcore/VQPropertyList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <lcms2.h>
#include <plist/plist.h>

#include <array>
#include <cmath>
#include <limits>

namespace
{

using clr::TypedStream;

// "key=#HEX, key=cmyk(…), key=none", or "refused" when there is no list (and a reason).
QString describe(const std::optional<VQColorList> &list, const QString &error)
{
    if (!list)
        return error.isEmpty() ? QStringLiteral("refused without a reason") : QStringLiteral("refused");
    QStringList parts;
    for (const VQColorListEntry &entry : list->entries)
        parts << entry.key + QLatin1Char('=') + (entry.color ? VQDescribeColor(entry.color) : QStringLiteral("none"));
    return parts.join(QStringLiteral(", "));
}

QString read(const QByteArray &data)
{
    QString error;
    const auto list = VQReadColorList(data, &error);
    return describe(list, error);
}

struct Row {
    const char *name;
    QByteArray data;
    QString expected;
};

void expectRows(const std::vector<Row> &rows)
{
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(read(row.data), row.expected);
    }
}

// ---------------------------------------------------------------------------
// Typed streams

TypedStream one(char kind, const std::vector<double> &components, const char *types)
{
    return TypedStream().list(1).entry("K", kind, components, types);
}

// The list's name slot holds objects nested `depth` deep; the count is 0.
QByteArray nested(int depth)
{
    TypedStream w;
    w.group("i").integer(1).group("@i");
    for (int level = 0; level < depth; ++level) {
        w.raw("\x84"); // a new object, numbered 2 × level
        if (level == 0)
            w.raw("\x84").group("NSObject").integer(0).raw("\x85"); // its class, a shared string like a type string
        else
            w.reference(1);
        w.group("@");
    }
    return w.raw("\x85").raw(QByteArray(depth, '\x86')).integer(0);
}

// ---------------------------------------------------------------------------
// Keyed archives: $objects holds the keys, the colours and two arrays
// { NS.objects: [UID…] }; $top points at the arrays, or at a root object that does.

VQPlist uid(std::uint64_t index)
{
    return VQPlist(plist_new_uid(index));
}
VQPlist data(const QByteArray &bytes)
{
    return VQPlist(plist_new_data(bytes.constData(), std::uint64_t(bytes.size())));
}
VQPlist dictionary(const char *key, VQPlist value, const char *key2 = nullptr, VQPlist value2 = VQPlist())
{
    VQPlist d = VQPlist::dictionary();
    d.set(key, std::move(value));
    if (key2)
        d.set(key2, std::move(value2));
    return d;
}

class KeyedArchive
{
  public:
    KeyedArchive() { add(VQPlist::string("$null")); }
    std::uint64_t add(VQPlist object)
    {
        _objects.append(std::move(object));
        return _count++;
    }
    // A key without a colour makes NSColors shorter than NSKeys.
    KeyedArchive &entry(const QString &key, VQPlist color = VQPlist(), bool keyAsObject = false)
    {
        _keys.append(uid(add(keyAsObject ? dictionary("NS.string", VQPlist::string(key)) : VQPlist::string(key))));
        if (!color.isNull())
            _colors.append(uid(add(std::move(color))));
        return *this;
    }
    QByteArray finish(bool onRoot = false)
    {
        VQPlist lists = dictionary("NSKeys", uid(add(dictionary("NS.objects", std::move(_keys)))), "NSColors",
                                   uid(add(dictionary("NS.objects", std::move(_colors)))));
        return finishWith(onRoot ? dictionary("root", uid(add(std::move(lists)))) : std::move(lists));
    }
    QByteArray finishWith(VQPlist top)
    {
        return dictionary("$archiver", VQPlist::string("NSKeyedArchiver"), "$top", std::move(top))
            .set("$objects", std::move(_objects))
            .toBinary();
    }

  private:
    VQPlist _objects = VQPlist::array(), _keys = VQPlist::array(), _colors = VQPlist::array();
    std::uint64_t _count = 0;
};

VQPlist legacy(std::uint64_t kind, const char *key, VQPlist value)
{
    return dictionary("NSColorSpace", VQPlist::integer(kind), key, std::move(value));
}

// NSComponents in an embedded space whose ICC profile says `signature` (no profile when empty)
// and NSModel `model`, beside a converted NSRGB of 0.9 0.8 0.7.
VQPlist embedded(std::uint64_t kind, const char *signature, std::optional<std::int64_t> model, const char *components)
{
    VQPlist space = VQPlist::dictionary();
    if (std::strlen(signature) == 4)
        space.set("NSICC", data(QByteArray(16, '\0') + signature + QByteArray(108, '\0')));
    if (model)
        space.set("NSModel", VQPlist::integer(std::uint64_t(*model)));
    VQPlist color = legacy(kind, "NSRGB", data("0.9 0.8 0.7"));
    color.set("NSComponents", data(components)).set("NSCustomColorSpace", std::move(space));
    return color;
}

// NSComponents in a space that carries the ICC profile `icc`, with a legacy
// device NSRGB of 0.9 0.8 0.7 when `legacyRGB`.
VQPlist withProfile(const QByteArray &icc, const char *components, bool legacyRGB = true)
{
    VQPlist color =
        legacyRGB ? legacy(2, "NSRGB", data("0.9 0.8 0.7")) : dictionary("NSColorSpace", VQPlist::integer(2));
    color.set("NSComponents", data(components)).set("NSCustomColorSpace", dictionary("NSICC", data(icc)));
    return color;
}

// An RGB profile with white D65, the given primaries and one tone curve for
// all three channels, as Little CMS writes it.
QByteArray rgbProfile(const cmsCIExyYTRIPLE &primaries, cmsToneCurve *curve)
{
    const cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
    cmsToneCurve *curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&d65, &primaries, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(qsizetype(size), '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);
    return bytes;
}

QByteArray displayP3()
{
    const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return rgbProfile({{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}},
                      cmsBuildParametricToneCurve(nullptr, 4, srgbCurve));
}

QByteArray adobeRGB1998()
{
    return rgbProfile({{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}}, cmsBuildGamma(nullptr, 563.0 / 256));
}

// Little CMS's own conversion of `rgb` from `icc` to sRGB.
std::array<double, 3> lcmsToSRGB(const QByteArray &icc, std::array<double, 3> rgb)
{
    cmsHPROFILE from = cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size()));
    cmsHPROFILE to = cmsCreate_sRGBProfile();
    cmsHTRANSFORM t = cmsCreateTransform(from, TYPE_RGB_DBL, to, TYPE_RGB_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    std::array<double, 3> out{};
    cmsDoTransform(t, rgb.data(), out.data(), 1);
    cmsDeleteTransform(t);
    cmsCloseProfile(from);
    cmsCloseProfile(to);
    return out;
}

QByteArray keyedOne(VQPlist color)
{
    return KeyedArchive().entry("K", std::move(color)).finish();
}
VQPlist red(const char *r)
{
    return legacy(2, "NSRGB", data(QByteArray(r) + " 0 0"));
}

// A binary property list from its objects and offset table, with one-byte references.
QByteArray bplist(const QByteArray &objects, const QByteArray &offsets, char offsetSize, char count)
{
    QByteArray trailer(32, '\0');
    trailer[6] = offsetSize;
    trailer[7] = 1;
    trailer[15] = count;
    trailer[31] = char(8 + objects.size());
    return "bplist00" + objects + offsets + trailer;
}

} // namespace

TEST(ColorListTest, TypedStreams)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    expectRows({
        {"calibrated RGB is Generic RGB", one(1, {0.25, 0.5, 0.75, 1}, "ffff"), "K=#4F93CB"},
        {"device RGB", one(2, {0.125, 0.625, 0.375, 1}, "ffff"), "K=#209F60"},
        {"whole components written as integers", one(2, {1, 0, 1, 1}, "ffff"), "K=#FF00FF"},
        {"components as doubles", one(2, {0.1, 0.2, 0.3, 1}, "dddd"), "K=#1A334D"},
        {"big-endian numbers", TypedStream(true).list(1).entry("K", 2, {0.25, 0.5, 0.75, 1}, "ffff"), "K=#4080BF"},
        {"components beyond 0-1 are clamped", one(2, {-0.02, 1.05, 0.5, 1}, "ffff"), "K=#00FF80"},
        {"calibrated white is grey RGB", one(3, {0.5, 1}, "ff"), "K=#808080"},
        {"device white", one(4, {0.25, 1}, "ff"), "K=#404040"},
        {"device CMYK", one(5, {0.1, 0.2, 0.3, 0.4, 1}, "fffff"), "K=cmyk(0.1,0.2,0.3,0.4)"},
        {"a component that is no number", one(1, {nan, 0.5, 0.5, 1}, "ffff"), "K=none"},
        {"too few components", one(5, {0.1, 0.2}, "ff"), "K=none"},
        {"an unknown kind", one(9, {0.5, 0.5, 0.5, 1}, "ffff"), "K=none"},
        {"a catalogue colour", TypedStream().list(1).group("@@").catalogueColor("Apple", "Red").string("K"), "K=none"},
        {"keys in list order, each once: a key seen again takes the new colour in the old place",
         TypedStream()
             .list(5)
             .entry("Zebra", 1, {1, 0, 0, 1}, "ffff")
             .entry("apple", 3, {0.5, 1}, "ff")
             .entry("Mango", 2, {0, 1, 0, 1}, "ffff")
             .entry("Zebra", 2, {0, 0, 1, 1}, "ffff")
             .entry("Äpfel 🍎", 5, {0, 0.5, 1, 0, 1}, "fffff"),
         QStringLiteral("Zebra=#0000FF, apple=#808080, Mango=#00FF00, Äpfel 🍎=cmyk(0,0.5,1,0)")},
        {"a colour shared by two keys",
         TypedStream().list(2).entry("One", 2, {0.25, 0.5, 0.75, 1}, "ffff").group("@@").reference(0).string("Two"),
         "One=#4080BF, Two=#4080BF"},
        // Asking what a class derives from must end.
        {"a class that is its own superclass",
         TypedStream()
             .list(1)
             .group("@@")
             .raw("\x84\x84")
             .group("Loop")
             .integer(0)
             .reference(1)
             .group("c")
             .raw("\x01")
             .group("ffff")
             .raw(QByteArray(4, '\x01'))
             .raw("\x86")
             .string("K"),
         "K=none"},
        {"objects nested a few deep", nested(5), ""},
    });
}

// Streams that are not colour lists, or are damaged or hostile, give no list and a reason.
TEST(ColorListTest, TypedStreamsRefused)
{
    const auto listOf = [](std::int64_t count) { return TypedStream().list(count); };
    const auto withRed = [] { return TypedStream().list(1).group("@@").color(1, {1, 0, 0, 1}, "ffff"); };
    expectRows({
        {"no header", "\x04\x0bstreamtype", "refused"},
        {"another signature", "\x04\x0bstreamtypex\x81\xe8\x03", "refused"},
        {"another stream version", QByteArray(TypedStream()).replace(0, 1, "\x09"), "refused"},
        {"a header and nothing else", TypedStream(), "refused"},
        {"fewer entries than counted", listOf(3).entry("A", 1, {1, 0, 0, 1}, "ffff"), "refused"},
        // A count this large must not make the reader set aside room for it.
        {"a count of 2^31 - 1 in a tiny file", listOf(0x7fffffff), "refused"},
        {"a negative count", listOf(-1), "refused"},
        {"a key that is nil", withRed().raw("\x85"), "refused"},
        {"a key that refers back to the colour", withRed().reference(0), "refused"},
        {"a reference to nothing", listOf(1).group("@@").reference(40), "refused"},
        {"an unknown type code", listOf(1).group("@?"), "refused"},
        {"a reserved tag where a number belongs", withRed().raw("\x84\x84\x84\x08NSString\x80"), "refused"},
        {"a string longer than the file", listOf(1).raw("\x84\x82\xff\xff\xff\x7f"), "refused"},
        // Empty structures take no bytes; four billion of them must not take for ever.
        {"four billion empty structures", listOf(1).group("[4294967295{}]"), "refused"},
        {"a deeply nested type", listOf(1).group(QByteArray(5000, '^') + "i").integer(1), "refused"},
        {"an array count beyond 32 bits", listOf(1).group("[99999999999c]"), "refused"},
        {"objects nested 20,000 deep", nested(20000), "refused"},
    });
}

TEST(ColorListTest, KeyedArchives)
{
    expectRows({
        {"calibrated RGB, text ending in NUL", keyedOne(legacy(1, "NSRGB", data(QByteArray("0.5 0.25 0.125\0", 15)))),
         "K=#93522A"},
        {"device RGB with alpha", keyedOne(legacy(2, "NSRGB", data("1 0.5 0 0.5"))), "K=#FF8000"},
        {"components as a string", keyedOne(legacy(2, "NSRGB", VQPlist::string("0.25 0.5 0.75"))), "K=#4080BF"},
        {"components in a data object", keyedOne(legacy(2, "NSRGB", dictionary("NS.data", data("0.75 0.5 0.25")))),
         "K=#BF8040"},
        {"calibrated white", keyedOne(legacy(3, "NSWhite", data(QByteArray("0.5\0", 4)))), "K=#808080"},
        {"device white", keyedOne(legacy(4, "NSWhite", data("0.25 1"))), "K=#404040"},
        {"device CMYK", keyedOne(legacy(5, "NSCYMK", data(QByteArray("0.1 0.2 0.3 0.4 1\0", 18)))),
         "K=cmyk(0.1,0.2,0.3,0.4)"},
        {"device CMYK under the other spelling", keyedOne(legacy(5, "NSCMYK", data("0 1 1 0"))), "K=cmyk(0,1,1,0)"},
        {"only components", keyedOne(legacy(2, "NSComponents", data("0.5 0.75 1 1"))), "K=#80BFFF"},
        {"catalogue colour", keyedOne(legacy(6, "NSColorName", VQPlist::string("controlColor"))), "K=none"},
        {"pattern", keyedOne(legacy(10, "NSImage", VQPlist::dictionary())), "K=none"},
        {"RGB text that is no number", keyedOne(legacy(1, "NSRGB", data("nan 0 0"))), "K=none"},
        {"too few components", keyedOne(legacy(1, "NSRGB", data("0.5 0.5"))), "K=none"},
        {"a number too large for a double", keyedOne(legacy(1, "NSRGB", data("1e999 0 0"))), "K=none"},
        {"no colour space number", keyedOne(VQPlist::dictionary()), "K=none"},
        {"an unusable profile gives way to the legacy components",
         keyedOne(embedded(2, "RGB ", std::nullopt, "1 0.1 0.2 1")), "K=#E6CCB3"},
        {"an unusable profile and no legacy components",
         keyedOne(withProfile(QByteArray(16, '\0') + "RGB " + QByteArray(108, '\0'), "1 0.1 0.2 1", false)),
         "K=#FF1A33"},
        {"extended sRGB is clamped", keyedOne(legacy(2, "NSRGB", data("-0.0123 1.0001 0.5"))), "K=#00FF80"},
        {"CMYK beyond 0-1 is clamped", keyedOne(legacy(5, "NSCYMK", data("-0.5 1.5 0.25 0"))), "K=cmyk(0,1,0.25,0)"},
        {"embedded grey by its model", keyedOne(embedded(3, "GRAY", 0, "0.75 1")), "K=#BFBFBF"},
        {"embedded CMYK by its profile", keyedOne(embedded(5, "CMYK", std::nullopt, "0.1 0.2 0.3 0.4 1")),
         "K=cmyk(0.1,0.2,0.3,0.4)"},
        {"embedded Lab gives no colour", keyedOne(embedded(1, "Lab ", 3, "50 10 10 1")), "K=none"},
        {"an embedded space of unknown model falls back", keyedOne(embedded(2, "", std::nullopt, "1 1 1 1")),
         "K=#E6CCB3"},
        {"keys and colours on a root object",
         KeyedArchive().entry("Zulu", red("0")).entry("Alpha", red("0.25")).finish(true),
         "Zulu=#000000, Alpha=#400000"},
        {"keys as string objects",
         KeyedArchive().entry("Zulu", red("0"), true).entry("Alpha", red("0.25"), true).finish(),
         "Zulu=#000000, Alpha=#400000"},
        {"fewer colours than keys", KeyedArchive().entry("Zulu", red("0")).entry("Alpha").finish(),
         "Zulu=#000000, Alpha=none"},
        {"an XML property list",
         VQPlist::fromData(KeyedArchive().entry("Zulu", red("0")).entry("Alpha", red("0.25")).finish())->toXML(),
         "Zulu=#000000, Alpha=#400000"},
    });
}

// Colours in an embedded profile end in sRGB, converted by Little CMS, and
// clamped: checked against Little CMS's own conversion and against values
// worked out by hand (the primaries' matrices and the tone curves).
TEST(ColorListTest, EmbeddedProfilesAreConvertedToSRGB)
{
    struct Row {
        const char *name;
        QByteArray icc;
        std::array<double, 3> in, byHand;
    } rows[] = {
        {"Display P3", displayP3(), {0.8, 0.6, 0.4}, {0.8367, 0.5896, 0.3640}},
        {"Adobe RGB (1998)", adobeRGB1998(), {0.8, 0.6, 0.4}, {0.8685, 0.6056, 0.3887}},
        {"Display P3 red, beyond sRGB", displayP3(), {1, 0, 0}, {1, 0, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray components = QByteArray::number(row.in[0]) + ' ' + QByteArray::number(row.in[1]) + ' ' +
                                      QByteArray::number(row.in[2]) + " 1";
        const auto list = VQReadColorList(keyedOne(withProfile(row.icc, components.constData())));
        ASSERT_TRUE(list && list->entries.size() == 1 && list->entries[0].color);
        const VQRGBColor got = list->entries[0].color->RGBColor();
        const std::array<double, 3> lcms = lcmsToSRGB(row.icc, row.in);
        const double gotChannels[3] = {got.r, got.g, got.b};
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(gotChannels[i], std::clamp(lcms[i], 0.0, 1.0), 1e-6) << "channel " << i;
            EXPECT_NEAR(gotChannels[i], row.byHand[i], 2e-3) << "channel " << i;
        }
    }
}

TEST(ColorListTest, KeyedArchivesRefused)
{
    // An archive whose NSKeys and NSColors are both `object`.
    const auto bothLists = [](VQPlist object) {
        KeyedArchive archive;
        const std::uint64_t index = archive.add(std::move(object));
        return archive.finishWith(dictionary("NSKeys", uid(index), "NSColors", uid(index)));
    };
    VQPlist pointsNowhere = VQPlist::array();
    pointsNowhere.append(uid(12345));
    expectRows({
        {"a property list that is no archive", VQPlist::array().toBinary(), "refused"},
        {"an archive without keys", KeyedArchive().finishWith(dictionary("NSKeys", uid(999), "NSColors", uid(998))),
         "refused"},
        {"a key array that refers to itself", bothLists(dictionary("NS.objects", uid(1))), "refused"},
        {"a key that refers to nothing", bothLists(std::move(pointsNowhere)), "refused"},
        {"random bytes", QByteArray("\x00\x01\x02not a list", 13), "refused"},
        // An array claiming 2^32 − 1 items in a file of a few dozen bytes.
        {"a huge array count", bplist("\xaf\x12\xff\xff\xff\xff", "\x08", 1, 1), "refused"},
        // (Shapes that would exhaust the property-list parser are refused by the reader all lists go through.)
    });
}

// Every proper prefix of a small list is refused: a cut list would lose colours unseen.
TEST(ColorListTest, EveryTruncationIsRefused)
{
    const QByteArray typed = TypedStream()
                                 .list(3)
                                 .entry("Red", 1, {1, 0, 0, 1}, "ffff")
                                 .entry("Grey", 3, {0.5, 1}, "ff")
                                 .entry("Ink", 5, {0.1, 0.2, 0.3, 0.4, 1}, "fffff");
    for (const QByteArray &data : {typed, keyedOne(red("1"))}) {
        ASSERT_NE(read(data), "refused");
        for (qsizetype length = 0; length < data.size(); ++length) {
            // A copy of exactly that length, so that reading past it is caught by the sanitizers.
            EXPECT_EQ(read(QByteArray(data.constData(), length)), "refused")
                << "length " << length << " of " << data.size();
        }
    }
}

TEST(ColorListTest, FilesAndFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkpath("Brand.clr") && QDir(dir.path()).mkpath("Empty.clr"));
    for (const char *name : {"Plain.clr", "Brand.clr/Brand.clr"}) {
        QFile out(dir.filePath(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(TypedStream().list(1).entry("Brand Blue", 2, {0, 0, 1, 1}, "ffff"));
    }
    struct FileRow {
        QString path;
        QString expected;
    };
    for (const FileRow &row :
         {FileRow{dir.filePath("Plain.clr"), "Brand Blue=#0000FF"},
          FileRow{dir.filePath("Brand.clr"), "Brand Blue=#0000FF"},
          FileRow{dir.filePath("Brand.clr/"), "Brand Blue=#0000FF"}, FileRow{dir.filePath("Missing.clr"), "refused"},
          FileRow{dir.filePath("Empty.clr"), "refused"},
          // A device reports no size; reading stops at the limit.
          FileRow{"/dev/zero", "refused"}}) {
        SCOPED_TRACE(row.path.toStdString());
        QString error;
        const auto list = VQReadColorListFile(row.path, &error);
        EXPECT_EQ(describe(list, error), row.expected);
    }
}

TEST(ColorListTest, EveryFixtureReads)
{
    const QString folder = QStringLiteral(VELLICO_FIXTURES_DIR "/swatches/clr/");
    if (!QDir(folder).exists())
        GTEST_SKIP() << "the shared fixtures are missing";
    struct FixtureRow {
        const char *file;
        std::size_t keys;
        const char *firstKey;
        const char *lastKey;
        const char *firstColor; // where known independently
    };
    const std::vector<FixtureRow> rows = {
        // Calibrated RGB is Generic RGB: converted, it gives Solarized's published base03.
        {"typedstream-calibrated-rgb-solarized.clr", 16, "Solarized Base03", "Solarized Green", "#002B36"},
        // Solarized's published base03 is #002B36.
        {"typedstream-device-rgb-solarized-untagged.clr", 16, "Solarized Base03 untagged", "Solarized Green untagged",
         "#002B36"},
        {"typedstream-calibrated-rgb-flat-ui-20.clr", 20, "Turquoise", "Asbestos", nullptr},
        // X11's LightGreen #90EE90 stored as calibrated components: #9EEEA1 in sRGB.
        {"typedstream-752-colours-emacs.clr", 752, "LightGreen", "snow", "#9EEEA1"},
        {"typedstream-white-and-device-rgb.clr", 17, "Navy", "Black", "#001F3F"},
        {"typedstream-white-and-calibrated-rgb.clr", 20, "White", "Success", "#FFFFFF"},
        {"keyed-archive-custom-space-icc.clr", 12, "0 0", "0 11", "#FF1B19"},
        {"keyed-archive-device-rgb.clr", 13, "Black", "Pink 2", "#2C2C2C"},
        {"keyed-archive-white-and-rgb-custom-spaces.clr", 14, "White", "Muted Green", "#FFFFFF"},
    };
    for (const FixtureRow &row : rows) {
        SCOPED_TRACE(row.file);
        QString error;
        const auto list = VQReadColorListFile(folder + QLatin1String(row.file), &error);
        ASSERT_TRUE(list) << error.toStdString();
        ASSERT_EQ(list->entries.size(), row.keys);
        for (const VQColorListEntry &entry : list->entries)
            EXPECT_TRUE(entry.color) << entry.key.toStdString();
        EXPECT_EQ(list->entries.front().key, QString::fromUtf8(row.firstKey));
        EXPECT_EQ(list->entries.back().key, QString::fromUtf8(row.lastKey));
        if (row.firstColor && list->entries.front().color) {
            EXPECT_EQ(list->entries.front().color->hexValue(), QLatin1String(row.firstColor));
        }
    }
}

// Solarized ships its palette twice: calibrated, and as the sRGB values
// untagged. Read as Generic RGB, the calibrated one gives the same colours.
TEST(ColorListTest, CalibratedFixtureMatchesItsSRGBTwin)
{
    const QString folder = QStringLiteral(VELLICO_FIXTURES_DIR "/swatches/clr/");
    const auto calibrated = VQReadColorListFile(folder + "typedstream-calibrated-rgb-solarized.clr");
    const auto untagged = VQReadColorListFile(folder + "typedstream-device-rgb-solarized-untagged.clr");
    if (!calibrated || !untagged)
        GTEST_SKIP() << "the shared fixtures are missing";
    ASSERT_EQ(calibrated->entries.size(), untagged->entries.size());
    for (std::size_t i = 0; i < calibrated->entries.size(); ++i) {
        SCOPED_TRACE(calibrated->entries[i].key.toStdString());
        EXPECT_EQ(calibrated->entries[i].color->hexValue(), untagged->entries[i].color->hexValue());
    }
}
