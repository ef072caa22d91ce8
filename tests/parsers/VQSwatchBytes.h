#pragma once
// A tiny writer of ASE and ACO bytes, so that every parser row states its
// file in a line or two.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

class VQBytes {
public:
    VQBytes &u16(std::uint32_t v)
    {
        _data.append(char(v >> 8 & 0xFF)).append(char(v & 0xFF));
        return *this;
    }
    VQBytes &u32(std::uint32_t v) { return u16(v >> 16).u16(v & 0xFFFF); }
    VQBytes &f32(float v)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &v, 4);
        return u32(bits);
    }
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
    QByteArray data() const { return _data; }

private:
    QByteArray _data;
};

namespace ase {

// A name as the files hold it: unit count including the terminator, units, 0.
inline QByteArray name(const QString &text) { return VQBytes().u16(std::uint32_t(text.size() + 1)).units(text).u16(0); }

inline QByteArray block(std::uint16_t type, const QByteArray &body)
{
    return VQBytes().u16(type).u32(std::uint32_t(body.size())).raw(body);
}
inline QByteArray groupStart(const QString &title) { return block(0xC001, name(title)); }
inline QByteArray groupEnd() { return block(0xC002, {}); }
// `model` is the 4-byte tag, e.g. "RGB ".
inline QByteArray colorBody(const QString &colorName, const char *model, std::initializer_list<float> values,
                            std::uint16_t type = 2)
{
    VQBytes body;
    body.raw(name(colorName)).raw(QByteArray(model, 4));
    for (float v : values)
        body.f32(v);
    return body.u16(type);
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

namespace aco {

struct Record {
    std::uint16_t space, w, x, y, z;
};

inline QByteArray record(const Record &r) { return VQBytes().u16(r.space).u16(r.w).u16(r.x).u16(r.y).u16(r.z); }

inline QByteArray section1(const std::vector<Record> &records)
{
    VQBytes bytes;
    bytes.u16(1).u16(std::uint32_t(records.size()));
    for (const Record &r : records)
        bytes.raw(record(r));
    return bytes;
}

inline QByteArray name(const QString &text) { return VQBytes().u32(std::uint32_t(text.size() + 1)).units(text).u16(0); }

inline QByteArray section2(const std::vector<Record> &records, const std::vector<QString> &names)
{
    VQBytes bytes;
    bytes.u16(2).u16(std::uint32_t(names.size()));
    for (size_t i = 0; i < names.size(); ++i)
        bytes.raw(record(i < records.size() ? records[i] : Record{0, 0, 0, 0, 0})).raw(name(names[i]));
    return bytes;
}

} // namespace aco

namespace clr {

struct Entry {
    QString key;
    int space;                 // NSColorSpace: 1 calibrated RGB, 3 calibrated white, 10 pattern…
    QByteArray components;     // "1 0 0" for RGB, "0.5" for white; empty for none
};

// A keyed-archive colour list as an XML property list: $top holds NSKeys and
// NSColors, two arrays whose i-th elements belong together.
inline QByteArray keyedList(const std::vector<Entry> &entries)
{
    const auto uid = [](size_t index) { return QStringLiteral("<dict><key>CF$UID</key><integer>%1</integer></dict>").arg(index); };
    // $objects: 0 $null, 1 keys array, 2 colours array, 3 array class, 4 colour class, then key/colour pairs.
    QString keys, colors, objects;
    for (size_t i = 0; i < entries.size(); ++i) {
        const size_t key = 5 + 2 * i, color = key + 1;
        keys += uid(key);
        colors += uid(color);
        const Entry &e = entries[i];
        QString colorObject = QStringLiteral("<dict><key>NSColorSpace</key><integer>%1</integer>").arg(e.space);
        if (!e.components.isEmpty())
            colorObject += QStringLiteral("<key>%1</key><data>%2</data>")
                               .arg(e.space <= 2 ? QStringLiteral("NSRGB") : QStringLiteral("NSWhite"),
                                    QString::fromLatin1((e.components + '\0').toBase64()));
        colorObject += QStringLiteral("<key>$class</key>") + uid(4) + QStringLiteral("</dict>");
        objects += QStringLiteral("<string>%1</string>").arg(e.key.toHtmlEscaped()) + colorObject;
    }
    const QString arrayClass = QStringLiteral("<dict><key>$classname</key><string>NSMutableArray</string><key>$classes</key>"
                                              "<array><string>NSMutableArray</string><string>NSArray</string></array></dict>");
    const QString colorClass = QStringLiteral("<dict><key>$classname</key><string>NSColor</string><key>$classes</key>"
                                              "<array><string>NSColor</string><string>NSObject</string></array></dict>");
    const QString text =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                       "<key>$archiver</key><string>NSKeyedArchiver</string><key>$version</key><integer>100000</integer>"
                       "<key>$top</key><dict><key>NSKeys</key>%1<key>NSColors</key>%2</dict><key>$objects</key><array>"
                       "<string>$null</string><dict><key>NS.objects</key><array>%3</array><key>$class</key>%5</dict>"
                       "<dict><key>NS.objects</key><array>%4</array><key>$class</key>%5</dict>")
            .arg(uid(1), uid(2), keys, colors, uid(3)) +
        arrayClass + colorClass + objects + QStringLiteral("</array></dict></plist>\n");
    return text.toUtf8();
}

} // namespace clr
