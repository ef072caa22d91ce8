#include "ui/collections/VQCollectionActions.h"

#include "core/VQColorDrag.h"
#include "core/VQSwatchCore.h"
#include "parsers/VQImportCommands.h"
#include "parsers/VQSwatchExport.h"
#include "vqcore/VQContainerExtensions.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQPropertyList.h"
#include "vqcore/VQUserDefaults.h"

#include <algorithm>

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace
{

std::optional<std::size_t> indexOf(const VQSwatchCollection &collection, const VQColorRef &color)
{
    return VQList::find(collection.colors(), color);
}

bool inLibrary(const VQSwatchCore &core, const VQSwatchCollectionRef &collection)
{
    return collection && core.collectionWithID(collection->creationDate()) == collection;
}

// Asks until the answer is not blank; nothing when cancelled.
std::optional<QString> askForName(VQTextPrompt prompt)
{
    for (;;) {
        std::optional<QString> text = VQModalUI::shared().runTextPrompt(prompt);
        if (!text)
            return std::nullopt;
        if (!text->trimmed().isEmpty())
            return text;
        prompt.text = *text;
    }
}

// Runs a confirmation with a "don't ask again" box unless `key` says not to ask.
// The box is stored only together with the confirming answer.
bool confirm(const char *key, VQAlert alert, int confirmButton)
{
    VQUserDefaults &defaults = VQUserDefaults::standard();
    if (defaults.boolForKey(QString::fromLatin1(key)))
        return true;
    alert.showsSuppressionButton = true;
    const VQAlertResponse response = VQModalUI::shared().runAlert(alert);
    if (response.button != confirmButton)
        return false;
    if (response.suppressed) {
        defaults.setBool(QString::fromLatin1(key), true);
        defaults.synchronize();
    }
    return true;
}

// The folder of the last export, for the next save panel to start in.
constexpr const char *kLastExportFolderKey = "VQLastExportFolder";

// A file name from a title: no folder separators, no leading dot.
QString fileNameFor(const QString &title)
{
    QString name = title;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    name.remove(QChar(0));
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name.trimmed().isEmpty() ? VQLocalizedString("Collection") : name.trimmed();
}

std::optional<std::uint64_t> &runningDrag()
{
    static std::optional<std::uint64_t> identifier;
    return identifier;
}

} // namespace

namespace VQCollectionActions
{

void postReorganized()
{
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQCollectionsWereReorganizedNotification));
}

void selectColor(VQSwatchCore &core, const VQSwatchCollectionRef &collection, const VQColorRef &color,
                 const PickerSwitch &switchPicker)
{
    if (!collection || !color)
        return;
    const std::optional<std::size_t> index = indexOf(*collection, color);
    if (!index)
        return;
    if (switchPicker)
        switchPicker(color->colorSpace());
    core.setSelectedColor(color, true);
    collection->selectColorAtIndex(*index);
}

bool renameColor(const VQSwatchCollectionRef &collection, const VQColorRef &color)
{
    if (!collection || !color)
        return false;
    const std::optional<QString> name = askForName({VQLocalizedString("Please, enter a new name for the color:"),
                                                    {},
                                                    color->name(),
                                                    {VQLocalizedString("Rename"), VQLocalizedString("Cancel")}});
    // The colour may have left the collection while the prompt was open.
    if (!name || !indexOf(*collection, color))
        return false;
    color->setName(*name);
    collection->updateModificationDate();
    return true;
}

bool removeColor(const VQSwatchCollectionRef &collection, const VQColorRef &color)
{
    if (!collection || !color || !indexOf(*collection, color))
        return false;
    VQAlert alert{VQLocalizedString("Do you really want to remove this color from its collection?"),
                  VQLocalizedString("This action cannot be undone."),
                  {VQLocalizedString("Cancel"), VQLocalizedString("Remove")}};
    if (!confirm(VQDoesntNeedColorRemovalConfirmationKey, alert, 1))
        return false;
    // Found again by identity: the list may have changed while the alert was open.
    const std::optional<std::size_t> index = indexOf(*collection, color);
    if (!index)
        return false;
    collection->removeColorAtIndex(*index);
    return true;
}

bool renameCollection(const VQSwatchCollectionRef &collection)
{
    if (!collection)
        return false;
    const std::optional<QString> title =
        askForName({VQLocalizedString("Please, enter a new name for the color collection:"),
                    {},
                    collection->title(),
                    {VQLocalizedString("Rename"), VQLocalizedString("Cancel")}});
    if (!title)
        return false;
    return setCollectionTitle(collection, *title);
}

