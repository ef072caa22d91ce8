// Folding another copy of the library into this one.

#include "VQSwatchCore.h"

#include "VQLog.h"

#include <unordered_map>
#include <unordered_set>

void VQSwatchCore::mergeWithRemoteCoreAtURL(const QString &path)
{
    std::optional<VQPlist> root = VQPlist::fromFile(path);
    if (!root || !root->node().isDictionary())
        return;
    mergeWithRemoteLibrary(root->node(), path);
}

void VQSwatchCore::mergeWithRemoteLibrary(VQPlistNode root, const QString &whereFrom)
{
    const VQPlistNode version = root[VQLibraryVersion];
    if (version.toString() != QString::fromLatin1(VQCurrentLibraryVersion)) {
        VQLog(QStringLiteral("%1 - library version (%2) doesn't match at URL %3")
                  .arg(QStringLiteral("mergeWithRemoteCoreAtURL"),
                       version.isNull() ? QStringLiteral("(none)") : version.description(), whereFrom));
        return;
    }

    // Read the whole remote copy before anything here changes.
    std::unordered_set<std::uint64_t> removedThere;
    root[VQLibraryRemovedCollectionIDs].forEachItem([&](VQPlistNode item) {
        if (auto id = item.toUInt64())
            removedThere.insert(*id);
    });
    std::vector<VQSwatchCollectionRef> remoteCollections;
    const VQPlistNode contents = root[VQLibraryContent];
    remoteCollections.reserve(contents.count());
    contents.forEachItem([&](VQPlistNode item) {
        if (item.isDictionary())
            remoteCollections.push_back(VQSwatchCollection::fromDictionary(item));
    });

    std::lock_guard lock(_lock);

    // Deleted there: every collection here with that identifier goes.
    if (!removedThere.empty())
        std::erase_if(_collections, [&](const VQSwatchCollectionRef &c) { return removedThere.contains(c->creationDate()); });

    // Pair collections occurrence by occurrence, as colours are paired: older
    // libraries can hold several collections created in the same second.
    std::unordered_map<std::uint64_t, std::vector<VQSwatchCollectionRef>> localByID;
    localByID.reserve(_collections.size());
    for (const VQSwatchCollectionRef &collection : _collections)
        localByID[collection->creationDate()].push_back(collection);
    const std::unordered_set<std::uint64_t> removedHere(_removedCollectionIDs.begin(), _removedCollectionIDs.end());
    std::unordered_map<std::uint64_t, std::size_t> occurrencesSeen;

    for (const VQSwatchCollectionRef &rc : remoteCollections) {
        const std::uint64_t id = rc->creationDate();
        const std::size_t occurrence = occurrencesSeen[id]++;
        const auto local = localByID.find(id);
        if (local != localByID.end() && occurrence < local->second.size())
            local->second[occurrence]->mergeWithRemoteCollection(*rc); // still here, so not deleted here
        else if (!removedHere.contains(id))
            _collections.push_back(rc);
    }

    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQSwatchCoreDidFinishSynchronizationNotification));
    smudge();
}
