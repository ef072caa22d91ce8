#pragma once
// Reading and writing files that other processes read and write too: another
// Vellico or vellico-cli of this user, and, through a sync tool or a network
// share, Vellicos of other users and other computers.
//
//   folder/
//     alice1f3c….vlb          the file itself, only ever replaced whole (rename)
//   <runtime folder>/vellico-locks/
//     3f5a….lock              empty; flock(2) on it while the file is replaced
//
// This user's processes take turns at a file through a lock in the user's
// runtime folder (VQRuntimeFolder), which no other user may enter, named after
// the file's absolute path (its folder's links resolved): so every process of
// ours finds the same lock, and nobody else can open it and keep us waiting.
// Nothing is ever made beside the file. The ".NAME.lock" files that earlier
// versions left beside each file are neither used nor removed.
//
// Files that others write (another computer's file in the sync folder) are
// read without any lock. As every writer replaces a file whole, a read sees
// the old file or the new; one that caught a sync tool writing in place is
// read again.

#include "vqcore/VQFileAccess.h"

#include <QByteArray>
#include <QString>

#include <functional>

class VQFileLock
{
  public:
    // Waits up to `timeoutMs` for the lock on `target`. A lock file that is a
    // link, a folder or anything but a regular file is neither followed nor
    // locked: the lock fails and error() says what is there.
    VQFileLock(const QString &target, int timeoutMs);
    ~VQFileLock();
    VQFileLock(const VQFileLock &) = delete;
    VQFileLock &operator=(const VQFileLock &) = delete;

    bool isAcquired() const { return _acquired; }
    const QString &error() const { return _error; }

    // The lock file for `target` in the user's private folder of locks (made
    // when missing); empty, with `error` set, when there is no such folder.
    static QString lockFilePath(const QString &target, QString *error = nullptr);

  private:
    int _fd = -1;
    bool _acquired = false;
    QString _error;
};

namespace VQFileCoordinator
{
// How long a pass waits for another process of ours to finish with a file.
inline constexpr int kDefaultTimeoutMs = 5000;
// How long a read that caught a file changing waits before it reads again.
inline constexpr int kRereadPauseMs = 100;

// Reads `target`, a file others may be writing, without any lock: the whole
// regular file, at most VQPlistMaxFileBytes (VQReadFileBytes with `links`).
// `use` gets the bytes and says whether it could use them (parse them), or
// why not in `problem` (the bytes are valid only during the call: a large file
// is mapped, not copied). Bytes that could not be used, or a file that changed
// while it was read (another file at the name, or another size or time after
// than before), are read once more after a short pause. False, with `error`
// saying why, when even that read fails: the caller leaves the file for now.
bool readWithoutLock(const QString &target, VQLinks links,
                     const std::function<bool(const QByteArray &bytes, QString *problem)> &use,
                     QString *error = nullptr);
// Runs `accessor` while holding the lock on `target`; `accessor` replaces the
// file atomically (VQWriteFileAtomically) and says whether it did.
bool coordinateWriting(const QString &target, const std::function<bool(QString *error)> &accessor,
                       QString *error = nullptr, int timeoutMs = kDefaultTimeoutMs);
} // namespace VQFileCoordinator
