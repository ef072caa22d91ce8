#pragma once
// Finding a colour by what the user types: colour text of any form the
// program reads, a name, or words of a name. Matches come from three places,
// in this order:
//
//   1. the text itself read as a colour ("#336699", "rgb(…)", "oklch(…)",
//      "steelblue"), named by its nearest name;
//   2. the colours of the user's own collections whose names contain every
//      word (any case), in library order;
//   3. the shipped colour names containing every word, exact names first.
//
// The same colour may come from more than one place: each match says where
// it was found.

#include "core/VQColor.h"

#include <QString>

#include <cstddef>
#include <vector>

class VQColorNames;
class VQSwatchCore;

struct VQColorSearchMatch {
    enum class Source { ColorText, Collection, ColorName };
    VQColorRef color;
    QString name; // what the match is called: the colour's name in its collection, or a colour name
    Source source = Source::ColorName;
    QString collection; // the collection's title, for Source::Collection
};

// At most `limit` matches for `text`; none for text that is blank.
std::vector<VQColorSearchMatch> VQSearchColors(const QString &text, const VQSwatchCore &library,
                                               const VQColorNames &names, std::size_t limit = 50);
