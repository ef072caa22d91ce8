#pragma once
// Hands an address or a file to the desktop's program for it (browser, mail
// program, file manager). Where the desktop has none registered, an alert
// says so and shows the address or path, with a button that copies it: the
// user still gets where the command was meant to take them.

#include <QString>
#include <QUrl>

#include <functional>

struct VQDesktopOpenFailure {
    QString messageText; // what could not be opened, and why
    QString shown;       // the address or path the alert shows and copies
    QString copyButton;  // "Copy Address", "Copy Path"
};

// Opens `url`; when nothing opens it, runs the alert of `failure` (through the
// modal-UI service) and copies `failure.shown` to the clipboard if asked.
// Returns whether the desktop took the URL.
bool VQOpenWithDesktop(const QUrl &url, const VQDesktopOpenFailure &failure);

// What hands a URL to the desktop: QDesktopServices::openUrl unless a test
// installs its own. Returns the previous one.
using VQDesktopOpener = std::function<bool(const QUrl &)>;
VQDesktopOpener VQInstallDesktopOpener(VQDesktopOpener opener);
