#pragma once
// The Wayland connection of our own that the screencopy capture and the
// frozen screen share: its globals, its outputs and a bounded dispatch.
// Private to src/platform/wlr/.

#include "platform/wlr/VQWlrScreencopy.h"

#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <wayland-client.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace VQWlr
{
using Clock = std::chrono::steady_clock;

struct Connection;

// One wl_output and, while capturing, its frame and buffer.
struct Output {
    Connection *connection = nullptr;
    std::uint32_t globalName = 0;
    wl_output *wl = nullptr;
    zxdg_output_v1 *xdg = nullptr;

    QString name;
    QPoint geometryPosition;
    std::int32_t transform = WL_OUTPUT_TRANSFORM_NORMAL;
    std::int32_t integerScale = 1;
    std::optional<QPoint> logicalPosition;
    std::optional<QSize> logicalSize;
    bool removed = false; // its global went away

    zwlr_screencopy_frame_v1 *frame = nullptr;
    bool haveShm = false;
    std::uint32_t format = 0, width = 0, height = 0, stride = 0;
    std::uint32_t flags = 0;
    bool copying = false, ready = false, failed = false;
    QString failure; // why it failed on our side, else the compositor refused

    int fd = -1;
    void *map = MAP_FAILED;
    std::size_t size = 0;
    wl_buffer *buffer = nullptr;

    bool settled() const { return ready || failed || removed; }
    QString label() const { return name.isEmpty() ? QStringLiteral("#%1").arg(globalName) : name; }

    ~Output()
    {
        if (frame)
            zwlr_screencopy_frame_v1_destroy(frame);
        if (buffer)
            wl_buffer_destroy(buffer);
        if (map != MAP_FAILED)
            munmap(map, size);
        if (fd >= 0)
            close(fd);
        if (xdg)
            zxdg_output_v1_destroy(xdg);
        if (wl) {
            if (wl_output_get_version(wl) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
                wl_output_release(wl);
            else
                wl_output_destroy(wl);
        }
    }

    void startCopy();
};

struct Connection {
    wl_display *display = nullptr;
    wl_registry *registry = nullptr;
    wl_shm *shm = nullptr;
    zxdg_output_manager_v1 *xdgManager = nullptr;
    zwlr_screencopy_manager_v1 *screencopy = nullptr;
    std::uint32_t screencopyVersion = 0;
    // What the frozen screen needs besides the capture; bound when announced.
    wl_compositor *compositor = nullptr;
    std::uint32_t compositorVersion = 0;
    zwlr_layer_shell_v1 *layerShell = nullptr;
    wp_viewporter *viewporter = nullptr;
    wl_seat *seat = nullptr;
    std::uint32_t seatVersion = 0;
    std::uint32_t seatCapabilities = 0; // WL_SEAT_CAPABILITY_*, as last announced
    // Called when an output appears after the first round trip or one of ours
    // goes away (the frozen screen ends then).
    std::function<void()> outputsChanged;
    std::vector<std::unique_ptr<Output>> outputs;
    bool acceptOutputs = true; // outputs appearing after the first round trip are not captured
    Clock::time_point deadline;
    std::chrono::milliseconds timeout{};

    explicit Connection(std::chrono::milliseconds timeout) : deadline(Clock::now() + timeout), timeout(timeout) {}
    ~Connection()
    {
        outputs.clear();
        if (seat) {
            if (seatVersion >= WL_SEAT_RELEASE_SINCE_VERSION)
                wl_seat_release(seat);
            else
                wl_seat_destroy(seat);
        }
        if (viewporter)
            wp_viewporter_destroy(viewporter);
        if (layerShell)
            zwlr_layer_shell_v1_destroy(layerShell);
        if (compositor)
            wl_compositor_destroy(compositor);
        if (screencopy)
            zwlr_screencopy_manager_v1_destroy(screencopy);
        if (xdgManager)
            zxdg_output_manager_v1_destroy(xdgManager);
        if (shm)
            wl_shm_destroy(shm);
        if (registry)
            wl_registry_destroy(registry);
        if (display)
            wl_display_disconnect(display);
    }

    bool connect(QString *error);
    // Dispatches events until `done` or the deadline; false with `error` set
    // when the deadline passes or the connection fails.
    bool dispatchUntil(const std::function<bool()> &done, QString *error);
    bool roundtrip(QString *error);
    QString connectionError() const;
};

// Connects and learns the globals and, for `describeOutputs`, each output's
// name and logical geometry. False with `error` set on failure.
bool learnGlobals(Connection &connection, bool describeOutputs, QString *error);
// Captures every output of a connection whose globals are learnt (with
// `describeOutputs`). The result's outputs carry the index of their Output in
// `capturedFrom` (same order).
VQWlrCapture captureOn(Connection &connection, std::vector<Output *> *capturedFrom = nullptr);
} // namespace VQWlr
