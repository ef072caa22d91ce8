#include "VQSynchronizationManager.h"

#include "VQApplicationSetup.h"
#include "VQFileCoordinator.h"
#include "VQHardwareInfo.h"
#include "VQLog.h"
#include "VQPropertyList.h"
#include "VQStringExtensions.h"
#include "VQSwatchCore.h"
#include "VQUserDefaults.h"

#include <QDir>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace {
std::unique_ptr<VQSynchronizationManager> gSharedManager;

QString loginName()
{
    std::vector<char> buffer(16384);
    struct passwd entry {}, *found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    return qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"));
}

bool syncEnabled()
{
    return VQUserDefaults::standard().boolForKey(QString::fromLatin1(VQSynchronizeLibraryDefaultsKey));
}

QString canonical(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QFileInfo(path).absoluteFilePath() : resolved;
}
} // namespace

QString VQSynchronizationManager::remoteLibraryProblem(const std::optional<VQPlist> &root)
{
    if (!root || !root->node().isDictionary())
        return QStringLiteral("not a library (unreadable, or not yet completely written)");
    const VQPlistNode version = (*root)[VQLibraryVersion];
    if (version.toString() != QString::fromLatin1(VQCurrentLibraryVersion))
        return QStringLiteral("library version (%1) doesn't match")
            .arg(version.isNull() ? QStringLiteral("none") : version.description());
    return {};
}

VQSynchronizationManager *VQSynchronizationManager::sharedManager()
{
    if (!gSharedManager) {
        if (!VQApplicationSetup::sharedSetup().synchronizationAllowed()) {
            VQLog(QStringLiteral("Synchronisation is not allowed in this program."));
            return nullptr;
        }
        gSharedManager = std::make_unique<VQSynchronizationManager>();
    }
    return gSharedManager.get();
}

void VQSynchronizationManager::resetSharedManager() { gSharedManager.reset(); }

VQSynchronizationManager::VQSynchronizationManager()
{
    {
        std::lock_guard lock(_lock);
        reloadFromPreferences();
    }
    auto &center = VQNotificationCenter::defaultCenter();
    const auto observe = [&](const char *name, void (VQSynchronizationManager::*method)()) {
        _observers.emplace_back(
            center.addObserver(QString::fromLatin1(name), nullptr, [this, method](const VQNotification &) {
                (this->*method)();
            }));
    };
    observe(VQVellicoCoreDidSaveNotification, &VQSynchronizationManager::sync);
    observe(VQApplicationDidFinishLaunchingNotification, &VQSynchronizationManager::sync);
    observe(VQApplicationWillTerminateNotification, &VQSynchronizationManager::syncThread);
}

VQSynchronizationManager::~VQSynchronizationManager() = default;

void VQSynchronizationManager::reloadFromPreferences()
{
    // No worker thread is ever started, so switching off has nothing to cancel.
    if (syncEnabled())
        syncThread();
}

void VQSynchronizationManager::sync() { syncThread(); }

QString VQSynchronizationManager::syncFolderPath()
{
    const QString folder = VQUserDefaults::standard().stringForKey(QString::fromLatin1(VQSyncFolderPathDefaultsKey));
    if (folder.trimmed().isEmpty())
        return {};
    return QDir::cleanPath(QDir(QDir::homePath()).absoluteFilePath(folder));
}

QString VQSynchronizationManager::ownFilePath(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QString identity = VQHardwareInfo::sharedHardwareInfo().identity();
    if (identity.isEmpty())
        return {};
    return QDir(folder).filePath(loginName() + VQString::MD5Digest(identity) + QStringLiteral(".vlb"));
}

bool VQSynchronizationManager::isLibraryFileName(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".vlb")) && fileName.size() > 4 && !fileName.startsWith(QLatin1Char('.')) &&
           !fileName.startsWith(QLatin1Char('~'));
}

VQSyncReport VQSynchronizationManager::synchronize(VQSwatchCore &core, const QString &folder, const QString &ownFile)
{
    VQSyncReport report;
    report.ownFile = ownFile;
    const QString own = ownFile.isEmpty() ? QString() : canonical(ownFile);
    const QString library = canonical(core.URL());

    const QDir dir(folder);
    // Hidden entries (lock files, partial downloads) are left out of the listing.
    const QStringList names = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        if (!isLibraryFileName(name))
            continue;
        const QString entry = dir.filePath(name);
        VQLog(QStringLiteral("Syncing with URL ") + entry);
        const QString resolved = canonical(entry);
        if (resolved == own) {
            VQLog(QStringLiteral("Skipping URL, as it's this computer-user combination."));
            continue;
        }
        if (resolved == library) {
            VQLog(QStringLiteral("Skipping URL, as it's the library itself."));
            continue;
        }

        QByteArray bytes;
        QString error;
        const bool read = VQFileCoordinator::coordinateReading(
            entry,
            [&] {
                VQLog(QStringLiteral("Coordinating reading."));
                QFile file(entry);
                if (file.open(QIODevice::ReadOnly))
                    bytes = file.readAll();
                else
                    error = file.errorString();
            },
            &error);
        if (!read || !error.isEmpty()) {
            VQLog(QStringLiteral("Syncing ended with error ") + error);
            report.skipped.append({entry, error});
            continue;
        }

        // Parsed and merged after the lock is let go: the writer waits only for the copy.
        std::optional<VQPlist> root = VQPlist::fromData(bytes);
        bytes.clear();
        if (const QString problem = remoteLibraryProblem(root); !problem.isEmpty()) {
            VQLog(QStringLiteral("Skipping %1: %2.").arg(entry, problem));
            report.skipped.append({entry, problem});
            continue;
        }
        core.mergeWithRemoteLibrary(root->node(), entry);
        report.merged.append(entry);
    }
    VQReleaseFreedMemory();

    if (ownFile.isEmpty()) {
        report.writeError = QStringLiteral("this computer has no identity to name its file after");
        VQLog(QStringLiteral("Couldn't write DB to the shared folder - error ") + report.writeError);
        return report;
    }
    QString error;
    report.wroteOwnFile = VQFileCoordinator::coordinateWriting(
        ownFile,
        [&](QString *writeError) {
            VQLog(QStringLiteral("Syncing this computer's swatch core to ") + ownFile);
            return core.writeToURL(ownFile, writeError);
        },
        &error);
    if (!report.wroteOwnFile) {
        report.writeError = error;
        VQLog(QStringLiteral("Couldn't write DB to the shared folder - error ") + error);
    }
    return report;
}

void VQSynchronizationManager::syncThread()
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

    if (VQSwatchCore *core = VQSwatchCore::sharedCore()) {
        VQLog(QStringLiteral("Syncing with shared folder files."));
        const QString folder = syncFolderPath();
        if (folder.isEmpty()) {
            VQLog(QStringLiteral("NULL URL for mobile documents."));
        } else if (!QFileInfo(folder).isDir()) {
            // An unmounted share or a folder not synced yet: making it here would
            // hide the real one, and writing nothing is the safe answer.
            VQLog(QStringLiteral("NULL URL for mobile documents (no folder at %1).").arg(folder));
        } else {
            synchronize(*core, folder, ownFilePath(folder));
            core->save();
        }
    }
}
