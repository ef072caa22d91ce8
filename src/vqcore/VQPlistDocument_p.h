#pragma once
// A property list read from a document: every value is one entry of a table,
// containers list their items (a dictionary: key, value, key, value…) in one
// shared array, and all text and data sit in one buffer. Built in one pass
// over the document; read through VQPlistNode.
//
// A binary list may refer to one object from several places: the object is
// read once and its node shared, which readers cannot tell from copies.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class VQPlistDocument
{
  public:
    enum class Type : std::uint8_t { Dictionary, Array, String, Integer, Real, Boolean, Date, Data, UID };

    // Twelve bytes: a library holds about nine nodes a colour. The limits of
    // VQLibraryLimits.h keep every size below 2^28.
#pragma pack(push, 4)
    struct Node {
        Type type : 4;
        std::uint32_t size : 28; // text and data: bytes; array: items; dictionary: entries
        std::uint64_t value;     // text and data: offset in _text; containers: first item in _items;
                                 // integers (two's complement), reals (bits), booleans, UIDs;
                                 // dates: seconds since 2001 (high half) and microseconds (low half)
    };
#pragma pack(pop)
    static_assert(sizeof(Node) == 12);
    static constexpr std::uint32_t kMaxSize = (std::uint32_t(1) << 28) - 1;

    const Node &node(std::uint32_t index) const
    {
        return _nodes[index];
    }
    const char *text(const Node &node) const
    {
        return _text.data() + node.value;
    }
    std::uint32_t item(const Node &container, std::uint32_t i) const
    {
        return _items[std::size_t(container.value) + i];
    }
    std::uint32_t root() const
    {
        return _root;
    }

    // Reads an XML or binary property list; nothing, with `error` set, for
    // anything else or a document over the limits of VQLibraryLimits.h.
    static std::unique_ptr<VQPlistDocument> read(const QByteArray &data, QString *error);

  private:
    friend class VQPlistDocumentBuilder;

    std::vector<Node> _nodes;
    std::vector<std::uint32_t> _items;
    std::string _text;
    std::uint32_t _root = 0;
};
