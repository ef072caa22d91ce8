#pragma once
// Reading and replacing files that someone else may have put in our way: the
// shared sync folder, a library or an import file the user picked.
//
// Only a regular file is ever read. The open never blocks (a named pipe), a
// device is refused, and the size from fstat(2) is checked against a budget
// before the first byte is read, so neither a huge sparse file nor one of
// /proc's endless files gets into memory. Where links are refused, the name
// must be the file itself (O_NOFOLLOW), so a link in a shared folder cannot
// lead us to a file elsewhere. Where the file must be our own (one that a
// program of ours wrote to a shared folder such as /tmp), it must belong to
// us and have no other name, so nobody else can have made it first, read it
// or changed it. Every check is made on the descriptor the bytes are read from.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <optional>

#include <sys/types.h>

enum class VQLinks {
    Follow, // the user chose the path, links and all
    Refuse, // the name must be the file itself
};

enum class VQOwner {
    Anyone,
    Us, // our effective user's, with one link (no other name that someone else made)
};

// The file a read opened, for removing that very file afterwards.
struct VQFileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    uid_t owner = 0;
};

// Reads the whole regular file at `path`, refusing one larger than `budget`
// bytes. On refusal `error` says why in a few words ("a named pipe, not a
// file", "6.0 GB, more than the 256 MB allowed", "owned by another user (uid
// 65534)", "2 hard links, not one"). `opened`, when given, is set to what was
// opened whenever something was, refused or not.
std::optional<QByteArray> VQReadRegularFile(const QString &path, qint64 budget, QString *error = nullptr,
                                            VQLinks links = VQLinks::Follow, VQOwner owner = VQOwner::Anyone,
                                            std::optional<VQFileIdentity> *opened = nullptr);

class VQFileBytes;

// VQReadRegularFile, with the same checks and errors, for a reader that goes
// through the bytes once and keeps nothing of them (a property-list parser).
std::optional<VQFileBytes> VQReadFileBytes(const QString &path, qint64 budget, QString *error = nullptr,
                                           VQLinks links = VQLinks::Follow, VQOwner owner = VQOwner::Anyone,
                                           std::optional<VQFileIdentity> *opened = nullptr);

// The bytes of a regular file, to be read through while this lives: a file
// of kMapFrom bytes or more is mapped rather than copied, so that reading it
// touches the system's cache of the file and no fresh memory of ours; a
// smaller one (or one that cannot be mapped) is read as VQReadRegularFile
// reads it.
class VQFileBytes
{
  public:
    static constexpr qint64 kMapFrom = qint64(1) << 20;

    explicit VQFileBytes(QByteArray bytes);
    VQFileBytes(VQFileBytes &&other) noexcept;
    VQFileBytes &operator=(VQFileBytes &&other) noexcept;
    VQFileBytes(const VQFileBytes &) = delete;
    VQFileBytes &operator=(const VQFileBytes &) = delete;
    ~VQFileBytes();

    // Valid while this lives: a copy of it does not own the bytes of a mapped file.
    const QByteArray &bytes() const { return _bytes; }
    // Someone cut the mapped file short while it was read: the part that went
    // read as zeros, so nothing read from bytes() can be trusted to be the file.
    bool cutShort() const;
    bool isMapped() const { return _map != nullptr; }

  private:
    friend std::optional<VQFileBytes> VQReadFileBytes(const QString &, qint64, QString *, VQLinks, VQOwner,
                                                      std::optional<VQFileIdentity> *);
    void release();

    QByteArray _bytes;
    void *_map = nullptr;
    std::size_t _length = 0;
    int _slot = -1;
};

// Removes the name `path` only while it still names `file` (lstat(2) gives its
// device and inode): never whatever someone put there since. False, with
// `error` set, when it names something else or cannot be removed; true when
// it was removed or is gone already.
bool VQRemoveIfStill(const QString &path, const VQFileIdentity &file, QString *error = nullptr);

// What the name `path` itself is; a link is not followed.
struct VQEntry {
    enum class Type { Missing, Regular, Other };
    Type type = Type::Missing;
    QString description; // for messages: "a symbolic link", "a folder", "a named pipe"…
};
VQEntry VQEntryAt(const QString &path);

// Moves whatever is at `path` (a link, a folder, anything) to
// "NAME (set aside 2026-12-07 101500)" in the same folder, never replacing
// something there. The new path, or nothing with `error` set.
std::optional<QString> VQSetAside(const QString &path, QString *error = nullptr);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. On failure the old file is untouched, no temporary
// file is left, and `error` says why in the system's own words for the call
// that failed ("No space left on device", "Permission denied"). A symbolic link
// at `path` is written through, as the user chose it: the file it leads to is
// replaced. A file there that we may not write is refused; one of ours keeps
// its permissions.
bool VQWriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Like VQWriteFileAtomically, but the name `path` itself is replaced: a
// symbolic link there is replaced by the file, never written through. The
// temporary file is made beside it with O_EXCL and O_NOFOLLOW. A folder at
// `path` makes it fail and is left alone.
bool VQReplaceFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// The same, for a document written piece by piece as it is made: open(),
// write() as often as there is something, then commit(). A failed open or
// write is remembered (later writes do nothing) and commit() then removes the
// temporary file and says why; so does a writer dropped without a commit.
// VQLinks::Follow writes as VQWriteFileAtomically, VQLinks::Refuse as
// VQReplaceFileAtomically.
class VQAtomicFileWriter
{
  public:
    explicit VQAtomicFileWriter(const QString &path, VQLinks links = VQLinks::Follow);
    ~VQAtomicFileWriter();
    VQAtomicFileWriter(const VQAtomicFileWriter &) = delete;
    VQAtomicFileWriter &operator=(const VQAtomicFileWriter &) = delete;

    bool open();
    bool write(const char *bytes, qsizetype size);
    bool commit(QString *error = nullptr);

    // A write that would make the file larger than `bytes` fails, and the
    // error says so with `tooLarge`.
    void setMaximumSize(qint64 bytes, const QString &tooLarge);

  private:
    bool fail(const QString &error);

    qint64 _written = 0;
    qint64 _maximum = -1;
    QString _tooLarge;

    QString _path;
    VQLinks _links;
    QString _target;       // the name replaced at commit: `path`, or where its links lead
    QByteArray _temporary; // encoded; empty until open() made it
    int _fd = -1;
    QString _error;
};

// "180 KB", "6.0 GB": sizes in messages.
QString VQByteCountText(quint64 bytes);

// Folders that only the user's own processes may enter: the one-instance
// socket, and the locks by which this user's processes take turns at a file.
//
// Why a file with these lstat() fields can't be such a folder of `user`'s (a
// real folder, owned by `user`, that nobody else may read, write or enter), or
// empty when it can.
QString VQPrivateFolderProblem(unsigned mode, unsigned owner, unsigned user);
// The same for the folder at `path`; with `make`, a missing one is made first,
// closed to everyone else.
QString VQPrivateFolderProblemAt(const QString &path, bool make);
// The user's runtime folder: $XDG_RUNTIME_DIR, else runtime-<user> in the
// temporary folder (made here), else Vellico/runtime in the user's cache
// folder; the first that is private to us, or empty when none is. `problems`
// names each folder passed over and why.
QString VQRuntimeFolder(QString *problems = nullptr);
