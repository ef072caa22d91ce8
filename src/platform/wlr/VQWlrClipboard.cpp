#include "platform/wlr/VQWlrClipboard.h"

#include "core/VQPasteboard.h"
#include "vqcore/VQLog.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <wayland-client.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace
{
constexpr std::uint32_t kManagerVersion = 1; // the selection only; 2 adds the primary selection
constexpr std::uint32_t kSeatVersion = 5;    // 5: release
// How long one request for the text may hold up the event loop: a reader that
// does not take it within this gets nothing.
constexpr int kSendBudgetMs = 200;
// Time for Qt to send its own request for the selection (it does when its
// event loop next waits) before we ask the compositor whether it was taken.
constexpr int kQtRequestDelayMs = 50;
// The types the text is offered in: MIME for Wayland programs, the X11 names
// for X programs that read the clipboard through Xwayland.
constexpr const char *kTextTypes[] = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "TEXT", "STRING"};

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A reader that closes its end early must not end the process with SIGPIPE:
// the write then fails with EPIPE instead. Left alone when someone set a handler.
void ignoreBrokenPipes()
{
    static const bool once = [] {
        struct sigaction current = {};
        if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            std::signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)once;
}
} // namespace

std::unique_ptr<VQWlrClipboard> VQWlrClipboard::connectToDisplay(QString *why)
{
    std::unique_ptr<VQWlrClipboard> clipboard(new VQWlrClipboard);
    clipboard->_display = wl_display_connect(nullptr);
    if (!clipboard->_display) {
        *why = QStringLiteral("no Wayland display: %1").arg(systemError(errno));
        return nullptr;
    }
    static const wl_registry_listener registryListener = {&VQWlrClipboard::registryGlobal,
                                                          &VQWlrClipboard::registryGlobalRemove};
    clipboard->_registry = wl_display_get_registry(clipboard->_display);
    wl_registry_add_listener(clipboard->_registry, &registryListener, clipboard.get());
    // One round trip, at start: the compositor answers at once.
    if (wl_display_roundtrip(clipboard->_display) < 0) {
        *why = QStringLiteral("the Wayland connection failed: %1")
                   .arg(systemError(wl_display_get_error(clipboard->_display)));
        return nullptr;
    }
    if (!clipboard->_manager) {
        *why = QStringLiteral("the compositor does not offer zwlr_data_control_manager_v1");
        return nullptr;
    }
    if (!clipboard->_seat) {
        *why = QStringLiteral("the compositor announces no seat");
        return nullptr;
    }
    static const zwlr_data_control_device_v1_listener deviceListener = {
        &VQWlrClipboard::deviceDataOffer, &VQWlrClipboard::deviceSelection, &VQWlrClipboard::deviceFinished,
        &VQWlrClipboard::devicePrimarySelection};
    clipboard->_device = zwlr_data_control_manager_v1_get_data_device(clipboard->_manager, clipboard->_seat);
    zwlr_data_control_device_v1_add_listener(clipboard->_device, &deviceListener, clipboard.get());
    if (!clipboard->flush()) {
        *why = QStringLiteral("the Wayland connection failed: %1")
                   .arg(systemError(wl_display_get_error(clipboard->_display)));
        return nullptr;
    }
    clipboard->_notifier =
        new QSocketNotifier(wl_display_get_fd(clipboard->_display), QSocketNotifier::Read, clipboard.get());
    QObject::connect(clipboard->_notifier, &QSocketNotifier::activated, clipboard.get(),
                     [raw = clipboard.get()] { raw->readEvents(); });
    return clipboard;
}

VQWlrClipboard::~VQWlrClipboard()
{
    delete _notifier;
    releaseObjects();
    if (_display) {
        wl_display_flush(_display);
        wl_display_disconnect(_display);
    }
}

void VQWlrClipboard::releaseObjects()
{
    dropSource();
    if (_sync)
        wl_callback_destroy(_sync);
    _sync = nullptr;
    if (_selectionOffer)
        zwlr_data_control_offer_v1_destroy(_selectionOffer);
    if (_primaryOffer)
        zwlr_data_control_offer_v1_destroy(_primaryOffer);
    _selectionOffer = _primaryOffer = nullptr;
    if (_device)
        zwlr_data_control_device_v1_destroy(_device);
    _device = nullptr;
    if (_manager)
        zwlr_data_control_manager_v1_destroy(_manager);
    _manager = nullptr;
    if (_seat) {
        if (_seatVersion >= WL_SEAT_RELEASE_SINCE_VERSION)
            wl_seat_release(_seat);
        else
            wl_seat_destroy(_seat);
    }
    _seat = nullptr;
    if (_registry)
        wl_registry_destroy(_registry);
    _registry = nullptr;
}

