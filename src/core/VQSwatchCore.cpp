#include "core/VQSwatchCore.h"

#include "core/sync/VQFileCoordinator.h"

#include "vqcore/VQAppScopeBookmarksManager.h"
#include "vqcore/VQClock.h"
#include "vqcore/VQContainerExtensions.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQPlistWriter.h"
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
VQSwatchCore *gSharedCore = nullptr;

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

// A save waiting for the library's lock tries again this often, and says so
// in the status once it has waited this long.
constexpr int kLockRetryMs = 25;
constexpr int kLockWaitShownAfterMs = 500;

// Keeps a library file that cannot be read or merged beside the library, so
// that writing ours never destroys what it held:
// "Vellico Library (unreadable 2026-12-06 101500).vlb". Returns where it went,
// or nothing when it could not be moved.
std::optional<QString> setAsideLibrary(const QString &path, const QString &why)
{
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HHmmss"));
    QString target;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString suffix = attempt == 0 ? QString() : QStringLiteral(" %1").arg(attempt + 1);
        target = info.dir().filePath(
            QStringLiteral("%1 (%2 %3%4).%5").arg(info.completeBaseName(), why, stamp, suffix, info.suffix()));
        if (!QFileInfo::exists(target))
            break;
    }
    if (QFile::rename(path, target)) {
        VQLog(QStringLiteral("Kept the %1 library as %2.").arg(why, target));
        return target;
    }
    VQLog(QStringLiteral("Could not keep the %1 library as %2.").arg(why, target));
    return std::nullopt;
}

// Keeps an unreadable library beside the new one, so that "Overwrite" never
// destroys what the user had.
void setAsideUnreadableLibrary(const QString &path)
{
    // Could not set it aside: it stays where it is and the first save decides.
    setAsideLibrary(path, QStringLiteral("unreadable"));
}
} // namespace

VQSelectedColorSink::~VQSelectedColorSink() = default;

VQSwatchCore::VQSwatchCore(QString path) : _url(std::move(path)) {}

VQSwatchCore::~VQSwatchCore()
{
    // A collection kept by someone else (a window, the clipboard) outlives us.
    for (const VQSwatchCollectionRef &collection : _collections)
        collection->removeChangeHandler(this);
}

VQSwatchCore *VQSwatchCore::sharedCore()
{
    return gSharedCore;
}

VQSharedCoreOwner::VQSharedCoreOwner(std::unique_ptr<VQSwatchCore> core) : _core(std::move(core))
{
    Q_ASSERT(_core && !gSharedCore);
    gSharedCore = _core.get();
}

VQSharedCoreOwner::~VQSharedCoreOwner()
{
    if (gSharedCore == _core.get())
        gSharedCore = nullptr;
}

void VQSwatchCore::adopt(const VQSwatchCollectionRef &collection)
{
    collection->setChangeHandler(this, [this] { smudge(); });
}

QString VQSwatchCore::oldLocationPath()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QLatin1Char('/') + QLatin1String(kEarlierIdentifier) + QStringLiteral("/Vellico Library.vlb");
}

