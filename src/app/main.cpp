// Starts Vellico: reads the command line, hands it to a Vellico that already
// runs in this session, or else assembles the program with the services of
// this desktop and runs it.

#include "app/VQDesktopFactory.h"
#include "app/VQDiagnosis.h"
#include "app/VQShellMode.h"
#include "app/VQInstanceChannel.h"
#include "app/VQLaunchOptions.h"
#include "app/VQVellicoAppDelegate.h"
#include "app/VQVellicoApplication.h"
#include "core/VQColorNames.h"
#include "platform/VQScreenPicker.h"
#include "ui/accessibility/VQAccessibleControl.h"
#include "ui/prefs/VQLaunchAtLogin.h"
#include "platform/VQSessionProbe.h"
#include "vqcore/VQLog.h"
#include "vqcore/ui/VQWidgetModalUI.h"

#include <QSystemTrayIcon>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <cstdlib>

namespace
{

// What a `--pick` prints, from the running Vellico's answer; the exit status:
// 0 picked, 1 cancelled, 2 no pick was possible (the reason on standard error).
int finishPick(const QString &answer)
{
    if (answer.startsWith(QLatin1String("failed "))) {
        std::fprintf(stderr, "vellico: cannot pick a color: %s\n", qPrintable(answer.mid(7)));
        return 2;
    }
    if (!answer.startsWith(QLatin1String("picked ")))
        return 1;
    std::printf("%s\n", qPrintable(answer.mid(7)));
    std::fflush(stdout);
    return 0;
}

QString environmentVariable(const char *name)
{
    return qEnvironmentVariable(name);
}

// A command line that is wrong, --help and --version: answered at once, with
// the exit status.
std::optional<int> answerAtOnce(const VQLaunchOptions &options)
{
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "vellico: %s\n\n%s", qPrintable(options.error), qPrintable(VQLaunchOptions::usage()));
        return 2;
    }
    if (options.help) {
        std::printf("%s", qPrintable(VQLaunchOptions::usage()));
        return 0;
    }
    if (options.version) {
        std::printf("%s\n%s\n", qPrintable(VQVellicoApplication::versionText()),
                    qPrintable(VQColorNames::attribution()));
        return 0;
    }
    return std::nullopt;
}

