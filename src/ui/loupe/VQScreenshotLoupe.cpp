#include "ui/loupe/VQScreenshotLoupe.h"

#include "platform/VQPickFailure.h"
#include "platform/portal/VQPortalRequest.h"
#include "platform/VQPointerNudge.h"
#include "platform/VQScreenshotLayout.h"
#include "platform/portal/VQPortalScreenshot.h"
#include "ui/loupe/VQFrozenLoupeState.h"
#include "ui/loupe/VQFrozenLoupeView.h"
#include "ui/loupe/VQLoupeKeys.h"
#include "ui/loupe/VQLoupeSample.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQLocalizedString.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRasterWindow>
#include <QScreen>
#include <QSet>
#include <QSurfaceFormat>
#include <QTimer>

#include <memory>
#include <utility>
#include <vector>

namespace
{
// Focus moving from one of our windows to another passes through "none" on
// some platforms: only a loss that lasts this long ends the run.
constexpr int kFocusLossMs = 150;
// How long the clear windows may take to be drawn before the picture is taken
// anyway, and how long a pointer under them may take to enter one.
constexpr int kClearMs = 1000;
constexpr int kEnterMs = 300;
// How long the windows wait, once the picture shows, for the desktop to say
// where the pointer rests before the arrow keys and Return pressed meanwhile
// start from the centre, and how often they ask meanwhile (the desktop may still
// be showing them with an animation, under which the pointer is not yet theirs).
constexpr int kPointerWaitMs = 1500;
constexpr int kPointerAskMs = 200;

class FrozenScreenWindow;

} // namespace

// One run of the loupe over a picture: the state, the windows, how it ends.
struct VQScreenshotLoupe::Run {
    bool screenSizesKnown = true; // Qt knows the screens' device sizes (not on XWayland)
    bool x11Windows = false;      // our windows are X11 windows, which the portal can be told of
    VQScreenshotLayout mapped;
    QList<QImage> frozen; // each output's part of the picture
    std::optional<VQFrozenLoupeState> state;
    std::vector<std::unique_ptr<FrozenScreenWindow>> windows;
    QSet<int> cleared; // drawn clear, before the picture
    QSet<int> framed;  // a frame of the compositor's after that
    QSet<int> painted; // drawn with the picture
    QElapsedTimer clock;
    QObject guard;                 // what listens to the screens and times the run; gone with the run
    QPointer<VQPortalCall> taking; // the screenshot, while the portal takes it
    std::optional<QImage> picture;
    bool cursorHidden = false;
    std::function<void()> whenEnded; // posted once the run has ended
    bool ended = false;
    bool hadFocus = false;
    bool pickWhenPointed = false; // Return pressed before the pointer's place was known
    qint64 shownAt = 0;           // on `clock`, when every window had painted the picture
    bool pointerTold = false;     // the log says whether the pointer's place came
    QString why;
    std::optional<QColor> picked;
    int sampleSize = 1; // what the state starts with
    // Where the pointer is, before there is a picture to point into.
    std::optional<std::pair<int, QPointF>> pointer;
    // Keys pressed before there is a picture, applied once it shows.
    QList<VQLoupeCommand> earlyKeys;

