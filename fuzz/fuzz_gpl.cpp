// The GIMP palette reader on arbitrary bytes: it must return, read nothing
// outside the data, make only colours of whole 8-bit channels with names that
// fit a row, account for every row, and read back its own export of what it
// read as the same colours, names and title.

#include "parsers/VQGPLParser.h"
#include "parsers/VQSwatchExport.h"

#include "VQFuzzLimits.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{

bool wholeChannel(double value)
{
    const double scaled = value * 255.0;
    return value >= 0.0 && value <= 1.0 && std::fabs(scaled - std::round(scaled)) < 1e-9;
}

QString describe(const VQSwatchCollection &collection)
{
    QString text = collection.title() + QLatin1Char('\n');
    for (const VQColorRef &color : collection.colors())
        text += color->hexValue() + QLatin1Char(' ') + color->storedName().value_or(QStringLiteral("-")) +
                QLatin1Char('\n');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    VQGPLParser parser(bytes);
    const std::optional<std::vector<VQSwatchCollectionRef>> collections = parser.parseColors();
    if (!collections)
        return 0;
    if (collections->size() != 1)
        std::abort();
    const VQSwatchCollection &collection = *collections->front();
    const std::vector<VQColorRef> colors = collection.colors();
    if (std::int64_t(colors.size() + parser.skippedEntries().size()) > bytes.count('\n') + 1)
        std::abort(); // more rows than lines
    for (const VQColorRef &color : colors) {
        if (color->colorSpace() != VQColorSpace::RGB || color->component4() != 0.0)
            std::abort();
        for (int i = 0; i < 3; ++i)
            if (!wholeChannel(color->components()[std::size_t(i)]))
                std::abort();
        if (color->storedName() && VQPaletteRowName(*color->storedName()) != *color->storedName())
            std::abort(); // a name that a row could not hold
    }

    const std::optional<QByteArray> exported = VQExportCollections(*collections, VQExportFormat::GPL);
    if (!exported)
        std::abort();
    VQGPLParser again(*exported);
    const std::optional<std::vector<VQSwatchCollectionRef>> back = again.parseColors();
    if (!back || back->size() != 1 || !again.skippedEntries().empty() ||
        describe(*back->front()) != describe(collection))
        std::abort();
    VQFuzzCheckImport(*collections);
    return 0;
}
