#pragma once
// The tray icon: installed first at start-up, it toggles the current window,
// shows the status menu, and tells what the library has to say (a file set
// aside, a save waiting for another program). Where the session has no tray,
// the main window opens as an ordinary window instead.

#include <QObject>
#include <QString>

#include <memory>

class VQAppActions;
class VQDesktopServices;
class VQStatusItem;
class VQWindowController;
struct VQShellMode;

class VQTrayController : public QObject
{
    Q_OBJECT

  public:
    VQTrayController(VQDesktopServices &desktop, const VQShellMode &shell, VQWindowController &windows,
                     VQAppActions &actions, QObject *parent = nullptr);
    ~VQTrayController() override;

    // Makes the icon and shows it (or, without a tray, opens the window on the next turn).
    void install();
    // Hides the icon and lets it go.
    void remove();
    VQStatusItem *statusItem() const { return _statusItem.get(); }
    // A message at the icon, from the next turn of the event loop (at start-up the icon comes a moment later).
    void showMessageSoon(const QString &message);

  private:
    VQDesktopServices &_desktop;
    const VQShellMode &_shell;
    VQWindowController &_windows;
    VQAppActions &_actions;
    std::unique_ptr<VQStatusItem> _statusItem;
    quint64 _noticeObserver = 0;
    quint64 _waitingObserver = 0;
};
