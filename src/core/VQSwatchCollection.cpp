#include "core/VQSwatchCollection.h"

#include "vqcore/VQClock.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQPlistWriter.h"
#include "core/VQSwatchCore.h"

#include "core/VQOccurrencePairing_p.h"

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
    std::vector<std::uint64_t> held;
    held.reserve(_colors.size() + _removedIDs.size());
    for (const VQColorRef &existing : _colors)
        held.push_back(existing->colorID());
    held.insert(held.end(), _removedIDs.begin(), _removedIDs.end());
    const VQMerge::IDSet taken(std::move(held));
    color->setColorID(VQUniqueTimestamp::colorIDs().next([&](std::uint64_t id) { return taken.contains(id); }));
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

bool VQSwatchCollection::mergeWithRemoteCollection(const VQSwatchCollection &remote)
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

        for (std::size_t ri = 0; ri < remoteColors.size(); ++ri) {
            const VQColorRef &rc = remoteColors[ri];
            if (partner[ri] != VQMerge::kNoPartner) {
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
    }
    if (tookTitle) {
        if (VQSwatchCore *core = VQSwatchCore::sharedCore())
            core->smudge();
    }
    return tookTitle;
}
