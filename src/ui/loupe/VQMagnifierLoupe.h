#pragma once
// The loupe: a modal run that lets the user take the colour of any device
// pixel on any screen. The pointer and the keyboard are grabbed for the run,
// so the click that picks reaches no other window and Escape works whoever
// has the focus.
//
//   click, Return, keypad Enter   take the pixel under the pointer
//   Escape                        cancel
//   arrow keys                    move the pointer by one device pixel (Shift: ten)
//
// With "RZNoLoupePreview" set no window is shown at all (the grab, the
// cursor and the keys still work).

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

class QEventLoop;
class VQMagnifierLoupeWindow;
class VQX11Input;
struct VQInputEvent;

class VQMagnifierLoupe : public QObject
{
    Q_OBJECT

  public:
    // Runs one loupe and returns the picked colour, or nothing when the user
    // cancelled, the pixel could not be read, the input could not be grabbed,
    // the application quit meanwhile, or a loupe is already running (a second
    // press of the shortcut starts no second loupe).
    // `failure`, when given, receives why nothing was picked other than the
    // user's cancelling (empty for a cancel).
    static std::optional<QColor> selectColor(VQX11Input &platform, QString *failure = nullptr);
    static bool isRunning();

    explicit VQMagnifierLoupe(VQX11Input &platform);
    ~VQMagnifierLoupe() override;

    std::optional<QColor> selectColorOnce(QString *failure = nullptr);
    // The window, while the run shows one (tests look at it).
    VQMagnifierLoupeWindow *window() const { return _window.get(); }

    // How long the loupe waits for input another program holds: this many
    // attempts, this far apart.
    static constexpr int kGrabAttempts = 25;
    static constexpr int kGrabRetryInterval = 20; // milliseconds

  private:
    void begin();
    void handleInput(const VQInputEvent &event);
    void nudge(QPoint delta);
    void finishWithPixelAt(QPoint devicePoint);
    void cancel();
    void end();

    VQX11Input &_platform;
    std::unique_ptr<VQMagnifierLoupeWindow> _window;
    QEventLoop *_loop = nullptr;
    QPoint _pointer;
    bool _colorSelectedOrCancelled = false;
    std::optional<QColor> _selectedColor;
    QString _failure; // why the run ended without a colour, other than a cancel
};
