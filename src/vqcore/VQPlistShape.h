#pragma once
// A look at a property list's shape before libplist parses it. libplist 2.2
// parses containers by recursion and copies an object once for every
// reference to it, so a small hostile file can exhaust the stack (containers
// nested a hundred thousand deep) or memory (a chain of arrays that each hold
// the next one twice: 40 levels in 240 bytes make 2^40 nodes). Files whose
// shape could do either are refused here.

#include <QByteArray>

// Containers may nest this deep; libraries and keyed archives use a handful of levels.
inline constexpr int VQPlistMaxNesting = 256;

// Whether `data` (a binary or XML property list) stays within the nesting
// limit and, for a binary list, expands to no more nodes than a list of its
// size can hold without sharing containers. A binary list whose tables point
// outside the file is refused as well.
bool VQPlistShapeIsSafe(const QByteArray &data);
