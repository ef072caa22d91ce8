#include "app/VQVellicoApplication.h"

#include "app/VQVellicoAppDelegate.h"

#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "core/VQPasteboard.h"
#include "core/VQRecentColors.h"
#include "vqcore/VQUserDefaults.h"

#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQTranslations.h"
#include "core/VQSwatchCore.h"

#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTextDocument>
#include <QTextEdit>
#include <QOpenGLContext>
#include <QThread>

#include <atomic>
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

// The signals that end a session: kill's default, Ctrl+C, and the terminal or
// session going away.
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Written into the pipe by a thread that saw the display go: no signal has this number.
constexpr char kDisplayLost = 127;

extern "C" void handleTerminationSignal(int signal)
{
    const int savedErrno = errno;
    const char number = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(gSignalFDs[0], &number, 1);
    errno = savedErrno;
}

// Qt's X11 plugin ends the process with exit() once the display connection
// breaks: static objects are then destroyed under a running program and
// nothing is saved. It says so first, through the message handler; that is
// where the library is saved and the process ended without running any
// destructor.
QtMessageHandler gPreviousMessageHandler = nullptr;

bool announcesLostDisplay(const QString &message)
{
    return message.startsWith(QLatin1String("The X11 connection broke"));
}

// Every surface Vellico draws is in shared memory. On Wayland, Qt would still
// load its EGL client-buffer integration, and with it a GL driver (Mesa's
// software renderer and LLVM where there is no GPU): some 50 MB that a tray
// program living all day never uses. Unless the user chose an integration,
// Vellico names one that does not exist, so that Qt draws in shared memory
// only; Qt says so in two warnings, which are expected here and kept quiet.
constexpr const char *kBufferIntegrationVariable = "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION";
bool gOwnBufferChoice = false;
bool gQuietBufferNotice = false;

int &chooseSharedMemoryBuffers(int &argc)
{
    if (qEnvironmentVariableIsEmpty(kBufferIntegrationVariable)) {
        qputenv(kBufferIntegrationVariable, "none");
        gOwnBufferChoice = true;
    }
    return argc;
}

void handleQtMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (gQuietBufferNotice && context.category && qstrcmp(context.category, "qt.qpa.wayland") == 0)
        return;
    if (gPreviousMessageHandler)
        gPreviousMessageHandler(type, context, message);
    if (!announcesLostDisplay(message) || !qApp)
        return;
    if (QThread::currentThread() == qApp->thread() || gSignalFDs[0] < 0)
        VQVellicoApplication::endAfterLosingDisplay();
    // Another thread: the event loop saves and ends the process; this thread
    // must not return into the exit() that follows the message.
    [[maybe_unused]] const ssize_t written = ::write(gSignalFDs[0], &kDisplayLost, 1);
    for (;;)
        ::pause();
}
} // namespace

VQVellicoApplication::VQVellicoApplication(int &argc, char **argv) : QApplication(chooseSharedMemoryBuffers(argc), argv)
{
    setOrganizationName(QStringLiteral("Vellico"));
    setApplicationName(QStringLiteral("Vellico"));
    setApplicationVersion(QStringLiteral(VELLICO_VERSION));
    setDesktopFileName(QStringLiteral("vellico"));
    setQuitOnLastWindowClosed(false);
    VQInstallTranslations(*this, QLocale::system().uiLanguages());
    installSignalHandlers();
    gPreviousMessageHandler = qInstallMessageHandler(handleQtMessage);
    if (gOwnBufferChoice && platformName().startsWith(QLatin1String("wayland"))) {
        // Qt reads the choice when it first needs it: asked now, quietly, and
        // then taken out of the environment the programs Vellico starts inherit.
        gQuietBufferNotice = true;
        QOpenGLContext::supportsThreadedOpenGL();
        gQuietBufferNotice = false;
    }
    // Elsewhere (X11) asking would load a GL driver itself; the variable goes all the same.
    if (gOwnBufferChoice)
        qunsetenv(kBufferIntegrationVariable);
    connect(this, &QCoreApplication::aboutToQuit, this, &VQVellicoApplication::applicationWillTerminate);
    // A logout through the session manager asks every program to save first.
    connect(this, &QGuiApplication::commitDataRequest, this, [](QSessionManager &) {
        if (VQSwatchCore *core = VQSwatchCore::sharedCore()) {
            VQLog(QStringLiteral("The session ends: saving the library."));
            core->save();
        }
    });
}