bool setCollectionTitle(const VQSwatchCollectionRef &collection, const QString &title)
{
    if (!collection || title.trimmed().isEmpty())
        return false;
    if (collection->title() == title)
        return true;
    collection->setTitle(title);
    // The new date marks the library for saving and lets the title win on the other computers.
    collection->updateModificationDate();
    return true;
}

bool removeCollection(VQSwatchCore &core, const VQSwatchCollectionRef &collection)
{
    if (!collection)
        return false;
    const VQAlertResponse response =
        VQModalUI::shared().runAlert({VQLocalizedString("Do you really want to remove this collection?"),
                                      VQLocalizedString("This action cannot be undone."),
                                      {VQLocalizedString("Cancel"), VQLocalizedString("Remove")}});
    if (response.button != 1 || !inLibrary(core, collection))
        return false;
    core.removeCollection(collection);
    postReorganized();
    return true;
}

VQSwatchCollectionRef createCollectionWithColor(VQSwatchCore &core, const VQColorRef &color)
{
    if (!color)
        return nullptr;
    const std::optional<QString> title =
        askForName({VQLocalizedString("Please, enter a name for the color collection:"),
                    {},
                    VQLocalizedString("New Collection"),
                    {VQLocalizedString("Create"), VQLocalizedString("Cancel")}});
    if (!title)
        return nullptr;
    VQSwatchCollectionRef collection = VQSwatchCollection::create(*title, {color});
    core.addCollection(collection);
    postReorganized();
    return collection;
}

bool addDroppedColor(const VQSwatchCollectionRef &collection, const VQColorRef &color, bool askName)
{
    if (!collection || !color)
        return false;
    if (askName) {
        const std::optional<QString> name = askForName({VQLocalizedString("Please, enter a new name for the color:"),
                                                        {},
                                                        color->name(),
                                                        {VQLocalizedString("Rename"), VQLocalizedString("Cancel")}});
        if (!name)
            return false;
        color->setName(*name);
    }
    if (!collection->addColor(color, true))
        return false;
    collection->updateModificationDate();
    return true;
}

VQMergeResult mergeCollections(VQSwatchCore &core, const VQSwatchCollectionRef &source,
                               const VQSwatchCollectionRef &target)
{
    if (!source || !target || source == target || source->creationDate() == target->creationDate())
        return VQMergeResult::RefusedSelf;
    if (!inLibrary(core, source) || !inLibrary(core, target))
        return VQMergeResult::RefusedAbsent;
    VQAlert alert{VQLocalizedString("Are you sure you want to merge these two collections?"),
                  VQLocalizedString("This action cannot be undone."),
                  {VQLocalizedString("Merge"), VQLocalizedString("Cancel")}};
    if (!confirm(VQDoesntNeedCollectionMergingConfirmationKey, alert, 0))
        return VQMergeResult::Cancelled;
    return mergeCollectionsNow(core, source, target);
}

VQMergeResult mergeCollectionsNow(VQSwatchCore &core, const VQSwatchCollectionRef &source,
                                  const VQSwatchCollectionRef &target)
{
    if (!source || !target || source == target || source->creationDate() == target->creationDate())
        return VQMergeResult::RefusedSelf;
    // Checked again: the library may have changed while the question was open.
    if (!inLibrary(core, source) || !inLibrary(core, target))
        return VQMergeResult::RefusedAbsent;
    VQLog(QStringLiteral("Merging %1 into %2.").arg(source->title(), target->title()));

    // Decide first, then add: adding gives a colour a new identifier, after
    // which a later duplicate in the source would no longer look like one.
    const std::vector<VQColorRef> present = target->colors();
    std::vector<VQColorRef> accepted;
    for (const VQColorRef &color : source->colors()) {
        const auto same = [&](const VQColorRef &other) { return other->isEqualToColor(*color); };
        if (std::none_of(present.begin(), present.end(), same) && std::none_of(accepted.begin(), accepted.end(), same))
            accepted.push_back(color);
    }
    bool added = false;
    for (const VQColorRef &color : accepted)
        added |= target->addColor(color, true);
    if (added)
        target->updateModificationDate();
    core.removeCollection(source);
    postReorganized();
    return VQMergeResult::Merged;
}

void moveCollection(VQSwatchCore &core, const VQSwatchCollectionRef &collection, std::size_t toIndex)
{
    if (!inLibrary(core, collection))
        return;
    VQLog(QStringLiteral("Should move collection to index %1").arg(toIndex));
    core.moveCollection(collection, toIndex);
    postReorganized();
}

