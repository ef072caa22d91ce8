#include "app/VQInstanceChannel.h"

#include "app/VQLocalSocket.h"

#include "vqcore/VQFileAccess.h"
#include "vqcore/VQLog.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QPointer>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
using namespace VQLocalSocket;

// Connections open at once. A later start sends its line as soon as it is
// connected, so when they are all taken the oldest that has said nothing yet
// makes room.
constexpr int kMaximumConnections = 32;
constexpr int kBacklog = 64;
// After accept() runs out of descriptors or memory, listening resumes this much later.
constexpr int kAcceptRetryMs = 250;
} // namespace

VQInstanceChannel::VQInstanceChannel(QObject *parent) : QObject(parent) {}

VQInstanceChannel::~VQInstanceChannel()
{
    if (_listener >= 0) {
        delete _notifier;
        ::close(_listener);
        ::unlink(QFile::encodeName(_socketPath).constData());
    }
}

bool VQInstanceChannel::claim(const QString &message, QString *answer, QString *error, bool waitForever,
                              int interruption)
{
    _interrupted = false;
    QString problems;
    const QString folder = VQRuntimeFolder(&problems);
    if (folder.isEmpty()) {
        *error =
            QStringLiteral("vellico: no private folder for the socket that keeps Vellico to one instance: ") + problems;
        return false;
    }
    if (!problems.isEmpty()) {
        std::fprintf(stderr, "vellico: %s; using %s\n", qPrintable(problems), qPrintable(folder));
        VQLog(QStringLiteral("Runtime folder %1 (%2)").arg(folder, problems));
    }
    _socketPath = folder + QStringLiteral("/vellico.socket");

    // Only we can write in the folder, so a lock file that isn't ours is not a lock.
    const QString lockPath = folder + QStringLiteral("/vellico.lock");
    const QByteArray nativeLock = QFile::encodeName(lockPath);
    struct stat info = {};
    if (::lstat(nativeLock.constData(), &info) == 0 && (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid())) {
        VQLog(QStringLiteral("Removing %1, which is not our lock.").arg(lockPath));
        ::unlink(nativeLock.constData());
    }
    _lock = std::make_unique<QLockFile>(lockPath);
    // A lock left by a process that died is taken over (QLockFile checks its PID).
    _lock->setStaleLockTime(0);
    if (!_lock->tryLock(0)) {
        _lock.reset();
        // The running instance may have taken the lock an instant ago and not be
        // listening yet: try for a few seconds.
        QDeadlineTimer deadline(kTimeoutMs);
        QString lastError;
        while (!sendMessage(_socketPath, message, answer, &lastError, waitForever, interruption, &_interrupted)) {
            if (_interrupted) {
                error->clear();
                return false;
            }
            if (deadline.hasExpired()) {
                *error = QStringLiteral("Vellico is running but did not answer: ") + lastError;
                return false;
            }
            QThread::msleep(100);
        }
        error->clear();
        return false;
    }

    QString listenError;
    if (!listen(_socketPath, &listenError)) {
        // Still the one instance (we hold the lock); only later starts can't reach us.
        VQLog(QStringLiteral("Couldn't listen on %1: %2").arg(_socketPath, listenError));
    }
    return true;
}

bool VQInstanceChannel::listen(const QString &path, QString *error)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address;
    if (!socketAddress(path, address)) {
        *error = QStringLiteral("the path is too long for a socket");
        return false;
    }

    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0) {
        *error = errnoText(errno);
        return false;
    }
    // We hold the lock, so a socket file left behind is stale.
    ::unlink(native.constData());
    if (::bind(listener, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listener, kBacklog) != 0) {
        *error = errnoText(errno);
        ::close(listener);
        return false;
    }
    // The folder already keeps others out; the socket does too.
    ::chmod(native.constData(), 0600);
    _listener = listener;
    _notifier = new QSocketNotifier(listener, QSocketNotifier::Read, this);
    connect(_notifier, &QSocketNotifier::activated, this, &VQInstanceChannel::acceptConnections);
    return true;
}

