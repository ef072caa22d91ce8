#include "core/VQJson.h"

#include <QJsonArray>
#include <QLocale>
#include <QVariant>

#include <cmath>

namespace
{
// Identifiers and dates are unsigned 64-bit. QJsonValue holds no integer above
// 2^63 - 1 (and Qt prints larger ones as rounded doubles), so every integer of
// these shapes is kept as the qint64 with the same bits and printed unsigned by
// write() below; no shape here has a negative integer.
QJsonValue number(std::uint64_t value)
{
    return QJsonValue(qint64(value));
}

QJsonArray numbers(const std::vector<std::uint64_t> &values)
{
    QJsonArray array;
    for (std::uint64_t value : values)
        array.append(number(value));
    return array;
}

// '<', '>', '&', U+2028 and U+2029 are written as \u escapes too, which every
// JSON reader reads back as the same characters: the text can then be put in
// an HTML page's <script> element (or read as JavaScript) as it is, and no
// title or name can end the element there or break the script. So is U+FEFF,
// which some readers (Qt's among them) drop from the start of a string.
void writeString(QByteArray &out, const QString &text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char ch = utf8[i];
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '<':
        case '>':
        case '&':
            out += QByteArray("\\u00") + QByteArray::number(c, 16);
            break;
        case 0xE2:
            // U+2028 and U+2029 are E2 80 A8 and E2 80 A9.
            if (i + 2 < utf8.size() && utf8[i + 1] == '\x80' && (utf8[i + 2] == '\xA8' || utf8[i + 2] == '\xA9')) {
                out += utf8[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
                i += 2;
            } else {
                out += ch;
            }
            break;
        case 0xEF:
            if (i + 2 < utf8.size() && utf8[i + 1] == '\xBB' && utf8[i + 2] == '\xBF') {
                out += "\\ufeff";
                i += 2;
            } else {
                out += ch;
            }
            break;
        default:
            if (c < 0x20)
                out += QByteArray("\\u00") + QByteArray::number(c, 16).rightJustified(2, '0');
            else
                out += ch;
        }
    }
    out += '"';
}

// The layout of QJsonDocument::Indented: four spaces a level, one member a line.
void write(QByteArray &out, const QJsonValue &value, int depth)
{
    const QByteArray inner(4 * (depth + 1), ' ');
    switch (value.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        out += "null";
        break;
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        break;
    case QJsonValue::Double: {
        const QVariant variant = value.toVariant();
        if (variant.typeId() == QMetaType::LongLong) {
            out += QByteArray::number(quint64(variant.toLongLong()));
        } else {
            const double d = value.toDouble();
            out += std::isfinite(d) ? QByteArray::number(d, 'g', QLocale::FloatingPointShortest) : "null";
        }
        break;
    }
    case QJsonValue::String:
        writeString(out, value.toString());
        break;
    case QJsonValue::Array: {
        const QJsonArray array = value.toArray();
        out += '[';
        for (qsizetype i = 0; i < array.size(); ++i) {
            out += i ? ",\n" : "\n";
            out += inner;
            write(out, array.at(i), depth + 1);
        }
        out += array.isEmpty() ? "]" : "\n" + QByteArray(4 * depth, ' ') + ']';
        break;
    }
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        out += '{';
        bool first = true;
        for (auto it = object.begin(); it != object.end(); ++it) {
            out += first ? "\n" : ",\n";
            first = false;
            out += inner;
            writeString(out, it.key());
            out += ": ";
            write(out, it.value(), depth + 1);
        }
        out += object.isEmpty() ? "}" : "\n" + QByteArray(4 * depth, ' ') + '}';
        break;
    }
    }
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
    QByteArray out;
    write(out, object, 0);
    return out + '\n';
}
QByteArray print(const QJsonArray &array)
{
    QByteArray out;
    write(out, array, 0);
    return out + '\n';
}

} // namespace VQJson
