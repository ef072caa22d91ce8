#include "platform/wlr/VQWlrScreencopy.h"

#include "platform/wlr/VQWlrConnection_p.h"

#include "platform/VQPixelFormat.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <QTransform>
#include <QtEndian>

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

namespace VQWlr
{
// The versions we speak; a compositor announcing more is bound at these.
constexpr std::uint32_t kOutputVersion = 4;     // 4: the name event
constexpr std::uint32_t kXdgOutputVersion = 3;  // 2: names; 3: no xdg done
constexpr std::uint32_t kScreencopyVersion = 3; // 3: buffer_done after the buffer kinds
constexpr std::uint32_t kCompositorVersion = 4; // 4: damage_buffer
constexpr std::uint32_t kSeatVersion = 5;       // 5: wl_pointer.frame, release requests
// A buffer larger than this is a compositor's mistake, not a screen.
constexpr std::size_t kMaxBufferBytes = std::size_t(1) << 30;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// How each wl_shm format lays out a pixel, as one little-endian word.
std::optional<VQPixelFormat> shmPixelFormat(std::uint32_t format)
{
    const auto rgb = [](int bits, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        VQPixelFormat f;
        f.bitsPerPixel = bits;
        f.scanlinePad = 8; // the stride is the compositor's; rows are addressed by it
        f.mostSignificantByteFirst = false;
        f.redMask = r;
        f.greenMask = g;
        f.blueMask = b;
        return f;
    };
    switch (format) {
    case WL_SHM_FORMAT_ARGB8888:
    case WL_SHM_FORMAT_XRGB8888:
        return rgb(32, 0xff0000, 0xff00, 0xff);
    case WL_SHM_FORMAT_ABGR8888:
    case WL_SHM_FORMAT_XBGR8888:
        return rgb(32, 0xff, 0xff00, 0xff0000);
    case WL_SHM_FORMAT_RGBA8888:
    case WL_SHM_FORMAT_RGBX8888:
        return rgb(32, 0xff000000, 0xff0000, 0xff00);
    case WL_SHM_FORMAT_BGRA8888:
    case WL_SHM_FORMAT_BGRX8888:
        return rgb(32, 0xff00, 0xff0000, 0xff000000);
    case WL_SHM_FORMAT_ARGB2101010:
    case WL_SHM_FORMAT_XRGB2101010:
        return rgb(32, 0x3ff00000, 0xffc00, 0x3ff);
    case WL_SHM_FORMAT_ABGR2101010:
    case WL_SHM_FORMAT_XBGR2101010:
        return rgb(32, 0x3ff, 0xffc00, 0x3ff00000);
    case WL_SHM_FORMAT_RGB888:
        return rgb(24, 0xff0000, 0xff00, 0xff);
    case WL_SHM_FORMAT_BGR888:
        return rgb(24, 0xff, 0xff00, 0xff0000);
    case WL_SHM_FORMAT_RGB565:
        return rgb(16, 0xf800, 0x7e0, 0x1f);
    default:
        return std::nullopt;
    }
}

// -- wl_registry ----------------------------------------------------------------

void outputGeometry(void *data, wl_output *, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t, std::int32_t,
                    const char *, const char *, std::int32_t transform)
{
    auto *output = static_cast<Output *>(data);
    output->geometryPosition = QPoint(x, y);
    output->transform = transform;
}
void outputMode(void *, wl_output *, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {}
void outputDone(void *, wl_output *) {}
void outputScale(void *data, wl_output *, std::int32_t factor)
{
    static_cast<Output *>(data)->integerScale = std::max(1, factor);
}
void outputName(void *data, wl_output *, const char *name)
{
    static_cast<Output *>(data)->name = QString::fromUtf8(name);
}
void outputDescription(void *, wl_output *, const char *) {}
const wl_output_listener kOutputListener = {outputGeometry, outputMode, outputDone,
                                            outputScale,    outputName, outputDescription};

void xdgPosition(void *data, zxdg_output_v1 *, std::int32_t x, std::int32_t y)
{
    static_cast<Output *>(data)->logicalPosition = QPoint(x, y);
}
void xdgSize(void *data, zxdg_output_v1 *, std::int32_t width, std::int32_t height)
{
    static_cast<Output *>(data)->logicalSize = QSize(width, height);
}
void xdgDone(void *, zxdg_output_v1 *) {}
void xdgName(void *data, zxdg_output_v1 *, const char *name)
{
    auto *output = static_cast<Output *>(data);
    if (output->name.isEmpty()) // wl_output's own name, where given, wins
        output->name = QString::fromUtf8(name);
}
void xdgDescription(void *, zxdg_output_v1 *, const char *) {}
const zxdg_output_v1_listener kXdgOutputListener = {xdgPosition, xdgSize, xdgDone, xdgName, xdgDescription};

void seatCapabilities(void *data, wl_seat *, std::uint32_t capabilities)
{
    static_cast<Connection *>(data)->seatCapabilities = capabilities;
}
void seatName(void *, wl_seat *, const char *) {}
const wl_seat_listener kSeatListener = {seatCapabilities, seatName};

void registryGlobal(void *data, wl_registry *registry, std::uint32_t name, const char *interface, std::uint32_t version)
{
    auto *connection = static_cast<Connection *>(data);
    const auto bind = [&](const wl_interface *wanted, std::uint32_t most) {
        return wl_registry_bind(registry, name, wanted, std::min(version, most));
    };
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        if (!connection->acceptOutputs) {
            if (connection->outputsChanged)
                connection->outputsChanged();
            return;
        }
        auto output = std::make_unique<Output>();
        output->connection = connection;
        output->globalName = name;
        output->wl = static_cast<wl_output *>(bind(&wl_output_interface, kOutputVersion));
        wl_output_add_listener(output->wl, &kOutputListener, output.get());
        connection->outputs.push_back(std::move(output));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0 && !connection->shm) {
        connection->shm = static_cast<wl_shm *>(bind(&wl_shm_interface, 1));
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 && !connection->xdgManager) {
        connection->xdgManager =
            static_cast<zxdg_output_manager_v1 *>(bind(&zxdg_output_manager_v1_interface, kXdgOutputVersion));
    } else if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0 && !connection->screencopy) {
        connection->screencopyVersion = std::min(version, kScreencopyVersion);
        connection->screencopy =
            static_cast<zwlr_screencopy_manager_v1 *>(bind(&zwlr_screencopy_manager_v1_interface, kScreencopyVersion));
    } else if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !connection->compositor) {
        connection->compositorVersion = std::min(version, kCompositorVersion);
        connection->compositor = static_cast<wl_compositor *>(bind(&wl_compositor_interface, kCompositorVersion));
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0 && !connection->layerShell) {
        connection->layerShell = static_cast<zwlr_layer_shell_v1 *>(bind(&zwlr_layer_shell_v1_interface, 1));
    } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0 && !connection->viewporter) {
        connection->viewporter = static_cast<wp_viewporter *>(bind(&wp_viewporter_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !connection->seat) {
        connection->seatVersion = std::min(version, kSeatVersion);
        connection->seat = static_cast<wl_seat *>(bind(&wl_seat_interface, kSeatVersion));
        wl_seat_add_listener(connection->seat, &kSeatListener, connection);
    }
}

void registryGlobalRemove(void *data, wl_registry *, std::uint32_t name)
{
    auto *connection = static_cast<Connection *>(data);
    for (auto &output : connection->outputs) {
        if (output->globalName == name) {
            output->removed = true;
            if (connection->outputsChanged)
                connection->outputsChanged();
        }
    }
}

const wl_registry_listener kRegistryListener = {registryGlobal, registryGlobalRemove};

// -- the connection ---------------------------------------------------------------

QString Connection::connectionError() const
{
    const int code = wl_display_get_error(display);
    if (code == EPROTO) {
        const wl_interface *interface = nullptr;
        std::uint32_t id = 0;
        const std::uint32_t protocolCode = wl_display_get_protocol_error(display, &interface, &id);
        return QStringLiteral("the compositor ended the connection with protocol error %1 on %2")
            .arg(protocolCode)
            .arg(QString::fromLatin1(interface ? interface->name : "an unknown object"));
    }
    if (code == 0 || code == EPIPE || code == ECONNRESET)
        return QStringLiteral("the compositor closed the connection");
    return QStringLiteral("the Wayland connection failed: %1").arg(systemError(code));
}

bool Connection::connect(QString *error)
{
    display = wl_display_connect(nullptr);
    if (!display) {
        const int code = errno;
        const QString socket = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
        *error = QStringLiteral("cannot connect to the Wayland display \"%1\": %2").arg(socket, systemError(code));
        return false;
    }
    registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, this);
    return true;
}

