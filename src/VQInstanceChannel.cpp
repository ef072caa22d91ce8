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

// Which arguments are commands, and their names on the socket.
struct CommandOption {
    const char *argument;
    const char *command;
};
constexpr CommandOption kCommandOptions[] = {
    {"--copy", "copy"},
    {"--copy-alternate", "copy-alternate"},
    {"--paste", "paste"},
};

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

// Sends one line of commands and waits for the one-line answer.
bool sendCommands(const QStringList &commands, QString *error)
{
    QLocalSocket socket;
    socket.connectToServer(VQInstanceChannel::socketPath());
    if (!socket.waitForConnected(kTimeoutMs)) {
        *error = socket.errorString();
        return false;
    }
    socket.write(commands.join(QLatin1Char(' ')).toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kTimeoutMs)) {
        *error = socket.errorString();
        return false;
    }
    QDeadlineTimer deadline(kTimeoutMs);
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime()))) {
            *error = QStringLiteral("no answer from the running Vellico");
            return false;
        }
    }
    return true;
}

} // namespace

QStringList VQInstanceChannel::commandsFromArguments(const QStringList &arguments)
{
    QStringList commands;
    for (const QString &argument : arguments) {
        for (const CommandOption &option : kCommandOptions) {
            if (argument == QLatin1String(option.argument))
                commands << QString::fromLatin1(option.command);
        }
    }
    return commands;
}

VQInstanceChannel::VQInstanceChannel(QObject *parent) : QObject(parent) {}

VQInstanceChannel::~VQInstanceChannel() = default;

QString VQInstanceChannel::socketPath()
{
    return runtimeFolder() + QStringLiteral("/vellico.socket");
}

bool VQInstanceChannel::claim(const QStringList &commands, QString *error)
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
        while (!sendCommands(commands, &lastError)) {
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
            socket->write("ok\n");
            socket->disconnectFromServer();
            // Only known commands are carried out, whatever a client sends.
            QStringList commands;
            for (const QString &word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                for (const CommandOption &option : kCommandOptions) {
                    if (word == QLatin1String(option.command))
                        commands << word;
                }
            }
            VQLog(QStringLiteral("Another start asked for: %1").arg(commands.join(QLatin1String(", "))));
            emit commandsReceived(commands);
        });
    }
}
