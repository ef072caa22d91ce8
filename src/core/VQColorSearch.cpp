#include "core/VQColorSearch.h"

#include "core/VQColorNames.h"
#include "core/VQColorText.h"
#include "core/VQSwatchCore.h"

#include <QStringList>

namespace
{

bool containsEvery(const QString &name, const QStringList &words)
{
    for (const QString &word : words)
        if (!name.contains(word, Qt::CaseInsensitive))
            return false;
    return true;
}

VQColorRef colorOfRGB(std::uint32_t rgb)
{
    return VQColor::makeRGB(((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0);
}

} // namespace

std::vector<VQColorSearchMatch> VQSearchColors(const QString &text, const VQSwatchCore &library,
                                               const VQColorNames &names, std::size_t limit)
{
    std::vector<VQColorSearchMatch> matches;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || limit == 0)
        return matches;

    const VQCSSColor::Reading reading = VQReadColorText(trimmed);
    if (reading.ok) {
        const VQColorRef color = VQColor::makeRGB(reading.rgb[0], reading.rgb[1], reading.rgb[2]);
        matches.push_back({color, names.nearest(reading.rgb).name, VQColorSearchMatch::Source::ColorText, {}});
    }

    const QStringList words = trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const VQSwatchCollectionRef &collection : library.collectionsInRange(0, library.numberOfCollections())) {
        for (const VQColorRef &color : collection->colors()) {
            if (matches.size() >= limit)
                return matches;
            if (color->hasStoredName() && containsEvery(color->name(), words))
                matches.push_back({color, color->name(), VQColorSearchMatch::Source::Collection, collection->title()});
        }
    }

    if (matches.size() >= limit)
        return matches;
    for (const VQColorNames::Entry *entry : names.search(words, limit - matches.size()))
        matches.push_back({colorOfRGB(entry->rgb), entry->name, VQColorSearchMatch::Source::ColorName, {}});
    return matches;
}
