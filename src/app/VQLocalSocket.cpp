#include "app/VQLocalSocket.h"

#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace VQLocalSocket
{

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The user at the other end of a connected local socket; -1 when unknown.
qint64 peerUser(qintptr descriptor)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return -1;
    return credentials.uid;
}

// The address of the socket at `path`; false when the path is too long for one.
bool socketAddress(const QString &path, sockaddr_un &address)
{
    const QByteArray native = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (native.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    return true;
}

// Waits until `descriptor` can be read (or written) or `deadline` passes, or
// `interruption` (when not -1) becomes readable: then false with `*interrupted` set.
bool waitFor(int descriptor, short events, const QDeadlineTimer &deadline, int interruption, bool *interrupted)
{
    for (;;) {
        pollfd wanted[2] = {{descriptor, events, 0}, {interruption, POLLIN, 0}};
        const int ready =
            ::poll(wanted, interruption >= 0 ? 2 : 1, deadline.isForever() ? -1 : int(deadline.remainingTime()));
        if (ready > 0 && interruption >= 0 && wanted[1].revents != 0) {
            if (interrupted)
                *interrupted = true;
            return false;
        }
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// Sends one line and waits for the one-line answer; `*interrupted` when
// `interruption` became readable first.
bool sendMessage(const QString &socketPath, const QString &message, QString *answer, QString *error, bool waitForever,
                 int interruption, bool *interrupted)
{
    sockaddr_un address;
    if (!socketAddress(socketPath, address)) {
        *error = QStringLiteral("the path is too long for a socket");
        return false;
    }
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (descriptor < 0) {
        *error = errnoText(errno);
        return false;
    }
    const auto closing = qScopeGuard([descriptor] { ::close(descriptor); });
    // A local connection is made at once, or refused (a listener whose
    // queue is full refuses too, and the caller tries again).
    if (::connect(descriptor, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        *error = QStringLiteral("%1: %2").arg(socketPath, errnoText(errno));
        return false;
    }
    // Only a Vellico of our own gets our commands and is believed.
    const qint64 peer = peerUser(descriptor);
    if (peer != qint64(::geteuid())) {
        *error = QStringLiteral("%1 is served by user %2, not by us").arg(socketPath).arg(peer);
        return false;
    }
    const QByteArray line = message.toUtf8() + '\n';
    const QDeadlineTimer writing(kTimeoutMs);
    for (qsizetype sent = 0; sent < line.size();) {
        const ssize_t written = ::send(descriptor, line.constData() + sent, size_t(line.size() - sent), MSG_NOSIGNAL);
        if (written > 0) {
            sent += written;
        } else if (errno != EINTR && (errno != EAGAIN || !waitFor(descriptor, POLLOUT, writing))) {
            *error = errno == EAGAIN ? QStringLiteral("the running Vellico took no command") : errnoText(errno);
            return false;
        }
    }
    const QDeadlineTimer deadline(waitForever ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(kTimeoutMs));
    QByteArray received;
    while (!received.contains('\n') && received.size() < kMaximumMessage) {
        char chunk[512];
        const ssize_t got = ::recv(descriptor, chunk, sizeof chunk, 0);
        if (got > 0) {
            received.append(chunk, got);
        } else if (got == 0 || (errno != EINTR && (errno != EAGAIN || !waitFor(descriptor, POLLIN, deadline,
                                                                               interruption, interrupted)))) {
            *error =
                *interrupted ? QStringLiteral("interrupted") : QStringLiteral("no answer from the running Vellico");
            return false;
        }
    }
    *answer = QString::fromUtf8(received.left(received.indexOf('\n')).left(kMaximumMessage)).trimmed();
    return true;
}

} // namespace VQLocalSocket
