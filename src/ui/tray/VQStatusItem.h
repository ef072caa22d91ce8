#pragma once
// The tray icon. It shows the normal or the highlighted picture, toggles the
// main window on a left click and shows the status menu (built anew each time
// by whoever owns the icon) on a right click or Ctrl+click.

#include "ui/tray/VQStatusItemLogic.h"

#include <QDeadlineTimer>
#include <QIcon>
#include <QObject>
#include <QRect>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QSystemTrayIcon;

class VQStatusItem : public QObject
{
    Q_OBJECT

  public:
    struct Actions {
        std::function<void()> toggleWindow;
        std::function<std::unique_ptr<QMenu>()> makeMenu;
        std::function<bool()> isWindowVisible;
    };

    explicit VQStatusItem(Actions actions, QObject *parent = nullptr);
    ~VQStatusItem() override;

    void show();
    void hide();
    // Where our own menu cannot be placed at the icon (Wayland), the tray host
    // shows the status menu itself (through the item's exported menu): built
    // once from `makeMenu`, and a right click is then the host's.
    void useHostMenu();

    bool isHighlighted() const { return _logic.isHighlighted(); }
    void setHighlighted(bool highlighted);

    // The icon's rectangle on screen, when the tray tells it.
    std::optional<QRect> geometry() const;
    // A one-off message next to the icon (a shortcut that could not be registered…),
    // shown once the tray has given the icon its place (or after a wait for it).
    void showMessage(const QString &title, const QString &text);
    // A line under the program's name in the icon's tooltip; empty: the name alone.
    void setStatus(const QString &status);

    // What a click does; public so that the desktop tests' clicks and unit
    // tests reach the same road.
    void handleClick(VQStatusItemLogic::Button button, bool ctrlHeld);

    const VQStatusItemLogic &logic() const { return _logic; }
    QSystemTrayIcon *trayIcon() const { return _tray.get(); }

    // The pictures for each state: "StatusIcon", and "StatusIconHighlighted"
    // on a selection background while the window is open. An icon theme that
    // draws io.github.vellico.Vellico-symbolic (and -highlighted-symbolic)
    // replaces the built-in glyphs, unless `fromTheme` is false.
    static QIcon iconFor(VQStatusItemLogic::Image image, bool highlightedState, bool fromTheme = true);

  protected:
    // A new application palette: the panel's darkness is guessed again and the icon redrawn.
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void updateDarkPanel();
    // Waiting: no tray yet, or it has not embedded the icon; Embedded: the icon
    // has its place; TraysOwn: the tray shows messages itself.
    enum class IconPlacement { Waiting, Embedded, TraysOwn };
    static IconPlacement iconPlacement();
    void showMessageOnceInPlace(const QString &title, const QString &text, QDeadlineTimer deadline,
                                std::optional<QRect> previous);
    void refreshIcon();
    void showMenu();

    Actions _actions;
    VQStatusItemLogic _logic;
    std::unique_ptr<QSystemTrayIcon> _tray;
    std::unique_ptr<QMenu> _hostMenu;
    bool _menuShown = false;
    bool _iconThemeRead = false;
};
