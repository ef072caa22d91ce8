#include "core/VQSwatchCore.h"

#include "core/sync/VQFileCoordinator.h"

#include "vqcore/VQAppScopeBookmarksManager.h"
#include "vqcore/VQClock.h"
#include "vqcore/VQContainerExtensions.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQPlistWriter.h"
#include "vqcore/VQTermination.h"
#include "vqcore/VQUserDefaults.h"

#include "core/VQOccurrencePairing_p.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

#include <unistd.h>

namespace
{
std::unique_ptr<VQSwatchCore> gSharedCore;
VQSelectedColorSink *gSelectedColorSink = nullptr;

// The earlier version kept its library under this name in the data folder.
constexpr const char *kEarlierIdentifier = "io.vellico.Vellico";

constexpr const char *kNoVersionText = QT_TRANSLATE_NOOP("Vellico", "Cannot read the library version number.");
constexpr const char *kNewerVersionText = QT_TRANSLATE_NOOP("Vellico", "It was created by a newer version of Vellico.");

// "DBVersion" is read as a number (or text holding one). Libraries of earlier
// versions are read as they are; a later one, or none at all, is refused.
const char *versionProblem(VQPlistNode root, double ourVersion, double *version = nullptr)
{
    const double v = root[VQLibraryVersion].doubleValue();
    if (version)
        *version = v;
    if (v == 0)
        return kNoVersionText;
    if (ourVersion < v)
        return kNewerVersionText;
    return nullptr;
}

[[noreturn]] void fatalAlert(const char *informative, const QString &logLine)
{
    VQModalUI::shared().runAlert({VQLocalizedString("Vellico couldn't open the swatch library."),
                                  VQLocalizedString(informative),
                                  {VQLocalizedString("Quit")}});
    VQLog(logLine);
    VQTermination::terminate(0);
}

// Keeps an unreadable library beside the new one, so that "Overwrite" never
// destroys what the user had: "Vellico Library (unreadable 2026-12-06 101500).vlb".
void setAsideUnreadableLibrary(const QString &path)
{
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HHmmss"));
    QString target;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString suffix = attempt == 0 ? QString() : QStringLiteral(" %1").arg(attempt + 1);
        target = info.dir().filePath(
            QStringLiteral("%1 (unreadable %2%3).%4").arg(info.completeBaseName(), stamp, suffix, info.suffix()));
        if (!QFileInfo::exists(target))
            break;
    }
    if (QFile::rename(path, target)) {
        VQLog(QStringLiteral("Kept the unreadable library as ") + target + QStringLiteral("."));
    } else {
        // Could not set it aside: keep it where it is and let the first save decide.
        VQLog(QStringLiteral("Could not keep the unreadable library as ") + target + QStringLiteral("."));
    }
}
} // namespace

VQSelectedColorSink::~VQSelectedColorSink() = default;

VQSwatchCore::VQSwatchCore(QString path) : _url(std::move(path)) {}

VQSwatchCore::~VQSwatchCore() = default;

VQSwatchCore *VQSwatchCore::sharedCore()
{
    return gSharedCore.get();
}

void VQSwatchCore::setSharedCore(std::unique_ptr<VQSwatchCore> core)
{
    gSharedCore = std::move(core);
}

std::unique_ptr<VQSwatchCore> VQSwatchCore::takeSharedCore()
{
    return std::move(gSharedCore);
}

QString VQSwatchCore::oldLocationPath()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QLatin1Char('/') + QLatin1String(kEarlierIdentifier) + QStringLiteral("/Vellico Library.vlb");
}

