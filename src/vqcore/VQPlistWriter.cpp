#include "vqcore/VQPlistWriter.h"

#include "vqcore/VQStringExtensions.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

VQPlistSink::~VQPlistSink() = default;

// ---- tree -------------------------------------------------------------------

void VQPlistTreeBuilder::add(VQPlist value)
{
    if (_open.empty()) {
        _result = std::move(value);
        return;
    }
    VQPlist &container = _open.back();
    if (container.node().isDictionary())
        container.set(_keys.back().c_str(), std::move(value));
    else
        container.append(std::move(value));
}

void VQPlistTreeBuilder::beginDictionary()
{
    _open.push_back(VQPlist::dictionary());
    _keys.emplace_back();
}

void VQPlistTreeBuilder::endDictionary()
{
    VQPlist done = std::move(_open.back());
    _open.pop_back();
    _keys.pop_back();
    add(std::move(done));
}

void VQPlistTreeBuilder::key(const char *key)
{
    _keys.back() = key;
}

void VQPlistTreeBuilder::beginArray()
{
    _open.push_back(VQPlist::array());
    _keys.emplace_back();
}

void VQPlistTreeBuilder::endArray()
{
    endDictionary();
}

void VQPlistTreeBuilder::string(const QString &value)
{
    add(VQPlist::string(value));
}
void VQPlistTreeBuilder::integer(std::uint64_t value)
{
    add(VQPlist::integer(value));
}
void VQPlistTreeBuilder::real(double value)
{
    add(VQPlist::real(value));
}
void VQPlistTreeBuilder::date(const QDateTime &value)
{
    add(VQPlist::date(value));
}
void VQPlistTreeBuilder::boolean(bool value)
{
    add(VQPlist::boolean(value));
}

VQPlist VQPlistTreeBuilder::take()
{
    return std::move(_result);
}

// ---- XML --------------------------------------------------------------------

namespace
{
// A streaming writer hands the document on in pieces of about this size.
constexpr qsizetype kPieceBytes = qsizetype(1) << 20;
} // namespace

VQPlistXMLWriter::VQPlistXMLWriter(VQAtomicFileWriter &file) : VQPlistXMLWriter()
{
    _file = &file;
    _out.reserve(kPieceBytes + 4096);
}

void VQPlistXMLWriter::flushIfFull()
{
    if (_file && _out.size() >= kPieceBytes) {
        // A document that could not keep every character is not going to be
        // committed: the disk is spared the rest of it.
        if (!_replacedCharacters)
            _file->write(_out.data(), qsizetype(_out.size()));
        _out.resize(0); // keeps the capacity
    }
}

VQPlistXMLWriter::VQPlistXMLWriter()
{
    _out.reserve(1 << 16);
    _out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
            "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
            "<plist version=\"1.0\">\n";
}

void VQPlistXMLWriter::indent()
{
    _out.append(std::size_t(_depth), '\t');
}

void VQPlistXMLWriter::beginDictionary()
{
    indent();
    _out += "<dict>\n";
    ++_depth;
}

void VQPlistXMLWriter::endDictionary()
{
    --_depth;
    indent();
    _out += "</dict>\n";
    flushIfFull();
}

void VQPlistXMLWriter::key(const char *key)
{
    indent();
    _out += "<key>";
    escaped(key, qsizetype(std::strlen(key)));
    _out += "</key>\n";
}

void VQPlistXMLWriter::beginArray()
{
    indent();
    _out += "<array>\n";
    ++_depth;
}

void VQPlistXMLWriter::endArray()
{
    --_depth;
    indent();
    _out += "</array>\n";
    flushIfFull();
}

void VQPlistXMLWriter::escaped(const char *utf8, qsizetype size)
{
    const char *run = utf8; // characters that go out as they are, up to p
    const char *const end = utf8 + size;
    for (const char *p = utf8; p < end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c != '&' && c != '<' && c != '>')
            continue;
        if (c == '\t' || c == '\n')
            continue;
        _out.append(run, std::size_t(p - run));
        run = p + 1;
        switch (c) {
        case '&':
            _out += "&amp;";
            break;
        case '<':
            _out += "&lt;";
            break;
        case '>':
            _out += "&gt;";
            break;
        case '\r':
            // Raw, a reader would normalise it to a line feed.
            _out += "&#13;";
            break;
        default:
            _out += "\xEF\xBF\xBD"; // U+FFFD: XML 1.0 has no way to carry it
            _replacedCharacters = true;
        }
    }
    _out.append(run, std::size_t(end - run));
}

void VQPlistXMLWriter::string(const QString &value)
{
    indent();
    _out += "<string>";
    QByteArray utf8 = value.toUtf8();
    // U+FFFE and U+FFFF are not XML characters either.
    if (utf8.contains("\xEF\xBF") && (utf8.contains("\xEF\xBF\xBE") || utf8.contains("\xEF\xBF\xBF"))) {
        utf8.replace("\xEF\xBF\xBE", "\xEF\xBF\xBD").replace("\xEF\xBF\xBF", "\xEF\xBF\xBD");
        _replacedCharacters = true;
    }
    escaped(utf8.constData(), utf8.size());
    _out += "</string>\n";
}

