#pragma once
// Reading numbers out of property-list dictionaries the lenient way: a number,
// or a text holding one, counts; anything else, or an absent key, reads as 0.

#include "vqcore/VQPropertyList.h"

#include <cstdint>

namespace VQDictionary
{
double doubleForKey(VQPlistNode dictionary, const char *key);
std::int64_t integerForKey(VQPlistNode dictionary, const char *key);
} // namespace VQDictionary
