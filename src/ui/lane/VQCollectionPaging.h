#pragma once
// The lane's rules without a display: which collections a page shows, where
// the five slots are, and how a collection dragged along the lane reorders.
//
// Lane coordinates: x from the lane's left edge, y from its top; the lane is
// kLaneHeight tall, so the slots sit with 2 points above and below.
//
//   0    26.5 31      63 67.5 72 ...                       227        258
//   |  <  |   [ slot 0 ]   |   [ slot 1 ] ... [ slot 4 ]   |  >  |
//          '-- widened hit frame of slot 0 (41 wide) --'

#include <QPointF>
#include <QRectF>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace VQCollectionPaging
{

inline constexpr int kSlotsPerPage = 5;
inline constexpr double kSlotOrigin = 31.0; // x of slot 0
inline constexpr double kSlotStride = 41.0; // from one slot to the next
inline constexpr double kSlotSide = 32.0;
inline constexpr double kSlotTop = 2.0;
inline constexpr double kHitMargin = 4.5; // the hit frame widens a slot by this on each side
inline constexpr double kLaneWidth = 258.0;
inline constexpr double kLaneHeight = 36.0;

// What one page shows, with the page clamped to the library.
struct Page {
    std::size_t page = 0;  // the page actually shown
    std::size_t first = 0; // library index of slot 0
    std::size_t count = 0; // collections on the page, 0–5
    bool previousHidden = true;
    bool nextHidden = true;
    friend bool operator==(const Page &, const Page &) = default;
};

// ⌈collections / 5⌉.
std::size_t pageCount(std::size_t collections);
// The page to show for `requested` with `collections` in the library. A page
// past the end falls back to the last page that holds collections: with
// exactly 5·k collections that is page k − 1, never an empty page k.
Page pageFor(std::size_t requested, std::size_t collections);

// The page to land on after a removal while `current` was shown, when the
// current page no longer exists; nothing when it still does.
std::optional<std::size_t> pageAfterRemoval(std::size_t current, std::size_t collectionsAfter);
// After a new collection was appended: the page to slide to (the last one),
// or nothing when the new collection appears on the page already shown.
std::optional<std::size_t> pageAfterAppending(std::size_t current, std::size_t collectionsAfter);

// The button frame of a slot, and the frame it is tested against while dragging.
QRectF slotFrame(int slot);
QRectF hitFrame(int slot);
// The slot whose hit frame holds `point`, or −1.
int slotAt(QPointF point);

// Where a button starts before it slides in during a page switch (`forward`:
// the next page comes in from the right), and where an outgoing one goes.
// Later buttons start further out so that they arrive one after the other.
double incomingStartX(int slot, bool forward, double laneWidth);
double outgoingEndX(int slot, bool forward, double laneWidth);

// A collection button dragged along the lane. `current` is the slot of the
// dragged button (−1 when the drag did not start on this page), `point` the
// pointer. The answer is the slot it should move to, or nothing: over its own
// slot, outside every slot, or not yet in the far quarter of the slot it is
// heading for (three quarters of the way is not enough).
std::optional<int> reorderTarget(int current, QPointF point, std::size_t page, std::size_t collections);

// Moves the element at `from` step by step to `to`, exchanging neighbours as
// the lane's buttons do; returns the exchanged pairs in order.
template <class List> std::vector<std::pair<int, int>> moveStepwise(List &order, int from, int to)
{
    std::vector<std::pair<int, int>> swaps;
    if (from < 0 || to < 0 || from >= int(order.size()) || to >= int(order.size()))
        return swaps;
    const int step = to > from ? 1 : -1;
    for (int i = from; i != to; i += step) {
        std::swap(order[std::size_t(i)], order[std::size_t(i + step)]);
        swaps.emplace_back(i, i + step);
    }
    return swaps;
}

// The library index a collection dropped in `slot` of `page` moves to,
// clamped to the last collection; nothing when the library is empty or the
// slot is not on the page.
std::optional<std::size_t> dropIndex(std::size_t page, int slot, std::size_t collections);

} // namespace VQCollectionPaging
