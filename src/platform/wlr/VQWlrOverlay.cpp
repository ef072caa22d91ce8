#include "platform/wlr/VQWlrOverlay.h"

#include "platform/wlr/VQWlrConnection_p.h"

#include <QImage>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>

#include <linux/input-event-codes.h>

using namespace VQWlr;

namespace
{
constexpr const char *kNamespace = "vellico-picker";
// How long closing waits for the compositor to confirm that our surfaces are gone.
constexpr std::chrono::milliseconds kCloseTimeout{1000};
// How long the clear surfaces wait for the pointer to enter one of them
// before the capture is taken as things are.
constexpr std::chrono::milliseconds kEnterTimeout{150};

// One wl_shm buffer with a QImage over its memory. Format_RGB32 is
// WL_SHM_FORMAT_XRGB8888 on a little-endian machine, the kind the frozen
// screen is painted in; the clear buffer is ARGB8888, all zero: transparent.
struct Buffer {
    int fd = -1;
    void *map = MAP_FAILED;
    std::size_t size = 0;
    wl_buffer *buffer = nullptr;
    QImage image;
    bool busy = false; // the compositor still reads it
    struct Surface *surface = nullptr;

    ~Buffer()
    {
        image = QImage();
        if (buffer)
            wl_buffer_destroy(buffer);
        if (map != MAP_FAILED)
            munmap(map, size);
        if (fd >= 0)
            close(fd);
    }
};

struct Surface {
    struct VQWlrOverlay::Private *owner = nullptr;
    int index = -1; // in the capture's outputs
    Output *output = nullptr;
    QSize deviceSize;
    wl_surface *surface = nullptr;
    zwlr_layer_surface_v1 *layer = nullptr;
    wp_viewport *viewport = nullptr;
    QSize logicalSize; // as configured
    bool configured = false;
    bool dirty = false; // a paint waits for a free buffer or the next frame
    wl_callback *frame = nullptr;
    std::array<std::unique_ptr<Buffer>, 2> buffers;
    std::unique_ptr<Buffer> clear; // shown until the capture is taken

    ~Surface()
    {
        if (frame)
            wl_callback_destroy(frame);
        if (viewport)
            wp_viewport_destroy(viewport);
        if (layer)
            zwlr_layer_surface_v1_destroy(layer);
        if (surface)
            wl_surface_destroy(surface);
    }
};
} // namespace