std::unique_ptr<VQSwatchCore> VQSwatchCore::loadFromURL(const QString &path)
{
    std::unique_ptr<VQSwatchCore> core(new VQSwatchCore(path));

    // A library of the earlier version moves here once, when there is none yet.
    const QString oldPath = oldLocationPath();
    if (!QFileInfo::exists(path) && QFileInfo::exists(oldPath))
        QFile::copy(oldPath, path);

    if (!QFileInfo::exists(path)) {
        VQLog(QStringLiteral("Path doesn't exist."));
        const QString folder = QFileInfo(path).absolutePath();
        if (!VQFileURL::isWritable(folder)) {
            VQModalUI::shared().runAlert(
                {VQLocalizedString("Vellico cannot write to the folder where the library should be saved."),
                 VQLocalizedString(
                     "Please, hold down the Alt key while launching Vellico to choose a different library."),
                 {VQLocalizedString("Quit")}});
            VQLog(QStringLiteral("Not writable at path ") + folder + QStringLiteral("."));
            VQTermination::terminate(0);
        }
        core->innerInit();
        return core;
    }

    VQAppScopeBookmarksManager::sharedManager().startAccessing(path);
    QString error;
    std::optional<VQPlist> root = VQPlist::fromFile(path, &error);
    VQAppScopeBookmarksManager::sharedManager().stopAccessing(path);

    if (!root || !root->node().isDictionary()) {
        QFile file(path);
        QString text = QStringLiteral("<unreadable>");
        if (file.open(QIODevice::ReadOnly))
            text = QString::fromUtf8(file.read(4096));
        VQLog(QStringLiteral("Failed to read the library (") + text + QStringLiteral(")."));
        const VQAlertResponse answer = VQModalUI::shared().runAlert(
            {VQLocalizedString("Vellico couldn't open the swatch library."),
             VQLocalizedString("The library may be corrupted or could be from a future release of Vellico."),
             {VQLocalizedString("Quit"), VQLocalizedString("Overwrite")}});
        if (answer.button != 1)
            VQTermination::terminate(0);
        setAsideUnreadableLibrary(path);
        core->innerInit();
        return core;
    }

    double v = 0;
    if (const char *problem = versionProblem(root->node(), core->version(), &v))
        fatalAlert(problem, problem == kNoVersionText
                                ? QStringLiteral("Cannot read library version number.")
                                : QStringLiteral("Future version ") + QString::number(v) + QStringLiteral("."));

    core->readLibraryContents(root->node());
    root.reset();
    VQReleaseFreedMemory();
    core->innerInit();
    return core;
}

std::unique_ptr<VQSwatchCore> VQSwatchCore::openDetached(const QString &path, QString *error)
{
    if (!QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("No library at %1.").arg(path);
        return nullptr;
    }
    QString readError;
    std::optional<VQPlist> root = VQPlist::fromFile(path, &readError);
    if (!root || !root->node().isDictionary()) {
        if (error)
            *error = QStringLiteral("%1 is not a library (%2).")
                         .arg(path, readError.isEmpty() ? QStringLiteral("not a dictionary") : readError);
        return nullptr;
    }
    std::unique_ptr<VQSwatchCore> core = detachedFromLibrary(root->node(), path, error);
    root.reset();
    VQReleaseFreedMemory();
    if (core)
        core->_modificationDate = VQFileURL::modificationDate(path);
    return core;
}

std::unique_ptr<VQSwatchCore> VQSwatchCore::detachedFromLibrary(VQPlistNode root, const QString &path, QString *error)
{
    std::unique_ptr<VQSwatchCore> core(new VQSwatchCore(path));
    if (const char *problem = versionProblem(root, core->version())) {
        if (error)
            *error = VQLocalizedString(problem);
        return nullptr;
    }
    core->readLibraryContents(root);
    return core;
}

void VQSwatchCore::readLibraryContents(VQPlistNode root)
{
    VQLog(QStringLiteral("Starting to read."));
    std::vector<VQSwatchCollectionRef> collections;
    const VQPlistNode contents = root[VQLibraryContent];
    collections.reserve(contents.count());
    bool malformed = false;
    contents.forEachItem([&](VQPlistNode item) {
        if (item.isDictionary())
            collections.push_back(VQSwatchCollection::fromDictionary(item));
        else
            malformed = true;
    });
    if (malformed)
        collections.clear();

    std::vector<std::uint64_t> removed;
    const VQPlistNode removedNode = root[VQLibraryRemovedCollectionIDs];
    removed.reserve(removedNode.count());
    malformed = false;
    removedNode.forEachItem([&](VQPlistNode item) {
        if (auto id = item.toUInt64())
            removed.push_back(*id);
        else
            malformed = true;
    });
    if (malformed)
        removed.clear();

    std::lock_guard lock(_lock);
    _collections = std::move(collections);
    _removedCollectionIDs = std::move(removed);
}