bool VQVellicoApplication::wantsLibraryChoice(bool chooseLibraryArgument, Qt::KeyboardModifiers heldModifiers)
{
    return chooseLibraryArgument || heldModifiers.testFlag(Qt::AltModifier);
}

VQVellicoApplication::~VQVellicoApplication()
{
    qInstallMessageHandler(gPreviousMessageHandler);
    if (gSignalFDs[0] >= 0) {
        for (const int signal : kEndingSignals)
            std::signal(signal, SIG_DFL);
        ::close(gSignalFDs[0]);
        ::close(gSignalFDs[1]);
        gSignalFDs[0] = gSignalFDs[1] = -1;
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

// Runs `edit` on the text field being edited; false when none is. A field is
// being edited when it has the focus and the user has typed into it or
// selected some of its text: a field merely left focused keeps nothing from
// the window's Copy and Paste.
bool editFocusedText(QWidget *focus, const auto &edit)
{
    if (auto *line = qobject_cast<QLineEdit *>(focus); line && (line->isModified() || line->hasSelectedText()))
        edit(*line);
    else if (auto *text = qobject_cast<QTextEdit *>(focus);
             text && (text->document()->isModified() || text->textCursor().hasSelection()))
        edit(*text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(focus);
             plain && (plain->document()->isModified() || plain->textCursor().hasSelection()))
        edit(*plain);
    else
        return false;
    return true;
}
} // namespace

void VQVellicoApplication::copy()
{
    // While text is being edited, Copy copies text.
    if (editFocusedText(focusWidget(), [](auto &field) { field.copy(); }))
        return;
    copySelectedColor(VQUserDefaults::standard().integerForKey(QLatin1String(VQDefaultCopyFormatDefaultsKey)));
}

void VQVellicoApplication::copyAlternate()
{
    // The same default the preferences show: the partner of the copy format.
    copySelectedColor(VQStoredAlternateCopyFormat(VQUserDefaults::standard()));
}

void VQVellicoApplication::paste()
{
    // While text is being edited, Paste pastes text.
    if (editFocusedText(focusWidget(), [](auto &field) { field.paste(); }))
        return;
    VQSwatchCore *core = VQSwatchCore::sharedCore();
    const VQColorRef color = VQColor::fromRGBString(VQPasteboard::general().string());
    if (!color || !core) {
        VQModalUI::shared().beep();
        return;
    }
    core->setSelectedColor(color, true);
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQColorWasEnteredNotification), color.get());
}

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
    for (const int signal : kEndingSignals)
        sigaction(signal, &action, nullptr);
}

int VQVellicoApplication::signalDescriptor()
{
    return gSignalFDs[1];
}

void VQVellicoApplication::readPendingSignal()
{
    char number = 0;
    if (::read(gSignalFDs[1], &number, 1) != 1)
        return;
    if (number == kDisplayLost)
        endAfterLosingDisplay();
    VQLog(QStringLiteral("Received signal %1, quitting.").arg(int(number)));
    quit();
}

void VQVellicoApplication::endAfterLosingDisplay()
{
    static std::atomic<bool> ending{false};
    if (ending.exchange(true)) {
        // Saving itself ran into the lost display again: the first save goes on.
        for (;;)
            ::pause();
    }
    VQLog(QStringLiteral("The display connection is gone: saving the library and ending."));
    // Only what keeps the user's work: windows and tray icon went with the display.
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQApplicationWillTerminateNotification), qApp);
    std::fflush(nullptr);
    std::_Exit(1);
}

void VQVellicoApplication::applicationWillTerminate()
{
    if (VQVellicoAppDelegate *delegate = VQVellicoAppDelegate::sharedDelegate())
        delegate->applicationWillTerminate();
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQApplicationWillTerminateNotification), this);
}

QString VQVellicoApplication::versionText()
{
    return QStringLiteral("Vellico " VELLICO_VERSION);
}
