#include "vqcore/VQLocalizedString.h"

#include <QCoreApplication>

QString VQLocalizedString(const char *key, const char *context)
{
    return QCoreApplication::translate(context, key);
}
