#include "vqcore/VQPlistShape.h"

#include "vqcore/VQFileAccess.h"

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

    QString problem()
    {
        if (_size < 8 + 32)
            return QStringLiteral("too short for a binary property list");
        const std::uint8_t *trailer = _p + _size - 32;
        _offsetSize = trailer[6];
        _refSize = trailer[7];
        const std::uint64_t count = be(trailer + 8, 8);
        const std::uint64_t top = be(trailer + 16, 8);
        _tableAt = be(trailer + 24, 8);
        _end = _size - 32;
        if (_offsetSize < 1 || _offsetSize > 8 || _refSize < 1 || _refSize > 8 || count == 0 || top >= count ||
            _tableAt > _end || count > (_end - _tableAt) / _offsetSize)
            return broken();
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

    struct Object {
        std::uint64_t refsAt = 0;
        std::uint64_t refs = 0;  // none for scalars
        std::uint64_t bytes = 0; // text or data that libplist copies for each reference
    };

    // What object `index` holds. False when it points outside the file.
    bool object(std::uint64_t index, Object &o) const
    {
        o = {};
        const std::uint64_t at = be(_p + _tableAt + index * _offsetSize, _offsetSize);
        if (at < 8 || at >= _tableAt)
            return false;
        const std::uint8_t marker = _p[at];
        const unsigned type = marker >> 4;
        const bool container = type == 0xA || type == 0xC || type == 0xD;
        const bool text = type == 0x4 || type == 0x5 || type == 0x6; // data, ASCII, UTF-16
        if (!container && !text)
            return true;
        std::uint64_t n = marker & 0x0F;
        std::uint64_t contentAt = at + 1;
        if (n == 0x0F) {
            if (contentAt >= _tableAt || (_p[contentAt] >> 4) != 0x1)
                return false;
            const unsigned width = 1u << (_p[contentAt] & 0x0F);
            if (width > 8 || contentAt + 1 + width > _tableAt)
                return false;
            n = be(_p + contentAt + 1, width);
            contentAt += 1 + width;
        }
        if (text) {
            const std::uint64_t unit = type == 0x6 ? 2 : 1;
            if (n > (_tableAt - contentAt) / unit)
                return false;
            o.bytes = type == 0x6 ? 3 * n : n;
            return true;
        }
        const std::uint64_t refs = type == 0xD ? n * 2 : n;
        if (n > _size || refs > (_tableAt - contentAt) / _refSize)
            return false;
        o.refsAt = contentAt;
        o.refs = refs;
        return true;
    }

    // Depth-first from the top without recursion, remembering each object's
    // depth, expanded node count and cost, so shared objects are walked once.
    QString walk(std::uint64_t top)
    {
        constexpr std::uint16_t kUnseen = 0, kOpen = 0xFFFF;
        std::vector<std::uint16_t> depth(_count, kUnseen); // 1 + levels below; kOpen while on the path
        std::vector<std::uint64_t> nodes(_count, 0);
        std::vector<std::uint64_t> bytes(_count, 0);
        struct Frame {
            std::uint64_t object;
            Object o;
            std::uint64_t next = 0;
            std::uint16_t deepest = 0;
            std::uint64_t nodes = 1;
            std::uint64_t bytes = 0;
        };
        std::vector<Frame> path;
        const QString tooDeep = QStringLiteral("nested more than %1 deep").arg(VQPlistMaxNesting);
        const QString tooMany = QStringLiteral("would expand to more than %1 values").arg(_nodeLimit);
        const QString tooLarge =
            QStringLiteral("would take more than %1 once read").arg(VQByteCountText(VQPlistMaxExpandedBytes));
        QString problem;
        // Adds what a child expands to; false (with `problem` set) when over a limit.
        const auto add = [&](Frame &frame, std::uint64_t childNodes, std::uint64_t childBytes) {
            frame.nodes += childNodes;
            frame.bytes += childBytes;
            if (frame.nodes > _nodeLimit)
                problem = tooMany;
            else if (frame.bytes > VQPlistMaxExpandedBytes)
                problem = tooLarge;
            return problem.isEmpty();
        };
        auto open = [&](std::uint64_t index) {
            Frame frame{index, {}, 0, 0, 1, 0};
            if (!object(index, frame.o)) {
                problem = broken();
                return false;
            }
            frame.bytes = VQPlistNodeBytes + frame.o.bytes;
            depth[index] = kOpen;
            path.push_back(frame);
            if (path.size() > std::size_t(VQPlistMaxNesting))
                problem = tooDeep;
            return problem.isEmpty();
        };
        if (!open(top))
            return problem;
        while (!path.empty()) {
            Frame &frame = path.back();
            if (frame.next < frame.o.refs) {
                const std::uint64_t child = be(_p + frame.o.refsAt + frame.next * _refSize, _refSize);
                ++frame.next;
                if (child >= _count)
                    return broken(); // a reference to nothing
                if (depth[child] == kOpen)
                    return QStringLiteral("a container holds itself");
                if (depth[child] == kUnseen) {
                    if (!open(child))
                        return problem;
                    continue;
                }
                if (path.size() + depth[child] > std::size_t(VQPlistMaxNesting))
                    return tooDeep; // seen before, but reached deeper this time
                frame.deepest = std::max(frame.deepest, depth[child]);
                if (!add(frame, nodes[child], bytes[child]))
                    return problem;
                continue;
            }
            const Frame done = frame;
            path.pop_back();
            depth[done.object] = std::uint16_t(done.deepest + 1);
            nodes[done.object] = done.nodes;
            bytes[done.object] = done.bytes;
            if (!path.empty()) {
                Frame &parent = path.back();
                parent.deepest = std::max(parent.deepest, depth[done.object]);
                if (!add(parent, done.nodes, done.bytes))
                    return problem;
            }
        }
        return {};
    }

    static QString broken() { return QStringLiteral("a binary property list whose tables point outside it"); }

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

QString xmlProblem(const QByteArray &data)
{
    std::uint64_t openings = 0; // tags that may make a node
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
            if (tag < end && *tag != '/')
                ++openings;
        }
        if (nameAt(tag, end, "array") || nameAt(tag, end, "dict")) {
            // Tags only move forward, so each '>' is searched for once.
            if (nextClose && nextClose < tag)
                nextClose = static_cast<const char *>(std::memchr(tag, '>', std::size_t(end - tag)));
            const bool empty = nextClose && nextClose[-1] == '/';
            if (!empty && ++depth > VQPlistMaxNesting)
                return QStringLiteral("nested more than %1 deep").arg(VQPlistMaxNesting);
        }
        p = tag;
    }
    if (openings > (VQPlistMaxExpandedBytes - std::uint64_t(data.size())) / VQPlistNodeBytes)
        return QStringLiteral("would take more than %1 once read").arg(VQByteCountText(VQPlistMaxExpandedBytes));
    return {};
}

} // namespace

QString VQPlistShapeProblem(const QByteArray &data)
{
    if (data.startsWith("bplist"))
        return BinaryShape(data).problem();
    if (std::uint64_t(data.size()) > VQPlistMaxExpandedBytes)
        return QStringLiteral("would take more than %1 once read").arg(VQByteCountText(VQPlistMaxExpandedBytes));
    return xmlProblem(data);
}
