#include "parsers/VQImportCommands.h"

#include "parsers/VQACOParser.h"
#include "parsers/VQASEParser.h"
#include "parsers/VQGPLParser.h"
#include "vqcore/VQClock.h"
#include "parsers/VQColorList.h"
#include "vqcore/VQFileURL.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"
#include "core/VQSwatchCore.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace
{

// The folder of the last imported file, for the next import to start in.
constexpr const char *kLastImportFolderKey = "VQLastImportFolder";

VQFilePanel openPanel(const QStringList &allowedExtensions)
{
    VQFilePanel panel;
    panel.title = VQLocalizedString("Import");
    panel.allowedExtensions = allowedExtensions;
    panel.fileKind = VQLocalizedString("Swatch files");
    const QString last = VQUserDefaults::standard().stringForKey(QLatin1String(kLastImportFolderKey));
    panel.directory = !last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::homePath();
    return panel;
}

std::optional<QString> chooseFile(const QStringList &allowedExtensions)
{
    std::optional<QString> path = VQModalUI::shared().runOpenPanel(openPanel(allowedExtensions));
    if (path)
        VQUserDefaults::standard().setString(QLatin1String(kLastImportFolderKey), QFileInfo(*path).absolutePath());
    return path;
}

// `reason` says what was wrong with the file, as vellico-cli says it.
void showNoColorsAlert(const QString &reason, bool fileWasRead)
{
    const QString corrupted = VQLocalizedString("The file might be corrupted.");
    VQModalUI::shared().runAlert({VQLocalizedString("No colors found in the file!"),
                                  fileWasRead ? reason + QStringLiteral("\n\n") + corrupted : reason,
                                  {VQLocalizedString("OK")}});
}

// What of the file did not come in as the file has it: the rows a palette left
// out, the names that were changed. Empty when everything did.
QString importNotes(const QString &path, const VQParser &parser)
{
    QStringList notes;
    for (const QString &note :
         {VQDescribeSkippedRows(parser.skippedEntries()), VQDescribeChangedNames(parser.changedNames())})
        if (!note.isEmpty())
            notes << note;
    return notes.isEmpty() ? QString() : path + QStringLiteral(": ") + notes.join(QLatin1Char(' '));
}

// The notes above, told after the file's colours came in.
void showImportNotesAlert(const QString &path, const VQParser &parser)
{
    const QString notes = importNotes(path, parser);
    if (notes.isEmpty())
        return;
    VQModalUI::shared().runAlert({parser.skippedEntries().empty()
                                      ? VQLocalizedString("Some names were changed on the way in.")
                                      : VQLocalizedString("Some rows of the file were not imported."),
                                  notes,
                                  {VQLocalizedString("OK")}});
}

// A palette whose every row was refused is not imported as an empty
// collection: it is not what its rows meant. (One without rows at all is.)
bool everyRowSkipped(const std::vector<VQSwatchCollectionRef> &collections, const VQParser &parser)
{
    return !parser.skippedEntries().empty() &&
           std::all_of(collections.begin(), collections.end(),
                       [](const VQSwatchCollectionRef &collection) { return collection->count() == 0; });
}

QString noColorsFound(const QString &path, const VQParser &parser)
{
    const QString skipped = VQDescribeSkippedRows(parser.skippedEntries());
    return QStringLiteral("%1: no colors found in the file.").arg(path) +
           (skipped.isEmpty() ? QString() : QLatin1Char(' ') + skipped);
}

// Adds `collections`, unless the library would then be more than Vellico
// reads back: then nothing is added and the user is told why.
bool addCollections(VQSwatchCore &core, const std::vector<VQSwatchCollectionRef> &collections, const QString &path)
{
    if (QString why; !core.hasRoomFor(collections, &why)) {
        VQModalUI::shared().runAlert({VQLocalizedString("The file was not imported."),
                                      QStringLiteral("%1: %2.").arg(path, why),
                                      {VQLocalizedString("OK")}});
        return false;
    }
    for (const VQSwatchCollectionRef &collection : collections)
        core.addCollection(collection);
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQCollectionsWereReorganizedNotification));
    return true;
}

