#include "vqcore/VQAppScopeBookmarksManager.h"

#include "vqcore/VQLog.h"
#include "vqcore/VQUserDefaults.h"

#include <QFileInfo>

VQAppScopeBookmarksManager &VQAppScopeBookmarksManager::sharedManager()
{
    static VQAppScopeBookmarksManager manager;
    return manager;
}

bool VQAppScopeBookmarksManager::storeURL(const QString &path, const QString &defaultsKey)
{
    if (path.isEmpty() || defaultsKey.isEmpty())
        return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    VQUserDefaults &defaults = VQUserDefaults::standard();
    defaults.setString(defaultsKey, absolute);
    defaults.synchronize();
    VQLog(QStringLiteral("stored %1 under %2").arg(absolute, defaultsKey));
    return true;
}

std::optional<QString> VQAppScopeBookmarksManager::resolveURL(const QString &defaultsKey) const
{
    const QString path = VQUserDefaults::standard().stringForKey(defaultsKey);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool VQAppScopeBookmarksManager::startAccessing(const QString &)
{
    return true;
}
bool VQAppScopeBookmarksManager::stopAccessing(const QString &)
{
    return true;
}
