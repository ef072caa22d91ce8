#include "VQTestSupport.h"

#include "vqcore/VQNotificationCenter.h"
#include "core/VQSwatchCore.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <functional>

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
        return VQOpenLiveLibrary(file);
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

namespace
{

VQColorRef colourWithID(std::uint64_t id, double red, double green, double blue, const char *name = nullptr)
{
    VQColorRef colour = VQColor::makeRGB(red, green, blue);
    colour->setColorID(id);
    if (name)
        colour->setName(QString::fromLatin1(name));
    return colour;
}

VQSwatchCollectionRef collectionWithID(std::uint64_t id, const char *title, std::vector<VQColorRef> colours)
{
    VQSwatchCollectionRef collection = VQSwatchCollection::create(QString::fromLatin1(title), std::move(colours));
    collection->setCreationDate(id);
    return collection;
}

// "Title: #RRGGBB name, …" per collection, in order; fails when an identity is
// held twice (two collections, or two colours of one collection).
QString contents(const VQSwatchCore &core)
{
    QStringList out;
    std::vector<std::uint64_t> collectionIDs;
    for (const VQSwatchCollectionRef &c : core.allCollections()) {
        collectionIDs.push_back(c->creationDate());
        QStringList colours;
        std::vector<std::uint64_t> colourIDs;
        for (const VQColorRef &colour : c->colors()) {
            colours << colour->hexValue() +
                           (colour->name() != colour->hexValue() ? QLatin1Char(' ') + colour->name() : QString());
            colourIDs.push_back(colour->colorID());
        }
        std::sort(colourIDs.begin(), colourIDs.end());
        EXPECT_EQ(std::adjacent_find(colourIDs.begin(), colourIDs.end()), colourIDs.end())
            << "two colours of " << c->title().toStdString() << " share an identity";
        out << c->title() + QStringLiteral(": ") + colours.join(QStringLiteral(", "));
    }
    std::sort(collectionIDs.begin(), collectionIDs.end());
    EXPECT_EQ(std::adjacent_find(collectionIDs.begin(), collectionIDs.end()), collectionIDs.end())
        << "two collections share an identity";
    return out.join(QStringLiteral(" | "));
}

} // namespace