void VQPlistXMLWriter::integer(std::uint64_t value)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    indent();
    _out += "<integer>";
    _out.append(buffer, std::size_t(end - buffer));
    _out += "</integer>\n";
}

void VQPlistXMLWriter::real(double value)
{
    indent();
    _out += "<real>";
    if (std::isnan(value)) {
        _out += "nan";
    } else if (std::isinf(value)) {
        _out += value > 0 ? "+infinity" : "-infinity";
    } else {
        // The shortest text that reads back as exactly this double.
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        _out.append(buffer, std::size_t(end - buffer));
    }
    _out += "</real>\n";
}

void VQPlistXMLWriter::date(const QDateTime &value)
{
    indent();
    _out += "<date>";
    _out += value.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")).toLatin1().toStdString();
    _out += "</date>\n";
}

void VQPlistXMLWriter::boolean(bool value)
{
    indent();
    _out += value ? "<true/>\n" : "<false/>\n";
}

QByteArray VQPlistXMLWriter::finish()
{
    _out += "</plist>\n";
    if (_file) {
        if (!_replacedCharacters)
            _file->write(_out.data(), qsizetype(_out.size()));
        _out.resize(0);
        return {};
    }
    const QByteArray document(_out.data(), qsizetype(_out.size()));
    _out.clear();
    return document;
}

// ---- binary -----------------------------------------------------------------

namespace
{
// Seconds between 1970 and 2001, where property-list dates count from.
constexpr double kPlistEpochOffset = 978307200.0;

int bytesFor(std::uint64_t value)
{
    if (value <= 0xFF)
        return 1;
    if (value <= 0xFFFF)
        return 2;
    if (value <= 0xFFFFFFFFu)
        return 4;
    return 8;
}
} // namespace

VQPlistBinaryWriter::VQPlistBinaryWriter()
{
    _out.reserve(1 << 16);
    _out.append("bplist00");
}

VQPlistBinaryWriter::VQPlistBinaryWriter(VQAtomicFileWriter &file) : VQPlistBinaryWriter()
{
    _file = &file;
    _out.reserve(kPieceBytes + 4096);
}

void VQPlistBinaryWriter::reserve(std::size_t objects, std::size_t bytes)
{
    _offsets.reserve(objects);
    if (!_file)
        _out.reserve(bytes);
}

void VQPlistBinaryWriter::flushIfFull()
{
    if (_file && _out.size() >= std::size_t(kPieceBytes)) {
        _file->write(_out.data(), qsizetype(_out.size()));
        _handedOn += _out.size();
        _out.resize(0); // keeps the capacity
    }
}

std::uint32_t VQPlistBinaryWriter::beginObject()
{
    _offsets.push_back(_handedOn + _out.size());
    return std::uint32_t(_offsets.size() - 1);
}

void VQPlistBinaryWriter::add(std::uint32_t object)
{
    if (_open.empty())
        _top = object;
    else
        _values.push_back(object);
    flushIfFull();
}

void VQPlistBinaryWriter::bigEndian(std::uint64_t value, int bytes)
{
    // The low `bytes` bytes, most significant first.
    const std::uint64_t swapped = __builtin_bswap64(value << (64 - 8 * bytes));
    char buffer[8];
    std::memcpy(buffer, &swapped, sizeof buffer);
    _out.append(buffer, std::size_t(bytes));
}

// A type nibble with its count: counts of 15 and more follow as an integer.
void VQPlistBinaryWriter::marker(unsigned char type, std::uint64_t count)
{
    if (count < 15) {
        _out += char(type << 4 | count);
        return;
    }
    _out += char(type << 4 | 0x0F);
    const int bytes = bytesFor(count);
    _out += char(0x10 | (bytes == 1 ? 0 : bytes == 2 ? 1 : bytes == 4 ? 2 : 3));
    bigEndian(count, bytes);
}

void VQPlistBinaryWriter::beginDictionary()
{
    _open.push_back({true, _keys.size(), _values.size()});
}
void VQPlistBinaryWriter::beginArray()
{
    _open.push_back({false, _keys.size(), _values.size()});
}
void VQPlistBinaryWriter::endDictionary()
{
    endContainer();
}
void VQPlistBinaryWriter::endArray()
{
    endContainer();
}

void VQPlistBinaryWriter::endContainer()
{
    const Container done = _open.back();
    _open.pop_back();
    const std::uint32_t object = beginObject();
    marker(done.dictionary ? 0xD : 0xA, _values.size() - done.valuesFrom);
    // Every reference takes four bytes (the trailer says so).
    for (std::size_t i = done.keysFrom; i < _keys.size(); ++i)
        bigEndian(_keys[i], 4);
    for (std::size_t i = done.valuesFrom; i < _values.size(); ++i)
        bigEndian(_values[i], 4);
    _keys.resize(done.keysFrom);
    _values.resize(done.valuesFrom);
    add(object);
}

