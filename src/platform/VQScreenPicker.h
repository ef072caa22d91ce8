#pragma once
// "Let the user pick a pixel": one service for every way a session offers it.
// The desktop services choose one backend at start (VQDesktopServices); the
// program starts a pick with pick() and learns the outcome from finished():
// a colour, the user's cancel, or a failure with a one-line reason.
//
// The backends (made in VQDesktopServices.cpp, one per VQPickPath):
//   X11                 the magnifier loupe over the live screen, input grabbed
//   wlroots screencopy  the loupe over a frozen capture of every output
//   portal PickColor    the desktop's own picker
//   none                VQRefusingPicker: fails at once with the reason
//
// Every backend starts a pick and returns at once; its answer comes later,
// from a signal or a timer of its own (a backend that cannot start answers
// from inside pick()). Nothing on the way runs an event loop of its own.
// The picker alone knows whether a pick runs (isRunning).

#include <QColor>
#include <QObject>
#include <QString>

struct VQPickOutcome {
    enum class Kind { Picked, Cancelled, Failed };
    Kind kind = Kind::Failed;
    QColor color;   // Picked
    QString reason; // Failed: one line

    static VQPickOutcome picked(const QColor &color) { return {Kind::Picked, color, {}}; }
    static VQPickOutcome cancelled() { return {Kind::Cancelled, {}, {}}; }
    static VQPickOutcome failed(const QString &reason) { return {Kind::Failed, {}, reason}; }
};

class VQScreenPicker : public QObject
{
    Q_OBJECT

  public:
    VQScreenPicker();
    ~VQScreenPicker() override;

    // Starts one pick; finished() follows exactly once, before or after pick()
    // returns. False, with nothing emitted, while a pick already runs (its
    // finished() is still to come): a second press of the shortcut starts no
    // second loupe. `sampleSize` (1, 3, 5 or 9): the loupe averages a square of
    // that many device pixels a side for this pick alone; 0, the size it
    // remembers. The desktop's own picker takes one pixel whatever it is.
    bool pick(int sampleSize = 0);
    bool isRunning() const { return _running; }
    // Ends the pick under way as the user's cancel would (the asker went away,
    // the program quits); its finished() follows, now or later. Nothing while
    // none runs.
    void cancel();

    // Whether a pick can work here at all (false: it fails at once with the reason).
    virtual bool canPick() const { return true; }
    // How picking works here, or "off: why", for --diagnose's "screen picking" line.
    virtual QString description() const = 0;
    // The path chosen and why, for the log at start.
    QString logLine() const { return _logLine; }
    void setLogLine(const QString &line) { _logLine = line; }

  signals:
    void finished(const VQPickOutcome &outcome);

  protected:
    // Begins the pick; the backend calls finish() once, now or later.
    virtual void start() = 0;
    // The sample size the pick under way was asked for (see pick()).
    int askedSampleSize() const { return _sampleSize; }
    // Ends the pick under way as the user's cancel would; finish() follows,
    // now or later. By default at once, with a cancel.
    virtual void stop() { finish(VQPickOutcome::cancelled()); }
    void finish(const VQPickOutcome &outcome);

  private:
    bool _running = false;
    int _sampleSize = 0;
    QString _logLine;
};

// No way to pick in this session: every pick fails at once with the reason.
class VQRefusingPicker : public VQScreenPicker
{
    Q_OBJECT

  public:
    explicit VQRefusingPicker(QString reason) : _reason(std::move(reason)) {}
    bool canPick() const override { return false; }
    QString description() const override { return QStringLiteral("off: ") + _reason; }
    QString reason() const { return _reason; }

  protected:
    void start() override;

  private:
    QString _reason;
};
