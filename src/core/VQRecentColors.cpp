#include "core/VQRecentColors.h"

#include "vqcore/VQFileAccess.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQUserDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace
{
// Ample for 500 colours and whatever a future version adds beside them.
constexpr qint64 kFileBudget = 1 << 20;

// "#RRGGBB" in capitals, or nothing for any other text.
QString normalised(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^#?([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch match = hex.match(text);
    return match.hasMatch() ? QLatin1Char('#') + match.captured(1).toUpper() : QString();
}

// The colours of the file's text, or nothing with `why` set.
std::optional<QStringList> parse(const QByteArray &bytes, QString *why)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        *why = QStringLiteral("not JSON (%1 at byte %2)").arg(error.errorString()).arg(error.offset);
        return std::nullopt;
    }
    const QJsonValue list = document.object().value(QLatin1String("colors"));
    if (!document.isObject() || !list.isArray()) {
        *why = QStringLiteral("no \"colors\" list");
        return std::nullopt;
    }
    QStringList colors;
    for (const QJsonValue &entry : list.toArray()) {
        const QString color = normalised(entry.toString());
        if (color.isEmpty()) {
            *why = QStringLiteral("an entry is not a #RRGGBB color");
            return std::nullopt;
        }
        if (!colors.contains(color))
            colors << color;
    }
    return colors;
}
} // namespace

QString VQRecentColors::defaultPath()
{
    return VQStateFolderPath() + QStringLiteral("/recent-colors.json");
}

VQRecentColors::VQRecentColors(QString path) : _path(std::move(path)) {}

void VQRecentColors::setLimit(int limit)
{
    _limit = std::clamp(limit, kMinimumLimit, kMaximumLimit);
    if (_colors.size() > _limit)
        _colors.resize(_limit);
}

int VQRecentColors::storedLimit(const VQUserDefaults &defaults)
{
    const QString key = QString::fromLatin1(VQRecentColorsLimitDefaultsKey);
    const qint64 stored = defaults.integerForKey(key);
    // Absent, or text that is no number, reads as 0.
    if (stored == 0)
        return kDefaultLimit;
    return int(std::clamp<qint64>(stored, kMinimumLimit, kMaximumLimit));
}

bool VQRecentColors::storedEnabled(const VQUserDefaults &defaults)
{
    return !defaults.boolForKey(QString::fromLatin1(VQDontRecordRecentColorsDefaultsKey));
}

bool VQRecentColors::applySettings(const VQUserDefaults &defaults)
{
    const qsizetype before = _colors.size();
    setEnabled(storedEnabled(defaults));
    setLimit(storedLimit(defaults));
    return _colors.size() != before;
}

bool VQRecentColors::add(const QString &hex)
{
    const QString color = normalised(hex);
    if (!_enabled || color.isEmpty())
        return false;
    _colors.removeAll(color);
    _colors.prepend(color);
    if (_colors.size() > _limit)
        _colors.resize(_limit);
    return true;
}

bool VQRecentColors::load(QString *message)
{
    _colors.clear();
    _damagedFileInPlace = false;
    if (VQEntryAt(_path).type == VQEntry::Type::Missing)
        return true;
    QString why;
    std::optional<QStringList> colors;
    if (const std::optional<QByteArray> bytes = VQReadRegularFile(_path, kFileBudget, &why))
        colors = parse(*bytes, &why);
    if (colors) {
        _colors = *colors;
        setLimit(_limit);
        return true;
    }
    QString setAsideError;
    const std::optional<QString> kept = VQSetAside(_path, &setAsideError);
    _damagedFileInPlace = !kept;
    const QString text =
        kept ? QStringLiteral("The recent colors in %1 could not be read: %2. The file was kept as %3.")
                   .arg(_path, why, *kept)
             : QStringLiteral("The recent colors in %1 could not be read: %2. It could not be set aside (%3), so the "
                              "list is not saved over it.")
                   .arg(_path, why, setAsideError);
    VQLog(text);
    if (message)
        *message = text;
    return false;
}

bool VQRecentColors::save(QString *error) const
{
    if (_damagedFileInPlace) {
        if (error)
            *error = QStringLiteral("%1 is damaged and could not be set aside").arg(_path);
        return false;
    }
    const QString folder = QFileInfo(_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("the folder %1 could not be made").arg(folder);
        return false;
    }
    QJsonObject object;
    object.insert(QLatin1String("colors"), QJsonArray::fromStringList(_colors));
    return VQWriteFileAtomically(_path, QJsonDocument(object).toJson(QJsonDocument::Indented), error);
}
