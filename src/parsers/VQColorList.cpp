#include "parsers/VQColorList.h"

#include "parsers/VQColorProfile.h"
#include "vqcore/VQFileAccess.h"
#include "vqcore/VQPropertyList.h"
#include "vqcore/VQStringExtensions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>

namespace
{

// Colour lists are a few kilobytes (752 colours take 26 KB); anything this
// large is not one.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
// How deep objects may nest inside objects, and types inside types.
constexpr int kMaxDepth = 32;
// How many superclass links a class chain may have before we call it a loop.
constexpr int kMaxClassChain = 64;

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

// ---------------------------------------------------------------------------
// Colours from components

enum class Model { Unknown, Gray, RGB, CMYK, Other };

bool allFinite(const std::vector<double> &values, std::size_t count)
{
    if (values.size() < count)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isfinite(values[i]))
            return false;
    return true;
}

double unit(double value)
{
    return std::clamp(value, 0.0, 1.0);
}

// A colour from the leading components of `model`; null when there are too
// few or one is not a finite number (a NaN would reach every later conversion).
// RGB and grey components in `profile` (of the same model) are converted to
// sRGB; without one they are taken as they are. Every component is clamped to
// 0–1: extended and wide-gamut colours go beyond, and the hex text of a colour
// has two digits a channel.
VQColorRef colorFromComponents(Model model, const std::vector<double> &c, const VQColorProfile *profile = nullptr)
{
    const auto rgb = [](const VQRGBColor &v) { return VQColor::makeRGB(unit(v.r), unit(v.g), unit(v.b)); };
    switch (model) {
    case Model::Gray:
        if (!allFinite(c, 1))
            return nullptr;
        if (profile && profile->channels() == 1)
            if (const auto converted = profile->toSRGB(c))
                return rgb(*converted);
        return rgb({c[0], c[0], c[0]});
    case Model::RGB:
        if (!allFinite(c, 3))
            return nullptr;
        if (profile && profile->channels() == 3)
            if (const auto converted = profile->toSRGB(c))
                return rgb(*converted);
        return rgb({c[0], c[1], c[2]});
    case Model::CMYK:
        return allFinite(c, 4) ? VQColor::makeCMYK(unit(c[0]), unit(c[1]), unit(c[2]), unit(c[3])) : nullptr;
    case Model::Unknown:
    case Model::Other:
        break;
    }
    return nullptr;
}

// Calibrated RGB (kind 1) is Generic RGB; device RGB (kind 2) is taken as sRGB.
const VQColorProfile *profileOfColorKind(std::int64_t kind)
{
    return kind == 1 ? &VQColorProfile::genericRGB() : nullptr;
}

// Both archives number a colour's kind the same way.
Model modelOfColorKind(std::int64_t kind)
{
    switch (kind) {
    case 1: // calibrated RGB
    case 2: // device RGB
        return Model::RGB;
    case 3: // calibrated white
    case 4: // device white
        return Model::Gray;
    case 5: // device CMYK
        return Model::CMYK;
    default: // 6 catalogue, 10 pattern, …
        return Model::Other;
    }
}

// Decimal numbers separated by white space, up to the first NUL ("0.5 0.2 0.1\0").
// At most `limit` numbers; a token that is no number ends the list.
std::vector<double> numbersInText(const QByteArray &text, std::size_t limit = 5)
{
    std::vector<double> numbers;
    const char *p = text.constData();
    const char *end = p + text.size();
    if (const void *nul = std::memchr(p, 0, std::size_t(text.size())))
        end = static_cast<const char *>(nul);
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (numbers.size() < limit) {
        while (p < end && isSpace(*p))
            ++p;
        if (p == end)
            break;
        const char *tokenEnd = p;
        while (tokenEnd < end && !isSpace(*tokenEnd))
            ++tokenEnd;
        double value = 0;
        const char *start = (*p == '+') ? p + 1 : p;
        const auto result = std::from_chars(start, tokenEnd, value);
        if (result.ec != std::errc() || result.ptr != tokenEnd)
            break;
        numbers.push_back(value);
        p = tokenEnd;
    }
    return numbers;
}

