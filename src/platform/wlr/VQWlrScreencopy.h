#pragma once
// Captures every output of a wlroots compositor (sway, river, Hyprland…)
// through its screencopy protocol, in each output's own device pixels, and
// probes which of the globals it needs the compositor announces.
//
// Works on a Wayland connection of its own (wl_display_connect(nullptr), so
// $WAYLAND_DISPLAY), never Qt's: it runs the same under Qt's Wayland plugin
// and under XWayland, a protocol error ends only this connection, and it may
// run on a worker thread (one call, one connection, nothing shared).
//
// Every call is synchronous and bounded: the whole exchange, connection
// included, gets `timeout` (10 s unless told), waiting in poll() on the
// display's socket. A compositor that does not answer in time, refuses a
// capture, offers a pixel format we cannot read or drops the connection is a
// failure with a one-line reason, never a hang. An output that vanishes while
// it is captured is left out, with a note.

#include "platform/VQOutputLayout.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>

struct VQCapturedOutput {
    VQOutput output; // name, logical rectangle, device size (= image size)
    QImage image;    // Format_RGB32, the output as shown, cursor left out
};

struct VQWlrCapture {
    QList<VQCapturedOutput> outputs; // in the order the compositor announced them
    QString error;                   // one line; empty on success
    QStringList notes;               // what was left out and why

    bool ok() const { return error.isEmpty(); }
    // The captured outputs' geometry; its indices are those of `outputs`.
    VQOutputLayout layout() const;
};

// What the compositor announces, as far as picking cares.
struct VQWlrGlobals {
    bool connected = false;  // a Wayland display answered
    bool screencopy = false; // zwlr_screencopy_manager_v1
    std::uint32_t screencopyVersion = 0;
    bool xdgOutput = false; // zxdg_output_manager_v1: logical positions and sizes
    bool shm = false;       // wl_shm
    int outputs = 0;        // wl_output globals
    QString error;          // why nothing is known, when !connected
};

class VQWlrScreencopy
{
  public:
    static constexpr std::chrono::milliseconds kTimeout{10000};

    // One registry round trip on a connection of our own.
    static VQWlrGlobals probe(std::chrono::milliseconds timeout = kTimeout);
    // Every output, captured once with the cursor left out.
    static VQWlrCapture captureOutputs(std::chrono::milliseconds timeout = kTimeout);

    // The picture in a wl_shm buffer as a Format_RGB32 image: `format` is a
    // wl_shm format (32-bit 8-8-8 and 10-10-10 in any channel order, 24-bit,
    // 5-6-5), the buffer holds `height` rows of `stride` bytes, stored bottom
    // row first when `yInvert`. A null image, and `error` set, for a format
    // we cannot read or a stride too short for the width.
    static QImage imageFromShm(const std::uint8_t *data, std::uint32_t format, int width, int height, int stride,
                               bool yInvert, QString *error = nullptr);
    // `image` turned as wl_output's `transform` (0–7) says the output is
    // rotated or flipped, so that it reads as the user sees the output.
    static QImage transformed(const QImage &image, std::int32_t transform);
};
