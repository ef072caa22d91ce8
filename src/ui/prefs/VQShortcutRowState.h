#pragma once
// What the preferences' shortcut row says about how the global shortcut is
// bound in this session: by Vellico itself (X11 key grabs: the recorder
// alone), by the desktop through its portal (the recorder proposes, the
// desktop decides and reports the keys), or not at all (then the row gives
// the commands to bind in the desktop's own keyboard settings, each with a
// button that copies it). Plain text, decided without widgets.

#include <QString>
#include <QStringList>

struct VQShortcutRowState {
    enum class Binding {
        Grabs,        // Vellico grabs the keys itself
        PortalAsking, // the desktop's portal has been asked, no answer yet
        PortalBound,  // the portal bound it; `desktopTrigger` is its word for the keys
        PortalFailed, // the portal refused or failed; `failure` says why
        NotOffered,   // nothing here binds keys for programs; `failure`, if given, says how that showed
    };

    bool showsRecorder = true;
    QString note;         // one or two sentences under the recorder; empty: none
    QStringList commands; // commands to bind, each shown with a copy button
    QStringList purposes; // what each command does

    // `desktopName`: XDG_CURRENT_DESKTOP's first entry (may be empty);
    // `program`: the command that starts this Vellico (see VQBindableProgram).
    static VQShortcutRowState make(Binding binding, const QString &desktopName, const QString &program,
                                   const QString &desktopTrigger = QString(), const QString &failure = QString());
};

// How a desktop's key binding starts this Vellico: "vellico" when the program
// found first in `pathVariable` (PATH) is this one, else its full path
// (quoted for a shell when it holds spaces).
QString VQBindableProgram(const QString &programPath, const QString &pathVariable);
