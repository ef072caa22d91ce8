#include "VQTestSupport.h"

#include "vqcore/VQClock.h"
#include "vqcore/VQNotificationCenter.h"
#include "core/VQSwatchCollection.h"
#include "core/VQSwatchCore.h"

#include <QFile>
#include <QStringList>

namespace
{

// A colour written compactly for the merge rows: identifier, modification date, name.
struct C {
    std::uint64_t id;
    std::uint64_t date;
    const char *name;
};

VQColorRef makeColor(const C &c)
{
    VQColorRef color = VQColor::makeRGB(0.1, 0.2, 0.3);
    color->setName(QString::fromLatin1(c.name));
    color->setColorID(c.id);
    color->setModificationDate(c.date);
    return color;
}

VQSwatchCollectionRef makeCollection(std::uint64_t created, const std::vector<C> &colors,
                                     const std::vector<std::uint64_t> &removed = {})
{
    // Build through the dictionary form, as a stored copy arrives.
    VQPlist array = VQPlist::array();
    for (const C &c : colors)
        array.append(makeColor(c)->dictionaryRepresentation());
    VQPlist tombstones = VQPlist::array();
    for (std::uint64_t id : removed)
        tombstones.append(VQPlist::integer(id));
    VQPlist dict = VQPlist::dictionary();
    dict.set(VQColorsKey, std::move(array));
    dict.set(VQCreationDateKey, VQPlist::integer(created));
    dict.set(VQCollectionModificationDateKey, VQPlist::integer(0));
    dict.set(VQRemovedColorIDsKey, std::move(tombstones));
    dict.set(VQTitleKey, VQPlist::string(QStringLiteral("T")));
    return VQSwatchCollection::fromDictionary(dict.node());
}

QString names(const VQSwatchCollection &collection)
{
    QStringList list;
    for (const VQColorRef &color : collection.colors())
        list << color->name();
    return list.join(QLatin1Char(' '));
}

using CollectionTest = VQLibraryTest;

} // namespace

TEST_F(CollectionTest, AddColorUniquelyRefusesAnEqualColourAndKeepsItsIdentifier)
{
    auto collection = VQSwatchCollection::create(QStringLiteral("A"));
    VQColorRef first = VQColor::makeRGB(1, 0, 0);
    ASSERT_TRUE(collection->addColor(first, true));

    VQColorRef twin = VQColor::makeRGB(1, 0, 0);
    twin->setColorID(first->colorID());
    EXPECT_FALSE(collection->addColor(twin, true));
    EXPECT_EQ(collection->count(), 1u);
    EXPECT_EQ(twin->colorID(), first->colorID());

    // Not uniquely: appended, with an identifier of its own.
    EXPECT_TRUE(collection->addColor(twin, false));
    EXPECT_EQ(collection->count(), 2u);
    EXPECT_NE(twin->colorID(), first->colorID());
    // Collections made in one second still get distinct identities.
    EXPECT_NE(VQSwatchCollection::create(QString())->creationDate(), collection->creationDate());
}

// Another process, or an import that ran ahead of the clock, may have handed
// out the identifiers of this second already: a new colour takes none that its
// collection holds or has removed.
TEST_F(CollectionTest, AddedColoursAvoidIdentifiersHeldOrRemoved)
{
    const std::uint64_t now = std::uint64_t(time());
    auto collection = makeCollection(1, {{now, 0, "a"}, {now + 1, 0, "b"}}, {now + 2, now + 4});
    VQUniqueTimestamp::colorIDs().reset();
    VQColorRef first = VQColor::makeRGB(0, 0, 0), second = VQColor::makeRGB(1, 1, 1);
    collection->addColor(first, false);
    collection->addColor(second, false);
    EXPECT_EQ(first->colorID(), now + 3);
    EXPECT_EQ(second->colorID(), now + 5);
}