void VQSwatchCore::innerInit()
{
    auto &center = VQNotificationCenter::defaultCenter();
    _observers.emplace_back(center.addObserver(QString::fromLatin1(VQSwatchCollectionDidChangeNotification), nullptr,
                                               [this](const VQNotification &) { smudge(); }));

    if (!VQUserDefaults::standard().boolForKey(QString::fromLatin1(VQDBAutomaticSavingDisabledDefaultsKey))) {
        _saveTimer = std::make_unique<QTimer>();
        _saveTimer->setInterval(300 * 1000);
        _saveTimer->setTimerType(Qt::VeryCoarseTimer);
        QObject::connect(_saveTimer.get(), &QTimer::timeout, [this] { save(); });
        _saveTimer->start();
    }

    _observers.emplace_back(center.addObserver(QString::fromLatin1(VQApplicationWillTerminateNotification), nullptr,
                                               [this](const VQNotification &) {
                                                   save();
                                                   stopUsingBookmarkedURL();
                                               }));

    center.post(QString::fromLatin1(VQSwatchCoreDidFinishLoadingNotification), this);

    VQLog(QStringLiteral("Updating date."));
    _modificationDate = VQFileURL::modificationDate(_url);
}

void VQSwatchCore::stopUsingBookmarkedURL()
{
    VQAppScopeBookmarksManager::sharedManager().stopAccessing(_url);
}

std::vector<VQSwatchCollectionRef> VQSwatchCore::allCollections() const
{
    std::lock_guard lock(_lock);
    return _collections;
}

std::size_t VQSwatchCore::numberOfCollections() const
{
    std::lock_guard lock(_lock);
    return _collections.size();
}

std::vector<VQSwatchCollectionRef> VQSwatchCore::collectionsInRange(std::size_t location, std::size_t length) const
{
    std::lock_guard lock(_lock);
    return VQList::sliceWithRange(_collections, location, length);
}

VQSwatchCollectionRef VQSwatchCore::collectionWithID(std::uint64_t creationDate) const
{
    std::lock_guard lock(_lock);
    for (const VQSwatchCollectionRef &collection : _collections)
        if (collection->creationDate() == creationDate)
            return collection;
    return nullptr;
}

std::vector<std::uint64_t> VQSwatchCore::removedCollectionIDs() const
{
    std::lock_guard lock(_lock);
    return _removedCollectionIDs;
}

void VQSwatchCore::addCollection(const VQSwatchCollectionRef &collection)
{
    if (!collection)
        return;
    {
        std::lock_guard lock(_lock);
        // A collection made in another process within the same seconds can carry
        // an identity this library already holds or has deleted; it would pair
        // with that one in every merge, or vanish with its tombstone.
        std::vector<std::uint64_t> held(_removedCollectionIDs);
        bool clash = false;
        for (const VQSwatchCollectionRef &c : _collections) {
            held.push_back(c->creationDate());
            clash = clash || (c != collection && c->creationDate() == collection->creationDate());
        }
        clash = clash || std::find(_removedCollectionIDs.begin(), _removedCollectionIDs.end(),
                                   collection->creationDate()) != _removedCollectionIDs.end();
        if (clash) {
            const VQMerge::IDSet taken(std::move(held));
            collection->setCreationDate(
                VQUniqueTimestamp::collectionIDs().next([&](std::uint64_t id) { return taken.contains(id); }));
        }
        _collections.push_back(collection);
    }
    smudge();
}

void VQSwatchCore::removeCollection(const VQSwatchCollectionRef &collection)
{
    if (!collection)
        return;
    VQLog(QStringLiteral("Removing %1, before count: %2").arg(collection->title()).arg(numberOfCollections()));
    {
        std::lock_guard lock(_lock);
        _removedCollectionIDs.push_back(collection->creationDate());
        std::erase(_collections, collection);
    }
    smudge();
}

void VQSwatchCore::moveCollection(const VQSwatchCollectionRef &collection, std::size_t toIndex)
{
    std::lock_guard lock(_lock);
    const auto index = VQList::find(_collections, collection);
    if (!index)
        return;
    if (*index != toIndex)
        VQList::moveObjectAtIndex(_collections, *index, toIndex);
    smudge();
}

