#pragma once
// Where each output lies in one picture of the whole desktop, as the desktop
// portal's Screenshot answers it. Pure geometry, tested with rows of numbers.
//
// The picture covers the smallest rectangle that holds every output's logical
// rectangle, at one scale for all of them: its size over that rectangle's
// size. An output at that scale appears in its own device pixels; an output
// at a lower scale appears magnified (a ×1 output in a ×2 picture: each of
// its pixels as 2 × 2 of the picture's, smoothed or not as the desktop drew
// it), one at a higher scale reduced. One picture cannot hold both scales:
// the loupe then works in the picture's pixels, and `native` says where those
// are the output's own.
//
//   logical:  [ A ×1: 0..640 ][ B ×2: 640..1040 ]      picture 2080 × 800 (×2)
//   picture:  [ 0..1280       ][ 1280..2080       ]     A magnified, B native

#include "platform/VQOutputLayout.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

struct VQScreenshotOutput {
    VQOutput output;     // name and logical rectangle as given; deviceSize = source's size
    QRect source;        // its part of the picture, in the picture's pixels
    bool native = false; // the picture holds it at its own device size
};

struct VQScreenshotLayout {
    QList<VQScreenshotOutput> outputs; // in the order given; empty with an error
    qreal scale = 0;                   // picture pixels per logical unit
    QString error;                     // one line; empty on success

    bool ok() const { return error.isEmpty(); }
    // The outputs as the frozen loupe measures them: each in the picture's pixels.
    VQOutputLayout layout() const;
};

// Maps `outputs` (logical rectangles; deviceSize their own device size, for
// `native`) onto a picture of `pictureSize`. Fails with the reason for no
// outputs, an empty picture, or a picture whose shape is not the desktop's
// (a picture of one output only, say).
VQScreenshotLayout VQMapScreenshot(const QList<VQOutput> &outputs, const QSize &pictureSize);
