#include "core/sync/VQFileCoordinator.h"

#include "vqcore/VQPropertyList.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <optional>
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

// One name for a file, however a process of ours spells its path: links
// resolved, the file's own too when it is there.
QString lockName(const QString &target)
{
    const QFileInfo info(target);
    QString key = info.canonicalFilePath();
    if (key.isEmpty()) {
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        key = (folder.isEmpty() ? QDir::cleanPath(info.absolutePath()) : folder) + QLatin1Char('/') + info.fileName();
    }
    return QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(key), QCryptographicHash::Sha256).toHex()) +
           QStringLiteral(".lock");
}

// What the name `path` is (through links, with VQLinks::Follow); nothing when it is not there.
std::optional<struct stat> stamp(const QByteArray &path, VQLinks links)
{
    struct stat st {
    };
    const int result = links == VQLinks::Follow ? ::stat(path.constData(), &st) : ::lstat(path.constData(), &st);
    return result == 0 ? std::optional(st) : std::nullopt;
}

bool unchanged(const std::optional<struct stat> &before, const std::optional<struct stat> &after)
{
    if (!before || !after)
        return !before && !after;
    const auto same = [](const timespec &a, const timespec &b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return before->st_dev == after->st_dev && before->st_ino == after->st_ino && before->st_size == after->st_size &&
           same(before->st_mtim, after->st_mtim) && same(before->st_ctim, after->st_ctim);
}
} // namespace

QString VQFileLock::lockFilePath(const QString &target, QString *error)
{
    QString problem;
    const QString runtime = VQRuntimeFolder(&problem);
    const QString folder = runtime + QStringLiteral("/vellico-locks");
    if (runtime.isEmpty())
        problem = QStringLiteral("no folder of this user's own for lock files: ") + problem;
    else if (problem = VQPrivateFolderProblemAt(folder, true); !problem.isEmpty())
        problem = folder + QLatin1Char(' ') + problem;
    else
        return folder + QLatin1Char('/') + lockName(target);
    if (error)
        *error = problem;
    return {};
}

VQFileLock::VQFileLock(const QString &target, int timeoutMs)
{
    const QString lockPath = lockFilePath(target, &_error);
    if (lockPath.isEmpty())
        return;
    const QByteArray encoded = QFile::encodeName(lockPath);
    const QDeadlineTimer deadline(timeoutMs);

    // The lock file is the name itself, never what a link there points to, and
    // never anything but a regular file (a named pipe would hold the open).
    const auto notOurs = [&] {
        _error = QStringLiteral("the lock file %1 is %2, not a file").arg(lockPath, VQEntryAt(lockPath).description);
    };
    for (;;) {
        _fd = ::open(encoded.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (_fd < 0) {
            if (errno == ELOOP || errno == EISDIR)
                notOurs();
            else
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
        while (::flock(_fd, LOCK_EX | LOCK_NB) != 0) {
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
        // Locked; but if the name was meanwhile given to another file (a
        // clean-up of old files in the runtime folder removed it), our lock
        // guards nothing: lock the new one.
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

bool readWithoutLock(const QString &target, VQLinks links,
                     const std::function<bool(const QByteArray &bytes, QString *problem)> &use, QString *error)
{
    const QByteArray name = QFile::encodeName(target);
    QString problem;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt > 0)
            QThread::msleep(kRereadPauseMs);
        const std::optional<struct stat> before = stamp(name, links);
        const std::optional<VQFileBytes> bytes = VQReadFileBytes(target, VQPlistMaxFileBytes, &problem, links);
        const bool used = bytes && use(bytes->bytes(), &problem);
        if (!unchanged(before, stamp(name, links)) || (bytes && bytes->cutShort()))
            problem = QStringLiteral("it changed while it was read");
        else if (used)
            return true;
        else if (!bytes)
            break; // a link, a pipe, too large: the same again
    }
    if (error)
        *error = problem;
    return false;
}

bool coordinateWriting(const QString &target, const std::function<bool(QString *error)> &accessor, QString *error,
                       int timeoutMs)
{
    VQFileLock lock(target, timeoutMs);
    if (!lock.isAcquired()) {
        if (error)
            *error = lock.error();
        return false;
    }
    return accessor(error);
}

} // namespace VQFileCoordinator
