#pragma once
// What later starts ask through the instance channel, and this start's own
// command line: a plain start toggles the window; --copy, --paste and --pick
// run in order, each request list answered with one line once its last
// request is done ("ok", "picked TEXT", "cancelled", "failed REASON",
// "error WHAT").
//
// Nothing here waits in an event loop of its own: a pick continues the list
// when the pick controller tells its outcome, and a paste that needs the
// keyboard focus first (Wayland shows the clipboard only to the program that
// has it) continues once the focus came or a moment passed.

#include "app/VQLaunchOptions.h"
#include "platform/VQScreenPicker.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class VQPickController;

class VQRequestController : public QObject
{
    Q_OBJECT

  public:
    using Reply = std::function<void(QString)>;
    // What the requests need of the rest of the program.
    struct Hooks {
        std::function<void()> prepare;      // builds what the requests need (the windows), once
        std::function<void()> toggleWindow; // a start with nothing to do
        // Whether the program holds the keyboard focus, or needs none to read the clipboard.
        std::function<bool()> hasClipboardFocus;
        std::function<void()> askForFocus; // shows or activates the window
    };
    // How long a paste waits for the keyboard focus.
    static constexpr int kClipboardFocusWaitMs = 2000;

    VQRequestController(VQPickController &picks, Hooks hooks, QObject *parent = nullptr);

    // A later start's message (its arguments); `reply` gets the one-line answer.
    // `asker` names that start (VQInstanceChannel), 0 for none.
    void performChannelMessage(const QString &message, const Reply &reply, quint64 asker = 0);
    void performRequests(const QList<VQLaunchOptions::Request> &requests, const Reply &reply, quint64 asker = 0);

    // What a later start hears of a pick: "picked TEXT" (in copy format
    // `copyTemplate` when it names one), "cancelled", or "failed REASON".
    static QString pickAnswer(const VQPickOutcome &outcome, int copyTemplate);

  private:
    // Runs the requests from `from` on; a pick, or a paste waiting for the focus, continues later.
    void performRequestsFrom(QList<VQLaunchOptions::Request> requests, qsizetype from, QString answer, Reply reply,
                             quint64 asker);
    // Asks for the keyboard focus and calls `then` once it came or the wait is over, never from inside.
    void takeClipboardFocus(std::function<void()> then);

    VQPickController &_picks;
    Hooks _hooks;
};
