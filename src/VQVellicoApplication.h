#pragma once
// The process's application object. It owns the application delegate, puts the
// real dialogs behind the modal-UI service, turns SIGTERM and SIGINT into an
// orderly quit, and announces the end so that the library saves.
//
// Vellico has no windows of its own at start: only the tray icon, so closing
// the last window must never end the program.

#include <QApplication>

class QSocketNotifier;
class VQVellicoAppDelegate;

class VQVellicoApplication : public QApplication {
    Q_OBJECT

public:
    VQVellicoApplication(int &argc, char **argv);
    ~VQVellicoApplication() override;

    VQVellicoAppDelegate *delegate() const { return _delegate; }

    // Whether this launch asks the user for another library: "--choose-library"
    // among the arguments, or Alt held down while the program starts.
    static bool wantsLibraryChoice(const QStringList &arguments, Qt::KeyboardModifiers heldModifiers);

    // Gives the focus back to the window that was active before Vellico took it.
    // Nothing to hand back yet: Vellico does not take the focus so far.
    void switchBack();

private:
    void installSignalHandlers();
    void readPendingSignal();
    void applicationWillTerminate();

    VQVellicoAppDelegate *_delegate = nullptr;
    QSocketNotifier *_signalNotifier = nullptr;
};
