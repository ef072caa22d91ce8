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

class VQSwatchCore
{
  public:
    // Loads the library at `path`, or ends the process through the termination
    // seam after telling the user why (modal-UI service).
    static std::unique_ptr<VQSwatchCore> loadFromURL(const QString &path);
    // Reads a library file for inspection or offline editing: no alerts, no
    // timer, no observers, no migration. On failure `error` holds the reason.
    static std::unique_ptr<VQSwatchCore> openDetached(const QString &path, QString *error);
    // The same from a root dictionary already read; `path` becomes the core's URL.
    static std::unique_ptr<VQSwatchCore> detachedFromLibrary(VQPlistNode root, const QString &path, QString *error);
    ~VQSwatchCore();

    // The one core of the program; created by the start-up sequence.
    static VQSwatchCore *sharedCore();
    static void setSharedCore(std::unique_ptr<VQSwatchCore> core);
    // Ends the shared core's life (tests, and the very end of the program).
    static std::unique_ptr<VQSwatchCore> takeSharedCore();

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

    void smudge();
    bool isDirty() const { return _libraryDirty; }

    // Writes when the library changed, and first merges the file when another
    // writer replaced it since we last read or wrote it. A failed write is logged,
    // keeps the old file and leaves the library dirty; returns whether the file
    // now holds the library (true also when nothing needed writing).
    bool save();
    // Writes the library to `path` atomically; XML unless told otherwise.
    bool writeToURL(const QString &path, QString *error = nullptr, VQPlistFormat format = VQPlistFormat::XML) const;
    void readLibraryContents(VQPlistNode root);
    // The root dictionary as it is written.
    VQPlist libraryDictionary() const;
    void writeLibrary(VQPlistSink &sink) const;

    // Folds the library file at `path` into this one (identifiers, tombstones,
    // modification dates). An unreadable file or another version is skipped.
    void mergeWithRemoteCoreAtURL(const QString &path);
    // The same for a root dictionary already read.
    void mergeWithRemoteLibrary(VQPlistNode root, const QString &whereFrom = QString());

    VQColorRef selectedColor() const;
    void setSelectedColor(const VQColorRef &color, bool updateColorPicker);
    static void setSelectedColorSink(VQSelectedColorSink *sink);

    std::optional<VQFileDate> fileModificationDate() const { return _modificationDate; }

  private:
    explicit VQSwatchCore(QString path);
    void innerInit();
    void stopUsingBookmarkedURL();

    std::vector<VQSwatchCollectionRef> _collections;
    std::atomic<bool> _libraryDirty{false};
    mutable std::recursive_mutex _lock;
    std::optional<VQFileDate> _modificationDate;
    std::vector<std::uint64_t> _removedCollectionIDs;
    VQColorRef _selectedColor;
    QString _url;

    std::unique_ptr<QTimer> _saveTimer;
    std::vector<VQObserverToken> _observers;
};
