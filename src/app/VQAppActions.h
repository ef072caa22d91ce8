#pragma once
// The program's commands, from one table: the tray icon's menu, the gear
// menu and the main window's keys all run them through here. The menu items
// are made once; a menu is put together from them when it is shown, so that
// what the session offers (picking from the screen) is current. About, Help,
// Send Feedback and the imports are carried out here; the rest is asked of
// whoever owns it, through the handlers given at construction.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QMenu;
class QToolButton;
class VQGlobalShortcutService;
class VQSwatchCore;
enum class VQMainWindowKeyAction;

enum class VQAppCommand {
    About,
    PickColor,
    Preferences,
    ImportACO,
    ImportASE,
    ImportCLR,
    ImportGPL,
    SendFeedback,
    Help,
    Quit,
    CloseWindow,
    Copy,
    CopyAlternate,
    Paste,
    BrightnessUp,
    BrightnessDown,
    CopyColorName,
    NewCollection,
    FindColor,
};

class VQAppActions : public QObject
{
    Q_OBJECT

  public:
    struct Handlers {
        std::function<void()> pickColor, preferences, closeWindow, copy, copyAlternate, paste;
        std::function<void()> copyColorName, newCollection, findColor;
        // Whether the session offers picking from the screen now (the menus leave it out when not).
        std::function<bool()> canPick;
        // The library the imports add to (null before it is open).
        std::function<VQSwatchCore *()> library;
        // Up or Down for the colour wheel's brightness.
        std::function<void(int qtKey)> arrowKey;
    };
    // `whatWorks`: the session's paths, a line each, for the About box; `noTray`:
    // the gear menu then also offers the About box.
    VQAppActions(Handlers handlers, const VQGlobalShortcutService &shortcut, std::function<QStringList()> whatWorks,
                 bool noTray, QObject *parent = nullptr);
    ~VQAppActions() override;

    // Runs `command` now.
    void run(VQAppCommand command);
    // Runs what a key of the main window asks for.
    void runKeyAction(VQMainWindowKeyAction action);

    // The menus, put together anew on each call from the items made once.
    std::unique_ptr<QMenu> gearMenu();
    std::unique_ptr<QMenu> statusItemMenu();
    // Pops the gear menu up under `button`; returns at once (the menu closes on its own).
    void popUpGearMenu(QToolButton *button);

    // The About box's text: the version and the paths this session uses.
    QString aboutText() const;
    void about();
    void help();
    void sendFeedback();

  private:
    QAction *item(VQAppCommand command);
    // Runs `import` on the library, when there is one.
    void import(bool (*import)(VQSwatchCore &));
    void addItems(QMenu &menu, std::initializer_list<VQAppCommand> commands);
    // The items, then a separator.
    void addGroup(QMenu &menu, std::initializer_list<VQAppCommand> commands);
    bool canPick() const;

    Handlers _handlers;
    const VQGlobalShortcutService &_shortcut;
    std::function<QStringList()> _whatWorks;
    bool _noTray = false;
    std::map<VQAppCommand, QAction *> _items;
};
