#include "vqcore/VQPropertyList.h"

#include "vqcore/VQPlistDocument_p.h"
#include "vqcore/VQLibraryLimits.h"
#include "vqcore/VQStringExtensions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <plist/plist.h>

#include <atomic>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include <locale.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace
{
plist_type typeOf(VQPlistRaw node)
{
    return node ? plist_get_node_type(static_cast<plist_t>(node)) : PLIST_NONE;
}

// libplist's own parsers take a 32-bit length; larger documents are refused before that.
constexpr qint64 kMaxPlistBytes = qint64(std::numeric_limits<std::uint32_t>::max() / 2);
static_assert(VQPlistMaxFileBytes <= kMaxPlistBytes);

// libplist reads and writes reals with the C library's strtod and printf,
// which follow LC_NUMERIC: under a locale with a decimal comma "0.5" reads as
// 0. Every call into libplist runs in the "C" locale of the calling thread
// only, whatever the process locale is and whichever thread calls.
class CNumbers
{
  public:
    CNumbers()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        _previous = c ? uselocale(c) : locale_t(nullptr);
    }
    ~CNumbers()
    {
        if (_previous)
            uselocale(_previous);
    }
    CNumbers(const CNumbers &) = delete;
    CNumbers &operator=(const CNumbers &) = delete;

  private:
    locale_t _previous = locale_t(nullptr);
};

// libplist cannot hold a NUL inside a string (its setters copy up to the first
// one), so a NUL is kept as the two bytes C0 80, which are never valid UTF-8
// and are turned back into U+0000 when the string is read.
constexpr char kHeldNul[] = "\xC0\x80";

using Type = VQPlistDocument::Type;

// The type of a node of a document read, as libplist names it.
plist_type typeOf(const VQPlistDocument &document, std::uint32_t index)
{
    switch (document.node(index).type) {
    case Type::Dictionary:
        return PLIST_DICT;
    case Type::Array:
        return PLIST_ARRAY;
    case Type::String:
        return PLIST_STRING;
    case Type::Integer:
        return PLIST_UINT;
    case Type::Real:
        return PLIST_REAL;
    case Type::Boolean:
        return PLIST_BOOLEAN;
    case Type::Date:
        return PLIST_DATE;
    case Type::Data:
        return PLIST_DATA;
    case Type::UID:
        return PLIST_UID;
    }
    return PLIST_NONE;
}

plist_type typeOf(const VQPlistNode &node)
{
    if (const VQPlistDocument *document = node.document())
        return typeOf(*document, node.index());
    return typeOf(node.raw());
}

// A copy of a node of a document read as a libplist tree.
plist_t toLibplist(const VQPlistDocument &document, std::uint32_t index)
{
    const VQPlistDocument::Node &node = document.node(index);
    switch (node.type) {
    case Type::Dictionary: {
        plist_t dict = plist_new_dict();
        for (std::uint32_t i = 0; i < node.size; ++i) {
            const VQPlistDocument::Node &key = document.node(document.item(node, 2 * i));
            // libplist keeps a key up to its first NUL.
            const std::string name(document.text(key), ::strnlen(document.text(key), key.size));
            plist_dict_set_item(dict, name.c_str(), toLibplist(document, document.item(node, 2 * i + 1)));
        }
        return dict;
    }
    case Type::Array: {
        plist_t array = plist_new_array();
        for (std::uint32_t i = 0; i < node.size; ++i)
            plist_array_append_item(array, toLibplist(document, document.item(node, i)));
        return array;
    }
    case Type::String: {
        QByteArray text(document.text(node), qsizetype(node.size));
        return plist_new_string(text.replace('\0', kHeldNul).constData());
    }
    case Type::Integer:
        return plist_new_uint(node.value);
    case Type::Real: {
        double value;
        std::memcpy(&value, &node.value, sizeof value);
        return plist_new_real(value);
    }
    case Type::Boolean:
        return plist_new_bool(node.value ? 1 : 0);
    case Type::Date:
        return plist_new_date(int32_t(std::uint32_t(node.value >> 32)), int32_t(std::uint32_t(node.value)));
    case Type::Data:
        return plist_new_data(document.text(node), node.size);
    case Type::UID:
        return plist_new_uid(node.value);
    }
    return nullptr;
}
} // namespace