// Keys are unique in a colour list: a key seen again gives the earlier entry
// its new colour and keeps its place, as setting a colour for a key does.
class EntryCollector
{
  public:
    explicit EntryCollector(std::size_t expected) { _list.entries.reserve(expected); }
    void add(const QString &key, VQColorRef color)
    {
        const auto found = _positions.constFind(key);
        if (found != _positions.constEnd()) {
            _list.entries[*found].color = std::move(color);
            return;
        }
        _positions.insert(key, _list.entries.size());
        _list.entries.push_back({key, std::move(color)});
    }
    VQColorList take() { return std::move(_list); }

  private:
    VQColorList _list;
    QHash<QString, std::size_t> _positions;
};

// ---------------------------------------------------------------------------
// The typed stream
//
//   04 0B "streamtyped"  <system version>          header ("typedstream": big-endian)
//   then groups:  <type string> <one value per type code>
//
// Head bytes of values:
//   81 int16 follows   82 int32 follows   83 float/double follows
//   84 new (string, class or object)      85 nil      86 end of object
//   80, 87–91 kept for other tags: refused
//   anything else: a small integer, or a reference r (signed byte; index r + 110);
//   larger references come as 81/82 and a number, by the same rule
//
// Type strings and class names are shared strings, numbered in one table;
// objects and classes are numbered in another, each when it starts. A colour
// list is the groups "i" 1, "@i" nil N, then N × "@@" colour, key.

namespace ts
{

enum : std::uint8_t {
    kTagInt16 = 0x81,
    kTagInt32 = 0x82,
    kTagFloat = 0x83,
    kTagNew = 0x84,
    kTagNil = 0x85,
    kTagEnd = 0x86,
    kFirstLiteral = 0x92, // -110 as a signed byte: the first reference and literal integer
};
constexpr std::int64_t kReferenceBase = -110;
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
// A colour needs its kind and five components, a string its text: later
// values of an object are read past but not kept.
constexpr std::size_t kKeptValues = 8;

struct Type {
    char code = 0;
    std::uint32_t count = 0;  // arrays
    std::vector<Type> fields; // arrays (one element type), structures, pointers
};

struct Value {
    enum class Kind { Nil, Integer, Real, Bytes, Reference };
    Kind kind = Kind::Nil;
    std::int64_t integer = 0;
    double real = 0;
    QByteArray bytes;
    std::size_t index = kNone; // Reference: slot in the object table
};

struct Slot {
    enum class Kind { Object, Class };
    Kind kind = Kind::Object;
    QByteArray className;            // classes
    std::size_t superclass = kNone;  // classes
    std::size_t objectClass = kNone; // objects
    std::vector<Value> values;       // objects: the first kKeptValues, flattened in stream order
    bool complete = false;           // objects whose end was read
};

// Parses type strings such as "@@", "ffff", "{_NSPoint=ff}", "[4c]", "^i".
class TypeParser
{
  public:
    explicit TypeParser(const QByteArray &text) : _p(text.constData()), _end(text.constData() + text.size()) {}

    std::optional<std::vector<Type>> parseAll()
    {
        std::vector<Type> types;
        while (_p < _end) {
            Type type;
            if (!parseOne(type, 0))
                return std::nullopt;
            types.push_back(std::move(type));
        }
        return types;
    }

  private:
    bool parseOne(Type &type, int depth)
    {
        if (depth > kMaxDepth || _p >= _end)
            return false;
        const char code = *_p++;
        type.code = code;
        switch (code) {
        case 'c':
        case 'C':
        case 'B':
        case 's':
        case 'S':
        case 'i':
        case 'I':
        case 'l':
        case 'L':
        case 'q':
        case 'Q':
        case 'f':
        case 'd':
        case '@':
        case '#':
        case ':':
        case '*':
        case '+':
            return true;
        case '^': {
            Type pointee;
            if (!parseOne(pointee, depth + 1))
                return false;
            type.fields.push_back(std::move(pointee));
            return true;
        }
        case '[': {
            std::uint64_t count = 0;
            bool digits = false;
            while (_p < _end && *_p >= '0' && *_p <= '9') {
                count = count * 10 + std::uint64_t(*_p++ - '0');
                if (count > std::numeric_limits<std::uint32_t>::max())
                    return false;
                digits = true;
            }
            Type element;
            if (!digits || !parseOne(element, depth + 1) || _p >= _end || *_p++ != ']')
                return false;
            type.count = std::uint32_t(count);
            type.fields.push_back(std::move(element));
            return true;
        }
        case '{': {
            while (_p < _end && *_p != '=' && *_p != '}')
                ++_p; // the structure's name
            if (_p < _end && *_p == '=')
                ++_p;
            while (_p < _end && *_p != '}') {
                Type field;
                if (!parseOne(field, depth + 1))
                    return false;
                type.fields.push_back(std::move(field));
            }
            return _p < _end && *_p++ == '}';
        }
        default:
            return false;
        }
    }

