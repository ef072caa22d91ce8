#include "vqcore/VQPropertyList.h"

#include "vqcore/VQPlistShape.h"
#include "vqcore/VQStringExtensions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <plist/plist.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace
{
plist_type typeOf(VQPlistRaw node)
{
    return node ? plist_get_node_type(static_cast<plist_t>(node)) : PLIST_NONE;
}

// libplist's own parsers take a 32-bit length; larger files are refused before that.
constexpr qint64 kMaxPlistBytes = qint64(std::numeric_limits<std::uint32_t>::max() / 2);
} // namespace

bool VQPlistNode::isDictionary() const
{
    return typeOf(_node) == PLIST_DICT;
}
bool VQPlistNode::isArray() const
{
    return typeOf(_node) == PLIST_ARRAY;
}
bool VQPlistNode::isString() const
{
    return typeOf(_node) == PLIST_STRING;
}
bool VQPlistNode::isInteger() const
{
    return typeOf(_node) == PLIST_UINT;
}
bool VQPlistNode::isReal() const
{
    return typeOf(_node) == PLIST_REAL;
}
bool VQPlistNode::isBool() const
{
    return typeOf(_node) == PLIST_BOOLEAN;
}
bool VQPlistNode::isDate() const
{
    return typeOf(_node) == PLIST_DATE;
}
bool VQPlistNode::isData() const
{
    return typeOf(_node) == PLIST_DATA;
}

VQPlistNode VQPlistNode::operator[](const char *key) const
{
    if (!isDictionary())
        return VQPlistNode();
    return VQPlistNode(plist_dict_get_item(static_cast<plist_t>(_node), key));
}

std::uint32_t VQPlistNode::count() const
{
    return isArray() ? plist_array_get_size(static_cast<plist_t>(_node)) : 0;
}

VQPlistNode VQPlistNode::at(std::uint32_t index) const
{
    if (index >= count())
        return VQPlistNode();
    return VQPlistNode(plist_array_get_item(static_cast<plist_t>(_node), index));
}

std::optional<std::uint64_t> VQPlistNode::toUInt64() const
{
    if (isInteger()) {
        uint64_t value = 0;
        plist_get_uint_val(static_cast<plist_t>(_node), &value);
        return value;
    }
    if (isReal()) {
        double value = 0;
        plist_get_real_val(static_cast<plist_t>(_node), &value);
        if (!(value > 0)) // also NaN
            return 0;
        if (value >= 18446744073709551616.0)
            return std::numeric_limits<std::uint64_t>::max();
        return std::uint64_t(value);
    }
    return std::nullopt;
}

std::optional<double> VQPlistNode::toDouble() const
{
    if (isReal()) {
        double value = 0;
        plist_get_real_val(static_cast<plist_t>(_node), &value);
        return value;
    }
    if (isInteger()) {
        uint64_t value = 0;
        plist_get_uint_val(static_cast<plist_t>(_node), &value);
        // libplist keeps negative integers as their two's complement.
        return value > uint64_t(std::numeric_limits<int64_t>::max()) ? double(int64_t(value)) : double(value);
    }
    return std::nullopt;
}

std::optional<QString> VQPlistNode::toString() const
{
    if (!isString())
        return std::nullopt;
    // By pointer and length: a string may hold NUL characters (a binary list, or
    // XML that spells one out), which the copying accessor refuses by aborting.
    uint64_t length = 0;
    const char *text = plist_get_string_ptr(static_cast<plist_t>(_node), &length);
    if (!text || length > uint64_t(std::numeric_limits<qsizetype>::max()))
        return QString();
    return QString::fromUtf8(text, qsizetype(length));
}

std::optional<bool> VQPlistNode::toBool() const
{
    if (!isBool())
        return std::nullopt;
    uint8_t value = 0;
    plist_get_bool_val(static_cast<plist_t>(_node), &value);
    return value != 0;
}

double VQPlistNode::doubleValue() const
{
    if (auto number = toDouble())
        return *number;
    if (auto text = toString()) {
        // The leading decimal number of the text, as a lenient reader of
        // hand-edited files expects; never the C library's strtod, which
        // follows the locale's decimal point and also reads "0x10" and "inf".
        const double value = VQString::doubleValue(*text);
        return std::isfinite(value) ? value : 0.0;
    }
    if (auto flag = toBool())
        return *flag ? 1.0 : 0.0;
    return 0.0;
}

std::int64_t VQPlistNode::integerValue() const
{
    if (isInteger()) {
        // libplist keeps negative integers as their two's complement.
        return std::int64_t(*toUInt64());
    }
    if (auto text = toString())
        return VQString::integerValue(*text);
    const double value = doubleValue();
    if (!(std::fabs(value) < 9.2e18))
        return 0;
    return std::int64_t(value);
}

