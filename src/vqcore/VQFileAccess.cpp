#include "vqcore/VQFileAccess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringList>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace
{

QString describeMode(mode_t mode)
{
    if (S_ISREG(mode))
        return QStringLiteral("a regular file");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a regular file");
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

class Descriptor
{
  public:
    explicit Descriptor(int fd) : _fd(fd) {}
    Descriptor(Descriptor &&other) noexcept : _fd(other.release()) {}
    ~Descriptor()
    {
        if (_fd >= 0)
            ::close(_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return _fd; }
    int release()
    {
        const int fd = _fd;
        _fd = -1;
        return fd;
    }

  private:
    int _fd;
};

} // namespace

QString VQByteCountText(quint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 bytes").arg(bytes);
    static const char *const units[] = {"KB", "MB", "GB", "TB"};
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    QString number = QString::number(value, 'f', value < 10 ? 1 : 0);
    if (number.endsWith(QLatin1String(".0")))
        number.chop(2);
    return number + QLatin1Char(' ') + QLatin1String(units[unit]);
}

namespace
{
// Opens `path` and makes the checks of VQReadRegularFile on the descriptor;
// nothing, with `error` set, when the file is refused.
std::optional<Descriptor> openRegularFile(const QString &path, qint64 budget, QString *error, VQLinks links,
                                          VQOwner owner, std::optional<VQFileIdentity> *opened, struct stat &st)
{
    if (opened)
        opened->reset();
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that a named pipe cannot hold us at the open; the type
    // is checked on the descriptor, so the file cannot change in between.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == VQLinks::Refuse ? O_NOFOLLOW : 0);
    std::optional<Descriptor> fd(std::in_place, ::open(name.constData(), flags));
    if (fd->get() < 0) {
        const int openError = errno;
        if (openError == ELOOP && links == VQLinks::Refuse)
            setError(error, QStringLiteral("a symbolic link, not a file"));
        else
            setError(error, qt_error_string(openError));
        return std::nullopt;
    }
    if (::fstat(fd->get(), &st) != 0) {
        setError(error, qt_error_string(errno));
        return std::nullopt;
    }
    if (opened)
        *opened = VQFileIdentity{st.st_dev, st.st_ino, st.st_uid};
    if (!S_ISREG(st.st_mode)) {
        setError(error, describeMode(st.st_mode) + QStringLiteral(", not a file"));
        return std::nullopt;
    }
    if (owner == VQOwner::Us && st.st_uid != ::geteuid()) {
        setError(error, QStringLiteral("owned by another user (uid %1)").arg(st.st_uid));
        return std::nullopt;
    }
    if (owner == VQOwner::Us && st.st_nlink != 1) {
        setError(error, QStringLiteral("%1 hard links, not one").arg(st.st_nlink));
        return std::nullopt;
    }
    if (st.st_size > budget) {
        setError(error, QStringLiteral("%1, more than the %2 allowed")
                            .arg(VQByteCountText(quint64(st.st_size)), VQByteCountText(quint64(budget))));
        return std::nullopt;
    }
    return fd;
}

// Exactly the size fstat gave, and then a little more to see whether the file
// holds more than it says (a file of /proc says 0 and never ends).
std::optional<QByteArray> readAll(int fd, off_t size, QString *error)
{
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            setError(error, qt_error_string(errno));
            return std::nullopt;
        }
        if (n == 0)
            break; // it shrank meanwhile: what there is
        done += n;
    }
    bytes.truncate(done);
    char more[4096]; // some files of the system read only in whole records
    ssize_t extra = 0;
    do
        extra = ::read(fd, more, sizeof more);
    while (extra < 0 && errno == EINTR);
    if (extra < 0) {
        setError(error, qt_error_string(errno));
        return std::nullopt;
    }
    if (extra > 0) {
        setError(error, QStringLiteral("holds more than the %1 its size says").arg(VQByteCountText(quint64(done))));
        return std::nullopt;
    }
    return bytes;
}

// Files mapped by VQReadFileBytes, for the SIGBUS handler: a page of a mapped
// file that someone cuts short raises SIGBUS when it is read. The handler puts
// a page of zeros there instead, notes that the file was cut and lets the
// reader go on; a SIGBUS anywhere else goes where it went before.
struct MappedRange {
    std::atomic<std::uintptr_t> begin{0}; // 0: a free slot
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> cut{false};
};
constexpr int kMappedSlots = 32;
MappedRange gMapped[kMappedSlots];
struct sigaction gPreviousBusAction;
std::uintptr_t gPageSize = 4096;

void onBusError(int signal, siginfo_t *info, void *context)
{
    const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (MappedRange &range : gMapped) {
        const std::uintptr_t begin = range.begin.load(std::memory_order_acquire);
        if (begin == 0 || at < begin || at >= range.end.load(std::memory_order_acquire))
            continue;
        void *page = reinterpret_cast<void *>(at & ~(gPageSize - 1));
        if (::mmap(page, gPageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            range.cut.store(true, std::memory_order_release);
            return; // the read is made again, of the zeros
        }
        break;
    }
    if ((gPreviousBusAction.sa_flags & SA_SIGINFO) && gPreviousBusAction.sa_sigaction) {
        gPreviousBusAction.sa_sigaction(signal, info, context);
    } else if (gPreviousBusAction.sa_handler != SIG_DFL && gPreviousBusAction.sa_handler != SIG_IGN) {
        gPreviousBusAction.sa_handler(signal);
    } else {
        // The fault comes again on return, and ends the process as it would have.
        struct sigaction fallback {
        };
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        ::sigaction(SIGBUS, &fallback, nullptr);
    }
}

bool installBusHandler()
{
    static const bool installed = [] {
        gPageSize = std::uintptr_t(::sysconf(_SC_PAGESIZE));
        struct sigaction action {
        };
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_RESTART | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        return ::sigaction(SIGBUS, &action, &gPreviousBusAction) == 0;
    }();
    return installed;
}

// A slot of gMapped for [begin, end), or -1 when all are taken.
int guardRange(const void *begin, std::size_t length)
{
    for (int slot = 0; slot < kMappedSlots; ++slot) {
        std::uintptr_t free = 0;
        MappedRange &range = gMapped[slot];
        // Claimed with a placeholder first, so that no other thread takes the slot.
        if (!range.begin.compare_exchange_strong(free, 1, std::memory_order_acq_rel))
            continue;
        range.cut.store(false, std::memory_order_relaxed);
        range.end.store(reinterpret_cast<std::uintptr_t>(begin) + length, std::memory_order_release);
        range.begin.store(reinterpret_cast<std::uintptr_t>(begin), std::memory_order_release);
        return slot;
    }
    return -1;
}
} // namespace

std::optional<QByteArray> VQReadRegularFile(const QString &path, qint64 budget, QString *error, VQLinks links,
                                            VQOwner owner, std::optional<VQFileIdentity> *opened)
{
    struct stat st {
    };
    const std::optional<Descriptor> fd = openRegularFile(path, budget, error, links, owner, opened, st);
    if (!fd)
        return std::nullopt;
    return readAll(fd->get(), st.st_size, error);
}

VQFileBytes::VQFileBytes(QByteArray bytes) : _bytes(std::move(bytes)) {}

VQFileBytes::VQFileBytes(VQFileBytes &&other) noexcept
    : _bytes(std::exchange(other._bytes, QByteArray())), _map(std::exchange(other._map, nullptr)),
      _length(std::exchange(other._length, 0)), _slot(std::exchange(other._slot, -1))
{
}

VQFileBytes &VQFileBytes::operator=(VQFileBytes &&other) noexcept
{
    if (this != &other) {
        release();
        _bytes = std::exchange(other._bytes, QByteArray());
        _map = std::exchange(other._map, nullptr);
        _length = std::exchange(other._length, 0);
        _slot = std::exchange(other._slot, -1);
    }
    return *this;
}

VQFileBytes::~VQFileBytes()
{
    release();
}

void VQFileBytes::release()
{
    _bytes = QByteArray();
    if (_slot >= 0) {
        gMapped[_slot].begin.store(0, std::memory_order_release);
        gMapped[_slot].end.store(0, std::memory_order_release);
    }
    if (_map)
        ::munmap(_map, _length);
    _map = nullptr;
    _length = 0;
    _slot = -1;
}

bool VQFileBytes::cutShort() const
{
    return _slot >= 0 && gMapped[_slot].cut.load(std::memory_order_acquire);
}

std::optional<VQFileBytes> VQReadFileBytes(const QString &path, qint64 budget, QString *error, VQLinks links,
                                           VQOwner owner, std::optional<VQFileIdentity> *opened)
{
    struct stat st {
    };
    const std::optional<Descriptor> fd = openRegularFile(path, budget, error, links, owner, opened, st);
    if (!fd)
        return std::nullopt;
    if (st.st_size >= VQFileBytes::kMapFrom && installBusHandler()) {
        const std::size_t length = std::size_t(st.st_size);
        void *map = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd->get(), 0);
        if (map != MAP_FAILED) {
            const int slot = guardRange(map, length);
            if (slot >= 0) {
                VQFileBytes bytes(QByteArray::fromRawData(static_cast<const char *>(map), qsizetype(length)));
                bytes._map = map;
                bytes._length = length;
                bytes._slot = slot;
                return bytes;
            }
            ::munmap(map, length);
        }
    }
    std::optional<QByteArray> bytes = readAll(fd->get(), st.st_size, error);
    if (!bytes)
        return std::nullopt;
    return VQFileBytes(std::move(*bytes));
}