VQLibraryOpenResult VQSwatchCore::open(const QString &path, VQLibraryOpenOptions options)
{
    using Kind = VQLibraryOpenError::Kind;
    const auto failed = [](Kind kind, QString message) {
        return VQLibraryOpenResult{nullptr, VQLibraryOpenError{kind, std::move(message)}};
    };
    const auto started = [&](std::unique_ptr<VQSwatchCore> core) {
        if (options.live)
            core->innerInit();
        else
            core->_modificationDate = VQFileURL::modificationDate(path);
        return VQLibraryOpenResult{std::move(core), std::nullopt};
    };

    if (options.startWhenMissing) {
        // A library of the earlier version moves here once, when there is none yet.
        const QString oldPath = oldLocationPath();
        if (!QFileInfo::exists(path) && QFileInfo::exists(oldPath))
            QFile::copy(oldPath, path);
    }

    if (!QFileInfo::exists(path)) {
        if (!options.startWhenMissing)
            return failed(Kind::Missing, QStringLiteral("No library at %1.").arg(path));
        VQLog(QStringLiteral("Path doesn't exist."));
        const QString folder = QFileInfo(path).absolutePath();
        if (!VQFileURL::isWritable(folder)) {
            VQLog(QStringLiteral("Not writable at path ") + folder + QStringLiteral("."));
            return failed(Kind::FolderNotWritable, QStringLiteral("Cannot write to the folder %1.").arg(folder));
        }
        return started(std::unique_ptr<VQSwatchCore>(new VQSwatchCore(path)));
    }

    VQAppScopeBookmarksManager::sharedManager().startAccessing(path);
    QString readError;
    std::optional<VQPlist> root = VQPlist::fromFile(path, &readError);
    VQAppScopeBookmarksManager::sharedManager().stopAccessing(path);

    if (!root || !root->node().isDictionary()) {
        // Why, never its bytes: the file may be a pipe or a device.
        const QString why = readError.isEmpty() ? QStringLiteral("not a dictionary") : readError;
        VQLog(QStringLiteral("Failed to read the library %1 (%2).").arg(path, why));
        if (!options.replaceUnreadable)
            return failed(Kind::Unreadable, QStringLiteral("%1 is not a library (%2).").arg(path, why));
        setAsideUnreadableLibrary(path);
        return started(std::unique_ptr<VQSwatchCore>(new VQSwatchCore(path)));
    }

    std::unique_ptr<VQSwatchCore> core(new VQSwatchCore(path));
    double v = 0;
    if (const char *problem = versionProblem(root->node(), core->version(), &v)) {
        VQLog(problem == kNoVersionText ? QStringLiteral("Cannot read library version number.")
                                        : QStringLiteral("Future version ") + QString::number(v) + QStringLiteral("."));
        return failed(problem == kNoVersionText ? Kind::NoVersion : Kind::NewerVersion, VQLocalizedString(problem));
    }
    core->readLibraryContents(root->node());
    root.reset();
    VQReleaseFreedMemory();
    return started(std::move(core));
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
    for (const VQSwatchCollectionRef &collection : _collections)
        collection->removeChangeHandler(this);
    for (const VQSwatchCollectionRef &collection : collections)
        adopt(collection);
    _collections = std::move(collections);
    _removedCollectionIDs = std::move(removed);
    _fileCollectionIDs.clear();
    for (const VQSwatchCollectionRef &collection : _collections)
        _fileCollectionIDs.push_back(collection->creationDate());
}

void VQSwatchCore::innerInit()
{
    auto &center = VQNotificationCenter::defaultCenter();
    if (!VQUserDefaults::standard().boolForKey(QString::fromLatin1(VQDBAutomaticSavingDisabledDefaultsKey))) {
        _saveTimer = std::make_unique<QTimer>();
        _saveTimer->setInterval(300 * 1000);
        _saveTimer->setTimerType(Qt::VeryCoarseTimer);
        QObject::connect(_saveTimer.get(), &QTimer::timeout, [this] { saveWithoutBlocking(); });
        _saveTimer->start();
        _saveSoonTimer = std::make_unique<QTimer>();
        _saveSoonTimer->setSingleShot(true);
        _saveSoonTimer->setInterval(_saveDelayAfterChangeMs);
        QObject::connect(_saveSoonTimer.get(), &QTimer::timeout, [this] { saveWithoutBlocking(); });
    }
    _lockRetryTimer = std::make_unique<QTimer>();
    _lockRetryTimer->setSingleShot(true);
    _lockRetryTimer->setInterval(kLockRetryMs);
    QObject::connect(_lockRetryTimer.get(), &QTimer::timeout, [this] { tryToSaveWithoutBlocking(); });

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
    adopt(collection);
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
        if (std::erase(_collections, collection) > 0)
            collection->removeChangeHandler(this);
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
    if (QTimer *timer = _saveSoonTimer.get()) // started on its own thread, whoever changed the library
        QMetaObject::invokeMethod(timer, [timer] { timer->start(); });
}

