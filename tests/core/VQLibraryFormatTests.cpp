// The property-list reader and the library writer against what they gave when
// they were rewritten for speed: the same tree from every real file the tests
// and the shared fixtures hold, and byte for byte the same library files. The
// digests were taken from the earlier reader and writer (libplist's parse with
// our rules around it, and the writer that built the whole document first).

#include "core/VQSwatchCore.h"
#include "vqcore/VQClock.h"
#include "vqcore/VQPropertyList.h"

#include "VQTestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace
{

// Every value with its type, dictionaries with their keys in order.
void dump(VQPlistNode node, QByteArray &out)
{
    if (node.isDictionary()) {
        out += '{';
        node.forEachEntry([&](const QByteArray &key, VQPlistNode value) {
            out += key.toHex() + ':';
            dump(value, out);
            out += ',';
        });
        out += '}';
    } else if (node.isArray()) {
        out += '[';
        node.forEachItem([&](VQPlistNode item) {
            dump(item, out);
            out += ',';
        });
        out += ']';
    } else if (node.isString()) {
        out += 's' + node.toString()->toUtf8().toHex();
    } else if (node.isInteger()) {
        out += 'i' + QByteArray::number(qulonglong(*node.toUInt64()));
    } else if (node.isReal()) {
        out += 'r' + QByteArray::number(*node.toDouble(), 'g', 17);
    } else if (node.isBool()) {
        out += *node.toBool() ? 'T' : 'F';
    } else if (node.isData()) {
        out += 'D' + node.toData()->toHex();
    } else if (node.isUID()) {
        out += 'u' + QByteArray::number(qulonglong(*node.toUID()));
    } else {
        out += node.isDate() ? 'd' : '?';
    }
}

std::string digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16).toStdString();
}

// A library with what is hard to write: markup, line ends, control and
// non-characters (unless `xml`, which leaves out those XML cannot carry),
// emoji, an unpaired surrogate, extreme numbers.
QByteArray awkwardLibrary(bool xml = false)
{
    const QString names[] = {
        QStringLiteral("<Reds & \"Pinks\" 'too'>"),
        QStringLiteral("line\r\nend\ttab"),
        xml ? QStringLiteral("cr\r \uFEFF \uFFFD")
            : QStringLiteral("ctrl") + QChar(1) + QChar(0x1F) + QStringLiteral(" nonchar") + QChar(0xFFFE) +
                  QChar(0xFFFF),
        QString::fromUtf8("caf\u00e9 \u6771 \U0001F3A8"),
        QStringLiteral("half") + QChar(0xD800),
        QString(),
    };
    const double components[] = {0.1, 1.0 / 3.0, 1e-300, -0.0, 5e-324, 255.0, 0.5, 1.7976931348623157e308};
    VQPlist contents = VQPlist::array();
    for (int c = 0; c < 3; ++c) {
        VQPlist colors = VQPlist::array();
        for (int i = 0; i < 12; ++i) {
            VQPlist color = VQPlist::dictionary();
            color.set("RZColorSpace", VQPlist::integer(std::uint64_t(i % 3 == 2 ? 1 : 0)));
            for (int k = 0; k < 4; ++k)
                color.set(QByteArray("RZComponent" + QByteArray::number(k + 1)).constData(),
                          VQPlist::real(components[(i + k + c) % 8]));
            color.set("RZColorID", VQPlist::integer(i == 5 ? (std::uint64_t(1) << 63) + 1 : 1000u * c + i + 1));
            color.set("RZModificationDate", VQPlist::integer(1700000000u + std::uint64_t(i)));
            color.set("RZName", VQPlist::string(names[(i + c) % 6]));
            colors.append(std::move(color));
        }
        VQPlist removed = VQPlist::array();
        removed.append(VQPlist::integer(77)).append(VQPlist::integer(~std::uint64_t(0)));
        VQPlist collection = VQPlist::dictionary();
        collection.set("RZColors", std::move(colors))
            .set("RZCreationDate", VQPlist::integer(600000000u + std::uint64_t(c)))
            .set("RZModificationDate", VQPlist::integer(1700000100))
            .set("RZRemovedIDs", std::move(removed))
            .set("RZTitle", VQPlist::string(names[(c + 3) % 6]));
        contents.append(std::move(collection));
    }
    VQPlist removed = VQPlist::array();
    removed.append(VQPlist::integer(123456789));
    VQPlist root = VQPlist::dictionary();
    root.set("DBVersion", VQPlist::string(QStringLiteral("0.3")))
        .set("contents", std::move(contents))
        .set("RZRemovedCollectionIDs", std::move(removed));
    return root.toXML();
}

} // namespace

