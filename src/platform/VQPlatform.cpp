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
    const QString message = QStringLiteral("No desktop services for the \"%1\" platform: focus hand-back, the "
                                           "global shortcut and screen picking are off.")
                                .arg(platformName);
    VQLog(message);
    if (platformName != QLatin1String("offscreen") && platformName != QLatin1String("minimal"))
        std::fprintf(stderr, "vellico: %s\n", qPrintable(message));
    return std::make_unique<VQNullPlatform>(
        QStringLiteral("Vellico cannot read the screen on the \"%1\" platform").arg(platformName));
}
