#include "VQVellicoApplication.h"

#include "VQVellicoAppDelegate.h"

#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "VQInstanceChannel.h"
#include "core/VQPasteboard.h"
#include "vqcore/VQUserDefaults.h"

#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"
#include "core/VQSwatchCore.h"
#include "core/sync/VQiCloudSynchronizationManager.h"
#include "vqcore/VQTermination.h"
#include "vqcore/ui/VQWidgetModalUI.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSocketNotifier>
#include <QTextEdit>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
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

VQVellicoApplication::VQVellicoApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("Vellico"));
    setApplicationName(QStringLiteral("Vellico"));
    setApplicationDisplayName(QStringLiteral("Vellico"));
    setApplicationVersion(QStringLiteral(VELLICO_VERSION));
    setQuitOnLastWindowClosed(false);

    const QStringList commands = VQInstanceChannel::commandsFromArguments(arguments());
    _instanceChannel = new VQInstanceChannel(this);
    QString error;
    if (!_instanceChannel->claim(commands, &error)) {
        if (!error.isEmpty()) {
            std::fprintf(stderr, "Vellico is running but did not answer: %s\n", qPrintable(error));
            _exitStatus = 1;
        } else if (arguments().mid(1).contains(QStringLiteral("--choose-library"))) {
            // The library of a running Vellico can't change under it.
            std::fprintf(stderr, "Vellico is already running. Quit it first to choose another library.\n");
            _exitStatus = 1;
        }
        return;
    }
    connect(_instanceChannel, &VQInstanceChannel::commandsReceived, this, &VQVellicoApplication::performCommands);

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

    // After every copy the window closes and the focus goes back where it was.
    VQSetAfterCopyHandler([this] {
        if (VQVellicoAppDelegate *delegate = VQVellicoAppDelegate::sharedDelegate())
            delegate->closeCurrentWindow();
        switchBack();
    });

    _delegate = new VQVellicoAppDelegate(this);
    _delegate->setChooseLibraryAtLaunch(wantsLibraryChoice(arguments(), queryKeyboardModifiers()));
    _delegate->awakeFromNib();
    performCommands(commands);

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
    VQSetAfterCopyHandler(nullptr);
    // The core holds timers and observers: let it go while Qt is still here,
    // after the synchronisation that works on it.
    VQiCloudSynchronizationManager::resetSharedManager();
    VQSwatchCore::takeSharedCore().reset();
    if (gSignalFDs[0] >= 0) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
        ::close(gSignalFDs[0]);
        ::close(gSignalFDs[1]);
        gSignalFDs[0] = gSignalFDs[1] = -1;
    }
}

void VQVellicoApplication::performCommands(const QStringList &commands)
{
    for (const QString &command : commands) {
        if (command == QLatin1String("copy"))
            copy();
        else if (command == QLatin1String("copy-alternate"))
            copyAlternate();
        else if (command == QLatin1String("paste"))
            paste();
    }
}

namespace
{
// The selected colour in the format with raw value `raw`; nothing when that is
// no template number.
void copySelectedColor(std::int64_t raw)
{
    const std::optional<VQCopyTemplate> format = VQCopyTemplateFromRawValue(raw);
    VQSwatchCore *core = VQSwatchCore::sharedCore();
    if (!format || !core)
        return;
    if (const VQColorRef color = core->selectedColor())
        color->writeToPasteboardWithTemplate(*format);
}
} // namespace

void VQVellicoApplication::copy()
{
    // While text is being edited, Copy copies text.
    QWidget *focus = focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        line->copy();
        return;
    }
    if (auto *text = qobject_cast<QTextEdit *>(focus)) {
        text->copy();
        return;
    }
    if (auto *plain = qobject_cast<QPlainTextEdit *>(focus)) {
        plain->copy();
        return;
    }
    copySelectedColor(VQUserDefaults::standard().integerForKey(QLatin1String(VQDefaultCopyFormatDefaultsKey)));
}

void VQVellicoApplication::copyAlternate()
{
    // The same default the preferences show: the partner of the copy format.
    copySelectedColor(VQStoredAlternateCopyFormat(VQUserDefaults::standard()));
}

void VQVellicoApplication::paste()
{
    VQSwatchCore *core = VQSwatchCore::sharedCore();
    const VQColorRef color = VQColor::fromRGBString(VQPasteboard::general().string());
    if (!color || !core) {
        VQModalUI::shared().beep();
        return;
    }
    core->setSelectedColor(color, true);
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