bool VQRemoveIfStill(const QString &path, const VQFileIdentity &file, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {
    };
    if (::lstat(name.constData(), &st) != 0) {
        if (errno == ENOENT)
            return true;
        setError(error, qt_error_string(errno));
        return false;
    }
    if (st.st_dev != file.device || st.st_ino != file.inode) {
        setError(error, QStringLiteral("it now names another file, which is left alone"));
        return false;
    }
    if (::unlink(name.constData()) != 0 && errno != ENOENT) {
        setError(error, qt_error_string(errno));
        return false;
    }
    return true;
}

VQEntry VQEntryAt(const QString &path)
{
    struct stat st {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {VQEntry::Type::Missing, QStringLiteral("nothing")};
    return {S_ISREG(st.st_mode) ? VQEntry::Type::Regular : VQEntry::Type::Other, describeMode(st.st_mode)};
}

std::optional<QString> VQSetAside(const QString &path, QString *error)
{
    const QByteArray from = QFile::encodeName(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HHmmss"));
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const QString target = path + QStringLiteral(" (set aside %1%2)")
                                          .arg(stamp, attempt == 1 ? QString() : QStringLiteral(" %1").arg(attempt));
        const QByteArray to = QFile::encodeName(target);
        int result = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        if (result != 0 && errno == EINVAL) {
            // A file system without RENAME_NOREPLACE: look first.
            struct stat st {
            };
            if (::lstat(to.constData(), &st) == 0) {
                errno = EEXIST;
            } else {
                result = ::rename(from.constData(), to.constData());
            }
        }
        if (result == 0)
            return target;
        if (errno != EEXIST) {
            setError(error, qt_error_string(errno));
            return std::nullopt;
        }
    }
    setError(error, QStringLiteral("too many files already set aside"));
    return std::nullopt;
}

bool VQWriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    VQAtomicFileWriter file(path);
    if (file.open())
        file.write(bytes.constData(), bytes.size());
    return file.commit(error);
}

