#include "parsers/VQParser.h"

#include "vqcore/VQException.h"

#include <QFile>
#include <QFileInfo>

VQParser::VQParser(QByteArray data, QString path) : _data(std::move(data)), _url(std::move(path))
{
    reader = VQReader(reinterpret_cast<const std::uint8_t *>(_data.constData()), _data.size());
}

VQParser::~VQParser() = default;

std::optional<std::vector<VQSwatchCollectionRef>> VQParser::parseColors()
{
    VQ_THROW_ABSTRACT("parseColors()");
}

std::optional<QByteArray> VQParser::readFile(const QString &path)
{
    // Only regular files, and none larger than any swatch file could be: a
    // device or a mistaken choice must not be read into memory whole.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaximumFileSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

QString VQTrimmedSwatchName(QString name)
{
    while (name.endsWith(QChar(0)))
        name.chop(1);
    return name;
}
