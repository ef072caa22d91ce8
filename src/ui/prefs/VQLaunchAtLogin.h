#pragma once
// "Launch at login": an XDG autostart entry, io.github.vellico.Vellico.desktop
// in the autostart folder of the user's configuration ($XDG_CONFIG_HOME/autostart,
// or ~/.config/autostart). The entry's presence is the setting; nothing is kept
// in the user defaults. Earlier versions named the entry vellico.desktop; such
// an entry still counts, and is replaced by one under the current name.

#include <QString>

class VQLaunchAtLogin
{
  public:
    // $XDG_CONFIG_HOME/autostart/io.github.vellico.Vellico.desktop; a relative
    // XDG_CONFIG_HOME is ignored.
    static QString entryPath();
    // The same folder's vellico.desktop, the name earlier versions wrote.
    static QString legacyEntryPath();

    // Whether the desktop will start Vellico at login: an entry (the current
    // one, else the legacy one) exists and does not hide itself (Hidden=true,
    // X-GNOME-Autostart-enabled=false).
    static bool isEnabled();

    // Writes the entry (atomically) to start `executable`, or removes it; a
    // legacy entry goes in both cases, so the desktop never starts two.
    // False with `error` filled when the folder or the file could not be written.
    static bool setEnabled(bool enabled, const QString &executable, QString *error = nullptr);

    // Replaces a legacy entry by the current one: written for `executable`
    // when the legacy entry was enabled, and nothing when it was switched off;
    // beside a current entry, the legacy one just goes. Does nothing when there
    // is no legacy entry. False with `error` filled
    // when the new entry could not be written (the legacy one is then kept).
    static bool replaceLegacyEntry(const QString &executable, QString *error = nullptr);

    // The entry's text for `executable`.
    static QByteArray entryText(const QString &executable);
    // `path` as one argument of an Exec line: quoted when it holds a reserved
    // character, with the escapes the desktop-entry format asks for.
    static QString quotedExecArgument(const QString &path);
};
