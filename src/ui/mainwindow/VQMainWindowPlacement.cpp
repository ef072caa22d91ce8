#include "ui/mainwindow/VQMainWindowPlacement.h"

#include <algorithm>
#include <cmath>

namespace
{

// Keeps [start, start + length) inside [low, low + span) where it fits, and
// at `low` where it does not.
int clampInto(int start, int length, int low, int span)
{
    return std::max(low, std::min(start, low + span - length));
}

} // namespace

VQMainWindowPlacement VQMainWindowPlacement::place(const std::optional<QRect> &icon, const QRect &screen,
                                                   const QSize &window, const QPoint &pointer)
{
    VQMainWindowPlacement placement;
    const bool hasIcon = icon && icon->isValid() && !icon->isEmpty();
    // The point the window hangs from: the icon's centre, or the pointer.
    const double anchorX = hasIcon ? icon->x() + icon->width() * 0.5 : pointer.x();
    int x = int(std::floor(anchorX - window.width() * 0.5));
    int y = 0;
    if (hasIcon) {
        // A panel in the lower half of the screen opens the window upwards.
        const bool panelAtBottom = icon->center().y() > screen.center().y();
        placement.arrowEdge = panelAtBottom ? ArrowEdge::Bottom : ArrowEdge::Top;
        y = panelAtBottom ? icon->top() - window.height() : icon->bottom() + 1;
    } else {
        const bool roomBelow = pointer.y() + 1 + window.height() <= screen.bottom() + 1;
        y = roomBelow ? pointer.y() + 1 : pointer.y() - window.height();
    }
    x = clampInto(x, window.width(), screen.x(), screen.width());
    y = clampInto(y, window.height(), screen.y(), screen.height());
    placement.frame = QRect(QPoint(x, y), window);
    // The triangle still points at the icon when the window had to move aside,
    // but never leaves the window's straight edge (12 is the corner room).
    placement.arrowX = std::clamp(int(std::floor(anchorX)) - x, 12, std::max(12, window.width() - 12));
    return placement;
}
