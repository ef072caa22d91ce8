#include "core/VQColorDrag.h"

#include "vqcore/VQPropertyList.h"

#include <QMimeData>

namespace VQColorDrag
{

namespace
{

QString mimeType()
{
    return QString::fromLatin1(MimeType);
}

QByteArray encode(const VQColor &color)
{
    VQPlist dictionary = VQPlist::dictionary();
    dictionary.set(VQColorSpaceKey, VQPlist::integer(std::uint64_t(color.colorSpace())));
    const char *keys[] = {VQColorComponent1Key, VQColorComponent2Key, VQColorComponent3Key, VQColorComponent4Key};
    for (std::size_t i = 0; i < 4; ++i)
        dictionary.set(keys[i], VQPlist::real(color.components()[i]));
    // The XML writer keeps every double exactly (the shortest text that reads back the same).
    return dictionary.toXML();
}

VQColorRef decode(const QByteArray &payload)
{
    const std::optional<VQPlist> plist = VQPlist::fromData(payload);
    if (!plist || !plist->node().isDictionary())
        return nullptr;
    const VQPlistNode node = plist->node();
    const std::optional<std::uint64_t> space = node[VQColorSpaceKey].toUInt64();
    const std::optional<VQColorSpace> known = space ? VQColorSpaceFromRawValue(std::int64_t(*space)) : std::nullopt;
    if (!known)
        return nullptr;
    std::array<double, 4> components{};
    const char *keys[] = {VQColorComponent1Key, VQColorComponent2Key, VQColorComponent3Key, VQColorComponent4Key};
    for (std::size_t i = 0; i < 4; ++i) {
        const VQPlistNode value = node[keys[i]];
        if (!value.isNumber())
            return nullptr;
        components[i] = value.toDouble().value_or(0.0);
    }
    return *known == VQColorSpace::CMYK ? VQColor::makeCMYK(components[0], components[1], components[2], components[3])
                                        : VQColor::makeRGB(components[0], components[1], components[2]);
}

} // namespace

void write(QMimeData &data, const VQColor &color)
{
    data.setData(mimeType(), encode(color));
    data.setColorData(color.screenColor());
    data.setText(color.hexValue());
}

VQColorRef read(const QMimeData *data)
{
    if (!data)
        return nullptr;
    if (data->hasFormat(mimeType()))
        if (VQColorRef exact = decode(data->data(mimeType())))
            return exact;
    if (!data->hasColor())
        return nullptr;
    return VQColor::fromQColor(qvariant_cast<QColor>(data->colorData()));
}

} // namespace VQColorDrag
