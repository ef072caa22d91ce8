#pragma once
// Where the main window goes: centred under the tray icon and kept inside the
// screen, above the icon when the panel is at the bottom, and at the pointer
// when the tray does not say where its icon is. All rectangles are in the
// same (logical, global) coordinates.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

struct VQMainWindowPlacement {
    enum class ArrowEdge { Top, Bottom, None };

    QRect frame;
    // Where the window's pointing triangle meets its edge, in window coordinates.
    int arrowX = 0;
    ArrowEdge arrowEdge = ArrowEdge::None;

    // `icon`: the tray icon's rectangle, when the tray tells it; `screen`: the
    // available area of the screen that shows the icon (or the pointer).
    static VQMainWindowPlacement place(const std::optional<QRect> &icon, const QRect &screen, const QSize &window,
                                       const QPoint &pointer);
    // Where the compositor places the window: its size, and no triangle.
    static VQMainWindowPlacement unplaced(const QSize &window)
    {
        return {QRect(QPoint(0, 0), window), 0, ArrowEdge::None};
    }
};
