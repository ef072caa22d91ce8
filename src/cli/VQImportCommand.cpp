// vellico-cli import FILE [--into LIBRARY] [--json]
//
// Reads an .ase, .aco, .clr or .gpl file (by its extension) and prints the
// collections it holds; rows of a palette that were skipped are counted on
// standard error. With --into they are appended to that library, which
// is made when it does not exist yet, and the file is replaced atomically; a
// running program folds the change in at its next save. The library is read,
// changed and written under its exclusive lock, so imports started together
// (or a save of the running program) neither lose each other's collections nor
// give two of them one identity.

#include "cli/VQCommandLine_p.h"

#include "parsers/VQImportCommands.h"
#include "core/VQJson.h"
#include "core/VQSwatchCore.h"
#include "core/sync/VQFileCoordinator.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace
{

// Without an event loop to keep alive, an import waits this long for another
// writer (a large import, the running program's save) to finish with the library.
constexpr int kLockTimeoutMs = 60 * 1000;

// An empty library of the current version, to be written at `path`.
std::unique_ptr<VQSwatchCore> newLibrary(const QString &path, QString *error)
{
    VQPlist root = VQPlist::dictionary();
    root.set(VQLibraryVersion, VQPlist::string(QString::fromLatin1(VQCurrentLibraryVersion)));
    root.set(VQLibraryContent, VQPlist::array());
    return VQSwatchCore::detachedFromLibrary(root.node(), path, error);
}

// Appends `collections` to the library at `path` (made when there is none)
// under its exclusive lock. False, with `error` set, when nothing was written.
bool importInto(const QString &path, const std::vector<VQSwatchCollectionRef> &collections, QString *error)
{
    // Its folder is made first, as the program makes the default library's
    // folder.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("Could not create the folder %1.").arg(folder);
        return false;
    }
    QString failure;
    const bool written = VQFileCoordinator::coordinateWriting(
        path,
        [&](QString *writeError) {
            std::unique_ptr<VQSwatchCore> core;
            if (QFileInfo::exists(path)) {
                VQLibraryOpenResult opened = VQSwatchCore::open(path);
                core = std::move(opened.core);
                if (!core)
                    failure = opened.error->message;
            } else {
                core = newLibrary(path, &failure);
            }
            if (!core)
                return false;
            // Nothing goes in that would make a library Vellico cannot read back.
            if (QString why; !core->hasRoomFor(collections, &why)) {
                failure = QStringLiteral("Not imported into %1: %2.").arg(path, why);
                return false;
            }
            // A collection whose identity the library already holds gets a fresh one here.
            for (const VQSwatchCollectionRef &collection : collections)
                core->addCollection(collection);
            if (!core->writeToURL(path, writeError)) {
                failure = QStringLiteral("Could not write the library at %1: %2").arg(path, *writeError);
                return false;
            }
            return true;
        },
        error, kLockTimeoutMs);
    if (!written && !failure.isEmpty())
        *error = failure;
    return written;
}

} // namespace

VQCommandResult VQCliImport(const VQCliOptions &options)
{
    const QStringList &words = options.positional;
    if (words.size() != 2)
        return VQCliUsageError(words.size() < 2 ? QStringLiteral("import needs a file")
                                                : QStringLiteral("import takes one file"));
    const QString file = VQCliAbsolutePath(words[1]);
    QString error, warning;
    const std::optional<std::vector<VQSwatchCollectionRef>> collections = VQReadSwatchFile(file, &error, &warning);
    if (!collections)
        return VQCliFailure(error);

    if (options.has("into")) {
        if (!importInto(VQCliAbsolutePath(options.value("into")), *collections, &error))
            return VQCliFailure(error);
    }

    VQCommandResult result;
    if (!warning.isEmpty())
        result.err = warning + QLatin1Char('\n');
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