// Colours of a list get their keys as names and identifiers counting down from now.
VQSwatchCollectionRef collectionFromColorList(const VQColorList &list, const QString &title)
{
    std::uint64_t time = VQClock::now();
    std::vector<VQColorRef> colors;
    for (const VQColorListEntry &entry : list.entries) {
        if (!entry.color)
            continue;
        entry.color->setName(entry.key);
        entry.color->setColorID(time--);
        colors.push_back(entry.color);
    }
    return VQSwatchCollection::create(title, std::move(colors));
}

template <class Parser> std::unique_ptr<VQParser> makeParser(const QString &path)
{
    return VQParser::fromURL<Parser>(path);
}

} // namespace

std::optional<VQSwatchFileKind> VQSwatchFileKindForPath(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("ase"))
        return VQSwatchFileKind::ASE;
    if (extension == QLatin1String("aco"))
        return VQSwatchFileKind::ACO;
    if (extension == QLatin1String("clr"))
        return VQSwatchFileKind::CLR;
    if (extension == QLatin1String("gpl"))
        return VQSwatchFileKind::GPL;
    return std::nullopt;
}

QStringList VQSwatchFileExtensions()
{
    return {QStringLiteral("ase"), QStringLiteral("aco"), QStringLiteral("clr"), QStringLiteral("gpl")};
}

std::optional<std::vector<VQSwatchCollectionRef>> VQReadSwatchFile(const QString &path, QString *error,
                                                                   QString *warning)
{
    const auto fail = [error](const QString &message) -> std::optional<std::vector<VQSwatchCollectionRef>> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    const std::optional<VQSwatchFileKind> kind = VQSwatchFileKindForPath(path);
    if (!kind)
        return fail(QStringLiteral("%1: unknown kind of swatch file (expected .ase, .aco, .clr or .gpl).").arg(path));

    if (*kind == VQSwatchFileKind::CLR) {
        QString reason;
        const std::optional<VQColorList> list = VQReadColorListFile(path, &reason);
        if (!list)
            return fail(QStringLiteral("%1 is not a color list%2")
                            .arg(path, reason.isEmpty() ? QStringLiteral(".")
                                                        : QStringLiteral(": ") + reason + QLatin1Char('.')));
        if (list->entries.empty())
            return fail(QStringLiteral("%1: no colors found in the file.").arg(path));
        return std::vector<VQSwatchCollectionRef>{collectionFromColorList(*list, QFileInfo(path).completeBaseName())};
    }

    QString reason;
    std::optional<QByteArray> data = VQParser::readFile(path, &reason);
    if (!data)
        return fail(QStringLiteral("%1 cannot be read: %2.").arg(path, reason));
    std::unique_ptr<VQParser> parser;
    QString what;
    if (*kind == VQSwatchFileKind::ASE) {
        parser = std::make_unique<VQASEParser>(std::move(*data), path);
        what = QStringLiteral("an ASE swatch file");
    } else if (*kind == VQSwatchFileKind::ACO) {
        parser = std::make_unique<VQACOParser>(std::move(*data), path);
        what = QStringLiteral("an ACO swatch file");
    } else {
        parser = std::make_unique<VQGPLParser>(std::move(*data), path);
        what = QStringLiteral("a GIMP palette (line 1 is not \"GIMP Palette\")");
    }
    std::optional<std::vector<VQSwatchCollectionRef>> collections = parser->parseColors();
    if (!collections)
        return fail(parser->failure().isEmpty() ? QStringLiteral("%1 is not %2.").arg(path, what)
                                                : QStringLiteral("%1: %2.").arg(path, parser->failure()));
    if (collections->empty() || everyRowSkipped(*collections, *parser))
        return fail(noColorsFound(path, *parser));
    if (warning)
        *warning = importNotes(path, *parser);
    return collections;
}

bool VQImportCommands::importColorsFromFile(const VQParserFactory &makeParser, const QStringList &allowedExtensions,
                                            VQSwatchCore &core)
{
    const std::optional<QString> path = chooseFile(allowedExtensions);
    if (!path)
        return false;
    return importChosenFile(makeParser, *path, allowedExtensions.value(0), &core);
}

