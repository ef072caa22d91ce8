#include "vqcore/VQPlistShape.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{

// ---------------------------------------------------------------------------
// Binary: "bplist00", objects, offset table, and a 32-byte trailer:
//   [0..5] unused  [6] offset size  [7] reference size
//   [8..15] object count  [16..23] top object  [24..31] offset table position
// Containers are a marker (0xAn array, 0xCn set, 0xDn dictionary; n = 15 means
// an integer object with the count follows) and then their references.

class BinaryShape
{
  public:
    explicit BinaryShape(const QByteArray &data)
        : _p(reinterpret_cast<const std::uint8_t *>(data.constData())), _size(std::uint64_t(data.size()))
    {
    }

    bool isSafe()
    {
        if (_size < 8 + 32)
            return false;
        const std::uint8_t *trailer = _p + _size - 32;
        _offsetSize = trailer[6];
        _refSize = trailer[7];
        const std::uint64_t count = be(trailer + 8, 8);
        const std::uint64_t top = be(trailer + 16, 8);
        _tableAt = be(trailer + 24, 8);
        _end = _size - 32;
        if (_offsetSize < 1 || _offsetSize > 8 || _refSize < 1 || _refSize > 8 || count == 0 || top >= count ||
            _tableAt > _end || count > (_end - _tableAt) / _offsetSize)
            return false;
        _count = count;
        // A list without shared containers has a node per reference, plus the
        // top; some sharing is allowed on top of that.
        _nodeLimit = 2 * _size + 65536;
        return walk(top);
    }

  private:
    static std::uint64_t be(const std::uint8_t *p, unsigned n)
    {
        std::uint64_t v = 0;
        for (unsigned i = 0; i < n; ++i)
            v = (v << 8) | p[i];
        return v;
    }

    struct Container {
        std::uint64_t refsAt = 0;
        std::uint64_t refs = 0;
    };

    // Where object `index` keeps its references; none for scalars. False when it points outside the file.
    bool container(std::uint64_t index, Container &c) const
    {
        c = {};
        const std::uint64_t at = be(_p + _tableAt + index * _offsetSize, _offsetSize);
        if (at < 8 || at >= _tableAt)
            return false;
        const std::uint8_t marker = _p[at];
        const unsigned type = marker >> 4;
        if (type != 0xA && type != 0xC && type != 0xD)
            return true;
        std::uint64_t n = marker & 0x0F;
        std::uint64_t refsAt = at + 1;
        if (n == 0x0F) {
            if (refsAt >= _tableAt || (_p[refsAt] >> 4) != 0x1)
                return false;
            const unsigned width = 1u << (_p[refsAt] & 0x0F);
            if (width > 8 || refsAt + 1 + width > _tableAt)
                return false;
            n = be(_p + refsAt + 1, width);
            refsAt += 1 + width;
        }
        const std::uint64_t refs = type == 0xD ? n * 2 : n;
        if (n > _size || refs > (_tableAt - refsAt) / _refSize)
            return false;
        c.refsAt = refsAt;
        c.refs = refs;
        return true;
    }

