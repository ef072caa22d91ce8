#pragma once
// The limits of what a property list read may cost. A small hostile file
// could otherwise exhaust the stack (containers nested a hundred thousand
// deep) or memory (a binary list whose arrays each hold the next one twice:
// 40 levels in 240 bytes make 2^40 values; or one 100 KB string referred to
// 20,000 times from a 180 KB file: 2 GB once every reference is a copy).
// The readers (VQPlistReader.cpp) refuse such documents as they read them.

#include <cstdint>

// Containers may nest this deep; libraries and keyed archives use a handful of levels.
inline constexpr int VQPlistMaxNesting = 256;

// What a read document costs, for the budget below: every value (keys
// included) counts VQPlistNodeBytes, and every string, key and data counts
// its bytes (a UTF-16 string three per character, as it becomes UTF-8), once
// per reference to it.
inline constexpr std::uint64_t VQPlistNodeBytes = 64;
// A library of 100,000 colours costs about 110 MB by this count (1.7 million
// values, 2 MB of text), and is 50 MB of XML or 9 MB binary; the budget leaves
// room for several times that. A binary list may also expand to no more
// values than a list of its size holds without sharing containers, and an XML
// document may be no larger than this.
inline constexpr std::uint64_t VQPlistMaxExpandedBytes = std::uint64_t(1) << 30;
