#include "app/VQDiagnosis.h"

#include "app/VQDesktopServices.h"
#include "app/VQShellMode.h"
#include "platform/VQGlobalShortcutService.h"
#include "platform/VQScreenPicker.h"

#include <QDBusConnection>
#include <QFileInfo>

namespace
{
// The session as the environment describes it; the platform's own view of it
// (XWayland, say) comes from the platform.
QString sessionLine(const QString &platformName, const std::function<QString(const char *)> &environment)
{
    const QString wayland = environment("WAYLAND_DISPLAY");
    const QString x11 = environment("DISPLAY");
    const QString type = environment("XDG_SESSION_TYPE");
    QStringList parts;
    if (!type.isEmpty())
        parts << QStringLiteral("XDG_SESSION_TYPE=") + type;
    if (!wayland.isEmpty())
        parts << QStringLiteral("WAYLAND_DISPLAY=") + wayland;
    if (!x11.isEmpty())
        parts << QStringLiteral("DISPLAY=") + x11;
    const QString kind = !wayland.isEmpty() || type == QLatin1String("wayland") ? QStringLiteral("Wayland")
                         : !x11.isEmpty() || type == QLatin1String("x11")       ? QStringLiteral("X11")
                                                                                : QStringLiteral("unknown");
    return QStringLiteral("session: %1 (%2); Qt platform \"%3\"")
        .arg(kind, parts.isEmpty() ? QStringLiteral("no display in the environment") : parts.join(QLatin1String(", ")),
             platformName);
}
} // namespace

QStringList VQDiagnosisLines(const VQDesktopServices &services, VQTrayHost tray,
                             const std::function<QString(const char *)> &environment)
{
    const QString noHost = VQTrayCanArriveLater(services.platformName())
                               ? QStringLiteral("the icon appears when one starts")
                               : QStringLiteral("the main window opens as an ordinary window (restart Vellico once a "
                                                "tray runs)");
    QString trayLine;
    switch (tray) {
    case VQTrayHost::Host:
        trayLine = QStringLiteral("a tray host is there (StatusNotifierItem or XEmbed)");
        break;
    case VQTrayHost::WatcherWithoutHost:
        trayLine = QStringLiteral("a StatusNotifierWatcher but no tray host (no panel shows the icons); ") + noHost;
        break;
    case VQTrayHost::None:
        trayLine =
            VQTrayCanArriveLater(services.platformName())
                ? QStringLiteral("no tray host yet; the icon appears when one starts")
                : QStringLiteral("none: no StatusNotifierItem host at start, and Qt looks for none later; ") + noHost;
        break;
    }
    return {
        sessionLine(services.platformName(), environment),
        QStringLiteral("desktop services: ") + services.name(),
        QStringLiteral("screen picking: ") + services.screenPicker().description(),
        QStringLiteral("global shortcut: ") + services.globalShortcut().description(),
        QStringLiteral("tray: ") + trayLine,
        QStringLiteral("Shift tracking: ") + services.pointerWatchDescription(),
    };
}

VQTrayHost VQTrayHostHere(bool qtSeesTray)
{
    if (VQJudgeTrayHost(VQAskTrayHost(QDBusConnection::sessionBus())) == VQTrayHost::WatcherWithoutHost)
        return VQTrayHost::WatcherWithoutHost;
    return qtSeesTray ? VQTrayHost::Host : VQTrayHost::None;
}

QString VQDesktopSessionProblem(const std::function<QString(const char *)> &environment)
{
    // Another platform (offscreen, a VNC server…) is Qt's to judge.
    const QString platform = environment("QT_QPA_PLATFORM").section(QLatin1Char(';'), 0, 0).section(':', 0, 0);
    if (!platform.isEmpty() && platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland")))
        return QString();
    if (!environment("WAYLAND_DISPLAY").isEmpty() || !environment("DISPLAY").isEmpty())
        return QString();
    // A Wayland session may leave WAYLAND_DISPLAY out: Qt then tries wayland-0.
    const QString runtime = environment("XDG_RUNTIME_DIR");
    if (environment("XDG_SESSION_TYPE") == QLatin1String("wayland") && !runtime.isEmpty() &&
        QFileInfo::exists(runtime + QStringLiteral("/wayland-0")))
        return QString();
    return QStringLiteral("no desktop session is reachable from here (neither WAYLAND_DISPLAY nor DISPLAY is set)");
}
