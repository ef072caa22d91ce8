#include "vqcore/VQHardwareInfo.h"

#include <QFile>
#include <QMutex>
#include <QSysInfo>

namespace
{
QMutex gHardwareMutex;
// Machine-id files hold 32 hex digits and a newline; anything much larger is not one.
constexpr qint64 kMaxIdentityBytes = 4096;

QString readIdentityFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(kMaxIdentityBytes)).trimmed();
}
} // namespace

VQHardwareInfo::VQHardwareInfo() : _files(defaultIdentityFiles()) {}

VQHardwareInfo &VQHardwareInfo::sharedHardwareInfo()
{
    static VQHardwareInfo info;
    return info;
}

QStringList VQHardwareInfo::defaultIdentityFiles()
{
    return {QStringLiteral("/etc/machine-id"), QStringLiteral("/var/lib/dbus/machine-id")};
}

void VQHardwareInfo::setIdentityFiles(const QStringList &paths)
{
    QMutexLocker locker(&gHardwareMutex);
    _files = paths;
}

QStringList VQHardwareInfo::identityFiles() const
{
    QMutexLocker locker(&gHardwareMutex);
    return _files;
}

void VQHardwareInfo::setHostNameOverride(const QString &hostName)
{
    QMutexLocker locker(&gHardwareMutex);
    _hostName = hostName;
}

QString VQHardwareInfo::identity() const
{
    const QString forced = qEnvironmentVariable(overrideVariable).trimmed();
    if (!forced.isEmpty())
        return forced;
    QStringList files;
    QString hostName;
    {
        QMutexLocker locker(&gHardwareMutex);
        files = _files;
        hostName = _hostName;
    }
    for (const QString &path : files) {
        const QString id = readIdentityFile(path);
        if (!id.isEmpty())
            return id;
    }
    if (hostName.isEmpty())
        hostName = QSysInfo::machineHostName();
    return hostName.trimmed();
}
