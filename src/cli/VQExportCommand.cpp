// vellico-cli export --format gpl|ase|css|json [--library PATH] [--collection TITLE]... --output FILE
//
// Writes collections of a library in a format other programs read
// (parsers/VQSwatchExport.h): every collection, or those titled by each
// --collection in the order given (a title that several collections share
// takes them all, in library order). The file is replaced atomically; with
// "--output -" a text format goes to standard output instead. Titles and names
// the format cannot hold as they are (.gpl) are counted on standard error.

#include "cli/VQCommandLine_p.h"

#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"
#include "parsers/VQSwatchExport.h"

VQCommandResult VQCliExport(const VQCliOptions &options)
{
    if (options.positional.size() != 1)
        return VQCliUsageError(QStringLiteral("export takes no operands"));
    if (!options.has("format"))
        return VQCliUsageError(QStringLiteral("export needs --format gpl, ase, css or json"));
    const std::optional<VQExportFormat> format = VQExportFormatNamed(options.value("format"));
    if (!format)
        return VQCliUsageError(
            QStringLiteral("unknown format %1 (expected gpl, ase, css or json)").arg(options.value("format")));
    if (!options.has("output"))
        return VQCliUsageError(QStringLiteral("export needs --output FILE (or - for standard output)"));
    const bool toStandardOutput = options.value("output") == QLatin1String("-");
    if (toStandardOutput && !VQExportFormatIsText(*format))
        return VQCliUsageError(QStringLiteral(".ase is binary: give --output FILE"));

    const QString library =
        options.has("library") ? VQCliAbsolutePath(options.value("library")) : VQDefaultLibraryPath();
    const VQLibraryOpenResult opened = VQSwatchCore::open(library);
    if (!opened.core)
        return VQCliFailure(opened.error->message);
    const VQSwatchCore *core = opened.core.get();

    const std::vector<VQSwatchCollectionRef> all = core->allCollections();
    std::vector<VQSwatchCollectionRef> chosen;
    const QStringList titles = options.valuesOf("collection");
    if (titles.isEmpty())
        chosen = all;
    for (const QString &title : titles) {
        bool found = false;
        for (const VQSwatchCollectionRef &collection : all) {
            if (collection->title() != title)
                continue;
            found = true;
            if (std::find(chosen.begin(), chosen.end(), collection) == chosen.end())
                chosen.push_back(collection);
        }
        if (!found)
            return VQCliFailure(QStringLiteral("No collection titled \"%1\" in %2.").arg(title, library));
    }

    // Titles and names the format could not hold as they are: counted on standard error.
    QString error;
    VQChangedNames changed;
    const auto notes = [&changed](const QString &where) {
        return changed.count == 0 ? QString() : where + QStringLiteral(": ") + VQDescribeChangedNames(changed) + '\n';
    };
    if (toStandardOutput) {
        const std::optional<QByteArray> bytes = VQExportCollections(chosen, *format, &error, &changed);
        if (!bytes)
            return VQCliFailure(error);
        return {0, QString::fromUtf8(*bytes), notes(QStringLiteral("standard output"))};
    }
    const QString output = VQCliAbsolutePath(options.value("output"));
    if (!VQWriteExport(chosen, *format, output, &error, &changed))
        return VQCliFailure(error);
    return {0, QString(), notes(output)};
}
