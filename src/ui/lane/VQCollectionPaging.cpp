#include "ui/lane/VQCollectionPaging.h"

#include <cmath>

namespace VQCollectionPaging
{

std::size_t pageCount(std::size_t collections)
{
    return (collections + kSlotsPerPage - 1) / kSlotsPerPage;
}

Page pageFor(std::size_t requested, std::size_t collections)
{
    Page page;
    const std::size_t pages = pageCount(collections);
    page.page = pages == 0 ? 0 : std::min(requested, pages - 1);
    page.first = page.page * kSlotsPerPage;
    page.count = collections > page.first ? std::min<std::size_t>(kSlotsPerPage, collections - page.first) : 0;
    page.previousHidden = page.page == 0;
    page.nextHidden = page.first + kSlotsPerPage >= collections;
    return page;
}

std::optional<std::size_t> pageAfterRemoval(std::size_t current, std::size_t collectionsAfter)
{
    const std::size_t pages = pageCount(collectionsAfter);
    if (pages > 0 && pages <= current)
        return pages - 1;
    return std::nullopt;
}

std::optional<std::size_t> pageAfterAppending(std::size_t current, std::size_t collectionsAfter)
{
    const std::size_t pages = pageCount(collectionsAfter);
    if (pages <= 1 || pages == current + 1)
        return std::nullopt;
    return pages - 1;
}

QRectF slotFrame(int slot)
{
    return {kSlotOrigin + kSlotStride * slot, kSlotTop, kSlotSide, kSlotSide};
}

QRectF hitFrame(int slot)
{
    return slotFrame(slot).adjusted(-kHitMargin, 0, kHitMargin, 0);
}

int slotAt(QPointF point)
{
    for (int slot = 0; slot < kSlotsPerPage; ++slot) {
        const QRectF frame = hitFrame(slot);
        // Closed on both ends, as the widened frames touch.
        if (point.x() >= frame.left() && point.x() <= frame.right() && point.y() >= frame.top() &&
            point.y() <= frame.bottom())
            return slot;
    }
    return -1;
}

double incomingStartX(int slot, bool forward, double laneWidth)
{
    const double sign = forward ? 1.0 : -1.0;
    const double x = sign * laneWidth + kSlotOrigin + kSlotStride * slot;
    return forward ? x * std::sqrt(double(slot + 1)) : x * double((5 - slot) * (5 - slot));
}

double outgoingEndX(int slot, bool forward, double laneWidth)
{
    const double sign = forward ? 1.0 : -1.0;
    return -sign * laneWidth + kSlotOrigin + kSlotStride * slot;
}

std::optional<int> reorderTarget(int current, QPointF point, std::size_t page, std::size_t collections)
{
    if (current < 0 || current >= kSlotsPerPage || page * kSlotsPerPage + std::size_t(current) >= collections)
        return std::nullopt;
    const int over = slotAt(point);
    if (over < 0 || over == current)
        return std::nullopt;
    // A slot past the page's last collection is no place to move to.
    if (page * kSlotsPerPage + std::size_t(over) >= collections)
        return std::nullopt;
    const QRectF frame = hitFrame(over);
    const double quarter = frame.width() / 4.0;
    const bool farQuarter = over > current ? point.x() >= frame.right() - quarter : point.x() <= frame.left() + quarter;
    if (!farQuarter)
        return std::nullopt;
    return over;
}

std::optional<std::size_t> dropIndex(std::size_t page, int slot, std::size_t collections)
{
    if (collections == 0 || slot < 0 || slot >= kSlotsPerPage)
        return std::nullopt;
    return std::min(page * kSlotsPerPage + std::size_t(slot), collections - 1);
}

} // namespace VQCollectionPaging