TEST_F(CollectionTest, RemoveLastColourLeavesTombstoneDateAndOneNotification)
{
    auto collection = VQSwatchCollection::create(QStringLiteral("A"));
    VQColorRef color = VQColor::makeRGB(0, 1, 0);
    collection->addColor(color, false);
    setTime(time() + 10);
    const int posts = VQCountPosts(VQSwatchCollectionDidChangeNotification, [&] { collection->removeColorAtIndex(0); });
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(collection->count(), 0u);
    EXPECT_EQ(collection->removedColorIDs(), std::vector<std::uint64_t>{color->colorID()});
    EXPECT_EQ(collection->modificationDate(), std::uint64_t(time()));
    EXPECT_EQ(collection->firstColor(), nullptr);
}

TEST_F(CollectionTest, SelectColorMovesItToTheFront)
{
    struct Row {
        std::size_t index;
        const char *expected;
    };
    for (const Row row : {Row{2, "C A B D"}, Row{0, "A B C D"}}) {
        SCOPED_TRACE(row.index);
        auto collection = makeCollection(1, {{1, 0, "A"}, {2, 0, "B"}, {3, 0, "C"}, {4, 0, "D"}});
        const int posts =
            VQCountPosts(VQSwatchCollectionDidChangeNotification, [&] { collection->selectColorAtIndex(row.index); });
        EXPECT_EQ(names(*collection), QString::fromLatin1(row.expected));
        EXPECT_EQ(collection->firstColor()->name(), QString::fromLatin1(row.expected).left(1));
        EXPECT_EQ(posts, 1);
    }
}

TEST_F(CollectionTest, DictionaryFormRoundTripsAndDefaultsMissingValues)
{
    auto original = makeCollection(1234, {{7, 99, "x"}, {8, 0, "y"}}, {5, 6});
    original->setTitle(QStringLiteral("Ocean ≈ blue"));
    original->setModificationDate(4321);
    auto copy = VQSwatchCollection::fromDictionary(original->dictionaryRepresentation().node());
    EXPECT_EQ(copy->isEqualToCollection(*original), VQSwatchCollectionEquality::Equal);
    EXPECT_EQ(copy->removedColorIDs(), (std::vector<std::uint64_t>{5, 6}));
    EXPECT_EQ(copy->title(), QStringLiteral("Ocean ≈ blue"));

    // Nothing usable: every field takes its default; the creation date is a
    // fresh identity, another one for every such record (they all got the
    // same second, and one tombstone deleted them all).
    VQPlist junk = VQPlist::dictionary();
    junk.set(VQTitleKey, VQPlist::integer(3));
    junk.set(VQColorsKey, VQPlist::string(QStringLiteral("none")));
    junk.set(VQRemovedColorIDsKey, VQPlist::dictionary());
    auto empty = VQSwatchCollection::fromDictionary(junk.node());
    EXPECT_EQ(empty->title(), QString());
    EXPECT_EQ(empty->count(), 0u);
    EXPECT_EQ(empty->creationDate(), std::uint64_t(time()));
    EXPECT_EQ(empty->modificationDate(), 0u);
    EXPECT_TRUE(empty->removedColorIDs().empty());
    EXPECT_EQ(VQSwatchCollection::fromDictionary(junk.node())->creationDate(), std::uint64_t(time()) + 1);

    // A list with an entry of the wrong type: read leniently from our own file,
    // as a whole or not at all from a copy being merged in.
    VQPlist mixed = original->dictionaryRepresentation();
    VQPlist colors = VQPlist::array(), removed = VQPlist::array();
    colors.append(makeColor({7, 0, "x"})->dictionaryRepresentation()).append(VQPlist::string("junk"));
    removed.append(VQPlist::integer(5)).append(VQPlist::string("junk"));
    mixed.set(VQColorsKey, std::move(colors)).set(VQRemovedColorIDsKey, std::move(removed));
    EXPECT_EQ(VQSwatchCollection::fromDictionary(mixed.node())->count(), 1u);
    EXPECT_EQ(VQSwatchCollection::fromDictionary(mixed.node())->removedColorIDs(), std::vector<std::uint64_t>{5});
    EXPECT_EQ(VQSwatchCollection::fromDictionary(mixed.node(), true)->count(), 0u);
    EXPECT_TRUE(VQSwatchCollection::fromDictionary(mixed.node(), true)->removedColorIDs().empty());
}

