// Folding another copy of the library into this one.

#include "core/VQSwatchCore.h"

#include "vqcore/VQClock.h"
#include "vqcore/VQLog.h"

#include "core/VQOccurrencePairing_p.h"

#include <algorithm>

namespace
{

// Whether two copies of one collection identity show a common past: a colour
// of one is also a colour of the other (the same identity and the same colour:
// colours never change space or components, only names), or one side deleted
// a colour the other still holds.
bool shareHistory(const VQSwatchCollection &local, const VQSwatchCollection &remote)
{
    const std::vector<VQColorRef> localColors = local.colors(), remoteColors = remote.colors();
    const std::vector<std::size_t> partner =
        VQMerge::pairOccurrences(localColors, remoteColors, [](const VQColorRef &c) { return c->colorID(); });
    for (std::size_t ri = 0; ri < remoteColors.size(); ++ri) {
        if (partner[ri] != VQMerge::kNoPartner && VQMerge::sameColour(*localColors[partner[ri]], *remoteColors[ri]))
            return true;
    }
    const VQMerge::IDSet removedHere(local.removedColorIDs()), removedThere(remote.removedColorIDs());
    for (const VQColorRef &c : remoteColors)
        if (removedHere.contains(c->colorID()))
            return true;
    for (const VQColorRef &c : localColors)
        if (removedThere.contains(c->colorID()))
            return true;
    return false;
}

} // namespace

bool VQSwatchCore::mergeWithRemoteCoreAtURL(const QString &path)
{
    std::optional<VQPlist> root = VQPlist::fromFile(path);
    if (!root || !root->node().isDictionary())
        return false;
    const bool merged = mergeWithRemoteLibrary(root->node(), path);
    root.reset();
    VQReleaseFreedMemoryWhenIdle();
    return merged;
}

bool VQSwatchCore::mergeWithRemoteLibrary(VQPlistNode root, const QString &whereFrom)
{
    return mergeLibrary(root, whereFrom, MergeSource::OtherCopy);
}

bool VQSwatchCore::mergeLibrary(VQPlistNode root, const QString &whereFrom, MergeSource source)
{
    const VQPlistNode version = root[VQLibraryVersion];
    if (version.toString() != QString::fromLatin1(VQCurrentLibraryVersion)) {
        VQLog(QStringLiteral("%1 - library version (%2) doesn't match at URL %3")
                  .arg(QStringLiteral("mergeWithRemoteCoreAtURL"),
                       version.isNull() ? QStringLiteral("(none)") : version.description(), whereFrom));
        return false;
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

    // Our own file, replaced by another process on this computer (an import,
    // a merge): identities are time stamps unique only within one process, so
    // a collection made there and one made here in the same second can share
    // one. Such a pair are strangers, and both stay (theirs with a fresh
    // identity), when
    //   - our file did not hold the identity when we last read or wrote it: ours
    //     was made here since, and no other process can have seen it; theirs
    //     was made there since, and we have not seen it;
    //   - it occurs once on each side (older libraries pair by occurrence);
    //   - their contents share nothing: no colour identity that both hold as
    //     the same colour, and neither deleted a colour the other holds.
    // Anything else is one collection changed on both sides and merges as
    // always. Other computers' copies always merge as always: each computer
    // would give a different collection the fresh identity.
    const bool keepStrangers = source == MergeSource::OwnFile;
    std::vector<std::uint64_t> localIDs, remoteIDs;
    std::vector<std::uint64_t> taken;
    std::optional<VQMerge::IDSet> knownToTheFile;
    if (keepStrangers) {
        for (const VQSwatchCollectionRef &c : local)
            localIDs.push_back(c->creationDate());
        for (const VQSwatchCollectionRef &c : remoteCollections)
            remoteIDs.push_back(c->creationDate());
        std::sort(localIDs.begin(), localIDs.end());
        std::sort(remoteIDs.begin(), remoteIDs.end());
        knownToTheFile.emplace(_fileCollectionIDs);
    }
    const auto once = [](const std::vector<std::uint64_t> &sorted, std::uint64_t id) {
        const auto [first, last] = std::equal_range(sorted.begin(), sorted.end(), id);
        return last - first == 1;
    };
    const auto strangers = [&](const VQSwatchCollection &lc, const VQSwatchCollection &rc) {
        const std::uint64_t id = rc.creationDate();
        return keepStrangers && !knownToTheFile->contains(id) && once(localIDs, id) && once(remoteIDs, id) &&
               !shareHistory(lc, rc);
    };

    for (std::size_t ri = 0; ri < remoteCollections.size(); ++ri) {
        const VQSwatchCollectionRef &rc = remoteCollections[ri];
        if (partner[ri] != VQMerge::kNoPartner && strangers(*local[partner[ri]], *rc)) {
            if (taken.empty()) {
                taken = localIDs;
                taken.insert(taken.end(), remoteIDs.begin(), remoteIDs.end());
                taken.insert(taken.end(), _removedCollectionIDs.begin(), _removedCollectionIDs.end());
                taken.insert(taken.end(), removedThere.ids().begin(), removedThere.ids().end());
            }
            const VQMerge::IDSet held(taken);
            const std::uint64_t id = VQUniqueTimestamp::collectionIDs().next(
                [&](std::uint64_t candidate) { return held.contains(candidate); });
            VQLog(QStringLiteral("Collections \"%1\" here and \"%2\" in %3 were both given the identity %4; "
                                 "theirs becomes %5.")
                      .arg(local[partner[ri]]->title(), rc->title(), whereFrom)
                      .arg(rc->creationDate())
                      .arg(id));
            rc->setCreationDate(id);
            taken.push_back(id);
            _collections.push_back(rc);
            adopt(rc);
        } else if (partner[ri] != VQMerge::kNoPartner) {
            // Still here, so not deleted here.
            local[partner[ri]]->mergeWithRemoteCollection(*rc, keepStrangers);
        } else if (!removedHere.contains(rc->creationDate())) {
            _collections.push_back(rc);
            adopt(rc);
        }
    }

    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQSwatchCoreDidFinishSynchronizationNotification));
    // Dirty, but not a change of the user's that starts the save after a
    // change: the pass that merged would otherwise start the next one.
    markDirty();
    return true;
}
