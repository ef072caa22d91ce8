// Folding another copy of the library into this one.

#include "core/VQSwatchCore.h"

#include "vqcore/VQLog.h"

#include "core/VQOccurrencePairing_p.h"

void VQSwatchCore::mergeWithRemoteCoreAtURL(const QString &path)
{
    std::optional<VQPlist> root = VQPlist::fromFile(path);
    if (!root || !root->node().isDictionary())
        return;
    mergeWithRemoteLibrary(root->node(), path);
    root.reset();
    VQReleaseFreedMemory();
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

    // Read the whole remote copy before anything here changes. A list with an
    // entry of the wrong type is malformed as a whole and counts as none, as
    // when loading: applying its good half could delete what it never meant to.
    std::vector<std::uint64_t> remoteRemoved;
    bool malformed = false;
    root[VQLibraryRemovedCollectionIDs].forEachItem([&](VQPlistNode item) {
        if (auto id = item.toUInt64())
            remoteRemoved.push_back(*id);
        else
            malformed = true;
    });
    if (malformed)
        remoteRemoved.clear();
    const VQMerge::IDSet removedThere(std::move(remoteRemoved));
    std::vector<VQSwatchCollectionRef> remoteCollections;
    const VQPlistNode contents = root[VQLibraryContent];
    remoteCollections.reserve(contents.count());
    malformed = false;
    contents.forEachItem([&](VQPlistNode item) {
        if (item.isDictionary())
            remoteCollections.push_back(VQSwatchCollection::fromDictionary(item, true));
        else
            malformed = true;
    });
    if (malformed)
        remoteCollections.clear();

    std::lock_guard lock(_lock);

    // Deleted there: every collection here with that identifier goes.
    if (!removedThere.empty())
        std::erase_if(_collections,
                      [&](const VQSwatchCollectionRef &c) { return removedThere.contains(c->creationDate()); });

    // Pair collections occurrence by occurrence, as colours are paired: older
    // libraries can hold several collections created in the same second.
    const std::vector<std::size_t> partner = VQMerge::pairOccurrences(
        _collections, remoteCollections, [](const VQSwatchCollectionRef &c) { return c->creationDate(); });
    const VQMerge::IDSet removedHere(_removedCollectionIDs);
    const std::vector<VQSwatchCollectionRef> local = _collections;

    for (std::size_t ri = 0; ri < remoteCollections.size(); ++ri) {
        const VQSwatchCollectionRef &rc = remoteCollections[ri];
        if (partner[ri] != VQMerge::kNoPartner)
            local[partner[ri]]->mergeWithRemoteCollection(*rc); // still here, so not deleted here
        else if (!removedHere.contains(rc->creationDate()))
            _collections.push_back(rc);
    }

    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQSwatchCoreDidFinishSynchronizationNotification));
    smudge();
}
