#pragma once
// The swatch library: the ordered collections, the identifiers of deleted
// collections, the selected colour and the one file that holds them.
//
// File (a property list, XML or binary, written atomically):
//   "DBVersion"               "0.3"
//   "SaveDate"                date of writing (never read)
//   "contents"                [collection dictionaries]
//   "RZRemovedCollectionIDs"  [creation dates of deleted collections]

#include "core/VQColor.h"
#include "vqcore/VQFileURL.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQPlistWriter.h"
#include "core/VQSwatchCollection.h"

#include <QElapsedTimer>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QTimer;

inline constexpr const char *VQLibraryVersion = "DBVersion";
inline constexpr const char *VQLibrarySaveDate = "SaveDate";
inline constexpr const char *VQLibraryContent = "contents";
inline constexpr const char *VQLibraryRemovedCollectionIDs = "RZRemovedCollectionIDs";
inline constexpr const char *VQCurrentLibraryVersion = "0.3";

inline constexpr const char *VQSwatchCoreDidFinishLoadingNotification = "VQSwatchCoreDidFinishLoadingNotification";
inline constexpr const char *VQVellicoCoreDidSaveNotification = "VQVellicoCoreDidSaveNotification";
inline constexpr const char *VQSwatchCoreColorSelectionDidChangeNotification =
    "VQSwatchCoreColorSelectionDidChangeNotification";
inline constexpr const char *VQSwatchCoreDidFinishSynchronizationNotification =
    "VQSwatchCoreDidFinishSynchronizationNotification";
inline constexpr const char *VQCollectionsWereReorganizedNotification = "VQCollectionsWereReorganizedNotification";
// Something about the library the user should hear once (the interface shows
// it); object: the core, whose notice() holds the text.
inline constexpr const char *VQSwatchCoreNoticeNotification = "VQSwatchCoreNoticeNotification";
// A save started or stopped waiting for another process to let go of the
// library (shown while it lasts); object: the core, whose waitingFor() says
// what it waits for, empty once it waits no more.
inline constexpr const char *VQSwatchCoreWaitingDidChangeNotification = "VQSwatchCoreWaitingDidChangeNotification";
// Posted by the application just before it quits; the core saves on it.
inline constexpr const char *VQApplicationWillTerminateNotification = "VQApplicationWillTerminateNotification";
// Posted by the application once its event loop runs.
inline constexpr const char *VQApplicationDidFinishLaunchingNotification =
    "VQApplicationDidFinishLaunchingNotification";

inline constexpr const char *VQDBAutomaticSavingDisabledDefaultsKey = "VQDBAutomaticSavingDisabled";

// Where the selected colour goes when a caller asks for the picker to follow,
// and which space a fresh selection starts in. The picker framework installs one.
class VQSelectedColorSink
{
  public:
    virtual ~VQSelectedColorSink();
    virtual VQColorSpace currentColorSpace() const = 0;
    virtual void showColor(const VQColorRef &color) = 0;
};

class VQSwatchCore;

// Why a library file gave no library.
struct VQLibraryOpenError {
    enum class Kind {
        Missing,           // no file there (and none was to be started)
        FolderNotWritable, // no file there, and its folder cannot be written to
        Unreadable,        // not a property-list dictionary: damaged, or no library at all
        NoVersion,         // no "DBVersion" that reads as a number
        NewerVersion,      // written by a later version of Vellico
    };
    Kind kind;
    // One line that says what happened, naming the file where it helps.
    QString message;
};

// How a library file is opened.
struct VQLibraryOpenOptions {
    // The program's own library: it saves on its timers and when the program
    // ends, and announces that it has loaded. Otherwise it is detached: no
    // timers, no observers; it writes when told.
    bool live = false;
    // No file there: the earlier version's library is copied there first, else
    // an empty library starts (its folder must be writable) and writes the file
    // once it changes.
    bool startWhenMissing = false;
    // An unreadable file is kept beside it ("… (unreadable DATE).vlb") and an
    // empty library starts in its place.
    bool replaceUnreadable = false;
};

