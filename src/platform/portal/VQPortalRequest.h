#pragma once
// One call of a desktop portal method that answers through a Request object
// (org.freedesktop.portal.Request): the method returns the Request's path at
// once, and the Request's Response signal brings the outcome later.
//
// We subscribe to that signal before calling, on the object path the portal
// makes from our unique bus name and our handle token, so that a quick answer
// cannot be missed. A local event loop runs until the answer comes or the
// deadline passes; then the Request is closed. The deadline bounds the whole
// call, or only the portal's reply to the method call: once the Request
// exists, a dialog of the desktop's own (a picker the user drives) may take
// as long as the user does. The event loop keeps running meanwhile: the
// program stays responsive. A pick that is cancelled (VQPickCancelling), the
// program quitting and the portal leaving the bus end the wait too.

#include <QString>
#include <QVariantMap>

#include <chrono>

struct VQPortalAnswer {
    enum class Kind {
        Answered,    // Response(code, results) came
        Refused,     // the call itself failed: `error` says how
        Late,        // nothing within the deadline
        Interrupted, // the program quit, or the pick was cancelled, first
    };
    Kind kind = Kind::Interrupted;
    uint code = 2;       // Answered: 0 success, 1 cancelled by the user, 2 ended otherwise
    QVariantMap results; // Answered
    QString error;       // Refused: one line
};

namespace VQPortalRequest
{
// The Request object's path for a call from `uniqueName` (":1.42") with
// `token`: /org/freedesktop/portal/desktop/request/1_42/TOKEN.
QString requestPath(const QString &uniqueName, const QString &token);

// What the deadline bounds: the answer itself, or only the reply to the call.
enum class Limit { Answer, Reply };

// Calls `method` of `interface` on the desktop portal of the session bus with
// (parent_window, options); `options` gets our handle_token. `what` names the
// call in the log ("PickColor").
VQPortalAnswer call(const QString &interface, const QString &method, const QString &parentWindow, QVariantMap options,
                    std::chrono::milliseconds deadline, const QString &what, Limit limit = Limit::Answer);

// "no D-Bus session bus…" when the session bus cannot be reached; empty when it can.
QString busProblem();
} // namespace VQPortalRequest
