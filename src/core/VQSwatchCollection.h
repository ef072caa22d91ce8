#pragma once
// One named, ordered list of colours. Its creation date is its identity: the
// library looks collections up by it and merging pairs copies by it. The list
// and the colour tombstones change only under the collection's own lock.

#include "core/VQColor.h"
#include "vqcore/VQPropertyList.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

enum class VQSwatchCollectionEquality : int { NotEqual = 0, PartiallyEqual = 1, Equal = 2 };

class VQSwatchCollection;
using VQSwatchCollectionRef = std::shared_ptr<VQSwatchCollection>;

inline constexpr const char *VQSwatchCollectionDidChangeNotification = "VQSwatchCollectionDidChangeNotification";
// The drag type of a collection moved between views.
inline constexpr const char *VQSwatchCollectionDragType = "org.vellico.swatch.collection";

inline constexpr const char *VQTitleKey = "RZTitle";
inline constexpr const char *VQColorsKey = "RZColors";
inline constexpr const char *VQCreationDateKey = "RZCreationDate";
inline constexpr const char *VQCollectionModificationDateKey = "RZModificationDate";
inline constexpr const char *VQRemovedColorIDsKey = "RZRemovedIDs";

class VQSwatchCollection
{
  public:
    // Creation date = a fresh unique time stamp, modification date 0, no tombstones.
    static VQSwatchCollectionRef create(const QString &title, std::vector<VQColorRef> colors = {});
    // Never fails: a missing or malformed value takes its default. A record
    // without a creation date gets a fresh unique one. With `wholeLists`, a
    // colour list or tombstone list holding an entry of the wrong type reads as
    // empty (for a copy being merged in); otherwise the good entries are kept.
    static VQSwatchCollectionRef fromDictionary(VQPlistNode dictionary, bool wholeLists = false);

    std::uint64_t creationDate() const { return _creationDate; }
    void setCreationDate(std::uint64_t date) { _creationDate = date; }
    std::uint64_t modificationDate() const { return _modificationDate; }
    void setModificationDate(std::uint64_t date) { _modificationDate = date; }
    QString title() const;
    // Does not touch the modification date; renaming callers call updateModificationDate.
    void setTitle(const QString &title);

    // Appends `color` with a fresh identifier, one that no colour here holds or
    // has held. With `uniquely`, a colour equal to one already present is
    // refused (false) and left unchanged. Once added, a colour's identifier is
    // the collection's to change.
    bool addColor(const VQColorRef &color, bool uniquely);
    std::vector<VQColorRef> colors() const;
    std::size_t count() const;
    std::vector<std::uint64_t> removedColorIDs() const;
    VQColorRef firstColor() const;

    // Records the colour's identifier as deleted and removes it. `index` must be valid.
    void removeColorAtIndex(std::size_t index);
    // Moves the colour at `index` to the front. `index` must be valid.
    void selectColorAtIndex(std::size_t index);
    // Modification date = now; posts VQSwatchCollectionDidChangeNotification
    // and tells the owner.
    void updateModificationDate();
    // What the collection calls when it changed: set by the library `owner`
    // that holds it; the last one set is the one told.
    void setChangeHandler(const void *owner, std::function<void()> changed);
    // Forgets the handler when `owner` set it (a library letting the collection go).
    void removeChangeHandler(const void *owner);

    VQPlist dictionaryRepresentation() const;
    void writeDictionary(VQPlistSink &sink) const;
    VQSwatchCollectionEquality isEqualToCollection(const VQSwatchCollection &other) const;

    // Folds the remote copy of this collection into this one: the newer title,
    // colours paired by identifier (the k-th occurrence of an identifier with the
    // k-th occurrence on the other side), tombstones of both sides, the newer
    // colour wins. A tie in date between different contents goes to the greater
    // one (VQColorContentOrder, titles by code units), so every computer ends
    // alike. Returns whether the remote title was taken.
    //
    // With `keepStrangers`, a colour there that holds the identifier of a colour
    // here but is another colour (another space or other components; a colour
    // never changes those, only its name) comes in beside ours with a fresh
    // identifier instead of one replacing the other: two processes made them in
    // the same second. Only where our result replaces the copy merged in (the
    // library's own file): two computers each renaming in their own copy would
    // give different colours the new identifier. Identifiers that occur more
    // than once on a side (older files) pair as above.
    bool mergeWithRemoteCollection(const VQSwatchCollection &remote, bool keepStrangers = false);

  private:
    VQSwatchCollection() = default;
    void tellOwner() const;

    mutable std::mutex _lock;
    std::vector<VQColorRef> _colors;
    std::vector<std::uint64_t> _removedIDs;
    // The identifiers of _colors and _removedIDs, kept up to date as colours are
    // added (an import adds hundreds of thousands, one at a time); built again
    // when the lists are replaced as a whole.
    std::unordered_set<std::uint64_t> _heldIDs;
    bool _heldIDsValid = false;
    std::uint64_t _creationDate = 0;
    std::uint64_t _modificationDate = 0;
    QString _title;
    const void *_owner = nullptr;
    std::function<void()> _changed;
};