bool Connection::dispatchUntil(const std::function<bool()> &done, QString *error)
{
    const auto timedOut = [&] {
        *error = QStringLiteral("the compositor did not answer within %1 s").arg(timeout.count() / 1000.0);
        return false;
    };
    const int fd = wl_display_get_fd(display);
    while (true) {
        if (wl_display_dispatch_pending(display) < 0) {
            *error = connectionError();
            return false;
        }
        if (done())
            return true;
        if (wl_display_prepare_read(display) != 0)
            continue; // events arrived meanwhile: dispatch them first

        // Send what is queued; a full socket waits for room, within the deadline.
        while (wl_display_flush(display) < 0) {
            if (errno != EAGAIN) {
                // A closed socket: what is left to read may say why.
                break;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd out{fd, POLLOUT, 0};
            if (left.count() <= 0 || poll(&out, 1, int(left.count())) == 0) {
                wl_display_cancel_read(display);
                return timedOut();
            }
        }

        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            wl_display_cancel_read(display);
            return timedOut();
        }
        pollfd in{fd, POLLIN, 0};
        const int ready = poll(&in, 1, int(left.count()));
        if (ready < 0) {
            const int code = errno;
            wl_display_cancel_read(display);
            if (code == EINTR)
                continue;
            *error = QStringLiteral("waiting for the compositor failed: %1").arg(systemError(code));
            return false;
        }
        if (ready == 0) {
            wl_display_cancel_read(display);
            return timedOut();
        }
        if (wl_display_read_events(display) < 0) {
            *error = connectionError();
            return false;
        }
    }
}

