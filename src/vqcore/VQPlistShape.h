#pragma once
// A look at a property list's shape before libplist parses it. libplist 2.2
// parses containers by recursion and copies an object once for every
// reference to it, so a small hostile file can exhaust the stack (containers
// nested a hundred thousand deep) or memory (a chain of arrays that each hold
// the next one twice: 40 levels in 240 bytes make 2^40 nodes; or one 100 KB
// string referred to 20,000 times from a 180 KB file: 2 GB). Files whose shape
// could do either are refused here.

#include <QByteArray>
#include <QString>

#include <cstdint>

// Containers may nest this deep; libraries and keyed archives use a handful of levels.
inline constexpr int VQPlistMaxNesting = 256;

// What a parsed document costs, for the budget below: every node (keys
// included) counts VQPlistNodeBytes, which is less than libplist takes for
// one, and every string, key and data counts its bytes (a UTF-16 string three
// per character, as it becomes UTF-8), once per reference to it.
inline constexpr std::uint64_t VQPlistNodeBytes = 64;
// A library of 100,000 colours costs about 110 MB by this count (1.7 million
// nodes, 2 MB of text), and is 50 MB of XML or 9 MB binary; the budget leaves
// room for several times that.
inline constexpr std::uint64_t VQPlistMaxExpandedBytes = std::uint64_t(1) << 30;

// Empty when `data` (a binary or XML property list) stays within the nesting
// limit and, parsed, within VQPlistMaxExpandedBytes, and, for a binary list,
// expands to no more nodes than a list of its size can hold without sharing
// containers; otherwise why not, in a few words. A binary list whose tables
// point outside the file is refused as well. An XML document is counted as
// if every opening tag made a node and every byte of it were text, which is
// never less than what it makes.
QString VQPlistShapeProblem(const QByteArray &data);
inline bool VQPlistShapeIsSafe(const QByteArray &data)
{
    return VQPlistShapeProblem(data).isEmpty();
}
