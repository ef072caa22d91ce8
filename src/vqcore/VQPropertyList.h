#pragma once
// Property lists. VQPlist owns a tree; VQPlistNode is a borrowed view into
// one, cheap to copy, that reads leniently: asking a node for a type it does
// not hold gives nothing, never a crash.
//
// A tree read from a document (fromData, fromFile) is a VQPlistDocument: one
// pass over the bytes (XML and binary alike by our own readers) into a
// compact table of values. A tree built in code (dictionary(), set(), …) is a
// libplist tree, and toXML() and toBinary() write through libplist, so what
// those small documents look like stays as it was. VQPlistWriter.h streams
// the same formats without building a tree at all.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "vqcore/VQFileAccess.h"
#include "vqcore/VQLibraryLimits.h"

#include <cstdint>
#include <memory>
#include <optional>

using VQPlistRaw = void *; // libplist's plist_t, kept out of this header
class VQPlistDocument;     // VQPlistDocument_p.h

class VQPlistNode
{
  public:
    VQPlistNode() = default;
    explicit VQPlistNode(VQPlistRaw node) : _node(node) {}
    VQPlistNode(const VQPlistDocument *document, std::uint32_t index) : _document(document), _index(index) {}

    // The libplist node of a tree built in code; null for a node of a document read.
    VQPlistRaw raw() const { return _node; }
    const VQPlistDocument *document() const { return _document; }
    std::uint32_t index() const { return _index; }
    bool isNull() const { return _node == nullptr && _document == nullptr; }
    bool isDictionary() const;
    bool isArray() const;
    bool isString() const;
    bool isInteger() const;
    bool isReal() const;
    bool isNumber() const { return isInteger() || isReal(); }
    bool isBool() const;
    bool isDate() const;
    bool isData() const;
    // A keyed archive's reference (binary lists only; XML spells it { CF$UID: n }).
    bool isUID() const;

    // Dictionary entry; a null node when this is no dictionary or the key is absent.
    VQPlistNode operator[](const char *key) const;
    // Array length, or the number of a dictionary's entries (0 for anything else).
    std::uint32_t count() const;
    // Array item; a null node when out of range.
    VQPlistNode at(std::uint32_t index) const;

    // Integers as unsigned 64-bit; reals truncated toward zero (negative reals give 0).
    std::optional<std::uint64_t> toUInt64() const;
    // Integers and reals.
    std::optional<double> toDouble() const;
    // Strings only.
    std::optional<QString> toString() const;
    std::optional<bool> toBool() const;
    std::optional<QByteArray> toData() const;
    std::optional<std::uint64_t> toUID() const;

    // A number, or a text that starts with a decimal number, as a double
    // (booleans give 1 or 0); 0 for anything else and for infinite values.
    double doubleValue() const;
    // Integers exactly (as signed); reals truncated toward zero; texts by their
    // leading integer part ("12.9" and "12e3" give 12).
    std::int64_t integerValue() const;

    // A short human-readable rendering, for log lines.
    QString description() const;

    // Calls f(VQPlistNode item) for each item of an array.
    template <class F> void forEachItem(F &&f) const
    {
        if (!isArray())
            return;
        const std::uint32_t n = count();
        for (std::uint32_t i = 0; i < n; ++i)
            f(at(i));
    }
    // Calls f(QByteArray key, VQPlistNode value) for each entry of a dictionary, in order.
    template <class F> void forEachEntry(F &&f) const
    {
        if (!isDictionary())
            return;
        const std::uint32_t n = count();
        for (std::uint32_t i = 0; i < n; ++i)
            f(keyAt(i), valueAt(i));
    }
    QByteArray keyAt(std::uint32_t index) const;
    VQPlistNode valueAt(std::uint32_t index) const;

  private:
    VQPlistRaw _node = nullptr;
    const VQPlistDocument *_document = nullptr;
    std::uint32_t _index = 0;
};

class VQPlist
{
  public:
    VQPlist() = default;
    explicit VQPlist(VQPlistRaw owned) : _node(owned) {}
    explicit VQPlist(std::shared_ptr<const VQPlistDocument> document);
    VQPlist(VQPlist &&other) noexcept;
    VQPlist &operator=(VQPlist &&other) noexcept;
    VQPlist(const VQPlist &) = delete;
    VQPlist &operator=(const VQPlist &) = delete;
    ~VQPlist();

    static VQPlist dictionary();
    static VQPlist array();
    static VQPlist string(const QString &value);
    static VQPlist integer(std::uint64_t value);
    static VQPlist real(double value);
    static VQPlist boolean(bool value);
    static VQPlist date(const QDateTime &value);

    // Reads XML or binary data. Nothing for anything else, nor for a document
    // that would take too much to read (VQLibraryLimits.h); `error` says why.
    static std::optional<VQPlist> fromData(const QByteArray &data, QString *error = nullptr);
    // Reads a whole regular file of at most VQPlistMaxFileBytes and parses it;
    // on failure `error` says why.
    static std::optional<VQPlist> fromFile(const QString &path, QString *error = nullptr,
                                           VQLinks links = VQLinks::Follow);

    VQPlistNode node() const;
    VQPlistNode operator[](const char *key) const { return node()[key]; }
    bool isNull() const { return _node == nullptr && !_document; }
    // The tree as a libplist tree, which the caller owns (a document read is copied into one).
    VQPlistRaw release();
    VQPlist clone() const;

    // Builders: the value is moved into this dictionary or array.
    VQPlist &set(const char *key, VQPlist value);
    VQPlist &append(VQPlist value);

    QByteArray toXML() const;
    QByteArray toBinary() const;

    // Writes XML to a temporary file beside `path`, flushes it and renames it over
    // `path`. On failure the old file is untouched and `error` says why.
    bool writeXMLFileAtomically(const QString &path, QString *error = nullptr) const;

  private:
    // A document read becomes a libplist tree before it is changed.
    void makeEditable();

    VQPlistRaw _node = nullptr;
    std::shared_ptr<const VQPlistDocument> _document;
};

// What the tree below `node` costs by the count of VQLibraryLimits.h, a
// shared node once per reference: never more than the reader allowed for the
// document. (A key cut at a NUL counts the part kept.)
std::uint64_t VQPlistFootprint(VQPlistNode node);

// Hands memory freed by a large tree back to the system. A parsed library
// leaves about a million small freed blocks; unless they are gathered up here,
// the allocator gathers them at some later large allocation, whose caller then
// pays for it (the first merge after a load, for instance).
void VQReleaseFreedMemory();
// The same once the event loop has nothing else to do: for work that the user
// waits for (a synchronisation pass, a save), whose steps each free a large
// tree. Requests before then are one; where no event loop runs (the command
// line), the memory goes back when the process ends.
void VQReleaseFreedMemoryWhenIdle();
