#include "core/sync/VQiCloudSynchronizationManager.h"

#include "vqcore/VQApplicationSetup.h"
#include "core/sync/VQFileCoordinator.h"
#include "vqcore/VQFileAccess.h"
#include "vqcore/VQHardwareInfo.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQPlistWriter.h"
#include "vqcore/VQPropertyList.h"
#include "vqcore/VQStringExtensions.h"
#include "core/VQSwatchCore.h"
#include "vqcore/VQUserDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <deque>
#include <future>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

QString loginName()
{
    std::vector<char> buffer(16384);
    struct passwd entry {
    }, *found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    return qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"));
}

bool syncEnabled()
{
    return VQUserDefaults::standard().boolForKey(QString::fromLatin1(VQSynchronizeWithiCloudDefaultsKey));
}

struct RemoteCopy {
    QString path;
    std::optional<VQPlist> root;
    QString problem; // empty: a library to merge
};

RemoteCopy readRemoteCopy(const QString &path)
{
    RemoteCopy copy{path, std::nullopt, {}};
    QString error;
    // Without a lock: others' locks must never hold up our pass. The name
    // itself, a regular file: a link that others put here could lead to the
    // user's files elsewhere, or to a pipe or device.
    const bool read = VQFileCoordinator::readWithoutLock(
        path, VQLinks::Refuse,
        [&](const QByteArray &bytes, QString *problem) {
            QString parseError;
            copy.root = VQPlist::fromData(bytes, &parseError);
            if (!copy.root)
                *problem = QStringLiteral("not a library (%1)").arg(parseError);
            return copy.root.has_value();
        },
        &error);
    copy.problem = read ? VQiCloudSynchronizationManager::remoteLibraryProblem(copy.root) : error;
    if (!copy.problem.isEmpty()) {
        VQLog(QStringLiteral("Skipping %1: %2.").arg(path, copy.problem));
        copy.root.reset();
    }
    return copy;
}

// Makes `path` free for a file of ours: whatever else is there (a link, a
// folder, a pipe) is set aside in the folder and said in `report`. False, with
// `error` set, when it cannot be.
bool claimName(const QString &path, VQSyncReport &report, QString *error)
{
    const VQEntry entry = VQEntryAt(path);
    if (entry.type != VQEntry::Type::Other)
        return true;
    QString why;
    const std::optional<QString> aside = VQSetAside(path, &why);
    if (!aside) {
        *error = QStringLiteral("%1 is %2, not a file of ours, and could not be set aside: %3")
                     .arg(path, entry.description, why);
        return false;
    }
    const QString reason =
        QStringLiteral("%1, not a file of ours: set aside as %2").arg(entry.description, QFileInfo(*aside).fileName());
    VQLog(QStringLiteral("Setting aside %1: %2.").arg(path, reason));
    report.skipped.append({path, reason});
    return true;
}
} // namespace

QString VQiCloudSynchronizationManager::remoteLibraryProblem(const std::optional<VQPlist> &root)
{
    if (!root || !root->node().isDictionary())
        return QStringLiteral("not a library (unreadable, or not yet completely written)");
    const VQPlistNode version = (*root)[VQLibraryVersion];
    if (version.toString() != QString::fromLatin1(VQCurrentLibraryVersion))
        return QStringLiteral("library version (%1) doesn't match")
            .arg(version.isNull() ? QStringLiteral("none") : version.description());
    return {};
}

std::unique_ptr<VQiCloudSynchronizationManager> VQiCloudSynchronizationManager::makeIfAllowed(VQSwatchCore &core)
{
    if (!VQApplicationSetup::sharedSetup().synchronizationAllowed()) {
        VQLog(QStringLiteral("Synchronisation is not allowed in this program."));
        return nullptr;
    }
    return std::make_unique<VQiCloudSynchronizationManager>(core);
}

