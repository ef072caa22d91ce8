#pragma once
// The process's application object. It owns the application delegate, puts the
// real dialogs behind the modal-UI service, turns SIGTERM and SIGINT into an
// orderly quit, and announces the end so that the library saves.
//
// Vellico has no windows of its own at start: only the tray icon, so closing
// the last window must never end the program.

#include <QApplication>

class QSocketNotifier;
class VQInstanceChannel;
class VQVellicoAppDelegate;

class VQVellicoApplication : public QApplication
{
    Q_OBJECT

  public:
    VQVellicoApplication(int &argc, char **argv);
    ~VQVellicoApplication() override;

    VQVellicoAppDelegate *delegate() const { return _delegate; }

    // False when another Vellico of this session was already running: this
    // process handed its commands over to it and must end with exitStatus().
    bool isRunningInstance() const { return _delegate != nullptr; }
    int exitStatus() const { return _exitStatus; }

    // The Edit commands. copy and copyAlternate put the selected colour on the
    // clipboard in the format of "VQCopyType" or "VQAlternateCopyFormat" (and do
    // nothing when that holds no format); copy copies a text field's selection
    // instead while one has the focus. paste selects the clipboard's colour, or
    // beeps when the clipboard holds none.
    void copy();
    void copyAlternate();
    void paste();
    // Whether this launch asks the user for another library: "--choose-library"
    // among the arguments, or Alt held down while the program starts.
    static bool wantsLibraryChoice(const QStringList &arguments, Qt::KeyboardModifiers heldModifiers);

    // Gives the focus back to the window that was active before Vellico took it.
    // Nothing to hand back yet: Vellico does not take the focus so far.
    void switchBack();

  private:
    void performCommands(const QStringList &commands);
    void installSignalHandlers();
    void readPendingSignal();
    void applicationWillTerminate();

    VQVellicoAppDelegate *_delegate = nullptr;
    QSocketNotifier *_signalNotifier = nullptr;
    VQInstanceChannel *_instanceChannel = nullptr;
    int _exitStatus = 0;
};
