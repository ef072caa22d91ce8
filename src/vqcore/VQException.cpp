#include "vqcore/VQException.h"

VQAbstractMethodException::VQAbstractMethodException(std::string method, std::string file, int line)
    : std::logic_error("abstract or undefined operation " + method + " called (" + file + ":" + std::to_string(line) +
                       ")"),
      _method(std::move(method))
{
}

void VQThrowAbstractException(const char *method, const char *file, int line)
{
    throw VQAbstractMethodException(method, file, line);
}
