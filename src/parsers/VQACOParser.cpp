#include "parsers/VQACOParser.h"

#include "vqcore/VQClock.h"
#include "parsers/VQLabColor.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"

#include <algorithm>

namespace
{

constexpr std::int64_t kRecordSize = 10;

double fraction(std::uint16_t value)
{
    return value / 65535.0;
}
double hundredths(std::uint16_t value)
{
    return std::min<double>(value, 10000.0) / 10000.0;
}

struct Record {
    VQColorRef color; // null for a space we cannot compute
    QString name;
};

Record readRecord(VQReader &reader)
{
    const std::uint16_t space = reader.readWord();
    const std::uint16_t w = reader.readWord();
    const std::uint16_t x = reader.readWord();
    const std::uint16_t y = reader.readWord();
    const std::uint16_t z = reader.readWord();
    Record record{VQACOParser::colorFromRecord(space, w, x, y, z), QString()};
    if (!record.color)
        VQLog(QStringLiteral("Colour space %1 is not supported; the swatch is left out.").arg(space));
    return record;
}

// A version-2 name: a 32-bit length in UTF-16 units, then the units.
QString readName(VQReader &reader)
{
    const std::uint32_t length = reader.read4ByteWord();
    return VQTrimmedSwatchName(reader.readUnicharStringOfLength(length));
}

} // namespace

VQColorRef VQACOParser::colorFromRecord(std::uint16_t space, std::uint16_t w, std::uint16_t x, std::uint16_t y,
                                        std::uint16_t z)
{
    switch (space) {
    case 0:
        return VQColor::makeRGB(fraction(w), fraction(x), fraction(y));
    case 1:
        return VQColor::makeHSB(fraction(w), fraction(x), fraction(y));
    case 2:
        return VQColor::makeCMYK(1.0 - fraction(w), 1.0 - fraction(x), 1.0 - fraction(y), 1.0 - fraction(z));
    case 7:
        return VQColor::makeRGB(
            VQLabColor{std::min(w / 100.0, 100.0), std::int16_t(x) / 100.0, std::int16_t(y) / 100.0}.toSRGB());
    case 8: {
        const double gray = 1.0 - hundredths(w);
        return VQColor::makeRGB(gray, gray, gray);
    }
    case 9:
        return VQColor::makeCMYK(hundredths(w), hundredths(x), hundredths(y), hundredths(z));
    default:
        return nullptr;
    }
}

std::optional<std::vector<VQSwatchCollectionRef>> VQACOParser::parseColors()
{
    std::uint64_t time = VQClock::now();
    const std::uint16_t version = reader.readWord();
    if (version != 1 && version != 2) {
        VQLog(QStringLiteral("Wrong format!\n"));
        return std::nullopt;
    }

    // Records are read while the data lasts: a count larger than the file
    // holds makes no colours up. (A lone last byte is no word: the reader stops
    // in front of it, so "not at the end" would never become false there.)
    const auto moreWords = [this] { return reader.remaining() >= 2; };
    std::vector<Record> records;
    if (version == 1) {
        const std::uint16_t count = reader.readWord();
        for (std::uint16_t i = 0; i < count && moreWords(); ++i)
            records.push_back(readRecord(reader));
        // An optional version-2 section names the same colours in the same order.
        if (reader.remaining() >= 4 && reader.readWord() == 2) {
            const std::uint16_t named = reader.readWord();
            for (std::uint16_t i = 0; i < named && moreWords(); ++i) {
                reader.skip(kRecordSize);
                const QString name = readName(reader);
                if (i < records.size())
                    records[i].name = name;
            }
        }
    } else {
        // Only the named section: colours and names from it.
        const std::uint16_t count = reader.readWord();
        for (std::uint16_t i = 0; i < count && moreWords(); ++i) {
            Record record = readRecord(reader);
            record.name = readName(reader);
            records.push_back(std::move(record));
        }
    }

    std::vector<VQColorRef> colors;
    colors.reserve(records.size());
    for (Record &record : records) {
        if (!record.color)
            continue;
        record.color->setColorID(time--);
        if (!record.name.isEmpty())
            record.color->setName(record.name);
        colors.push_back(std::move(record.color));
    }
    return std::vector<VQSwatchCollectionRef>{
        VQSwatchCollection::create(VQLocalizedString("Imported from ACO"), std::move(colors))};
}
