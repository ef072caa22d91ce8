#include "ui/loupe/VQMagnifierLoupe.h"
#include "ui/loupe/VQLoupeTurn.h"

#include "platform/VQPickFailure.h"
#include "platform/VQScreenPicker.h"

#include "platform/x11/VQX11Input.h"
#include "ui/loupe/VQMagnifierLoupeWindow.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <xkbcommon/xkbcommon-keysyms.h>

namespace
{
bool gRunning = false;
} // namespace

std::optional<QColor> VQMagnifierLoupe::selectColor(VQX11Input &platform, QString *failure)
{
    VQMagnifierLoupe loupe(platform);
    return loupe.selectColorOnce(failure);
}

bool VQMagnifierLoupe::isRunning()
{
    return gRunning;
}

VQMagnifierLoupe::VQMagnifierLoupe(VQX11Input &platform) : _platform(platform) {}

VQMagnifierLoupe::~VQMagnifierLoupe() = default;

std::optional<QColor> VQMagnifierLoupe::selectColorOnce(QString *failure)
{
    const auto fail = [failure](const QString &reason) { return VQFailPick(failure, reason); };
    if (gRunning)
        return fail(VQLoupeTurn::busyReason());
    if (const QString problem = _platform.screenPickingProblem(); !problem.isEmpty())
        return fail(problem);
    const VQLoupeTurn turn(gRunning);
    _failure.clear();
    _colorSelectedOrCancelled = false;
    _selectedColor.reset();
    // An open Qt popup of ours (a menu, a Qt::Popup window) holds the pointer and
    // the keyboard, and no other grab can succeed while it does. It lends them to
    // the loupe; Qt closes a popup that gives up its grab, so windows meant to
    // stay open during a loupe are better not popups.
    const QPointer<QWidget> popup = QApplication::activePopupWidget();
    const auto lendPopupGrab = [&popup](bool lend) {
        if (QWindow *window = popup && popup->isVisible() ? popup->windowHandle() : nullptr) {
            window->setKeyboardGrabEnabled(!lend);
            window->setMouseGrabEnabled(!lend);
        }
    };
    lendPopupGrab(true);

    QEventLoop loop;
    _loop = &loop;
    // Another program (or the key press that started us) may hold the input for
    // a moment: try again on a timer, the event loop running in between.
    QTimer retry;
    retry.setInterval(kGrabRetryInterval);
    int attempts = 0;
    bool grabbed = false;
    const auto attempt = [&] {
        ++attempts;
        grabbed = _platform.grabInput([this](const VQInputEvent &event) { handleInput(event); });
        if (grabbed) {
            retry.stop();
            begin();
        } else if (attempts == 1) {
            VQLog(QStringLiteral("Another program holds the pointer or the keyboard; the loupe waits for it."));
        } else if (attempts >= kGrabAttempts) {
            retry.stop();
            loop.quit();
        }
    };
    QObject::connect(&retry, &QTimer::timeout, &loop, attempt);
    attempt();
    if (!grabbed && attempts < kGrabAttempts)
        retry.start();
    // Also ends when the application quits: that exits every running loop.
    const VQPickCancelling cancelling([this] { cancel(); });
    if (!_colorSelectedOrCancelled && (grabbed || retry.isActive()))
        loop.exec();
    retry.stop();
    _loop = nullptr;
    if (!grabbed) {
        lendPopupGrab(false);
        return fail(QStringLiteral("another program holds the pointer or the keyboard"));
    }
    if (!_colorSelectedOrCancelled)
        cancel();

    _platform.releaseInput();
    if (_window) {
        _window->hide();
        _window.reset();
    }
    lendPopupGrab(false);
    if (!_failure.isEmpty())
        return fail(_failure);
    return _selectedColor;
}

// The input is ours: show the loupe where the pointer is.
void VQMagnifierLoupe::begin()
{
    if (const auto state = _platform.pointerState())
        _pointer = state->position;
    if (!VQUserDefaults::standard().boolForKey(QStringLiteral("RZNoLoupePreview"))) {
        _window = std::make_unique<VQMagnifierLoupeWindow>(
            [this](const QRect &rect) { return _platform.captureScreen(rect); });
        _window->followPointer(_pointer);
        _window->show();
    }
}

void VQMagnifierLoupe::handleInput(const VQInputEvent &event)
{
    if (_colorSelectedOrCancelled)
        return;
    switch (event.kind) {
    case VQInputEvent::Kind::Moved:
        _pointer = event.position;
        if (_window) {
            _window->followPointer(_pointer);
            if (!_window->isVisible())
                _window->show();
        }
        break;
    case VQInputEvent::Kind::Clicked:
        finishWithPixelAt(event.position);
        break;
    case VQInputEvent::Kind::KeyPressed: {
        const int step = (event.flags & 0x20000) ? 10 : 1;
        switch (event.keysym) {
        case XKB_KEY_Escape:
            cancel();
            break;
        case XKB_KEY_Return:
        case XKB_KEY_KP_Enter:
            finishWithPixelAt(_pointer);
            break;
        case XKB_KEY_Left:
            nudge(QPoint(-step, 0));
            break;
        case XKB_KEY_Right:
            nudge(QPoint(step, 0));
            break;
        case XKB_KEY_Up:
            nudge(QPoint(0, -step));
            break;
        case XKB_KEY_Down:
            nudge(QPoint(0, step));
            break;
        default:
            break;
        }
        break;
    }
    }
}

// The pointer's own movement is reported later; a Return right after an arrow
// key must already see the new position.
void VQMagnifierLoupe::nudge(QPoint delta)
{
    if (!_platform.movePointerBy(delta.x(), delta.y()))
        return;
    _pointer += delta;
    if (_window)
        _window->followPointer(_pointer);
}

// The pixel is read afresh at the moment of the click, so that what is taken is
// what was under the pointer, even when the last repaint was a movement behind.
void VQMagnifierLoupe::finishWithPixelAt(QPoint devicePoint)
{
    const QImage pixel = _platform.captureScreen(QRect(devicePoint, QSize(1, 1)));
    if (pixel.isNull()) {
        _failure = QStringLiteral("the pixel under the pointer could not be read");
        _selectedColor.reset();
    } else {
        _selectedColor = QColor(pixel.pixel(0, 0));
    }
    end();
}

void VQMagnifierLoupe::cancel()
{
    _selectedColor.reset();
    end();
}

void VQMagnifierLoupe::end()
{
    _colorSelectedOrCancelled = true;
    if (_window)
        _window->hide();
    if (_loop)
        _loop->quit();
}