    const char *_p;
    const char *_end;
};

class Reader
{
  public:
    explicit Reader(const QByteArray &data)
        : _begin(reinterpret_cast<const std::uint8_t *>(data.constData())), _p(_begin), _end(_begin + data.size()),
          // Every value costs a step; zero-width values (empty structures and
          // character arrays) must not let a few bytes of array counts spin for ever.
          _budget(std::size_t(data.size()) * 2 + 4096)
    {
    }

    QString error() const { return _error; }
    const std::vector<Slot> &table() const { return _table; }

    bool readHeader()
    {
        static const char kLittle[] = "\x0bstreamtyped";
        static const char kBig[] = "\x0btypedstream";
        std::uint8_t version = 0;
        const std::uint8_t *signature = nullptr;
        if (!readByte(version) || !readRaw(12, signature))
            return fail(QStringLiteral("not a typed stream: too short"));
        if (std::memcmp(signature, kLittle, 12) == 0)
            _bigEndian = false;
        else if (std::memcmp(signature, kBig, 12) == 0)
            _bigEndian = true;
        else
            return fail(QStringLiteral("not a typed stream"));
        if (version != 3 && version != 4)
            return fail(QStringLiteral("typed stream version %1 is not supported").arg(version));
        std::int64_t systemVersion = 0;
        return readInteger(systemVersion);
    }

    // The next value at the outermost level; reads a new group when the last is used up.
    bool nextTopLevelValue(Value &value)
    {
        while (_pending.empty()) {
            if (_p == _end)
                return fail(QStringLiteral("the color list ends early (offset %1)").arg(offset()));
            std::vector<Value> values;
            if (!readGroup(values, 0))
                return false;
            for (Value &v : values)
                _pending.push_back(std::move(v));
        }
        value = std::move(_pending.front());
        _pending.pop_front();
        return true;
    }

    // The object a value refers to, when it is a completely read object.
    const Slot *object(const Value &value) const
    {
        if (value.kind != Value::Kind::Reference || value.index >= _table.size())
            return nullptr;
        const Slot &slot = _table[value.index];
        return slot.kind == Slot::Kind::Object && slot.complete ? &slot : nullptr;
    }

    // Whether the object's class is `name` or derives from it.
    bool isKindOf(const Slot &object, const char *name) const
    {
        std::size_t index = object.objectClass;
        for (int step = 0; step < kMaxClassChain && index < _table.size(); ++step) {
            const Slot &cls = _table[index];
            if (cls.kind != Slot::Kind::Class)
                return false;
            if (cls.className == name)
                return true;
            index = cls.superclass;
        }
        return false;
    }

  private:
    bool fail(const QString &message)
    {
        if (_error.isEmpty())
            _error = message;
        return false;
    }
    bool truncated() { return fail(QStringLiteral("the typed stream is cut short (offset %1)").arg(offset())); }
    qsizetype offset() const { return qsizetype(_p - _begin); }

    bool readByte(std::uint8_t &byte)
    {
        if (_p >= _end)
            return truncated();
        byte = *_p++;
        return true;
    }
    bool peekByte(std::uint8_t &byte)
    {
        if (_p >= _end)
            return truncated();
        byte = *_p;
        return true;
    }
    bool readRaw(std::uint64_t length, const std::uint8_t *&bytes)
    {
        if (length > std::uint64_t(_end - _p))
            return truncated();
        bytes = _p;
        _p += length;
        return true;
    }
    template <class T> bool readFixed(T &value)
    {
        const std::uint8_t *bytes = nullptr;
        if (!readRaw(sizeof(T), bytes))
            return false;
        std::uint8_t ordered[sizeof(T)];
        for (std::size_t i = 0; i < sizeof(T); ++i)
            ordered[i] = _bigEndian ? bytes[sizeof(T) - 1 - i] : bytes[i];
        std::memcpy(&value, ordered, sizeof(T)); // the machine is little-endian
        return true;
    }
    bool spend()
    {
        if (_budget == 0)
            return fail(QStringLiteral("the typed stream holds too many values"));
        --_budget;
        return true;
    }

