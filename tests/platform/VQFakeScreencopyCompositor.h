#pragma once
// A tiny Wayland compositor for the screencopy tests: outputs and the
// screencopy global, each output answering captures as its row says (filling
// the buffer, refusing, vanishing, never answering…). It runs on a thread of
// its own, on a socket at a full path that WAYLAND_DISPLAY names while it lives.

#include <QRgb>
#include <QTemporaryDir>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

struct VQFakeOutput {
    enum class Answer {
        Fill,          // buffer, buffer_done; the copy is filled, flags, ready
        FillYInverted, // the same, rows stored bottom first, flagged y_invert
        Refuse,        // the copy request gets failed
        Vanish,        // the copy request removes the output's global, then failed
        Silent,        // no event at all
        DmabufOnly,    // linux_dmabuf and buffer_done, no wl_shm buffer
        ProtocolError, // the copy request is a protocol error: the connection ends
    };
    std::string name;
    int x = 0, y = 0;          // wl_output.geometry position
    int width = 4, height = 2; // device pixels
    int scale = 1;
    std::int32_t transform = 0;   // wl_output.transform
    std::uint32_t format = 1;     // wl_shm format; 1 is XRGB8888
    Answer answer = Answer::Fill; // what a capture of this output gets
};

class VQFakeScreencopyCompositor
{
  public:
    explicit VQFakeScreencopyCompositor(std::vector<VQFakeOutput> outputs, bool offerScreencopy = true);
    ~VQFakeScreencopyCompositor();
    bool isRunning() const { return _running; }

    // The color the compositor shows at device pixel (x, y) of every output.
    static QRgb colorAt(int x, int y);

    struct Server; // the libwayland-server side, in the .cpp

  private:
    QTemporaryDir _dir;
    std::unique_ptr<Server> _server;
    std::thread _thread;
    std::atomic<bool> _stop{false};
    bool _running = false;
    QByteArray _previousDisplay;
};
