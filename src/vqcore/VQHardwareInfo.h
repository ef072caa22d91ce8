#pragma once
// A stable identity text of this computer. It names this computer's copy of
// the library in the synchronisation folder, so it must not change between
// runs: the systemd machine id, then the D-Bus one, then the host name.
//
// VELLICO_MACHINE_ID, when set and not blank, replaces it (tests let one
// machine play several computers).

#include <QString>
#include <QStringList>

class VQHardwareInfo
{
  public:
    static VQHardwareInfo &sharedHardwareInfo();

    // Read afresh on every call; cheap, and it lets tests change the sources.
    QString identity() const;

    // The files tried in order before the host name (tests point these elsewhere).
    static QStringList defaultIdentityFiles();
    void setIdentityFiles(const QStringList &paths);
    QStringList identityFiles() const;

    // The last resort; tests replace it. An empty string means "use the real host name".
    void setHostNameOverride(const QString &hostName);

    static constexpr const char *overrideVariable = "VELLICO_MACHINE_ID";

  private:
    VQHardwareInfo();
    QStringList _files;
    QString _hostName;
};
