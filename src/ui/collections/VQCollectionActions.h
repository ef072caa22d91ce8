#pragma once
// What the lane, the colour buttons and the organiser do to the library, in
// one place and without widgets. Every command is bound to its collection and
// colour objects, never to a slot or row number: menus and alerts run nested
// event loops in which a save or a sync pass may reload the views, and the
// command must still act on what the user chose. Questions go through the
// modal-UI service, so tests script the answers.

#include "core/VQColor.h"
#include "core/VQSwatchCollection.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QMimeData;
class VQSwatchCore;

inline constexpr const char *VQDoesntNeedCollectionMergingConfirmationKey = "VQDoesntNeedCollectionMergingConfirmation";
inline constexpr const char *VQDoesntNeedColorRemovalConfirmationKey = "VQDoesntNeedColorRemovalConfirmation";

enum class VQMergeResult {
    Merged,
    Cancelled,     // the user said no
    RefusedSelf,   // a collection dropped on itself
    RefusedAbsent, // one of the two is no longer in the library
};

namespace VQCollectionActions
{

// Selecting a colour of another colour space first switches the picker. The
// picker framework lives elsewhere; the shell hands the switch to the lane. It
// is called with the colour's space before the colour becomes the selection.
using PickerSwitch = std::function<void(VQColorSpace)>;

// Makes `color` the library's selection (the picker follows, through
// `switchPicker` when given) and the first colour of its collection. Nothing
// when the colour has left the collection.
void selectColor(VQSwatchCore &core, const VQSwatchCollectionRef &collection, const VQColorRef &color,
                 const PickerSwitch &switchPicker = {});

// Prompts for a new name; an empty name is refused and the prompt asked again.
// Returns whether the colour was renamed.
bool renameColor(const VQSwatchCollectionRef &collection, const VQColorRef &color);
// Asks (unless told not to), then removes that very colour from the collection
// wherever it now is. The "don't ask again" box counts only with "Remove".
bool removeColor(const VQSwatchCollectionRef &collection, const VQColorRef &color);

bool renameCollection(const VQSwatchCollectionRef &collection);
// Sets a title typed elsewhere (the organiser's cell); empty titles are refused.
bool setCollectionTitle(const VQSwatchCollectionRef &collection, const QString &title);
// Asks, then removes the collection and tells the views.
bool removeCollection(VQSwatchCore &core, const VQSwatchCollectionRef &collection);

// Asks for a name, then appends a collection holding `color`; the new
// collection, or null when cancelled.
VQSwatchCollectionRef createCollectionWithColor(VQSwatchCore &core, const VQColorRef &color);
// Adds a dropped colour to a collection; with `askName` the user names it first
// (cancelling adds nothing).
bool addDroppedColor(const VQSwatchCollectionRef &collection, const VQColorRef &color, bool askName);

// Merges `source` into `target` after asking (unless told not to): every
// colour of the source that the target lacks is appended, and the source
// leaves the library. Refused for a collection dropped on itself.
VQMergeResult mergeCollections(VQSwatchCore &core, const VQSwatchCollectionRef &source,
                               const VQSwatchCollectionRef &target);
// The merge itself, without asking.
VQMergeResult mergeCollectionsNow(VQSwatchCore &core, const VQSwatchCollectionRef &source,
                                  const VQSwatchCollectionRef &target);

// Moves a collection and tells the views.
void moveCollection(VQSwatchCore &core, const VQSwatchCollectionRef &collection, std::size_t toIndex);

// Tells every view that the list of collections changed.
void postReorganized();

// Asks where to save, offering .gpl, .ase, .css and .json; the extension of
// the chosen name picks the format (parsers/VQSwatchExport.h). The file is
// replaced atomically; a failure, or a format that cannot hold the
// collections, is told in an alert and leaves no file. Returns whether the
// file was written.
bool exportCollections(const std::vector<VQSwatchCollectionRef> &collections);

// The swatch files a drop carries: local files whose extension an importer
// reads (.ase, .aco, .clr, .gpl). Empty when the drop carries anything else
// (another URL, another kind of file), so that it is refused whole.
QStringList importableFiles(const QMimeData *data);

} // namespace VQCollectionActions

// A collection on the move between the lane, the organiser and other programs.
// The payload under VQSwatchCollectionDragType is a property list holding one
// unsigned integer, the collection's creation date. Only drags started by
// this process are accepted: a drop must match the drag that is running.
namespace VQCollectionDrag
{

QByteArray encode(std::uint64_t creationDate);
std::optional<std::uint64_t> decode(const QByteArray &payload);

// Fills `data` with the payload and a picture of the colours (one 32-point
// square per colour) for other programs.
void write(QMimeData &data, const VQSwatchCollection &collection);
// The collection identifier a drop carries, when the drop is one of ours:
// our type, a readable payload, and the identifier of the drag this process runs.
std::optional<std::uint64_t> identifierOfOwnDrag(const QMimeData *data);
// Whether the data claims to be a collection at all (ours or not).
bool hasCollectionType(const QMimeData *data);

// Marks the drag of one collection as running for as long as it lives.
class Session
{
  public:
    explicit Session(std::uint64_t creationDate);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // The identifier of the running drag, if one runs.
    static std::optional<std::uint64_t> current();

  private:
    std::optional<std::uint64_t> _previous;
};

} // namespace VQCollectionDrag

// A colour carried by a drag (VQColorDrag::read); null for anything else.
VQColorRef VQColorFromMimeData(const QMimeData *data);
