#pragma once
// Pairing of two copies' items by identifier, shared by the collection and the
// library merge. Flat sorted arrays rather than hash maps of lists: a library
// has up to hundreds of thousands of colours, and one small allocation per
// identifier costs more than the merge itself.

#include "core/VQColor.h"

#include <algorithm>
#include <compare>
#include <cstdint>
#include <limits>
#include <vector>

namespace VQMerge
{

inline constexpr std::size_t kNoPartner = std::numeric_limits<std::size_t>::max();

// For each remote position, the local position it pairs with, or kNoPartner.
// The k-th occurrence of an identifier on one side pairs with its k-th
// occurrence on the other, so copies whose items share identifiers (written by
// older versions) still pair one to one, in order.
// `identity` maps an item to its identifier.
template <class Item, class Identity>
std::vector<std::size_t> pairOccurrences(const std::vector<Item> &localItems, const std::vector<Item> &remoteItems,
                                         Identity identity)
{
    using Entry = std::pair<std::uint64_t, std::size_t>; // identifier, position
    auto sorted = [&identity](const std::vector<Item> &items) {
        std::vector<Entry> entries(items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            entries[i] = {identity(items[i]), i};
        std::sort(entries.begin(), entries.end());
        return entries;
    };
    const std::vector<Entry> local = sorted(localItems);
    const std::vector<Entry> remote = sorted(remoteItems);

    std::vector<std::size_t> partner(remoteItems.size(), kNoPartner);
    std::size_t l = 0, r = 0;
    while (l < local.size() && r < remote.size()) {
        if (local[l].first < remote[r].first) {
            ++l;
        } else if (remote[r].first < local[l].first) {
            ++r;
        } else {
            // Same identifier: positions ascend within it on both sides.
            partner[remote[r].second] = local[l].second;
            ++l;
            ++r;
        }
    }
    return partner;
}

// Whether two colours hold the same colour: space and components, bit for
// bit. A colour never changes those, only its name (and so its date): two
// colours with one identifier that differ here never were one colour.
inline bool sameColour(const VQColor &a, const VQColor &b)
{
    if (a.colorSpace() != b.colorSpace())
        return false;
    for (std::size_t i = 0; i < a.components().size(); ++i)
        if (std::strong_order(a.components()[i], b.components()[i]) != 0)
            return false;
    return true;
}

// A set of identifiers for membership tests.
class IDSet
{
  public:
    explicit IDSet(std::vector<std::uint64_t> ids) : _ids(std::move(ids)) { std::sort(_ids.begin(), _ids.end()); }
    bool contains(std::uint64_t id) const { return std::binary_search(_ids.begin(), _ids.end(), id); }
    bool empty() const { return _ids.empty(); }
    const std::vector<std::uint64_t> &ids() const { return _ids; }

  private:
    std::vector<std::uint64_t> _ids;
};

} // namespace VQMerge
