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
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <functional>
#include <optional>

class VQPortalCall;

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

// What take() hands back: the picture in Format_RGB32; or nothing, with
// `failure` one line, or empty when the call was interrupted (the pick was
// cancelled, the program quits).
using Taken = std::function<void(const std::optional<QImage> &picture, const QString &failure)>;

// Asks the desktop portal of the session bus for the screenshot, with
// `parentWindow` ("wayland:HANDLE", "x11:XID" or empty) for a permission
// dialog. Returns at once: `done` hears the outcome later, once, in the
// event loop (at once when the bus cannot be reached; then the call is null).
// The call may be interrupted meanwhile; it deletes itself after answering.
QPointer<VQPortalCall> take(const QString &parentWindow, Taken done, std::chrono::milliseconds deadline = kDeadline);
} // namespace VQPortalScreenshot
