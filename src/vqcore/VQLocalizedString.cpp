#include "vqcore/VQLocalizedString.h"

#include <QCoreApplication>

namespace
{
constexpr const char *kContext = "Vellico";
}

QString VQLocalizedString(const char *key)
{
    return QCoreApplication::translate(kContext, key);
}

QString VQLocalizedString(const char *key, int n)
{
    return QCoreApplication::translate(kContext, key, nullptr, n);
}
