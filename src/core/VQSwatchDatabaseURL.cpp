#include "VQSwatchDatabaseURL.h"

#include "VQLog.h"

#include <QDir>
#include <QMutex>

namespace {
QMutex gURLMutex;
QString gChosenURL;
bool firstPathSelectionOccurred = false;

QString dataHome()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data;
}
} // namespace

QString VQDefaultLibraryPath()
{
    const QString folder = dataHome() + QStringLiteral("/Vellico");
    // A folder that cannot be made is reported when the library finds it unwritable.
    QDir().mkpath(folder);
    return folder + QStringLiteral("/Vellico Library.vlb");
}

QString VQSwatchDatabaseURL()
{
    QMutexLocker locker(&gURLMutex);
    if (!firstPathSelectionOccurred) {
        gChosenURL = VQDefaultLibraryPath();
        firstPathSelectionOccurred = true;
    }
    return gChosenURL;
}

void VQResetSwatchDatabaseURL()
{
    QMutexLocker locker(&gURLMutex);
    gChosenURL.clear();
    firstPathSelectionOccurred = false;
}
