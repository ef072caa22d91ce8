#include "platform/VQPlatform.h"

#include "vqcore/VQLog.h"

#include <QString>

VQPlatform::~VQPlatform() = default;

std::unique_ptr<VQPlatform> VQPlatform::createForPlatform(const QString &platformName)
{
    // The X11 services arrive in platform/x11/ and are chosen here for "xcb".
    VQLog(QStringLiteral("No desktop services for the \"%1\" platform: focus hand-back, the global shortcut "
                         "and screen picking are off.")
              .arg(platformName));
    return std::make_unique<VQNullPlatform>();
}
