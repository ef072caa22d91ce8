#pragma once
// The program's picks, one at a time: what asks for a pick (the eyedropper,
// the shortcut, a later start's --pick) asks here, and a pick asked for while
// another runs waits for it and starts after it, never inside it.
//
// Every outcome is told later, from the event loop: never from inside pick(),
// nor from inside the screen picker's own finished(). The next pick starts the
// same way, once the one before has been told. When the program quits, the
// pick under way is cancelled and every outcome still to tell is told before
// the event loop is gone (a waiting pick hears a cancel). The controller knows nothing of
// the windows: it says when a pick is about to start and what each one gave
// (signals), and whoever cares follows.

#include "platform/VQScreenPicker.h"

#include <QObject>

#include <deque>
#include <functional>
#include <optional>

// What a pick's colour is for: the selection (the eyedropper, the shortcut, a
// later start's --pick), or only the one who asked, through its `done` (the
// contrast row's second colour).
enum class VQPickUse { Selection, AskerOnly };

class VQPickController : public QObject
{
    Q_OBJECT

  public:
    using Done = std::function<void(const VQPickOutcome &outcome)>;

    explicit VQPickController(VQScreenPicker &picker, QObject *parent = nullptr);
    ~VQPickController() override;

    // Starts a pick when none runs or waits, or else queues it behind them.
    // `done`, when given, hears its outcome later. `asker`: the later start
    // that asked (see askerLeft), 0 for none. `sampleSize`: the loupe's sample
    // for this pick alone (VQScreenPicker::pick), 0 for the remembered one.
    // `use` travels with the outcome in finished().
    void pick(Done done = {}, quint64 asker = 0, int sampleSize = 0, VQPickUse use = VQPickUse::Selection);
    // A pick whose colour goes to `take` rather than to the selection (a cancel takes nothing).
    void pickInto(std::function<void(const QColor &)> take);
    // The later start `asker` went away: its pick under way is cancelled (its
    // outcome follows as a cancel), and its queued ones are dropped, answered
    // as cancelled.
    void askerLeft(quint64 asker);

    // Whether a pick runs, waits to run or has an outcome still to tell.
    bool isPicking() const { return _current || !_untold.empty() || !_queue.empty(); }
    // How many picks wait behind the one under way.
    int queued() const { return int(_queue.size()); }
    // The later start whose pick runs; 0 for none or a pick of this program's own.
    quint64 runningAsker() const { return _current ? _current->asker : 0; }

  signals:
    // A pick is about to start (the window the user is in is still theirs).
    void aboutToPick();
    // A pick ended: told before its `done`, with what it was asked for.
    void finished(const VQPickOutcome &outcome, VQPickUse use);

  private:
    struct Request {
        Done done;
        quint64 asker = 0;
        int sampleSize = 0;
        VQPickUse use = VQPickUse::Selection;
    };
    void start(Request request);
    void pickerFinished(const VQPickOutcome &outcome);
    struct Untold {
        Request request;
        VQPickOutcome outcome;
        bool emitFinished;
    };
    // Tells `request` its outcome on the next turn of the event loop, then starts the next pick.
    void tell(Request request, const VQPickOutcome &outcome, bool emitFinished);
    void tellOne();
    void startNext();
    // The program quits: the pick under way ends, and everyone hears now.
    void quitting();

    VQScreenPicker &_picker;
    std::optional<Request> _current;
    std::deque<Request> _queue;
    std::deque<Untold> _untold; // outcomes to tell, in order, one posted call each
    bool _quitting = false;
};