    // A small literal or an integer of 2 or 4 bytes, after its head byte.
    bool readIntegerAfter(std::uint8_t head, std::int64_t &value)
    {
        if (head == kTagInt16) {
            std::int16_t v = 0;
            if (!readFixed(v))
                return false;
            value = v;
            return true;
        }
        if (head == kTagInt32) {
            std::int32_t v = 0;
            if (!readFixed(v))
                return false;
            value = v;
            return true;
        }
        if (head >= 0x80 && head < kFirstLiteral) // the tags, and those kept for later ones
            return fail(
                QStringLiteral("unexpected tag 0x%1 at offset %2").arg(head, 2, 16, QLatin1Char('0')).arg(offset()));
        value = std::int8_t(head);
        return true;
    }
    bool readInteger(std::int64_t &value)
    {
        std::uint8_t head = 0;
        return readByte(head) && readIntegerAfter(head, value);
    }

    bool referenceAfter(std::uint8_t head, std::size_t tableSize, std::size_t &index)
    {
        std::int64_t r = 0;
        if (!readIntegerAfter(head, r))
            return false;
        const std::int64_t i = r - kReferenceBase;
        if (i < 0 || std::uint64_t(i) >= tableSize)
            return fail(QStringLiteral("a reference to nothing at offset %1").arg(offset()));
        index = std::size_t(i);
        return true;
    }

    // A length, then that many bytes.
    bool readCountedBytes(QByteArray &bytes)
    {
        std::int64_t length = 0;
        const std::uint8_t *start = nullptr;
        if (!readInteger(length))
            return false;
        if (length < 0)
            return fail(QStringLiteral("a negative length at offset %1").arg(offset()));
        if (!readRaw(std::uint64_t(length), start))
            return false;
        bytes = QByteArray(reinterpret_cast<const char *>(start), qsizetype(length));
        return true;
    }

    // A shared string: new, nil or a reference. Gives its index in the string table, or kNone.
    bool readSharedString(std::size_t &index)
    {
        std::uint8_t head = 0;
        if (!readByte(head))
            return false;
        if (head == kTagNil) {
            index = kNone;
            return true;
        }
        if (head == kTagNew) {
            QByteArray text;
            if (!readCountedBytes(text))
                return false;
            index = _strings.size();
            _strings.push_back(std::move(text));
            _types.emplace_back();
            return true;
        }
        return referenceAfter(head, _strings.size(), index);
    }

    // A class and its superclasses, until nil or a class read before. kNone for nil.
    bool readClass(std::size_t &result)
    {
        result = kNone;
        std::size_t previous = kNone;
        auto link = [&](std::size_t index) {
            if (previous == kNone)
                result = index;
            else
                _table[previous].superclass = index;
        };
        for (;;) {
            std::uint8_t head = 0;
            if (!readByte(head))
                return false;
            if (head == kTagNil)
                return true;
            if (head == kTagNew) {
                std::size_t name = kNone;
                std::int64_t version = 0;
                if (!readSharedString(name) || !readInteger(version))
                    return false;
                if (name == kNone)
                    return fail(QStringLiteral("a class without a name at offset %1").arg(offset()));
                Slot cls;
                cls.kind = Slot::Kind::Class;
                cls.className = _strings[name];
                _table.push_back(std::move(cls));
                link(_table.size() - 1);
                previous = _table.size() - 1;
                continue;
            }
            std::size_t index = kNone;
            if (!referenceAfter(head, _table.size(), index))
                return false;
            if (_table[index].kind != Slot::Kind::Class)
                return fail(QStringLiteral("a reference to an object where a class belongs"));
            link(index);
            return true;
        }
    }

