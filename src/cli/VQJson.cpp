#include "cli/VQJson.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <limits>

namespace
{
// Identifiers and dates are whole seconds: exact as JSON integers.
QJsonValue number(std::uint64_t value)
{
    if (value <= std::uint64_t(std::numeric_limits<qint64>::max()))
        return QJsonValue(qint64(value));
    return QJsonValue(double(value));
}

QJsonArray numbers(const std::vector<std::uint64_t> &values)
{
    QJsonArray array;
    for (std::uint64_t value : values)
        array.append(number(value));
    return array;
}
} // namespace

namespace VQJson
{

QJsonObject color(const VQColor &color)
{
    QJsonArray components;
    for (double component : color.components())
        components.append(component);
    return QJsonObject{
        {QStringLiteral("space"), VQColorSpaceName(color.colorSpace())},
        {QStringLiteral("components"), components},
        {QStringLiteral("hex"), color.hexValue()},
        {QStringLiteral("name"), color.storedName() ? QJsonValue(*color.storedName()) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("id"), number(color.colorID())},
        {QStringLiteral("modified"), number(color.modificationDate())},
    };
}

QJsonObject collection(const VQSwatchCollection &collection)
{
    QJsonArray colors;
    for (const VQColorRef &c : collection.colors())
        colors.append(color(*c));
    return QJsonObject{
        {QStringLiteral("title"), collection.title()},
        {QStringLiteral("created"), number(collection.creationDate())},
        {QStringLiteral("modified"), number(collection.modificationDate())},
        {QStringLiteral("colors"), colors},
        {QStringLiteral("removedIDs"), numbers(collection.removedColorIDs())},
    };
}

QJsonObject library(const VQSwatchCore &core)
{
    QJsonArray collections;
    for (const VQSwatchCollectionRef &c : core.allCollections())
        collections.append(collection(*c));
    return QJsonObject{
        {QStringLiteral("version"), QString::fromLatin1(VQCurrentLibraryVersion)},
        {QStringLiteral("collections"), collections},
        {QStringLiteral("removedCollectionIDs"), numbers(core.removedCollectionIDs())},
    };
}

QByteArray print(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
QByteArray print(const QJsonArray &array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

} // namespace VQJson
