#pragma once
// The application delegate: brings the program up (library, synchronisation,
// then the tray icon), and takes the tray icon down again when the program ends.

#include <QObject>

#include <memory>

class QIcon;
class QMenu;
class QSystemTrayIcon;
class VQSwatchCore;

class VQVellicoAppDelegate : public QObject
{
    Q_OBJECT

  public:
    explicit VQVellicoAppDelegate(QObject *parent = nullptr);
    ~VQVellicoAppDelegate() override;

    // The one delegate of the process (null before it exists and after it is gone).
    static VQVellicoAppDelegate *sharedDelegate();

    // Whether the user asked to pick another library at this launch (set before awakeFromNib).
    void setChooseLibraryAtLaunch(bool choose) { _chooseLibraryAtLaunch = choose; }

    // Stores the shared delegate and runs the start-up sequence.
    void awakeFromNib();
    // Creates the library (or ends the process), starts synchronisation, then
    // installs the tray icon.
    void innerInitialization();
    // Removes the tray icon.
    void applicationWillTerminate();
    // Closes whichever of our windows is open; there are none yet.
    void closeCurrentWindow();

    // The import commands: ask for a swatch file and add its colours to the library.
    void importACO();
    void importASE();
    void importCLR();

    QSystemTrayIcon *statusItem() const { return _statusItem.get(); }

    // How the start-up log names a core: its file and its number of collections.
    static QString describeCore(const VQSwatchCore &core);

  private:
    void installStatusItem();

    bool _chooseLibraryAtLaunch = false;
    std::unique_ptr<QMenu> _statusMenu;
    std::unique_ptr<QSystemTrayIcon> _statusItem;
};

// The tray icon's picture, from the application's resources ("StatusIcon",
// with its double-resolution variant).
QIcon VQStatusIcon();
