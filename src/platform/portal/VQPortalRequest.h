#pragma once
// One call of a desktop portal method that answers through a Request object
// (org.freedesktop.portal.Request): the method returns the Request's path at
// once, and the Request's Response signal brings the outcome later.
//
// We subscribe to that signal before calling, on the object path the portal
// makes from our unique bus name and our handle token, so that a quick answer
// cannot be missed. The call returns at once; answered() comes with the
// answer or when the deadline passes, and then a Request that did not answer
// is closed (without waiting for the portal to confirm). The deadline bounds
// the whole call, or only the portal's reply to the method call: once the
// Request exists, a dialog of the desktop's own (a picker the user drives) may
// take as long as the user does. interrupt() (a cancelled pick, the program
// quitting) and the portal leaving the bus end the wait too.

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <memory>

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

// "no D-Bus session bus…" when the session bus cannot be reached; empty when it can.
QString busProblem();
} // namespace VQPortalRequest

Q_DECLARE_METATYPE(VQPortalAnswer)

// One call under way. Made with what to call, then start(): answered()
// follows once, from start() itself when the call cannot even be made. The
// object deletes itself (deleteLater) once it has answered.
class VQPortalCall : public QObject
{
    Q_OBJECT

  public:
    // `method` of `interface` on the desktop portal of the session bus with
    // (parent_window, options); `options` gets our handle_token. `what` names
    // the call in the log ("PickColor").
    VQPortalCall(QString interface, QString method, QString parentWindow, QVariantMap options,
                 std::chrono::milliseconds deadline, QString what,
                 VQPortalRequest::Limit limit = VQPortalRequest::Limit::Answer);
    ~VQPortalCall() override;

    void start();
    // Ends the wait now: answered() with Interrupted, and the Request closed.
    void interrupt();

  signals:
    void answered(const VQPortalAnswer &answer);

  private slots:
    void response(uint code, const QVariantMap &results);

  private:
    struct Private;
    void settle(VQPortalAnswer answer, bool closeRequest = false);
    bool subscribe(const QString &path);
    void unsubscribe(const QString &path);

    std::unique_ptr<Private> d;
};
