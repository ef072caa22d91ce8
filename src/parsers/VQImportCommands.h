#pragma once
// The import commands: ask for a swatch file, read it, and append what it
// holds to the library as new collections. Every question goes through the
// modal-UI service, so the commands run the same in the program and in tests.

#include "parsers/VQParser.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class VQSwatchCore;

// How a file is read, chosen by its extension (case does not matter).
enum class VQSwatchFileKind { ASE, ACO, CLR };
std::optional<VQSwatchFileKind> VQSwatchFileKindForPath(const QString &path);

// Reads a swatch file without asking anything. A colour list becomes one
// collection titled with the file's base name. Nothing (and `error` set) when
// the file cannot be read, is not of its kind, or holds no collections.
std::optional<std::vector<VQSwatchCollectionRef>> VQReadSwatchFile(const QString &path, QString *error = nullptr);

class VQImportCommands
{
  public:
    // Open panel restricted to `allowedExtensions`, the parser over the chosen
    // file, its collections appended to `core` (the shared core when null) and
    // VQCollectionsWereReorganizedNotification posted once. When the file gives
    // nothing the user is told so and the library stays as it was.
    // Returns whether collections were added.
    static bool importColorsFromFile(const VQParserFactory &makeParser, const QStringList &allowedExtensions,
                                     VQSwatchCore *core = nullptr);
    static bool importASE(VQSwatchCore *core = nullptr);
    static bool importACO(VQSwatchCore *core = nullptr);
    // A colour list; asks for the new collection's name, offering the file's.
    static bool importCLR(VQSwatchCore *core = nullptr);
};
