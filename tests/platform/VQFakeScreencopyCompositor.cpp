#include "VQFakeScreencopyCompositor.h"

#include "wlr-screencopy-unstable-v1-server-protocol.h"

#include <wayland-server.h>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

struct VQFakeScreencopyCompositor::Server {
    struct Output {
        VQFakeOutput shape;
        wl_global *global = nullptr;
    };
    wl_display *display = nullptr;
    std::vector<std::unique_ptr<Output>> outputs;
    wl_global *screencopy = nullptr;
};

namespace
{
using Server = VQFakeScreencopyCompositor::Server;
using Answer = VQFakeOutput::Answer;

void destroyResource(wl_client *, wl_resource *resource)
{
    wl_resource_destroy(resource);
}

const struct wl_output_interface kOutputRequests = {destroyResource};

void bindOutput(wl_client *client, void *data, std::uint32_t version, std::uint32_t id)
{
    const VQFakeOutput &shape = static_cast<Server::Output *>(data)->shape;
    wl_resource *resource = wl_resource_create(client, &wl_output_interface, int(version), id);
    wl_resource_set_implementation(resource, &kOutputRequests, data, nullptr);
    wl_output_send_geometry(resource, shape.x, shape.y, 0, 0, WL_OUTPUT_SUBPIXEL_UNKNOWN, "Vellico", "Fake",
                            shape.transform);
    wl_output_send_mode(resource, WL_OUTPUT_MODE_CURRENT, shape.width, shape.height, 60000);
    if (version >= WL_OUTPUT_SCALE_SINCE_VERSION)
        wl_output_send_scale(resource, shape.scale);
    if (version >= WL_OUTPUT_NAME_SINCE_VERSION)
        wl_output_send_name(resource, shape.name.c_str());
    if (version >= WL_OUTPUT_DONE_SINCE_VERSION)
        wl_output_send_done(resource);
}

void putPixel(std::uint8_t *at, std::uint32_t format, QRgb color)
{
    const std::uint8_t r = qRed(color), g = qGreen(color), b = qBlue(color);
    if (format == WL_SHM_FORMAT_XBGR8888 || format == WL_SHM_FORMAT_ABGR8888) {
        at[0] = r, at[1] = g, at[2] = b, at[3] = 0;
    } else { // XRGB8888, ARGB8888
        at[0] = b, at[1] = g, at[2] = r, at[3] = 0;
    }
}

void copyFrame(wl_client *, wl_resource *frame, wl_resource *bufferResource)
{
    auto *output = static_cast<Server::Output *>(wl_resource_get_user_data(frame));
    const VQFakeOutput &shape = output->shape;
    switch (shape.answer) {
    case Answer::Fill:
    case Answer::FillYInverted: {
        wl_shm_buffer *buffer = wl_shm_buffer_get(bufferResource);
        if (!buffer || wl_shm_buffer_get_width(buffer) != shape.width ||
            wl_shm_buffer_get_height(buffer) != shape.height || wl_shm_buffer_get_format(buffer) != shape.format) {
            wl_resource_post_error(frame, ZWLR_SCREENCOPY_FRAME_V1_ERROR_INVALID_BUFFER, "wrong buffer");
            return;
        }
        const bool inverted = shape.answer == Answer::FillYInverted;
        const int stride = wl_shm_buffer_get_stride(buffer);
        wl_shm_buffer_begin_access(buffer);
        auto *data = static_cast<std::uint8_t *>(wl_shm_buffer_get_data(buffer));
        for (int row = 0; row < shape.height; ++row) {
            const int y = inverted ? shape.height - 1 - row : row;
            for (int x = 0; x < shape.width; ++x)
                putPixel(data + row * stride + x * 4, shape.format, VQFakeScreencopyCompositor::colorAt(x, y));
        }
        wl_shm_buffer_end_access(buffer);
        zwlr_screencopy_frame_v1_send_flags(frame, inverted ? ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT : 0);
        zwlr_screencopy_frame_v1_send_ready(frame, 0, 0, 0);
        return;
    }
    case Answer::Vanish:
        if (output->global) {
            wl_global_destroy(output->global);
            output->global = nullptr;
        }
        zwlr_screencopy_frame_v1_send_failed(frame);
        return;
    case Answer::ProtocolError:
        wl_resource_post_error(frame, ZWLR_SCREENCOPY_FRAME_V1_ERROR_INVALID_BUFFER, "refused by the test");
        return;
    case Answer::Refuse:
    case Answer::Silent:
    case Answer::DmabufOnly:
        zwlr_screencopy_frame_v1_send_failed(frame);
        return;
    }
}

void copyFrameWithDamage(wl_client *client, wl_resource *frame, wl_resource *buffer)
{
    copyFrame(client, frame, buffer);
}

const struct zwlr_screencopy_frame_v1_interface kFrameRequests = {copyFrame, destroyResource, copyFrameWithDamage};

void captureOutput(wl_client *client, wl_resource *manager, std::uint32_t id, std::int32_t, wl_resource *outputResource)
{
    auto *output = static_cast<Server::Output *>(wl_resource_get_user_data(outputResource));
    wl_resource *frame =
        wl_resource_create(client, &zwlr_screencopy_frame_v1_interface, wl_resource_get_version(manager), id);
    wl_resource_set_implementation(frame, &kFrameRequests, output, nullptr);
    const VQFakeOutput &shape = output->shape;
    switch (shape.answer) {
    case Answer::Silent:
        return;
    case Answer::DmabufOnly:
        zwlr_screencopy_frame_v1_send_linux_dmabuf(frame, shape.format, shape.width, shape.height);
        zwlr_screencopy_frame_v1_send_buffer_done(frame);
        return;
    default:
        zwlr_screencopy_frame_v1_send_buffer(frame, shape.format, shape.width, shape.height, shape.width * 4);
        zwlr_screencopy_frame_v1_send_buffer_done(frame);
    }
}

void captureOutputRegion(wl_client *client, wl_resource *manager, std::uint32_t id, std::int32_t cursor,
                         wl_resource *output, std::int32_t, std::int32_t, std::int32_t, std::int32_t)
{
    captureOutput(client, manager, id, cursor, output);
}

const struct zwlr_screencopy_manager_v1_interface kManagerRequests = {captureOutput, captureOutputRegion,
                                                                      destroyResource};

void bindScreencopy(wl_client *client, void *data, std::uint32_t version, std::uint32_t id)
{
    wl_resource *resource = wl_resource_create(client, &zwlr_screencopy_manager_v1_interface, int(version), id);
    wl_resource_set_implementation(resource, &kManagerRequests, data, nullptr);
}
} // namespace

