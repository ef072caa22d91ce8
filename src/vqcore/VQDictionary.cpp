#include "vqcore/VQDictionary.h"

namespace VQDictionary
{

double doubleForKey(VQPlistNode dictionary, const char *key)
{
    return dictionary[key].doubleValue();
}

std::int64_t integerForKey(VQPlistNode dictionary, const char *key)
{
    return dictionary[key].integerValue();
}

} // namespace VQDictionary
