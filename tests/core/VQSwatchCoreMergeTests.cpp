#include "VQTestSupport.h"

#include "vqcore/VQNotificationCenter.h"
#include "core/VQSwatchCore.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace
{

// Collections written compactly: creation date and title.
struct Col {
    std::uint64_t created;
    const char *title;
};

VQPlist library(const std::vector<Col> &collections, const std::vector<std::uint64_t> &removed,
                VQPlist version = VQPlist::string(QStringLiteral("0.3")))
{
    VQPlist contents = VQPlist::array();
    for (const Col &c : collections) {
        auto collection = VQSwatchCollection::create(QString::fromLatin1(c.title));
        collection->setCreationDate(c.created);
        contents.append(collection->dictionaryRepresentation());
    }
    VQPlist tombstones = VQPlist::array();
    for (std::uint64_t id : removed)
        tombstones.append(VQPlist::integer(id));
    VQPlist root = VQPlist::dictionary();
    root.set(VQLibraryVersion, std::move(version));
    root.set(VQLibraryContent, std::move(contents));
    root.set(VQLibraryRemovedCollectionIDs, std::move(tombstones));
    return root;
}

QString titles(const VQSwatchCore &core)
{
    QStringList list;
    for (const auto &c : core.allCollections())
        list << c->title();
    return list.join(QLatin1Char(' '));
}

class MergeTest : public VQLibraryTest
{
  protected:
    std::unique_ptr<VQSwatchCore> coreWith(const std::vector<Col> &collections,
                                           const std::vector<std::uint64_t> &removed)
    {
        const QString file = path(QStringLiteral("local-%1.vlb").arg(++_files));
        EXPECT_TRUE(library(collections, removed).writeXMLFileAtomically(file));
        return VQSwatchCore::loadFromURL(file);
    }
    QString remoteFile(const VQPlist &root)
    {
        const QString file = path(QStringLiteral("remote-%1.vlb").arg(++_files));
        EXPECT_TRUE(root.writeXMLFileAtomically(file));
        return file;
    }
    int _files = 0;
};

struct Row {
    const char *name;
    std::vector<Col> local;
    std::vector<std::uint64_t> localRemoved;
    std::vector<Col> remote;
    std::vector<std::uint64_t> remoteRemoved;
    const char *expected;
};

} // namespace

