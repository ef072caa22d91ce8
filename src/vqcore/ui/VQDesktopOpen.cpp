#include "vqcore/ui/VQDesktopOpen.h"

#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

#include <utility>

namespace
{

VQDesktopOpener &installedOpener()
{
    static VQDesktopOpener opener;
    return opener;
}

} // namespace

VQDesktopOpener VQInstallDesktopOpener(VQDesktopOpener opener)
{
    return std::exchange(installedOpener(), std::move(opener));
}

bool VQOpenWithDesktop(const QUrl &url, const VQDesktopOpenFailure &failure)
{
    // QDesktopServices answers false when it finds no program for the URL's
    // kind (it would only say so on standard error).
    const VQDesktopOpener &opener = installedOpener();
    if (opener ? opener(url) : QDesktopServices::openUrl(url))
        return true;
    VQLog(QStringLiteral("Nothing on this desktop opens ") + url.toString());
    const VQAlertResponse response = VQModalUI::shared().runAlert({failure.messageText,
                                                                   failure.shown,
                                                                   {VQLocalizedString("OK"), failure.copyButton},
                                                                   false,
                                                                   {},
                                                                   VQAlertStyle::Informational});
    if (response.button == 1) {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(failure.shown);
    }
    return false;
}
