// vellico-cli merge LOCAL REMOTE [--json]: folds the library REMOTE into the
// library LOCAL by the rules of synchronisation and saves LOCAL atomically.

#include "cli/VQCommandLine_p.h"

#include "core/sync/VQFileCoordinator.h"
#include "core/VQJson.h"
#include "core/VQSwatchCore.h"
#include "core/sync/VQiCloudSynchronizationManager.h"

#include <QFileInfo>

VQCommandResult VQCliMerge(const VQCliOptions &options)
{
    if (options.positional.size() != 3)
        return VQCliUsageError(QStringLiteral("merge needs LOCAL and REMOTE"));
    const QString local = VQCliAbsolutePath(options.positional[1]);
    const QString remote = VQCliAbsolutePath(options.positional[2]);

    if (!QFileInfo(local).isFile())
        return VQCliFailure(QStringLiteral("No library at %1.").arg(local));
    // The remote copy first, without a lock (read again should it change
    // meanwhile); then LOCAL is read, merged and replaced under its lock, so no
    // other writer's change is lost.
    std::optional<VQPlist> root;
    QString error, parseError;
    const bool read = VQFileCoordinator::readWithoutLock(
        remote, VQLinks::Follow,
        [&](const QByteArray &bytes, QString *problem) {
            root = VQPlist::fromData(bytes, &parseError);
            *problem = parseError;
            return root.has_value();
        },
        &error);
    if (!read)
        return VQCliFailure(error == parseError ? QStringLiteral("%1 is not a library: %2.").arg(remote, error)
                                                : QStringLiteral("Cannot read %1: %2").arg(remote, error));
    if (const QString problem = VQiCloudSynchronizationManager::remoteLibraryProblem(root); !problem.isEmpty())
        return VQCliFailure(QStringLiteral("%1: %2.").arg(remote, problem));

    std::unique_ptr<VQSwatchCore> core;
    QString failure;
    const bool written = VQFileCoordinator::coordinateWriting(
        local,
        [&](QString *writeError) {
            VQLibraryOpenResult opened = VQSwatchCore::open(local);
            if (!opened.core) {
                failure = opened.error->message;
                return false;
            }
            core = std::move(opened.core);
            core->mergeWithRemoteLibrary(root->node(), remote);
            if (!core->writeToURL(local, writeError)) {
                failure = QStringLiteral("Couldn't write %1: %2").arg(local, *writeError);
                return false;
            }
            return true;
        },
        &error);
    if (!written)
        return VQCliFailure(failure.isEmpty() ? error : failure);

    VQCommandResult result;
    if (options.json())
        result.out = QString::fromUtf8(VQJson::print(VQJson::library(*core)));
    else
        result.out =
            QStringLiteral("merged %1 into %2: %3 collections\n").arg(remote, local).arg(core->numberOfCollections());
    return result;
}
