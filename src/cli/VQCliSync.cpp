// vellico-cli sync --folder DIR [--library PATH] [--json]: one synchronisation
// pass without the desktop, as the program runs it, for this computer.

#include "cli/VQCommandLine_p.h"

#include "core/VQJson.h"
#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"
#include "core/sync/VQiCloudSynchronizationManager.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

VQCommandResult VQCliSync(const VQCliOptions &options)
{
    if (options.positional.size() != 1)
        return VQCliUsageError(QStringLiteral("sync takes no operands"));
    if (!options.has("folder") || options.value("folder").isEmpty())
        return VQCliUsageError(QStringLiteral("sync needs --folder DIR"));
    const QString folder = VQCliAbsolutePath(options.value("folder"));
    if (!QFileInfo(folder).isDir())
        return VQCliFailure(QStringLiteral("No folder at %1.").arg(folder));
    const QString ownFile = VQiCloudSynchronizationManager::ownFilePath(folder);
    if (ownFile.isEmpty())
        return VQCliFailure(
            QStringLiteral("This computer has no identity to name its file after; set VELLICO_MACHINE_ID."));

    const QString path = options.has("library") ? VQCliAbsolutePath(options.value("library")) : VQDefaultLibraryPath();
    const VQLibraryOpenResult opened = VQSwatchCore::open(path);
    if (!opened.core)
        return VQCliFailure(opened.error->message);
    VQSwatchCore *core = opened.core.get();

    const VQSyncReport report = VQiCloudSynchronizationManager::synchronize(*core, folder, ownFile);
    if (!report.wroteOwnFile)
        return VQCliFailure(QStringLiteral("Couldn't write %1: %2").arg(ownFile, report.writeError));
    if (!core->save())
        return VQCliFailure(QStringLiteral("Couldn't save the library at %1.").arg(path));

    VQCommandResult result;
    if (options.json()) {
        QJsonArray skipped;
        for (const auto &[file, reason] : report.skipped)
            skipped.append(QJsonObject{{QStringLiteral("file"), file}, {QStringLiteral("reason"), reason}});
        const QJsonObject root{{QStringLiteral("library"), path},
                               {QStringLiteral("ownFile"), ownFile},
                               {QStringLiteral("merged"), QJsonArray::fromStringList(report.merged)},
                               {QStringLiteral("skipped"), skipped}};
        result.out = QString::fromUtf8(VQJson::print(root));
    } else {
        for (const QString &file : report.merged)
            result.out += QStringLiteral("merged %1\n").arg(file);
        for (const auto &[file, reason] : report.skipped)
            result.out += QStringLiteral("skipped %1: %2\n").arg(file, reason);
        result.out += QStringLiteral("wrote %1\n").arg(ownFile);
    }
    return result;
}
