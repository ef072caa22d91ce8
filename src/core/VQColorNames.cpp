#include "core/VQColorNames.h"

#include "core/VQCSSColor.h"

#include <QFile>

#include <algorithm>
#include <cmath>

// The names live in the static library's resource file, registered by hand.
static void VQInitColorNameResources()
{
    Q_INIT_RESOURCE(core);
}

namespace
{

VQColorSpaces::Triple fromRGB24(std::uint32_t rgb)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

std::uint32_t toRGB24(const VQColorSpaces::Triple &rgb)
{
    std::uint32_t value = 0;
    for (double channel : rgb)
        value = value << 8 | std::uint32_t(std::lround(std::clamp(channel, 0.0, 1.0) * 255));
    return value;
}

double squaredDistance(const VQColorSpaces::Triple &a, const VQColorSpaces::Triple &b)
{
    return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]);
}

// The CSS keyword of each 8-bit value that has one (the first in alphabetical order), sorted by value.
const std::vector<std::pair<std::uint32_t, const VQCSSColor::Keyword *>> &keywordsByValue()
{
    static const auto table = [] {
        std::vector<std::pair<std::uint32_t, const VQCSSColor::Keyword *>> values;
        for (const VQCSSColor::Keyword &keyword : VQCSSColor::keywords())
            values.emplace_back(keyword.rgb, &keyword);
        std::stable_sort(values.begin(), values.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        values.erase(
            std::unique(values.begin(), values.end(), [](const auto &a, const auto &b) { return a.first == b.first; }),
            values.end());
        return values;
    }();
    return table;
}

} // namespace

std::string VQColorNameLookupKey(std::string_view utf8)
{
    std::string key;
    key.reserve(utf8.size());
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return (unsigned char)c < 0x80; });
    if (ascii) {
        for (char c : utf8) {
            if (c >= 'A' && c <= 'Z')
                key += char(c - 'A' + 'a');
            else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                key += c;
        }
        return key;
    }
    QString kept;
    for (const char32_t c : QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toUcs4()) {
        if (QChar::isLetterOrNumber(c))
            kept += QString::fromUcs4(&c, 1);
    }
    return kept.toLower().toStdString();
}

