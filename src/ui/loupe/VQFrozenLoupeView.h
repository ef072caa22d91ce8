#pragma once
// Paints one output of the frozen screen: its captured picture unchanged,
// and, on the output that holds the current pixel, the crosshair around that
// pixel and the loupe's panel (the magnifier with the sample outlined and the
// readout of its mean, as the live loupe draws them) beside it.

class QImage;
class QPainter;
class VQFrozenLoupeState;

// `painter` works in the output's device pixels; `frozen` is its capture.
void VQPaintFrozenOutput(QPainter &painter, const QImage &frozen, const VQFrozenLoupeState &state, int output);
