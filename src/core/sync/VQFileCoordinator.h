#pragma once
// Reading and writing files that other processes read and write too: another
// Vellico, vellico-cli, or a Vellico on another computer when the folder is a
// network share.
//
//   folder/
//     alice1f3c….vlb          the file itself, only ever replaced whole (rename)
//     .alice1f3c….vlb.lock    empty; flock(2) on it: shared to read, exclusive to write
//
// The lock file is hidden, never holds a byte and never ends in ".vlb", so no
// pass takes it for a library, and a sync tool that copies it to other computers
// copies an empty file. It is never removed: removing a lock file races with
// whoever is about to lock it. Should a sync tool replace it all the same, a
// holder notices that the name now means another file and locks again.

#include <QByteArray>
#include <QString>

#include <functional>

class VQFileLock
{
  public:
    enum class Mode { Shared, Exclusive };

    // Waits up to `timeoutMs` for the lock on `target`'s lock file. A reader in a
    // folder where the lock file cannot be made (read-only) goes ahead without one:
    // the writer's rename still keeps every file whole. A lock file that is a
    // link, a folder or anything but a regular file is neither followed nor
    // locked: the lock fails and error() says what is there.
    VQFileLock(const QString &target, Mode mode, int timeoutMs);
    ~VQFileLock();
    VQFileLock(const VQFileLock &) = delete;
    VQFileLock &operator=(const VQFileLock &) = delete;

    // Whether the caller may go on (holding the lock, or reading in a read-only folder).
    bool isAcquired() const { return _acquired; }
    const QString &error() const { return _error; }

    // ".NAME.lock" beside NAME.
    static QString lockFilePath(const QString &target);

  private:
    int _fd = -1;
    bool _acquired = false;
    QString _error;
};

namespace VQFileCoordinator
{
// How long a pass waits for another process to finish with a file.
inline constexpr int kDefaultTimeoutMs = 5000;

// Runs `accessor` while holding the shared lock on `target`. False, with
// `error` set, when the lock could not be had in time.
bool coordinateReading(const QString &target, const std::function<void()> &accessor, QString *error = nullptr,
                       int timeoutMs = kDefaultTimeoutMs);
// The whole file, read under the shared lock: a regular file of at most
// VQPlistMaxFileBytes (VQReadRegularFile).
bool readFile(const QString &target, QByteArray *bytes, QString *error = nullptr, int timeoutMs = kDefaultTimeoutMs);
// Runs `accessor` while holding the exclusive lock; `accessor` replaces the file
// atomically (VQWriteFileAtomically) and says whether it did.
bool coordinateWriting(const QString &target, const std::function<bool(QString *error)> &accessor,
                       QString *error = nullptr, int timeoutMs = kDefaultTimeoutMs);
} // namespace VQFileCoordinator
