#include "parsers/VQASEParser.h"

#include "parsers/VQLabColor.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace
{

constexpr std::uint16_t kGroupStart = 0xC001;
constexpr std::uint16_t kGroupEnd = 0xC002;
constexpr std::uint16_t kColorEntry = 0x0001;
// A colour entry whose body starts with 4 bytes we do not use.
constexpr std::uint16_t kColorEntryWithPrefix = 0x0002;
// The longest block the format can hold: a colour entry with the 4 bytes
// before it and a name of 65,535 units. Longer blocks are not ours to read.
constexpr std::uint32_t kLongestBlock = 4 + 2 + 2 * 0xFFFF + 4 + 4 * 4 + 2;
constexpr std::int64_t kBlockHeaderSize = 6;

enum class Model { RGB, CMYK, Gray, LAB };

// A colour as the file gives it; colours are made once the whole file is read,
// because the scale of LAB lightness is a property of the file.
struct Entry {
    QString name;
    Model model;
    std::array<double, 4> values{};
};

struct Group {
    QString title;
    std::vector<Entry> entries;
};

// The 4-byte model tag, compared without regard to case ("GRAY" occurs).
std::optional<Model> modelFromTag(std::uint32_t tag)
{
    std::uint32_t upper = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        std::uint32_t byte = (tag >> shift) & 0xFF;
        if (byte >= 'a' && byte <= 'z')
            byte -= 'a' - 'A';
        upper = upper << 8 | byte;
    }
    switch (upper) {
    case 0x52474220: // "RGB "
        return Model::RGB;
    case 0x434D594B: // "CMYK"
        return Model::CMYK;
    case 0x47524159: // "GRAY"
        return Model::Gray;
    case 0x4C414220: // "LAB "
        return Model::LAB;
    default:
        return std::nullopt;
    }
}

int componentCount(Model model)
{
    switch (model) {
    case Model::CMYK:
        return 4;
    case Model::Gray:
        return 1;
    case Model::RGB:
    case Model::LAB:
        return 3;
    }
    return 0;
}

const char *logPrefix(Model model)
{
    switch (model) {
    case Model::RGB:
        return "Color space RGB: ";
    case Model::CMYK:
        return "Color space CMYK: ";
    case Model::Gray:
        return "Color space Gray: ";
    case Model::LAB:
        return "Color space LAB: ";
    }
    return "";
}

// Reads a colour entry's body. Nothing when its model is unknown or its
// components are cut off.
std::optional<Entry> readColorEntry(VQReader &body, bool skipPrefix)
{
    if (skipPrefix)
        body.skip(4);
    Entry entry;
    entry.name = VQTrimmedSwatchName(body.readUnicharStringOfLength(body.readWord()));
    VQLog(QStringLiteral("Color name: ") + entry.name);
    if (body.remaining() < 4)
        return std::nullopt;
    const std::uint32_t tag = body.read4ByteWord();
    const std::optional<Model> model = modelFromTag(tag);
    if (!model) {
        VQLog(QString::asprintf("Unknown colorspace %X", tag));
        return std::nullopt;
    }
    entry.model = *model;
    const int count = componentCount(*model);
    if (body.remaining() < 4 * count) {
        VQLog(QStringLiteral("Colour entry cut off."));
        return std::nullopt;
    }
    QStringList logged;
    for (int i = 0; i < count; ++i) {
        const double value = body.readFloat();
        entry.values[size_t(i)] = std::isfinite(value) ? value : 0.0;
        logged << QString::number(value);
    }
    VQLog(QString::fromLatin1(logPrefix(*model)) + logged.join(QLatin1Char(' ')));
    return entry;
}