TEST_F(CollectionTest, EqualityRows)
{
    auto base = [] { return makeCollection(10, {{1, 0, "a"}, {2, 0, "b"}}); };
    struct Row {
        const char *name;
        std::function<void(VQSwatchCollection &)> change;
        VQSwatchCollectionEquality expected;
    };
    const std::vector<Row> rows = {
        {"identical", [](VQSwatchCollection &) {}, VQSwatchCollectionEquality::Equal},
        {"other creation date", [](VQSwatchCollection &c) { c.setCreationDate(11); },
         VQSwatchCollectionEquality::NotEqual},
        {"other title", [](VQSwatchCollection &c) { c.setTitle(QStringLiteral("U")); },
         VQSwatchCollectionEquality::PartiallyEqual},
        {"other modification date", [](VQSwatchCollection &c) { c.setModificationDate(5); },
         VQSwatchCollectionEquality::PartiallyEqual},
        {"one colour fewer",
         [](VQSwatchCollection &c) {
             c.removeColorAtIndex(1);
             c.setModificationDate(0);
         },
         VQSwatchCollectionEquality::PartiallyEqual},
        {"colours reordered",
         [](VQSwatchCollection &c) {
             c.selectColorAtIndex(1);
             c.setModificationDate(0);
         },
         VQSwatchCollectionEquality::PartiallyEqual},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        auto a = base();
        auto b = base();
        row.change(*b);
        EXPECT_EQ(a->isEqualToCollection(*b), row.expected);
    }
    // Titles compare under canonical equivalence: é precomposed and decomposed are one title.
    auto a = base();
    auto b = base();
    a->setTitle(QString::fromUtf8("caf\u00e9"));
    b->setTitle(QString::fromUtf8("cafe\u0301"));
    EXPECT_EQ(a->isEqualToCollection(*b), VQSwatchCollectionEquality::Equal);
}

namespace
{
struct MergeRow {
    const char *name;
    std::vector<C> local;
    std::vector<std::uint64_t> localRemoved;
    std::vector<C> remote;
    std::vector<std::uint64_t> remoteRemoved;
    const char *expected;
};
} // namespace

