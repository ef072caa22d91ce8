#include "VQPlistWriter.h"

#include <charconv>
#include <cmath>
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

void VQPlistTreeBuilder::key(const char *key) { _keys.back() = key; }

void VQPlistTreeBuilder::beginArray()
{
    _open.push_back(VQPlist::array());
    _keys.emplace_back();
}

void VQPlistTreeBuilder::endArray() { endDictionary(); }

void VQPlistTreeBuilder::string(const QString &value) { add(VQPlist::string(value)); }
void VQPlistTreeBuilder::integer(std::uint64_t value) { add(VQPlist::integer(value)); }
void VQPlistTreeBuilder::real(double value) { add(VQPlist::real(value)); }
void VQPlistTreeBuilder::date(const QDateTime &value) { add(VQPlist::date(value)); }
void VQPlistTreeBuilder::boolean(bool value) { add(VQPlist::boolean(value)); }

VQPlist VQPlistTreeBuilder::take() { return std::move(_result); }

// ---- XML --------------------------------------------------------------------

VQPlistXMLWriter::VQPlistXMLWriter()
{
    _out.reserve(1 << 16);
    _out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
            "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
            "<plist version=\"1.0\">\n";
}

void VQPlistXMLWriter::indent() { _out.append(_depth, '\t'); }

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
}

void VQPlistXMLWriter::key(const char *key)
{
    indent();
    _out += "<key>";
    escaped(QByteArray::fromRawData(key, qsizetype(std::strlen(key))));
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
}

void VQPlistXMLWriter::escaped(const QByteArray &utf8)
{
    for (const char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '&': _out += "&amp;"; break;
        case '<': _out += "&lt;"; break;
        case '>': _out += "&gt;"; break;
        case '\t': case '\n': case '\r': _out += ch; break;
        default:
            if (c < 0x20)
                _out += "\xEF\xBF\xBD"; // U+FFFD: XML 1.0 has no way to carry it
            else
                _out += ch;
        }
    }
}

void VQPlistXMLWriter::string(const QString &value)
{
    indent();
    _out += "<string>";
    QByteArray utf8 = value.toUtf8();
    // U+FFFE and U+FFFF are not XML characters either.
    utf8.replace("\xEF\xBF\xBE", "\xEF\xBF\xBD").replace("\xEF\xBF\xBF", "\xEF\xBF\xBD");
    escaped(utf8);
    _out += "</string>\n";
}

void VQPlistXMLWriter::integer(std::uint64_t value)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    indent();
    _out += "<integer>";
    _out.append(buffer, qsizetype(end - buffer));
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
        _out.append(buffer, qsizetype(end - buffer));
    }
    _out += "</real>\n";
}

void VQPlistXMLWriter::date(const QDateTime &value)
{
    indent();
    _out += "<date>";
    _out += value.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")).toLatin1();
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
    return std::exchange(_out, QByteArray());
}