void VQPlistBinaryWriter::key(const char *key)
{
    // A handful of different keys, each used many times: a short list is quickest.
    // The model passes the same literals again and again: their pointers match.
    for (const KeyObject &known : _keyObjects) {
        if (known.literal == key) {
            _keys.push_back(known.object);
            return;
        }
    }
    for (const KeyObject &known : _keyObjects) {
        if (known.text == key) {
            _keys.push_back(known.object);
            return;
        }
    }
    const std::uint32_t object = beginObject();
    const std::size_t length = std::strlen(key);
    marker(0x5, length);
    _out.append(key, length);
    _keyObjects.push_back({key, key, object});
    _keys.push_back(object);
}

void VQPlistBinaryWriter::string(const QString &value)
{
    const std::uint32_t object = beginObject();
    if (std::all_of(value.begin(), value.end(), [](QChar unit) { return unit.unicode() < 0x80; })) {
        marker(0x5, std::uint64_t(value.size()));
        for (const QChar unit : value)
            _out += char(unit.unicode());
        add(object);
        return;
    }
    // Through UTF-8 and back: an unpaired surrogate becomes "?", as in XML.
    const QByteArray utf8 = value.toUtf8();
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        marker(0x5, std::uint64_t(utf8.size()));
        _out.append(utf8.constData(), std::size_t(utf8.size()));
    } else {
        const QString clean = VQString::fromUtf8Exactly(utf8);
        marker(0x6, std::uint64_t(clean.size()));
        for (const QChar unit : clean)
            bigEndian(unit.unicode(), 2);
    }
    add(object);
}

void VQPlistBinaryWriter::integer(std::uint64_t value)
{
    const std::uint32_t object = beginObject();
    if (value > std::uint64_t(INT64_MAX)) {
        // Eight-byte integers are signed: larger values need the 16-byte form.
        _out += char(0x14);
        bigEndian(0, 8);
        bigEndian(value, 8);
    } else {
        const int bytes = bytesFor(value);
        _out += char(0x10 | (bytes == 1 ? 0 : bytes == 2 ? 1 : bytes == 4 ? 2 : 3));
        bigEndian(value, bytes);
    }
    add(object);
}

void VQPlistBinaryWriter::real(double value)
{
    const std::uint32_t object = beginObject();
    _out += char(0x23);
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bigEndian(bits, 8);
    add(object);
}

void VQPlistBinaryWriter::date(const QDateTime &value)
{
    const std::uint32_t object = beginObject();
    _out += char(0x33);
    const double seconds = double(value.toMSecsSinceEpoch()) / 1000.0 - kPlistEpochOffset;
    std::uint64_t bits;
    std::memcpy(&bits, &seconds, sizeof bits);
    bigEndian(bits, 8);
    add(object);
}

void VQPlistBinaryWriter::boolean(bool value)
{
    const std::uint32_t object = beginObject();
    _out += char(value ? 0x09 : 0x08);
    add(object);
}

QByteArray VQPlistBinaryWriter::finish()
{
    const std::uint64_t tableOffset = _handedOn + _out.size();
    const int offsetSize = bytesFor(tableOffset);
    if (!_file)
        _out.reserve(_out.size() + _offsets.size() * std::size_t(offsetSize) + 32);
    for (std::uint64_t offset : _offsets) {
        bigEndian(offset, offsetSize);
        flushIfFull();
    }
    // The trailer: six unused bytes, the two sizes, then three 8-byte numbers.
    _out.append(6, '\0');
    _out += char(offsetSize);
    _out += char(4);
    bigEndian(_offsets.size(), 8);
    bigEndian(_top, 8);
    bigEndian(tableOffset, 8);
    _offsets.clear();
    _keyObjects.clear();
    _top = 0;
    QByteArray document;
    if (_file)
        _file->write(_out.data(), qsizetype(_out.size()));
    else
        document = QByteArray(_out.data(), qsizetype(_out.size()));
    _handedOn = 0;
    _out = std::string("bplist00"); // lets go of the document's memory
    return document;
}

void VQPlistCostCounter::key(const char *key)
{
    _cost += VQPlistNodeBytes + std::strlen(key);
}

void VQPlistCostCounter::string(const QString &value)
{
    // Its length in UTF-8, without making the UTF-8: a pair of surrogates
    // makes four bytes, a surrogate without its other half three (U+FFFD).
    std::uint64_t bytes = 0;
    const char16_t *units = reinterpret_cast<const char16_t *>(value.utf16());
    for (qsizetype i = 0, n = value.size(); i < n; ++i) {
        const char16_t u = units[i];
        if (u < 0x80) {
            bytes += 1;
        } else if (u < 0x800) {
            bytes += 2;
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(units[i + 1])) {
            bytes += 4;
            ++i;
        } else {
            bytes += 3;
        }
    }
    _cost += VQPlistNodeBytes + bytes * VQPlistStringByteCost;
}
