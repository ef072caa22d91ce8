#pragma once
// "Launch at login": an XDG autostart entry, vellico.desktop in the autostart
// folder of the user's configuration ($XDG_CONFIG_HOME/autostart, or
// ~/.config/autostart). The entry's presence is the setting; nothing is kept
// in the user defaults.

#include <QString>

class VQLaunchAtLogin
{
  public:
    // $XDG_CONFIG_HOME/autostart/vellico.desktop; a relative XDG_CONFIG_HOME is ignored.
    static QString entryPath();

    // Whether the desktop will start Vellico at login: the entry exists and
    // does not hide itself (Hidden=true, X-GNOME-Autostart-enabled=false).
    static bool isEnabled();

    // Writes the entry (atomically) to start `executable`, or removes it.
    // False with `error` filled when the folder or the file could not be written.
    static bool setEnabled(bool enabled, const QString &executable, QString *error = nullptr);

    // The entry's text for `executable`.
    static QByteArray entryText(const QString &executable);
    // `path` as one argument of an Exec line: quoted when it holds a reserved
    // character, with the escapes the desktop-entry format asks for.
    static QString quotedExecArgument(const QString &path);
};
