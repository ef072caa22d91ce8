#pragma once
// A programming error: an abstract operation was called, or an operation was used
// where it is not defined (for example drawing a CMYK colour as calibrated RGB).

#include <stdexcept>
#include <string>

class VQAbstractMethodException : public std::logic_error
{
  public:
    VQAbstractMethodException(std::string method, std::string file, int line);
    const std::string &method() const { return _method; }

  private:
    std::string _method;
};

[[noreturn]] void VQThrowAbstractException(const char *method, const char *file, int line);

#define VQ_THROW_ABSTRACT(method) VQThrowAbstractException(method, __FILE__, __LINE__)