TEST_F(CollectionTest, MergeRows)
{
    const std::vector<MergeRow> rows = {
        {"same copy", {{1, 0, "a"}, {2, 0, "b"}}, {}, {{1, 0, "a"}, {2, 0, "b"}}, {}, "a b"},
        {"deleted here does not come back", {{1, 0, "a"}}, {2}, {{1, 0, "a"}, {2, 0, "b"}}, {}, "a"},
        {"deleted there goes here", {{1, 0, "a"}, {2, 0, "b"}}, {}, {{1, 0, "a"}}, {2}, "a"},
        // A tie between different contents goes to the greater one on both sides.
        {"tie, the remote one is greater", {{1, 5, "local"}}, {}, {{1, 5, "remote"}}, {}, "remote"},
        {"tie, the local one is greater", {{1, 5, "remote"}}, {}, {{1, 5, "local"}}, {}, "remote"},
        {"newer remote wins", {{1, 5, "local"}}, {}, {{1, 6, "remote"}}, {}, "remote"},
        {"newer local wins", {{1, 7, "local"}}, {}, {{1, 6, "remote"}}, {}, "local"},
        {"remote-only colours in remote order",
         {{1, 0, "a"}},
         {},
         {{3, 0, "c"}, {1, 0, "a"}, {2, 0, "b"}},
         {},
         "c a b"},
        {"local-only colour keeps its index",
         {{1, 0, "a"}, {9, 0, "x"}, {2, 0, "b"}},
         {},
         {{1, 0, "a"}, {2, 0, "b"}},
         {},
         "a x b"},
        {"local-only colours past the end are appended",
         {{7, 0, "p"}, {8, 0, "q"}, {9, 0, "r"}, {1, 0, "a"}},
         {},
         {{1, 0, "a"}},
         {},
         "p q r a"},
        {"remote order wins for shared colours", {{1, 0, "a"}, {2, 0, "b"}}, {}, {{2, 0, "b"}, {1, 0, "a"}}, {}, "b a"},
        // Colours made in one second by older versions share an identifier:
        // each occurrence pairs with the same occurrence on the other side.
        {"shared identifiers merged with their own copy",
         {{5, 0, "a"}, {5, 0, "b"}, {5, 0, "c"}},
         {},
         {{5, 0, "a"}, {5, 0, "b"}, {5, 0, "c"}},
         {},
         "a b c"},
        {"shared identifiers, one more on the remote side",
         {{5, 0, "a"}, {5, 0, "b"}},
         {},
         {{5, 0, "a"}, {5, 0, "b"}, {5, 0, "c"}},
         {},
         "a b c"},
        {"shared identifiers, one more here",
         {{5, 0, "a"}, {5, 0, "b"}, {5, 0, "c"}},
         {},
         {{5, 0, "a"}, {5, 0, "b"}},
         {},
         "a b c"},
        {"twin still here although its identifier was deleted here",
         {{5, 0, "b"}},
         {5},
         {{5, 0, "b"}, {5, 0, "c"}},
         {},
         "b"},
    };
    for (const MergeRow &row : rows) {
        SCOPED_TRACE(row.name);
        auto local = makeCollection(1, row.local, row.localRemoved);
        auto remote = makeCollection(1, row.remote, row.remoteRemoved);
        local->mergeWithRemoteCollection(*remote);
        EXPECT_EQ(names(*local), QString::fromLatin1(row.expected));
        EXPECT_EQ(local->removedColorIDs(), row.localRemoved) << "the merge keeps the local tombstones";
    }
}

