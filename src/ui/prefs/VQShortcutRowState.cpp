#include "ui/prefs/VQShortcutRowState.h"
#include "vqcore/VQLocalizedString.h"

#include <QDir>
#include <QFileInfo>

QString VQBindableProgram(const QString &programPath, const QString &pathVariable)
{
    const QFileInfo program(programPath);
    const QString name = program.fileName();
    for (const QString &folder : pathVariable.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QFileInfo found(QDir(folder).filePath(name));
        if (!found.exists() || !found.isExecutable())
            continue;
        // The first one on the path is what the desktop runs.
        if (found.canonicalFilePath() == program.canonicalFilePath())
            return name;
        break;
    }
    const QString path = program.absoluteFilePath();
    if (!path.contains(QLatin1Char(' ')) && !path.contains(QLatin1Char('\'')))
        return path;
    QString quoted = path;
    quoted.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

VQShortcutRowState VQShortcutRowState::make(Binding binding, const QString &desktopName, const QString &program,
                                            const QString &desktopTrigger, const QString &failure)
{
    VQShortcutRowState state;
    const QString desktop = desktopName.isEmpty() ? VQLocalizedString("This desktop") : desktopName;
    const auto offerCommands = [&] {
        state.commands = {program + QStringLiteral(" --pick"), program};
        state.purposes = {VQLocalizedString("picks a color"), VQLocalizedString("opens or closes the window")};
    };
    switch (binding) {
    case Binding::Grabs:
        break;
    case Binding::PortalAsking:
        state.note = VQLocalizedString("Asking %1 to bind the shortcut…").arg(desktop);
        break;
    case Binding::PortalBound:
        state.note = desktopTrigger.isEmpty()
                         ? VQLocalizedString("%1 bound the shortcut; its keyboard settings show the keys.").arg(desktop)
                         : VQLocalizedString("%1 bound the shortcut to %2.").arg(desktop, desktopTrigger);
        break;
    case Binding::PortalFailed:
        state.note = VQLocalizedString("%1 did not bind the shortcut (%2). In its keyboard settings, bind the first "
                                       "command to a key to pick a color, or the second to open the window:")
                         .arg(desktop, failure);
        offerCommands();
        break;
    case Binding::NotOffered:
        state.showsRecorder = false;
        //: %1 is the desktop's name; %2 is empty or the reason in parentheses, with a space before it.
        state.note = VQLocalizedString("%1 binds no global shortcut for programs%2. In its keyboard settings, bind "
                                       "the first command to a key to pick a color, or the second to open the window:")
                         .arg(desktop, failure.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(failure));
        offerCommands();
        break;
    }
    return state;
}