class VQLibraryFormatTest : public VQLibraryTest
{
};

// Each file's tree (or the refusal) as the reader gave it before.
TEST_F(VQLibraryFormatTest, ReadersGiveTheTreesTheyAlwaysGave)
{
    const QString fixtures = QStringLiteral(VELLICO_FIXTURES_DIR "/");
    const QString corpus = QStringLiteral(VELLICO_SOURCE_DIR "/fuzz/corpus/");
    struct Row {
        QString file;
        const char *expected; // digest of the dump, or the refusal
    } rows[] = {
        {fixtures + "plist/bplist-int64.bplist", "9c7c0d93b6922d0e"},
        {fixtures + "plist/bplist-keyed-archive-uid.bplist", "7e5e19fcc43afe09"},
        {fixtures + "plist/bplist-nscolorpanel-swatches.plist", "92a2ce3ef81e6fb9"},
        {fixtures + "plist/bplist-utf16-strings.bplist", "d1394a94782fa67b"},
        {fixtures + "plist/xml-int64.plist", "66dabd4bfd2b1e3a"},
        {fixtures + "plist/xml-itermcolors-solarized-dark.plist", "8c8e271c29a4440e"},
        {fixtures + "plist/xml-terminal-profile-embedded-colour-archives.plist", "6912e73ea21a5d5a"},
        {fixtures + "swatches/clr/keyed-archive-custom-space-icc.clr", "4435de1897563176"},
        {fixtures + "swatches/clr/keyed-archive-device-rgb.clr", "b99d9c5fe6454e5f"},
        {fixtures + "swatches/clr/keyed-archive-white-and-rgb-custom-spaces.clr", "6b00d9c96fb44943"},
        {corpus + "library/regression-nul-inside-a-string.xml", "0ec80f5f26dfc740"},
        {corpus + "library/regression-one-string-shared-87000-times.bplist",
         "refused: would take more than 256 MB once read"},
        {corpus + "library/shared-colours.bplist", "c016adfabc39f4a0"},
        {corpus + "library/small.bplist", "75d1cf7390a052f5"},
        {corpus + "library/small.xml", "790ae53d97a17496"},
        {corpus + "clr/keyed-custom-spaces.clr", "183536d9af20d862"},
        {corpus + "clr/keyed-legacy-strings.clr", "957f5a47e684c68f"},
        {corpus + "clr/keyed-on-root.clr", "66b62822b0b5e409"},
        {corpus + "clr/regression-nul-in-a-utf16-key.clr", "96236ae355f944a2"},
        {corpus + "clr/regression-shared-arrays-40-levels.clr", "refused: would expand to more than 66012 values"},
        {corpus + "clr/typed-big-endian.clr", "refused: not a property list"},
    };
    const bool haveFixtures = QDir(fixtures).exists();
    for (const Row &row : rows) {
        if (!haveFixtures && row.file.startsWith(fixtures))
            continue;
        SCOPED_TRACE(row.file.toStdString());
        const QByteArray bytes = VQReadAll(row.file);
        ASSERT_FALSE(bytes.isEmpty());
        QString error;
        const std::optional<VQPlist> plist = VQPlist::fromData(bytes, &error);
        QByteArray tree;
        if (plist)
            dump(plist->node(), tree);
        const std::string got = plist ? digest(tree) : "refused: " + error.toStdString();
        EXPECT_EQ(got, row.expected) << tree.left(2000).toStdString();
    }
}

