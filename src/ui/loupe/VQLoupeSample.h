#pragma once
// How much a loupe samples: a square of 1, 3 × 3, 5 × 5 or 9 × 9 device pixels
// around the crosshair, averaged in linear light (VQMeanOfSquare). The loupes'
// key (VQLoupeKeys) steps through the sizes, and the size it chose is
// remembered for the next picks; `vellico --pick --sample N` sets one pick's
// size alone. Plain values and the setting, no widgets.

#include "core/VQSampleMean.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

namespace VQLoupeSample
{
// The setting that remembers the size: "1", "3", "5" or "9".
inline constexpr const char *DefaultsKey = "VQLoupeSampleSize";

// The size after `n`: 1 → 3 → 5 → 9 → 1 (any other value starts again at 3, as after 1).
int next(int n);
// The size as the readout names it: "1×1", "5×5".
QString text(int n);
// A stored value: one of the sizes, written as a whole number; anything else is 1.
int fromText(const QString &stored);

// The remembered size, and remembering another one (a size only).
int remembered();
void remember(int n);
// The loupes' key: the size after `n`, remembered.
int chooseNext(int n);
// The size of a pick asked with `asked` (VQScreenPicker::askedSampleSize): that
// size when it is one, else the remembered one.
int forPick(int asked);

// The magnifier's cells (x and y 0 to SampleSize − 1) that the sample of size
// `n` around `pointer` covers, when the pixels that exist are `bounds` (device
// pixels; a null rectangle: all of them); a null rectangle when the pointer
// is outside `bounds`.
QRect cells(QPoint pointer, int n, const QRect &bounds);
// The mean of the sample of size `n` around the magnifier's centre in
// `magnified` (the magnifier's SampleSize × SampleSize capture around `pointer`),
// over the pixels that exist (`bounds`, as for cells()).
VQSampleMean meanOfCells(const QImage &magnified, QPoint pointer, int n, const QRect &bounds);
} // namespace VQLoupeSample