bool VQPlistNode::isDictionary() const
{
    return typeOf(*this) == PLIST_DICT;
}
bool VQPlistNode::isArray() const
{
    return typeOf(*this) == PLIST_ARRAY;
}
bool VQPlistNode::isString() const
{
    return typeOf(*this) == PLIST_STRING;
}
bool VQPlistNode::isInteger() const
{
    return typeOf(*this) == PLIST_UINT;
}
bool VQPlistNode::isReal() const
{
    return typeOf(*this) == PLIST_REAL;
}
bool VQPlistNode::isBool() const
{
    return typeOf(*this) == PLIST_BOOLEAN;
}
bool VQPlistNode::isDate() const
{
    return typeOf(*this) == PLIST_DATE;
}
bool VQPlistNode::isData() const
{
    return typeOf(*this) == PLIST_DATA;
}
bool VQPlistNode::isUID() const
{
    return typeOf(*this) == PLIST_UID;
}

VQPlistNode VQPlistNode::operator[](const char *key) const
{
    if (!isDictionary())
        return VQPlistNode();
    if (_document) {
        // Dictionaries are small: a look along the keys beats any index. The
        // first entry of a key wins, as in libplist.
        const VQPlistDocument::Node &dict = _document->node(_index);
        const std::size_t length = std::strlen(key);
        for (std::uint32_t i = 0; i < dict.size; ++i) {
            const VQPlistDocument::Node &name = _document->node(_document->item(dict, 2 * i));
            if (name.size == length && std::memcmp(_document->text(name), key, length) == 0)
                return VQPlistNode(_document, _document->item(dict, 2 * i + 1));
        }
        return VQPlistNode();
    }
    return VQPlistNode(plist_dict_get_item(static_cast<plist_t>(_node), key));
}

std::uint32_t VQPlistNode::count() const
{
    if (_document) {
        const VQPlistDocument::Node &node = _document->node(_index);
        return node.type == Type::Array || node.type == Type::Dictionary ? node.size : 0;
    }
    if (isArray())
        return plist_array_get_size(static_cast<plist_t>(_node));
    if (isDictionary())
        return plist_dict_get_size(static_cast<plist_t>(_node));
    return 0;
}

VQPlistNode VQPlistNode::at(std::uint32_t index) const
{
    if (!isArray() || index >= count())
        return VQPlistNode();
    if (_document)
        return VQPlistNode(_document, _document->item(_document->node(_index), index));
    return VQPlistNode(plist_array_get_item(static_cast<plist_t>(_node), index));
}

QByteArray VQPlistNode::keyAt(std::uint32_t index) const
{
    if (!isDictionary() || index >= count())
        return {};
    if (_document) {
        const VQPlistDocument::Node &key = _document->node(_document->item(_document->node(_index), 2 * index));
        return QByteArray(_document->text(key), qsizetype(key.size));
    }
    char *name = nullptr;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(static_cast<plist_t>(_node), &it);
    for (std::uint32_t i = 0; i <= index && it; ++i) {
        std::free(name);
        name = nullptr;
        plist_dict_next_item(static_cast<plist_t>(_node), it, &name, nullptr);
    }
    std::free(it);
    QByteArray result(name ? name : "");
    std::free(name);
    return result;
}

VQPlistNode VQPlistNode::valueAt(std::uint32_t index) const
{
    if (!isDictionary() || index >= count())
        return VQPlistNode();
    if (_document)
        return VQPlistNode(_document, _document->item(_document->node(_index), 2 * index + 1));
    plist_t value = nullptr;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(static_cast<plist_t>(_node), &it);
    for (std::uint32_t i = 0; i <= index && it; ++i)
        plist_dict_next_item(static_cast<plist_t>(_node), it, nullptr, &value);
    std::free(it);
    return VQPlistNode(value);
}

