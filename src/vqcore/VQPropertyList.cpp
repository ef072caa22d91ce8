#include "vqcore/VQPropertyList.h"

#include "vqcore/VQPlistShape.h"
#include "vqcore/VQStringExtensions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <plist/plist.h>

#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
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

// ---------------------------------------------------------------------------
// XML integers. libplist reads <integer> with strtoull in base 0, so "0123" is
// octal 83 and "0x10" is 16. A property-list integer is decimal: leading
// zeros are dropped before libplist sees them, and an element that is not a
// decimal integer becomes a <string>, which readers of numbers refuse like
// any other value of the wrong type.

bool isXMLSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The rewritten document, or nothing when every integer is already plain.
std::optional<QByteArray> decimalIntegers(const char *data, qsizetype size)
{
    static constexpr char kOpen[] = "<integer>", kClose[] = "</integer>";
    const char *const end = data + size;
    const char *copied = data; // everything before this is in `out` already
    QByteArray out;
    bool changed = false;
    const auto find = [end](const char *from, const char *what) -> const char * {
        const std::size_t n = std::strlen(what);
        for (const char *p = from; p + n <= end; ++p) {
            p = static_cast<const char *>(std::memchr(p, what[0], std::size_t(end - p)));
            if (!p || p + n > end)
                return nullptr;
            if (std::memcmp(p, what, n) == 0)
                return p;
        }
        return nullptr;
    };
    for (const char *p = data; (p = static_cast<const char *>(std::memchr(p, '<', std::size_t(end - p))));) {
        const auto startsWith = [&](const char *what) {
            const std::size_t n = std::strlen(what);
            return std::size_t(end - p) >= n && std::memcmp(p, what, n) == 0;
        };
        if (startsWith("<!--") || startsWith("<![CDATA[")) {
            const char *close = find(p + 4, p[1] == '!' && p[2] == '-' ? "-->" : "]]>");
            if (!close)
                break;
            p = close + 3;
            continue;
        }
        if (!startsWith(kOpen)) {
            ++p;
            continue;
        }
        const char *text = p + sizeof kOpen - 1;
        const char *close = find(text, kClose);
        if (!close)
            break;
        const char *a = text, *b = close;
        while (a < b && isXMLSpace(*a))
            ++a;
        while (b > a && isXMLSpace(b[-1]))
            --b;
        const bool negative = a < b && *a == '-';
        const char *digits = a < b && (*a == '-' || *a == '+') ? a + 1 : a;
        bool decimal = digits < b;
        for (const char *d = digits; d < b && decimal; ++d)
            decimal = *d >= '0' && *d <= '9';
        const char *significant = digits;
        while (decimal && significant + 1 < b && *significant == '0')
            ++significant;
        const char *after = close + sizeof kClose - 1;
        if (decimal && significant == digits && *a != '+') {
            p = after; // already plain
            continue;
        }
        out.append(copied, qsizetype(p - copied));
        if (decimal) {
            out += kOpen;
            if (negative)
                out += '-';
            out.append(significant, qsizetype(b - significant));
            out += kClose;
        } else {
            out += "<string>";
            out.append(text, qsizetype(close - text));
            out += "</string>";
        }
        copied = p = after;
        changed = true;
    }
    if (!changed)
        return std::nullopt;
    out.append(copied, qsizetype(end - copied));
    return out;
}

// ---------------------------------------------------------------------------
// Binary strings with a NUL inside, which libplist cuts at the NUL. They are
// found in the object table and put back whole into the parsed tree, walking
// the file's objects and the tree side by side (libplist builds the tree in
// the file's order, one node per reference).

class BinaryStrings
{
  public:
    explicit BinaryStrings(const QByteArray &data)
        : _p(reinterpret_cast<const unsigned char *>(data.constData())), _size(std::uint64_t(data.size()))
    {
        // The shape check has vetted the trailer and the tables already.
        const unsigned char *trailer = _p + _size - 32;
        _offsetSize = trailer[6];
        _refSize = trailer[7];
        _count = be(trailer + 8, 8);
        _top = be(trailer + 16, 8);
        _tableAt = be(trailer + 24, 8);
    }