TEST_F(MergeTest, Rows)
{
    const std::vector<Row> rows = {
        {"remote-only collection is appended", {{1, "a"}, {2, "b"}}, {}, {{3, "c"}, {1, "a"}}, {}, "a b c"},
        {"deleted here does not return", {{1, "a"}}, {2}, {{1, "a"}, {2, "b"}}, {}, "a"},
        {"deleted there goes, even when changed here", {{1, "a"}, {2, "b"}}, {}, {{1, "a"}}, {2}, "a"},
        {"every collection with a deleted identifier goes", {{2, "x"}, {1, "a"}, {2, "y"}}, {}, {}, {2}, "a"},
        {"local-only collection stays", {{1, "a"}, {4, "d"}}, {}, {{1, "a"}}, {}, "a d"},
        // Older libraries hold collections created in one second: they pair in order.
        {"same-second collections pair occurrence by occurrence",
         {{5, "x"}, {5, "y"}},
         {},
         {{5, "x"}, {5, "y"}, {5, "z"}},
         {},
         "x y z"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        auto core = coreWith(row.local, row.localRemoved);
        ASSERT_FALSE(core->isDirty());
        core->mergeWithRemoteCoreAtURL(remoteFile(library(row.remote, row.remoteRemoved)));
        EXPECT_EQ(titles(*core), QString::fromLatin1(row.expected));
        EXPECT_EQ(core->removedCollectionIDs(), row.localRemoved) << "remote tombstones are not copied";
        EXPECT_TRUE(core->isDirty());
        core->mergeWithRemoteCoreAtURL(remoteFile(library(row.remote, row.remoteRemoved)));
        EXPECT_EQ(titles(*core), QString::fromLatin1(row.expected)) << "merging twice is merging once";
    }
}

TEST_F(MergeTest, OtherVersionsAndUnreadableFilesChangeNothing)
{
    const auto withVersion = [this](VQPlist version) {
        return remoteFile(library({{2, "b"}}, {1}, std::move(version)));
    };
    const QString junk = path(QStringLiteral("junk.vlb"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<plist><dict><key>DBVersion</key>");
    file.close();
    const std::vector<std::pair<const char *, QString>> rows = {
        {"number 0.3", withVersion(VQPlist::real(0.3))},
        {"text 0.2", withVersion(VQPlist::string(QStringLiteral("0.2")))},
        {"text 0.30", withVersion(VQPlist::string(QStringLiteral("0.30")))},
        {"no version", withVersion(VQPlist())},
        {"not a property list", junk},
        {"no file", path(QStringLiteral("does-not-exist.vlb"))},
    };
    for (const auto &[name, remote] : rows) {
        SCOPED_TRACE(name);
        auto core = coreWith({{1, "a"}}, {});
        const int syncs = VQCountPosts(VQSwatchCoreDidFinishSynchronizationNotification,
                                       [&] { core->mergeWithRemoteCoreAtURL(remote); });
        EXPECT_EQ(titles(*core), QStringLiteral("a"));
        EXPECT_FALSE(core->isDirty());
        EXPECT_EQ(syncs, 0);
    }
}

TEST_F(MergeTest, ColoursOfCollectionsInBothCopiesAreMerged)
{
    auto core = coreWith({{1, "a"}}, {});
    auto local = core->allCollections()[0];
    VQColorRef mine = VQColor::makeRGB(1, 0, 0);
    local->addColor(mine, false);

    auto remoteCollection = VQSwatchCollection::create(QStringLiteral("renamed"));
    remoteCollection->setCreationDate(1);
    remoteCollection->setModificationDate(100);
    remoteCollection->addColor(VQColor::makeRGB(0, 0, 1), false);
    VQPlist root = library({}, {});
    VQPlist contents = VQPlist::array();
    contents.append(remoteCollection->dictionaryRepresentation());
    root.set(VQLibraryContent, std::move(contents));
    core->mergeWithRemoteCoreAtURL(remoteFile(root));

    ASSERT_EQ(core->numberOfCollections(), 1u);
    EXPECT_EQ(local->title(), QStringLiteral("renamed"));
    ASSERT_EQ(local->count(), 2u);
    // The colour only we have keeps its index; theirs follows.
    EXPECT_EQ(local->colors()[0], mine);
    EXPECT_EQ(local->colors()[1]->hexValue(), QStringLiteral("#0000FF"));
}

// A remote list with an entry of the wrong type is malformed as a whole, as
// the loader reads it: RZRemovedCollectionIDs = [1, "junk"] deleted collection 1.
TEST_F(MergeTest, AMalformedRemoteListCountsAsNone)
{
    const auto junkIn = [](VQPlist list) { return std::move(list.append(VQPlist::string(QStringLiteral("junk")))); };
    const auto withColour = [](std::uint64_t id) {
        auto collection = VQSwatchCollection::create(QStringLiteral("a"));
        collection->setCreationDate(1);
        VQColorRef colour = VQColor::makeRGB(1, 0, 0);
        collection->addColor(colour, false);
        colour->setColorID(id);
        return collection->dictionaryRepresentation();
    };
    struct Row {
        const char *name;
        const char *key; // the library's list, or the collection's when `inCollection`
        bool inCollection;
        VQPlist list; // the good entries; "junk" is appended
    };
    std::vector<Row> rows;
    rows.push_back({"collection tombstones", VQLibraryRemovedCollectionIDs, false, VQPlist::array()});
    rows.back().list.append(VQPlist::integer(1));
    rows.push_back({"collections", VQLibraryContent, false, VQPlist::array()});
    rows.back().list.append(withColour(77));
    rows.push_back({"colour tombstones", VQRemovedColorIDsKey, true, VQPlist::array()});
    rows.back().list.append(VQPlist::integer(42));
    rows.push_back({"colours", VQColorsKey, true, VQPlist::array()});
    rows.back().list.append(VQColor::makeRGB(0, 0, 1)->dictionaryRepresentation());
    for (Row &row : rows) {
        SCOPED_TRACE(row.name);
        auto core = coreWith({}, {});
        auto local = VQSwatchCollection::fromDictionary(withColour(42).node());
        core->addCollection(local);
        VQPlist remoteCollection = withColour(99);
        VQPlist remote = library({}, {});
        if (row.inCollection)
            remoteCollection.set(row.key, junkIn(std::move(row.list)));
        VQPlist contents = VQPlist::array();
        contents.append(std::move(remoteCollection));
        remote.set(VQLibraryContent, std::move(contents));
        if (!row.inCollection)
            remote.set(row.key, junkIn(std::move(row.list)));
        core->mergeWithRemoteCoreAtURL(remoteFile(remote));
        ASSERT_EQ(core->numberOfCollections(), 1u);
        EXPECT_EQ(core->allCollections()[0], local) << "the local collection was deleted";
        QStringList found;
        for (const VQColorRef &colour : local->colors())
            found << QString::number(colour->colorID()) + colour->hexValue();
        EXPECT_TRUE(found.contains(QStringLiteral("42#FF0000"))) << found.join(' ').toStdString();
        EXPECT_FALSE(found.join(' ').contains(QStringLiteral("#0000FF"))) << "a colour of a malformed list came in";
        EXPECT_FALSE(found.join(' ').contains(QStringLiteral("77#"))) << "a collection of a malformed list came in";
    }
}
