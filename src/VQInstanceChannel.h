#pragma once
// One Vellico per user session. The first process to start holds a lock file
// and listens on a local socket in the runtime folder; a later start hands its
// commands ("copy", "paste"…) to that process and ends, so that one library
// file never has two writers and the tray never shows two icons.
//
// The commands let the desktop's own shortcut settings drive a running
// Vellico: `vellico --copy` copies the selected colour, `vellico --paste`
// selects the colour on the clipboard.

#include <QObject>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLockFile;

class VQInstanceChannel : public QObject
{
    Q_OBJECT

  public:
    // The commands of a command line: "--copy" → "copy", and so on, in order.
    // Other arguments are not commands and are left out.
    static QStringList commandsFromArguments(const QStringList &arguments);

    explicit VQInstanceChannel(QObject *parent = nullptr);
    ~VQInstanceChannel() override;

    // Becomes the running instance when there is none. When another process
    // already is, sends it `commands` and returns false; `error` says why when
    // that process could not be reached.
    bool claim(const QStringList &commands, QString *error);

    // The socket and lock files of the current session.
    static QString socketPath();

  signals:
    // A later start asked for these commands (possibly none: it was just started again).
    void commandsReceived(const QStringList &commands);

  private:
    void acceptConnections();

    std::unique_ptr<QLockFile> _lock;
    QLocalServer *_server = nullptr;
};
