#pragma once
// The small pictures of the collection views, drawn rather than loaded so
// they stay sharp at every scale: "PlaceholderIcon" (a collection without
// colours) and "CloseButton" (the remove part of a colour button).

#include <QPixmap>

inline constexpr int VQPlaceholderIconSide = 33;
inline constexpr int VQCloseButtonSide = 11;

// Drawn in `ink`, the frame colour of where it is shown.
QPixmap VQPlaceholderIcon(const QColor &ink, qreal devicePixelRatio = 1.0);
QPixmap VQCloseButtonImage(bool highlighted, qreal devicePixelRatio = 1.0);
