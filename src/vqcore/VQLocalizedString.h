#pragma once
// User-visible texts. The English text is the key, written as a literal in the
// call so that the translation tools find it (scripts/translations.py); texts
// kept in tables are marked with QT_TRANSLATE_NOOP("Vellico", ...) where they
// are written. Translations are looked up through the translators installed on
// the application (VQInstallTranslations); without one the English text is used.

#include <QString>

QString VQLocalizedString(const char *key);
// A text with a count: "%n colors" becomes "1 color" or "2 colors", or the
// language's own plural forms.
QString VQLocalizedString(const char *key, int n);