    // Ends the run: from a window's own event handler too, so what ends it comes on the next turn.
    void end(const QString &reason)
    {
        if (ended)
            return;
        ended = true;
        why = reason;
        if (taking)
            taking->interrupt();
        QMetaObject::invokeMethod(&guard, whenEnded, Qt::QueuedConnection);
    }
    void repaint(const QList<int> &outputs);
    // The pointer's place is known, or will not come: a Return pressed before it picks now.
    void pointed(const QList<int> &outputs)
    {
        if (!pointerTold && !state->awaitingPointer()) {
            pointerTold = true;
            if (!state->current())
                VQLog(QStringLiteral("The desktop did not say where the pointer rests."));
            else if (shownAt == 0)
                VQLog(QStringLiteral("The pointer's place was known before the frozen screen showed."));
            else
                VQLog(QStringLiteral("The pointer's place came %1 ms after the frozen screen showed.")
                          .arg(clock.elapsed() - shownAt));
        }
        repaint(outputs);
        if (pickWhenPointed && state->current())
            pick();
    }
    void pick()
    {
        if (!state)
            return;
        const std::optional<VQOutputPixel> pixel = state->current();
        pickWhenPointed = !pixel && state->awaitingPointer();
        if (!pixel)
            return; // nothing under the crosshair yet: the user has not pointed anywhere
        picked = state->sampleMean(frozen.at(pixel->output));
        end(QString());
    }
    void key(const QKeyEvent *event)
    {
        const VQLoupeCommand command =
            VQLoupeCommandForKey(VQLoupeKeysymFromQtKey(event->key()), event->modifiers() & Qt::ShiftModifier);
        if (command.kind == VQLoupeCommand::Kind::Cancel)
            end(QString());
        else if (state)
            act(command);
        else if (command.kind != VQLoupeCommand::Kind::None)
            earlyKeys.append(command);
    }
    void act(const VQLoupeCommand &command)
    {
        switch (command.kind) {
        case VQLoupeCommand::Kind::Pick:
            pick();
            break;
        case VQLoupeCommand::Kind::Move:
            repaint(state->nudge(command.delta));
            break;
        case VQLoupeCommand::Kind::SampleSize:
            repaint(state->chooseNextSampleSize());
            break;
        case VQLoupeCommand::Kind::Cancel:
            end(QString());
            break;
        case VQLoupeCommand::Kind::None:
            break;
        }
    }
    void askForPointer()
    {
        if (!ended && state && state->awaitingPointer())
            VQPointerNudge::request();
    }
    bool ours(const QWindow *window) const;
    void focusChanged(QWindow *window);
    void shown(int output);
    void pointAt(int output, const QPointF &position);
    void showWindows(const QList<QScreen *> &screens);
    void waitUntilClear(std::function<void()> then);
    void takePicture(std::function<void()> then);
    void showPicture(const QList<QScreen *> &screens);
};

namespace
{

// One screen's frozen picture: a fullscreen window that paints it and hands
// the input to the run.
class FrozenScreenWindow : public QRasterWindow
{
  public:
    FrozenScreenWindow(VQScreenshotLoupe::Run &run, int output, QScreen *screen) : _run(run), _output(output)
    {
        // Clear until the picture comes.
        QSurfaceFormat format = requestedFormat();
        format.setAlphaBufferSize(8);
        setFormat(format);
        setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setTitle(VQLocalizedString("Vellico loupe"));
        // Before the platform window exists: the screen is the one asked to be filled.
        setScreen(screen);
        setGeometry(screen->geometry());
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (!_run.state) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(QRect(QPoint(0, 0), size()), Qt::transparent);
            if (!_run.cleared.contains(_output)) {
                _run.cleared.insert(_output);
                // The next frame of the compositor's comes once it has drawn this one.
                requestUpdate();
            }
            return;
        }
        const QImage &frozen = _run.frozen.at(_output);
        if ((QSizeF(size()) * devicePixelRatio()).toSize().boundedTo(frozen.size()) == frozen.size()) {
            // The painter in the picture's pixels of this output: one to one where the window has as many.
            painter.scale(qreal(width()) / frozen.width(), qreal(height()) / frozen.height());
            VQPaintFrozenOutput(painter, frozen, *_run.state, _output);
        } else {
            // Fewer window pixels than the picture has (a screen whose scale is not
            // known): drawn at the picture's size, then reduced smoothly, so the
            // crosshair's thin lines stay visible.
            QImage canvas(frozen.size(), QImage::Format_RGB32);
            QPainter full(&canvas);
            VQPaintFrozenOutput(full, frozen, *_run.state, _output);
            full.end();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size())), canvas);
        }
        _run.shown(_output);
    }
    bool event(QEvent *event) override
    {
        // The window may appear under a pointer that does not move: where it entered counts.
        if (event->type() == QEvent::Enter)
            pointAt(static_cast<QEnterEvent *>(event)->position());
        if (event->type() == QEvent::UpdateRequest && !_run.state && _run.cleared.contains(_output)) {
            _run.framed.insert(_output);
            return true;
        }
        return QRasterWindow::event(event);
    }
    void mouseMoveEvent(QMouseEvent *event) override { pointAt(event->position()); }
    void mousePressEvent(QMouseEvent *event) override
    {
        pointAt(event->position());
        if (event->button() == Qt::LeftButton)
            _run.pick();
    }
    void keyPressEvent(QKeyEvent *event) override { _run.key(event); }
    void closeEvent(QCloseEvent *) override
    {
        _run.end(QStringLiteral("the desktop closed the frozen screen on %1")
                     .arg(_run.mapped.outputs.at(_output).output.name));
    }

  private:
    void pointAt(const QPointF &position)
    {
        _run.pointAt(_output, QPointF(position.x() / width(), position.y() / height()));
    }

    VQScreenshotLoupe::Run &_run;
    int _output;
};
} // namespace

