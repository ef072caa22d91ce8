#pragma once
// The program in the session's language: which translation to load, and the
// translators for Vellico's texts and for Qt's own dialogs.

#include <QString>
#include <QStringList>

class QCoreApplication;

// The translation file names to look for ("de_DE", then "de"), most wanted
// first, from the session's languages as QLocale::uiLanguages() gives them
// ("de-DE", "pt-BR", "ar"). English is the texts' own language: the list
// ends at the first English (or "C") entry, so that "en:de" keeps the program
// in English, and always ends with "en", whose file gives English its plural
// forms ("1 color", "2 colors") when no other language is had.
QStringList VQTranslationCandidates(const QStringList &uiLanguages);

// Installs the translators of the first candidate with a file "vellico_NAME.qm"
// in `folder`, and Qt's own "qtbase_NAME.qm" where Qt's translations are
// installed. A translation also says which way its language is written, and
// Qt lays the widgets out from right to left when it says so. Returns the
// name loaded, or an empty string when the program stays in English.
QString VQInstallTranslations(QCoreApplication &app, const QStringList &uiLanguages,
                              const QString &folder = QStringLiteral(":/i18n"));