void VQSwatchCore::smudge()
{
    _libraryDirty = true;
}

void VQSwatchCore::writeLibrary(VQPlistSink &sink) const
{
    sink.beginDictionary();
    sink.key(VQLibraryVersion);
    sink.string(QString::fromLatin1(VQCurrentLibraryVersion));
    sink.key(VQLibrarySaveDate);
    sink.date(QDateTime::fromSecsSinceEpoch(qint64(VQClock::now()), Qt::UTC));
    std::lock_guard lock(_lock);
    sink.key(VQLibraryContent);
    sink.beginArray();
    for (const VQSwatchCollectionRef &collection : _collections)
        collection->writeDictionary(sink);
    sink.endArray();
    sink.key(VQLibraryRemovedCollectionIDs);
    sink.beginArray();
    for (std::uint64_t id : _removedCollectionIDs)
        sink.integer(id);
    sink.endArray();
    sink.endDictionary();
}

VQPlist VQSwatchCore::libraryDictionary() const
{
    VQPlistTreeBuilder builder;
    writeLibrary(builder);
    return builder.take();
}

bool VQSwatchCore::writeToURL(const QString &path, QString *error, VQPlistFormat format) const
{
    QByteArray bytes;
    if (format == VQPlistFormat::Binary) {
        VQPlistBinaryWriter binary;
        writeLibrary(binary);
        bytes = binary.finish();
    } else {
        VQPlistXMLWriter xml;
        writeLibrary(xml);
        bytes = xml.finish();
    }
    auto &bookmarks = VQAppScopeBookmarksManager::sharedManager();
    bookmarks.startAccessing(path);
    const bool written = VQWriteFileAtomically(path, bytes, error);
    bookmarks.stopAccessing(path);
    return written;
}

bool VQSwatchCore::save()
{
    const auto fileChanged = [this] {
        const std::optional<VQFileDate> current = VQFileURL::modificationDate(_url);
        return current && (!_modificationDate || *current != *_modificationDate);
    };
    if (!_libraryDirty && !fileChanged())
        return true;

    {
        // Another process (vellico-cli import or sync, a second program on a
        // shared home) saves the same file the same way: under the file's
        // exclusive lock, no change of theirs can land between our look at the
        // file and our write. Rather than lose our own changes at the end, a save
        // that can't have the lock in time goes ahead without it.
        const VQFileLock lock(_url, VQFileLock::Mode::Exclusive, VQFileCoordinator::kDefaultTimeoutMs);
        if (!lock.isAcquired())
            VQLog(QStringLiteral("Saving without the library's lock: ") + lock.error());

        if (fileChanged()) {
            // Someone else wrote the file since we last read or wrote it (or made
            // it where there was none): take their changes in before ours go out.
            mergeWithRemoteCoreAtURL(_url);
        } else if (!_libraryDirty) {
            return true;
        }

        QString error;
        if (!writeToURL(_url, &error)) {
            // The old file stays as it was and the library stays dirty, so the
            // next save tries again.
            VQLog(QStringLiteral("Failed to save the library at ") + _url + QStringLiteral(": ") + error);
            return false;
        }
        VQLog(QStringLiteral("Updating date."));
        _modificationDate = VQFileURL::modificationDate(_url);
    }
    // After the lock is let go: observers (a synchronisation pass) may save again.
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQVellicoCoreDidSaveNotification));
    return true;
}

VQColorRef VQSwatchCore::selectedColor() const
{
    if (_selectedColor)
        return _selectedColor;
    if (gSelectedColorSink && gSelectedColorSink->currentColorSpace() == VQColorSpace::CMYK)
        return VQColor::makeCMYK(0, 0, 0, 0);
    return VQColor::whiteColor();
}

void VQSwatchCore::setSelectedColor(const VQColorRef &color, bool updateColorPicker)
{
    if (color && color == _selectedColor)
        return;
    _selectedColor = color;
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQSwatchCoreColorSelectionDidChangeNotification),
                                               color.get());
    if (updateColorPicker && gSelectedColorSink && color)
        gSelectedColorSink->showColor(color);
}

void VQSwatchCore::setSelectedColorSink(VQSelectedColorSink *sink)
{
    gSelectedColorSink = sink;
}
