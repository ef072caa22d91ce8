#include "core/VQSwatchDatabaseURL.h"

#include "vqcore/VQAppScopeBookmarksManager.h"
#include "vqcore/VQFileURL.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQPropertyList.h"
#include "core/VQSwatchCore.h"
#include "vqcore/VQTermination.h"
#include "vqcore/VQUserDefaults.h"

#include <QDir>
#include <QMutex>

namespace
{
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

QString customKey()
{
    return QString::fromLatin1(VQCustomLibraryURLDataDefaultsKey);
}

void remember(const QString &path)
{
    VQAppScopeBookmarksManager::sharedManager().storeURL(path, customKey());
}

// The user picks or creates a library; anything but a chosen file ends the process.
QString chooseLibrary()
{
    VQModalUI &ui = VQModalUI::shared();
    const VQAlertResponse answer = ui.runAlert(
        {VQLocalizedString("Choose Vellico library."),
         VQLocalizedString("Vellico needs to store its information somewhere."),
         {VQLocalizedString("Choose Library..."), VQLocalizedString("Quit"), VQLocalizedString("Create Library...")}});
    switch (answer.button) {
    case 0: {
        const std::optional<QString> path =
            ui.runOpenPanel({VQLocalizedString("Choose Library..."),
                             {QStringLiteral("plist"), QStringLiteral("swl"), QStringLiteral("vlb")},
                             QDir::homePath(),
                             {},
                             false,
                             VQLocalizedString("Libraries")});
        if (!path)
            VQTermination::terminate(0);
        remember(*path);
        return *path;
    }
    case 2: {
        const std::optional<QString> path = ui.runSavePanel({VQLocalizedString("Create Library..."),
                                                             {QStringLiteral("vlb")},
                                                             QDir::homePath(),
                                                             VQLocalizedString("Vellico Library"),
                                                             false,
                                                             VQLocalizedString("Libraries")});
        if (!path)
            VQTermination::terminate(0);
        QString error;
        if (!VQCreateEmptyLibrary(*path, &error)) {
            // Remembering a file that is not there would only bring the
            // "not found" alert at every launch.
            VQLog(QStringLiteral("Couldn't create the library at %1: %2").arg(*path, error));
            ui.runAlert(
                {VQLocalizedString("Vellico couldn't create the library."), error, {VQLocalizedString("Quit")}});
            VQTermination::terminate(0);
        }
        remember(*path);
        return *path;
    }
    default:
        VQTermination::terminate(0);
    }
}
} // namespace

QString VQDefaultLibraryPath()
{
    const QString folder = dataHome() + QStringLiteral("/Vellico");
    // A folder that cannot be made is reported when the library finds it unwritable.
    QDir().mkpath(folder);
    return folder + QStringLiteral("/Vellico Library.vlb");
}

bool VQCreateEmptyLibrary(const QString &path, QString *error)
{
    VQPlist root = VQPlist::dictionary();
    root.set(VQLibraryVersion, VQPlist::string(QString::fromLatin1(VQCurrentLibraryVersion)));
    root.set(VQLibraryContent, VQPlist::array());
    return root.writeXMLFileAtomically(path, error);
}

QString VQSwatchDatabaseURL(bool chooseLibrary)
{
    QMutexLocker locker(&gURLMutex);
    if (firstPathSelectionOccurred)
        return gChosenURL;

    QString path;
    if (chooseLibrary) {
        path = ::chooseLibrary();
    } else if (VQUserDefaults::standard().hasKey(customKey())) {
        const std::optional<QString> custom = VQAppScopeBookmarksManager::sharedManager().resolveURL(customKey());
        if (custom && VQFileURL::exists(*custom) && !VQFileURL::isDirectory(*custom)) {
            path = *custom;
        } else {
            // The key stays: the alert returns at every launch until another
            // library is chosen, so the user knows theirs is not the one in use.
            VQModalUI::shared().runAlert({VQLocalizedString("Custom library wasn't found!"),
                                          VQLocalizedString("Vellico will use the default library instead."),
                                          {VQLocalizedString("OK")}});
        }
    }
    if (path.isEmpty())
        path = VQDefaultLibraryPath();

    gChosenURL = path;
    firstPathSelectionOccurred = true;
    return gChosenURL;
}

void VQResetSwatchDatabaseURL()
{
    QMutexLocker locker(&gURLMutex);
    gChosenURL.clear();
    firstPathSelectionOccurred = false;
}
