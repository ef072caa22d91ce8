#pragma once
// How the program meets this session, decided once at start from what Qt and
// the desktop answer: whether a tray will ever show its icon, and what the
// main window tells the user.

#include <QString>

struct VQShellMode {
    // No tray now and none later (Qt looks for a StatusNotifierItem host only
    // at start outside X11): the main window is an ordinary window opened at start.
    bool noTray = false;
    // Open the main window at start: where no tray will show the icon, unless this
    // start only picks (a process of its own that ends with the pick).
    bool openWindowAtStart = false;
    // A note the main window always shows (how to get a tray), or empty.
    QString standingNote;
    // One sentence the main window shows the first time it opens: what this
    // session does not offer and what the user can do instead; or empty.
    QString firstOpenNote;

    // The first-open note for what the session offers.
    static QString noteFor(bool canPick, bool canBindKey);
};

// `platformName`: Qt's platform plugin; `trayAvailable`: Qt's answer at start;
// `canPick`: a pick can work here; `canBindKey`: a global shortcut can be bound.
VQShellMode VQChooseShellMode(const QString &platformName, bool trayAvailable, bool canPick, bool canBindKey);

// Whether Qt notices a tray that starts after the program: on X11 it watches for
// an XEmbed tray; elsewhere it asks for a StatusNotifierItem host once.
bool VQTrayCanArriveLater(const QString &platformName);