    // Depth-first from the top without recursion, remembering each object's
    // depth and expanded node count, so shared objects are walked once.
    bool walk(std::uint64_t top)
    {
        constexpr std::uint16_t kUnseen = 0, kOpen = 0xFFFF;
        std::vector<std::uint16_t> depth(_count, kUnseen); // 1 + levels below; kOpen while on the path
        std::vector<std::uint64_t> nodes(_count, 0);
        struct Frame {
            std::uint64_t object;
            Container c;
            std::uint64_t next = 0;
            std::uint16_t deepest = 0;
            std::uint64_t nodes = 1;
        };
        std::vector<Frame> path;
        auto open = [&](std::uint64_t object) {
            Frame frame{object, {}, 0, 0, 1};
            if (!container(object, frame.c))
                return false;
            depth[object] = kOpen;
            path.push_back(frame);
            return path.size() <= std::size_t(VQPlistMaxNesting);
        };
        if (!open(top))
            return false;
        while (!path.empty()) {
            Frame &frame = path.back();
            if (frame.next < frame.c.refs) {
                const std::uint64_t child = be(_p + frame.c.refsAt + frame.next * _refSize, _refSize);
                ++frame.next;
                if (child >= _count || depth[child] == kOpen)
                    return false; // a reference to nothing, or a loop
                if (depth[child] == kUnseen) {
                    if (!open(child))
                        return false;
                    continue;
                }
                if (path.size() + depth[child] > std::size_t(VQPlistMaxNesting))
                    return false; // seen before, but reached deeper this time
                frame.deepest = std::max(frame.deepest, depth[child]);
                frame.nodes += nodes[child];
                if (frame.nodes > _nodeLimit)
                    return false;
                continue;
            }
            const Frame done = frame;
            path.pop_back();
            depth[done.object] = std::uint16_t(done.deepest + 1);
            nodes[done.object] = done.nodes;
            if (!path.empty()) {
                Frame &parent = path.back();
                parent.deepest = std::max(parent.deepest, depth[done.object]);
                parent.nodes += done.nodes;
                if (parent.nodes > _nodeLimit)
                    return false;
            }
        }
        return true;
    }

    const std::uint8_t *_p;
    std::uint64_t _size;
    std::uint64_t _end = 0;
    std::uint64_t _tableAt = 0;
    std::uint64_t _count = 0;
    std::uint64_t _nodeLimit = 0;
    unsigned _offsetSize = 0;
    unsigned _refSize = 0;
};

// ---------------------------------------------------------------------------
// XML: the nesting of <array> and <dict>. Openings are counted everywhere;
// closings inside comments, CDATA and processing instructions are not, so a
// parser that reads those sections differently can only see less nesting than
// we do.

bool nameAt(const char *p, const char *end, const char *name)
{
    const std::size_t n = std::strlen(name);
    if (std::size_t(end - p) < n + 1 || std::memcmp(p, name, n) != 0)
        return false;
    const char after = p[n];
    return after == '>' || after == '/' || after == ' ' || after == '\t' || after == '\n' || after == '\r';
}

bool xmlNestingIsSafe(const QByteArray &data)
{
    const char *p = data.constData();
    const char *end = p + data.size();
    int depth = 0;
    const char *sectionEnd = nullptr; // the terminator of the section we are in
    const char *nextClose = p;        // the first '>' at or after the last tag looked at
    while (p < end) {
        if (sectionEnd) {
            const std::size_t n = std::strlen(sectionEnd);
            if (std::size_t(end - p) >= n && std::memcmp(p, sectionEnd, n) == 0) {
                p += n;
                sectionEnd = nullptr;
                continue;
            }
        }
        if (*p != '<') {
            ++p;
            continue;
        }
        const char *tag = p + 1;
        if (!sectionEnd) {
            if (std::size_t(end - tag) >= 3 && std::memcmp(tag, "!--", 3) == 0)
                sectionEnd = "-->";
            else if (std::size_t(end - tag) >= 8 && std::memcmp(tag, "![CDATA[", 8) == 0)
                sectionEnd = "]]>";
            else if (tag < end && *tag == '?')
                sectionEnd = "?>";
            if (sectionEnd) {
                p = tag;
                continue;
            }
            if (tag < end && *tag == '/' && (nameAt(tag + 1, end, "array") || nameAt(tag + 1, end, "dict"))) {
                depth = depth > 0 ? depth - 1 : 0;
                p = tag;
                continue;
            }
        }
        if (nameAt(tag, end, "array") || nameAt(tag, end, "dict")) {
            // Tags only move forward, so each '>' is searched for once.
            if (nextClose && nextClose < tag)
                nextClose = static_cast<const char *>(std::memchr(tag, '>', std::size_t(end - tag)));
            const bool empty = nextClose && nextClose[-1] == '/';
            if (!empty && ++depth > VQPlistMaxNesting)
                return false;
        }
        p = tag;
    }
    return true;
}

} // namespace

bool VQPlistShapeIsSafe(const QByteArray &data)
{
    if (data.startsWith("bplist"))
        return BinaryShape(data).isSafe();
    return xmlNestingIsSafe(data);
}