// A library, or why there is none. Opening never talks to the user and never
// ends the process: the caller decides what to show.
struct VQLibraryOpenResult {
    std::unique_ptr<VQSwatchCore> core;
    std::optional<VQLibraryOpenError> error; // set exactly when core is null
};

class VQSwatchCore
{
  public:
    // Reads the library file at `path`.
    static VQLibraryOpenResult open(const QString &path, VQLibraryOpenOptions options = {});
    // The same from a root dictionary already read; `path` becomes the core's URL.
    static std::unique_ptr<VQSwatchCore> detachedFromLibrary(VQPlistNode root, const QString &path, QString *error);
    ~VQSwatchCore();

    // The one core of the program while a VQSharedCoreOwner holds it (the
    // start-up sequence makes one); null otherwise.
    static VQSwatchCore *sharedCore();

    // The folder name of the earlier version, whose library is migrated once.
    static QString oldLocationPath();

    const QString &URL() const { return _url; }
    double version() const { return 0.3; }

    std::vector<VQSwatchCollectionRef> allCollections() const;
    std::size_t numberOfCollections() const;
    std::vector<VQSwatchCollectionRef> collectionsInRange(std::size_t location, std::size_t length) const;
    VQSwatchCollectionRef collectionWithID(std::uint64_t creationDate) const;
    std::vector<std::uint64_t> removedCollectionIDs() const;

    // Appends; a collection whose identity another collection here holds, or
    // that this library has deleted, is given a fresh one first.
    void addCollection(const VQSwatchCollectionRef &collection);
    void removeCollection(const VQSwatchCollectionRef &collection);
    void moveCollection(const VQSwatchCollectionRef &collection, std::size_t toIndex);

    // Marks the library changed; it is saved a few seconds later, and on the
    // 300 s timer, unless automatic saving is off.
    void smudge();
    bool isDirty() const { return _libraryDirty; }

    // Writes when the library changed, and first merges the file when another
    // writer replaced it since we last read or wrote it; a file that cannot be
    // merged (unreadable, another version) is first kept beside the library and
    // the user told. A failed write is logged, keeps the old file and leaves the
    // library dirty; returns whether the file now holds the library (true also
    // when nothing needed writing). Waits up to VQFileCoordinator's timeout for
    // another process to let go of the library, then writes all the same.
    bool save();
    // The same without ever blocking the event loop: while another process holds
    // the library, tries again every moment (posting
    // VQSwatchCoreWaitingDidChangeNotification once that lasts) and, after the
    // same timeout as save(), writes all the same. Returns at once; the timers
    // use it. A core without an event loop of its own (detached) saves at once.
    void saveWithoutBlocking();
    // What a waiting save waits for, or empty.
    QString waitingFor() const { return _waitingFor; }
    // The latest notice for the user (VQSwatchCoreNoticeNotification).
    QString notice() const { return _notice; }
    // Logs `text` and posts it as the notice for the user.
    void tellUser(const QString &text);
    // How long after a change the library saves (the 300 s timer goes on too);
    // three seconds unless its owner says otherwise.
    void setSaveDelayAfterChange(int milliseconds);
    // Whether the library, with `collections` added, stays within what Vellico
    // reads back (VQLibraryLimits.h); when not, `why` says which limit it
    // passes. Imports ask before they add anything.
    bool hasRoomFor(const std::vector<VQSwatchCollectionRef> &collections, QString *why = nullptr) const;
    // Writes the library to `path` atomically as a binary property list, handed
    // to the file as it is made; `links` as VQAtomicFileWriter takes them. A
    // library that would pass the limits of VQLibraryLimits.h is not written
    // (the file at `path` stays as it was), and `error` names the limit.
    bool writeBinaryLibrary(const QString &path, VQLinks links, QString *error = nullptr) const;
    // Writes the library to `path` atomically; XML unless told otherwise or
    // unless a title or name holds a character XML cannot carry, when it is
    // written binary so that every name is kept as it is. A library that
    // would pass the limits of VQLibraryLimits.h is not written (the file at
    // `path` stays as it was), and `error` names the limit.
    bool writeToURL(const QString &path, QString *error = nullptr, VQPlistFormat format = VQPlistFormat::XML) const;
    void readLibraryContents(VQPlistNode root);
    // The root dictionary as it is written.
    VQPlist libraryDictionary() const;
    void writeLibrary(VQPlistSink &sink) const;

