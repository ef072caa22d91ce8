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

// Like VQWriteFileAtomically, but the name `path` itself is replaced: a
// symbolic link there is replaced by the file, never written through. The
// temporary file is made beside it with O_EXCL and O_NOFOLLOW. A folder at
// `path` makes it fail and is left alone.
bool VQReplaceFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// "180 KB", "6.0 GB": sizes in messages.
QString VQByteCountText(quint64 bytes);
