#include "core/VQSwatchCollection.h"

#include "vqcore/VQClock.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQPlistWriter.h"

#include "core/VQOccurrencePairing_p.h"

#include <algorithm>

VQSwatchCollectionRef VQSwatchCollection::create(const QString &title, std::vector<VQColorRef> colors)
{
    VQSwatchCollectionRef collection(new VQSwatchCollection());
    collection->_title = title;
    collection->_colors = std::move(colors);
    collection->_creationDate = VQUniqueTimestamp::collectionIDs().next();
    return collection;
}

VQSwatchCollectionRef VQSwatchCollection::fromDictionary(VQPlistNode dictionary, bool wholeLists)
{
    VQSwatchCollectionRef collection(new VQSwatchCollection());
    bool malformed = false;
    const VQPlistNode colors = dictionary[VQColorsKey];
    collection->_colors.reserve(colors.count());
    colors.forEachItem([&](VQPlistNode item) {
        if (item.isDictionary())
            collection->_colors.push_back(VQColor::fromDictionary(item));
        else
            malformed = true;
    });
    if (malformed && wholeLists)
        collection->_colors.clear();
    collection->_title = dictionary[VQTitleKey].toString().value_or(QString());
    // Like a colour without an identifier: a fresh one, never one shared with
    // another such collection (one tombstone would delete them all).
    const auto created = dictionary[VQCreationDateKey].toUInt64();
    collection->_creationDate = created ? *created : VQUniqueTimestamp::collectionIDs().next();
    collection->_modificationDate = dictionary[VQCollectionModificationDateKey].toUInt64().value_or(0);
    const VQPlistNode removed = dictionary[VQRemovedColorIDsKey];
    collection->_removedIDs.reserve(removed.count());
    malformed = false;
    removed.forEachItem([&](VQPlistNode item) {
        if (auto id = item.toUInt64())
            collection->_removedIDs.push_back(*id);
        else
            malformed = true;
    });
    if (malformed && wholeLists)
        collection->_removedIDs.clear();
    return collection;
}

QString VQSwatchCollection::title() const
{
    std::lock_guard lock(_lock);
    return _title;
}

void VQSwatchCollection::setTitle(const QString &title)
{
    std::lock_guard lock(_lock);
    _title = title;
}

bool VQSwatchCollection::addColor(const VQColorRef &color, bool uniquely)
{
    if (!color)
        return false;
    std::lock_guard lock(_lock);
    if (uniquely) {
        for (const VQColorRef &existing : _colors)
            if (existing->isEqualToColor(*color))
                return false;
    }
    if (!_heldIDsValid) {
        _heldIDs.clear();
        _heldIDs.reserve(_colors.size() + _removedIDs.size());
        for (const VQColorRef &existing : _colors)
            _heldIDs.insert(existing->colorID());
        _heldIDs.insert(_removedIDs.begin(), _removedIDs.end());
        _heldIDsValid = true;
    }
    const std::uint64_t id =
        VQUniqueTimestamp::colorIDs().next([this](std::uint64_t candidate) { return _heldIDs.contains(candidate); });
    color->setColorID(id);
    _heldIDs.insert(id);
    _colors.push_back(color);
    return true;
}

std::vector<VQColorRef> VQSwatchCollection::colors() const
{
    std::lock_guard lock(_lock);
    return _colors;
}

std::size_t VQSwatchCollection::count() const
{
    std::lock_guard lock(_lock);
    return _colors.size();
}

std::vector<std::uint64_t> VQSwatchCollection::removedColorIDs() const
{
    std::lock_guard lock(_lock);
    return _removedIDs;
}

VQColorRef VQSwatchCollection::firstColor() const
{
    std::lock_guard lock(_lock);
    return _colors.empty() ? nullptr : _colors.front();
}

void VQSwatchCollection::removeColorAtIndex(std::size_t index)
{
    {
        std::lock_guard lock(_lock);
        if (index >= _colors.size())
            return;
        _removedIDs.push_back(_colors[index]->colorID());
        _colors.erase(_colors.begin() + std::ptrdiff_t(index));
    }
    updateModificationDate();
}