bool VQImportCommands::importChosenFile(const VQParserFactory &makeParser, const QString &path,
                                        const QString &extension, VQSwatchCore *core)
{
    std::unique_ptr<VQParser> parser = makeParser(path);
    if (!parser) {
        showNoColorsAlert(QStringLiteral("%1 cannot be read.").arg(path), false);
        return false;
    }
    const std::optional<std::vector<VQSwatchCollectionRef>> collections = parser->parseColors();
    if (!collections || collections->empty() || everyRowSkipped(*collections, *parser) || !core) {
        const QString kind = extension.isEmpty() ? QStringLiteral("swatch") : QLatin1Char('.') + extension;
        const QString reason = !parser->failure().isEmpty() ? QStringLiteral("%1: %2.").arg(path, parser->failure())
                               : !collections ? QStringLiteral("%1 is not a valid %2 file.").arg(path, kind)
                                              : noColorsFound(path, *parser);
        showNoColorsAlert(reason, true);
        return false;
    }
    if (!addCollections(*core, *collections, path))
        return false;
    showImportNotesAlert(path, *parser);
    return true;
}

bool VQImportCommands::importASE(VQSwatchCore &core)
{
    return importColorsFromFile(makeParser<VQASEParser>, {QStringLiteral("ase")}, core);
}

bool VQImportCommands::importACO(VQSwatchCore &core)
{
    return importColorsFromFile(makeParser<VQACOParser>, {QStringLiteral("aco")}, core);
}

bool VQImportCommands::importGPL(VQSwatchCore &core)
{
    return importColorsFromFile(makeParser<VQGPLParser>, {QStringLiteral("gpl")}, core);
}

bool VQImportCommands::importFile(const QString &path, VQSwatchCore &core)
{
    const std::optional<VQSwatchFileKind> kind = VQSwatchFileKindForPath(path);
    if (!kind) {
        showNoColorsAlert(
            QStringLiteral("%1: unknown kind of swatch file (expected .ase, .aco, .clr or .gpl).").arg(path), false);
        return false;
    }
    switch (*kind) {
    case VQSwatchFileKind::ASE:
        return importChosenFile(makeParser<VQASEParser>, path, QStringLiteral("ase"), &core);
    case VQSwatchFileKind::ACO:
        return importChosenFile(makeParser<VQACOParser>, path, QStringLiteral("aco"), &core);
    case VQSwatchFileKind::GPL:
        return importChosenFile(makeParser<VQGPLParser>, path, QStringLiteral("gpl"), &core);
    case VQSwatchFileKind::CLR:
        return importChosenColorList(path, &core);
    }
    return false;
}

bool VQImportCommands::importCLR(VQSwatchCore &core)
{
    const std::optional<QString> chosen = chooseFile({QStringLiteral("clr")});
    if (!chosen)
        return false;
    return importChosenColorList(*chosen, &core);
}

bool VQImportCommands::importChosenColorList(const QString &chosen, VQSwatchCore *core)
{
    const QString path = VQColorListFilePath(chosen);
    if (path != chosen)
        VQLog(QStringLiteral("Changing filePath to ") + path);
    VQLog(QStringLiteral("Will be importing from file ") + path);

    QString reason;
    const std::optional<VQColorList> list = VQReadColorListFile(path, &reason);
    if (!list || list->entries.empty() || !core) {
        if (!list && !QFileInfo(path).isReadable())
            showNoColorsAlert(QStringLiteral("%1 cannot be read.").arg(path), false);
        else
            showNoColorsAlert(!list
                                  ? QStringLiteral("%1 is not a color list%2")
                                        .arg(path, reason.isEmpty() ? QStringLiteral(".")
                                                                    : QStringLiteral(": ") + reason + QLatin1Char('.'))
                                  : QStringLiteral("%1: no colors found in the file.").arg(path),
                              true);
        return false;
    }

    const std::optional<QString> title =
        VQModalUI::shared().runTextPrompt({VQLocalizedString("Please, enter a new name for the color:"),
                                           QString(),
                                           QFileInfo(chosen).completeBaseName(),
                                           {VQLocalizedString("Rename"), VQLocalizedString("Cancel")}});
    if (!title || title->isEmpty()) {
        VQModalUI::shared().beep();
        return false;
    }
    return addCollections(*core, {collectionFromColorList(*list, *title)}, path);
}
