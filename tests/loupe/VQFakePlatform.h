#pragma once
// A desktop made of one image: captures read it, the pointer moves over it, and
// the test plays the user by sending input through the grab or the tracker.

#include "platform/x11/VQX11Input.h"

#include <QMetaObject>
#include <QCoreApplication>

class VQFakePlatform : public VQX11Input
{
  public:
    explicit VQFakePlatform(QImage desktop) : desktop(std::move(desktop)) {}

    WindowID activeWindow() const override { return 0; }
    bool activateWindow(WindowID) override { return false; }
    QString screenPickingProblem() const override { return pickingProblem; }
    Description describe() const override { return {QStringLiteral("fake"), {}, {}, {}}; }

    void registerHotKey(const VQKeyCombo &, std::function<void()>, std::function<void(HotKeyStatus)> answer) override
    {
        ++registrations;
        if (answerLater)
            heldAnswers.push_back(std::move(answer));
        else
            answer(hotKeyStatus);
    }
    void unregisterHotKey() override {}

    std::optional<VQInputEvent> pointerState() const override
    {
        VQInputEvent state;
        state.position = pointer;
        return state;
    }
    bool movePointerBy(int dx, int dy) override
    {
        pointer += QPoint(dx, dy);
        VQInputEvent moved;
        moved.position = pointer;
        send(moved);
        return true;
    }
    QImage captureScreen(const QRect &rect) const override
    {
        if (captureFails)
            return {};
        QImage image(rect.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        for (int y = 0; y < rect.height(); ++y)
            for (int x = 0; x < rect.width(); ++x)
                if (desktop.rect().contains(rect.x() + x, rect.y() + y))
                    image.setPixel(x, y, desktop.pixel(rect.x() + x, rect.y() + y));
        return image;
    }

    bool startPointerEvents(InputHandler handler) override
    {
        tracking = std::move(handler);
        return true;
    }
    void stopPointerEvents() override { tracking = nullptr; }

    bool grabInput(InputHandler handler) override
    {
        ++grabAttempts;
        if (refuseGrab || refusedGrabs-- > 0)
            return false;
        grab = std::move(handler);
        if (afterGrab)
            QMetaObject::invokeMethod(qApp, afterGrab, Qt::QueuedConnection);
        return true;
    }
    void releaseInput() override
    {
        grab = nullptr;
        ++grabGeneration;
    }

    // Queues `event` to whoever holds the grab, as the real platform does.
    void send(const VQInputEvent &event)
    {
        QMetaObject::invokeMethod(
            qApp,
            [this, event, generation = grabGeneration] {
                if (grab && generation == grabGeneration)
                    grab(event);
            },
            Qt::QueuedConnection);
    }
    void sendKey(std::uint32_t keysym, std::uint32_t withFlags = 0)
    {
        VQInputEvent key;
        key.kind = VQInputEvent::Kind::KeyPressed;
        key.keysym = keysym;
        key.flags = withFlags;
        send(key);
    }
    void sendClick(QPoint at)
    {
        VQInputEvent click;
        click.kind = VQInputEvent::Kind::Clicked;
        click.button = 1;
        click.position = at;
        send(click);
    }

    QImage desktop;
    QPoint pointer;
    bool captureFails = false;
    bool refuseGrab = false;
    QString pickingProblem; // what screenPickingProblem() answers
    int refusedGrabs = 0;   // attempts refused before one succeeds
    int grabAttempts = 0;
    std::function<void()> afterGrab; // queued once the grab is taken
    InputHandler grab;
    int grabGeneration = 0;
    InputHandler tracking;
    HotKeyStatus hotKeyStatus = HotKeyStatus::Registered;
    int registrations = 0;
    bool answerLater = false; // hot-key answers wait in heldAnswers for the test
    std::vector<std::function<void(HotKeyStatus)>> heldAnswers;
};

// 1-pixel columns, red on even and blue on odd x, with a green square at (300, 100, 100, 100).
inline QImage VQStripedDesktop(QSize size = QSize(640, 400))
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y,
                           QRect(300, 100, 100, 100).contains(x, y) ? qRgb(0x20, 0xc0, 0x40)
                           : x % 2 == 0                             ? qRgb(255, 0, 0)
                                                                    : qRgb(0, 0, 255));
    return image;
}