void VQSwatchCollection::selectColorAtIndex(std::size_t index)
{
    {
        std::lock_guard lock(_lock);
        if (index >= _colors.size())
            return;
        VQColorRef color = std::move(_colors[index]);
        _colors.erase(_colors.begin() + std::ptrdiff_t(index));
        _colors.insert(_colors.begin(), std::move(color));
    }
    updateModificationDate();
}

void VQSwatchCollection::updateModificationDate()
{
    _modificationDate = VQClock::now();
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQSwatchCollectionDidChangeNotification), this);
    tellOwner();
}

void VQSwatchCollection::setChangeHandler(const void *owner, std::function<void()> changed)
{
    std::lock_guard lock(_lock);
    _owner = owner;
    _changed = std::move(changed);
}

void VQSwatchCollection::removeChangeHandler(const void *owner)
{
    std::lock_guard lock(_lock);
    if (_owner != owner)
        return;
    _owner = nullptr;
    _changed = nullptr;
}

void VQSwatchCollection::tellOwner() const
{
    std::function<void()> changed;
    {
        std::lock_guard lock(_lock);
        changed = _changed;
    }
    if (changed)
        changed();
}

void VQSwatchCollection::writeDictionary(VQPlistSink &sink) const
{
    std::lock_guard lock(_lock);
    sink.beginDictionary();
    sink.key(VQColorsKey);
    sink.beginArray();
    for (const VQColorRef &color : _colors)
        color->writeDictionary(sink);
    sink.endArray();
    sink.key(VQCollectionModificationDateKey);
    sink.integer(_modificationDate);
    sink.key(VQCreationDateKey);
    sink.integer(_creationDate);
    sink.key(VQRemovedColorIDsKey);
    sink.beginArray();
    for (std::uint64_t id : _removedIDs)
        sink.integer(id);
    sink.endArray();
    sink.key(VQTitleKey);
    sink.string(_title);
    sink.endDictionary();
}

VQPlist VQSwatchCollection::dictionaryRepresentation() const
{
    VQPlistTreeBuilder builder;
    writeDictionary(builder);
    return builder.take();
}

VQSwatchCollectionEquality VQSwatchCollection::isEqualToCollection(const VQSwatchCollection &other) const
{
    if (&other == this)
        return VQSwatchCollectionEquality::Equal;
    // The other collection's fields are read without its lock, as its accessors do.
    const std::vector<VQColorRef> otherColors = other.colors();
    const QString otherTitle = other.title();
    std::lock_guard lock(_lock);
    if (_creationDate != other._creationDate)
        return VQSwatchCollectionEquality::NotEqual;
    if (_modificationDate != other._modificationDate)
        return VQSwatchCollectionEquality::PartiallyEqual;
    if (_title.normalized(QString::NormalizationForm_D) != otherTitle.normalized(QString::NormalizationForm_D))
        return VQSwatchCollectionEquality::PartiallyEqual;
    if (_colors.size() != otherColors.size())
        return VQSwatchCollectionEquality::PartiallyEqual;
    for (std::size_t i = 0; i < _colors.size(); ++i)
        if (!_colors[i]->isEqualToColor(*otherColors[i]))
            return VQSwatchCollectionEquality::PartiallyEqual;
    return VQSwatchCollectionEquality::Equal;
}

namespace
{

// How often `id` occurs in the sorted `ids`.
std::size_t occurrences(const std::vector<std::uint64_t> &ids, std::uint64_t id)
{
    const auto [first, last] = std::equal_range(ids.begin(), ids.end(), id);
    return std::size_t(last - first);
}

} // namespace

