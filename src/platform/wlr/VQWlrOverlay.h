#pragma once
// The frozen screen of a wlroots compositor: every output captured through
// screencopy, then shown again, unchanged, on an overlay layer-shell surface
// of its own that covers the output, takes the keyboard and every pointer
// event over it. What is drawn on the surfaces is the caller's (the loupe);
// this class only shows buffers and forwards input.
//
// One Wayland connection of our own carries the capture and the surfaces, so
// the surfaces are made for exactly the wl_output objects that were captured.
// The surfaces are shown first, clear, so that the pointer enters one and its
// cursor can be hidden before the capture: a compositor that draws the cursor
// into the outputs' pixels (a software cursor) would otherwise capture it.
//
// Its events are read on Qt's event loop (a socket notifier), so the program
// keeps running while the user picks. Destroying the overlay destroys the
// surfaces and closes the connection: the compositor then has nothing of ours
// that could keep the keyboard or the pointer.
//
// Each output's buffer has the capture's size in device pixels; an output at
// an integer scale gets that buffer scale, any other (×1.5) a viewport of its
// logical size, so that one pixel of the capture is one pixel on the output.

#include "platform/wlr/VQWlrScreencopy.h"

#include <QObject>
#include <QPointF>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class QPainter;
class QSocketNotifier;

// Input over the frozen screen.
struct VQOverlayInput {
    enum class Kind { PointerMoved, ButtonPressed, KeyPressed };
    Kind kind = Kind::PointerMoved;
    int output = -1;          // PointerMoved, ButtonPressed: index in the capture's outputs
    QPointF devicePoint;      // PointerMoved: where, in that output's device pixels (fractions kept)
    std::uint32_t button = 0; // ButtonPressed: the Linux button code (BTN_LEFT 0x110…)
    std::uint32_t keysym = 0; // KeyPressed: the xkb keysym
    bool shift = false;       // KeyPressed: Shift was down
};

class VQWlrOverlay : public QObject
{
    Q_OBJECT

  public:
    // Paints output `output`'s buffer; the painter works in device pixels on
    // an image of the capture's size, its content undefined before the call.
    // `frozen` is that output's capture.
    using Painter = std::function<void(QPainter &painter, int output, const QImage &frozen)>;
    using InputHandler = std::function<void(const VQOverlayInput &input)>;
    // The run must end (called once, never from within open()): `failure`
    // says why in one line, empty when the user took the keyboard elsewhere
    // (a cancel).
    using EndHandler = std::function<void(const QString &failure)>;

    // Shows the surfaces clear, captures every output with the cursor hidden
    // and shows the capture on them, their first frame painted.
    // Everything up to then is bounded by `timeout`. Null, with `error` set,
    // when the compositor lacks what it takes or refuses.
    static std::unique_ptr<VQWlrOverlay> open(Painter painter, InputHandler input, EndHandler end,
                                              std::chrono::milliseconds timeout, QString *error);
    ~VQWlrOverlay() override;

    const VQWlrCapture &capture() const;
    // Repaints the output's surface at the compositor's next frame.
    void update(int output);

    struct Private; // reached by the protocol's listeners

  private:
    explicit VQWlrOverlay(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};
