#include "core/sync/VQFileCoordinator.h"

#include "vqcore/VQFileAccess.h"
#include "vqcore/VQPropertyList.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int kPollMs = 10;

bool sameFile(int fd, const QByteArray &path)
{
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) != 0 || ::lstat(path.constData(), &named) != 0)
        return false;
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}
} // namespace

QString VQFileLock::lockFilePath(const QString &target)
{
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}

VQFileLock::VQFileLock(const QString &target, Mode mode, int timeoutMs)
{
    const QString lockPath = lockFilePath(target);
    const QByteArray encoded = QFile::encodeName(lockPath);
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const QDeadlineTimer deadline(timeoutMs);

    // The lock file is the name itself, never what a link there points to (it
    // would make us create or lock a file anywhere), and never anything but a
    // regular file (a named pipe would hold the open).
    const auto notOurs = [&] {
        _error = QStringLiteral("the lock file %1 is %2, not a file").arg(lockPath, VQEntryAt(lockPath).description);
    };
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    for (;;) {
        _fd = ::open(encoded.constData(), O_RDWR | O_CREAT | kFlags, 0644);
        if (_fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
            _fd = ::open(encoded.constData(), O_RDONLY | kFlags);
        if (_fd < 0) {
            if (errno == ELOOP || errno == EISDIR) {
                notOurs();
                return;
            }
            if (mode == Mode::Shared && (errno == EACCES || errno == EROFS || errno == EPERM || errno == ENOENT)) {
                _acquired = true; // nobody can write here either
                return;
            }
            _error = QStringLiteral("cannot open the lock file %1: %2").arg(lockPath, qt_error_string(errno));
            return;
        }
        struct stat st {
        };
        if (::fstat(_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(_fd);
            _fd = -1;
            notOurs();
            return;
        }
        while (::flock(_fd, operation) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                _error = QStringLiteral("cannot lock %1: %2").arg(lockPath, qt_error_string(errno));
                ::close(_fd);
                _fd = -1;
                return;
            }
            if (deadline.hasExpired()) {
                _error = QStringLiteral("timed out after %1 ms waiting for another process to finish with %2")
                             .arg(timeoutMs)
                             .arg(target);
                ::close(_fd);
                _fd = -1;
                return;
            }
            QThread::msleep(kPollMs);
        }
        // Locked; but if the name was meanwhile given to another file (a sync
        // tool replaced it), our lock guards nothing: lock the new one.
        if (sameFile(_fd, encoded)) {
            _acquired = true;
            return;
        }
        ::close(_fd);
        _fd = -1;
    }
}

VQFileLock::~VQFileLock()
{
    if (_fd >= 0)
        ::close(_fd); // closing releases the flock
}

namespace VQFileCoordinator
{

bool coordinateReading(const QString &target, const std::function<void()> &accessor, QString *error, int timeoutMs)
{
    VQFileLock lock(target, VQFileLock::Mode::Shared, timeoutMs);
    if (!lock.isAcquired()) {
        if (error)
            *error = lock.error();
        return false;
    }
    accessor();
    return true;
}

bool readFile(const QString &target, QByteArray *bytes, QString *error, int timeoutMs)
{
    if (!QFileInfo(target).isFile()) {
        // Nothing to wait for, and no lock file to leave beside a name that is not there.
        if (error)
            *error = QStringLiteral("no file at %1").arg(target);
        return false;
    }
    QString readError;
    std::optional<QByteArray> read;
    const bool locked = coordinateReading(
        target, [&] { read = VQReadRegularFile(target, VQPlistMaxFileBytes, &readError); }, error, timeoutMs);
    if (locked && read)
        *bytes = std::move(*read);
    else if (locked && error)
        *error = readError;
    return locked && read;
}

bool coordinateWriting(const QString &target, const std::function<bool(QString *error)> &accessor, QString *error,
                       int timeoutMs)
{
    VQFileLock lock(target, VQFileLock::Mode::Exclusive, timeoutMs);
    if (!lock.isAcquired()) {
        if (error)
            *error = lock.error();
        return false;
    }
    return accessor(error);
}

} // namespace VQFileCoordinator