bool Connection::roundtrip(QString *error)
{
    bool answered = false;
    static const wl_callback_listener listener = {
        [](void *data, wl_callback *, std::uint32_t) { *static_cast<bool *>(data) = true; }};
    wl_callback *callback = wl_display_sync(display);
    wl_callback_add_listener(callback, &listener, &answered);
    const bool ok = dispatchUntil([&] { return answered; }, error);
    wl_callback_destroy(callback);
    return ok;
}

// -- the frame ----------------------------------------------------------------------

void frameBuffer(void *data, zwlr_screencopy_frame_v1 *, std::uint32_t format, std::uint32_t width,
                 std::uint32_t height, std::uint32_t stride)
{
    auto *output = static_cast<Output *>(data);
    output->haveShm = true;
    output->format = format;
    output->width = width;
    output->height = height;
    output->stride = stride;
    // Before version 3 no buffer_done follows: this is the only buffer kind.
    if (output->connection->screencopyVersion < 3)
        output->startCopy();
}
void frameFlags(void *data, zwlr_screencopy_frame_v1 *, std::uint32_t flags)
{
    static_cast<Output *>(data)->flags = flags;
}
void frameReady(void *data, zwlr_screencopy_frame_v1 *, std::uint32_t, std::uint32_t, std::uint32_t)
{
    static_cast<Output *>(data)->ready = true;
}
void frameFailed(void *data, zwlr_screencopy_frame_v1 *)
{
    static_cast<Output *>(data)->failed = true;
}
void frameDamage(void *, zwlr_screencopy_frame_v1 *, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void frameDmabuf(void *, zwlr_screencopy_frame_v1 *, std::uint32_t, std::uint32_t, std::uint32_t) {}
void frameBufferDone(void *data, zwlr_screencopy_frame_v1 *)
{
    static_cast<Output *>(data)->startCopy();
}
const zwlr_screencopy_frame_v1_listener kFrameListener = {frameBuffer, frameFlags,  frameReady,     frameFailed,
                                                          frameDamage, frameDmabuf, frameBufferDone};

void Output::startCopy()
{
    if (copying || settled())
        return;
    const auto fail = [this](const QString &why) {
        failed = true;
        failure = why;
    };
    if (!haveShm)
        return fail(QStringLiteral("the compositor offers no shared-memory buffer for output %1").arg(label()));
    const auto pixelFormat = shmPixelFormat(format);
    if (!pixelFormat)
        return fail(QStringLiteral("output %1 comes in pixel format 0x%2, which Vellico cannot read")
                        .arg(label())
                        .arg(format, 8, 16, QLatin1Char('0')));
    if (width == 0 || height == 0 || width > 32768 || height > 32768 ||
        stride < pixelFormat->bytesPerLine(int(width)) || std::size_t(stride) * height > kMaxBufferBytes)
        return fail(QStringLiteral("the compositor offers a buffer of %1 × %2 pixels with %3 bytes a row for output "
                                   "%4, which makes no sense")
                        .arg(width)
                        .arg(height)
                        .arg(stride)
                        .arg(label()));

    size = std::size_t(stride) * height;
    fd = memfd_create("vellico-screencopy", MFD_CLOEXEC);
    if (fd < 0)
        return fail(QStringLiteral("no shared memory for the capture: %1").arg(systemError(errno)));
    if (ftruncate(fd, off_t(size)) < 0)
        return fail(QStringLiteral("no shared memory for the capture: %1").arg(systemError(errno)));
    map = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED)
        return fail(QStringLiteral("no shared memory for the capture: %1").arg(systemError(errno)));

    wl_shm_pool *pool = wl_shm_create_pool(connection->shm, fd, std::int32_t(size));
    buffer =
        wl_shm_pool_create_buffer(pool, 0, std::int32_t(width), std::int32_t(height), std::int32_t(stride), format);
    wl_shm_pool_destroy(pool);
    zwlr_screencopy_frame_v1_copy(frame, buffer);
    copying = true;
}