bool VQReplaceFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    VQAtomicFileWriter file(path, VQLinks::Refuse);
    if (file.open())
        file.write(bytes.constData(), bytes.size());
    return file.commit(error);
}

VQAtomicFileWriter::VQAtomicFileWriter(const QString &path, VQLinks links) : _path(path), _links(links) {}

VQAtomicFileWriter::~VQAtomicFileWriter()
{
    if (_fd >= 0)
        ::close(_fd);
    if (!_temporary.isEmpty())
        ::unlink(_temporary.constData());
}

bool VQAtomicFileWriter::fail(const QString &error)
{
    if (_error.isEmpty())
        _error = error;
    if (_fd >= 0)
        ::close(_fd);
    _fd = -1;
    if (!_temporary.isEmpty())
        ::unlink(_temporary.constData());
    _temporary.clear();
    return false;
}

bool VQAtomicFileWriter::open()
{
    if (!_error.isEmpty() || _fd >= 0)
        return _fd >= 0;
    QFileInfo info(_path);
    if (_links == VQLinks::Follow) {
        for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
            info.setFile(info.symLinkTarget());
    }
    _target = info.isSymLink() ? _path : info.filePath();
    const QByteArray target = QFile::encodeName(_target);
    struct stat existing {
    };
    const bool replacing = ::lstat(target.constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (replacing && _links == VQLinks::Follow && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        return fail(qt_error_string(errno)); // the file may not be written

    // Hidden, so that nobody takes a half-written copy for the file.
    const QFileInfo placed(_target);
    for (int attempt = 0; attempt < 100 && _fd < 0; ++attempt) {
        _temporary = QFile::encodeName(
            placed.absolutePath() + QStringLiteral("/.") + placed.fileName() +
            QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
        _fd = ::open(_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (_fd < 0 && errno != EEXIST) {
            _temporary.clear();
            return fail(
                QStringLiteral("cannot create a file in %1: %2").arg(placed.absolutePath(), qt_error_string(errno)));
        }
    }
    if (_fd < 0) {
        _temporary.clear();
        return fail(QStringLiteral("cannot find a free temporary name in %1").arg(placed.absolutePath()));
    }
    if (replacing && existing.st_uid == ::geteuid())
        ::fchmod(_fd, existing.st_mode & 07777);
    return true;
}

void VQAtomicFileWriter::setMaximumSize(qint64 bytes, const QString &tooLarge)
{
    _maximum = bytes;
    _tooLarge = tooLarge;
}

bool VQAtomicFileWriter::write(const char *bytes, qsizetype size)
{
    if (_fd < 0)
        return false;
    _written += size;
    if (_maximum >= 0 && _written > _maximum)
        return fail(_tooLarge);
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = ::write(_fd, bytes + done, std::size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(qt_error_string(n < 0 ? errno : EIO));
        done += n;
    }
    return true;
}

bool VQAtomicFileWriter::commit(QString *error)
{
    if (_fd >= 0) {
        // A file system may tell of a full disk only when the data reach it.
        if (::fsync(_fd) != 0)
            fail(qt_error_string(errno));
        else if (::close(std::exchange(_fd, -1)) != 0)
            fail(qt_error_string(errno));
        // rename(2) replaces the name: a link there is replaced, not followed.
        else if (::rename(_temporary.constData(), QFile::encodeName(_target).constData()) != 0)
            fail(QStringLiteral("cannot replace %1: %2").arg(_target, qt_error_string(errno)));
        else {
            _temporary.clear();
            return true;
        }
    }
    fail(QStringLiteral("the file was never opened"));
    setError(error, _error);
    return false;
}

QString VQPrivateFolderProblem(unsigned mode, unsigned owner, unsigned user)
{
    if (S_ISLNK(mode))
        return QStringLiteral("is a symbolic link");
    if (!S_ISDIR(mode))
        return QStringLiteral("is not a folder");
    if (owner != user)
        return QStringLiteral("belongs to user %1").arg(owner);
    if (mode & (S_IRWXG | S_IRWXO))
        return QStringLiteral("is open to other users (mode %1)").arg(mode & 07777, 4, 8, QLatin1Char('0'));
    return {};
}

QString VQPrivateFolderProblemAt(const QString &path, bool make)
{
    const QByteArray native = QFile::encodeName(path);
    if (make && ::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return QStringLiteral("could not be made (%1)").arg(qt_error_string(errno));
    struct stat info = {};
    if (::lstat(native.constData(), &info) != 0)
        return QStringLiteral("could not be read (%1)").arg(qt_error_string(errno));
    return VQPrivateFolderProblem(info.st_mode, info.st_uid, ::geteuid());
}

QString VQRuntimeFolder(QString *problems)
{
    QStringList found;
    const auto usable = [&found](const QString &path, bool make) {
        const QString problem = VQPrivateFolderProblemAt(path, make);
        if (!problem.isEmpty())
            found << path + QLatin1Char(' ') + problem;
        return problem.isEmpty();
    };
    QString user = QString::number(::geteuid());
    if (const passwd *entry = ::getpwuid(::geteuid()))
        user = QString::fromLocal8Bit(entry->pw_name);
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString folder;
    if (!session.isEmpty() && usable(session, false)) {
        folder = session;
    } else if (const QString temporary = QDir::tempPath() + QStringLiteral("/runtime-") + user;
               usable(temporary, true)) {
        // Where Qt, and Vellico before, keep runtime files when the session names no folder.
        folder = temporary;
    } else if (const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
               !cache.isEmpty() && QDir().mkpath(cache + QStringLiteral("/Vellico")) &&
               usable(cache + QStringLiteral("/Vellico/runtime"), true)) {
        // Someone else took that name in the shared folder.
        folder = cache + QStringLiteral("/Vellico/runtime");
    }
    if (problems)
        *problems = found.join(QStringLiteral("; "));
    return folder;
}
