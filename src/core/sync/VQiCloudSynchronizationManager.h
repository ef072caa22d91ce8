#pragma once
// Keeps the libraries of all computers (and users) that share one folder in
// step. The folder is any folder the user has a sync tool keep alike on every
// computer (Nextcloud, Syncthing, a network share…). Each computer-and-user pair
// owns one file in it; a pass merges every other pair's file into the library,
// writes the library into the pair's own file and saves the library. Nothing in
// the folder is ever deleted and every file has exactly one writer.
//
// Passes run on the thread that triggers them: at creation (when enabled), when
// the application has finished launching, after every save of the library and
// when the application ends. They never overlap, and the save at the end of a
// pass does not start another. There is no timer of its own.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQPropertyList.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

class VQSwatchCore;

// Whether passes run at all (boolean, false when absent). The key and the class
// keep the names they have everywhere else in the program's settings and logs;
// the "cloud" is whatever folder the user's sync tool keeps alike.
inline constexpr const char *VQSynchronizeWithiCloudDefaultsKey = "VQSynchronizeWithiCloud";
// The shared folder, an absolute path; no folder, no synchronisation.
inline constexpr const char *VQSyncFolderPathDefaultsKey = "VQSyncFolderPath";

// What one pass did, for the log and for vellico-cli.
struct VQSyncReport {
    QStringList merged;                         // other pairs' files folded in, in listing order
    QList<std::pair<QString, QString>> skipped; // names that looked like libraries and were not, and why;
                                                // and what was set aside to free the own file's name
    QString ownFile;                            // empty: this computer has no identity to name a file after
    bool wroteOwnFile = false;
    QString writeError; // why the own file was not written
};

class VQiCloudSynchronizationManager
{
  public:
    // A manager for `core`; null when the application set-up forbids synchronisation.
    static std::unique_ptr<VQiCloudSynchronizationManager> makeIfAllowed(VQSwatchCore &core);

    // Observes the save, launch and termination notifications and runs a first
    // pass over `core` when synchronisation is on. `core` outlives the manager.
    explicit VQiCloudSynchronizationManager(VQSwatchCore &core);
    ~VQiCloudSynchronizationManager();
    VQiCloudSynchronizationManager(const VQiCloudSynchronizationManager &) = delete;
    VQiCloudSynchronizationManager &operator=(const VQiCloudSynchronizationManager &) = delete;

    // One pass over the core, now, unless synchronisation is off or a pass runs.
    void sync();
    bool isSyncing() const { return _isSyncing; }

    // The folder from the defaults, or empty when none is set.
    static QString syncFolderPath();
    // This pair's file in `folder`: login name + MD5 of the computer's identity +
    // ".vlb". Empty when `folder` is empty or the computer has no identity (two
    // such computers would otherwise write one file).
    static QString ownFilePath(const QString &folder);
    // The pair's file in the folder from the defaults.
    QString presentedItemURL() const { return ownFilePath(syncFolderPath()); }

    // Which names in the folder are other computers' libraries: "*.vlb", but
    // not hidden files (lock files, sync tools' partial downloads) nor "~…"
    // (partial or temporary copies).
    static bool isLibraryFileName(const QString &fileName);
    // Why a parsed file cannot be merged (not a dictionary, another version);
    // empty when it can.
    static QString remoteLibraryProblem(const std::optional<VQPlist> &root);

    // Merges every library file of `folder` except `ownFile` (and the core's own
    // file) into `core`, then writes `core` to `ownFile` under the lock. Does not
    // save `core`. Unreadable, foreign or half-written files are logged and
    // skipped, and so is every name that is not a regular file in the folder
    // itself (a link is never followed) or is larger than VQPlistMaxFileBytes.
    // `ownFile` is replaced by rename, never written through a link; whatever
    // else holds its name or its lock file's is set aside first and reported
    // among the skipped.
    static VQSyncReport synchronize(VQSwatchCore &core, const QString &folder, const QString &ownFile);

  private:
    void syncThread();
    void reloadFromPreferences();

    // Tells the user, once each, what a pass skipped or could not write.
    void tellUserOnce(VQSwatchCore &core, const VQSyncReport &report);

    VQSwatchCore &_core;
    std::atomic<bool> _isSyncing{false};
    QSet<QString> _told; // what the user has heard of already

    std::recursive_mutex _lock;
    std::vector<VQObserverToken> _observers;
};