VQFakeScreencopyCompositor::VQFakeScreencopyCompositor(std::vector<VQFakeOutput> outputs, bool offerScreencopy)
    : _server(std::make_unique<Server>())
{
    const std::string path = _dir.filePath(QStringLiteral("wayland-fake")).toStdString();
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 || listen(fd, 8) != 0) {
        if (fd >= 0)
            close(fd);
        return;
    }
    _server->display = wl_display_create();
    if (wl_display_add_socket_fd(_server->display, fd) != 0) {
        close(fd);
        return;
    }
    wl_display_init_shm(_server->display);
    wl_display_add_shm_format(_server->display, WL_SHM_FORMAT_XBGR8888);
    for (const VQFakeOutput &shape : outputs) {
        auto output = std::make_unique<Server::Output>();
        output->shape = shape;
        output->global = wl_global_create(_server->display, &wl_output_interface, 4, output.get(), bindOutput);
        _server->outputs.push_back(std::move(output));
    }
    if (offerScreencopy)
        _server->screencopy =
            wl_global_create(_server->display, &zwlr_screencopy_manager_v1_interface, 3, nullptr, bindScreencopy);

    _previousDisplay = qgetenv("WAYLAND_DISPLAY");
    qputenv("WAYLAND_DISPLAY", QByteArray::fromStdString(path));
    _running = true;
    _thread = std::thread([this] {
        wl_event_loop *loop = wl_display_get_event_loop(_server->display);
        while (!_stop) {
            wl_event_loop_dispatch(loop, 20);
            wl_display_flush_clients(_server->display);
        }
    });
}

VQFakeScreencopyCompositor::~VQFakeScreencopyCompositor()
{
    _stop = true;
    if (_thread.joinable())
        _thread.join();
    if (_running)
        qputenv("WAYLAND_DISPLAY", _previousDisplay);
    if (_server->display) {
        wl_display_destroy_clients(_server->display);
        wl_display_destroy(_server->display);
    }
}

QRgb VQFakeScreencopyCompositor::colorAt(int x, int y)
{
    return qRgb(0x10 + x * 7, 0x20 + y * 11, 0x80 + x + y);
}