    bool readObject(Value &value, int depth)
    {
        std::uint8_t head = 0;
        if (!readByte(head))
            return false;
        if (head == kTagNil) {
            value.kind = Value::Kind::Nil;
            return true;
        }
        value.kind = Value::Kind::Reference;
        if (head != kTagNew)
            return referenceAfter(head, _table.size(), value.index);
        if (depth >= kMaxDepth)
            return fail(QStringLiteral("objects nest too deeply"));
        // The object takes its number before its class is read.
        const std::size_t index = _table.size();
        _table.emplace_back();
        std::size_t cls = kNone;
        if (!readClass(cls))
            return false;
        if (cls == kNone)
            return fail(QStringLiteral("an object without a class at offset %1").arg(offset()));
        std::vector<Value> values;
        for (;;) {
            std::uint8_t next = 0;
            if (!peekByte(next))
                return false;
            if (next == kTagEnd) {
                ++_p;
                break;
            }
            if (!readGroup(values, depth + 1))
                return false;
            if (values.size() > kKeptValues)
                values.resize(kKeptValues);
        }
        Slot &slot = _table[index]; // not held across the reads above: they may grow the table
        slot.objectClass = cls;
        slot.values = std::move(values);
        slot.complete = true;
        value.index = index;
        return true;
    }

    bool readValue(const Type &type, std::vector<Value> &out, int depth)
    {
        if (!spend())
            return false;
        if (depth > kMaxDepth)
            return fail(QStringLiteral("values nest too deeply"));
        Value value;
        switch (type.code) {
        case 'c':
        case 'C':
        case 'B': {
            std::uint8_t byte = 0;
            if (!readByte(byte))
                return false;
            value.kind = Value::Kind::Integer;
            value.integer = type.code == 'c' ? std::int64_t(std::int8_t(byte)) : std::int64_t(byte);
            break;
        }
        case 's':
        case 'S':
        case 'i':
        case 'I':
        case 'l':
        case 'L':
        case 'q':
        case 'Q':
            value.kind = Value::Kind::Integer;
            if (!readInteger(value.integer))
                return false;
            break;
        case 'f':
        case 'd': {
            std::uint8_t head = 0;
            if (!readByte(head))
                return false;
            value.kind = Value::Kind::Real;
            if (head == kTagFloat) {
                if (type.code == 'f') {
                    float f = 0;
                    if (!readFixed(f))
                        return false;
                    value.real = f;
                } else if (!readFixed(value.real)) {
                    return false;
                }
            } else {
                // A whole number is written as an integer.
                std::int64_t whole = 0;
                if (!readIntegerAfter(head, whole))
                    return false;
                value.real = double(whole);
            }
            break;
        }
        case '@':
            if (!readObject(value, depth))
                return false;
            break;
        case '#':
            value.kind = Value::Kind::Reference;
            if (!readClass(value.index))
                return false;
            if (value.index == kNone)
                value.kind = Value::Kind::Nil;
            break;
        case ':':
        case '*': {
            std::size_t index = kNone;
            if (!readSharedString(index))
                return false;
            if (index != kNone) {
                value.kind = Value::Kind::Bytes;
                value.bytes = _strings[index];
            }
            break;
        }
        case '+':
            value.kind = Value::Kind::Bytes;
            if (!readCountedBytes(value.bytes))
                return false;
            break;
        case '[': {
            const Type &element = type.fields.front();
            if (element.code == 'c' || element.code == 'C') {
                const std::uint8_t *bytes = nullptr;
                if (!readRaw(type.count, bytes))
                    return false;
                value.kind = Value::Kind::Bytes;
                value.bytes = QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(type.count));
                break;
            }
            for (std::uint32_t i = 0; i < type.count; ++i)
                if (!readValue(element, out, depth + 1))
                    return false;
            return true;
        }
        case '{':
            for (const Type &field : type.fields)
                if (!readValue(field, out, depth + 1))
                    return false;
            return true;
        case '^':
            return readValue(type.fields.front(), out, depth + 1);
        default:
            return fail(QStringLiteral("unsupported type '%1'").arg(QLatin1Char(type.code)));
        }
        out.push_back(std::move(value));
        return true;
    }

    // A type string and one value for each of its types.
    bool readGroup(std::vector<Value> &out, int depth)
    {
        std::size_t index = kNone;
        if (!readSharedString(index))
            return false;
        if (index == kNone)
            return fail(QStringLiteral("a value group without types at offset %1").arg(offset()));
        std::shared_ptr<const std::vector<Type>> &types = _types[index];
        if (!types) {
            auto parsed = TypeParser(_strings[index]).parseAll();
            if (!parsed || parsed->empty())
                return fail(QStringLiteral("unsupported type string \"%1\"")
                                .arg(QString::fromLatin1(_strings[index].left(40))));
            types = std::make_shared<const std::vector<Type>>(std::move(*parsed));
        }
        // Held by its own reference: reading the values may add strings.
        const std::shared_ptr<const std::vector<Type>> held = types;
        for (const Type &type : *held)
            if (!readValue(type, out, depth))
                return false;
        return true;
    }

