#pragma once
// Writing a property list as a stream of events. The model writes its
// dictionary forms once, to a VQPlistSink; VQPlistTreeBuilder turns the events
// into a VQPlist tree, VQPlistXMLWriter straight into XML text without a tree
// in between (a large library saves in a fraction of the time).

#include "vqcore/VQLibraryLimits.h"
#include "vqcore/VQPropertyList.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

enum class VQPlistFormat { XML, Binary };

class VQPlistSink
{
  public:
    virtual ~VQPlistSink();
    virtual void beginDictionary() = 0;
    virtual void endDictionary() = 0;
    // Inside a dictionary: the key of the value that follows.
    virtual void key(const char *key) = 0;
    virtual void beginArray() = 0;
    virtual void endArray() = 0;
    virtual void string(const QString &value) = 0;
    virtual void integer(std::uint64_t value) = 0;
    virtual void real(double value) = 0;
    virtual void date(const QDateTime &value) = 0;
    virtual void boolean(bool value) = 0;
};

class VQPlistTreeBuilder : public VQPlistSink
{
  public:
    void beginDictionary() override;
    void endDictionary() override;
    void key(const char *key) override;
    void beginArray() override;
    void endArray() override;
    void string(const QString &value) override;
    void integer(std::uint64_t value) override;
    void real(double value) override;
    void date(const QDateTime &value) override;
    void boolean(bool value) override;

    // The finished tree (the outermost value).
    VQPlist take();

  private:
    void add(VQPlist value);

    std::vector<VQPlist> _open;     // dictionaries and arrays being filled
    std::vector<std::string> _keys; // the pending key of each open dictionary
    VQPlist _result;
};

// XML in the layout other property-list writers use: a header, the doctype,
// one element per line, tabs for depth. Text is escaped (a carriage return as
// a character reference, which a reader does not turn into a line feed);
// characters that XML 1.0 cannot carry at all (NUL and the other control
// characters but tab and line ends, U+FFFE, U+FFFF) are written as U+FFFD, so
// that what we write can always be read back, and replacedCharacters() says
// so: a caller that must keep every character writes the binary format instead.
class VQPlistXMLWriter : public VQPlistSink
{
  public:
    VQPlistXMLWriter();
    // Hands the document to `file` in pieces as it is made, never holding
    // more than a piece; finish() then gives nothing back and the caller commits.
    explicit VQPlistXMLWriter(VQAtomicFileWriter &file);
    void beginDictionary() override;
    void endDictionary() override;
    void key(const char *key) override;
    void beginArray() override;
    void endArray() override;
    void string(const QString &value) override;
    void integer(std::uint64_t value) override;
    void real(double value) override;
    void date(const QDateTime &value) override;
    void boolean(bool value) override;

    // Room for a document of about `objects` values and `bytes` bytes, so that
    // a large one is not copied over and over as it grows (room not used
    // costs no memory).
    void reserve(std::size_t objects, std::size_t bytes);
    // The document; the writer is empty afterwards.
    QByteArray finish();
    // Whether a string held a character XML cannot carry, written as U+FFFD.
    // Writing to a file then stops at that piece: the caller is to write the
    // document another way rather than commit it.
    bool replacedCharacters() const { return _replacedCharacters; }

  private:
    void indent();
    void escaped(const char *utf8, qsizetype size);
    void flushIfFull();

    std::string _out;
    int _depth = 0;
    VQAtomicFileWriter *_file = nullptr;
    bool _replacedCharacters = false;
};

// The binary property-list format ("bplist00"): no text to format or scan, so
// it is written and read several times faster than XML. Dictionary keys are
// stored once and shared; everything else is written as it comes. Strings are
// ASCII when they can be and UTF-16 otherwise; integers of 2^63 and above take
// the 16-byte form.
class VQPlistBinaryWriter : public VQPlistSink
{
  public:
    VQPlistBinaryWriter();
    // Hands the document to `file` in pieces as it is made (every object is
    // written before anything refers to it, so nothing written is ever
    // changed), never holding more than a piece; finish() then gives nothing
    // back and the caller commits.
    explicit VQPlistBinaryWriter(VQAtomicFileWriter &file);
    void beginDictionary() override;
    void endDictionary() override;
    void key(const char *key) override;
    void beginArray() override;
    void endArray() override;
    void string(const QString &value) override;
    void integer(std::uint64_t value) override;
    void real(double value) override;
    void date(const QDateTime &value) override;
    void boolean(bool value) override;

    // Room for a document of about `objects` values and `bytes` bytes, so that
    // a large one is not copied over and over as it grows (room not used
    // costs no memory). Written to a file, only the objects' places are kept.
    void reserve(std::size_t objects, std::size_t bytes);
    // The document; the writer is empty afterwards.
    QByteArray finish();

  private:
    // An open container's keys and values sit at the top of _keys and
    // _values, from where it began on.
    struct Container {
        bool dictionary = false;
        std::size_t keysFrom = 0;
        std::size_t valuesFrom = 0;
    };

    // Starts a new object at the end of the data and returns its number.
    std::uint32_t beginObject();
    // A finished value: into the open container, or the document's top.
    void add(std::uint32_t object);
    void marker(unsigned char type, std::uint64_t count);
    void bigEndian(std::uint64_t value, int bytes);
    void endContainer();
    void flushIfFull();

    struct KeyObject {
        const char *literal; // the caller's pointer, compared first
        std::string text;
        std::uint32_t object;
    };

    std::string _out;            // the document, or the part not yet handed to the file
    std::uint64_t _handedOn = 0; // bytes handed to the file before _out
    VQAtomicFileWriter *_file = nullptr;
    std::vector<std::uint64_t> _offsets;
    std::vector<Container> _open;
    std::vector<std::uint32_t> _keys;
    std::vector<std::uint32_t> _values;
    std::vector<KeyObject> _keyObjects;
    std::uint32_t _top = 0;
};

// Counts what a document costs by the rule of VQLibraryLimits.h without
// writing it: what a reader of the document would count, so that a writer can
// tell beforehand whether what it is about to write would be read back.
class VQPlistCostCounter : public VQPlistSink
{
  public:
    void beginDictionary() override { _cost += VQPlistNodeBytes; }
    void endDictionary() override {}
    void key(const char *key) override;
    void beginArray() override { _cost += VQPlistNodeBytes; }
    void endArray() override {}
    void string(const QString &value) override;
    void integer(std::uint64_t) override { _cost += VQPlistNodeBytes; }
    void real(double) override { _cost += VQPlistNodeBytes; }
    void date(const QDateTime &) override { _cost += VQPlistNodeBytes; }
    void boolean(bool) override { _cost += VQPlistNodeBytes; }

    std::uint64_t cost() const { return _cost; }

  private:
    std::uint64_t _cost = 0;
};
