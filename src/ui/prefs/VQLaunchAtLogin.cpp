#include "ui/prefs/VQLaunchAtLogin.h"
#include "vqcore/VQLocalizedString.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

QString autostartFolder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart");
}

// Whether the entry at `path` exists and does not hide itself.
bool entryEnabled(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed().toLower();
        if (key == QLatin1String("Hidden") && value == QLatin1String("true"))
            return false;
        if (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false"))
            return false;
    }
    return true;
}

bool removeEntry(const QString &path, QString *error)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    QFile file(path);
    if (file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace

QString VQLaunchAtLogin::entryPath()
{
    return autostartFolder() + QStringLiteral("/io.github.vellico.Vellico.desktop");
}

QString VQLaunchAtLogin::legacyEntryPath()
{
    return autostartFolder() + QStringLiteral("/vellico.desktop");
}

bool VQLaunchAtLogin::isEnabled()
{
    if (QFileInfo::exists(entryPath()))
        return entryEnabled(entryPath());
    return entryEnabled(legacyEntryPath());
}

QString VQLaunchAtLogin::quotedExecArgument(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString escaped;
    bool needsQuotes = false;
    for (const QChar c : path) {
        if (reserved.contains(c))
            needsQuotes = true;
        // Inside quotes ", `, $ and \ take a backslash.
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    QString argument = needsQuotes ? QLatin1Char('"') + escaped + QLatin1Char('"') : path;
    // The desktop-entry level comes last: a backslash is written twice, and
    // a literal % is %% (field codes start with %).
    argument.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    argument.replace(QLatin1String("%"), QLatin1String("%%"));
    return argument;
}

QByteArray VQLaunchAtLogin::entryText(const QString &executable)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Vellico\n"
                                  "Comment=Color picker and swatch manager in the tray\n"
                                  "Icon=io.github.vellico.Vellico\n"
                                  "Terminal=false\n"
                                  "X-GNOME-Autostart-enabled=true\n");
    text += QStringLiteral("Exec=") + quotedExecArgument(executable) + QLatin1Char('\n');
    return text.toUtf8();
}

bool VQLaunchAtLogin::setEnabled(bool enabled, const QString &executable, QString *error)
{
    const QString path = entryPath();
    if (!enabled)
        return removeEntry(path, error) && removeEntry(legacyEntryPath(), error);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = VQLocalizedString("The folder %1 could not be made.").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(entryText(executable)) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return removeEntry(legacyEntryPath(), error);
}

bool VQLaunchAtLogin::replaceLegacyEntry(const QString &executable, QString *error)
{
    const QString legacy = legacyEntryPath();
    if (!QFileInfo::exists(legacy))
        return true;
    // A current entry wins: the legacy one is only a leftover then.
    if (QFileInfo::exists(entryPath()))
        return removeEntry(legacy, error);
    return setEnabled(entryEnabled(legacy), executable, error);
}