    bool anyCut() const
    {
        for (std::uint64_t i = 0; i < _count; ++i)
            if (whole(i))
                return true;
        return false;
    }

    // Puts the whole text back into the cut strings of `root`, parsed from the same data.
    void restore(plist_t root) const { restoreBelow(root, _top, 0); }

  private:
    static std::uint64_t be(const unsigned char *p, unsigned n)
    {
        std::uint64_t v = 0;
        for (unsigned i = 0; i < n; ++i)
            v = (v << 8) | p[i];
        return v;
    }

    std::uint64_t offset(std::uint64_t object) const { return be(_p + _tableAt + object * _offsetSize, _offsetSize); }

    // Marker type, element count and where the elements start; false when out of the file.
    bool header(std::uint64_t object, unsigned &type, std::uint64_t &n, std::uint64_t &at) const
    {
        if (object >= _count)
            return false;
        at = offset(object);
        if (at < 8 || at >= _tableAt)
            return false;
        type = _p[at] >> 4;
        n = _p[at] & 0x0F;
        ++at;
        if (n == 0x0F) {
            if (at >= _tableAt || (_p[at] >> 4) != 0x1)
                return false;
            const unsigned width = 1u << (_p[at] & 0x0F);
            if (width > 8 || at + 1 + width > _tableAt)
                return false;
            n = be(_p + at + 1, width);
            at += 1 + width;
        }
        return true;
    }

    // The whole text (NULs held as C0 80) of a string object that holds a NUL.
    std::optional<QByteArray> whole(std::uint64_t object) const
    {
        unsigned type = 0;
        std::uint64_t n = 0, at = 0;
        if (!header(object, type, n, at))
            return std::nullopt;
        if (type == 0x5) {
            if (n > _tableAt - at || !std::memchr(_p + at, 0, n))
                return std::nullopt;
            return QByteArray(reinterpret_cast<const char *>(_p + at), qsizetype(n)).replace('\0', kHeldNul);
        }
        if (type == 0x6) {
            if (n > (_tableAt - at) / 2)
                return std::nullopt;
            bool nul = false;
            for (std::uint64_t i = 0; i < n && !nul; ++i)
                nul = _p[at + 2 * i] == 0 && _p[at + 2 * i + 1] == 0;
            if (!nul) // the common case: nothing to build
                return std::nullopt;
            QString text(qsizetype(n), Qt::Uninitialized);
            for (std::uint64_t i = 0; i < n; ++i)
                text[qsizetype(i)] = QChar(char16_t(_p[at + 2 * i] << 8 | _p[at + 2 * i + 1]));
            return text.toUtf8().replace('\0', kHeldNul);
        }
        return std::nullopt;
    }

    std::uint64_t ref(std::uint64_t at, std::uint64_t i) const { return be(_p + at + i * _refSize, _refSize); }

    // The node's text is set anew (the setter copies up to the first NUL, and
    // the NULs are held as C0 80 by now). Dictionaries are walked without their
    // keys: libplist asserts on reading a key that holds a NUL.
    void restoreBelow(plist_t node, std::uint64_t object, int depth) const
    {
        unsigned type = 0;
        std::uint64_t n = 0, at = 0;
        if (!node || depth > VQPlistMaxNesting || !header(object, type, n, at))
            return;
        if (type == 0x5 || type == 0x6) {
            if (plist_get_node_type(node) == PLIST_STRING)
                if (const std::optional<QByteArray> text = whole(object))
                    plist_set_string_val(node, text->constData());
        } else if ((type == 0xA || type == 0xC) && plist_get_node_type(node) == PLIST_ARRAY &&
                   plist_array_get_size(node) == n) {
            for (std::uint32_t i = 0; i < n; ++i)
                restoreBelow(plist_array_get_item(node, i), ref(at, i), depth + 1);
        } else if (type == 0xD && plist_get_node_type(node) == PLIST_DICT && plist_dict_get_size(node) == n) {
            plist_dict_iter it = nullptr;
            plist_dict_new_iter(node, &it);
            for (std::uint64_t i = 0; i < n && it; ++i) {
                plist_t value = nullptr;
                plist_dict_next_item(node, it, nullptr, &value);
                restoreBelow(value, ref(at, n + i), depth + 1);
            }
            std::free(it);
        }
    }

