#pragma once
// The clipboard through the wlroots data-control protocol, on a Wayland
// connection of our own: it sets the selection without the input serial that
// Qt's clipboard needs, so a copy that follows no key press or click in one of
// our windows (a command from another process, a pick on the frozen screen)
// still reaches the clipboard. Offered by wlroots compositors and KWin, not by
// GNOME.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_callback;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;
struct zwlr_data_control_offer_v1;
class QSocketNotifier;

class VQWlrClipboard final : public QObject
{
  public:
    // Connects and binds the protocol for the first seat; null, with `why`
    // set, when there is no Wayland display or the compositor lacks the
    // protocol or a seat.
    static std::unique_ptr<VQWlrClipboard> connectToDisplay(QString *why);
    // On Qt's Wayland platform (`platformName`) with the protocol, makes the
    // general pasteboard copy through it as well as through Qt's clipboard.
    // Returns a line for the log saying which clipboard copies go to.
    static QString installPasteboard(const QString &platformName);
    ~VQWlrClipboard() override;

    // Makes `text` the clipboard selection, offered as plain UTF-8 text. False
    // when the connection is gone.
    bool setText(const QString &text);
    // Makes `text` the selection unless another source (Qt's clipboard, asked
    // just before) becomes the selection first: a sync with the compositor,
    // on the event loop, tells.
    void setTextUnlessTaken(const QString &text);
    // Whether the selection is still ours (no other source replaced it).
    bool ownsSelection() const { return _source != nullptr; }
    // The text of our selection; empty when it is not ours.
    QString text() const { return ownsSelection() ? QString::fromUtf8(_text) : QString(); }

    // Writes `data` to `fd` (made non-blocking) and closes it. Waits for the
    // reader at most `budgetMs` in all; false when the data did not all go.
    static bool writeAndClose(int fd, const QByteArray &data, int budgetMs);

  private:
    VQWlrClipboard() = default;
    void readEvents();
    bool flush();
    void lose(const QString &why);
    void dropSource();
    void releaseObjects();
    void drain();
    static void syncDone(void *data, wl_callback *callback, std::uint32_t);

    static void registryGlobal(void *data, wl_registry *registry, std::uint32_t name, const char *interface,
                               std::uint32_t version);
    static void registryGlobalRemove(void *data, wl_registry *registry, std::uint32_t name);
    static void deviceDataOffer(void *data, zwlr_data_control_device_v1 *device, zwlr_data_control_offer_v1 *offer);
    static void deviceSelection(void *data, zwlr_data_control_device_v1 *device, zwlr_data_control_offer_v1 *offer);
    static void deviceFinished(void *data, zwlr_data_control_device_v1 *device);
    static void devicePrimarySelection(void *data, zwlr_data_control_device_v1 *device,
                                       zwlr_data_control_offer_v1 *offer);
    static void sourceSend(void *data, zwlr_data_control_source_v1 *source, const char *mimeType, std::int32_t fd);
    static void sourceCancelled(void *data, zwlr_data_control_source_v1 *source);

    wl_display *_display = nullptr;
    wl_registry *_registry = nullptr;
    wl_seat *_seat = nullptr;
    std::uint32_t _seatVersion = 0;
    zwlr_data_control_manager_v1 *_manager = nullptr;
    zwlr_data_control_device_v1 *_device = nullptr;
    zwlr_data_control_source_v1 *_source = nullptr;
    // The compositor's announcements of selections; destroyed when replaced.
    zwlr_data_control_offer_v1 *_selectionOffer = nullptr;
    zwlr_data_control_offer_v1 *_primaryOffer = nullptr;
    QSocketNotifier *_notifier = nullptr;
    QByteArray _text;
    // The latest copy waiting for the compositor's answer on whether Qt's took.
    QString _pending;
    std::uint64_t _copies = 0;
    std::uint64_t _selections = 0; // selection events seen
    std::uint64_t _selectionsAtCopy = 0;
    wl_callback *_sync = nullptr;
};
