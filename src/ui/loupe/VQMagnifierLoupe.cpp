#include "ui/loupe/VQMagnifierLoupe.h"

#include "platform/VQPickFailure.h"
#include "platform/x11/VQX11Input.h"
#include "ui/loupe/VQLoupeGeometry.h"
#include "ui/loupe/VQLoupeKeys.h"
#include "ui/loupe/VQLoupeSample.h"
#include "ui/loupe/VQMagnifierLoupeWindow.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QWindow>

VQMagnifierLoupe::VQMagnifierLoupe(VQX11Input &platform) : _platform(platform)
{
    _retry.setInterval(kGrabRetryInterval);
    connect(&_retry, &QTimer::timeout, this, &VQMagnifierLoupe::attemptGrab);
}

VQMagnifierLoupe::~VQMagnifierLoupe()
{
    if (isRunning())
        cleanUp();
}

QString VQMagnifierLoupe::description() const
{
    return _platform.describe().picking;
}

void VQMagnifierLoupe::start()
{
    if (const QString problem = _platform.screenPickingProblem(); !problem.isEmpty()) {
        finish(VQFailedPick(problem));
        return;
    }
    _attempts = 0;
    _grabbed = false;
    _ending = false;
    _sampleSize = VQLoupeSample::forPick(askedSampleSize());
    // An open Qt popup of ours (a menu, a Qt::Popup window) holds the pointer and
    // the keyboard, and no other grab can succeed while it does. It lends them to
    // the loupe; Qt closes a popup that gives up its grab, so windows meant to
    // stay open during a loupe are better not popups.
    _popup = QApplication::activePopupWidget();
    lendPopupGrab(true);
    // Another program (or the key press that started us) may hold the input for
    // a moment: try again on a timer, the event loop running in between.
    attemptGrab();
    if (isRunning() && !_grabbed)
        _retry.start();
}

void VQMagnifierLoupe::lendPopupGrab(bool lend)
{
    if (QWindow *window = _popup && _popup->isVisible() ? _popup->windowHandle() : nullptr) {
        window->setKeyboardGrabEnabled(!lend);
        window->setMouseGrabEnabled(!lend);
    }
}

void VQMagnifierLoupe::attemptGrab()
{
    ++_attempts;
    _grabbed = _platform.grabInput([this](const VQInputEvent &event) { handleInput(event); });
    if (_grabbed) {
        _retry.stop();
        begin();
    } else if (_attempts == 1) {
        VQLog(QStringLiteral("Another program holds the pointer or the keyboard; the loupe waits for it."));
    }
    if (!_grabbed && _attempts >= kGrabAttempts)
        end(VQFailedPick(QStringLiteral("another program holds the pointer or the keyboard")));
}

// The input is ours: show the loupe where the pointer is.
void VQMagnifierLoupe::begin()
{
    if (const auto state = _platform.pointerState())
        _pointer = state->position;
    if (!VQUserDefaults::standard().boolForKey(QStringLiteral("RZNoLoupePreview"))) {
        _window = std::make_unique<VQMagnifierLoupeWindow>(
            [this](const QRect &rect) { return _platform.captureScreen(rect); });
        _window->setSampleSize(_sampleSize);
        _window->followPointer(_pointer);
        _window->show();
    }
}

void VQMagnifierLoupe::handleInput(const VQInputEvent &event)
{
    if (!isRunning() || _ending)
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
        const VQLoupeCommand command = VQLoupeCommandForKey(event.keysym, event.flags & 0x20000);
        switch (command.kind) {
        case VQLoupeCommand::Kind::Cancel:
            endSoon(VQPickOutcome::cancelled());
            break;
        case VQLoupeCommand::Kind::Pick:
            finishWithPixelAt(_pointer);
            break;
        case VQLoupeCommand::Kind::Move:
            nudge(command.delta);
            break;
        case VQLoupeCommand::Kind::SampleSize:
            nextSampleSize();
            break;
        case VQLoupeCommand::Kind::None:
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

void VQMagnifierLoupe::nextSampleSize()
{
    _sampleSize = VQLoupeSample::chooseNext(_sampleSize);
    if (_window)
        _window->setSampleSize(_sampleSize);
}

// The pixels are read afresh at the moment of the click, so that what is taken
// is what was under the pointer, even when the last repaint was a movement behind.
void VQMagnifierLoupe::finishWithPixelAt(QPoint devicePoint)
{
    // Off every screen (which the pointer hardly is) the whole square counts.
    const QRect screen = VQScreenDevicePixelsAt(devicePoint);
    const QRect square =
        VQSampleSquare(devicePoint, _sampleSize, screen.isNull() ? VQLoupeGeometry::sampleRect(devicePoint) : screen);
    const QImage pixels = square.isEmpty() ? QImage() : _platform.captureScreen(square);
    const QColor mean = VQMeanOfSquare(pixels, devicePoint - square.topLeft(), _sampleSize).color;
    if (!mean.isValid())
        endSoon(VQFailedPick(QStringLiteral("the pixel under the pointer could not be read")));
    else
        endSoon(VQPickOutcome::picked(mean));
}

// From the grab's own handler, which the release replaces: the run ends once it has returned.
void VQMagnifierLoupe::endSoon(const VQPickOutcome &outcome)
{
    _ending = true;
    if (_window)
        _window->hide();
    QMetaObject::invokeMethod(
        this, [this, outcome] { end(outcome); }, Qt::QueuedConnection);
}

void VQMagnifierLoupe::stop()
{
    end(VQPickOutcome::cancelled());
}

void VQMagnifierLoupe::cleanUp()
{
    _retry.stop();
    if (_grabbed)
        _platform.releaseInput();
    _grabbed = false;
    if (_window) {
        _window->hide();
        _window.reset();
    }
    lendPopupGrab(false);
    _popup.clear();
}

void VQMagnifierLoupe::end(const VQPickOutcome &outcome)
{
    if (!isRunning())
        return;
    cleanUp();
    finish(outcome);
}
