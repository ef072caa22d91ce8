#pragma once
// User-visible texts. The English text is the key; translations are looked up
// through Qt's translators installed on the application.

#include <QString>

QString VQLocalizedString(const char *key, const char *context = "Vellico");
QString VQLocalizedString(const char *key, int n);
