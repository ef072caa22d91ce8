#pragma once
// Photoshop colour swatches (.aco): one collection, "Imported from ACO".
//
//   section := u16 version, u16 count, count × record
//   record v1 := u16 space, u16 w, x, y, z
//   record v2 := record v1, u32 n, n UTF-16 units (name with its terminating zero)
//
// A file holds a version-1 section, a version-2 section, or the two in that
// order (colours from the first, names from the second). Whatever follows the
// sections (Photoshop's "8BIMphry" block) is not read.
//
// Spaces and scales (w, x, y, z):
//   0 RGB        0–65535 each
//   1 HSB        hue 0–65535 for a full turn, saturation, brightness 0–65535
//   2 CMYK       0–65535 each, 0 = full ink
//   7 Lab        L* × 100 (0–10000), a* and b* × 100 as signed 16-bit values
//   8 Grayscale  black ink × 100 (0–10000), 0 = white
//   9 Wide CMYK  ink × 100 (0–10000) each
// Colour-book references (3–6, 10) and anything else carry no colour we can
// compute; those records are left out.

#include "parsers/VQParser.h"

class VQACOParser : public VQParser
{
  public:
    using VQParser::VQParser;

    // Nothing when the first word is neither 1 nor 2.
    std::optional<std::vector<VQSwatchCollectionRef>> parseColors() override;

    // The colour a record stands for; null for spaces we cannot compute.
    static VQColorRef colorFromRecord(std::uint16_t space, std::uint16_t w, std::uint16_t x, std::uint16_t y,
                                      std::uint16_t z);
};
