#include "ui/prefs/VQSyncFolderChoice.h"

#include "core/sync/VQiCloudSynchronizationManager.h"
#include "vqcore/VQLocalizedString.h"

#include <QDir>
#include <QFileInfo>

QString VQSyncFolderChoice::normalized(const QString &typed)
{
    QString path = typed.trimmed();
    if (path.isEmpty())
        return {};
    if (path == QLatin1String("~"))
        path = QDir::homePath();
    else if (path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    return QDir::cleanPath(QDir(QDir::homePath()).absoluteFilePath(path));
}

std::optional<QString> VQSyncFolderChoice::problem(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.exists())
        return VQLocalizedString("The folder \"%1\" does not exist. Choose a folder that is there, for example one "
                                 "your sync tool keeps alike on all your computers.")
            .arg(QDir::toNativeSeparators(path));
    if (!info.isDir())
        return VQLocalizedString("\"%1\" is a file, not a folder. Choose the folder your copies should go to.")
            .arg(QDir::toNativeSeparators(path));
    if (!info.isWritable())
        return VQLocalizedString("Vellico cannot write into the folder \"%1\". Choose a folder you may write to.")
            .arg(QDir::toNativeSeparators(path));
    return std::nullopt;
}

QString VQSyncFolderChoice::ownFileLine(const QString &path)
{
    if (path.isEmpty())
        return VQLocalizedString("Choose the shared folder to synchronize.");
    const QString file = VQiCloudSynchronizationManager::ownFilePath(path);
    if (file.isEmpty())
        return VQLocalizedString("This computer has no identity to name its copy after: nothing will be written.");
    return VQLocalizedString("This computer's copy: %1").arg(QDir::toNativeSeparators(file));
}
