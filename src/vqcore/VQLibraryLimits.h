#pragma once
// The limits of what Vellico reads and writes: one set, shared by reading a
// library or property list, importing swatch files, merging and saving.
// Whatever a save would make that a read refuses is refused before anything
// is written, so that a library we wrote always opens again.
//
// A small hostile file could otherwise exhaust the stack (containers nested a
// hundred thousand deep) or memory (a binary list whose arrays each hold the
// next one twice: 40 levels in 240 bytes make 2^40 values; or one 1 MB string
// referred to 1,000 times from a 1 MB file: 1 GB as the program holds it, and
// up to 6 GB once written as JSON). The readers (VQPlistReader.cpp) refuse
// such documents as they read them, and VQPlistCostCounter (VQPlistWriter.h)
// counts what the model would write by the same rule.

#include <QtGlobal>

#include <cstdint>

// The largest property-list file read or written: a library of 100,000
// colours is about 50 MB of XML.
inline constexpr qint64 VQPlistMaxFileBytes = qint64(256) * 1024 * 1024;

// Containers may nest this deep; libraries and keyed archives use a handful of levels.
inline constexpr int VQPlistMaxNesting = 256;

// What a document costs, counted for every reference to a value (a binary
// list may refer to one value from many places; the program holds and writes
// each reference as a copy):
// - every value, keys included, VQPlistNodeBytes;
// - a key's text one byte per byte of UTF-8, as it is written;
// - a string's text VQPlistStringByteCost per byte of UTF-8: a character of a
//   name may become a six-byte escape in JSON ("\u0001") or XML ("&#x1;");
// - data VQPlistDataByteCost per byte (base64 in XML).
inline constexpr std::uint64_t VQPlistNodeBytes = 64;
inline constexpr std::uint64_t VQPlistStringByteCost = 6;
inline constexpr std::uint64_t VQPlistDataByteCost = 2;

// What a document may cost. No larger than a saved library may be, so that
// a document accepted from another computer can be kept and written again.
// A library of 100,000 colours with 28-character names costs about 129 MB.
inline constexpr std::uint64_t VQPlistMaxExpandedBytes = std::uint64_t(VQPlistMaxFileBytes);

// The most colours a library can hold: the budget over what the cheapest
// colour costs as the library writes it (a dictionary of eight values and
// eight keys, 93 bytes of key text, and an unnamed colour's name, its
// seven-character hex text). A library, an import or a palette of more is
// refused outright; fewer may still cost too much with long names, which the
// budget then refuses. VQLibraryLimitsTests checks the figure against what the
// model writes.
inline constexpr std::uint64_t VQCheapestColorCost = 17 * VQPlistNodeBytes + 93 + 7 * VQPlistStringByteCost;
inline constexpr std::int64_t VQLibraryMaxColors = std::int64_t(VQPlistMaxExpandedBytes / VQCheapestColorCost);
