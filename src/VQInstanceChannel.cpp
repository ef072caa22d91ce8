#include "VQInstanceChannel.h"

#include "vqcore/VQLog.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace
{

// A handful of short words: anything longer is not one of ours.
constexpr qint64 kMaximumMessage = 4096;
constexpr int kTimeoutMs = 5000;

QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

// Sends one line and waits for the one-line answer.
bool sendMessage(const QString &message, QString *answer, QString *error, bool waitForever)
{
    QLocalSocket socket;
    socket.connectToServer(VQInstanceChannel::socketPath());
    if (!socket.waitForConnected(kTimeoutMs)) {
        *error = socket.errorString();
        return false;
    }
    socket.write(message.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kTimeoutMs)) {
        *error = socket.errorString();
        return false;
    }
    QDeadlineTimer deadline(waitForever ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(kTimeoutMs));
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || socket.state() != QLocalSocket::ConnectedState ||
            !socket.waitForReadyRead(waitForever ? -1 : int(deadline.remainingTime()))) {
            if (socket.canReadLine())
                break;
            *error = QStringLiteral("no answer from the running Vellico");
            return false;
        }
    }
    *answer = QString::fromUtf8(socket.readLine(kMaximumMessage)).trimmed();
    return true;
}

} // namespace

VQInstanceChannel::VQInstanceChannel(QObject *parent) : QObject(parent) {}

VQInstanceChannel::~VQInstanceChannel() = default;

QString VQInstanceChannel::socketPath()
{
    return runtimeFolder() + QStringLiteral("/vellico.socket");
}

bool VQInstanceChannel::claim(const QString &message, QString *answer, QString *error, bool waitForever)
{
    const QString lockPath = runtimeFolder() + QStringLiteral("/vellico.lock");
    _lock = std::make_unique<QLockFile>(lockPath);
    // A lock left by a process that died is taken over (QLockFile checks its PID).
    _lock->setStaleLockTime(0);
    if (!_lock->tryLock(0)) {
        _lock.reset();
        // The running instance may have taken the lock an instant ago and not be
        // listening yet: try for a few seconds.
        QDeadlineTimer deadline(kTimeoutMs);
        QString lastError;
        while (!sendMessage(message, answer, &lastError, waitForever)) {
            if (deadline.hasExpired()) {
                *error = lastError;
                return false;
            }
            QThread::msleep(100);
        }
        error->clear();
        return false;
    }

    // We hold the lock, so a socket file left behind is stale.
    QLocalServer::removeServer(socketPath());
    _server = new QLocalServer(this);
    _server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!_server->listen(socketPath())) {
        // Still the one instance (we hold the lock); only later starts can't reach us.
        VQLog(QStringLiteral("Couldn't listen on %1: %2").arg(socketPath(), _server->errorString()));
        return true;
    }
    connect(_server, &QLocalServer::newConnection, this, &VQInstanceChannel::acceptConnections);
    return true;
}

void VQInstanceChannel::acceptConnections()
{
    while (QLocalSocket *socket = _server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaximumMessage)
                    socket->abort();
                return;
            }
            const QString line = QString::fromUtf8(socket->readLine(kMaximumMessage)).trimmed();
            // Answered once; a start that gave up waiting is simply not answered.
            QPointer<QLocalSocket> guarded(socket);
            auto answered = std::make_shared<bool>(false);
            const Reply reply = [guarded, answered](const QString &answer) {
                if (*answered || !guarded)
                    return;
                *answered = true;
                guarded->write(answer.toUtf8() + '\n');
                guarded->disconnectFromServer();
            };
            VQLog(QStringLiteral("Another start asked for: %1").arg(line));
            emit messageReceived(line, reply);
        });
    }
}