struct VQWlrOverlay::Private {
    explicit Private(std::chrono::milliseconds timeout) : connection(timeout) {}
    ~Private()
    {
        notifier.reset();
        surfaces.clear();
        if (keyboardFocusCheck)
            wl_callback_destroy(keyboardFocusCheck);
        if (pointer) {
            if (wl_pointer_get_version(pointer) >= WL_POINTER_RELEASE_SINCE_VERSION)
                wl_pointer_release(pointer);
            else
                wl_pointer_destroy(pointer);
        }
        if (keyboard) {
            if (wl_keyboard_get_version(keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
                wl_keyboard_release(keyboard);
            else
                wl_keyboard_destroy(keyboard);
        }
        if (xkbState)
            xkb_state_unref(xkbState);
        if (xkbKeymap)
            xkb_keymap_unref(xkbKeymap);
        if (xkbContext)
            xkb_context_unref(xkbContext);
        // Our surfaces go with the requests above; waiting for the compositor to
        // take them in means the keyboard and the pointer are back where they
        // belong when the caller goes on.
        if (connection.display && wl_display_get_error(connection.display) == 0) {
            connection.deadline = Clock::now() + kCloseTimeout;
            QString ignored;
            connection.roundtrip(&ignored);
        }
    }

    Connection connection;
    VQWlrCapture capture;
    std::vector<std::unique_ptr<Surface>> surfaces;
    Painter painter;
    InputHandler input;
    EndHandler end;
    std::unique_ptr<QSocketNotifier> notifier;
    bool ended = false;
    bool shown = false;   // open() has returned the overlay: ends go to `end`
    QString endedBecause; // before that, open() reports them

    wl_pointer *pointer = nullptr;
    Surface *pointerSurface = nullptr;
    wl_fixed_t pointerX = 0, pointerY = 0; // where on pointerSurface, in its logical pixels
    wl_keyboard *keyboard = nullptr;
    Surface *keyboardSurface = nullptr;
    wl_callback *keyboardFocusCheck = nullptr;
    xkb_context *xkbContext = nullptr;
    xkb_keymap *xkbKeymap = nullptr;
    xkb_state *xkbState = nullptr;

    Surface *surfaceOf(wl_surface *surface) const
    {
        for (const auto &s : surfaces) {
            if (s->surface == surface)
                return s.get();
        }
        return nullptr;
    }
    QPointF devicePoint(const Surface &surface, wl_fixed_t x, wl_fixed_t y) const
    {
        const QSize logical = surface.logicalSize.isEmpty() ? surface.deviceSize : surface.logicalSize;
        return QPointF(wl_fixed_to_double(x) * surface.deviceSize.width() / logical.width(),
                       wl_fixed_to_double(y) * surface.deviceSize.height() / logical.height());
    }
    void finish(const QString &failure)
    {
        if (ended)
            return;
        ended = true;
        endedBecause = failure;
        if (notifier)
            notifier->setEnabled(false);
        if (shown && end)
            end(failure);
    }
    void forward(const VQOverlayInput &event)
    {
        if (!ended && input)
            input(event);
    }
    // Tells where the pointer is, once its surface shows a capture (before,
    // there are no device pixels to tell it in).
    void forwardPointer()
    {
        Surface *over = pointerSurface;
        if (!over || over->deviceSize.isEmpty())
            return;
        VQOverlayInput event;
        event.output = over->index;
        event.devicePoint = devicePoint(*over, pointerX, pointerY);
        forward(event);
    }
    bool showClear(Surface &surface, QString *error);
    bool paint(Surface &surface);
    void flush();
    void readEvents();
};

namespace
{
// -- buffers and frames ---------------------------------------------------------------

void bufferRelease(void *data, wl_buffer *)
{
    auto *buffer = static_cast<Buffer *>(data);
    buffer->busy = false;
    // A repaint that found every buffer busy waits for this one.
    if (buffer->surface && buffer->surface->dirty && !buffer->surface->frame)
        buffer->surface->owner->paint(*buffer->surface);
}
const wl_buffer_listener kBufferListener = {bufferRelease};

std::unique_ptr<Buffer> makeBuffer(wl_shm *shm, QSize size, QString *error,
                                   std::uint32_t format = WL_SHM_FORMAT_XRGB8888)
{
    auto buffer = std::make_unique<Buffer>();
    const int stride = size.width() * 4;
    buffer->size = std::size_t(stride) * std::size_t(size.height());
    buffer->fd = memfd_create("vellico-frozen-screen", MFD_CLOEXEC);
    if (buffer->fd < 0 || ftruncate(buffer->fd, off_t(buffer->size)) < 0) {
        *error =
            QStringLiteral("no shared memory for the frozen screen: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return nullptr;
    }
    buffer->map = mmap(nullptr, buffer->size, PROT_READ | PROT_WRITE, MAP_SHARED, buffer->fd, 0);
    if (buffer->map == MAP_FAILED) {
        *error =
            QStringLiteral("no shared memory for the frozen screen: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return nullptr;
    }
    wl_shm_pool *pool = wl_shm_create_pool(shm, buffer->fd, std::int32_t(buffer->size));
    buffer->buffer = wl_shm_pool_create_buffer(pool, 0, size.width(), size.height(), stride, format);
    wl_shm_pool_destroy(pool);
    wl_buffer_add_listener(buffer->buffer, &kBufferListener, buffer.get());
    buffer->image =
        QImage(static_cast<uchar *>(buffer->map), size.width(), size.height(), stride, QImage::Format_RGB32);
    return buffer;
}

void frameDone(void *data, wl_callback *callback, std::uint32_t)
{
    auto *surface = static_cast<Surface *>(data);
    wl_callback_destroy(callback);
    surface->frame = nullptr;
    if (surface->dirty)
        surface->owner->paint(*surface);
}
const wl_callback_listener kFrameListener = {frameDone};

// -- layer surfaces ---------------------------------------------------------------------

void layerConfigure(void *data, zwlr_layer_surface_v1 *layer, std::uint32_t serial, std::uint32_t width,
                    std::uint32_t height)
{
    auto *surface = static_cast<Surface *>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    const QSize size{int(width), int(height)};
    const bool resized = surface->configured && size != surface->logicalSize;
    surface->logicalSize = size;
    surface->configured = true;
    if (resized) {
        surface->owner->finish(
            QStringLiteral("output %1 changed its size while picking").arg(surface->output->label()));
        return;
    }
}
void layerClosed(void *data, zwlr_layer_surface_v1 *)
{
    auto *surface = static_cast<Surface *>(data);
    surface->owner->finish(
        QStringLiteral("the compositor closed the frozen screen on output %1").arg(surface->output->label()));
}
const zwlr_layer_surface_v1_listener kLayerListener = {layerConfigure, layerClosed};

// -- the pointer ---------------------------------------------------------------------------

void pointerEnter(void *data, wl_pointer *pointer, std::uint32_t serial, wl_surface *surface, wl_fixed_t x,
                  wl_fixed_t y)
{
    auto *d = static_cast<VQWlrOverlay::Private *>(data);
    d->pointerSurface = d->surfaceOf(surface);
    // No cursor over the frozen screen: the loupe draws its own crosshair. Set
    // before the capture, it also keeps a cursor the compositor draws into the
    // outputs' pixels out of the picture.
    wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
    d->pointerX = x;
    d->pointerY = y;
    d->forwardPointer();
}
void pointerLeave(void *data, wl_pointer *, std::uint32_t, wl_surface *)
{
    static_cast<VQWlrOverlay::Private *>(data)->pointerSurface = nullptr;
}
void pointerMotion(void *data, wl_pointer *, std::uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    auto *d = static_cast<VQWlrOverlay::Private *>(data);
    d->pointerX = x;
    d->pointerY = y;
    d->forwardPointer();
}
void pointerButton(void *data, wl_pointer *, std::uint32_t, std::uint32_t, std::uint32_t button, std::uint32_t state)
{
    auto *d = static_cast<VQWlrOverlay::Private *>(data);
    if (state != WL_POINTER_BUTTON_STATE_PRESSED || !d->pointerSurface || d->pointerSurface->deviceSize.isEmpty())
        return; // before the capture shows, a click is swallowed
    VQOverlayInput event;
    event.kind = VQOverlayInput::Kind::ButtonPressed;
    event.output = d->pointerSurface->index;
    event.button = button;
    d->forward(event);
}
void pointerAxis(void *, wl_pointer *, std::uint32_t, std::uint32_t, wl_fixed_t) {}
void pointerFrame(void *, wl_pointer *) {}
void pointerAxisSource(void *, wl_pointer *, std::uint32_t) {}
void pointerAxisStop(void *, wl_pointer *, std::uint32_t, std::uint32_t) {}
void pointerAxisDiscrete(void *, wl_pointer *, std::uint32_t, std::int32_t) {}
// Built field by field: newer headers have events beyond the version we bind.
wl_pointer_listener makePointerListener()
{
    wl_pointer_listener listener{};
    listener.enter = pointerEnter;
    listener.leave = pointerLeave;
    listener.motion = pointerMotion;
    listener.button = pointerButton;
    listener.axis = pointerAxis;
    listener.frame = pointerFrame;
    listener.axis_source = pointerAxisSource;
    listener.axis_stop = pointerAxisStop;
    listener.axis_discrete = pointerAxisDiscrete;
    return listener;
}
const wl_pointer_listener kPointerListener = makePointerListener();

// -- the keyboard --------------------------------------------------------------------------

void keyboardKeymap(void *data, wl_keyboard *, std::uint32_t format, std::int32_t fd, std::uint32_t size)
{
    auto *d = static_cast<VQWlrOverlay::Private *>(data);
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || size == 0) {
        close(fd);
        return;
    }
    void *map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (map == MAP_FAILED)
        return;
    if (!d->xkbContext)
        d->xkbContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_keymap *keymap = d->xkbContext
                             ? xkb_keymap_new_from_buffer(d->xkbContext, static_cast<const char *>(map),
                                                          strnlen(static_cast<const char *>(map), size),
                                                          XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS)
                             : nullptr;
    munmap(map, size);
    if (!keymap)
        return;
    if (d->xkbState)
        xkb_state_unref(d->xkbState);
    if (d->xkbKeymap)
        xkb_keymap_unref(d->xkbKeymap);
    d->xkbKeymap = keymap;
    d->xkbState = xkb_state_new(keymap);
}

void keyboardFocusChecked(void *data, wl_callback *callback, std::uint32_t)
{
    auto *d = static_cast<VQWlrOverlay::Private *>(data);
    wl_callback_destroy(callback);
    d->keyboardFocusCheck = nullptr;
    if (!d->keyboardSurface)
        d->finish(QString()); // the keyboard went elsewhere: the user left the picker
}
const wl_callback_listener kKeyboardFocusCheckListener = {keyboardFocusChecked};

void keyboardEnter(void *data, wl_keyboard *, std::uint32_t, wl_surface *surface, wl_array *)
{
    auto *d = static_cast<VQWlrOverlay::Private *>(data);
    d->keyboardSurface = d->surfaceOf(surface);
}
void keyboardLeave(void *data, wl_keyboard *, std::uint32_t, wl_surface *)
{
    auto *d = static_cast<VQWlrOverlay::Private *>(data);
    d->keyboardSurface = nullptr;
    // The focus may only be moving to our surface on another output: look
    // again once the compositor has said everything it had to say.
    if (!d->keyboardFocusCheck) {
        d->keyboardFocusCheck = wl_display_sync(d->connection.display);
        wl_callback_add_listener(d->keyboardFocusCheck, &kKeyboardFocusCheckListener, d);
    }
}
void keyboardKey(void *data, wl_keyboard *, std::uint32_t, std::uint32_t, std::uint32_t key, std::uint32_t state)
{
    auto *d = static_cast<VQWlrOverlay::Private *>(data);
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED || !d->xkbState)
        return;
    VQOverlayInput event;
    event.kind = VQOverlayInput::Kind::KeyPressed;
    event.keysym = xkb_state_key_get_one_sym(d->xkbState, key + 8); // evdev codes are 8 below xkb's
    event.shift = xkb_state_mod_name_is_active(d->xkbState, XKB_MOD_NAME_SHIFT, XKB_STATE_MODS_EFFECTIVE) > 0;
    d->forward(event);
}
void keyboardModifiers(void *data, wl_keyboard *, std::uint32_t, std::uint32_t depressed, std::uint32_t latched,
                       std::uint32_t locked, std::uint32_t group)
{
    auto *d = static_cast<VQWlrOverlay::Private *>(data);
    if (d->xkbState)
        xkb_state_update_mask(d->xkbState, depressed, latched, locked, 0, 0, group);
}
void keyboardRepeatInfo(void *, wl_keyboard *, std::int32_t, std::int32_t) {}
const wl_keyboard_listener kKeyboardListener = {keyboardKeymap, keyboardEnter,     keyboardLeave,
                                                keyboardKey,    keyboardModifiers, keyboardRepeatInfo};

// The integer scale that takes `logical` to `device` exactly, or 0.
int integerScale(QSize logical, QSize device)
{
    for (int scale = 1; scale <= 8; ++scale) {
        if (logical * scale == device)
            return scale;
    }
    return 0;
}
} // namespace

bool VQWlrOverlay::Private::paint(Surface &surface)
{
    surface.dirty = true;
    if (surface.frame || !surface.configured || ended)
        return true; // at the next frame
    Buffer *free = nullptr;
    for (auto &buffer : surface.buffers) {
        if (!buffer) {
            QString error;
            buffer = makeBuffer(connection.shm, surface.deviceSize, &error);
            if (!buffer) {
                finish(error);
                return false;
            }
            buffer->surface = &surface;
        }
        if (!buffer->busy) {
            free = buffer.get();
            break;
        }
    }
    if (!free)
        return true; // both still read: the next release repaints
    {
        QPainter qp(&free->image);
        painter(qp, surface.index, capture.outputs.at(surface.index).image);
    }
    surface.dirty = false;
    free->busy = true;
    wl_surface_attach(surface.surface, free->buffer, 0, 0);
    wl_surface_damage_buffer(surface.surface, 0, 0, surface.deviceSize.width(), surface.deviceSize.height());
    surface.frame = wl_surface_frame(surface.surface);
    wl_callback_add_listener(surface.frame, &kFrameListener, &surface);
    wl_surface_commit(surface.surface);
    flush();
    return true;
}

void VQWlrOverlay::Private::flush()
{
    if (wl_display_flush(connection.display) < 0 && errno != EAGAIN)
        finish(connection.connectionError());
}

void VQWlrOverlay::Private::readEvents()
{
    if (ended)
        return;
    if (wl_display_prepare_read(connection.display) == 0) {
        if (wl_display_read_events(connection.display) < 0) {
            finish(connection.connectionError());
            return;
        }
    }
    if (wl_display_dispatch_pending(connection.display) < 0) {
        finish(connection.connectionError());
        return;
    }
    flush();
}

bool VQWlrOverlay::Private::showClear(Surface &surface, QString *error)
{
    // One transparent pixel stretched over the output where the compositor
    // can stretch, else a transparent buffer of the output's logical size.
    const bool stretched = connection.viewporter != nullptr;
    surface.clear =
        makeBuffer(connection.shm, stretched ? QSize(1, 1) : surface.logicalSize, error, WL_SHM_FORMAT_ARGB8888);
    if (!surface.clear)
        return false;
    surface.clear->surface = &surface;
    if (stretched) {
        surface.viewport = wp_viewporter_get_viewport(connection.viewporter, surface.surface);
        wp_viewport_set_destination(surface.viewport, surface.logicalSize.width(), surface.logicalSize.height());
    }
    wl_surface_attach(surface.surface, surface.clear->buffer, 0, 0);
    wl_surface_damage_buffer(surface.surface, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(surface.surface);
    return true;
}

namespace
{
// Dispatches until `done` or for `wait` at most; false, with `error` set, only
// when the connection failed.
bool dispatchBriefly(Connection &connection, const std::function<bool()> &done, std::chrono::milliseconds wait,
                     QString *error)
{
    const Clock::time_point deadline = connection.deadline;
    connection.deadline = std::min(deadline, Clock::now() + wait);
    QString timedOut;
    const bool answered = connection.dispatchUntil(done, &timedOut);
    connection.deadline = deadline;
    if (!answered && wl_display_get_error(connection.display) != 0) {
        *error = connection.connectionError();
        return false;
    }
    return true;
}
} // namespace

std::unique_ptr<VQWlrOverlay> VQWlrOverlay::open(Painter painter, InputHandler input, EndHandler end,
                                                 std::chrono::milliseconds timeout, QString *error)
{
    auto d = std::make_unique<Private>(timeout);
    d->painter = std::move(painter);
    d->input = std::move(input);
    d->end = std::move(end);
    Connection &connection = d->connection;
    if (!learnGlobals(connection, true, error))
        return nullptr;
    if (!connection.screencopy || !connection.shm) {
        *error = captureOn(connection).error; // says which is missing, capturing nothing
        return nullptr;
    }
    if (!connection.layerShell || !connection.compositor || connection.compositorVersion < 4) {
        *error = QStringLiteral("the compositor offers no overlay surfaces (zwlr_layer_shell_v1) to show the frozen "
                                "screen on");
        return nullptr;
    }
    if (!connection.seat || !(connection.seatCapabilities & WL_SEAT_CAPABILITY_POINTER)) {
        *error = QStringLiteral("the compositor's seat has no pointer to pick with");
        return nullptr;
    }
    // From here on an output that comes or goes ends the run.
    Private *p = d.get();
    connection.outputsChanged = [p] { p->finish(QStringLiteral("an output was added or removed while picking")); };
    const auto endedEarly = [&](const QString &otherwise) {
        *error = d->endedBecause.isEmpty() ? otherwise : d->endedBecause;
        return nullptr;
    };

    d->pointer = wl_seat_get_pointer(connection.seat);
    wl_pointer_add_listener(d->pointer, &kPointerListener, p);
    if (connection.seatCapabilities & WL_SEAT_CAPABILITY_KEYBOARD) {
        d->keyboard = wl_seat_get_keyboard(connection.seat);
        wl_keyboard_add_listener(d->keyboard, &kKeyboardListener, p);
    }

    // The surfaces come before the capture: shown clear, they take the pointer,
    // and over them it has no cursor. A compositor that draws the cursor into
    // the outputs' pixels then leaves it out of the capture too.
    for (auto &output : connection.outputs) {
        if (output->removed)
            continue;
        auto surface = std::make_unique<Surface>();
        surface->owner = p;
        surface->index = int(d->surfaces.size());
        surface->output = output.get();
        surface->surface = wl_compositor_create_surface(connection.compositor);
        surface->layer = zwlr_layer_shell_v1_get_layer_surface(connection.layerShell, surface->surface, output->wl,
                                                               ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, kNamespace);
        zwlr_layer_surface_v1_add_listener(surface->layer, &kLayerListener, surface.get());
        zwlr_layer_surface_v1_set_anchor(surface->layer,
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        zwlr_layer_surface_v1_set_size(surface->layer, 0, 0);
        zwlr_layer_surface_v1_set_exclusive_zone(surface->layer, -1);
        zwlr_layer_surface_v1_set_keyboard_interactivity(surface->layer,
                                                         ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
        wl_surface_commit(surface->surface);
        d->surfaces.push_back(std::move(surface));
    }
    if (d->surfaces.empty()) {
        *error = QStringLiteral("the compositor announces no outputs");
        return nullptr;
    }
    const auto allConfigured = [&] {
        return p->ended || std::all_of(p->surfaces.begin(), p->surfaces.end(),
                                       [](const auto &surface) { return surface->configured; });
    };
    if (!connection.dispatchUntil(allConfigured, error))
        return nullptr;
    if (d->ended)
        return endedEarly(QStringLiteral("the compositor took the frozen screen away before it was shown"));
    for (auto &surface : d->surfaces) {
        if (surface->logicalSize.isEmpty())
            surface->logicalSize = surface->output->logicalSize.value_or(QSize());
        if (surface->logicalSize.isEmpty()) {
            *error = QStringLiteral("the compositor gave the frozen screen on output %1 no size")
                         .arg(surface->output->label());
            return nullptr;
        }
        if (!d->showClear(*surface, error))
            return nullptr;
    }

    // The pointer enters at once where the surfaces cover every output; if it
    // does not, the capture goes on with whatever cursor the outputs show.
    const auto entered = [&] { return p->ended || p->pointerSurface; };
    if (!dispatchBriefly(connection, entered, kEnterTimeout, error))
        return nullptr;
    // No frame needs to be waited for: the compositor takes requests in order,
    // so the cursor is gone (and the clear surfaces have redrawn whatever a
    // cursor that left an output had drawn there) before the capture is asked
    // for, and screencopy copies the next frame the output draws.
    std::vector<Output *> captured;
    d->capture = captureOn(connection, &captured);
    if (!d->capture.ok()) {
        *error = d->capture.error;
        return nullptr;
    }
    if (d->ended)
        return endedEarly(QStringLiteral("the compositor took the frozen screen away before it was shown"));
    const bool sameOutputs =
        captured.size() == d->surfaces.size() &&
        std::equal(captured.begin(), captured.end(), d->surfaces.begin(),
                   [](const Output *output, const auto &surface) { return surface->output == output; });
    if (!sameOutputs ||
        std::any_of(captured.begin(), captured.end(), [](const Output *output) { return output->removed; })) {
        *error = QStringLiteral("an output was removed while it was captured");
        return nullptr;
    }

    for (auto &surface : d->surfaces) {
        surface->deviceSize = d->capture.outputs[surface->index].image.size();
        const QSize logical = surface->logicalSize;
        if (const int scale = integerScale(logical, surface->deviceSize)) {
            if (surface->viewport)
                wp_viewport_set_destination(surface->viewport, -1, -1);
            wl_surface_set_buffer_scale(surface->surface, scale);
        } else if (!surface->viewport) {
            *error = QStringLiteral("output %1 has %2 × %3 device pixels for %4 × %5 logical ones, which needs "
                                    "wp_viewporter, and the compositor offers none")
                         .arg(surface->output->label())
                         .arg(surface->deviceSize.width())
                         .arg(surface->deviceSize.height())
                         .arg(logical.width())
                         .arg(logical.height());
            return nullptr;
        } // else the viewport already takes the buffer to the logical size
        if (!d->paint(*surface))
            return endedEarly(QStringLiteral("the frozen screen could not be painted"));
    }
    d->flush();
    if (d->ended)
        return endedEarly(QStringLiteral("the frozen screen could not be shown"));
    // The pointer's place, in the device pixels the capture now gives.
    d->forwardPointer();

    std::unique_ptr<VQWlrOverlay> overlay(new VQWlrOverlay(std::move(d)));
    Private *ready = overlay->d.get();
    ready->shown = true;
    ready->notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(connection.display), QSocketNotifier::Read);
    QObject::connect(ready->notifier.get(), &QSocketNotifier::activated, overlay.get(),
                     [ready] { ready->readEvents(); });
    // What arrived while we waited above is queued but no longer on the socket.
    QTimer::singleShot(0, overlay.get(), [ready] { ready->readEvents(); });
    return overlay;
}

VQWlrOverlay::VQWlrOverlay(std::unique_ptr<Private> d) : d(std::move(d)) {}

VQWlrOverlay::~VQWlrOverlay() = default;

const VQWlrCapture &VQWlrOverlay::capture() const
{
    return d->capture;
}

void VQWlrOverlay::update(int output)
{
    if (output < 0 || output >= int(d->surfaces.size()))
        return;
    d->paint(*d->surfaces[std::size_t(output)]);
}
