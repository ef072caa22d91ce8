#include "app/VQAppActions.h"

#include "core/VQColorNames.h"
#include "parsers/VQImportCommands.h"
#include "platform/VQGlobalShortcutService.h"
#include "ui/mainwindow/VQMainWindowKeys.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/ui/VQDesktopOpen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>

#ifndef VELLICO_FEEDBACK_ADDRESS
#define VELLICO_FEEDBACK_ADDRESS "feedback@vellico.invalid"
#endif

namespace
{
// One row per command: its menu title (none for commands only keys run) and the window's keys for it.
struct CommandRow {
    VQAppCommand command;
    const char *title;
    VQMainWindowKeyAction keys;
};

using Keys = VQMainWindowKeyAction;
constexpr CommandRow kCommands[] = {
    {VQAppCommand::About, QT_TRANSLATE_NOOP("Vellico", "About Vellico"), Keys::None},
    {VQAppCommand::PickColor, QT_TRANSLATE_NOOP("Vellico", "Pick Color from Screen"), Keys::None},
    {VQAppCommand::NewCollection, QT_TRANSLATE_NOOP("Vellico", "New Collection"), Keys::NewCollection},
    {VQAppCommand::FindColor, QT_TRANSLATE_NOOP("Vellico", "Find Color..."), Keys::FindColor},
    {VQAppCommand::CopyColorName, QT_TRANSLATE_NOOP("Vellico", "Copy Color Name"), Keys::CopyColorName},
    {VQAppCommand::Preferences, QT_TRANSLATE_NOOP("Vellico", "Preferences..."), Keys::Preferences},
    {VQAppCommand::ImportACO, QT_TRANSLATE_NOOP("Vellico", "Import ACO file..."), Keys::None},
    {VQAppCommand::ImportASE, QT_TRANSLATE_NOOP("Vellico", "Import ASE file..."), Keys::None},
    {VQAppCommand::ImportCLR, QT_TRANSLATE_NOOP("Vellico", "Import CLR file..."), Keys::None},
    {VQAppCommand::ImportGPL, QT_TRANSLATE_NOOP("Vellico", "Import GPL file..."), Keys::None},
    {VQAppCommand::SendFeedback, QT_TRANSLATE_NOOP("Vellico", "Send Feedback..."), Keys::None},
    {VQAppCommand::Help, QT_TRANSLATE_NOOP("Vellico", "Help"), Keys::Help},
    {VQAppCommand::Quit, QT_TRANSLATE_NOOP("Vellico", "Quit"), Keys::Quit},
    {VQAppCommand::CloseWindow, nullptr, Keys::CloseWindow},
    {VQAppCommand::Copy, nullptr, Keys::Copy},
    {VQAppCommand::CopyAlternate, nullptr, Keys::CopyAlternate},
    {VQAppCommand::Paste, nullptr, Keys::Paste},
    {VQAppCommand::BrightnessUp, nullptr, Keys::BrightnessUp},
    {VQAppCommand::BrightnessDown, nullptr, Keys::BrightnessDown},
};

void call(const std::function<void()> &handler)
{
    if (handler)
        handler();
}
} // namespace

VQAppActions::VQAppActions(Handlers handlers, const VQGlobalShortcutService &shortcut,
                           std::function<QStringList()> whatWorks, bool noTray, QObject *parent)
    : QObject(parent), _handlers(std::move(handlers)), _shortcut(shortcut), _whatWorks(std::move(whatWorks)),
      _noTray(noTray)
{
    for (const CommandRow &row : kCommands) {
        if (!row.title)
            continue;
        auto *action = new QAction(VQLocalizedString(row.title), this);
        action->setShortcut(VQMainWindowShortcutFor(row.keys));
        // Commands run after the menu has closed, never while it handles its input.
        connect(
            action, &QAction::triggered, this, [this, command = row.command] { run(command); }, Qt::QueuedConnection);
        _items[row.command] = action;
    }
}

VQAppActions::~VQAppActions() = default;

void VQAppActions::run(VQAppCommand command)
{
    switch (command) {
    case VQAppCommand::About:
        return about();
    case VQAppCommand::PickColor:
        return call(_handlers.pickColor);
    case VQAppCommand::Preferences:
        return call(_handlers.preferences);
    case VQAppCommand::ImportACO:
        return import(&VQImportCommands::importACO);
    case VQAppCommand::ImportASE:
        return import(&VQImportCommands::importASE);
    case VQAppCommand::ImportCLR:
        return import(&VQImportCommands::importCLR);
    case VQAppCommand::ImportGPL:
        return import(&VQImportCommands::importGPL);
    case VQAppCommand::SendFeedback:
        return sendFeedback();
    case VQAppCommand::Help:
        return help();
    case VQAppCommand::Quit:
        return QCoreApplication::quit();
    case VQAppCommand::CloseWindow:
        return call(_handlers.closeWindow);
    case VQAppCommand::Copy:
        return call(_handlers.copy);
    case VQAppCommand::CopyAlternate:
        return call(_handlers.copyAlternate);
    case VQAppCommand::Paste:
        return call(_handlers.paste);
    case VQAppCommand::CopyColorName:
        return call(_handlers.copyColorName);
    case VQAppCommand::NewCollection:
        return call(_handlers.newCollection);
    case VQAppCommand::FindColor:
        return call(_handlers.findColor);
    case VQAppCommand::BrightnessUp:
        if (_handlers.arrowKey)
            _handlers.arrowKey(Qt::Key_Up);
        return;
    case VQAppCommand::BrightnessDown:
        if (_handlers.arrowKey)
            _handlers.arrowKey(Qt::Key_Down);
        return;
    }
}

