#pragma once
// One non-interactive screenshot of the whole desktop through the desktop
// portal (org.freedesktop.portal.Screenshot), for the frozen loupe where the
// compositor offers no screencopy (GNOME, KDE Plasma).
//
// The portal writes the picture to a file and answers with its URI. Some
// backends write it world-readable at a fixed path in /tmp, others among the
// user's pictures: we read it once, through the regular-file reader with a
// size budget, and delete it at once, whatever the read gave. The picture then
// lives only in memory. At a fixed path another local user may have made the
// file first, to see our screen in it and change it before we read it: only a
// file of our own with no other name is read, and only that very file deleted.

#include <QImage>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <optional>

namespace VQPortalScreenshot
{
// How long the portal may take to answer before the screenshot fails.
inline constexpr std::chrono::milliseconds kDeadline{10000};
// The largest screenshot file read: a PNG of several 8K outputs stays well below.
inline constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

// What Response(code, results) amounts to: the local file the portal wrote,
// or why there is none (one line). Our screenshot asks nothing of the user,
// so a 1 ("cancelled") is the desktop failing, not the user's cancel; KDE
// Plasma answers so when it cannot save the picture into `picturesFolder`
// (the user's folder for pictures), which the line then names when it is
// missing or not writable.
struct Answer {
    QString path;
    QString failure;
};
Answer answerOf(uint code, const QVariantMap &results, const QString &picturesFolder = {});

// Reads the picture at `path` once (a regular file of at most `budget`
// bytes, ours, with one link; links refused) and deletes the file whatever
// the read gave, when it is ours and the name still names it. A null image,
// with `error` set, when it cannot be read or decoded.
QImage takeFile(const QString &path, QString *error, qint64 budget = kMaxFileBytes);

// Asks the desktop portal of the session bus for the screenshot, with
// `parentWindow` ("wayland:HANDLE", "x11:XID" or empty) for a permission
// dialog. Runs a local event loop until the answer or the deadline; never
// blocks the event loop. The picture in Format_RGB32; nothing, with
// `failure` set to one line, when there is none, or with `failure` empty when
// the pick was cancelled or the program quit first.
std::optional<QImage> take(const QString &parentWindow, QString *failure,
                           std::chrono::milliseconds deadline = kDeadline);
} // namespace VQPortalScreenshot
