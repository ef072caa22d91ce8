// The colour-list reader on arbitrary bytes. Whatever it returns must hold
// what the importer relies on: unique keys and finite components.

#include "parsers/VQColorList.h"
#include "VQFuzzLimits.h"

#include <QByteArray>
#include <QSet>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QString error;
    const std::optional<VQColorList> list =
        VQReadColorList(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)), &error);
    if (!list) {
        if (error.isEmpty())
            std::abort(); // a refusal must say why
        return 0;
    }
    QSet<QString> keys;
    for (const VQColorListEntry &entry : list->entries) {
        if (keys.contains(entry.key))
            std::abort();
        keys.insert(entry.key);
        if (entry.color)
            for (double component : entry.color->components())
                if (!std::isfinite(component))
                    std::abort();
    }
    std::vector<VQColorRef> colors;
    for (const VQColorListEntry &entry : list->entries) {
        if (entry.color) {
            entry.color->setName(entry.key);
            colors.push_back(entry.color);
        }
    }
    VQFuzzCheckImport({VQSwatchCollection::create(QStringLiteral("List"), std::move(colors))});
    return 0;
}