// Another process (vellico-cli import, merge) replaced our own file while we
// changed the library. Identities are whole seconds unique within one process,
// so what both made in one second can share one: collections and colours that
// are new on both sides and have nothing in common are two, and both stay; one
// collection or colour changed on both sides still merges as one.
TEST_F(MergeTest, OurFileReplacedByAnotherProcess)
{
    using Edit = std::function<void(VQSwatchCore &)>;
    const auto inShared = [](VQSwatchCore &core) { return core.collectionWithID(10); };
    // As another process that made the colour in the same second would number it.
    const auto addWithID = [](VQSwatchCollection &collection, const VQColorRef &colour) {
        const std::uint64_t id = colour->colorID();
        collection.addColor(colour, false);
        colour->setColorID(id);
    };
    struct Row {
        const char *name;
        Edit here, there;
        const char *expected;
    };
    const std::vector<Row> rows = {
        {"collections made on both sides in one second, nothing shared: both stay",
         [](VQSwatchCore &core) { core.addCollection(collectionWithID(20, "Mine", {colourWithID(200, 0, 0, 1)})); },
         [](VQSwatchCore &core) {
             core.addCollection(
                 collectionWithID(20, "Theirs", {colourWithID(200, 0, 1, 0), colourWithID(201, 1, 1, 0)}));
         },
         "Shared: #FF0000 Red | Mine: #0000FF | Theirs: #00FF00, #FFFF00"},
        {"an empty collection made here and one made there in one second: both stay",
         [](VQSwatchCore &core) { core.addCollection(collectionWithID(20, "Mine", {})); },
         [](VQSwatchCore &core) { core.addCollection(collectionWithID(20, "Theirs", {colourWithID(200, 0, 1, 0)})); },
         "Shared: #FF0000 Red | Mine:  | Theirs: #00FF00"},
        {"collections made on both sides sharing a colour: one collection",
         [](VQSwatchCore &core) { core.addCollection(collectionWithID(20, "Mine", {colourWithID(200, 0, 0, 1)})); },
         [](VQSwatchCore &core) {
             core.addCollection(
                 collectionWithID(20, "Theirs", {colourWithID(200, 0, 0, 1), colourWithID(201, 1, 1, 0)}));
         },
         "Shared: #FF0000 Red | Theirs: #0000FF, #FFFF00"},
        {"a known collection renamed here and given colours on both sides: one collection",
         [&](VQSwatchCore &core) {
             inShared(core)->setTitle(QStringLiteral("Renamed"));
             inShared(core)->addColor(VQColor::makeRGB(0, 0, 1), false);
             inShared(core)->updateModificationDate();
         },
         [&](VQSwatchCore &core) {
             inShared(core)->addColor(VQColor::makeRGB(0, 1, 0), false);
             inShared(core)->setModificationDate(1);
         },
         "Renamed: #FF0000 Red, #0000FF, #00FF00"},
        {"a known collection whose colours were all replaced there: one collection", [](VQSwatchCore &) {},
         [&](VQSwatchCore &core) {
             inShared(core)->removeColorAtIndex(0);
             inShared(core)->addColor(VQColor::makeRGB(0, 1, 0), false);
         },
         "Shared: #00FF00"},
        {"colours added to one collection on both sides in one second: both stay",
         [&](VQSwatchCore &core) { addWithID(*inShared(core), colourWithID(500, 0, 0, 1)); },
         [&](VQSwatchCore &core) { addWithID(*inShared(core), colourWithID(500, 0, 1, 0)); },
         "Shared: #FF0000 Red, #0000FF, #00FF00"},
        {"a colour renamed on both sides: one colour, the later name",
         [&](VQSwatchCore &core) { inShared(core)->colors()[0]->setName(QStringLiteral("Scarlet")); },
         [&](VQSwatchCore &core) {
             inShared(core)->colors()[0]->setName(QStringLiteral("Crimson"));
             inShared(core)->colors()[0]->setModificationDate(1);
         },
         "Shared: #FF0000 Scarlet"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = path(QStringLiteral("own-%1.vlb").arg(++_files));
        {
            auto first = VQSwatchCore::detachedFromLibrary(library({}, {}).node(), file, nullptr);
            first->addCollection(collectionWithID(10, "Shared", {colourWithID(100, 1, 0, 0, "Red")}));
            ASSERT_TRUE(first->writeToURL(file));
        }
        auto core = VQOpenLiveLibrary(file);
        row.here(*core);
        {
            auto other = VQOpenDetachedLibrary(file);
            ASSERT_NE(other, nullptr);
            row.there(*other);
            ASSERT_TRUE(other->writeToURL(file));
        }
        ASSERT_TRUE(core->save());
        EXPECT_EQ(contents(*core), QString::fromLatin1(row.expected));
        EXPECT_EQ(contents(*VQOpenDetachedLibrary(file)), QString::fromLatin1(row.expected));
        ASSERT_TRUE(core->save());
        EXPECT_EQ(contents(*core), QString::fromLatin1(row.expected)) << "saving again changes nothing";
    }
}

// Two computers' copies: each would give a different one of the two the fresh
// identity, and they would never agree again. Collections that share an
// identity merge as they always have.
TEST_F(MergeTest, OtherComputersCopiesPairByIdentityAlone)
{
    auto core = coreWith({}, {});
    core->addCollection(collectionWithID(20, "Mine", {colourWithID(200, 0, 0, 1)}));
    auto other = VQSwatchCore::detachedFromLibrary(library({}, {}).node(), path(QStringLiteral("copy.vlb")), nullptr);
    other->addCollection(collectionWithID(20, "Theirs", {colourWithID(201, 0, 1, 0)}));
    core->mergeWithRemoteLibrary(other->libraryDictionary().node());
    EXPECT_EQ(contents(*core), QStringLiteral("Theirs: #0000FF, #00FF00"));
}