// Every title and name comes back from the library file exactly: a library
// that holds one XML cannot carry is written as a binary property list, any
// other stays XML.
TEST_F(VQLibraryFormatTest, TitlesAndNamesComeBackExactly)
{
    std::vector<VQHardName> rows = VQHardNames();
    rows.push_back({"plain", QStringLiteral("Sea & <Sky>"), true});
    for (const VQHardName &row : rows) {
        SCOPED_TRACE(row.label);
        const QString file = path(QStringLiteral("names.vlb"));
        VQPlist root = VQPlist::dictionary();
        root.set(VQLibraryVersion, VQPlist::string(QString::fromLatin1(VQCurrentLibraryVersion)));
        root.set(VQLibraryContent, VQPlist::array());
        QString error;
        const std::unique_ptr<VQSwatchCore> core = VQSwatchCore::detachedFromLibrary(root.node(), file, &error);
        ASSERT_TRUE(core) << error.toStdString();
        VQColorRef named = VQColor::makeRGB(1, 0, 0);
        named->setName(row.text);
        core->addCollection(VQSwatchCollection::create(row.text, {named}));
        ASSERT_TRUE(core->writeToURL(file, &error)) << error.toStdString();

        EXPECT_TRUE(VQReadAll(file).startsWith(row.xml ? "<?xml" : "bplist00"));
        VQLibraryOpenResult opened = VQSwatchCore::open(file);
        ASSERT_TRUE(opened.core) << opened.error->message.toStdString();
        const std::unique_ptr<VQSwatchCore> loaded = std::move(opened.core);
        ASSERT_EQ(loaded->allCollections().size(), 1u);
        const VQSwatchCollectionRef collection = loaded->allCollections().front();
        EXPECT_TRUE(collection->title() == row.text);
        EXPECT_TRUE(collection->colors().at(0)->storedName() == row.text);
        EXPECT_EQ(QDir(path(QString())).entryList({QStringLiteral("names*")}, QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("names.vlb")}); // no temporary file left
        QFile::remove(file);
    }
}

// What we write of a library, XML and binary, byte for byte as before.
TEST_F(VQLibraryFormatTest, WrittenLibrariesAreByteForByteAsBefore)
{
    const QString corpus = QStringLiteral(VELLICO_SOURCE_DIR "/fuzz/corpus/library/");
    struct Row {
        QString source;
        const char *xml, *binary;
    } rows[] = {
        // Its names hold characters XML cannot carry: written binary either way.
        {write(QStringLiteral("awkward.vlb"), awkwardLibrary()), "667444f980831dd0", "667444f980831dd0"},
        {write(QStringLiteral("awkward-xml.vlb"), awkwardLibrary(true)), "7b3c5e49fe5d96a3", "6e8dc4d8f6428a75"},
        {corpus + "shared-colours.bplist", "b28f18be768232c5", "7d97261cd3a1a54f"},
        {corpus + "small.bplist", "4628b1c1441a62c9", "02922655458eabaa"},
        {corpus + "small.xml", "4628b1c1441a62c9", "02922655458eabaa"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.source.toStdString());
        QString error;
        VQLibraryOpenResult opened = VQSwatchCore::open(row.source);
        ASSERT_TRUE(opened.core) << opened.error->message.toStdString();
        const std::unique_ptr<VQSwatchCore> core = std::move(opened.core);
        const QString xml = path(QStringLiteral("out.xml")), binary = path(QStringLiteral("out.bplist"));
        ASSERT_TRUE(core->writeToURL(xml, &error)) << error.toStdString();
        ASSERT_TRUE(core->writeToURL(binary, &error, VQPlistFormat::Binary)) << error.toStdString();
        EXPECT_EQ(digest(VQReadAll(xml)), row.xml);
        EXPECT_EQ(digest(VQReadAll(binary)), row.binary);
    }
}
