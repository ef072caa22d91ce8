#pragma once
// The local socket primitives of the instance channel: both its ends (the
// running Vellico listening, a later start sending its line) use them.

#include <QDeadlineTimer>
#include <QString>

struct sockaddr_un;

namespace VQLocalSocket
{
// A handful of short words: anything longer is not one of ours.
constexpr qint64 kMaximumMessage = 4096;
constexpr int kTimeoutMs = 5000;

QString errnoText(int error);
// The user at the other end of a connected local socket; -1 when unknown.
qint64 peerUser(qintptr descriptor);
// The address of the socket at `path`; false when the path is too long for one.
bool socketAddress(const QString &path, sockaddr_un &address);
// Waits until `descriptor` can be read (or written) or `deadline` passes, or
// `interruption` (when not -1) becomes readable: then false with `*interrupted` set.
bool waitFor(int descriptor, short events, const QDeadlineTimer &deadline, int interruption = -1,
             bool *interrupted = nullptr);
// Sends one line and waits for the one-line answer; `*interrupted` when
// `interruption` became readable first.
bool sendMessage(const QString &socketPath, const QString &message, QString *answer, QString *error, bool waitForever,
                 int interruption, bool *interrupted);
} // namespace VQLocalSocket