bool VQSwatchCollection::mergeWithRemoteCollection(const VQSwatchCollection &remote, bool keepStrangers)
{
    if (&remote == this)
        return false;
    const std::vector<VQColorRef> remoteColors = remote.colors();
    const std::vector<std::uint64_t> remoteRemoved = remote.removedColorIDs();
    const QString remoteTitle = remote.title();
    const std::uint64_t remoteModificationDate = remote.modificationDate();

    bool tookTitle = false;
    {
        std::lock_guard lock(_lock);

        if (_title != remoteTitle && (_modificationDate < remoteModificationDate ||
                                      (_modificationDate == remoteModificationDate && _title < remoteTitle))) {
            _title = remoteTitle;
            tookTitle = true;
        }

        // Pair colours by identifier, occurrence by occurrence: the k-th colour
        // with an identifier here goes with the k-th one with that identifier
        // there. Identifiers are unique in what we write, but older files hold
        // colours that were made in one second and share one.
        const std::vector<std::size_t> partner =
            VQMerge::pairOccurrences(_colors, remoteColors, [](const VQColorRef &c) { return c->colorID(); });
        const VQMerge::IDSet removedHere(_removedIDs);
        const VQMerge::IDSet removedThere(remoteRemoved);

        std::vector<bool> localPaired(_colors.size(), false);
        std::vector<VQColorRef> result;
        result.reserve(std::max(_colors.size(), remoteColors.size()));

        // Only when a pair turns out to be two colours: the identifiers in use
        // on either side, so that the newcomer's fresh one is nobody's.
        std::vector<std::uint64_t> localIDs, remoteIDs;
        std::unordered_set<std::uint64_t> taken;
        const auto isStranger = [&](const VQColor &lc, const VQColor &rc) {
            if (!keepStrangers || VQMerge::sameColour(lc, rc))
                return false;
            if (localIDs.empty()) {
                for (const VQColorRef &c : _colors)
                    localIDs.push_back(c->colorID());
                for (const VQColorRef &c : remoteColors)
                    remoteIDs.push_back(c->colorID());
                std::sort(localIDs.begin(), localIDs.end());
                std::sort(remoteIDs.begin(), remoteIDs.end());
                taken.insert(localIDs.begin(), localIDs.end());
                taken.insert(remoteIDs.begin(), remoteIDs.end());
                taken.insert(_removedIDs.begin(), _removedIDs.end());
                taken.insert(remoteRemoved.begin(), remoteRemoved.end());
            }
            return occurrences(localIDs, lc.colorID()) == 1 && occurrences(remoteIDs, rc.colorID()) == 1;
        };

        for (std::size_t ri = 0; ri < remoteColors.size(); ++ri) {
            const VQColorRef &rc = remoteColors[ri];
            if (partner[ri] != VQMerge::kNoPartner && isStranger(*_colors[partner[ri]], *rc)) {
                // Ours stays where it is, unpaired; theirs comes in as new.
                VQColorRef newcomer = VQColor::fromDictionary(rc->dictionaryRepresentation().node());
                newcomer->setColorID(VQUniqueTimestamp::colorIDs().next(
                    [&](std::uint64_t candidate) { return taken.contains(candidate); }));
                taken.insert(newcomer->colorID());
                result.push_back(std::move(newcomer));
            } else if (partner[ri] != VQMerge::kNoPartner) {
                // A colour still present here was not deleted here, even when a
                // same-identifier twin of it was: keep the pair.
                const std::size_t li = partner[ri];
                localPaired[li] = true;
                const VQColorRef &lc = _colors[li];
                const bool remoteWins =
                    lc->modificationDate() < rc->modificationDate() ||
                    (lc->modificationDate() == rc->modificationDate() && VQColorContentOrder(*lc, *rc) < 0);
                result.push_back(remoteWins ? rc : lc);
            } else if (!removedHere.contains(rc->colorID())) {
                result.push_back(rc);
            }
        }

        // Local colours without a partner keep their place, unless the remote
        // side deleted them. Inserting each at its own local index, in local
        // order, puts it exactly there as long as the result is long enough;
        // from the first one that would land past the end, they are appended.
        std::vector<VQColorRef> merged;
        merged.reserve(result.size() + _colors.size());
        std::size_t next = 0;
        for (std::size_t li = 0; li < _colors.size(); ++li) {
            if (localPaired[li] || removedThere.contains(_colors[li]->colorID()))
                continue;
            while (merged.size() < li && next < result.size())
                merged.push_back(std::move(result[next++]));
            merged.push_back(_colors[li]);
        }
        while (next < result.size())
            merged.push_back(std::move(result[next++]));
        _colors = std::move(merged);
        _heldIDsValid = false;
    }
    if (tookTitle)
        tellOwner();
    return tookTitle;
}
