#pragma once
// Colour names: the CSS named colours and the 31,918 names of color-name-list
// 14.51.0 (MIT licence, shipped with the program), the nearest name of any
// colour by distance in OKLab, and names read back as colours.

#include "core/VQColorSpaces.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class VQColorNames
{
  public:
    // The names shipped with the program, read on first use.
    static const VQColorNames &shared();

    struct Entry {
        QString name;
        std::uint32_t rgb; // 0xRRGGBB
    };
    const std::vector<Entry> &entries() const { return _entries; }

    struct Match {
        QString name;
        std::uint32_t rgb = 0; // the named colour
        bool exact = false;    // the colour is the named one (as 8-bit sRGB)
        bool css = false;      // the name is a CSS named colour
        double distance = 0;   // deltaEOK from the colour to the named one
    };
    // The colour's CSS keyword when its 8-bit value is one, otherwise the nearest
    // name in OKLab (the first in list order when two are as near).
    Match nearest(const VQColorSpaces::Triple &rgb) const;

    // The colour a name stands for, ignoring case, spaces and punctuation (a CSS
    // keyword is not looked up here: the CSS reader has it).
    std::optional<std::uint32_t> colorForName(std::string_view utf8) const;

    // Names containing every word (any case), exact names first, then in list order.
    std::vector<const Entry *> search(const QStringList &words, std::size_t limit) const;

    // The list's licence and a line saying where the names come from.
    static QString licence();
    static QString attribution();

    // A list of one's own (for tests): "RRGGBB<tab>name" lines.
    explicit VQColorNames(const QByteArray &lines);

  private:
    int build(std::vector<int> &order, int begin, int end, int depth);
    void nearestIn(int node, const VQColorSpaces::Triple &lab, int &best, double &bestDistance) const;

    std::vector<Entry> _entries;
    std::vector<VQColorSpaces::Triple> _labs; // OKLab of each entry
    // A k-d tree over _labs: nodes in an array, children by index, -1 for none.
    struct TreeNode {
        int entry;
        int axis;
        int left = -1, right = -1;
    };
    std::vector<TreeNode> _tree;
    int _root = -1;
    std::vector<std::pair<std::string, std::uint32_t>> _byKey; // normalised name → colour, sorted by key
};

// A name as colour text looks it up: letters and digits only, lower case.
std::string VQColorNameLookupKey(std::string_view utf8);
