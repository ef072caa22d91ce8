#pragma once
// The mean colour of a square of device pixels, averaged in linear light: what
// a loupe samples when it reads more than one pixel.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

struct VQSampleMean {
    QColor color;   // opaque, 8 bits a channel; invalid when no pixel was read
    int pixels = 0; // how many pixels the mean is of
};

// The sizes of square a loupe samples: 1, 3, 5 and 9.
bool VQIsSampleSize(int n);

// The n × n square centred on `centre` (any n but a sample size is read as 1),
// clipped to `bounds`: at an edge or a corner it shrinks to the pixels that
// exist there. Empty when `centre` is outside `bounds`.
QRect VQSampleSquare(QPoint centre, int n, const QRect &bounds);

// The n × n square centred on `centre` (n is 1, 3, 5 or 9; any other size is
// read as 1), clipped to the image: at an edge or a corner the square shrinks
// to the pixels that exist there. Each channel is decoded from sRGB to linear
// light, averaged, encoded back and rounded to 8 bits. Alpha is ignored. A
// centre outside the image, or a null image, reads nothing.
VQSampleMean VQMeanOfSquare(const QImage &image, QPoint centre, int n);
