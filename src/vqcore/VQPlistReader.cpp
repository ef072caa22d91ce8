// Reading property lists into a VQPlistDocument, XML and binary, each in one
// pass over the bytes, with the rules and limits of VQLibraryLimits.h.

#include "vqcore/VQPlistDocument_p.h"

#include "vqcore/VQFileAccess.h"
#include "vqcore/VQLibraryLimits.h"

#include <algorithm>
#include <charconv>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>

#include <locale.h>

namespace
{
QString tooLargeText()
{
    return QStringLiteral("would take more than %1 once read").arg(VQByteCountText(VQPlistMaxExpandedBytes));
}

QString tooDeepText()
{
    return QStringLiteral("nested more than %1 deep").arg(VQPlistMaxNesting);
}

QString notAPlistText()
{
    return QStringLiteral("not a property list");
}

locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

// Property-list dates count from 2001-01-01 00:00:00 UTC.
constexpr std::int64_t kPlistEpoch = 978307200;

std::uint64_t packDate(std::int64_t seconds, std::int64_t microseconds)
{
    return std::uint64_t(std::uint32_t(std::int32_t(seconds))) << 32 | std::uint32_t(std::int32_t(microseconds));
}
} // namespace

class VQPlistDocumentBuilder
{
  public:
    using Node = VQPlistDocument::Node;
    using Type = VQPlistDocument::Type;

    VQPlistDocumentBuilder() : _document(new VQPlistDocument) {}

    // False once the document costs more than VQPlistMaxExpandedBytes by the
    // count of VQLibraryLimits.h.
    bool charge(std::uint64_t nodes, std::uint64_t bytes)
    {
        _cost += nodes * VQPlistNodeBytes + bytes;
        return _cost <= VQPlistMaxExpandedBytes;
    }

    std::uint32_t add(Type type, std::uint64_t value, std::uint64_t size = 0)
    {
        // Anything this long costs more than VQPlistMaxExpandedBytes: the
        // document is refused once it is read.
        _oversize = _oversize || size > VQPlistDocument::kMaxSize;
        Node node;
        node.type = type;
        node.size = std::uint32_t(size) & VQPlistDocument::kMaxSize;
        node.value = value;
        _document->_nodes.push_back(node);
        return std::uint32_t(_document->_nodes.size() - 1);
    }

    std::uint32_t addText(Type type, const char *text, std::size_t length)
    {
        const std::uint64_t at = _document->_text.size();
        _document->_text.append(text, length);
        return add(type, at, length);
    }

    // Text appended piece by piece: begin, append…, then finish into a node.
    std::size_t beginText() const { return _document->_text.size(); }
    std::string &textBuffer() { return _document->_text; }
    std::uint32_t finishText(Type type, std::size_t at) { return add(type, at, _document->_text.size() - at); }
    void dropText(std::size_t at) { _document->_text.resize(at); }

    // Containers: items are pushed while they are read, then moved to the document.
    std::size_t beginContainer() const { return _pending.size(); }
    void push(std::uint32_t item) { _pending.push_back(item); }
    void pop() { _pending.pop_back(); }
    std::vector<std::uint32_t> &pending() { return _pending; }
    // The text of a string or data node; empty for any other (a key that is no
    // string, in a dictionary refused for it, is still compared with the others).
    std::string_view textOf(std::uint32_t index) const
    {
        const Node &n = node(index);
        if (n.type != Type::String && n.type != Type::Data)
            return {};
        return {_document->_text.data() + n.value, n.size};
    }
    void finishContainer(std::uint32_t container, std::size_t from, std::uint32_t entries)
    {
        Node &node = _document->_nodes[container];
        node.value = _document->_items.size();
        _oversize = _oversize || entries > VQPlistDocument::kMaxSize;
        node.size = entries & VQPlistDocument::kMaxSize;
        _document->_items.insert(_document->_items.end(), _pending.begin() + std::ptrdiff_t(from), _pending.end());
        _pending.resize(from);
    }
    // Items of a container whose items are known already (binary lists).
    void setItems(std::uint32_t container, const std::uint32_t *items, std::size_t count, std::uint32_t entries)
    {
        Node &node = _document->_nodes[container];
        node.value = _document->_items.size();
        _oversize = _oversize || entries > VQPlistDocument::kMaxSize;
        node.size = entries & VQPlistDocument::kMaxSize;
        _document->_items.insert(_document->_items.end(), items, items + count);
    }

    const Node &node(std::uint32_t index) const { return _document->_nodes[index]; }

    // When the key of the last pair of `pairs` (key, value, key, value… from
    // `from` on) is an earlier pair's too, that pair takes the value and the
    // last pair goes: a key said again keeps its place, and the later value
    // wins, in XML and binary lists alike. `keys` indexes a large dictionary.
    bool replaceEarlierKey(std::vector<std::uint32_t> &pairs, std::size_t from,
                           std::unordered_map<std::string, std::size_t> &keys) const
    {
        constexpr std::size_t kLookAlong = 32; // pairs; larger dictionaries are indexed
        const std::size_t last = pairs.size() - 2;
        const std::string_view key = textOf(pairs[last]);
        std::size_t earlier = last;
        if (last - from < 2 * kLookAlong) {
            for (std::size_t i = from; i < last && earlier == last; i += 2)
                if (pairs[i] == pairs[last] || textOf(pairs[i]) == key)
                    earlier = i;
        } else {
            if (keys.empty())
                for (std::size_t i = from; i < last; i += 2)
                    keys.emplace(textOf(pairs[i]), i);
            const auto [at, added] = keys.emplace(key, last);
            if (!added)
                earlier = at->second;
        }
        if (earlier == last)
            return false;
        pairs[earlier + 1] = pairs[last + 1];
        pairs.resize(last);
        return true;
    }

