#include "app/VQTrayController.h"

#include "app/VQAppActions.h"
#include "app/VQDesktopServices.h"
#include "app/VQShellMode.h"
#include "app/VQWindowController.h"
#include "core/VQSwatchCore.h"
#include "ui/tray/VQStatusItem.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQNotificationCenter.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

VQTrayController::VQTrayController(VQDesktopServices &desktop, const VQShellMode &shell, VQWindowController &windows,
                                   VQAppActions &actions, QObject *parent)
    : QObject(parent), _desktop(desktop), _shell(shell), _windows(windows), _actions(actions)
{
}

VQTrayController::~VQTrayController()
{
    VQNotificationCenter::defaultCenter().removeObserver(_noticeObserver);
    VQNotificationCenter::defaultCenter().removeObserver(_waitingObserver);
    _windows.setStatusItem(nullptr);
}

void VQTrayController::install()
{
    VQStatusItem::Actions actions;
    actions.toggleWindow = [this] { _windows.toggleCurrentWindow(); };
    actions.makeMenu = [this] { return _actions.statusItemMenu(); };
    actions.isWindowVisible = [this] { return _windows.isCurrentWindowVisible(); };
    _statusItem = std::make_unique<VQStatusItem>(std::move(actions));
    _windows.setStatusItem(_statusItem.get());
    // Where our menu cannot be put at the icon, the tray host shows it.
    if (!_desktop.capabilities().windowPlacement)
        _statusItem->useHostMenu();
    if (_shell.noTray) {
        // Qt will not look for a tray again: the window is the program.
        VQLog("No system tray, and Qt looks for none later: the main window opens as an ordinary window.");
        if (_shell.openWindowAtStart)
            QTimer::singleShot(0, this, [this] {
                if (_windows.mode() == VQApplicationMode::MainWindow && !_windows.isCurrentWindowVisible())
                    _windows.openCurrentWindow();
            });
    } else {
        if (!QSystemTrayIcon::isSystemTrayAvailable())
            VQLog("No system tray yet; the icon appears when one starts.");
        // Only here: with no tray host at start and none looked for later (not X11), Qt's
        // icon only connects to a signal that the X11 platform alone has, and warns.
        _statusItem->show();
    }
    // What the library has to tell (a file set aside at a save) shows once, at the icon.
    _noticeObserver = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreNoticeNotification), nullptr, [this](const VQNotification &notification) {
            if (_statusItem && notification.object)
                _statusItem->showMessage(QStringLiteral("Vellico"),
                                         static_cast<const VQSwatchCore *>(notification.object)->notice());
        });
    // A save that waits for another program to let go of the library says so at the icon.
    _waitingObserver = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreWaitingDidChangeNotification), nullptr,
        [this](const VQNotification &notification) {
            if (_statusItem && notification.object)
                _statusItem->setStatus(static_cast<const VQSwatchCore *>(notification.object)->waitingFor());
        });
}

void VQTrayController::remove()
{
    _windows.setStatusItem(nullptr);
    if (_statusItem)
        _statusItem->hide();
    _statusItem.reset();
}

void VQTrayController::showMessageSoon(const QString &message)
{
    QTimer::singleShot(0, this, [this, message] {
        if (_statusItem)
            _statusItem->showMessage(QStringLiteral("Vellico"), message);
    });
}