void VQSwatchCore::setSaveDelayAfterChange(int milliseconds)
{
    _saveDelayAfterChangeMs = milliseconds;
    if (_saveSoonTimer)
        _saveSoonTimer->setInterval(milliseconds);
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

namespace
{
QString tooManyColorsText(std::int64_t colors)
{
    return QStringLiteral("the library would hold %1 colors, more than the %2 Vellico can keep")
        .arg(colors)
        .arg(VQLibraryMaxColors);
}

QString tooCostlyText(std::uint64_t cost)
{
    return QStringLiteral("the library would take %1 once read, more than the %2 Vellico can read back")
        .arg(VQByteCountText(cost), VQByteCountText(VQPlistMaxExpandedBytes));
}

QString tooLargeFileText()
{
    return QStringLiteral("the library would be a file of more than %1, the most Vellico can read back")
        .arg(VQByteCountText(quint64(VQPlistMaxFileBytes)));
}
} // namespace

bool VQSwatchCore::hasRoomFor(const std::vector<VQSwatchCollectionRef> &collections, QString *why) const
{
    VQPlistCostCounter counter;
    writeLibrary(counter);
    std::int64_t colors = 0;
    {
        std::lock_guard lock(_lock);
        for (const VQSwatchCollectionRef &collection : _collections)
            colors += std::int64_t(collection->count());
    }
    for (const VQSwatchCollectionRef &collection : collections) {
        collection->writeDictionary(counter);
        colors += std::int64_t(collection->count());
    }
    const QString problem = colors > VQLibraryMaxColors                ? tooManyColorsText(colors)
                            : counter.cost() > VQPlistMaxExpandedBytes ? tooCostlyText(counter.cost())
                                                                       : QString();
    if (why)
        *why = problem;
    return problem.isEmpty();
}

bool VQSwatchCore::writeBinaryLibrary(const QString &path, VQLinks links, QString *error) const
{
    if (QString why; !hasRoomFor({}, &why)) {
        if (error)
            *error = why;
        return false;
    }
    VQAtomicFileWriter file(path, links);
    file.setMaximumSize(VQPlistMaxFileBytes, tooLargeFileText());
    if (file.open()) {
        VQPlistBinaryWriter binary(file);
        // A colour is nine values: the dictionary and its eight entries.
        std::size_t colors = 0;
        {
            std::lock_guard lock(_lock);
            for (const VQSwatchCollectionRef &collection : _collections)
                colors += collection->count();
        }
        binary.reserve(colors * 10 + 64, 0);
        writeLibrary(binary);
        binary.finish();
    }
    return file.commit(error);
}

bool VQSwatchCore::writeToURL(const QString &path, QString *error, VQPlistFormat format) const
{
    // Nothing is written that a read would refuse: what the library costs is
    // counted first, the size of the file as it is written.
    if (QString why; format == VQPlistFormat::XML && !hasRoomFor({}, &why)) {
        if (error)
            *error = why;
        return false;
    }
    auto &bookmarks = VQAppScopeBookmarksManager::sharedManager();
    bookmarks.startAccessing(path);
    bool written = false;
    bool binary = format == VQPlistFormat::Binary;
    if (!binary) {
        // Straight to the temporary file as the text is made: the disk is
        // writing the start while the rest is still being formatted.
        VQAtomicFileWriter file(path);
        file.setMaximumSize(VQPlistMaxFileBytes, tooLargeFileText());
        bool exact = true;
        if (file.open()) {
            VQPlistXMLWriter xml(file);
            writeLibrary(xml);
            xml.finish();
            exact = !xml.replacedCharacters();
        }
        // A title or name with a character XML 1.0 cannot carry (NUL, most
        // control characters, U+FFFE, U+FFFF) would be changed: the library is
        // written as a binary property list instead, which keeps every one.
        // The temporary file is dropped with `file`.
        if (exact)
            written = file.commit(error);
        binary = !exact;
    }
    if (binary)
        written = writeBinaryLibrary(path, VQLinks::Follow, error);
    bookmarks.stopAccessing(path);
    return written;
}

bool VQSwatchCore::fileChangedOnDisk() const
{
    const std::optional<VQFileDate> current = VQFileURL::modificationDate(_url);
    return current && (!_modificationDate || *current != *_modificationDate);
}

bool VQSwatchCore::save()
{
    // A save waiting without blocking is overtaken by this one.
    if (_lockRetryTimer)
        _lockRetryTimer->stop();
    _lockWait.invalidate();
    setWaitingFor(QString());
    if (!needsSaving())
        return true;

    SaveOutcome outcome;
    {
        // Another process (vellico-cli import or sync, a second program on a
        // shared home) saves the same file the same way: under the file's
        // exclusive lock, no change of theirs can land between our look at the
        // file and our write. Rather than lose our own changes at the end, a save
        // that can't have the lock in time goes ahead without it.
        const VQFileLock lock(_url, VQFileCoordinator::kDefaultTimeoutMs);
        if (!lock.isAcquired())
            VQLog(QStringLiteral("Saving without the library's lock: ") + lock.error());
        outcome = writeMergingTheFile();
    }
    return finishSave(outcome);
}

void VQSwatchCore::saveWithoutBlocking()
{
    if (!_lockRetryTimer) {
        save();
        return;
    }
    if (_lockWait.isValid() || !needsSaving())
        return; // a save already waits, and will write what there is by then
    _lockWait.start();
    tryToSaveWithoutBlocking();
}

void VQSwatchCore::tryToSaveWithoutBlocking()
{
    if (!_lockWait.isValid())
        return;
    const qint64 waited = _lockWait.elapsed();
    std::optional<VQFileLock> lock;
    lock.emplace(_url, 0);
    if (!lock->isAcquired() && waited < VQFileCoordinator::kDefaultTimeoutMs) {
        if (waited >= kLockWaitShownAfterMs && _waitingFor.isEmpty())
            setWaitingFor(VQLocalizedString("Waiting for another program to finish with the library %1…")
                              .arg(QFileInfo(_url).fileName()));
        _lockRetryTimer->start();
        return;
    }
    if (!lock->isAcquired())
        VQLog(QStringLiteral("Saving without the library's lock after %1 ms: %2").arg(waited).arg(lock->error()));
    _lockWait.invalidate();
    setWaitingFor(QString());
    const SaveOutcome outcome = writeMergingTheFile();
    lock.reset();
    finishSave(outcome);
}

void VQSwatchCore::setWaitingFor(const QString &what)
{
    if (what == _waitingFor)
        return;
    _waitingFor = what;
    VQLog(what.isEmpty() ? QStringLiteral("No longer waiting for the library's lock.") : what);
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQSwatchCoreWaitingDidChangeNotification), this);
}