VQColorNames::VQColorNames(const QByteArray &lines)
{
    for (const QByteArray &line : lines.split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        bool ok = false;
        const std::uint32_t rgb = tab == 6 ? line.left(6).toUInt(&ok, 16) : 0;
        if (!ok)
            continue;
        _entries.push_back({QString::fromUtf8(line.mid(7)), rgb});
        _labs.push_back(VQColorSpaces::sRGBToOKLab(fromRGB24(rgb)));
    }
    std::vector<int> order(_entries.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    _tree.reserve(_entries.size());
    _root = build(order, 0, int(order.size()), 0);

    _byKey.reserve(_entries.size());
    for (const Entry &entry : _entries)
        _byKey.emplace_back(VQColorNameLookupKey(entry.name.toStdString()), entry.rgb);
    // Names that differ only in case or punctuation: the first in list order is read.
    std::stable_sort(_byKey.begin(), _byKey.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    _byKey.erase(
        std::unique(_byKey.begin(), _byKey.end(), [](const auto &a, const auto &b) { return a.first == b.first; }),
        _byKey.end());
}

const VQColorNames &VQColorNames::shared()
{
    static const VQColorNames names = [] {
        VQInitColorNameResources();
        QFile file(QStringLiteral(":/colornames/color-names.txt"));
        file.open(QIODevice::ReadOnly);
        return VQColorNames(file.readAll());
    }();
    return names;
}

int VQColorNames::build(std::vector<int> &order, int begin, int end, int depth)
{
    if (begin >= end)
        return -1;
    const int axis = depth % 3;
    const int middle = begin + (end - begin) / 2;
    std::nth_element(order.begin() + begin, order.begin() + middle, order.begin() + end, [&](int a, int b) {
        return _labs[a][axis] < _labs[b][axis] || (_labs[a][axis] == _labs[b][axis] && a < b);
    });
    const int node = int(_tree.size());
    _tree.push_back({order[middle], axis});
    const int left = build(order, begin, middle, depth + 1);
    const int right = build(order, middle + 1, end, depth + 1);
    _tree[node].left = left;
    _tree[node].right = right;
    return node;
}

void VQColorNames::nearestIn(int node, const VQColorSpaces::Triple &lab, int &best, double &bestDistance) const
{
    if (node < 0)
        return;
    const TreeNode &here = _tree[node];
    const double distance = squaredDistance(lab, _labs[here.entry]);
    if (distance < bestDistance || (distance == bestDistance && here.entry < best)) {
        best = here.entry;
        bestDistance = distance;
    }
    const double along = lab[here.axis] - _labs[here.entry][here.axis];
    nearestIn(along < 0 ? here.left : here.right, lab, best, bestDistance);
    // The other side can hold a nearer (or as near, earlier) name only within this distance of the plane.
    if (along * along <= bestDistance)
        nearestIn(along < 0 ? here.right : here.left, lab, best, bestDistance);
}

VQColorNames::Match VQColorNames::nearest(const VQColorSpaces::Triple &rgb) const
{
    const VQColorSpaces::Triple lab = VQColorSpaces::sRGBToOKLab(rgb);
    const std::uint32_t value = toRGB24(rgb);
    const auto &keywords = keywordsByValue();
    const auto keyword = std::lower_bound(keywords.begin(), keywords.end(), value,
                                          [](const auto &entry, std::uint32_t v) { return entry.first < v; });
    if (keyword != keywords.end() && keyword->first == value) {
        return {QString::fromLatin1(keyword->second->name), value, true, true,
                VQColorSpaces::deltaEOK(lab, VQColorSpaces::sRGBToOKLab(fromRGB24(value)))};
    }
    int best = -1;
    double bestDistance = INFINITY;
    nearestIn(_root, lab, best, bestDistance);
    if (best < 0)
        return {};
    const Entry &entry = _entries[std::size_t(best)];
    return {entry.name, entry.rgb, entry.rgb == value, false, std::sqrt(bestDistance)};
}

std::optional<std::uint32_t> VQColorNames::colorForName(std::string_view utf8) const
{
    const std::string key = VQColorNameLookupKey(utf8);
    if (key.empty())
        return std::nullopt;
    const auto found = std::lower_bound(_byKey.begin(), _byKey.end(), key,
                                        [](const auto &entry, const std::string &k) { return entry.first < k; });
    if (found == _byKey.end() || found->first != key)
        return std::nullopt;
    return found->second;
}

std::vector<const VQColorNames::Entry *> VQColorNames::search(const QStringList &words, std::size_t limit) const
{
    QStringList lowered;
    for (const QString &word : words) {
        if (!word.trimmed().isEmpty())
            lowered << word.trimmed().toLower();
    }
    const std::string wanted = VQColorNameLookupKey(lowered.join(QLatin1Char(' ')).toStdString());
    std::vector<const Entry *> exact, others;
    for (const Entry &entry : _entries) {
        const QString name = entry.name.toLower();
        if (!std::all_of(lowered.begin(), lowered.end(), [&](const QString &word) { return name.contains(word); }))
            continue;
        (VQColorNameLookupKey(entry.name.toStdString()) == wanted ? exact : others).push_back(&entry);
    }
    exact.insert(exact.end(), others.begin(), others.end());
    if (exact.size() > limit)
        exact.resize(limit);
    return exact;
}

QString VQColorNames::licence()
{
    VQInitColorNameResources();
    QFile file(QStringLiteral(":/colornames/LICENSE"));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

QString VQColorNames::attribution()
{
    return QStringLiteral("Color names from color-name-list 14.51.0 by David Aerne and contributors "
                          "(https://github.com/meodai/color-names), MIT License.");
}