bool exportCollections(const std::vector<VQSwatchCollectionRef> &collections)
{
    if (collections.empty())
        return false;
    // One collection is offered as a GIMP palette; several as one .ase, which holds them all.
    QStringList extensions = VQExportExtensions();
    if (collections.size() > 1)
        extensions.move(extensions.indexOf(QStringLiteral("ase")), 0);
    VQFilePanel panel;
    panel.title = VQLocalizedString("Export");
    panel.allowedExtensions = extensions;
    panel.fileKind = VQLocalizedString("Palette files");
    VQUserDefaults &defaults = VQUserDefaults::standard();
    const QString last = defaults.stringForKey(QLatin1String(kLastExportFolderKey));
    panel.directory = !last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::homePath();
    panel.proposedName =
        (collections.size() == 1 ? fileNameFor(collections.front()->title()) : VQLocalizedString("Collections")) +
        QLatin1Char('.') + extensions.first();
    const std::optional<QString> path = VQModalUI::shared().runSavePanel(panel);
    if (!path)
        return false;
    defaults.setString(QLatin1String(kLastExportFolderKey), QFileInfo(*path).absolutePath());

    const auto fail = [&](const QString &reason) {
        VQModalUI::shared().runAlert(
            {VQLocalizedString("The colors could not be exported."), reason, {VQLocalizedString("OK")}});
        return false;
    };
    const std::optional<VQExportFormat> format = VQExportFormatForPath(*path);
    if (!format)
        return fail(
            QStringLiteral("%1: the name must end in .gpl, .ase, .css or .json, which picks the format.").arg(*path));
    QString error;
    VQChangedNames changed;
    if (!VQWriteExport(collections, *format, *path, &error, &changed))
        return fail(error);
    VQLog(QStringLiteral("Exported %1 collections to %2.").arg(collections.size()).arg(*path));
    // What the format could not hold as it is, told once the file is written.
    if (changed.count > 0)
        VQModalUI::shared().runAlert({VQLocalizedString("Some names were changed in the exported file."),
                                      *path + QStringLiteral(": ") + VQDescribeChangedNames(changed),
                                      {VQLocalizedString("OK")}});
    return true;
}

QStringList importableFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    QStringList files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile() || !VQSwatchFileKindForPath(url.toLocalFile()))
            return {};
        files << url.toLocalFile();
    }
    return files;
}

} // namespace VQCollectionActions

namespace VQCollectionDrag
{

QByteArray encode(std::uint64_t creationDate)
{
    return VQPlist::integer(creationDate).toXML();
}

std::optional<std::uint64_t> decode(const QByteArray &payload)
{
    const std::optional<VQPlist> plist = VQPlist::fromData(payload);
    if (!plist || !plist->node().isInteger())
        return std::nullopt;
    return plist->node().toUInt64();
}

void write(QMimeData &data, const VQSwatchCollection &collection)
{
    data.setData(QString::fromLatin1(VQSwatchCollectionDragType), encode(collection.creationDate()));
    const std::vector<VQColorRef> colors = collection.colors();
    if (colors.empty())
        return;
    constexpr int side = 32;
    QImage strip(side * int(colors.size()), side, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (std::size_t i = 0; i < colors.size(); ++i)
        painter.fillRect(QRect(side * int(i), 0, side, side), colors[i]->screenColor());
    painter.end();
    data.setImageData(strip);
}

bool hasCollectionType(const QMimeData *data)
{
    return data && data->hasFormat(QString::fromLatin1(VQSwatchCollectionDragType));
}

std::optional<std::uint64_t> identifierOfOwnDrag(const QMimeData *data)
{
    if (!hasCollectionType(data))
        return std::nullopt;
    const std::optional<std::uint64_t> identifier = decode(data->data(QString::fromLatin1(VQSwatchCollectionDragType)));
    if (!identifier || runningDrag() != identifier)
        return std::nullopt;
    return identifier;
}

Session::Session(std::uint64_t creationDate) : _previous(runningDrag())
{
    runningDrag() = creationDate;
}

Session::~Session()
{
    runningDrag() = _previous;
}

std::optional<std::uint64_t> Session::current()
{
    return runningDrag();
}

} // namespace VQCollectionDrag

VQColorRef VQColorFromMimeData(const QMimeData *data)
{
    return VQColorDrag::read(data);
}