// `position`: the pointer's place on an output's window, as a fraction of its size.
void VQScreenshotLoupe::Run::pointAt(int output, const QPointF &position)
{
    pointer = {output, position};
    if (!state)
        return;
    const QSize source = frozen.at(output).size();
    pointed(state->pointAt(output, QPointF(position.x() * source.width(), position.y() * source.height())));
}

void VQScreenshotLoupe::Run::repaint(const QList<int> &outputs)
{
    for (int output : outputs)
        windows.at(std::size_t(output))->update();
}

bool VQScreenshotLoupe::Run::ours(const QWindow *window) const
{
    for (const auto &own : windows) {
        if (own.get() == window)
            return true;
    }
    return false;
}

void VQScreenshotLoupe::Run::focusChanged(QWindow *window)
{
    if (ours(window)) {
        if (!hadFocus) {
            VQLog(QStringLiteral("The frozen screen has the keyboard."));
            askForPointer(); // now surely where the compositor places the pointer
        }
        hadFocus = true;
        return;
    }
    // Before the picture shows, the desktop may ask the user (whether Vellico may
    // take screenshots) in a dialog that takes the keyboard: that is no cancel.
    if (!hadFocus || !state)
        return;
    QTimer::singleShot(kFocusLossMs, &guard, [this] {
        if (!ours(QGuiApplication::focusWindow()))
            end(QString()); // the keyboard went elsewhere: a cancel
    });
}

void VQScreenshotLoupe::Run::shown(int output)
{
    if (painted.contains(output))
        return;
    painted.insert(output);
    if (painted.size() != int(windows.size()))
        return;
    VQLog(QStringLiteral("The frozen screen shows %1 outputs, %2 ms after the request.")
              .arg(windows.size())
              .arg(clock.elapsed()));
    // The picture appeared under a pointer that may not move: ask where it is
    // until it is known, then give up.
    askForPointer();
    auto *asking = new QTimer(&guard);
    QObject::connect(asking, &QTimer::timeout, asking, [this, asking] {
        if (ended || !state->awaitingPointer() || clock.elapsed() - shownAt >= kPointerWaitMs) {
            asking->stop();
            if (!ended)
                pointed(state->stopAwaitingPointer());
            return;
        }
        askForPointer();
    });
    shownAt = clock.elapsed();
    asking->start(kPointerAskMs);
}

namespace
{
// The screens as Qt knows them: logical rectangles and their own device sizes.
// On XWayland Qt sees every output at ×1 whatever its scale: its size unknown.
QList<VQOutput> screenOutputs(const QList<QScreen *> &screens, bool sizesKnown)
{
    QList<VQOutput> outputs;
    for (const QScreen *screen : screens) {
        const QRect geometry = screen->geometry();
        const QSize own = sizesKnown ? (QSizeF(geometry.size()) * screen->devicePixelRatio()).toSize() : QSize();
        outputs.append(VQOutput{screen->name(), geometry, own});
    }
    return outputs;
}

QString fitText(VQScreenshotOutput::Fit fit)
{
    switch (fit) {
    case VQScreenshotOutput::Fit::Native:
        return {};
    case VQScreenshotOutput::Fit::Magnified:
        return QStringLiteral(" (magnified: one picture pixel per device pixel)");
    case VQScreenshotOutput::Fit::Picture:
        break;
    }
    return QStringLiteral(" (picked in the picture's pixels)");
}

// The window a permission dialog of the desktop may belong to: our focused one,
// where the platform can name it to the portal (our windows are X11 windows).
QString parentWindow(bool x11Windows)
{
    const QWindow *focused = QGuiApplication::focusWindow();
    if (focused && x11Windows)
        return QStringLiteral("x11:%1").arg(focused->winId(), 0, 16);
    return {};
}

} // namespace

