// The ASE parser on arbitrary bytes: it must return, read nothing outside the
// data, and make only colours whose components are finite.

#include "parsers/VQASEParser.h"

#include "VQFuzzLimits.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past the end.
    VQASEParser parser(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const std::optional<std::vector<VQSwatchCollectionRef>> collections = parser.parseColors();
    if (!collections)
        return 0;
    for (const VQSwatchCollectionRef &collection : *collections) {
        if (collection->count() == 0)
            std::abort(); // empty groups are not returned
        for (const VQColorRef &color : collection->colors())
            for (double component : color->components())
                if (!std::isfinite(component))
                    std::abort();
    }
    VQFuzzCheckImport(*collections);
    return 0;
}