    // Folds the library file at `path` into this one (identifiers, tombstones,
    // modification dates). An unreadable file or another version is skipped:
    // false, and nothing changes.
    bool mergeWithRemoteCoreAtURL(const QString &path);
    // The same for a root dictionary already read.
    bool mergeWithRemoteLibrary(VQPlistNode root, const QString &whereFrom = QString());

    VQColorRef selectedColor() const;
    void setSelectedColor(const VQColorRef &color, bool updateColorPicker);
    // Where the selection goes when asked to, set by whoever owns the core and
    // the pickers (null: nowhere; a fresh selection is then white). The sink
    // must outlive the core or be taken away first.
    void setSelectedColorSink(VQSelectedColorSink *sink) { _selectedColorSink = sink; }

    std::optional<VQFileDate> fileModificationDate() const { return _modificationDate; }

  private:
    enum class SaveOutcome { NothingToWrite, Written, Failed };
    // A merge of another computer's copy, or of our own file that another
    // process replaced (our result then replaces it).
    enum class MergeSource { OtherCopy, OwnFile };

    explicit VQSwatchCore(QString path);
    void innerInit();
    void stopUsingBookmarkedURL();
    void markDirty() { _libraryDirty = true; }
    bool fileChangedOnDisk() const;
    bool needsSaving() const { return _libraryDirty || fileChangedOnDisk(); }
    // The body of a save; the caller holds the library's lock (or gave up on it).
    SaveOutcome writeMergingTheFile();
    bool finishSave(SaveOutcome outcome);
    void tryToSaveWithoutBlocking();
    void setWaitingFor(const QString &what);
    // Keeps the file at _url that could not be merged beside it, its name
    // marked with `label`, and tells the user `why`; false when it is still there.
    bool setAsideUnmergeableFile(const QString &label, const QString &why);
    bool mergeLibrary(VQPlistNode root, const QString &whereFrom, MergeSource source);
    // Makes `collection` tell this core when it changes.
    void adopt(const VQSwatchCollectionRef &collection);

    std::vector<VQSwatchCollectionRef> _collections;
    std::atomic<bool> _libraryDirty{false};
    mutable std::recursive_mutex _lock;
    std::optional<VQFileDate> _modificationDate;
    // The collection identities of our file when we last read or wrote it.
    std::vector<std::uint64_t> _fileCollectionIDs;
    std::vector<std::uint64_t> _removedCollectionIDs;
    VQColorRef _selectedColor;
    QString _url;

    std::unique_ptr<QTimer> _saveTimer;
    // One-shot, started again by every change: a crash loses seconds, not minutes.
    std::unique_ptr<QTimer> _saveSoonTimer;
    // Paces the attempts of a save waiting for the library's lock.
    std::unique_ptr<QTimer> _lockRetryTimer;
    QElapsedTimer _lockWait; // valid while a save waits
    QString _waitingFor;
    QString _notice;
    std::vector<VQObserverToken> _observers;
    int _saveDelayAfterChangeMs = 3000;
    VQSelectedColorSink *_selectedColorSink = nullptr;
};

// Holds the program's one core and makes it VQSwatchCore::sharedCore() for as
// long as it lives; made once, by the start-up sequence (tests make their own).
// There is one at a time.
class VQSharedCoreOwner
{
  public:
    explicit VQSharedCoreOwner(std::unique_ptr<VQSwatchCore> core);
    ~VQSharedCoreOwner();
    VQSharedCoreOwner(const VQSharedCoreOwner &) = delete;
    VQSharedCoreOwner &operator=(const VQSharedCoreOwner &) = delete;

    VQSwatchCore &core() const { return *_core; }

  private:
    std::unique_ptr<VQSwatchCore> _core;
};