bool VQWlrClipboard::setText(const QString &text)
{
    if (!_device)
        return false;
    dropSource();
    static const zwlr_data_control_source_v1_listener sourceListener = {&VQWlrClipboard::sourceSend,
                                                                        &VQWlrClipboard::sourceCancelled};
    _text = text.toUtf8();
    _source = zwlr_data_control_manager_v1_create_data_source(_manager);
    zwlr_data_control_source_v1_add_listener(_source, &sourceListener, this);
    for (const char *type : kTextTypes)
        zwlr_data_control_source_v1_offer(_source, type);
    zwlr_data_control_device_v1_set_selection(_device, _source);
    return flush();
}

void VQWlrClipboard::setTextUnlessTaken(const QString &text)
{
    if (!_device)
        return;
    // What the compositor announced before this copy is not an answer to it.
    drain();
    const std::uint64_t copy = ++_copies;
    _selectionsAtCopy = _selections;
    _pending = text;
    QTimer::singleShot(kQtRequestDelayMs, this, [this, copy] {
        if (copy != _copies || !_device)
            return;
        static const wl_callback_listener syncListener = {&VQWlrClipboard::syncDone};
        if (_sync)
            wl_callback_destroy(_sync);
        _sync = wl_display_sync(_display);
        wl_callback_add_listener(_sync, &syncListener, this);
        flush();
    });
}

void VQWlrClipboard::syncDone(void *data, wl_callback *callback, std::uint32_t)
{
    auto *self = static_cast<VQWlrClipboard *>(data);
    wl_callback_destroy(callback);
    if (callback != self->_sync)
        return;
    self->_sync = nullptr;
    // The compositor has handled everything sent before the sync, Qt's request
    // too: a new selection since the copy means it took Qt's.
    if (self->_selections == self->_selectionsAtCopy)
        self->setText(self->_pending);
}

void VQWlrClipboard::drain()
{
    if (!_display || !_device)
        return;
    while (wl_display_prepare_read(_display) != 0) {
        if (wl_display_dispatch_pending(_display) < 0)
            return;
    }
    pollfd readable = {wl_display_get_fd(_display), POLLIN, 0};
    if (poll(&readable, 1, 0) > 0)
        wl_display_read_events(_display);
    else
        wl_display_cancel_read(_display);
    wl_display_dispatch_pending(_display);
}

bool VQWlrClipboard::flush()
{
    // Our requests are a few hundred bytes: the socket takes them at once, and
    // what it does not take now goes with the next read.
    if (wl_display_flush(_display) < 0 && errno != EAGAIN) {
        lose(QStringLiteral("cannot write to the compositor: %1").arg(systemError(errno)));
        return false;
    }
    return true;
}

void VQWlrClipboard::readEvents()
{
    if (!_display)
        return;
    while (wl_display_prepare_read(_display) != 0) {
        if (wl_display_dispatch_pending(_display) < 0)
            return lose(QStringLiteral("the connection failed: %1").arg(systemError(wl_display_get_error(_display))));
    }
    // The notifier saw data: this read does not wait.
    if (wl_display_read_events(_display) < 0 || wl_display_dispatch_pending(_display) < 0)
        return lose(QStringLiteral("the connection failed: %1").arg(systemError(wl_display_get_error(_display))));
    flush();
}

void VQWlrClipboard::lose(const QString &why)
{
    if (!_notifier || !_notifier->isEnabled())
        return;
    _notifier->setEnabled(false);
    VQLog(QStringLiteral("Wayland clipboard (data-control): %1; copies go through Qt's clipboard only from now on.")
              .arg(why));
    // The proxies go; nothing more is sent on the broken connection.
    releaseObjects();
}

void VQWlrClipboard::dropSource()
{
    if (_source) {
        zwlr_data_control_source_v1_destroy(_source);
        _source = nullptr;
    }
}

bool VQWlrClipboard::writeAndClose(int fd, const QByteArray &data, int budgetMs)
{
    ignoreBrokenPipes();
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0)
        fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    qsizetype written = 0;
    int waited = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + written, std::size_t(data.size() - written));
        if (n > 0) {
            written += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            break; // the reader went away (EPIPE) or the fd is unusable
        // The pipe is full: wait a little for the reader, within the budget.
        if (waited >= budgetMs)
            break;
        pollfd writable = {fd, POLLOUT, 0};
        const int step = std::min(20, budgetMs - waited);
        if (poll(&writable, 1, step) < 0 && errno != EINTR)
            break;
        waited += step;
    }
    ::close(fd);
    return written == data.size();
}

