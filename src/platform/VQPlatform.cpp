#include "platform/VQPlatform.h"

#include "vqcore/VQLog.h"

#include <QString>

#ifdef VELLICO_HAVE_X11
#include "platform/x11/VQX11Platform.h"
#endif

#include <cstdio>

VQPlatform::~VQPlatform() = default;

std::unique_ptr<VQPlatform> VQPlatform::createForPlatform(const QString &platformName)
{
#ifdef VELLICO_HAVE_X11
    if (platformName == QLatin1String("xcb")) {
        if (auto platform = VQX11Platform::connect())
            return platform;
    }
#endif
    // A Wayland client has none of these from Qt's platform: the desktop services
    // choose other ways (the compositor's, the portal's) and --diagnose says which.
    if (platformName == QLatin1String("wayland")) {
        VQLog(QStringLiteral("The Wayland platform: windows, the pointer and the keys stay with the compositor; "
                             "picking and the global shortcut go through what the session offers."));
    } else {
        const QString message = QStringLiteral("No desktop services for the \"%1\" platform: focus hand-back and the "
                                               "global shortcut are off, and the screen is read only where the session "
                                               "offers another way.")
                                    .arg(platformName);
        VQLog(message);
        if (platformName != QLatin1String("offscreen") && platformName != QLatin1String("minimal"))
            std::fprintf(stderr, "vellico: %s\n", qPrintable(message));
    }
    return std::make_unique<VQNullPlatform>(
        QStringLiteral("Vellico cannot read the screen on the \"%1\" platform").arg(platformName));
}