    const unsigned char *_p;
    std::uint64_t _size;
    unsigned _offsetSize = 0;
    unsigned _refSize = 0;
    std::uint64_t _count = 0;
    std::uint64_t _top = 0;
    std::uint64_t _tableAt = 0;
};
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
    if (std::memchr(text, kHeldNul[0], length)) {
        QByteArray bytes(text, qsizetype(length));
        return QString::fromUtf8(bytes.replace(kHeldNul, QByteArray(1, '\0')));
    }
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
    // libplist recurses into containers and copies shared objects: see VQPlistShape.h.
    if (const QString problem = VQPlistShapeProblem(data); !problem.isEmpty())
        return refuse(problem);
    const CNumbers cNumbers;
    plist_t root = nullptr;
    if (plist_is_binary(data.constData(), uint32_t(data.size()))) {
        plist_from_bin(data.constData(), uint32_t(data.size()), &root);
        const BinaryStrings strings(data);
        if (root && strings.anyCut())
            strings.restore(root);
    } else {
        // The XML reader wants to see the document start; skip a byte-order mark and blanks.
        qsizetype start = 0;
        if (data.startsWith("\xEF\xBB\xBF"))
            start = 3;
        while (start < data.size() && std::isspace(static_cast<unsigned char>(data[start])))
            ++start;
        if (start < data.size() && data[start] == '<') {
            const char *xml = data.constData() + start;
            const qsizetype length = data.size() - start;
            if (const std::optional<QByteArray> decimal = decimalIntegers(xml, length)) {
                if (decimal->size() <= kMaxPlistBytes)
                    plist_from_xml(decimal->constData(), uint32_t(decimal->size()), &root);
            } else {
                plist_from_xml(xml, uint32_t(length), &root);
            }
        }
    }
    if (!root)
        return refuse(QStringLiteral("not a property list"));
    return VQPlist(root);
}

std::optional<VQPlist> VQPlist::fromFile(const QString &path, QString *error, VQLinks links)
{
    const std::optional<QByteArray> data = VQReadRegularFile(path, VQPlistMaxFileBytes, error, links);
    if (!data)
        return std::nullopt;
    return fromData(*data, error);
}

QByteArray VQPlist::toXML() const
{
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

bool VQWriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered: a short write (disk full, file size limit) of a buffered
    // small file surfaced only in the flush at commit, which committed it cut off.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
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

std::uint64_t VQPlistFootprint(VQPlistNode node)
{
    // Containers nest at most VQPlistMaxNesting deep in anything fromData accepts.
    const plist_t raw = static_cast<plist_t>(node.raw());
    if (!raw)
        return 0;
    std::uint64_t bytes = VQPlistNodeBytes;
    uint64_t length = 0;
    switch (plist_get_node_type(raw)) {
    case PLIST_STRING:
        plist_get_string_ptr(raw, &length);
        return bytes + length;
    case PLIST_DATA:
        plist_get_data_ptr(raw, &length);
        return bytes + length;
    case PLIST_ARRAY:
        for (std::uint32_t i = 0, n = plist_array_get_size(raw); i < n; ++i)
            bytes += VQPlistFootprint(VQPlistNode(plist_array_get_item(raw, i)));
        return bytes;
    case PLIST_DICT: {
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(raw, &it);
        for (std::uint32_t i = 0, n = plist_dict_get_size(raw); i < n && it; ++i) {
            plist_t value = nullptr;
            plist_dict_next_item(raw, it, nullptr, &value);
            bytes += VQPlistNodeBytes + VQPlistFootprint(VQPlistNode(value)); // the key's node, and the value
        }
        std::free(it);
        return bytes;
    }
    default:
        return bytes;
    }
}

void VQReleaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