    const std::uint8_t *_begin;
    const std::uint8_t *_p;
    const std::uint8_t *_end;
    std::size_t _budget;
    bool _bigEndian = false;
    QString _error;
    std::vector<QByteArray> _strings;
    std::vector<std::shared_ptr<const std::vector<Type>>> _types; // parsed, beside _strings
    std::vector<Slot> _table;
    std::deque<Value> _pending;
};

VQColorRef colorFromObject(const Reader &reader, const Value &value)
{
    const Slot *object = reader.object(value);
    if (!object || !reader.isKindOf(*object, "NSColor") || object->values.empty())
        return nullptr;
    const Value &kind = object->values.front();
    if (kind.kind != Value::Kind::Integer)
        return nullptr;
    const Model model = modelOfColorKind(kind.integer);
    if (model == Model::Other)
        return nullptr;
    std::vector<double> components;
    for (std::size_t i = 1; i < object->values.size() && components.size() < 5; ++i) {
        const Value &v = object->values[i];
        if (v.kind == Value::Kind::Real)
            components.push_back(v.real);
        else if (v.kind == Value::Kind::Integer)
            components.push_back(double(v.integer));
        else
            break;
    }
    return colorFromComponents(model, components, profileOfColorKind(kind.integer));
}

std::optional<QString> stringFromObject(const Reader &reader, const Value &value)
{
    const Slot *object = reader.object(value);
    if (!object || !reader.isKindOf(*object, "NSString"))
        return std::nullopt;
    for (const Value &v : object->values)
        if (v.kind == Value::Kind::Bytes)
            return VQString::fromUtf8Exactly(v.bytes);
    return std::nullopt;
}

std::optional<VQColorList> readTypedStream(const QByteArray &data, QString *error)
{
    Reader reader(data);
    auto failed = [&]() -> std::optional<VQColorList> {
        setError(error, reader.error());
        return std::nullopt;
    };
    if (!reader.readHeader())
        return failed();

    Value version, name, count;
    if (!reader.nextTopLevelValue(version) || !reader.nextTopLevelValue(name) || !reader.nextTopLevelValue(count))
        return failed();
    if (version.kind != Value::Kind::Integer || count.kind != Value::Kind::Integer || count.integer < 0) {
        setError(error, QStringLiteral("the typed stream holds no color list"));
        return std::nullopt;
    }
    // Each entry takes several bytes, so the size bounds what we set aside,
    // whatever the count claims.
    EntryCollector entries(std::size_t(std::min<std::int64_t>(count.integer, data.size() / 4)));
    for (std::int64_t i = 0; i < count.integer; ++i) {
        Value color, key;
        if (!reader.nextTopLevelValue(color) || !reader.nextTopLevelValue(key))
            return failed();
        const std::optional<QString> text = stringFromObject(reader, key);
        if (!text) {
            setError(error, QStringLiteral("color %1 of the list has no key").arg(i + 1));
            return std::nullopt;
        }
        entries.add(*text, colorFromObject(reader, color));
    }
    return entries.take();
}

} // namespace ts

// ---------------------------------------------------------------------------
// The keyed archive: a property list
//   { $archiver: "NSKeyedArchiver", $top: { NSKeys: UID, NSColors: UID }, $objects: [ … ] }
// (some writers put NSKeys and NSColors on a root object instead). Arrays are
// { NS.objects: [UID…] }; a colour is a dictionary with NSColorSpace and its
// components as ASCII numbers (NSRGB, NSWhite, NSCYMK), and newer ones also
// NSComponents in an embedded NSCustomColorSpace.

class KeyedArchive
{
  public:
    explicit KeyedArchive(VQPlistNode objects) : _objects(objects) {}

