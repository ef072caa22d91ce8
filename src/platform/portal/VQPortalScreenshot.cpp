#include "platform/portal/VQPortalScreenshot.h"

#include "platform/portal/VQPortalRequest.h"
#include "vqcore/VQFileAccess.h"
#include "vqcore/VQLog.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <QUrl>

#include <unistd.h>

namespace
{
// Why the desktop could not save a picture into `folder`; empty when it could.
QString folderProblem(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("; the folder for pictures, %1, where desktops save screenshots, does not exist")
            .arg(folder);
    if (!info.isDir() || !info.isWritable())
        return QStringLiteral("; the folder for pictures, %1, where desktops save screenshots, is not a folder "
                              "the desktop can write to")
            .arg(folder);
    return {};
}
} // namespace

VQPortalScreenshot::Answer VQPortalScreenshot::answerOf(uint code, const QVariantMap &results,
                                                        const QString &picturesFolder)
{
    switch (code) {
    case 0:
        break;
    case 1:
        return {{},
                QStringLiteral("the desktop could not take the screenshot (its portal answered \"cancelled\", but "
                               "nothing was asked of the user)") +
                    folderProblem(picturesFolder)};
    case 2:
        return {{}, QStringLiteral("the desktop portal ended the screenshot without a picture")};
    default:
        return {{},
                QStringLiteral("the desktop portal answered the screenshot with the unknown response %1").arg(code)};
    }
    const QString uri = results.value(QStringLiteral("uri")).toString();
    if (uri.isEmpty())
        return {{}, QStringLiteral("the desktop portal answered without a screenshot")};
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile() || !url.host().isEmpty() || url.toLocalFile().isEmpty())
        return {{}, QStringLiteral("the desktop portal's screenshot is at %1, not in a local file").arg(uri)};
    return {url.toLocalFile(), {}};
}

QImage VQPortalScreenshot::takeFile(const QString &path, QString *error, qint64 budget)
{
    QString readError;
    std::optional<VQFileIdentity> opened;
    const std::optional<QByteArray> bytes =
        VQReadRegularFile(path, budget, &readError, VQLinks::Refuse, VQOwner::Us, &opened);
    // Deleted before anything else, read or not, so the picture does not stay
    // on disk; but only our own file, and only while the name is still the
    // file we opened: never another user's, nor what a link points to.
    if (opened && opened->owner == ::geteuid()) {
        QString removeError;
        if (!VQRemoveIfStill(path, *opened, &removeError))
            VQLog(
                QStringLiteral("The desktop portal's screenshot %1 could not be deleted: %2.").arg(path, removeError));
    }
    if (!bytes) {
        if (error)
            *error = QStringLiteral("the desktop portal's screenshot file %1 cannot be read: %2").arg(path, readError);
        return {};
    }
    QByteArray data = *bytes;
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    QImage picture = reader.read();
    if (picture.isNull()) {
        if (error)
            *error = QStringLiteral("the desktop portal's screenshot file %1 is not a picture Vellico can read (%2)")
                         .arg(path, reader.errorString());
        return {};
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

QPointer<VQPortalCall> VQPortalScreenshot::take(const QString &parentWindow, Taken done,
                                                std::chrono::milliseconds deadline)
{
    if (const QString problem = VQPortalRequest::busProblem(); !problem.isEmpty()) {
        done(std::nullopt, problem);
        return nullptr;
    }
    auto *call =
        new VQPortalCall(QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"),
                         parentWindow, {{QStringLiteral("interactive"), false}, {QStringLiteral("modal"), true}},
                         deadline, QStringLiteral("Screenshot"));
    QObject::connect(
        call, &VQPortalCall::answered, call, [done = std::move(done), deadline](const VQPortalAnswer &answer) {
            switch (answer.kind) {
            case VQPortalAnswer::Kind::Answered:
                break;
            case VQPortalAnswer::Kind::Refused:
                done(std::nullopt, QStringLiteral("the desktop portal cannot take a screenshot: %1").arg(answer.error));
                return;
            case VQPortalAnswer::Kind::Late:
                done(std::nullopt, QStringLiteral("the desktop portal did not answer within %1 s")
                                       .arg(QString::number(double(deadline.count()) / 1000.0)));
                return;
            case VQPortalAnswer::Kind::Interrupted:
                // The pick was cancelled or the program quits: no failure to tell.
                VQLog(QStringLiteral("The pick was ended before the desktop portal's screenshot came."));
                done(std::nullopt, {});
                return;
            }
            const Answer answered = answerOf(answer.code, answer.results,
                                             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
            if (!answered.failure.isEmpty()) {
                done(std::nullopt, answered.failure);
                return;
            }
            QString error;
            QImage picture = takeFile(answered.path, &error);
            if (picture.isNull()) {
                done(std::nullopt, error);
                return;
            }
            VQLog(QStringLiteral("The desktop portal's screenshot (%1 x %2) was read from %3 and deleted.")
                      .arg(picture.width())
                      .arg(picture.height())
                      .arg(answered.path));
            done(picture, {});
        });
    call->start();
    return call;
}