void VQAppActions::import(bool (*import)(VQSwatchCore &))
{
    if (VQSwatchCore *library = _handlers.library ? _handlers.library() : nullptr)
        import(*library);
}

void VQAppActions::runKeyAction(VQMainWindowKeyAction action)
{
    if (action == VQMainWindowKeyAction::None)
        return;
    for (const CommandRow &row : kCommands)
        if (row.keys == action)
            return run(row.command);
}

QAction *VQAppActions::item(VQAppCommand command)
{
    return _items.at(command);
}

void VQAppActions::addItems(QMenu &menu, std::initializer_list<VQAppCommand> commands)
{
    for (VQAppCommand command : commands)
        menu.addAction(item(command));
}

void VQAppActions::addGroup(QMenu &menu, std::initializer_list<VQAppCommand> commands)
{
    addItems(menu, commands);
    menu.addSeparator();
}

bool VQAppActions::canPick() const
{
    return _handlers.canPick && _handlers.canPick();
}

std::unique_ptr<QMenu> VQAppActions::gearMenu()
{
    auto menu = std::make_unique<QMenu>();
    // Without a tray the status menu's About box is reached from here.
    if (_noTray)
        addGroup(*menu, {VQAppCommand::About});
    if (canPick())
        addGroup(*menu, {VQAppCommand::PickColor});
    addGroup(*menu, {VQAppCommand::NewCollection, VQAppCommand::FindColor, VQAppCommand::CopyColorName});
    addGroup(*menu, {VQAppCommand::Preferences});
    QMenu *import = menu->addMenu(VQLocalizedString("Import"));
    addItems(*import,
             {VQAppCommand::ImportACO, VQAppCommand::ImportASE, VQAppCommand::ImportCLR, VQAppCommand::ImportGPL});
    menu->addSeparator();
    addGroup(*menu, {VQAppCommand::SendFeedback, VQAppCommand::Help});
    addItems(*menu, {VQAppCommand::Quit});
    return menu;
}

std::unique_ptr<QMenu> VQAppActions::statusItemMenu()
{
    auto menu = std::make_unique<QMenu>();
    addGroup(*menu, {VQAppCommand::About});
    if (canPick())
        addGroup(*menu, {VQAppCommand::PickColor});
    addGroup(*menu, {VQAppCommand::Preferences});
    addItems(*menu, {VQAppCommand::Quit});
    return menu;
}

void VQAppActions::popUpGearMenu(QToolButton *button)
{
    QMenu *menu = gearMenu().release();
    button->setDown(true);
    connect(menu, &QMenu::aboutToHide, button, [button] { button->setDown(false); });
    // Its items run queued, after it has gone.
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->popup(button->mapToGlobal(QPoint(button->width() - 120, button->height() + 2)));
}

QString VQAppActions::aboutText() const
{
    QString text = QStringLiteral("Vellico %1\n%2")
                       .arg(QCoreApplication::applicationVersion(),
                            VQLocalizedString("A color picker and swatch manager for the desktop."));
    QStringList lines = _whatWorks ? _whatWorks() : QStringList();
    // The desktop answers about the shortcut after start: say where it stands now.
    if (_shortcut.desktopDecidesKeys())
        for (QString &line : lines)
            if (line.startsWith(QLatin1String("Global shortcut: ")))
                line = QStringLiteral("Global shortcut: %1; now: %2")
                           .arg(_shortcut.description(), _shortcut.binding().text);
    if (!lines.isEmpty())
        text += QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'));
    // The colour names' licence asks for its notice wherever they go.
    text += QStringLiteral("\n\n") + VQColorNames::attribution() + QStringLiteral("\n\n") + VQColorNames::licence();
    return text;
}

void VQAppActions::about()
{
    VQModalUI::shared().runAlert({VQLocalizedString("About Vellico"),
                                  aboutText(),
                                  {VQLocalizedString("OK")},
                                  false,
                                  {},
                                  VQAlertStyle::Informational});
}

void VQAppActions::help()
{
    // The guide ships inside the program; a browser needs it as a file.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(folder);
    const QString page = folder + QStringLiteral("/help.html");
    QFile::remove(page);
    if (!QFile::copy(QStringLiteral(":/help/index.html"), page)) {
        VQLog(QStringLiteral("Couldn't write the user guide to ") + page);
        return;
    }
    QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner);
    VQOpenWithDesktop(
        QUrl::fromLocalFile(page),
        {VQLocalizedString("Vellico couldn't open the user guide: no web browser is set up on this desktop."), page,
         VQLocalizedString("Copy Path")});
}

void VQAppActions::sendFeedback()
{
    VQOpenWithDesktop(QUrl(QStringLiteral("mailto:" VELLICO_FEEDBACK_ADDRESS "?subject=Vellico%20") +
                           QCoreApplication::applicationVersion()),
                      {VQLocalizedString("Vellico couldn't start a mail program: none is set up on this desktop. "
                                         "Please write to this address:"),
                       QStringLiteral(VELLICO_FEEDBACK_ADDRESS), VQLocalizedString("Copy Address")});
}