    // The object a UID points to; any other node stands for itself. In XML a
    // UID is the dictionary { CF$UID: n }, which the reader leaves as it is.
    VQPlistNode resolve(VQPlistNode node) const
    {
        std::uint64_t uid = 0;
        if (node.isNull())
            return node;
        if (const std::optional<std::uint64_t> reference = node.toUID()) {
            uid = *reference;
        } else if (node.isDictionary() && node.count() == 1 && node["CF$UID"].isInteger()) {
            uid = *node["CF$UID"].toUInt64();
        } else {
            return node;
        }
        if (uid > std::numeric_limits<std::uint32_t>::max())
            return VQPlistNode();
        return _objects.at(std::uint32_t(uid));
    }

    // The items of an array, written either plainly or as an NSArray.
    std::optional<VQPlistNode> array(VQPlistNode node) const
    {
        node = resolve(node);
        if (node.isDictionary())
            node = resolve(node["NS.objects"]);
        if (!node.isArray())
            return std::nullopt;
        return node;
    }

    // A key: a string, or an NSString object holding one (or its UTF-8 bytes).
    std::optional<QString> string(VQPlistNode node) const
    {
        node = resolve(node);
        if (node.isDictionary()) {
            const VQPlistNode inner = resolve(node["NS.string"]);
            node = inner.isNull() ? resolve(node["NS.bytes"]) : inner;
        }
        if (auto text = node.toString())
            return text;
        if (node.isData())
            return VQString::fromUtf8Exactly(bytesOf(node));
        return std::nullopt;
    }

    // Raw bytes: data, a string's UTF-8, or an NSData or NSString object.
    QByteArray bytes(VQPlistNode node) const
    {
        node = resolve(node);
        if (node.isDictionary()) {
            VQPlistNode inner;
            for (const char *key : {"NS.data", "NS.bytes", "NS.string"})
                if (inner.isNull())
                    inner = resolve(node[key]);
            node = inner;
        }
        if (node.isData())
            return bytesOf(node);
        if (auto text = node.toString())
            return text->toUtf8();
        return {};
    }

    VQColorRef color(VQPlistNode node) const
    {
        node = resolve(node);
        if (!node.isDictionary())
            return nullptr;
        const VQPlistNode kindNode = node["NSColorSpace"];
        const std::int64_t kind = kindNode.isInteger() ? kindNode.integerValue() : 0;
        const Model model = modelOfColorKind(kind);

        // Components in an embedded colour space win over the converted legacy
        // ones, converted from its ICC profile. When the profile cannot be
        // used, the legacy components stand in; when there are none, the
        // components are taken as they are.
        const VQPlistNode space = resolve(node["NSCustomColorSpace"]);
        const QByteArray components = bytes(node["NSComponents"]);
        if (space.isDictionary() && !components.isEmpty()) {
            const Model spaceModel = modelOfSpace(space);
            if (spaceModel == Model::Other)
                return nullptr;
            if (spaceModel != Model::Unknown) {
                const QByteArray icc = bytes(space["NSICC"]);
                const VQColorProfile *profile = icc.isEmpty() || spaceModel == Model::CMYK ? nullptr : profileFor(icc);
                const int channels = spaceModel == Model::RGB ? 3 : 1;
                if (icc.isEmpty() || spaceModel == Model::CMYK || (profile && profile->channels() == channels))
                    return colorFromComponents(spaceModel, numbersInText(components), profile);
                if (VQColorRef legacy = legacyColor(node, model, kind, {}))
                    return legacy;
                return colorFromComponents(spaceModel, numbersInText(components));
            }
        }
        return legacyColor(node, model, kind, components);
    }

  private:
    // The legacy text of the colour's kind, or `components` when only those are there.
    VQColorRef legacyColor(VQPlistNode node, Model model, std::int64_t kind, const QByteArray &components) const
    {
        // The legacy text of the colour's kind, or the components when only those are there.
        QByteArray text;
        switch (model) {
        case Model::RGB:
            text = bytes(node["NSRGB"]);
            break;
        case Model::Gray:
            text = bytes(node["NSWhite"]);
            break;
        case Model::CMYK:
            text = bytes(node["NSCYMK"]);
            if (text.isEmpty())
                text = bytes(node["NSCMYK"]);
            break;
        case Model::Unknown:
        case Model::Other:
            return nullptr;
        }
        if (text.isEmpty() && components.isEmpty())
            return nullptr;
        return colorFromComponents(model, numbersInText(text.isEmpty() ? components : text), profileOfColorKind(kind));
    }

