#pragma once
// The process's application object: Qt's settings for a tray program, the Edit
// commands (copy, copy in the alternate format, paste), and an orderly quit
// on SIGTERM, SIGINT and SIGHUP that announces the end so that the library
// saves. A logout through the session manager saves the library, and so does
// a lost display connection before the process ends. The program itself is
// assembled by the application delegate.
//
// Vellico has no windows of its own at start: only the tray icon, so closing
// the last window must never end the program.

#include <QApplication>

class QSocketNotifier;

class VQVellicoApplication : public QApplication
{
    Q_OBJECT

  public:
    VQVellicoApplication(int &argc, char **argv);
    ~VQVellicoApplication() override;

    // The Edit commands. copy and copyAlternate put the selected colour on the
    // clipboard in the format of "VQCopyType" or "VQAlternateCopyFormat" (and do
    // nothing when that holds no format); copy and paste work on a text
    // field's text instead while one has the focus. paste selects the
    // clipboard's colour (a colour entered: VQColorWasEnteredNotification), or
    // beeps when the clipboard holds none.
    void copy();
    void copyAlternate();
    void paste();
    // Whether this launch asks the user for another library: "--choose-library"
    // among the arguments, or Alt held down while the program starts.
    // "Vellico 1.2.3", as --version prints it; no application object needed.
    static QString versionText();
    static bool wantsLibraryChoice(bool chooseLibraryArgument, Qt::KeyboardModifiers heldModifiers);

    // Announces the end to the delegate and the library; runs once, from aboutToQuit.
    void applicationWillTerminate();
    // The display connection broke: announces the end so that the library
    // saves, then ends the process with status 1 without tearing anything down.
    [[noreturn]] static void endAfterLosingDisplay();
    // Becomes readable once one of those signals has come (before the event loop
    // reads it); -1 without the handlers. For waits outside the event loop.
    static int signalDescriptor();

  private:
    void installSignalHandlers();
    void readPendingSignal();

    QSocketNotifier *_signalNotifier = nullptr;
};
