#include "VQVellicoApplication.h"

#include "VQVellicoAppDelegate.h"

#include "VQLog.h"
#include "VQModalUI.h"
#include "VQNotificationCenter.h"
#include "VQSwatchCore.h"
#include "VQSynchronizationManager.h"
#include "VQTermination.h"
#include "VQWidgetModalUI.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// The self-pipe: the signal handler may only write(2), so it writes the signal
// number into one end and the event loop reads it from the other.
int gSignalFDs[2] = {-1, -1};

extern "C" void handleTerminationSignal(int signal)
{
    const int savedErrno = errno;
    const char number = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(gSignalFDs[0], &number, 1);
    errno = savedErrno;
}
} // namespace

VQVellicoApplication::VQVellicoApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("Vellico"));
    setApplicationName(QStringLiteral("Vellico"));
    setApplicationDisplayName(QStringLiteral("Vellico"));
    setApplicationVersion(QStringLiteral(VELLICO_VERSION));
    setQuitOnLastWindowClosed(false);

    VQModalUI::install(std::make_unique<VQWidgetModalUI>());
    // Fatal start-up alerts end the program here. Nothing is saved on this road:
    // the library either did not load or the user asked to leave before it did.
    VQTermination::setHandler([](int status) {
        VQLog(QStringLiteral("Ending the process with status %1.").arg(status));
        std::fflush(nullptr);
        std::_Exit(status);
    });

    installSignalHandlers();
    connect(this, &QCoreApplication::aboutToQuit, this, &VQVellicoApplication::applicationWillTerminate);

    _delegate = new VQVellicoAppDelegate(this);
    _delegate->setChooseLibraryAtLaunch(wantsLibraryChoice(arguments(), queryKeyboardModifiers()));
    _delegate->awakeFromNib();

    QTimer::singleShot(0, this, [] {
        VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQApplicationDidFinishLaunchingNotification));
    });
}

bool VQVellicoApplication::wantsLibraryChoice(const QStringList &arguments, Qt::KeyboardModifiers heldModifiers)
{
    return arguments.mid(1).contains(QStringLiteral("--choose-library")) || heldModifiers.testFlag(Qt::AltModifier);
}

VQVellicoApplication::~VQVellicoApplication()
{
    // The core holds timers and observers: let it go while Qt is still here,
    // after the synchronisation that works on it.
    VQSynchronizationManager::resetSharedManager();
    VQSwatchCore::takeSharedCore().reset();
    if (gSignalFDs[0] >= 0) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
        ::close(gSignalFDs[0]);
        ::close(gSignalFDs[1]);
        gSignalFDs[0] = gSignalFDs[1] = -1;
    }
}

void VQVellicoApplication::switchBack() {}

void VQVellicoApplication::installSignalHandlers()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalFDs) != 0) {
        VQLog(QStringLiteral("Couldn't create the signal socket pair: %1").arg(qt_error_string(errno)));
        return;
    }
    _signalNotifier = new QSocketNotifier(gSignalFDs[1], QSocketNotifier::Read, this);
    connect(_signalNotifier, &QSocketNotifier::activated, this, &VQVellicoApplication::readPendingSignal);

    struct sigaction action = {};
    action.sa_handler = handleTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void VQVellicoApplication::readPendingSignal()
{
    char number = 0;
    if (::read(gSignalFDs[1], &number, 1) != 1)
        return;
    VQLog(QStringLiteral("Received signal %1, quitting.").arg(int(number)));
    quit();
}

void VQVellicoApplication::applicationWillTerminate()
{
    _delegate->applicationWillTerminate();
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQApplicationWillTerminateNotification), this);
}
