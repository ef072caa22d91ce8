#include "parsers/VQParser.h"

#include "vqcore/VQException.h"
#include "vqcore/VQFileAccess.h"

VQParser::VQParser(QByteArray data, QString path) : _data(std::move(data)), _url(std::move(path))
{
    reader = VQReader(reinterpret_cast<const std::uint8_t *>(_data.constData()), _data.size());
}

VQParser::~VQParser() = default;

std::optional<std::vector<VQSwatchCollectionRef>> VQParser::parseColors()
{
    VQ_THROW_ABSTRACT("parseColors()");
}

std::optional<QByteArray> VQParser::readFile(const QString &path, QString *error)
{
    // Only regular files, and none larger than any swatch file could be: a
    // device, a pipe or a mistaken choice must not be read into memory whole.
    return VQReadRegularFile(path, kMaximumFileSize, error);
}

QString VQTrimmedSwatchName(QString name)
{
    // Only the terminator: a name may itself end in U+0000.
    if (name.endsWith(QChar(0)))
        name.chop(1);
    return name;
}

QString VQDescribeSkippedRows(const std::vector<VQSkippedEntry> &skipped)
{
    if (skipped.empty())
        return QString();
    constexpr std::size_t kListed = 10;
    QStringList listed;
    for (std::size_t i = 0; i < skipped.size() && i < kListed; ++i)
        listed << QStringLiteral("line %1 (%2)").arg(skipped[i].position).arg(skipped[i].reason);
    if (skipped.size() > kListed)
        listed << QStringLiteral("and %1 more").arg(skipped.size() - kListed);
    return QStringLiteral("%1 %2 skipped: %3.")
        .arg(skipped.size())
        .arg(skipped.size() == 1 ? QStringLiteral("row was") : QStringLiteral("rows were"))
        .arg(listed.join(QStringLiteral(", ")));
}

QString VQDescribeChangedNames(const VQChangedNames &changed)
{
    if (changed.count == 0)
        return QString();
    return QStringLiteral("%1 %2 changed: %3.")
        .arg(changed.count)
        .arg(changed.count == 1 ? QStringLiteral("name or title was") : QStringLiteral("names or titles were"))
        .arg(changed.how);
}
