// vellico-cli import FILE [--into LIBRARY] [--json]
//
// Reads an .ase, .aco or .clr file (by its extension) and prints the
// collections it holds. With --into they are appended to that library, which
// is made when it does not exist yet, and the file is replaced atomically; a
// running program folds the change in at its next save.

#include "cli/VQCommandLine_p.h"

#include "parsers/VQImportCommands.h"
#include "cli/VQJson.h"
#include "core/VQSwatchCore.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace
{

// An empty library of the current version, to be written at `path`. Its
// folder is made, as the program makes the default library's folder.
std::unique_ptr<VQSwatchCore> newLibrary(const QString &path, QString *error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Could not create the folder %1.").arg(folder);
        return nullptr;
    }
    VQPlist root = VQPlist::dictionary();
    root.set(VQLibraryVersion, VQPlist::string(QString::fromLatin1(VQCurrentLibraryVersion)));
    root.set(VQLibraryContent, VQPlist::array());
    return VQSwatchCore::detachedFromLibrary(root.node(), path, error);
}

} // namespace

VQCommandResult VQCliImport(const VQCliOptions &options)
{
    const QStringList &words = options.positional;
    if (words.size() != 2)
        return VQCliUsageError(words.size() < 2 ? QStringLiteral("import needs a file")
                                                : QStringLiteral("import takes one file"));
    const QString file = VQCliAbsolutePath(words[1]);
    QString error;
    const std::optional<std::vector<VQSwatchCollectionRef>> collections = VQReadSwatchFile(file, &error);
    if (!collections)
        return VQCliFailure(error);

    if (options.has("into")) {
        const QString library = VQCliAbsolutePath(options.value("into"));
        std::unique_ptr<VQSwatchCore> core =
            QFileInfo::exists(library) ? VQSwatchCore::openDetached(library, &error) : newLibrary(library, &error);
        if (!core)
            return VQCliFailure(error);
        for (const VQSwatchCollectionRef &collection : *collections)
            core->addCollection(collection);
        if (!core->save())
            return VQCliFailure(QStringLiteral("Could not write the library at %1.").arg(library));
    }

    VQCommandResult result;
    if (options.json()) {
        QJsonArray array;
        for (const VQSwatchCollectionRef &collection : *collections)
            array.append(VQJson::collection(*collection));
        result.out = QString::fromUtf8(VQJson::print(array));
    } else {
        for (const VQSwatchCollectionRef &collection : *collections)
            result.out += VQCliDescribeCollection(*collection);
    }
    return result;
}