VQiCloudSynchronizationManager::VQiCloudSynchronizationManager(VQSwatchCore &core) : _core(core)
{
    {
        std::lock_guard lock(_lock);
        reloadFromPreferences();
    }
    auto &center = VQNotificationCenter::defaultCenter();
    const auto observe = [&](const char *name, void (VQiCloudSynchronizationManager::*method)()) {
        _observers.emplace_back(center.addObserver(QString::fromLatin1(name), nullptr,
                                                   [this, method](const VQNotification &) { (this->*method)(); }));
    };
    observe(VQVellicoCoreDidSaveNotification, &VQiCloudSynchronizationManager::sync);
    observe(VQApplicationDidFinishLaunchingNotification, &VQiCloudSynchronizationManager::sync);
    observe(VQApplicationWillTerminateNotification, &VQiCloudSynchronizationManager::syncThread);
}

VQiCloudSynchronizationManager::~VQiCloudSynchronizationManager() = default;

void VQiCloudSynchronizationManager::reloadFromPreferences()
{
    // No worker thread is ever started, so switching off has nothing to cancel.
    if (syncEnabled())
        syncThread();
}

void VQiCloudSynchronizationManager::sync()
{
    syncThread();
}

QString VQiCloudSynchronizationManager::syncFolderPath()
{
    const QString folder = VQUserDefaults::standard().stringForKey(QString::fromLatin1(VQSyncFolderPathDefaultsKey));
    if (folder.trimmed().isEmpty())
        return {};
    return QDir::cleanPath(QDir(QDir::homePath()).absoluteFilePath(folder));
}

QString VQiCloudSynchronizationManager::ownFilePath(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QString identity = VQHardwareInfo::sharedHardwareInfo().identity();
    if (identity.isEmpty())
        return {};
    return QDir(folder).filePath(loginName() + VQString::MD5Digest(identity) + QStringLiteral(".vlb"));
}

bool VQiCloudSynchronizationManager::isLibraryFileName(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".vlb")) && fileName.size() > 4 && !fileName.startsWith(QLatin1Char('.')) &&
           !fileName.startsWith(QLatin1Char('~'));
}

