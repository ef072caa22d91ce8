#pragma once
// The state of the loupe over a frozen screen: which device pixel of which
// output is under the crosshair, how the pointer and the arrow keys move it,
// how much around it is sampled, what the magnifier shows and where its panel
// goes. Plain geometry over a
// VQOutputLayout, no window system.
//
// Surface coordinates are an output's own logical coordinates, (0, 0) at its
// top-left corner: what a surface covering the output measures in.

#include "platform/VQOutputLayout.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <optional>

class VQFrozenLoupeState
{
  public:
    explicit VQFrozenLoupeState(VQOutputLayout layout);

    const VQOutputLayout &layout() const { return _layout; }
    // The pixel under the crosshair; nothing before the pointer or a key said where.
    std::optional<VQOutputPixel> current() const { return _current; }

    // The pointer at `devicePoint` (device pixels, fractions allowed) of
    // `output`: the pixel under it becomes current, and the arrow keys kept
    // while awaiting the pointer move on from there. The outputs to repaint
    // (none for a bad index or when nothing changed).
    QList<int> pointAt(int output, const QPointF &devicePoint);
    // An arrow key: `delta` device pixels from the current pixel, across
    // outputs where one continues; the first move without a current pixel
    // starts at the first output's centre, or, while awaiting the pointer,
    // is kept for later. The outputs to repaint.
    QList<int> nudge(const QPoint &delta);

    // Where the desktop tells the pointer's place only on request, it may come
    // after the first keys: until pointAt, arrow keys are kept rather than
    // starting at the centre.
    void awaitPointer();
    bool awaitingPointer() const { return _awaiting; }
    // The pointer's place never came: the kept keys act as if pressed now
    // (the first starts at the first output's centre). The outputs to repaint.
    QList<int> stopAwaitingPointer();

    // The size of the sample around the current pixel (VQLoupeSample): 1, 3, 5 or 9.
    int sampleSize() const { return _sampleSize; }
    void setSampleSize(int n) { _sampleSize = n; }
    // The loupes' key: the next size, remembered. The output to repaint.
    QList<int> chooseNextSampleSize();
    // What a pick takes from `frozen`, the picture of the current pixel's
    // output: the sample's mean in linear light, shrunk at the output's edges.
    // Invalid without a current pixel.
    QColor sampleMean(const QImage &frozen) const;

    // The current pixel's centre in its output's surface coordinates.
    std::optional<QPointF> surfacePoint() const;
    // Where a panel of `panelSize` (logical pixels) goes on the current
    // pixel's output, in surface coordinates: beside the crosshair, kept on
    // the output. Empty without a current pixel.
    QRect panelRect(const QSize &panelSize) const;

    // The SampleSize × SampleSize square of `image` centred on `pixel`;
    // pixels beyond the image are black.
    static QImage sample(const QImage &image, const QPoint &pixel);

  private:
    QList<int> moveTo(const std::optional<VQOutputPixel> &pixel);
    // Ends the wait for the pointer and plays the kept arrow keys; adds the outputs they repaint.
    QList<int> replayKept(QList<int> repaint);

    VQOutputLayout _layout;
    std::optional<VQOutputPixel> _current;
    bool _awaiting = false;
    int _sampleSize = 1;
    QList<QPoint> _kept; // arrow keys pressed while awaiting the pointer
};
