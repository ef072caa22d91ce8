#include "VQVellicoAppDelegate.h"

#include "parsers/VQImportCommands.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"
#include "core/sync/VQiCloudSynchronizationManager.h"
#include "vqcore/VQTermination.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace
{
VQVellicoAppDelegate *gSharedDelegate = nullptr;
}

QIcon VQStatusIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/images/StatusIcon"), QSize(22, 22));
    icon.addFile(QStringLiteral(":/images/StatusIcon@2x"), QSize(44, 44));
    // A single-tone glyph: desktops that tint tray icons may recolour it.
    icon.setIsMask(true);
    return icon;
}

VQVellicoAppDelegate::VQVellicoAppDelegate(QObject *parent) : QObject(parent) {}

VQVellicoAppDelegate::~VQVellicoAppDelegate()
{
    if (gSharedDelegate == this)
        gSharedDelegate = nullptr;
}

VQVellicoAppDelegate *VQVellicoAppDelegate::sharedDelegate()
{
    return gSharedDelegate;
}

void VQVellicoAppDelegate::awakeFromNib()
{
    gSharedDelegate = this;
    innerInitialization();
}

QString VQVellicoAppDelegate::describeCore(const VQSwatchCore &core)
{
    return QStringLiteral("VQSwatchCore \"%1\", %2 collections").arg(core.URL()).arg(core.numberOfCollections());
}

void VQVellicoAppDelegate::innerInitialization()
{
    VQLog("Creating swatch core.");
    // Loading may itself end the process after telling the user why.
    VQSwatchCore::setSharedCore(VQSwatchCore::loadFromURL(VQSwatchDatabaseURL(_chooseLibraryAtLaunch)));
    VQSwatchCore *core = VQSwatchCore::sharedCore();
    if (!core) {
        VQLog("Fatal error, couldn't create core, exiting.");
        VQTermination::terminate(0);
    }
    VQLog(QStringLiteral("Core successfully created (") + describeCore(*core) + QStringLiteral(")."));

    // Preferences come before synchronisation: they decide whether it runs.
    VQLog("Initializing preferences.");

    VQLog("Starting sync core.");
    VQiCloudSynchronizationManager::sharedManager();

    installStatusItem();
}

void VQVellicoAppDelegate::installStatusItem()
{
    _statusMenu = std::make_unique<QMenu>();
    QAction *quit = _statusMenu->addAction(VQLocalizedString("Quit"));
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    _statusItem = std::make_unique<QSystemTrayIcon>(VQStatusIcon());
    _statusItem->setToolTip(QStringLiteral("Vellico"));
    _statusItem->setContextMenu(_statusMenu.get());
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        VQLog("No system tray yet; the icon appears when one starts.");
    _statusItem->show();
}

void VQVellicoAppDelegate::applicationWillTerminate()
{
    if (_statusItem)
        _statusItem->hide();
    _statusItem.reset();
    _statusMenu.reset();
}

void VQVellicoAppDelegate::closeCurrentWindow() {}

void VQVellicoAppDelegate::importACO()
{
    VQImportCommands::importACO();
}

void VQVellicoAppDelegate::importASE()
{
    VQImportCommands::importASE();
}

void VQVellicoAppDelegate::importCLR()
{
    VQImportCommands::importCLR();
}
