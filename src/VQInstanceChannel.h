#pragma once
// One Vellico per user session. The first process to start holds a lock file
// and listens on a local socket in the runtime folder; a later start hands its
// commands ("copy", "paste"…) to that process and ends, so that one library
// file never has two writers and the tray never shows two icons.
//
// The commands let the desktop's own shortcut settings drive a running
// Vellico: `vellico --copy` copies the selected colour, `vellico --paste`
// selects the colour on the clipboard, `vellico --pick` runs the loupe and
// prints what it picked. A message is one line of command-line words (read by
// VQLaunchOptions at both ends); the answer is one line, sent when the running
// Vellico has carried the commands out.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

class VQInstanceChannel : public QObject
{
    Q_OBJECT

  public:
    explicit VQInstanceChannel(QObject *parent = nullptr);
    ~VQInstanceChannel() override;

    // Becomes the running instance when there is none. When another process
    // already is, sends it `message`, waits for its answer (in `answer`) and
    // returns false; `error` says why when that process could not be reached.
    // `waitForever` is for commands that wait on the user (the loupe).
    bool claim(const QString &message, QString *answer, QString *error, bool waitForever = false);

    // The socket and lock files of the current session.
    static QString socketPath();

    // Sends the one-line answer to the start that asked; later calls do nothing.
    using Reply = std::function<void(const QString &answer)>;

  signals:
    // A later start sent `message` (empty: it was just started again). Every
    // message is answered exactly once through `reply`.
    void messageReceived(const QString &message, const VQInstanceChannel::Reply &reply);

  private:
    void acceptConnections();

    std::unique_ptr<QLockFile> _lock;
    QLocalServer *_server = nullptr;
};
