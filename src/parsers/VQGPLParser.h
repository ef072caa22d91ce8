#pragma once
// GIMP palettes (.gpl): one collection, in row order.
//
//   GIMP Palette             the first line (after an optional UTF-8 byte-order mark)
//   Name: Tango Icons        optional: the collection's title (else the file's name)
//   Columns: 3               optional: how wide the palette is shown; not kept
//   # Comment                anywhere: lines whose first non-blank is '#'
//   252 233  79\tButter 1    red, green, blue: whole numbers 0–255, blanks (spaces,
//                            tabs) before and between; then blanks and an optional name
//
// Lines end in LF or CR LF; the last may have no end at all. Blank lines are
// passed over. A row that is not three numbers 0–255 is skipped and listed in
// skippedEntries() with its line. A name is UTF-8 (Latin-1 when it is not
// valid UTF-8), trimmed, with every run of control characters made one space
// (such names, and such a title, are counted in changedNames()); a row without
// one gives a colour without a name.

#include "parsers/VQParser.h"
#include "vqcore/VQLibraryLimits.h"

class VQGPLParser : public VQParser
{
  public:
    using VQParser::VQParser;

    // Files with more rows than this are refused whole (failure() says so):
    // more colours than a library can hold (VQLibraryLimits.h).
    static constexpr std::int64_t kMaximumRows = VQLibraryMaxColors;

    // Nothing when the first line is not the header, or the rows exceed the
    // limit; otherwise the one collection, possibly without colours.
    std::optional<std::vector<VQSwatchCollectionRef>> parseColors() override;
};

// A name as a GIMP palette row can hold it: every run of control characters
// (line ends and tabs included) becomes one space, and blanks at either end go.
QString VQPaletteRowName(const QString &name);
