#include "vqcore/VQUserDefaults.h"

#include <QDir>
#include <QMutex>
#include <QSettings>

namespace
{
QMutex gStandardMutex;
std::unique_ptr<VQUserDefaults> gStandard;
} // namespace

QString VQUserDefaults::defaultFilePath()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/Vellico/Vellico.conf");
}

VQUserDefaults &VQUserDefaults::standard()
{
    QMutexLocker locker(&gStandardMutex);
    if (!gStandard)
        gStandard = std::make_unique<VQUserDefaults>(defaultFilePath());
    return *gStandard;
}

void VQUserDefaults::setStandardFilePath(const QString &path)
{
    QMutexLocker locker(&gStandardMutex);
    gStandard = std::make_unique<VQUserDefaults>(path);
}

VQUserDefaults::VQUserDefaults(const QString &filePath)
    : _settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

VQUserDefaults::~VQUserDefaults() = default;

QString VQUserDefaults::filePath() const
{
    return _settings->fileName();
}

bool VQUserDefaults::hasKey(const QString &key) const
{
    return _settings->contains(key);
}

bool VQUserDefaults::boolForKey(const QString &key) const
{
    const QVariant v = _settings->value(key);
    if (!v.isValid())
        return false;
    // INI stores everything as text; accept the spellings people type by hand.
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("yes"))
        return true;
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok && number != 0;
}

qint64 VQUserDefaults::integerForKey(const QString &key) const
{
    bool ok = false;
    const QString text = _settings->value(key).toString().trimmed();
    const qint64 value = text.toLongLong(&ok);
    if (ok)
        return value;
    const double number = text.toDouble(&ok);
    return ok ? qint64(number) : (text.toLower() == QLatin1String("true") ? 1 : 0);
}

double VQUserDefaults::doubleForKey(const QString &key) const
{
    bool ok = false;
    const double value = _settings->value(key).toString().trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

QString VQUserDefaults::stringForKey(const QString &key) const
{
    const QVariant v = _settings->value(key);
    return v.isValid() ? v.toString() : QString();
}

QByteArray VQUserDefaults::dataForKey(const QString &key) const
{
    return _settings->value(key).toByteArray();
}

QVariant VQUserDefaults::objectForKey(const QString &key) const
{
    return _settings->value(key);
}

void VQUserDefaults::setBool(const QString &key, bool value)
{
    _settings->setValue(key, value);
}
void VQUserDefaults::setInteger(const QString &key, qint64 value)
{
    _settings->setValue(key, value);
}
void VQUserDefaults::setDouble(const QString &key, double value)
{
    _settings->setValue(key, value);
}
void VQUserDefaults::setString(const QString &key, const QString &value)
{
    _settings->setValue(key, value);
}
void VQUserDefaults::setData(const QString &key, const QByteArray &value)
{
    _settings->setValue(key, value);
}
void VQUserDefaults::setObject(const QString &key, const QVariant &value)
{
    _settings->setValue(key, value);
}
void VQUserDefaults::removeObjectForKey(const QString &key)
{
    _settings->remove(key);
}
void VQUserDefaults::synchronize()
{
    _settings->sync();
}