// Components beyond 0–1 (extended colours) would give a hex text of more than
// two digits a channel: a colour read from a file is clamped.
VQColorRef makeColor(const Entry &entry, double labLightnessScale)
{
    std::array<double, 4> v = entry.values;
    for (double &value : v)
        value = std::clamp(value, 0.0, 1.0);
    switch (entry.model) {
    case Model::RGB:
        return VQColor::makeRGB(v[0], v[1], v[2]);
    case Model::CMYK:
        return VQColor::makeCMYK(v[0], v[1], v[2], v[3]);
    case Model::Gray:
        return VQColor::makeRGB(v[0], v[0], v[0]);
    case Model::LAB: // L*a*b* is not 0–1; its conversion clips
        return VQColor::makeRGB(
            VQLabColor{entry.values[0] * labLightnessScale, entry.values[1], entry.values[2]}.toSRGB());
    }
    return nullptr;
}

} // namespace

std::optional<std::vector<VQSwatchCollectionRef>> VQASEParser::parseColors()
{
    if (reader.remaining() < 4 || reader.peakByte(0) != 'A' || reader.peakByte(1) != 'S' || reader.peakByte(2) != 'E' ||
        reader.peakByte(3) != 'F') {
        VQLog(QStringLiteral("Not an ASE file: no ASEF signature."));
        return std::nullopt;
    }
    reader.skip(4);
    const std::uint16_t major = reader.readWord();
    VQLog(QStringLiteral("Major version: ") + QString::number(major));
    const std::uint16_t minor = reader.readWord();
    VQLog(QStringLiteral("Minor version: ") + QString::number(minor));
    const std::uint32_t blockCount = reader.read4ByteWord();
    VQLog(QStringLiteral("Number of chunks: ") + QString::number(blockCount));

    // The count only bounds the loop; the data bounds it too, so a huge count
    // in a small file costs nothing.
    std::vector<Group> groups(1);
    groups.back().title = VQLocalizedString("Untitled Collection");
    bool lightnessUpTo100 = false;
    for (std::uint32_t i = 0; i < blockCount && reader.remaining() >= kBlockHeaderSize; ++i) {
        const std::uint16_t type = reader.readWord();
        const std::uint32_t length = reader.read4ByteWord();
        VQLog(QString::asprintf("Chunk Type: 0x%X", unsigned(type) << 16 | length >> 16));
        const std::int64_t end = reader.pointer() + std::int64_t(length);
        // The body alone, so that no field of it can read into the next block.
        VQReader body(reader.bytes() + reader.pointer(), std::min<std::int64_t>(length, reader.remaining()));
        if (length <= kLongestBlock) {
            switch (type) {
            case kGroupStart: {
                const QString name = VQTrimmedSwatchName(body.readUnicharStringOfLength(body.readWord()));
                groups.emplace_back();
                groups.back().title = name.isEmpty() ? VQLocalizedString("Untitled Collection") : name;
                VQLog(QStringLiteral("Palette name: ") + name + QStringLiteral(", chunksize ") +
                      QString::number(length));
                break;
            }
            case kGroupEnd:
                break;
            case kColorEntry:
            case kColorEntryWithPrefix:
                if (std::optional<Entry> entry = readColorEntry(body, type == kColorEntryWithPrefix)) {
                    lightnessUpTo100 = lightnessUpTo100 || (entry->model == Model::LAB && entry->values[0] > 1.0);
                    groups.back().entries.push_back(std::move(*entry));
                }
                break;
            default:
                break;
            }
        }
        reader.setPointer(end);
    }

    // Adobe stores L* / 100; some writers store L* itself. Any lightness above
    // 1 can only come from the latter, and then it holds for the whole file.
    const double labLightnessScale = lightnessUpTo100 ? 1.0 : 100.0;
    std::vector<VQSwatchCollectionRef> collections;
    for (const Group &group : groups) {
        if (group.entries.empty())
            continue;
        VQSwatchCollectionRef collection = VQSwatchCollection::create(group.title);
        for (const Entry &entry : group.entries) {
            VQColorRef color = makeColor(entry, labLightnessScale);
            // A nameless colour keeps showing its hex value.
            if (!entry.name.isEmpty())
                color->setName(entry.name);
            collection->addColor(color, false);
        }
        collections.push_back(std::move(collection));
    }
    return collections;
}