    // Room for what a document of `bytes` usually makes, so that the tables
    // are not copied over and over as they grow.
    void reserve(std::size_t bytes) { reserve(bytes / 24, bytes / 24, bytes / 16); }
    void reserve(std::size_t nodes, std::size_t items, std::size_t textBytes)
    {
        _document->_nodes.reserve(nodes);
        _document->_items.reserve(items);
        _document->_text.reserve(textBytes);
    }

    // A value too long to be held: the document costs more than it may.
    bool oversize() const { return _oversize; }

    std::unique_ptr<VQPlistDocument> finish(std::uint32_t root)
    {
        // Room reserved and not used costs no memory until it is touched.
        _document->_root = root;
        return std::move(_document);
    }

    std::unique_ptr<VQPlistDocument> _document;

  private:
    std::vector<std::uint32_t> _pending;
    std::uint64_t _cost = 0;
    bool _oversize = false;
};

namespace
{
// ---------------------------------------------------------------------------
// XML, read straight from the bytes in one pass. The values of the list are
// read into the document as they come; the markup around them (declaration,
// document type, comments, processing instructions, attributes) is checked
// for its shape and passed over. What follows the list's value is never
// looked at, so a file cut off or padded with junk after it reads as it
// always did.

bool isXMLSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// What may stand in a tag or attribute name: anything but blanks and the
// characters of markup.
bool isNameChar(char c)
{
    switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\r':
    case '\0':
    case '/':
    case '>':
    case '<':
    case '=':
    case '"':
    case '\'':
    case '!':
    case '?':
    case '&':
        return false;
    default:
        return true;
    }
}

