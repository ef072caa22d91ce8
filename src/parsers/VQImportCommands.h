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
enum class VQSwatchFileKind { ASE, ACO, CLR, GPL };
std::optional<VQSwatchFileKind> VQSwatchFileKindForPath(const QString &path);
// The extensions of the kinds above, without the dot.
QStringList VQSwatchFileExtensions();

// Reads a swatch file without asking anything. A colour list becomes one
// collection titled with the file's base name. Nothing (and `error` set) when
// the file cannot be read, is not of its kind, or holds no collections. Rows
// of a palette that were skipped and names that were changed are described in
// `warning` (empty when none).
std::optional<std::vector<VQSwatchCollectionRef>> VQReadSwatchFile(const QString &path, QString *error = nullptr,
                                                                   QString *warning = nullptr);

class VQImportCommands
{
  public:
    // Open panel restricted to `allowedExtensions`, the parser over the chosen
    // file, its collections appended to `core` and
    // VQCollectionsWereReorganizedNotification posted once. When the file gives
    // nothing the user is told so and the library stays as it was.
    // Returns whether collections were added.
    // When the parser skipped rows or changed names, the user is told how many
    // after the import.
    static bool importColorsFromFile(const VQParserFactory &makeParser, const QStringList &allowedExtensions,
                                     VQSwatchCore &core);
    static bool importASE(VQSwatchCore &core);
    static bool importACO(VQSwatchCore &core);
    static bool importGPL(VQSwatchCore &core);
    // A colour list; asks for the new collection's name, offering the file's.
    static bool importCLR(VQSwatchCore &core);

    // A file chosen elsewhere (dropped on the lane) imported as its menu item
    // would import it once the panel has answered: by its extension, with the
    // same alerts and, for a colour list, the same name prompt.
    static bool importFile(const QString &path, VQSwatchCore &core);

  private:
    // What follows the open panel's answer.
    static bool importChosenFile(const VQParserFactory &makeParser, const QString &path, const QString &extension,
                                 VQSwatchCore *core);
    static bool importChosenColorList(const QString &path, VQSwatchCore *core);
};
