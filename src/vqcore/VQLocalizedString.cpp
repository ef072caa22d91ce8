#include "vqcore/VQLocalizedString.h"

#include <QCoreApplication>

QString VQLocalizedString(const char *key, const char *context)
{
    return QCoreApplication::translate(context, key);
}

QString VQLocalizedString(const char *key, int n)
{
    return QCoreApplication::translate("Vellico", key, nullptr, n);
}