void VQSwatchCore::tellUser(const QString &text)
{
    VQLog(text);
    _notice = text;
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQSwatchCoreNoticeNotification), this);
}

bool VQSwatchCore::setAsideUnmergeableFile(const QString &label, const QString &why)
{
    if (const std::optional<QString> kept = setAsideLibrary(_url, label)) {
        tellUser(VQLocalizedString("Another program replaced the library with a file that Vellico cannot merge (%1). "
                                   "That file was kept as “%2”; Vellico saved its own library in its place.")
                     .arg(why, QFileInfo(*kept).fileName()));
        return true;
    }
    if (!QFileInfo::exists(_url))
        return true; // gone meanwhile: nothing to keep
    tellUser(VQLocalizedString("Another program replaced the library %1 with a file that Vellico cannot merge (%2), "
                               "and it could not be set aside. Vellico will not save over it: move it away.")
                 .arg(_url, why));
    return false;
}

VQSwatchCore::SaveOutcome VQSwatchCore::writeMergingTheFile()
{
    if (fileChangedOnDisk()) {
        // Someone else wrote the file since we last read or wrote it (or made
        // it where there was none): take their changes in before ours go out.
        // What we cannot take in (a file we cannot read, or of another version)
        // is kept beside the library first, never written over.
        const std::optional<VQFileDate> onDisk = VQFileURL::modificationDate(_url);
        QString readError;
        std::optional<VQPlist> root = VQPlist::fromFile(_url, &readError);
        if (!root || !root->node().isDictionary()) {
            VQLog(QStringLiteral("Cannot read the library %1 that another writer left: %2")
                      .arg(_url, readError.isEmpty() ? QStringLiteral("not a dictionary") : readError));
            if (!setAsideUnmergeableFile(QStringLiteral("unreadable"), VQLocalizedString("it cannot be read")))
                return SaveOutcome::Failed;
        } else if (mergeLibrary(root->node(), _url, MergeSource::OwnFile)) {
            // Taken in: should the write fail, the next save must not merge the
            // same file again (strangers in it would come in twice).
            _modificationDate = onDisk;
        } else if (!setAsideUnmergeableFile(QStringLiteral("other version"),
                                            VQLocalizedString("it was written by another version of Vellico"))) {
            return SaveOutcome::Failed;
        }
        root.reset();
        VQReleaseFreedMemoryWhenIdle();
    } else if (!_libraryDirty) {
        return SaveOutcome::NothingToWrite;
    }

    QString error;
    if (!writeToURL(_url, &error)) {
        // The old file stays as it was and the library stays dirty, so the
        // next save tries again.
        VQLog(QStringLiteral("Failed to save the library at ") + _url + QStringLiteral(": ") + error);
        if (QString why; !hasRoomFor({}, &why) || error == tooLargeFileText())
            tellUser(VQLocalizedString("Vellico did not save the library: %1. The file on disk is unchanged; "
                                       "remove some colors or collections so that it can be saved again.")
                         .arg(why.isEmpty() ? error : why));
        return SaveOutcome::Failed;
    }
    VQLog(QStringLiteral("Updating date."));
    _modificationDate = VQFileURL::modificationDate(_url);
    std::lock_guard lock(_lock);
    _fileCollectionIDs.clear();
    for (const VQSwatchCollectionRef &collection : _collections)
        _fileCollectionIDs.push_back(collection->creationDate());
    return SaveOutcome::Written;
}

bool VQSwatchCore::finishSave(SaveOutcome outcome)
{
    // After the lock is let go: observers (a synchronisation pass) may save again.
    if (outcome == SaveOutcome::Written)
        VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQVellicoCoreDidSaveNotification));
    return outcome != SaveOutcome::Failed;
}

VQColorRef VQSwatchCore::selectedColor() const
{
    if (_selectedColor)
        return _selectedColor;
    if (_selectedColorSink && _selectedColorSink->currentColorSpace() == VQColorSpace::CMYK)
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
    if (updateColorPicker && _selectedColorSink && color)
        _selectedColorSink->showColor(color);
}
