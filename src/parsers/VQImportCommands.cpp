#include "parsers/VQImportCommands.h"

#include "parsers/VQACOParser.h"
#include "parsers/VQASEParser.h"
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

namespace
{

// The folder of the last imported file, for the next import to start in.
constexpr const char *kLastImportFolderKey = "VQLastImportFolder";

VQFilePanel openPanel(const QStringList &allowedExtensions)
{
    VQFilePanel panel;
    panel.title = VQLocalizedString("Import");
    panel.allowedExtensions = allowedExtensions;
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

void addCollections(VQSwatchCore &core, const std::vector<VQSwatchCollectionRef> &collections)
{
    for (const VQSwatchCollectionRef &collection : collections)
        core.addCollection(collection);
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQCollectionsWereReorganizedNotification));
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
    return std::nullopt;
}

std::optional<std::vector<VQSwatchCollectionRef>> VQReadSwatchFile(const QString &path, QString *error)
{
    const auto fail = [error](const QString &message) -> std::optional<std::vector<VQSwatchCollectionRef>> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    const std::optional<VQSwatchFileKind> kind = VQSwatchFileKindForPath(path);
    if (!kind)
        return fail(QStringLiteral("%1: unknown kind of swatch file (expected .ase, .aco or .clr).").arg(path));

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
    if (*kind == VQSwatchFileKind::ASE)
        parser = std::make_unique<VQASEParser>(std::move(*data), path);
    else
        parser = std::make_unique<VQACOParser>(std::move(*data), path);
    std::optional<std::vector<VQSwatchCollectionRef>> collections = parser->parseColors();
    if (!collections)
        return fail(
            QStringLiteral("%1 is not %2 swatch file.")
                .arg(path, *kind == VQSwatchFileKind::ASE ? QStringLiteral("an ASE") : QStringLiteral("an ACO")));
    if (collections->empty())
        return fail(QStringLiteral("%1: no colors found in the file.").arg(path));
    return collections;
}

bool VQImportCommands::importColorsFromFile(const VQParserFactory &makeParser, const QStringList &allowedExtensions,
                                            VQSwatchCore *core)
{
    if (!core)
        core = VQSwatchCore::sharedCore();
    const std::optional<QString> path = chooseFile(allowedExtensions);
    if (!path)
        return false;
    std::unique_ptr<VQParser> parser = makeParser(*path);
    if (!parser) {
        showNoColorsAlert(QStringLiteral("%1 cannot be read.").arg(*path), false);
        return false;
    }
    const std::optional<std::vector<VQSwatchCollectionRef>> collections = parser->parseColors();
    if (!collections || collections->empty() || !core) {
        const QString kind =
            allowedExtensions.isEmpty() ? QStringLiteral("swatch") : QLatin1Char('.') + allowedExtensions.first();
        showNoColorsAlert(!collections ? QStringLiteral("%1 is not a valid %2 file.").arg(*path, kind)
                                       : QStringLiteral("%1: no colors found in the file.").arg(*path),
                          true);
        return false;
    }
    addCollections(*core, *collections);
    return true;
}

bool VQImportCommands::importASE(VQSwatchCore *core)
{
    return importColorsFromFile(makeParser<VQASEParser>, {QStringLiteral("ase")}, core);
}

bool VQImportCommands::importACO(VQSwatchCore *core)
{
    return importColorsFromFile(makeParser<VQACOParser>, {QStringLiteral("aco")}, core);
}

bool VQImportCommands::importCLR(VQSwatchCore *core)
{
    if (!core)
        core = VQSwatchCore::sharedCore();
    const std::optional<QString> chosen = chooseFile({QStringLiteral("clr")});
    if (!chosen)
        return false;
    const QString path = VQColorListFilePath(*chosen);
    if (path != *chosen)
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
                                           QFileInfo(*chosen).completeBaseName(),
                                           {VQLocalizedString("Rename"), VQLocalizedString("Cancel")}});
    if (!title || title->isEmpty()) {
        VQModalUI::shared().beep();
        return false;
    }
    addCollections(*core, {collectionFromColorList(*list, *title)});
    return true;
}
