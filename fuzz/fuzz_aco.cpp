// The ACO parser on arbitrary bytes: it must return, read nothing outside the
// data, and never make more colours than the data has records for.

#include "parsers/VQACOParser.h"

#include "VQFuzzLimits.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    VQACOParser parser(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const std::optional<std::vector<VQSwatchCollectionRef>> collections = parser.parseColors();
    if (!collections)
        return 0;
    if (collections->size() != 1)
        std::abort();
    const std::vector<VQColorRef> colors = collections->front()->colors();
    // Every colour needs at least one record's first byte after the 4-byte header.
    if (colors.size() > size)
        std::abort();
    for (const VQColorRef &color : colors)
        for (double component : color->components())
            if (!std::isfinite(component))
                std::abort();
    VQFuzzCheckImport(*collections);
    return 0;
}