void VQInstanceChannel::acceptConnections()
{
    // A few at a time, so that those already accepted are read in between.
    for (int accepted = 0; accepted < kMaximumConnections; ++accepted) {
        const int descriptor = ::accept4(_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (descriptor < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return;
            if ((errno == EMFILE || errno == ENFILE) && !_silent.isEmpty()) {
                // A connection that has said nothing gives its descriptor up (now).
                forget(_silent.first());
                continue;
            }
            // Out of descriptors or memory: the socket stays, and we listen again shortly.
            VQLog(QStringLiteral("Couldn't accept a connection: %1").arg(errnoText(errno)));
            _notifier->setEnabled(false);
            QTimer::singleShot(kAcceptRetryMs, _notifier, [notifier = _notifier] { notifier->setEnabled(true); });
            return;
        }
        const qint64 peer = peerUser(descriptor);
        if (peer != qint64(::geteuid())) {
            VQLog(QStringLiteral("Refused a connection from user %1.").arg(peer));
            ::close(descriptor);
            continue;
        }
        adopt(descriptor);
    }
}

// One start's connection: its descriptor, read as it becomes readable.
class VQChannelConnection : public QObject
{
  public:
    VQChannelConnection(int descriptor, QObject *parent)
        : QObject(parent), readable(descriptor, QSocketNotifier::Read, this), _descriptor(descriptor)
    {
    }
    ~VQChannelConnection() override { close(); }

    // After the line: reads and drops what more arrives; false when the other
    // end has gone (closed its socket, or ended). An end that only stopped
    // writing still waits for its answer: it is no longer watched.
    bool stillThere()
    {
        for (;;) {
            char chunk[512];
            const ssize_t got = ::recv(_descriptor, chunk, sizeof chunk, 0);
            if (got > 0)
                continue;
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return true;
            if (got == 0) {
                pollfd state{_descriptor, 0, 0};
                if (::poll(&state, 1, 0) > 0 && (state.revents & POLLHUP) == 0) {
                    readable.setEnabled(false);
                    return true;
                }
            }
            return false;
        }
    }

    // Reads what has arrived; false when the other end has gone or failed.
    bool read()
    {
        for (;;) {
            char chunk[512];
            const ssize_t got = ::recv(_descriptor, chunk, sizeof chunk, 0);
            if (got > 0) {
                received.append(chunk, got);
                if (received.size() > kMaximumMessage)
                    return true;
            } else if (got < 0 && errno == EINTR) {
                continue;
            } else {
                return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
            }
        }
    }

    // The answer, as far as the other end takes it without waiting.
    void send(const QByteArray &bytes)
    {
        for (qsizetype sent = 0; sent < bytes.size() && _descriptor >= 0;) {
            const ssize_t written =
                ::send(_descriptor, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
            if (written > 0)
                sent += written;
            else if (written < 0 && errno == EINTR)
                continue;
            else if (written < 0 && errno == EAGAIN && waitFor(_descriptor, POLLOUT, QDeadlineTimer(kTimeoutMs)))
                continue;
            else
                break;
        }
    }

    void close()
    {
        if (_descriptor < 0)
            return;
        readable.setEnabled(false);
        ::close(_descriptor);
        _descriptor = -1;
    }

    QByteArray received;
    QSocketNotifier readable;
    // Set once the line is read: what to do when the start goes away before its answer.
    std::function<void()> whenGone;

  private:
    int _descriptor;
};

void VQInstanceChannel::adopt(int descriptor)
{
    if (_connections.size() >= kMaximumConnections) {
        if (_silent.isEmpty()) {
            VQLog(QStringLiteral("Refused a connection: %1 are open.").arg(_connections.size()));
            ::close(descriptor);
            return;
        }
        forget(_silent.first());
    }
    auto *connection = new VQChannelConnection(descriptor, this);
    _connections.append(connection);
    _silent.append(connection);
    auto *idle = new QTimer(connection);
    idle->setSingleShot(true);
    connect(idle, &QTimer::timeout, this, [this, connection] { forget(connection); });
    idle->start(kTimeoutMs);
    connect(&connection->readable, &QSocketNotifier::activated, this, [this, connection, idle] {
        if (connection->whenGone) {
            if (connection->stillThere())
                return;
            const std::function<void()> gone = std::move(connection->whenGone);
            forget(connection);
            gone();
            return;
        }
        const bool open = connection->read();
        const qsizetype end = connection->received.indexOf('\n');
        if (end < 0) {
            if (!open || connection->received.size() > kMaximumMessage)
                forget(connection);
            return;
        }
        // One line per connection; what follows it is not read, only whether the start goes away.
        idle->stop();
        _silent.removeOne(connection);
        const QString line = QString::fromUtf8(connection->received.left(end).left(kMaximumMessage)).trimmed();
        // Answered once; a start that gave up waiting is simply not answered.
        QPointer<VQChannelConnection> guarded(connection);
        QPointer<VQInstanceChannel> channel(this);
        auto answered = std::make_shared<bool>(!open);
        const Reply reply = [guarded, channel, answered](const QString &answer) {
            if (*answered || !guarded || !channel)
                return;
            *answered = true;
            guarded->send(answer.toUtf8() + '\n');
            channel->forget(guarded);
        };
        const quint64 asker = ++_askers;
        if (open) {
            connection->whenGone = [this, answered, asker] {
                if (*answered)
                    return;
                *answered = true;
                VQLog(QStringLiteral("The start that asked went away before its answer."));
                emit askerLeft(asker);
            };
        } else {
            connection->readable.setEnabled(false);
            forget(connection);
        }
        VQLog(QStringLiteral("Another start asked for: %1").arg(line));
        emit messageReceived(line, reply, asker);
    });
}

void VQInstanceChannel::forget(VQChannelConnection *connection)
{
    if (!_connections.removeOne(connection))
        return;
    _silent.removeOne(connection);
    connection->close();
    connection->deleteLater();
}