QRect logicalRectOf(const Output &output, QSize deviceSize)
{
    const QPoint position = output.logicalPosition.value_or(output.geometryPosition);
    QSize size = output.logicalSize.value_or(QSize());
    if (size.isEmpty()) // no xdg-output: the integer scale is all there is
        size = QSize(std::max(1, deviceSize.width() / output.integerScale),
                     std::max(1, deviceSize.height() / output.integerScale));
    return QRect(position, size);
}

// Connects and learns the globals and, for `describeOutputs`, each output's
// name and logical geometry. False with `error` set on failure.
bool learnGlobals(Connection &connection, bool describeOutputs, QString *error)
{
    if (!connection.connect(error) || !connection.roundtrip(error))
        return false;
    connection.acceptOutputs = false;
    if (!describeOutputs)
        return true;
    if (connection.xdgManager) {
        for (auto &output : connection.outputs) {
            output->xdg = zxdg_output_manager_v1_get_xdg_output(connection.xdgManager, output->wl);
            zxdg_output_v1_add_listener(output->xdg, &kXdgOutputListener, output.get());
        }
    }
    // Bound outputs send their description now; one more round trip collects it.
    return connection.roundtrip(error);
}
} // namespace VQWlr

using namespace VQWlr;

VQOutputLayout VQWlrCapture::layout() const
{
    QList<VQOutput> list;
    for (const VQCapturedOutput &captured : outputs)
        list.append(captured.output);
    return VQOutputLayout(list);
}

VQWlrGlobals VQWlrScreencopy::probe(std::chrono::milliseconds timeout)
{
    VQWlrGlobals globals;
    Connection connection(timeout);
    if (!learnGlobals(connection, false, &globals.error))
        return globals;
    globals.connected = true;
    globals.screencopy = connection.screencopy != nullptr;
    globals.screencopyVersion = connection.screencopyVersion;
    globals.xdgOutput = connection.xdgManager != nullptr;
    globals.shm = connection.shm != nullptr;
    globals.outputs = int(connection.outputs.size());
    return globals;
}

VQWlrCapture VQWlrScreencopy::captureOutputs(std::chrono::milliseconds timeout)
{
    VQWlrCapture capture;
    Connection connection(timeout);
    if (!learnGlobals(connection, true, &capture.error))
        return capture;
    return captureOn(connection);
}