// Two computers that changed one colour in the same second kept their own
// versions for ever; both must end with the same one, and equal ones stay.
TEST_F(CollectionTest, ATieBetweenDifferentColoursConverges)
{
    const auto colour = [](VQColorRef color, const char *name) {
        if (name)
            color->setName(QString::fromLatin1(name));
        color->setColorID(1);
        color->setModificationDate(5);
        return color;
    };
    struct Row {
        const char *name;
        VQColorRef a, b;
    } rows[] = {
        {"components", colour(VQColor::makeRGB(0.2, 0, 0), "x"), colour(VQColor::makeRGB(0.1, 0, 0), "x")},
        {"colour space", colour(VQColor::makeRGB(0, 0, 0), "x"), colour(VQColor::makeCMYK(0, 0, 0, 1), "x")},
        {"name", colour(VQColor::makeRGB(0, 0, 0), "b"), colour(VQColor::makeRGB(0, 0, 0), "a")},
        {"a name and none", colour(VQColor::makeRGB(0, 0, 0), nullptr), colour(VQColor::makeRGB(0, 0, 0), "a")},
        {"equal", colour(VQColor::makeRGB(0, 0, 0), "x"), colour(VQColor::makeRGB(0, 0, 0), "x")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        // Each side's copy comes through the dictionary form, as stored.
        const auto withColour = [](const VQColorRef &color) {
            VQPlist d = VQSwatchCollection::create("T")->dictionaryRepresentation();
            VQPlist list = VQPlist::array();
            list.append(color->dictionaryRepresentation());
            d.set(VQColorsKey, std::move(list)).set(VQCreationDateKey, VQPlist::integer(1));
            return VQSwatchCollection::fromDictionary(d.node());
        };
        auto here = withColour(row.a), there = withColour(row.b);
        const VQColorRef before = here->firstColor();
        here->mergeWithRemoteCollection(*withColour(row.b));
        there->mergeWithRemoteCollection(*withColour(row.a));
        EXPECT_EQ(VQColorContentOrder(*here->firstColor(), *there->firstColor()), 0);
        if (VQColorContentOrder(*row.a, *row.b) == 0) {
            EXPECT_EQ(here->firstColor(), before) << "an equal remote colour leaves the local one";
        }
    }
}

TEST_F(CollectionTest, MergeIsIdempotentAndMatchesSequentialInsertionOnASweep)
{
    // Here colours 0..39; there every third of them, tombstones for some, and 20 of its own.
    static std::vector<std::string> labels;
    labels.clear();
    for (int i = 0; i < 60; ++i)
        labels.push_back("c" + std::to_string(i));
    std::vector<C> local, remote;
    std::vector<std::uint64_t> remoteRemoved;
    for (int i = 0; i < 60; ++i) {
        if (i < 40)
            local.push_back({std::uint64_t(i), 0, labels[i].c_str()});
        if (i % 3 == 0 || i >= 40)
            remote.push_back({std::uint64_t(i), 0, labels[i].c_str()});
        if (i < 40 && i % 7 == 1)
            remoteRemoved.push_back(std::uint64_t(i));
    }
    // The slow way: insert each kept local colour at its local index, in order.
    QStringList expected;
    for (const C &c : remote)
        expected << QString::fromLatin1(c.name);
    for (int i = 0; i < 40; ++i)
        if (i % 3 != 0 && i % 7 != 1)
            expected.insert(std::min<qsizetype>(i, expected.size()), QString::fromLatin1(local[i].name));

    auto merged = makeCollection(1, local);
    merged->mergeWithRemoteCollection(*makeCollection(1, remote, remoteRemoved));
    EXPECT_EQ(names(*merged), expected.join(QLatin1Char(' ')));
    merged->mergeWithRemoteCollection(*makeCollection(1, remote, remoteRemoved));
    EXPECT_EQ(names(*merged), expected.join(QLatin1Char(' '))) << "a second merge changes nothing";
}

// The newer title wins; at the same date the greater one, so that both computers end with it.
TEST_F(CollectionTest, MergeTakesTheNewerTitleAndMarksTheLibraryDirty)
{
    struct Row {
        const char *name;
        std::uint64_t remoteDate;
        const char *remoteTitle;
        bool changed;
    } rows[] = {{"older", 9, "Old", false},
                {"same date, a smaller title", 10, "Lower", false},
                {"same date, a greater title", 10, "Next", true},
                {"newer", 11, "Theirs", true}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        // Two libraries read from one file: the collection belongs to the first.
        const QString file = path(QStringLiteral("lib.vlb"));
        QFile::remove(file);
        auto seed = makeCollection(1, {});
        seed->setTitle(QStringLiteral("Mine"));
        seed->setModificationDate(10);
        {
            const auto writer = VQOpenLiveLibrary(file);
            writer->addCollection(seed);
            ASSERT_TRUE(writer->writeToURL(file));
        }
        const std::unique_ptr<VQSwatchCore> core = VQOpenLiveLibrary(file), other = VQOpenLiveLibrary(file);
        ASSERT_FALSE(core->isDirty());
        const VQSwatchCollectionRef local = core->allCollections().at(0);
        auto remote = makeCollection(1, {});
        remote->setTitle(QString::fromLatin1(row.remoteTitle));
        remote->setModificationDate(row.remoteDate);
        EXPECT_EQ(local->mergeWithRemoteCollection(*remote), row.changed);
        EXPECT_EQ(local->title(), row.changed ? QString::fromLatin1(row.remoteTitle) : QStringLiteral("Mine"));
        EXPECT_EQ(local->modificationDate(), 10u) << "the merge leaves the dates alone";
        EXPECT_EQ(core->isDirty(), row.changed);
        // A change tells the library that holds the collection, and no other.
        local->updateModificationDate();
        EXPECT_TRUE(core->isDirty());
        EXPECT_FALSE(other->isDirty());
    }
}