QString VQPlistNode::description() const
{
    if (isNull())
        return QStringLiteral("(null)");
    if (auto text = toString())
        return *text;
    if (isInteger())
        return QString::number(*toUInt64());
    if (isReal())
        return QString::number(*toDouble(), 'g', 17);
    if (auto flag = toBool())
        return *flag ? QStringLiteral("true") : QStringLiteral("false");
    if (isArray())
        return QStringLiteral("(array of %1)").arg(count());
    if (isDictionary())
        return QStringLiteral("(dictionary)");
    return QStringLiteral("(value)");
}

VQPlist &VQPlist::operator=(VQPlist &&other) noexcept
{
    if (this != &other) {
        if (_node)
            plist_free(static_cast<plist_t>(_node));
        _node = other.release();
    }
    return *this;
}

VQPlist::~VQPlist()
{
    if (_node)
        plist_free(static_cast<plist_t>(_node));
}

VQPlistRaw VQPlist::release()
{
    VQPlistRaw node = _node;
    _node = nullptr;
    return node;
}

VQPlist VQPlist::clone() const
{
    return VQPlist(_node ? plist_copy(static_cast<plist_t>(_node)) : nullptr);
}

VQPlist VQPlist::dictionary()
{
    return VQPlist(plist_new_dict());
}
VQPlist VQPlist::array()
{
    return VQPlist(plist_new_array());
}
VQPlist VQPlist::string(const QString &value)
{
    return VQPlist(plist_new_string(value.toUtf8().constData()));
}
VQPlist VQPlist::integer(std::uint64_t value)
{
    return VQPlist(plist_new_uint(value));
}
VQPlist VQPlist::real(double value)
{
    return VQPlist(plist_new_real(value));
}
VQPlist VQPlist::boolean(bool value)
{
    return VQPlist(plist_new_bool(value ? 1 : 0));
}

VQPlist VQPlist::date(const QDateTime &value)
{
    // Property-list dates count from 2001-01-01 00:00:00 UTC.
    const qint64 ms = value.toMSecsSinceEpoch() - 978307200000LL;
    qint64 sec = ms / 1000, msRest = ms % 1000;
    if (msRest < 0) {
        msRest += 1000;
        --sec;
    }
    return VQPlist(plist_new_date(int32_t(sec), int32_t(msRest * 1000)));
}

VQPlist &VQPlist::set(const char *key, VQPlist value)
{
    if (VQPlistNode(_node).isDictionary() && !value.isNull())
        plist_dict_set_item(static_cast<plist_t>(_node), key, static_cast<plist_t>(value.release()));
    return *this;
}

VQPlist &VQPlist::append(VQPlist value)
{
    if (VQPlistNode(_node).isArray() && !value.isNull())
        plist_array_append_item(static_cast<plist_t>(_node), static_cast<plist_t>(value.release()));
    return *this;
}

std::optional<VQPlist> VQPlist::fromData(const QByteArray &data)
{
    if (data.isEmpty() || data.size() > kMaxPlistBytes)
        return std::nullopt;
    // libplist recurses into containers and copies shared ones: see VQPlistShape.h.
    if (!VQPlistShapeIsSafe(data))
        return std::nullopt;
    plist_t root = nullptr;
    if (plist_is_binary(data.constData(), uint32_t(data.size()))) {
        plist_from_bin(data.constData(), uint32_t(data.size()), &root);
    } else {
        // The XML reader wants to see the document start; skip a byte-order mark and blanks.
        qsizetype start = 0;
        if (data.startsWith("\xEF\xBB\xBF"))
            start = 3;
        while (start < data.size() && std::isspace(static_cast<unsigned char>(data[start])))
            ++start;
        if (start < data.size() && data[start] == '<')
            plist_from_xml(data.constData() + start, uint32_t(data.size() - start), &root);
    }
    if (!root)
        return std::nullopt;
    return VQPlist(root);
}

std::optional<VQPlist> VQPlist::fromFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > kMaxPlistBytes) {
        if (error)
            *error = QStringLiteral("file too large");
        return std::nullopt;
    }
    const QByteArray data = file.readAll();
    auto result = fromData(data);
    if (!result && error)
        *error = QStringLiteral("not a property list");
    return result;
}

QByteArray VQPlist::toXML() const
{
    if (!_node)
        return {};
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(static_cast<plist_t>(_node), &xml, &length);
    QByteArray result(xml, qsizetype(length));
    plist_to_xml_free(xml);
    return result;
}

QByteArray VQPlist::toBinary() const
{
    if (!_node)
        return {};
    char *bin = nullptr;
    uint32_t length = 0;
    plist_to_bin(static_cast<plist_t>(_node), &bin, &length);
    QByteArray result(bin, qsizetype(length));
    plist_to_bin_free(bin);
    return result;
}

bool VQPlist::writeXMLFileAtomically(const QString &path, QString *error) const
{
    const QByteArray xml = toXML();
    if (xml.isEmpty()) {
        if (error)
            *error = QStringLiteral("nothing to write");
        return false;
    }
    return VQWriteFileAtomically(path, xml, error);
}

bool VQWriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void VQReleaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