void VQScreenshotLoupe::Run::showWindows(const QList<QScreen *> &screens)
{
    // No pointer over our windows: a transparent one (Qt 6.4's Wayland plugin
    // never hides the pointer for Qt::BlankCursor).
    QPixmap clear(1, 1);
    clear.fill(Qt::transparent);
    QGuiApplication::setOverrideCursor(QCursor(clear, 0, 0));
    cursorHidden = true;
    for (int i = 0; i < screens.size(); ++i)
        windows.push_back(std::make_unique<FrozenScreenWindow>(*this, i, screens.at(i)));
    for (const auto &window : windows)
        window->showFullScreen();
    // The keyboard, for Escape and the arrow keys, where the desktop gives it only when asked.
    windows.front()->requestActivate();
}

// Goes on once the compositor has drawn every window clear, a frame after the
// pointer entered one (or after a while, where none did), or once kClearMs
// passed: a desktop that never shows them still gets its picture taken.
void VQScreenshotLoupe::Run::waitUntilClear(std::function<void()> then)
{
    auto *poll = new QTimer(&guard);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    auto clearedAt = std::make_shared<std::optional<qint64>>();
    auto asked = std::make_shared<bool>(false);
    const auto done = [poll, then] {
        poll->stop();
        poll->deleteLater();
        then();
    };
    QObject::connect(poll, &QTimer::timeout, poll, [this, waited, clearedAt, asked, done] {
        const int all = int(windows.size());
        if (waited->elapsed() >= kClearMs) {
            VQLog(QStringLiteral("The clear windows were not all drawn within %1 ms: the picture is taken now.")
                      .arg(kClearMs));
            done();
            return;
        }
        if (!*clearedAt && cleared.size() == all)
            *clearedAt = waited->elapsed();
        if (!*clearedAt || (!pointer && waited->elapsed() - **clearedAt < kEnterMs))
            return;
        if (!*asked) {
            // One more frame, with the pointer over us as it is now.
            *asked = true;
            framed.clear();
            for (const auto &window : windows)
                window->requestUpdate();
            return;
        }
        if (framed.size() == all)
            done();
    });
    poll->start(10);
}

void VQScreenshotLoupe::Run::takePicture(std::function<void()> then)
{
    taking = VQPortalScreenshot::take(parentWindow(x11Windows),
                                      [this, then](const std::optional<QImage> &taken, const QString &failure) {
                                          taking.clear();
                                          if (ended)
                                              return;
                                          if (!taken) {
                                              end(failure); // empty: interrupted, a cancel
                                              return;
                                          }
                                          picture = taken;
                                          then();
                                      });
}

// The picture in the windows, the loupe where the pointer is; or the run ends
// with the reason the picture does not fit the screens.
void VQScreenshotLoupe::Run::showPicture(const QList<QScreen *> &screens)
{
    mapped = VQMapScreenshot(screenOutputs(screens, screenSizesKnown), picture->size());
    if (!mapped.ok()) {
        end(mapped.error);
        return;
    }
    if (mapped.outputs.size() != screens.size()) {
        end(QStringLiteral("a screen has no size to lay the screenshot over"));
        return;
    }
    QStringList placed;
    for (const VQScreenshotOutput &output : std::as_const(mapped.outputs)) {
        frozen.append(VQScreenshotOutputImage(*picture, output));
        placed << QStringLiteral("%1 at %2,%3 %4x%5 of the picture%6")
                      .arg(output.output.name)
                      .arg(output.source.x())
                      .arg(output.source.y())
                      .arg(output.source.width())
                      .arg(output.source.height())
                      .arg(fitText(output.fit));
    }
    VQLog(QStringLiteral("The screenshot is %1 x %2 at x%3: %4.")
              .arg(picture->width())
              .arg(picture->height())
              .arg(mapped.scale)
              .arg(placed.join(QLatin1String("; "))));
    state.emplace(mapped.layout());
    state->setSampleSize(sampleSize);
    state->awaitPointer();
    if (pointer)
        pointAt(pointer->first, pointer->second);
    // Keys pressed while the picture was on its way act now, in order.
    for (const VQLoupeCommand &command : std::exchange(earlyKeys, {}))
        act(command);
    for (const auto &window : windows)
        window->update();
}