void VQWlrClipboard::registryGlobal(void *data, wl_registry *registry, std::uint32_t name, const char *interface,
                                    std::uint32_t version)
{
    auto *self = static_cast<VQWlrClipboard *>(data);
    if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0 && !self->_manager) {
        self->_manager = static_cast<zwlr_data_control_manager_v1 *>(wl_registry_bind(
            registry, name, &zwlr_data_control_manager_v1_interface, std::min(version, kManagerVersion)));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !self->_seat) {
        self->_seatVersion = std::min(version, kSeatVersion);
        self->_seat = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, self->_seatVersion));
    }
}

void VQWlrClipboard::registryGlobalRemove(void *, wl_registry *, std::uint32_t)
{
    // A seat going away ends its device with `finished`.
}

void VQWlrClipboard::deviceDataOffer(void *, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *)
{
    // Named by the selection event that follows; we never read other programs' data.
}

void VQWlrClipboard::deviceSelection(void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer)
{
    auto *self = static_cast<VQWlrClipboard *>(data);
    ++self->_selections;
    if (self->_selectionOffer && self->_selectionOffer != offer)
        zwlr_data_control_offer_v1_destroy(self->_selectionOffer);
    self->_selectionOffer = offer;
}

void VQWlrClipboard::devicePrimarySelection(void *data, zwlr_data_control_device_v1 *,
                                            zwlr_data_control_offer_v1 *offer)
{
    auto *self = static_cast<VQWlrClipboard *>(data);
    if (self->_primaryOffer && self->_primaryOffer != offer)
        zwlr_data_control_offer_v1_destroy(self->_primaryOffer);
    self->_primaryOffer = offer;
}

void VQWlrClipboard::deviceFinished(void *data, zwlr_data_control_device_v1 *device)
{
    auto *self = static_cast<VQWlrClipboard *>(data);
    VQLog(QStringLiteral("Wayland clipboard (data-control): the seat went away; copies go through Qt's clipboard only "
                         "from now on."));
    self->dropSource();
    zwlr_data_control_device_v1_destroy(device);
    self->_device = nullptr;
}

void VQWlrClipboard::sourceSend(void *data, zwlr_data_control_source_v1 *source, const char *, std::int32_t fd)
{
    auto *self = static_cast<VQWlrClipboard *>(data);
    // Every type we offer is the same UTF-8 text.
    const QByteArray text = source == self->_source ? self->_text : QByteArray();
    if (!writeAndClose(fd, text, kSendBudgetMs))
        VQLog(QStringLiteral("Wayland clipboard (data-control): a reader did not take the copied text."));
}

void VQWlrClipboard::sourceCancelled(void *data, zwlr_data_control_source_v1 *source)
{
    auto *self = static_cast<VQWlrClipboard *>(data);
    if (source == self->_source)
        self->_source = nullptr;
    zwlr_data_control_source_v1_destroy(source);
}

namespace
{
// Every copy goes to Qt's clipboard as before. Qt's request carries its last
// input serial: right after a key press or click in our window the compositor
// takes it, and Qt then answers reads from our own windows itself. Otherwise
// the compositor refuses it, and the copy goes through data-control instead.
// Both at once cannot be: data-control's selection carries a newer serial, so
// the compositor would refuse Qt's after it, and Qt reading our own
// data-control selection would wait on this very thread to write it.
class DataControlPasteboard final : public VQPasteboard
{
  public:
    DataControlPasteboard(std::unique_ptr<VQWlrClipboard> clipboard, std::unique_ptr<VQPasteboard> qt)
        : _clipboard(std::move(clipboard)), _qt(std::move(qt))
    {
    }

    void setString(const QString &text) override
    {
        _qt->setString(text);
        _clipboard->setTextUnlessTaken(text);
    }

    QString string() const override
    {
        // Our own selection is read here, not through the compositor: the
        // compositor would ask this very thread to write it while Qt waits.
        return _clipboard->ownsSelection() ? _clipboard->text() : _qt->string();
    }

  private:
    std::unique_ptr<VQWlrClipboard> _clipboard;
    std::unique_ptr<VQPasteboard> _qt;
};
} // namespace

QString VQWlrClipboard::installPasteboard(const QString &platformName)
{
    if (!platformName.startsWith(QLatin1String("wayland")))
        return QStringLiteral("clipboard: Qt's (%1)").arg(platformName);
    QString why;
    std::unique_ptr<VQWlrClipboard> clipboard = connectToDisplay(&why);
    if (!clipboard)
        return QStringLiteral("clipboard: Qt's, which takes a copy only right after input in our windows (%1)")
            .arg(why);
    VQPasteboard::install(std::make_unique<DataControlPasteboard>(std::move(clipboard), VQPasteboard::makeSystem()));
    // The connection and its notifier go while Qt's event loop is still there.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [] { VQPasteboard::install(nullptr); });
    return QStringLiteral("clipboard: Qt's, and wlroots data-control where the compositor refuses Qt's copy");
}