void appendUTF8(std::string &out, std::uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// Appends `raw` with its character references and the five named entities
// replaced; false for an ampersand that starts neither. A reference must name
// a character from U+0001 to U+10FFFF.
bool appendDecoded(std::string &out, std::string_view raw)
{
    std::size_t p = 0;
    while (p < raw.size()) {
        const std::size_t amp = raw.find('&', p);
        if (amp == std::string_view::npos) {
            out.append(raw.substr(p));
            return true;
        }
        out.append(raw.substr(p, amp - p));
        const std::size_t semi = raw.find(';', amp);
        if (semi == std::string_view::npos)
            return false;
        const std::string_view ref = raw.substr(amp + 1, semi - amp - 1);
        // A named entity is known by how it starts; whatever follows up to the
        // semicolon is passed over, as libplist did.
        const auto is = [ref](std::string_view name) { return ref.substr(0, name.size()) == name; };
        if (is("amp")) {
            out += '&';
        } else if (is("lt")) {
            out += '<';
        } else if (is("gt")) {
            out += '>';
        } else if (is("quot")) {
            out += '"';
        } else if (is("apos")) {
            out += '\'';
        } else if (!ref.empty() && ref[0] == '#') {
            const bool hex = ref.size() > 1 && (ref[1] == 'x' || ref[1] == 'X');
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            if (digits.empty())
                return false;
            std::uint32_t code = 0;
            for (const char d : digits) {
                int digit = -1;
                if (d >= '0' && d <= '9')
                    digit = d - '0';
                else if (hex && d >= 'a' && d <= 'f')
                    digit = d - 'a' + 10;
                else if (hex && d >= 'A' && d <= 'F')
                    digit = d - 'A' + 10;
                if (digit < 0)
                    return false;
                code = code * (hex ? 16 : 10) + std::uint32_t(digit);
                if (code > 0x10FFFF)
                    return false;
            }
            if (code == 0)
                return false;
            appendUTF8(out, code);
        } else {
            return false;
        }
        p = semi + 1;
    }
    return true;
}

enum class Element { Dictionary, Array, String, Key, Integer, Real, True, False, Date, Data, Other };

Element elementNamed(std::string_view name)
{
    const auto is = [name](std::string_view what, Element element) { return name == what ? element : Element::Other; };
    switch (name.empty() ? '\0' : name[0]) {
    case 'd':
        return name.size() > 1 && name[1] == 'i'   ? is("dict", Element::Dictionary)
               : name.size() > 3 && name[3] == 'a' ? is("data", Element::Data)
                                                   : is("date", Element::Date);
    case 'a':
        return is("array", Element::Array);
    case 's':
        return is("string", Element::String);
    case 'k':
        return is("key", Element::Key);
    case 'i':
        return is("integer", Element::Integer);
    case 'r':
        return is("real", Element::Real);
    case 't':
        return is("true", Element::True);
    case 'f':
        return is("false", Element::False);
    default:
        return Element::Other;
    }
}

class XMLReader
{
  public:
    XMLReader(VQPlistDocumentBuilder &builder, const char *begin, const char *end)
        : _b(builder), _p(begin), _end(end), _nulHeld(std::memchr(begin, 0, std::size_t(end - begin)) != nullptr)
    {
    }

    // The list's value, after the prolog and inside <plist> where it is
    // wrapped; nothing (with `problem()` set) on failure.
    std::optional<std::uint32_t> document()
    {
        Tag top;
        if (!skipMarkup(true) || !startTag(top))
            return fail(notAPlistText());
        if (top.name == "plist") {
            if (top.empty || !skipMarkup(false) || at("</") || !startTag(top))
                return fail(notAPlistText());
        }
        return value(top, 0);
    }

    QString problem() const { return _problem; }

  private:
    struct Tag {
        std::string_view name;
        bool empty = false; // <name/>
    };

    std::optional<std::uint32_t> fail(const QString &why)
    {
        if (_problem.isEmpty())
            _problem = why;
        return std::nullopt;
    }
    std::optional<std::uint32_t> notAPlist() { return fail(notAPlistText()); }
    std::optional<std::uint32_t> tooLarge() { return fail(tooLargeText()); }

    bool at(std::string_view what) const
    {
        return std::size_t(_end - _p) >= what.size() && std::memcmp(_p, what.data(), what.size()) == 0;
    }

    void skipSpaces()
    {
        while (_p < _end && isXMLSpace(*_p))
            ++_p;
    }

    // Moves past `what` from `from` on; false when the document ends first.
    bool skipPast(std::size_t from, std::string_view what)
    {
        const std::string_view rest(_p + from, std::size_t(_end - _p) - std::min(from, std::size_t(_end - _p)));
        const std::size_t found = rest.find(what);
        if (found == std::string_view::npos)
            return false;
        _p = rest.data() + found + what.size();
        return true;
    }

    // <!DOCTYPE …>, with quoted identifiers or an internal subset in brackets;
    // one whose quotes or brackets never close ends at its first '>'.
    bool skipDoctype()
    {
        int brackets = 0;
        for (const char *p = _p + 9; p < _end; ++p) {
            if (*p == '"' || *p == '\'') {
                p = static_cast<const char *>(std::memchr(p + 1, *p, std::size_t(_end - p - 1)));
                if (!p)
                    break;
            } else if (*p == '[') {
                ++brackets;
            } else if (*p == ']') {
                --brackets;
            } else if (*p == '>' && brackets <= 0) {
                _p = p + 1;
                return true;
            }
        }
        return skipPast(9, ">");
    }

    // Passes over blanks, comments and processing instructions up to the next
    // tag; false for text or the end of the document. In the prolog the
    // declaration, the document type and stray text are passed over too.
    bool skipMarkup(bool prolog)
    {
        for (;;) {
            skipSpaces();
            if (prolog && _p < _end && *_p != '<') {
                const void *lt = std::memchr(_p, '<', std::size_t(_end - _p));
                _p = lt ? static_cast<const char *>(lt) : _end;
            }
            if (_p >= _end || *_p != '<')
                return false;
            bool skipped = true;
            if (at("<!--"))
                skipped = skipPast(4, "-->");
            else if (at("<?"))
                skipped = skipPast(2, "?>");
            else if (prolog && at("<!DOCTYPE"))
                skipped = skipDoctype();
            else
                return true;
            if (!skipped)
                return false;
        }
    }

    // A start tag at `_p`: its name, and its attributes passed over.
    bool startTag(Tag &tag)
    {
        if (_p >= _end || *_p != '<')
            return false;
        const char *name = ++_p;
        while (_p < _end && isNameChar(*_p))
            ++_p;
        if (_p == name)
            return false;
        tag.name = std::string_view(name, std::size_t(_p - name));
        for (;;) {
            const char *before = _p;
            skipSpaces();
            if (_p >= _end)
                return false;
            if (*_p == '>' || at("/>")) {
                tag.empty = *_p == '/';
                _p += tag.empty ? 2 : 1;
                return true;
            }
            if (_p == before) // attributes stand apart
                return false;
            const char *attribute = _p;
            while (_p < _end && isNameChar(*_p))
                ++_p;
            if (_p == attribute)
                return false;
            skipSpaces();
            if (_p >= _end || *_p != '=')
                return false;
            ++_p;
            skipSpaces();
            if (_p >= _end || (*_p != '"' && *_p != '\''))
                return false;
            const char *close = static_cast<const char *>(std::memchr(_p + 1, *_p, std::size_t(_end - _p - 1)));
            if (!close)
                return false;
            _p = close + 1;
        }
    }

    // The end tag of `tag` at `_p` ("</").
    bool endTag(const Tag &tag)
    {
        _p += 2;
        if (std::size_t(_end - _p) < tag.name.size() || std::memcmp(_p, tag.name.data(), tag.name.size()) != 0)
            return false;
        _p += tag.name.size();
        if (_p < _end && isNameChar(*_p))
            return false; // a longer name
        skipSpaces();
        if (_p >= _end || *_p != '>')
            return false;
        ++_p;
        return true;
    }

    // The content of an element up to its end tag. Into `out`, where given:
    // character data (its references replaced where `decode`) and CDATA
    // sections, in order, with comments and processing instructions passed
    // over and any other markup failing. Without `out` (<true>, <false>) the
    // content does not matter: elements inside are passed over too, as long
    // as they are well formed.
    bool content(const Tag &tag, std::string *out, bool decode = false, int depth = 0)
    {
        if (tag.empty)
            return true;
        for (;;) {
            const char *lt = static_cast<const char *>(std::memchr(_p, '<', std::size_t(_end - _p)));
            if (!lt)
                return false;
            const std::string_view run(_p, std::size_t(lt - _p));
            if (out && decode && !appendDecoded(*out, run))
                return false;
            if (out && !decode)
                out->append(run);
            _p = lt;
            if (at("</"))
                return endTag(tag);
            bool skipped = false;
            if (at("<!--")) {
                skipped = skipPast(4, "-->");
            } else if (at("<?")) {
                skipped = skipPast(2, "?>");
            } else if (at("<![CDATA[")) {
                const char *from = _p + 9;
                skipped = skipPast(9, "]]>");
                if (skipped && out)
                    out->append(from, std::size_t(_p - 3 - from));
            } else {
                Tag child;
                skipped =
                    !out && depth < VQPlistMaxNesting && startTag(child) && content(child, nullptr, false, depth + 1);
            }
            if (!skipped)
                return false;
        }
    }

    std::optional<std::uint32_t> value(const Tag &tag, int depth)
    {
        const Element kind = elementNamed(tag.name);
        if (kind == Element::Dictionary || kind == Element::Array)
            return container(tag, depth, kind == Element::Dictionary);
        if (!_b.charge(1, 0))
            return tooLarge();
        switch (kind) {
        case Element::String:
        case Element::Key:
            return text(tag);
        case Element::Integer:
            return integer(tag);
        case Element::Real:
            return real(tag);
        case Element::True:
        case Element::False:
            if (!content(tag, nullptr, false, depth))
                return notAPlist();
            return _b.add(VQPlistDocument::Type::Boolean, kind == Element::True ? 1 : 0);
        case Element::Date:
            return date(tag);
        case Element::Data:
            return data(tag);
        default:
            return notAPlist();
        }
    }

    std::optional<std::uint32_t> container(const Tag &tag, int depth, bool dictionary)
    {
        if (depth >= VQPlistMaxNesting)
            return fail(tooDeepText());
        if (!_b.charge(1, 0))
            return tooLarge();
        const std::uint32_t self =
            _b.add(dictionary ? VQPlistDocument::Type::Dictionary : VQPlistDocument::Type::Array, 0);
        const std::size_t from = _b.beginContainer();
        std::uint32_t entries = 0;
        bool keyPending = false;
        std::unordered_map<std::string, std::size_t> keys; // of a large dictionary
        while (!tag.empty) {
            if (!skipMarkup(false))
                return notAPlist(); // text between values, or the end of the document
            if (at("</")) {
                if (!endTag(tag))
                    return notAPlist();
                break;
            }
            Tag child;
            if (!startTag(child))
                return notAPlist();
            if (dictionary && !keyPending) {
                if (elementNamed(child.name) != Element::Key)
                    return notAPlist();
                if (!_b.charge(1, 0))
                    return tooLarge();
                const std::optional<std::uint32_t> key = text(child, true);
                if (!key)
                    return std::nullopt;
                _b.push(*key);
                keyPending = true;
                continue;
            }
            const std::optional<std::uint32_t> item = value(child, depth + 1);
            if (!item)
                return std::nullopt;
            _b.push(*item);
            keyPending = false;
            // A key said again keeps its place and takes the later value.
            if (dictionary && _b.replaceEarlierKey(_b.pending(), from, keys))
                continue;
            ++entries;
        }
        if (keyPending)
            _b.pop(); // a last key without a value is passed over
        _b.finishContainer(self, from, entries);
        return self;
    }

    // A string or key: its text, references replaced.
    std::optional<std::uint32_t> text(const Tag &tag, bool key = false)
    {
        const std::size_t at = _b.beginText();
        std::string &out = _b.textBuffer();
        if (!content(tag, &out, true)) {
            _b.dropText(at);
            return notAPlist();
        }
        if (_nulHeld) {
            // From a NUL of the document on, a text is NULs to its length, as
            // libplist copied it.
            const std::size_t nul = out.find('\0', at);
            if (nul != std::string::npos)
                std::fill(out.begin() + std::ptrdiff_t(nul), out.end(), '\0');
        }
        if (!_b.charge(0, (out.size() - at) * (key ? 1 : VQPlistStringByteCost)))
            return tooLarge();
        if (!key)
            return _b.finishText(VQPlistDocument::Type::String, at);
        // The same few keys come again and again: each is kept once.
        const std::string_view name(out.data() + at, out.size() - at);
        for (const std::uint32_t known : _recentKeys) {
            if (known != kNoKey && _b.textOf(known) == name) {
                _b.dropText(at);
                return known;
            }
        }
        const std::uint32_t made = _b.finishText(VQPlistDocument::Type::String, at);
        _recentKeys[_nextKey++ % _recentKeys.size()] = made;
        return made;
    }

    // A property-list integer is decimal, with an optional sign and leading
    // zeros, as plain character data; anything else (hex, octal, exponents,
    // references, markup) is kept as a string, which readers of numbers refuse
    // like any other value of the wrong type.
    std::optional<std::uint32_t> integer(const Tag &tag)
    {
        const char *lt = tag.empty ? nullptr : static_cast<const char *>(std::memchr(_p, '<', std::size_t(_end - _p)));
        if (lt && lt + 1 < _end && lt[1] == '/') {
            const char *a = _p, *b = lt;
            while (a < b && isXMLSpace(*a))
                ++a;
            while (b > a && isXMLSpace(b[-1]))
                --b;
            const bool negative = a < b && *a == '-';
            const char *digits = a < b && (*a == '-' || *a == '+') ? a + 1 : a;
            bool decimal = digits < b;
            for (const char *d = digits; d < b && decimal; ++d)
                decimal = *d >= '0' && *d <= '9';
            if (decimal) {
                std::uint64_t value = 0;
                bool overflow = false;
                for (const char *d = digits; d < b; ++d) {
                    const std::uint64_t digit = std::uint64_t(*d - '0');
                    if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
                        overflow = true;
                    value = value * 10 + digit;
                }
                // Too large a magnitude saturates; a negative value is its two's complement.
                if (overflow)
                    value = std::numeric_limits<std::uint64_t>::max();
                if (negative)
                    value = std::uint64_t(0) - value;
                _p = lt;
                if (!endTag(tag))
                    return notAPlist();
                return _b.add(VQPlistDocument::Type::Integer, value);
            }
        }
        return text(tag);
    }

    // The characters of a number, date or data element as they stand
    // (references are not replaced in these), in `_buffer`.
    bool rawText(const Tag &tag)
    {
        _buffer.clear();
        return content(tag, &_buffer);
    }

    std::optional<std::uint32_t> real(const Tag &tag)
    {
        if (!rawText(tag))
            return notAPlist();
        // Read as in the "C" locale, whatever the locale of the program or the
        // thread; a plain number takes the quick way.
        double value = 0;
        const char *begin = _buffer.data(), *end = begin + _buffer.size();
        const std::from_chars_result quick = std::from_chars(begin, end, value);
        if (quick.ec != std::errc() || quick.ptr != end)
            value = strtod_l(_buffer.c_str(), nullptr, cLocale());
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return _b.add(VQPlistDocument::Type::Real, bits);
    }

    std::optional<std::uint32_t> date(const Tag &tag)
    {
        if (!rawText(tag))
            return notAPlist();
        std::tm parts{};
        // A date that does not read is the start of 1970.
        std::int64_t seconds = -kPlistEpoch;
        if (strptime(_buffer.c_str(), "%Y-%m-%dT%H:%M:%SZ", &parts))
            seconds = std::int64_t(timegm(&parts)) - kPlistEpoch;
        return _b.add(VQPlistDocument::Type::Date, packDate(seconds, 0));
    }

    std::optional<std::uint32_t> data(const Tag &tag)
    {
        if (!rawText(tag))
            return notAPlist();
        const std::size_t at = _b.beginText();
        std::string &out = _b.textBuffer();
        // Base64 in groups of four symbols; anything else between them (line
        // breaks, tabs) is passed over, and a last group left short is dropped.
        std::uint32_t bits = 0;
        int count = 0, padding = 0;
        for (const char c : _buffer) {
            int v = -1;
            if (c >= 'A' && c <= 'Z')
                v = c - 'A';
            else if (c >= 'a' && c <= 'z')
                v = c - 'a' + 26;
            else if (c >= '0' && c <= '9')
                v = c - '0' + 52;
            else if (c == '+')
                v = 62;
            else if (c == '/')
                v = 63;
            else if (c == '=')
                v = 0;
            if (v < 0 || (c == '=' && count < 2))
                continue; // padding before a group's third symbol is passed over too
            if (c == '=')
                ++padding;
            bits = bits << 6 | std::uint32_t(v);
            if (++count == 4) {
                out += char(bits >> 16);
                if (padding < 2)
                    out += char(bits >> 8);
                if (padding < 1)
                    out += char(bits);
                bits = 0;
                count = padding = 0;
            }
        }
        if (!_b.charge(0, (out.size() - at) * VQPlistDataByteCost))
            return tooLarge();
        return _b.finishText(VQPlistDocument::Type::Data, at);
    }

    static constexpr std::uint32_t kNoKey = 0xFFFFFFFFu;

    VQPlistDocumentBuilder &_b;
    const char *_p;
    const char *const _end;
    const bool _nulHeld;
    QString _problem;
    std::array<std::uint32_t, 16> _recentKeys = [] {
        std::array<std::uint32_t, 16> keys;
        keys.fill(kNoKey);
        return keys;
    }();
    std::size_t _nextKey = 0;
    std::string _buffer; // numbers, dates and data
};

std::unique_ptr<VQPlistDocument> readXML(const char *xml, std::size_t length, QString *error)
{
    VQPlistDocumentBuilder builder;
    builder.reserve(length);
    XMLReader reader(builder, xml, xml + length);
    const std::optional<std::uint32_t> root = reader.document();
    if (!root || builder.oversize()) {
        if (error)
            *error = root ? tooLargeText() : reader.problem();
        return nullptr;
    }
    return builder.finish(*root);
}

// ---------------------------------------------------------------------------
// Binary: "bplist00", objects, offset table, and a 32-byte trailer:
//   [0..5] unused  [6] offset size  [7] reference size
//   [8..15] object count  [16..23] top object  [24..31] offset table position
// Each object is read once, from the top down, depth first and without
// recursion; a shared object is read once and its node shared. What the list
// would cost with every reference a copy is counted on the way, as in
// VQLibraryLimits.h.

class BinaryReader
{
  public:
    BinaryReader(const QByteArray &data, VQPlistDocumentBuilder &builder)
        : _p(reinterpret_cast<const std::uint8_t *>(data.constData())), _size(std::uint64_t(data.size())), _b(builder)
    {
    }

    std::optional<std::uint32_t> read(QString *error);

  private:
    static std::uint64_t be(const std::uint8_t *p, unsigned n)
    {
        std::uint64_t v = 0;
        for (unsigned i = 0; i < n; ++i)
            v = (v << 8) | p[i];
        return v;
    }

    struct Object {
        unsigned type = 0;
        std::uint64_t at = 0; // where the contents start
        std::uint64_t n = 0;  // count or length
        std::uint64_t refs = 0;
    };

    bool header(std::uint64_t index, Object &o) const;
    std::optional<std::uint32_t> scalar(const Object &o, std::uint64_t &bytes);

    static QString broken() { return QStringLiteral("a binary property list whose tables point outside it"); }

    const std::uint8_t *_p;
    std::uint64_t _size;
    VQPlistDocumentBuilder &_b;
    std::uint64_t _tableAt = 0;
    std::uint64_t _count = 0;
    unsigned _offsetSize = 0;
    unsigned _refSize = 0;
};

bool BinaryReader::header(std::uint64_t index, Object &o) const
{
    o = {};
    const std::uint64_t at = be(_p + _tableAt + index * _offsetSize, _offsetSize);
    if (at < 8 || at >= _tableAt)
        return false;
    const std::uint8_t marker = _p[at];
    o.type = marker >> 4;
    o.n = marker & 0x0F;
    o.at = at + 1;
    const bool container = o.type == 0xA || o.type == 0xC || o.type == 0xD;
    const bool counted = container || o.type == 0x4 || o.type == 0x5 || o.type == 0x6;
    if (counted && o.n == 0x0F) {
        if (o.at >= _tableAt || (_p[o.at] >> 4) != 0x1)
            return false;
        const unsigned width = 1u << (_p[o.at] & 0x0F);
        if (width > 8 || o.at + 1 + width > _tableAt)
            return false;
        o.n = be(_p + o.at + 1, width);
        o.at += 1 + width;
    }
    if (o.type == 0x4 || o.type == 0x5)
        return o.n <= _tableAt - o.at;
    if (o.type == 0x6)
        return o.n <= (_tableAt - o.at) / 2;
    if (container) {
        o.refs = o.type == 0xD ? o.n * 2 : o.n;
        return o.n <= _size && o.refs <= (_tableAt - o.at) / _refSize;
    }
    return true;
}

// The node of a scalar object, or nothing when libplist's reading of the
// format has no such value. `bytes` is what its text costs as a value (as a
// key, a string costs its bytes once).
std::optional<std::uint32_t> BinaryReader::scalar(const Object &o, std::uint64_t &bytes)
{
    using Type = VQPlistDocument::Type;
    bytes = 0;
    const auto fits = [&](std::uint64_t n) { return n <= _tableAt - o.at; };
    switch (o.type) {
    case 0x0:
        if (o.n == 0x8 || o.n == 0x9)
            return _b.add(Type::Boolean, o.n == 0x9 ? 1 : 0);
        return std::nullopt;
    case 0x1: {
        if (o.n > 4)
            return std::nullopt;
        const unsigned width = 1u << o.n;
        if (!fits(width))
            return std::nullopt;
        // Sixteen-byte integers keep their low eight bytes.
        return _b.add(Type::Integer, width == 16 ? be(_p + o.at + 8, 8) : be(_p + o.at, width));
    }
    case 0x2: {
        if (o.n == 2 && fits(4)) {
            const std::uint32_t raw = std::uint32_t(be(_p + o.at, 4));
            float f;
            std::memcpy(&f, &raw, sizeof f);
            const double d = f;
            std::uint64_t bits;
            std::memcpy(&bits, &d, sizeof bits);
            return _b.add(Type::Real, bits);
        }
        if (o.n == 3 && fits(8))
            return _b.add(Type::Real, be(_p + o.at, 8));
        return std::nullopt;
    }
    case 0x3: {
        if (o.n != 3 || !fits(8))
            return std::nullopt;
        const std::uint64_t raw = be(_p + o.at, 8);
        double seconds;
        std::memcpy(&seconds, &raw, sizeof seconds);
        // Whole seconds and the microseconds beyond them, as libplist keeps a date;
        // out of its range, the earliest date it holds.
        if (!(seconds > -2147483648.0 && seconds < 2147483648.0))
            return _b.add(Type::Date, packDate(std::numeric_limits<std::int32_t>::min(), 0));
        const std::int64_t whole = std::int64_t(seconds);
        return _b.add(Type::Date, packDate(whole, std::int64_t(std::fabs(seconds - double(whole)) * 1000000.0)));
    }
    case 0x4:
        bytes = o.n * VQPlistDataByteCost;
        return _b.addText(Type::Data, reinterpret_cast<const char *>(_p + o.at), std::size_t(o.n));
    case 0x5:
        bytes = o.n * VQPlistStringByteCost;
        return _b.addText(Type::String, reinterpret_cast<const char *>(_p + o.at), std::size_t(o.n));
    case 0x6: {
        // UTF-16 to UTF-8; a surrogate without its other half is dropped, as libplist drops it.
        const std::size_t at = _b.beginText();
        std::string &out = _b.textBuffer();
        const auto unit = [&](std::uint64_t i) { return std::uint32_t(_p[o.at + 2 * i] << 8 | _p[o.at + 2 * i + 1]); };
        for (std::uint64_t i = 0; i < o.n; ++i) {
            std::uint32_t code = unit(i);
            if (code >= 0xD800 && code <= 0xDFFF) {
                if (code > 0xDBFF || i + 1 >= o.n || unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF)
                    continue;
                code = 0x10000 + ((code - 0xD800) << 10) + (unit(++i) - 0xDC00);
            }
            appendUTF8(out, code);
        }
        bytes = (out.size() - at) * VQPlistStringByteCost;
        return _b.finishText(Type::String, at);
    }
    case 0x8:
        // References of one to four bytes.
        if (o.n > 3 || !fits(o.n + 1))
            return std::nullopt;
        return _b.add(Type::UID, be(_p + o.at, unsigned(o.n + 1)));
    default:
        return std::nullopt;
    }
}

std::optional<std::uint32_t> BinaryReader::read(QString *error)
{
    const auto refuse = [error](const QString &why) -> std::optional<std::uint32_t> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (_size < 8 + 32)
        return refuse(QStringLiteral("too short for a binary property list"));
    const std::uint8_t *trailer = _p + _size - 32;
    _offsetSize = trailer[6];
    _refSize = trailer[7];
    const std::uint64_t count = be(trailer + 8, 8);
    const std::uint64_t top = be(trailer + 16, 8);
    _tableAt = be(trailer + 24, 8);
    const std::uint64_t end = _size - 32;
    if (_offsetSize < 1 || _offsetSize > 8 || _refSize < 1 || _refSize > 8 || count == 0 || top >= count ||
        _tableAt > end || count > (end - _tableAt) / _offsetSize)
        return refuse(broken());
    _count = count;
    // libplist reads version "00" only; the list is looked at all the same, so
    // that a broken table or a limit is what it is refused for first.
    bool unreadable = std::memcmp(_p + 6, "00", 2) != 0;
    // A list without shared containers has a node per reference, plus the
    // top; some sharing is allowed on top of that.
    const std::uint64_t nodeLimit = 2 * _size + 65536;
    const QString tooMany = QStringLiteral("would expand to more than %1 values").arg(nodeLimit);

    constexpr std::uint16_t kOpen = 0xFFFF;
    struct Seen {
        std::uint16_t depth = 0; // 1 + levels below; kOpen while on the path
        std::uint32_t node = 0;
        std::uint64_t nodes = 0; // what it expands to with every reference a copy
        std::uint64_t bytes = 0;
    };
    // The objects reached so far, in the order reached, and for each object of
    // the table the place of its entry there (0: not reached yet). The table
    // declares its count; a long one that is mostly never reached costs four
    // bytes an entry, no more than four times the file.
    std::vector<std::uint32_t> slotOf(_count, 0);
    std::vector<Seen> reached(1);
    // Room for what a list of this size makes, so that the tables are not
    // copied over and over as they grow: a library's objects take some 15
    // bytes each and hold two references each on average. Bounded by the size
    // of the file, whatever count the table declares.
    const std::uint64_t objectBytes = _tableAt > 8 ? _tableAt - 8 : 0;
    const std::size_t objects = std::size_t(std::min(_count, objectBytes / 12));
    reached.reserve(objects + 1);
    _b.reserve(objects, 2 * objects, std::size_t(objectBytes / 8));
    const auto seen = [&](std::uint64_t index) -> Seen * {
        const std::uint32_t slot = slotOf[index];
        return slot ? &reached[slot] : nullptr;
    };
    struct Frame {
        std::uint64_t object;
        Object o;
        std::uint32_t node;
        std::uint64_t next = 0;
        std::uint16_t deepest = 0;
        std::uint64_t nodes = 1;
        std::uint64_t bytes = VQPlistNodeBytes;
        std::size_t items = 0; // where its items start in `items`
    };
    std::vector<Frame> path;
    std::vector<std::uint32_t> items;
    QString problem; // and `unreadable`: a value libplist has no reading for
    const auto add = [&](Frame &frame, std::uint64_t childNodes, std::uint64_t childBytes) {
        frame.nodes += childNodes;
        frame.bytes += childBytes;
        if (frame.nodes > nodeLimit)
            problem = tooMany;
        else if (frame.bytes > VQPlistMaxExpandedBytes)
            problem = tooLargeText();
        return problem.isEmpty();
    };
    // Counts a child reached again or read just now into its container: a
    // dictionary's key costs its text once, any other value what it expands to.
    const auto addChild = [&](Frame &parent, std::uint64_t position, const Seen &child) {
        parent.deepest = std::max(parent.deepest, child.depth);
        const bool key =
            parent.o.type == 0xD && position < parent.o.n && _b.node(child.node).type == VQPlistDocument::Type::String;
        if (!add(parent, child.nodes, key ? VQPlistNodeBytes + _b.node(child.node).size : child.bytes))
            return false;
        items.push_back(child.node);
        return true;
    };
    const auto remember = [&](std::uint64_t index, const Seen &entry) {
        if (!slotOf[index]) {
            slotOf[index] = std::uint32_t(reached.size());
            reached.push_back(entry);
        } else {
            reached[slotOf[index]] = entry;
        }
    };
    // Reads a scalar at once, or opens a container; false (with `problem` set) on failure.
    const auto visit = [&](std::uint64_t index, bool &opened) {
        opened = false;
        Object o;
        if (!header(index, o)) {
            problem = broken();
            return false;
        }
        if (o.type != 0xA && o.type != 0xC && o.type != 0xD) {
            std::uint64_t bytes = 0;
            std::optional<std::uint32_t> node = scalar(o, bytes);
            if (!node) {
                // Said once the whole list has been looked at: a broken table
                // or a limit elsewhere is what the list is refused for first.
                unreadable = true;
                node = _b.add(VQPlistDocument::Type::Boolean, 0);
            }
            remember(index, {1, *node, 1, VQPlistNodeBytes + bytes});
            return true;
        }
        const auto type = o.type == 0xD ? VQPlistDocument::Type::Dictionary : VQPlistDocument::Type::Array;
        path.push_back({index, o, _b.add(type, 0), 0, 0, 1, VQPlistNodeBytes, items.size()});
        remember(index, {kOpen, 0, 0, 0});
        opened = true;
        if (path.size() > std::size_t(VQPlistMaxNesting))
            problem = tooDeepText();
        return problem.isEmpty();
    };
    bool opened = false;
    if (!visit(top, opened))
        return refuse(problem);
    if (!opened)
        return unreadable ? refuse(notAPlistText()) : seen(top)->node;
    std::vector<std::uint32_t> pairs;
    std::unordered_map<std::string, std::size_t> keys;
    while (!path.empty()) {
        Frame &frame = path.back();
        if (frame.next < frame.o.refs) {
            const std::uint64_t position = frame.next++;
            const std::uint64_t child = be(_p + frame.o.at + position * _refSize, _refSize);
            if (child >= _count)
                return refuse(broken()); // a reference to nothing
            if (const Seen *s = seen(child)) {
                if (s->depth == kOpen)
                    return refuse(QStringLiteral("a container holds itself"));
                if (path.size() + s->depth > std::size_t(VQPlistMaxNesting))
                    return refuse(tooDeepText()); // seen before, but reached deeper this time
            } else {
                if (!visit(child, opened))
                    return refuse(problem);
                if (opened)
                    continue;
            }
            if (!addChild(path.back(), position, *seen(child)))
                return refuse(problem);
            continue;
        }
        const Frame done = frame;
        path.pop_back();
        const bool dictionary = done.o.type == 0xD;
        const std::uint32_t *mine = items.data() + done.items;
        if (dictionary) {
            // Keys must be strings; libplist keeps a key up to its first NUL.
            pairs.clear();
            keys.clear();
            for (std::uint64_t i = 0; i < done.o.n; ++i) {
                std::uint32_t key = mine[i];
                const bool string = _b.node(key).type == VQPlistDocument::Type::String;
                unreadable = unreadable || !string;
                const std::string_view name = string ? _b.textOf(key) : std::string_view();
                if (const std::size_t nul = name.find('\0'); nul != std::string_view::npos) {
                    const std::string cut(name.substr(0, nul));
                    key = _b.addText(VQPlistDocument::Type::String, cut.data(), cut.size());
                }
                pairs.push_back(key);
                pairs.push_back(mine[done.o.n + i]);
                if (string)
                    _b.replaceEarlierKey(pairs, 0, keys);
            }
            _b.setItems(done.node, pairs.data(), pairs.size(), std::uint32_t(pairs.size() / 2));
        } else {
            _b.setItems(done.node, mine, std::size_t(done.o.n), std::uint32_t(done.o.n));
        }
        items.resize(done.items);
        const Seen finished{std::uint16_t(done.deepest + 1), done.node, done.nodes, done.bytes};
        remember(done.object, finished);
        if (!path.empty()) {
            Frame &parent = path.back();
            if (!addChild(parent, parent.next - 1, finished))
                return refuse(problem);
        }
    }
    if (unreadable)
        return refuse(notAPlistText());
    return seen(top)->node;
}
} // namespace

std::unique_ptr<VQPlistDocument> VQPlistDocument::read(const QByteArray &data, QString *error)
{
    const auto refuse = [error](const QString &why) -> std::unique_ptr<VQPlistDocument> {
        if (error)
            *error = why;
        return nullptr;
    };
    if (data.startsWith("bplist")) {
        VQPlistDocumentBuilder builder;
        BinaryReader reader(data, builder);
        const std::optional<std::uint32_t> root = reader.read(error);
        if (!root)
            return nullptr;
        if (builder.oversize())
            return refuse(tooLargeText());
        return builder.finish(*root);
    }
    if (std::uint64_t(data.size()) > VQPlistMaxExpandedBytes)
        return refuse(tooLargeText());
    // The XML reader wants to see the document start; skip a byte-order mark and blanks.
    qsizetype start = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        start = 3;
    while (start < data.size() && std::isspace(static_cast<unsigned char>(data[start])))
        ++start;
    if (start >= data.size() || data[start] != '<')
        return refuse(notAPlistText());
    return readXML(data.constData() + start, std::size_t(data.size() - start), error);
}