VQWlrCapture VQWlr::captureOn(Connection &connection, std::vector<Output *> *capturedFrom)
{
    VQWlrCapture capture;
    if (capturedFrom)
        capturedFrom->clear();
    if (!connection.screencopy) {
        capture.error = QStringLiteral("the compositor offers no wlroots screencopy (zwlr_screencopy_manager_v1)");
        return capture;
    }
    if (!connection.shm) {
        capture.error = QStringLiteral("the compositor offers no shared memory (wl_shm)");
        return capture;
    }

    for (auto &output : connection.outputs) {
        if (output->removed)
            continue;
        output->frame = zwlr_screencopy_manager_v1_capture_output(connection.screencopy, 0, output->wl);
        zwlr_screencopy_frame_v1_add_listener(output->frame, &kFrameListener, output.get());
    }
    const auto allSettled = [&] {
        return std::all_of(connection.outputs.begin(), connection.outputs.end(),
                           [](const auto &output) { return output->settled(); });
    };
    if (!connection.dispatchUntil(allSettled, &capture.error))
        return capture;
    // A frame fails when its output goes away; the global's removal may still
    // be on its way. One more round trip tells a vanished output from a refusal.
    const bool anyFailed = std::any_of(connection.outputs.begin(), connection.outputs.end(),
                                       [](const auto &output) { return output->failed && !output->removed; });
    if (anyFailed && !connection.roundtrip(&capture.error))
        return capture;

    for (const auto &output : connection.outputs) {
        if (output->removed) {
            capture.notes << QStringLiteral("output %1 went away during the capture").arg(output->label());
            continue;
        }
        if (output->failed) {
            capture.error = output->failure.isEmpty()
                                ? QStringLiteral("the compositor refused to capture output %1").arg(output->label())
                                : output->failure;
            capture.outputs.clear();
            if (capturedFrom)
                capturedFrom->clear();
            return capture;
        }
        QString why;
        QImage image = VQWlrScreencopy::imageFromShm(static_cast<const std::uint8_t *>(output->map), output->format,
                                                     int(output->width), int(output->height), int(output->stride),
                                                     output->flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT, &why);
        if (image.isNull()) {
            capture.error = QStringLiteral("output %1: %2").arg(output->label(), why);
            capture.outputs.clear();
            if (capturedFrom)
                capturedFrom->clear();
            return capture;
        }
        image = VQWlrScreencopy::transformed(image, output->transform);
        const VQOutput described{output->name, logicalRectOf(*output, image.size()), image.size()};
        capture.outputs.append(VQCapturedOutput{described, image});
        if (capturedFrom)
            capturedFrom->push_back(output.get());
    }
    if (capture.outputs.isEmpty())
        capture.error = connection.outputs.empty() ? QStringLiteral("the compositor announces no outputs")
                                                   : QStringLiteral("every output went away during the capture");
    return capture;
}

QImage VQWlrScreencopy::imageFromShm(const std::uint8_t *data, std::uint32_t format, int width, int height, int stride,
                                     bool yInvert, QString *error)
{
    const auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return QImage();
    };
    const auto pixelFormat = shmPixelFormat(format);
    if (!pixelFormat)
        return refuse(QStringLiteral("pixel format 0x%1 cannot be read").arg(format, 8, 16, QLatin1Char('0')));
    if (!data || width <= 0 || height <= 0 || stride < 0 || std::size_t(stride) < pixelFormat->bytesPerLine(width))
        return refuse(
            QStringLiteral("a buffer of %1 × %2 pixels cannot have %3 bytes a row").arg(width).arg(height).arg(stride));
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return refuse(QStringLiteral("no memory for a picture of %1 × %2 pixels").arg(width).arg(height));

    const bool plainXrgb = format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888;
    const int bytesPerPixel = pixelFormat->bitsPerPixel / 8;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *row = data + std::size_t(yInvert ? height - 1 - y : y) * std::size_t(stride);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (plainXrgb) {
            // The common case, kept fast: Format_RGB32 is the same word, alpha forced opaque.
            for (int x = 0; x < width; ++x)
                out[x] = 0xff000000u | qFromLittleEndian<std::uint32_t>(row + std::size_t(x) * 4);
        } else {
            for (int x = 0; x < width; ++x)
                out[x] = pixelFormat->decode(row + std::size_t(x) * std::size_t(bytesPerPixel));
        }
    }
    return image;
}

QImage VQWlrScreencopy::transformed(const QImage &image, std::int32_t transform)
{
    if (transform == WL_OUTPUT_TRANSFORM_NORMAL)
        return image;
    // The buffer holds the output's pixels as scanned out; what the user sees
    // is that turned clockwise by the transform's quarter turns and, for the
    // flipped ones, then mirrored left to right (checked against grim on sway).
    const bool flipped = transform >= WL_OUTPUT_TRANSFORM_FLIPPED;
    const int quarterTurns = transform & 3;
    QImage result = quarterTurns ? image.transformed(QTransform().rotate(90.0 * quarterTurns)) : image;
    if (flipped)
        result = result.mirrored(true, false);
    return result;
}