// Answers what needs no desktop session before Qt looks for one (it ends the
// process when it finds none): --help and --version, and, with no session to
// reach, --diagnose saying so and every other command refused in one line.
// A command line holding Qt's own options (-platform, -display) is left to Qt.
std::optional<int> answerWithoutSession(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const VQLaunchOptions options = VQLaunchOptions::parse(arguments);
    // Qt's own options are single-dashed ("-platform offscreen"): Qt takes them.
    const bool forQt =
        !options.error.isEmpty() && std::any_of(arguments.begin() + 1, arguments.end(), [](const QString &argument) {
            return argument.size() > 1 && argument[0] == QLatin1Char('-') && argument[1] != QLatin1Char('-');
        });
    if (forQt)
        return std::nullopt;
    if (const std::optional<int> status = answerAtOnce(options))
        return status;
    const QString problem = VQDesktopSessionProblem(environmentVariable);
    if (problem.isEmpty())
        return std::nullopt;
    if (options.diagnose) {
        std::printf("session: none: %s\n", qPrintable(problem));
        return 0;
    }
    std::fprintf(stderr, "vellico: Vellico needs a desktop session: %s.\n", qPrintable(problem));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = answerWithoutSession(argc, argv))
        return *status;
    VQVellicoApplication app(argc, argv);
    VQInstallAccessibleControls();
    const VQLaunchOptions options = VQLaunchOptions::parse(app.arguments());
    if (const std::optional<int> status = answerAtOnce(options))
        return *status;
    if (options.diagnose) {
        // Everything the session offers, the portal included: asked alongside the services.
        VQSessionAsk offered(QGuiApplication::platformName(), true);
        const auto desktop = VQDesktopFactory::forSession(QGuiApplication::platformName());
        // It prints the answers once both have them (each is bounded), from the event loop.
        bool printed = false;
        const auto printOnceSettled = [&] {
            if (printed || !desktop->isSettled() || !offered.isSettled())
                return;
            printed = true;
            for (const QString &line : VQDiagnosisLines(
                     *desktop, VQTrayHostHere(QSystemTrayIcon::isSystemTrayAvailable()), environmentVariable))
                std::printf("%s\n", qPrintable(line));
            std::printf("%s\n", qPrintable(VQPickPathOfferedLine(offered.offer())));
            QCoreApplication::exit(0);
        };
        QObject::connect(desktop.get(), &VQDesktopServices::settled, &app, printOnceSettled, Qt::QueuedConnection);
        QObject::connect(&offered, &VQSessionAsk::settled, &app, printOnceSettled, Qt::QueuedConnection);
        offered.start();
        QTimer::singleShot(0, &app, printOnceSettled);
        return app.exec();
    }

    VQInstanceChannel channel;
    QString answer, error;
    // A signal ends the wait for the running Vellico's answer; the connection closing
    // with this process tells that Vellico to cancel what it was asked.
    if (!channel.claim(VQLaunchOptions::channelMessage(options.requests), &answer, &error, options.asksForPick(),
                       VQVellicoApplication::signalDescriptor())) {
        if (channel.interrupted())
            return 1;
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        if (answer.startsWith(QLatin1String("error "))) {
            std::fprintf(stderr, "vellico: %s\n", qPrintable(answer.mid(6)));
            return 2;
        }
        if (options.chooseLibrary) {
            // The library of a running Vellico can't change under it.
            std::fprintf(stderr, "Vellico is already running. Quit it first to choose another library.\n");
            return 1;
        }
        return options.asksForPick() ? finishPick(answer) : 0;
    }

    VQAppServices services;
    // The desktop services, chosen once from what this session offers.
    services.desktop = VQDesktopFactory::forSession(QGuiApplication::platformName());
    VQDesktopServices &desktop = *services.desktop;
    const VQTrayHost tray = VQTrayHostHere(QSystemTrayIcon::isSystemTrayAvailable());
    const bool trayAvailable = tray == VQTrayHost::Host;
    // The About box lists how the tray, the shortcut and picking work here, as they do when it opens.
    services.whatWorks = [&desktop, tray] {
        QStringList lines;
        for (const QString &line : VQDiagnosisLines(desktop, tray, environmentVariable))
            for (const char *prefix : {"tray: ", "global shortcut: ", "screen picking: "})
                if (line.startsWith(QLatin1String(prefix)))
                    lines << line.left(1).toUpper() + line.mid(1);
        return lines;
    };
    const VQDesktopCapabilities &can = desktop.capabilities();
    services.shell =
        VQChooseShellMode(QGuiApplication::platformName(), trayAvailable, can.screenPicking, can.globalShortcut);
    if (options.asksForPick())
        services.shell.openWindowAtStart = false;
    // The log says how each service works once the session has answered (at once on X11).
    const auto logDesktop = [&desktop, tray, pickOnly = options.asksForPick()] {
        for (const QString &line : VQDiagnosisLines(desktop, tray, environmentVariable))
            VQLog(line);
        VQLog(desktop.screenPicker().logLine());
        // A --pick says why it picks nothing in its own line.
        if (!desktop.capabilities().screenPicking && !pickOnly) {
            QString why = desktop.screenPicker().description();
            if (why.startsWith(QLatin1String("off: ")))
                why = why.mid(5);
            std::fprintf(stderr, "vellico: screen picking is off: %s\n", qPrintable(why));
        }
    };
    if (desktop.isSettled())
        logDesktop();
    else
        QObject::connect(&desktop, &VQDesktopServices::settled, &desktop, logDesktop);
    services.modalUI = std::make_unique<VQWidgetModalUI>();
    // Fatal start-up alerts end the program here. Nothing is saved on this road:
    // the library either did not load or the user asked to leave before it did.
    services.termination = [](int status) {
        VQLog(QStringLiteral("Ending the process with status %1.").arg(status));
        std::fflush(nullptr);
        std::_Exit(status);
    };
    VQVellicoAppDelegate delegate(std::move(services));
    delegate.setChooseLibraryAtLaunch(
        VQVellicoApplication::wantsLibraryChoice(options.chooseLibrary, QGuiApplication::queryKeyboardModifiers()));
    QObject::connect(&channel, &VQInstanceChannel::messageReceived, &delegate,
                     [&delegate](const QString &message, const VQInstanceChannel::Reply &reply, quint64 asker) {
                         delegate.performChannelMessage(message, reply, asker);
                     });
    QObject::connect(&channel, &VQInstanceChannel::askerLeft, &delegate, &VQVellicoAppDelegate::askerLeft);
    // An autostart entry of an earlier version carries the old name and icon.
    QString autostartError;
    if (!VQLaunchAtLogin::replaceLegacyEntry(QCoreApplication::applicationFilePath(), &autostartError))
        VQLog(QStringLiteral("The old autostart entry %1 could not be replaced: %2")
                  .arg(VQLaunchAtLogin::legacyEntryPath(), autostartError));
    delegate.awakeFromNib();

    int pickStatus = -1;
    if (!options.requests.isEmpty()) {
        // This start's own commands run once the event loop is up.
        QTimer::singleShot(0, &delegate, [&] {
            delegate.performRequests(options.requests, [&](const QString &result) {
                if (options.asksForPick()) {
                    // A picker of its own: print, then end (the library saves on the way out).
                    pickStatus = finishPick(result);
                    QCoreApplication::quit();
                }
            });
        });
    }
    const int status = app.exec();
    return pickStatus >= 0 ? pickStatus : status;
}