    // One conversion per distinct profile of the file.
    const VQColorProfile *profileFor(const QByteArray &icc) const
    {
        auto found = _profiles.find(icc);
        if (found == _profiles.end())
            found = _profiles.insert(icc, VQColorProfile::fromICC(icc));
        return found->get();
    }

    static QByteArray bytesOf(VQPlistNode data) { return data.toData().value_or(QByteArray()); }

    // The model of an NSColorSpace object: its NSModel, else its ICC profile's
    // data colour space (bytes 16–19 of the profile header).
    Model modelOfSpace(VQPlistNode space) const
    {
        const VQPlistNode modelNode = space["NSModel"];
        if (modelNode.isInteger()) {
            switch (modelNode.integerValue()) {
            case 0:
                return Model::Gray;
            case 1:
                return Model::RGB;
            case 2:
                return Model::CMYK;
            case -1:
                break; // unknown: the profile may still tell
            default:
                return Model::Other; // Lab, DeviceN, indexed, pattern
            }
        }
        const QByteArray profile = bytes(space["NSICC"]);
        if (profile.size() >= 20) {
            const QByteArray signature = profile.mid(16, 4);
            if (signature == "RGB ")
                return Model::RGB;
            if (signature == "GRAY")
                return Model::Gray;
            if (signature == "CMYK")
                return Model::CMYK;
            return Model::Other;
        }
        return Model::Unknown;
    }

    VQPlistNode _objects;
    mutable QHash<QByteArray, std::shared_ptr<const VQColorProfile>> _profiles;
};

std::optional<VQColorList> readKeyedArchive(const QByteArray &data, QString *error)
{
    const std::optional<VQPlist> plist = VQPlist::fromData(data);
    if (!plist) {
        setError(error, QStringLiteral("not a property list"));
        return std::nullopt;
    }
    const VQPlistNode objects = (*plist)["$objects"];
    VQPlistNode top = (*plist)["$top"];
    if (!objects.isArray() || !top.isDictionary()) {
        setError(error, QStringLiteral("not a keyed archive"));
        return std::nullopt;
    }
    const KeyedArchive archive(objects);
    if (top["NSKeys"].isNull()) {
        const VQPlistNode root = archive.resolve(top["root"]);
        if (root.isDictionary())
            top = root;
    }
    const std::optional<VQPlistNode> keys = archive.array(top["NSKeys"]);
    const std::optional<VQPlistNode> colors = archive.array(top["NSColors"]);
    if (!keys || !colors) {
        setError(error, QStringLiteral("the keyed archive holds no color list"));
        return std::nullopt;
    }
    // Counts come from nodes that exist, so reserving by them is safe.
    EntryCollector entries(keys->count());
    for (std::uint32_t i = 0; i < keys->count(); ++i) {
        const std::optional<QString> key = archive.string(keys->at(i));
        if (!key) {
            setError(error, QStringLiteral("color %1 of the list has no key").arg(i + 1));
            return std::nullopt;
        }
        entries.add(*key, archive.color(colors->at(i)));
    }
    return entries.take();
}

} // namespace

std::optional<VQColorList> VQReadColorList(const QByteArray &data, QString *error)
{
    if (data.size() > kMaxFileBytes) {
        setError(error, QStringLiteral("too large for a color list"));
        return std::nullopt;
    }
    if (data.size() >= 13 && data[1] == '\x0b' &&
        (data.mid(2, 11) == "streamtyped" || data.mid(2, 11) == "typedstream"))
        return ts::readTypedStream(data, error);
    if (data.startsWith("bplist") || data.trimmed().startsWith('<') || data.startsWith("\xEF\xBB\xBF"))
        return readKeyedArchive(data, error);
    setError(error, QStringLiteral("not a color list"));
    return std::nullopt;
}

QString VQColorListFilePath(const QString &path)
{
    const QFileInfo info(QDir::cleanPath(path));
    return info.isDir() ? info.absoluteFilePath() + QLatin1Char('/') + info.fileName() : path;
}

std::optional<VQColorList> VQReadColorListFile(const QString &path, QString *error)
{
    // A regular file only, its size checked before reading: a pipe would hold
    // the open, and a device or a file of /proc never ends.
    const std::optional<QByteArray> data = VQReadRegularFile(VQColorListFilePath(path), kMaxFileBytes, error);
    if (!data)
        return std::nullopt;
    return VQReadColorList(*data, error);
}
