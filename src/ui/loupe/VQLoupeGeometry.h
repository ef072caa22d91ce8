#pragma once
// Where the loupe samples and where its window goes. Plain arithmetic, no widgets.
//
// Two coordinate systems meet here. Device pixels: the desktop's real pixels
// (the pointer, captures). Logical pixels: what Qt places windows in. A screen
// scaled by s keeps its top-left corner at the same numbers in both and is s
// times smaller in logical pixels, so a device point p on a screen with
// origin o is the logical point o + (p − o) / s.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

// One screen as Qt reports it: its logical geometry and its scale.
struct VQScreenArea {
    QRect logical;
    qreal devicePixelRatio = 1;

    // The screen in device pixels: same origin, size times the scale.
    QRect device() const;
};

namespace VQLoupeGeometry
{
// The loupe shows a square of SampleSize × SampleSize device pixels with the
// pointer's pixel in its centre.
inline constexpr int SampleSize = 9;
inline constexpr int SampleRadius = SampleSize / 2;
// Distance between the pointer and the nearest corner of the loupe window, in logical pixels.
inline constexpr int WindowDistance = 20;

// The loupe's panel, in logical pixels: the magnifier (14 a cell) above the
// readout, inside a margin.
inline constexpr int PanelMargin = 10;
inline constexpr int PreviewSide = 14 * SampleSize;
inline constexpr int OverviewGap = 6;
inline constexpr int OverviewHeight = 42;
inline constexpr QSize panelSize()
{
    return QSize(PreviewSide + 2 * PanelMargin, PanelMargin + PreviewSide + OverviewGap + OverviewHeight + PanelMargin);
}
// The magnifier's and the readout's rectangles inside a panel at `origin`.
inline QRect previewRect(QPoint origin)
{
    return QRect(origin + QPoint(PanelMargin, PanelMargin), QSize(PreviewSide, PreviewSide));
}
inline QRect overviewRect(QPoint origin)
{
    return QRect(origin + QPoint(PanelMargin, PanelMargin + PreviewSide + OverviewGap),
                 QSize(PreviewSide, OverviewHeight));
}

// The device-pixel square the loupe captures around `pointer`.
QRect sampleRect(QPoint pointer);

// The screen holding the device point, or nothing when it is on none.
std::optional<std::size_t> screenAt(const std::vector<VQScreenArea> &screens, QPoint devicePoint);

QPointF deviceToLogical(QPoint devicePoint, const VQScreenArea &screen);
// The device pixel under a logical point (its top-left corner when the point
// falls on a pixel boundary).
QPoint logicalToDevice(QPointF logicalPoint, const VQScreenArea &screen);

// The top-left corner of a window of `size` for the pointer at `pointer`
// (logical), on the screen `screen` (logical): 20 pixels above and to the
// right of the pointer; to its left when that would cross the right edge;
// below it when that would cross the top edge; and kept on the screen when the
// screen is too small for either.
QPoint windowOrigin(QPointF pointer, QSize size, const QRect &screen);
} // namespace VQLoupeGeometry
