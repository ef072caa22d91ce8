#pragma once
// One Vellico per user session. The first process to start holds a lock file
// and listens on a local socket in the runtime folder (VQRuntimeFolder); a
// later start hands its commands ("copy", "paste"…) to that process and ends,
// so that one library file never has two writers and the tray never shows two
// icons.
//
// The commands let the desktop's own shortcut settings drive a running
// Vellico: `vellico --copy` copies the selected colour, `vellico --paste`
// selects the colour on the clipboard, `vellico --pick` runs the loupe and
// prints what it picked. A message is one line of command-line words (read by
// VQLaunchOptions at both ends); the answer is one line, sent when the running
// Vellico has carried the commands out.
//
// Only the user's own processes take part: the socket and the lock live in a
// folder nobody else may enter, and each end checks the user at the other end
// of every connection (SO_PEERCRED). Connections that say nothing are closed
// after a few seconds, and a bounded number of them is kept open at a time, so
// that neither a crowd of them nor a failed accept() ends the listening.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QLockFile;
class QSocketNotifier;
class VQChannelConnection;

class VQInstanceChannel : public QObject
{
    Q_OBJECT

  public:
    explicit VQInstanceChannel(QObject *parent = nullptr);
    ~VQInstanceChannel() override;

    // Becomes the running instance when there is none. When another process
    // already is, sends it `message`, waits for its answer (in `answer`) and
    // returns false; `error` is then a message for the user when this start
    // could neither reach that process nor run itself.
    // `waitForever` is for commands that wait on the user (the loupe).
    // `interruption`, when not -1, is a descriptor that becomes readable when
    // this start should stop waiting (a signal came): claim() then returns
    // false with interrupted() set, and the connection closes, which tells the
    // running Vellico that nobody waits for the answer any more.
    bool claim(const QString &message, QString *answer, QString *error, bool waitForever = false,
               int interruption = -1);
    bool interrupted() const { return _interrupted; }

    // Sends the one-line answer to the start that asked; later calls do nothing.
    using Reply = std::function<void(const QString &answer)>;

  signals:
    // A later start sent `message` (empty: it was just started again). Every
    // message is answered exactly once through `reply`. `asker` names the
    // start (never 0) for askerLeft().
    void messageReceived(const QString &message, const VQInstanceChannel::Reply &reply, quint64 asker);
    // The start `asker` went away (it ended, or closed the connection) before
    // its answer: what it asked for may stop.
    void askerLeft(quint64 asker);

  private:
    bool listen(const QString &path, QString *error);
    void acceptConnections();
    void adopt(int descriptor);
    void forget(VQChannelConnection *connection);

    std::unique_ptr<QLockFile> _lock;
    QString _socketPath;
    int _listener = -1;
    QSocketNotifier *_notifier = nullptr;
    // Every open connection, and those that have not sent their line yet, oldest first.
    QList<VQChannelConnection *> _connections;
    QList<VQChannelConnection *> _silent;
    quint64 _askers = 0;
    bool _interrupted = false;
};
