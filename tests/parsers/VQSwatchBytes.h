#pragma once
// Tiny writers of ASE, ACO and typed-stream colour-list bytes, so that every
// parser row states its file in a line or two.

#include <QByteArray>
#include <QHash>
#include <QString>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

class VQBytes
{
  public:
    VQBytes &u16(std::uint32_t v)
    {
        _data.append(char(v >> 8 & 0xFF)).append(char(v & 0xFF));
        return *this;
    }
    VQBytes &u32(std::uint32_t v) { return u16(v >> 16).u16(v & 0xFFFF); }
    VQBytes &f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    VQBytes &raw(const QByteArray &bytes)
    {
        _data.append(bytes);
        return *this;
    }
    // UTF-16 units, big-endian, as they stand in `text`.
    VQBytes &units(const QString &text)
    {
        for (QChar c : text)
            u16(c.unicode());
        return *this;
    }
    operator QByteArray() const { return _data; }

  private:
    QByteArray _data;
};

namespace ase
{

// A name as the files hold it: unit count including the terminator, units, 0.
inline QByteArray name(const QString &text)
{
    return VQBytes().u16(std::uint32_t(text.size() + 1)).units(text).u16(0);
}

inline QByteArray block(std::uint16_t type, const QByteArray &body)
{
    return VQBytes().u16(type).u32(std::uint32_t(body.size())).raw(body);
}
inline QByteArray groupStart(const QString &title)
{
    return block(0xC001, name(title));
}
inline QByteArray groupEnd()
{
    return block(0xC002, {});
}
// `model` is the 4-byte tag, e.g. "RGB "; the colour type (2, normal) ends the body.
inline QByteArray colorBody(const QString &colorName, const char *model, std::initializer_list<float> values)
{
    VQBytes body;
    body.raw(name(colorName)).raw(QByteArray(model, 4));
    for (float v : values)
        body.f32(v);
    return body.u16(2);
}
inline QByteArray color(const QString &colorName, const char *model, std::initializer_list<float> values)
{
    return block(0x0001, colorBody(colorName, model, values));
}

// Signature, version 1.0, the block count (the number of blocks unless given).
inline QByteArray file(const std::vector<QByteArray> &blocks, std::int64_t count = -1)
{
    VQBytes bytes;
    bytes.raw("ASEF").u16(1).u16(0).u32(std::uint32_t(count < 0 ? std::int64_t(blocks.size()) : count));
    for (const QByteArray &b : blocks)
        bytes.raw(b);
    return bytes;
}

} // namespace ase

namespace aco
{

struct Record {
    std::uint16_t space, w, x, y, z;
};

inline QByteArray record(const Record &r)
{
    return VQBytes().u16(r.space).u16(r.w).u16(r.x).u16(r.y).u16(r.z);
}

inline QByteArray section1(const std::vector<Record> &records)
{
    VQBytes bytes;
    bytes.u16(1).u16(std::uint32_t(records.size()));
    for (const Record &r : records)
        bytes.raw(record(r));
    return bytes;
}

inline QByteArray name(const QString &text)
{
    return VQBytes().u32(std::uint32_t(text.size() + 1)).units(text).u16(0);
}

// A record and a name for each of `names` (there must be as many records).
inline QByteArray section2(const std::vector<Record> &records, const std::vector<QString> &names)
{
    VQBytes bytes;
    bytes.u16(2).u16(std::uint32_t(names.size()));
    for (size_t i = 0; i < names.size(); ++i)
        bytes.raw(record(records[i])).raw(name(names[i]));
    return bytes;
}

} // namespace aco

namespace clr
{

// A colour list in the typed-stream form: header, then the groups "i" 1,
// "@i" nil count, and per entry "@@" colour, key. Objects and classes are
// numbered in one table as they start; strings in another.
class TypedStream
{
  public:
    explicit TypedStream(bool bigEndian = false) : _bigEndian(bigEndian)
    {
        _out.append('\x04').append(bigEndian ? "\x0btypedstream" : "\x0bstreamtyped");
        integer(1000);
    }
    // `count` may differ from the entries that follow.
    TypedStream &list(std::int64_t count) { return group("i").integer(1).group("@i").raw("\x85").integer(count); }
    // `kind`: 1–2 RGB, 3–4 white, 5 CMYK, 6 catalogue…; components as one group of `types`.
    TypedStream &entry(const QByteArray &key, char kind, const std::vector<double> &components, const char *types)
    {
        return group("@@").color(kind, components, types).string(key);
    }
    TypedStream &color(char kind, const std::vector<double> &components, const char *types)
    {
        object({"NSColor", "NSObject"}).group("c").raw(QByteArray(1, kind)).group(types);
        for (std::size_t i = 0; i < components.size(); ++i)
            real(components[i], types[i] == 'd');
        return raw("\x86");
    }
    // Kind 6: catalogue and colour names, and a fallback colour.
    TypedStream &catalogueColor(const QByteArray &catalog, const QByteArray &name)
    {
        object({"NSColor", "NSObject"}).group("c").raw("\x06").group("@@@").string(catalog).string(name);
        return color(1, {1, 0, 0, 1}, "ffff").raw("\x86");
    }
    TypedStream &string(const QByteArray &text)
    {
        return object({"NSString", "NSObject"}).group("+").integer(text.size()).raw(text).raw("\x86");
    }
    TypedStream &group(const QByteArray &types) { return shared(types); }
    // The object or class numbered `index`.
    TypedStream &reference(int index) { return integer(std::int64_t(index) - 110); }
    TypedStream &raw(const QByteArray &bytes)
    {
        _out.append(bytes);
        return *this;
    }
    TypedStream &integer(std::int64_t v)
    {
        if (v >= -110 && v <= 127)
            return raw(QByteArray(1, char(std::int8_t(v))));
        if (v >= -32768 && v <= 32767)
            return raw("\x81").fixed(std::int16_t(v));
        return raw("\x82").fixed(std::int32_t(v));
    }
    operator QByteArray() const { return _out; }

  private:
    // Whole numbers are written as integers.
    TypedStream &real(double v, bool asDouble)
    {
        if (v == std::floor(v) && v >= -110 && v <= 127)
            return integer(std::int64_t(v));
        raw("\x83");
        return asDouble ? fixed(v) : fixed(float(v));
    }
    TypedStream &object(std::initializer_list<const char *> classes)
    {
        raw("\x84");
        ++_objects;
        for (const char *name : classes) {
            if (_classes.contains(name))
                return reference(_classes.value(name));
            raw("\x84").shared(name).integer(0);
            _classes.insert(name, _objects++);
        }
        return raw("\x85");
    }
    TypedStream &shared(const QByteArray &text)
    {
        if (_strings.contains(text))
            return reference(_strings.value(text));
        _strings.insert(text, int(_strings.size()));
        return raw("\x84").integer(text.size()).raw(text);
    }
    template <class T> TypedStream &fixed(T value)
    {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        if (_bigEndian)
            std::reverse(bytes, bytes + sizeof(T));
        return raw(QByteArray(bytes, sizeof(T)));
    }

    bool _bigEndian;
    QByteArray _out;
    QHash<QByteArray, int> _strings;
    QHash<QByteArray, int> _classes;
    int _objects = 0;
};

} // namespace clr
