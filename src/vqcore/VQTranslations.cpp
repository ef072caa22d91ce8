#include "vqcore/VQTranslations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace
{
// Qt reads this key of every translation installed to choose the layout direction.
//: "LTR" for a language written from left to right, "RTL" for one written from right to left.
[[maybe_unused]] constexpr const char *kLayoutDirection = QT_TRANSLATE_NOOP("QGuiApplication", "QT_LAYOUT_DIRECTION");
} // namespace

QStringList VQTranslationCandidates(const QStringList &uiLanguages)
{
    QStringList candidates;
    for (const QString &language : uiLanguages) {
        QString name = language.trimmed();
        name.replace(QLatin1Char('-'), QLatin1Char('_'));
        // "de_DE.UTF-8" and "sr_RS@latin" as LANGUAGE may hold them: the codeset goes.
        name = name.section(QLatin1Char('.'), 0, 0);
        const QString base = name.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('@'), 0, 0);
        if (base.isEmpty())
            continue;
        if (base == QLatin1String("en") || base == QLatin1String("C") || base == QLatin1String("POSIX"))
            break;
        for (const QString &candidate : {name, base})
            if (!candidates.contains(candidate))
                candidates.append(candidate);
    }
    // English last, whatever came before: its file holds only the plural forms.
    candidates.append(QStringLiteral("en"));
    return candidates;
}

QString VQInstallTranslations(QCoreApplication &app, const QStringList &uiLanguages, const QString &folder)
{
    for (const QString &name : VQTranslationCandidates(uiLanguages)) {
        const QString path = folder + QStringLiteral("/vellico_") + name + QStringLiteral(".qm");
        if (!QFileInfo::exists(path))
            continue;
        auto *own = new QTranslator(&app);
        if (!own->load(path)) {
            delete own;
            continue;
        }
        // Qt's own texts (the file dialog's, the standard buttons') in the same
        // language, where the system has them; its "de" for a "de_AT" too.
        auto *qt = new QTranslator(&app);
        const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (qt->load(QStringLiteral("qtbase_") + name, qtFolder) ||
            qt->load(QStringLiteral("qtbase_") + name.section(QLatin1Char('_'), 0, 0), qtFolder))
            app.installTranslator(qt);
        else
            delete qt;
        app.installTranslator(own);
        return name;
    }
    return {};
}
