#pragma once
// The user's settings. No defaults are registered: an absent key reads as
// false, 0 or nothing. Stored as INI in ~/.config/Vellico/Vellico.conf
// (XDG_CONFIG_HOME is honoured).

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <memory>

class QSettings;

class VQUserDefaults
{
  public:
    // The process-wide defaults.
    static VQUserDefaults &standard();
    // Points the process-wide defaults at another file (tests, the CLI).
    static void setStandardFilePath(const QString &path);

    explicit VQUserDefaults(const QString &filePath);
    ~VQUserDefaults();

    QString filePath() const;

    bool hasKey(const QString &key) const;
    bool boolForKey(const QString &key) const;
    qint64 integerForKey(const QString &key) const;
    double doubleForKey(const QString &key) const;
    QString stringForKey(const QString &key) const;
    QByteArray dataForKey(const QString &key) const;
    QVariant objectForKey(const QString &key) const;

    void setBool(const QString &key, bool value);
    void setInteger(const QString &key, qint64 value);
    void setDouble(const QString &key, double value);
    void setString(const QString &key, const QString &value);
    void setData(const QString &key, const QByteArray &value);
    void setObject(const QString &key, const QVariant &value);
    void removeObjectForKey(const QString &key);

    void synchronize();

    static QString defaultFilePath();

  private:
    std::unique_ptr<QSettings> _settings;
};
