#pragma once
// Where each output lies in one picture of the whole desktop, as the desktop
// portal's Screenshot answers it, and which of its pixels the loupe picks
// among. Pure geometry, tested with rows of numbers.
//
// The picture covers the smallest rectangle that holds every output's logical
// rectangle, at one scale for all of them: its size over that rectangle's
// size. One picture cannot hold outputs of different scales each in its own
// pixels:
//   - an output at the picture's scale is there in its own device pixels;
//   - one at a lower scale is magnified (a ×1 output in a ×2 picture: each of
//     its pixels as 2 × 2 of the picture's). Where the magnification is a
//     whole number, the loupe takes the middle picture pixel of each block as
//     the device pixel: exact where the desktop repeated pixels, a blend with
//     the neighbours where it smoothed them (grim, behind the wlroots portal,
//     does: a 1-pixel red line beside blue comes out #BF003F);
//   - any other (reduced, or magnified by a fraction) keeps the picture's
//     pixels: its finest details are not in the picture at all.
//
//   logical:  [ A ×1: 0..640 ][ B ×2: 640..1040 ]      picture 2080 × 800 (×2)
//   picture:  [ 0..1280       ][ 1280..2080       ]     A magnified, B native

#include "platform/VQOutputLayout.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

struct VQScreenshotOutput {
    enum class Fit {
        Native,    // the picture holds the output in its own device pixels
        Magnified, // by a whole number: one picture pixel per device pixel is taken
        Picture,   // otherwise: the loupe works in the picture's pixels
    };
    VQOutput output; // name and logical rectangle as given; deviceSize: the pixels the loupe picks among
    QRect source;    // its part of the picture, in the picture's pixels
    Fit fit = Fit::Picture;
};

// The output's frozen picture, of output.deviceSize, from `picture`.
QImage VQScreenshotOutputImage(const QImage &picture, const VQScreenshotOutput &output);

struct VQScreenshotLayout {
    QList<VQScreenshotOutput> outputs; // in the order given; empty with an error
    qreal scale = 0;                   // picture pixels per logical unit
    QString error;                     // one line; empty on success

    bool ok() const { return error.isEmpty(); }
    // The outputs as the frozen loupe measures them.
    VQOutputLayout layout() const;
};

// Maps `outputs` (logical rectangles; deviceSize their own device size) onto a picture of `pictureSize`. Fails with the
// reason for no outputs, an empty picture, or a picture whose shape is not the desktop's (a picture of one output only,
// say).
VQScreenshotLayout VQMapScreenshot(const QList<VQOutput> &outputs, const QSize &pictureSize);