namespace
{
// The stored number of a node of either kind, for the accessors below.
std::uint64_t uintOf(const VQPlistNode &node)
{
    if (const VQPlistDocument *document = node.document())
        return document->node(node.index()).value;
    uint64_t value = 0;
    plist_get_uint_val(static_cast<plist_t>(node.raw()), &value);
    return value;
}

double realOf(const VQPlistNode &node)
{
    double value = 0;
    if (const VQPlistDocument *document = node.document())
        std::memcpy(&value, &document->node(node.index()).value, sizeof value);
    else
        plist_get_real_val(static_cast<plist_t>(node.raw()), &value);
    return value;
}

// Text or data by pointer and length.
const char *bytesOf(const VQPlistNode &node, std::uint64_t &length)
{
    if (const VQPlistDocument *document = node.document()) {
        const VQPlistDocument::Node &n = document->node(node.index());
        length = n.size;
        return document->text(n);
    }
    uint64_t size = 0;
    const char *bytes = node.isString() ? plist_get_string_ptr(static_cast<plist_t>(node.raw()), &size)
                                        : plist_get_data_ptr(static_cast<plist_t>(node.raw()), &size);
    length = size;
    return bytes;
}
} // namespace

std::optional<std::uint64_t> VQPlistNode::toUInt64() const
{
    if (isInteger())
        return uintOf(*this);
    if (isReal()) {
        const double value = realOf(*this);
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
    if (isReal())
        return realOf(*this);
    if (isInteger()) {
        const std::uint64_t value = uintOf(*this);
        // Negative integers are kept as their two's complement.
        return value > uint64_t(std::numeric_limits<int64_t>::max()) ? double(int64_t(value)) : double(value);
    }
    return std::nullopt;
}

std::optional<QString> VQPlistNode::toString() const
{
    if (!isString())
        return std::nullopt;
    // By pointer and length: a string may hold NUL characters (a binary list, or
    // XML that spells one out), which libplist's copying accessor refuses by aborting.
    std::uint64_t length = 0;
    const char *text = bytesOf(*this, length);
    if (!text || length > uint64_t(std::numeric_limits<qsizetype>::max()))
        return QString();
    if (std::memchr(text, kHeldNul[0], length)) {
        QByteArray bytes(text, qsizetype(length));
        return VQString::fromUtf8Exactly(bytes.replace(kHeldNul, QByteArray(1, '\0')));
    }
    return VQString::fromUtf8Exactly(QByteArrayView(text, qsizetype(length)));
}

std::optional<bool> VQPlistNode::toBool() const
{
    if (!isBool())
        return std::nullopt;
    if (_document)
        return _document->node(_index).value != 0;
    uint8_t value = 0;
    plist_get_bool_val(static_cast<plist_t>(_node), &value);
    return value != 0;
}

std::optional<QByteArray> VQPlistNode::toData() const
{
    if (!isData())
        return std::nullopt;
    std::uint64_t length = 0;
    const char *bytes = bytesOf(*this, length);
    if (!bytes || length > uint64_t(std::numeric_limits<qsizetype>::max()))
        return QByteArray();
    return QByteArray(bytes, qsizetype(length));
}

std::optional<std::uint64_t> VQPlistNode::toUID() const
{
    if (!isUID())
        return std::nullopt;
    if (_document)
        return std::uint64_t(_document->node(_index).value); // a copy: the node is packed
    uint64_t value = 0;
    plist_get_uid_val(static_cast<plist_t>(_node), &value);
    return value;
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
        // Negative integers are kept as their two's complement.
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

VQPlist::VQPlist(std::shared_ptr<const VQPlistDocument> document) : _document(std::move(document)) {}

VQPlist::VQPlist(VQPlist &&other) noexcept : _node(other._node), _document(std::move(other._document))
{
    other._node = nullptr;
}

VQPlist &VQPlist::operator=(VQPlist &&other) noexcept
{
    if (this != &other) {
        if (_node)
            plist_free(static_cast<plist_t>(_node));
        _node = std::exchange(other._node, nullptr);
        _document = std::move(other._document);
    }
    return *this;
}

VQPlist::~VQPlist()
{
    if (_node)
        plist_free(static_cast<plist_t>(_node));
}

VQPlistNode VQPlist::node() const
{
    if (_document)
        return VQPlistNode(_document.get(), _document->root());
    return VQPlistNode(_node);
}

void VQPlist::makeEditable()
{
    if (_document) {
        _node = toLibplist(*_document, _document->root());
        _document.reset();
    }
}

VQPlistRaw VQPlist::release()
{
    makeEditable();
    VQPlistRaw node = _node;
    _node = nullptr;
    return node;
}

VQPlist VQPlist::clone() const
{
    if (_document)
        return VQPlist(toLibplist(*_document, _document->root()));
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
    makeEditable();
    if (VQPlistNode(_node).isDictionary() && !value.isNull())
        plist_dict_set_item(static_cast<plist_t>(_node), key, static_cast<plist_t>(value.release()));
    return *this;
}

VQPlist &VQPlist::append(VQPlist value)
{
    makeEditable();
    if (VQPlistNode(_node).isArray() && !value.isNull())
        plist_array_append_item(static_cast<plist_t>(_node), static_cast<plist_t>(value.release()));
    return *this;
}

std::optional<VQPlist> VQPlist::fromData(const QByteArray &data, QString *error)
{
    const auto refuse = [error](const QString &why) -> std::optional<VQPlist> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (data.isEmpty())
        return refuse(QStringLiteral("empty"));
    if (data.size() > kMaxPlistBytes)
        return refuse(QStringLiteral("too large for a property list"));
    std::unique_ptr<VQPlistDocument> document = VQPlistDocument::read(data, error);
    if (!document)
        return std::nullopt;
    return VQPlist(std::shared_ptr<const VQPlistDocument>(std::move(document)));
}

std::optional<VQPlist> VQPlist::fromFile(const QString &path, QString *error, VQLinks links)
{
    const std::optional<VQFileBytes> file = VQReadFileBytes(path, VQPlistMaxFileBytes, error, links);
    if (!file)
        return std::nullopt;
    std::optional<VQPlist> plist = fromData(file->bytes(), error);
    if (file->cutShort()) {
        if (error)
            *error = QStringLiteral("it was cut short while it was read");
        return std::nullopt;
    }
    return plist;
}

QByteArray VQPlist::toXML() const
{
    if (_document)
        return clone().toXML();
    if (!_node)
        return {};
    const CNumbers cNumbers;
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(static_cast<plist_t>(_node), &xml, &length);
    QByteArray result(xml, qsizetype(length));
    plist_to_xml_free(xml);
    return result;
}

QByteArray VQPlist::toBinary() const
{
    if (_document)
        return clone().toBinary();
    if (!_node)
        return {};
    const CNumbers cNumbers;
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

std::uint64_t VQPlistFootprint(VQPlistNode node)
{
    // Containers nest at most VQPlistMaxNesting deep in anything fromData accepts;
    // a node shared in a document counts once for every reference to it.
    if (node.isNull())
        return 0;
    std::uint64_t bytes = VQPlistNodeBytes;
    if (node.isString() || node.isData()) {
        std::uint64_t length = 0;
        bytesOf(node, length);
        return bytes + length * (node.isString() ? VQPlistStringByteCost : VQPlistDataByteCost);
    }
    if (node.isArray()) {
        node.forEachItem([&](VQPlistNode item) { bytes += VQPlistFootprint(item); });
        return bytes;
    }
    if (node.isDictionary()) {
        for (std::uint32_t i = 0, n = node.count(); i < n; ++i) // the key's node and text, and the value
            bytes += VQPlistNodeBytes + std::uint64_t(node.keyAt(i).size()) + VQPlistFootprint(node.valueAt(i));
    }
    return bytes;
}

void VQReleaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void VQReleaseFreedMemoryWhenIdle()
{
    static std::atomic<bool> requested{false};
    QCoreApplication *application = QCoreApplication::instance();
    if (!application || requested.exchange(true))
        return;
    // Queued behind whatever the loop has yet to do, in the application's thread.
    QMetaObject::invokeMethod(
        application,
        [] {
            requested = false;
            VQReleaseFreedMemory();
        },
        Qt::QueuedConnection);
}