VQScreenshotLoupe::VQScreenshotLoupe(QString description, bool clearFirst, bool screenSizesKnown, bool x11Windows)
    : _description(std::move(description)), _clearFirst(clearFirst), _screenSizesKnown(screenSizesKnown),
      _x11Windows(x11Windows)
{
}

VQScreenshotLoupe::~VQScreenshotLoupe()
{
    if (_run)
        cleanUp();
}

// From outside the windows' handlers (the asker left, the program quits): the run ends now.
void VQScreenshotLoupe::stop()
{
    if (!_run)
        return;
    _run->end(QString());
    ended();
}

void VQScreenshotLoupe::start()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty()) {
        finish(VQFailedPick(QStringLiteral("there is no screen to show the picture on")));
        return;
    }
    _run = std::make_unique<Run>();
    Run &run = *_run;
    run.screenSizesKnown = _screenSizesKnown;
    run.x11Windows = _x11Windows;
    run.sampleSize = VQLoupeSample::forPick(askedSampleSize());
    run.clock.start();
    run.whenEnded = [this] { ended(); };
    // What changes the screens under the picture ends the run: the picture no longer fits them.
    const auto changed = [&run] { run.end(QStringLiteral("an output was added or removed while picking")); };
    QObject::connect(qGuiApp, &QGuiApplication::screenAdded, &run.guard, changed);
    QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, &run.guard, changed);
    for (QScreen *screen : screens) {
        QObject::connect(screen, &QScreen::geometryChanged, &run.guard, [&run, name = screen->name()] {
            run.end(QStringLiteral("output %1 changed its size while picking").arg(name));
        });
    }
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &run.guard,
                     [&run](QWindow *window) { run.focusChanged(window); });

    // Our windows go up first, clear, with no pointer over them, and the
    // picture is taken once the compositor has drawn them: a desktop that puts
    // the pointer into its screenshots puts in nothing. Then the loupe draws its
    // own crosshair over the picture in the same windows. Where the compositor
    // would draw them alone, hiding the desktop, the picture comes first.
    const auto show = [&run, screens] { run.showPicture(screens); };
    if (_clearFirst) {
        run.showWindows(screens);
        run.waitUntilClear([&run, show] { run.takePicture(show); });
    } else {
        run.takePicture([&run, screens, show] {
            run.showWindows(screens);
            show();
        });
    }
}

void VQScreenshotLoupe::cleanUp()
{
    // The windows go, and with them anything of the keyboard and the pointer.
    std::unique_ptr<Run> run = std::move(_run);
    QObject::disconnect(&run->guard, nullptr, nullptr, nullptr);
    if (run->taking)
        run->taking->interrupt();
    if (run->cursorHidden)
        QGuiApplication::restoreOverrideCursor();
    for (const auto &window : run->windows)
        window->hide();
    run->windows.clear();
    VQLog(QStringLiteral("The frozen screen is gone, %1 ms after the request.").arg(run->clock.elapsed()));
}

void VQScreenshotLoupe::ended()
{
    if (!_run)
        return;
    const QString why = _run->why;
    const std::optional<QColor> picked = _run->picked;
    cleanUp();
    if (!why.isEmpty()) {
        finish(VQFailedPick(why));
    } else if (picked) {
        VQLog(QStringLiteral("The frozen screen over the portal's screenshot picked %1.").arg(picked->name()));
        finish(VQPickOutcome::picked(*picked));
    } else {
        finish(VQPickOutcome::cancelled()); // cancelled, before or after the picture came
    }
}