VQSyncReport VQiCloudSynchronizationManager::synchronize(VQSwatchCore &core, const QString &folder,
                                                         const QString &ownFile)
{
    VQSyncReport report;
    report.ownFile = ownFile;
    const QString ownName = QFileInfo(ownFile).fileName();
    // The library itself may lie in the folder (under any name, through links
    // of the user's own): it is the file with the library's identity.
    struct stat libraryStat {
    };
    const bool libraryExists = ::stat(QFile::encodeName(core.URL()).constData(), &libraryStat) == 0;

    const QDir dir(folder);
    // Hidden entries (partial downloads, old lock files) are left out of the
    // listing. Links, folders and pipes are listed, to be skipped by name.
    QStringList entries;
    for (const QString &name : dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!isLibraryFileName(name))
            continue;
        const QString entry = dir.filePath(name);
        VQLog(QStringLiteral("Syncing with URL ") + entry);
        if (!ownName.isEmpty() && name == ownName) {
            VQLog(QStringLiteral("Skipping URL, as it's this computer-user combination."));
            continue;
        }
        struct stat st {
        };
        if (::lstat(QFile::encodeName(entry).constData(), &st) != 0)
            continue; // gone meanwhile
        if (!S_ISREG(st.st_mode)) {
            const QString reason = VQEntryAt(entry).description + QStringLiteral(", not a file");
            VQLog(QStringLiteral("Skipping %1: %2.").arg(entry, reason));
            report.skipped.append({entry, reason});
            continue;
        }
        if (libraryExists && st.st_dev == libraryStat.st_dev && st.st_ino == libraryStat.st_ino) {
            VQLog(QStringLiteral("Skipping URL, as it's the library itself."));
            continue;
        }
        entries << entry;
    }

    // Reading and parsing dominate a pass and need nothing of the library: a
    // few files are read ahead on worker threads while the calling thread merges
    // them, one after the other in listing order.
    std::deque<std::future<RemoteCopy>> ahead;
    // Freeing a parsed copy costs about as much as merging it, and needs the
    // library no more than reading does: it is done off this thread as well.
    std::vector<std::future<void>> freeing;
    const qsizetype window = std::max(2, QThread::idealThreadCount());
    qsizetype next = 0;
    while (next < entries.size() || !ahead.empty()) {
        while (next < entries.size() && qsizetype(ahead.size()) < window)
            ahead.push_back(std::async(std::launch::async, readRemoteCopy, entries[next++]));
        RemoteCopy copy = ahead.front().get();
        ahead.pop_front();
        if (!copy.problem.isEmpty()) {
            report.skipped.append({copy.path, copy.problem});
            continue;
        }
        core.mergeWithRemoteLibrary(copy.root->node(), copy.path);
        report.merged.append(copy.path);
        freeing.push_back(std::async(std::launch::async, [root = std::move(copy.root)]() mutable { root.reset(); }));
    }
    freeing.clear(); // waits for every copy to be gone
    VQReleaseFreedMemoryWhenIdle();

    if (ownFile.isEmpty()) {
        report.writeError = QStringLiteral("this computer has no identity to name its file after");
        VQLog(QStringLiteral("Couldn't write DB to iCloud - error ") + report.writeError);
        return report;
    }
    // Our own file is replaced in the folder itself, never through a link, and
    // whatever else took its name is set aside first. Its lock is in our own
    // runtime folder: nobody else can hold it.
    QString error;
    report.wroteOwnFile = claimName(ownFile, report, &error) &&
                          VQFileCoordinator::coordinateWriting(
                              ownFile,
                              [&](QString *writeError) {
                                  VQLog(QStringLiteral("Syncing this computer's swatch core to ") + ownFile);
                                  // Binary: every other computer reads this file at each of its
                                  // passes, and a binary property list reads several times faster
                                  // than XML.
                                  return core.writeBinaryLibrary(ownFile, VQLinks::Refuse, writeError);
                              },
                              &error);
    if (!report.wroteOwnFile) {
        report.writeError = error;
        VQLog(QStringLiteral("Couldn't write DB to iCloud - error ") + error);
    }
    return report;
}

void VQiCloudSynchronizationManager::syncThread()
{
    if (!syncEnabled() || _isSyncing)
        return;
    std::unique_lock lock(_lock);
    if (_isSyncing)
        return;
    _isSyncing = true;
    struct Idle {
        std::atomic<bool> &flag;
        ~Idle() { flag = false; }
    } idle{_isSyncing};

    VQLog(QStringLiteral("Syncing with iCloud files."));
    const QString folder = syncFolderPath();
    if (folder.isEmpty()) {
        VQLog(QStringLiteral("NULL URL for mobile documents."));
    } else if (!QFileInfo(folder).isDir()) {
        // An unmounted share or a folder not synced yet: making it here would
        // hide the real one, and writing nothing is the safe answer.
        VQLog(QStringLiteral("NULL URL for mobile documents (no folder at %1).").arg(folder));
    } else {
        tellUserOnce(_core, synchronize(_core, folder, ownFilePath(folder)));
        _core.save();
    }
}

void VQiCloudSynchronizationManager::tellUserOnce(VQSwatchCore &core, const VQSyncReport &report)
{
    // Every save runs a pass: a file that stays in the way is told of once,
    // not at each pass; the log has every pass.
    QStringList lines;
    for (const auto &[path, why] : report.skipped) {
        const QString line = QStringLiteral("Skipped %1 in the sync folder: %2.").arg(QFileInfo(path).fileName(), why);
        if (!_told.contains(line)) {
            _told.insert(line);
            lines << line;
        }
    }
    if (!report.writeError.isEmpty()) {
        const QString line =
            QStringLiteral("Could not write this computer's file in the sync folder: %1.").arg(report.writeError);
        if (!_told.contains(line)) {
            _told.insert(line);
            lines << line;
        }
    }
    if (!lines.isEmpty())
        core.tellUser(lines.join(QLatin1Char('\n')));
}
