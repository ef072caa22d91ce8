#pragma once
// One named, ordered list of colours. Its creation date is its identity: the
// library looks collections up by it and merging pairs copies by it. The list
// and the colour tombstones change only under the collection's own lock.

#include "core/VQColor.h"
#include "vqcore/VQPropertyList.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <mutex>
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
    // refused (false) and left unchanged.
    bool addColor(const VQColorRef &color, bool uniquely);
    std::vector<VQColorRef> colors() const;
    std::size_t count() const;
    std::vector<std::uint64_t> removedColorIDs() const;
    VQColorRef firstColor() const;

    // Records the colour's identifier as deleted and removes it. `index` must be valid.
    void removeColorAtIndex(std::size_t index);
    // Moves the colour at `index` to the front. `index` must be valid.
    void selectColorAtIndex(std::size_t index);
    // Modification date = now; posts VQSwatchCollectionDidChangeNotification.
    void updateModificationDate();

    VQPlist dictionaryRepresentation() const;
    void writeDictionary(VQPlistSink &sink) const;
    VQSwatchCollectionEquality isEqualToCollection(const VQSwatchCollection &other) const;

    // Folds the remote copy of this collection into this one: the newer title,
    // colours paired by identifier (the k-th occurrence of an identifier with the
    // k-th occurrence on the other side), tombstones of both sides, the newer
    // colour wins. A tie in date between different contents goes to the greater
    // one (VQColorContentOrder, titles by code units), so every computer ends
    // alike. Returns whether the remote title was taken.
    bool mergeWithRemoteCollection(const VQSwatchCollection &remote);

  private:
    VQSwatchCollection() = default;

    mutable std::mutex _lock;
    std::vector<VQColorRef> _colors;
    std::vector<std::uint64_t> _removedIDs;
    std::uint64_t _creationDate = 0;
    std::uint64_t _modificationDate = 0;
    QString _title;
};
