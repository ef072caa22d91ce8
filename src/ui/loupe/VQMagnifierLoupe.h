#pragma once
// The loupe: a pick that lets the user take the colour of any device pixel on
// any screen. The pointer and the keyboard are grabbed for the run, so the
// click that picks reaches no other window and Escape works whoever has the
// focus. The keys are the loupes' own (VQLoupeKeys); a click picks too. A pick
// takes the mean of the sample around the pointer (VQLoupeSample), clipped to
// the pointer's screen.
//
// With "RZNoLoupePreview" set no window is shown at all (the grab, the
// cursor and the keys still work).

#include "platform/VQScreenPicker.h"

#include <QColor>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

class QWidget;
class VQMagnifierLoupeWindow;
class VQX11Input;
struct VQInputEvent;

class VQMagnifierLoupe : public VQScreenPicker
{
    Q_OBJECT

  public:
    // A pick ends with the picked colour, or nothing when the user cancelled,
    // the pixel could not be read, the input could not be grabbed or the
    // program quit meanwhile.
    explicit VQMagnifierLoupe(VQX11Input &platform);
    ~VQMagnifierLoupe() override;

    QString description() const override;
    // The window, while the run shows one (tests look at it).
    VQMagnifierLoupeWindow *window() const { return _window.get(); }

    // How long the loupe waits for input another program holds: this many
    // attempts, this far apart, the event loop running in between.
    static constexpr int kGrabAttempts = 25;
    static constexpr int kGrabRetryInterval = 20; // milliseconds

  protected:
    void start() override;
    void stop() override;

  private:
    void attemptGrab();
    void begin();
    void handleInput(const VQInputEvent &event);
    void nudge(QPoint delta);
    void nextSampleSize();
    void finishWithPixelAt(QPoint devicePoint);
    // Gives back what the run took: the input, the window, a popup's grab.
    void cleanUp();
    void end(const VQPickOutcome &outcome);
    void endSoon(const VQPickOutcome &outcome);
    void lendPopupGrab(bool lend);

    VQX11Input &_platform;
    std::unique_ptr<VQMagnifierLoupeWindow> _window;
    QTimer _retry;
    int _attempts = 0;
    bool _grabbed = false;
    bool _ending = false;     // the outcome is known; the run ends on the next turn
    QPointer<QWidget> _popup; // a popup of ours that lent the loupe its grab
    QPoint _pointer;
    int _sampleSize = 1;
};
