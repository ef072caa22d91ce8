#pragma once
// Our reader of colour-list files (".clr"). Two archive forms exist: the old
// typed stream ("\x04\x0bstreamtyped…") and the keyed archive inside a
// property list that newer systems write. Both give keys in list order and a
// colour per key.
//
// A colour is kept when it is RGB (calibrated or device), CMYK or grey (grey w
// becomes RGB w, w, w), also when its components come in an embedded colour
// space of one of those models. Colours end in sRGB: an embedded ICC profile
// is converted from, calibrated RGB is Generic RGB (VQColorProfile), and each
// component is clamped to 0–1. Any other kind (pattern, catalogue colours,
// Lab, a component that is not a finite number…) keeps its key with a null
// colour; the importer skips those.

#include "core/VQColor.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

struct VQColorListEntry {
    QString key;
    VQColorRef color; // null when its kind cannot become a VQColor
};

struct VQColorList {
    std::vector<VQColorListEntry> entries; // keys in list order, each key once
};

// Reads a .clr file's bytes (either archive form). No value, and `error` says
// why, when the bytes are not a colour list or are cut short.
std::optional<VQColorList> VQReadColorList(const QByteArray &data, QString *error = nullptr);

// Reads a .clr path; a folder X.clr (a list saved as a package) reads X.clr/X.clr.
std::optional<VQColorList> VQReadColorListFile(const QString &path, QString *error = nullptr);
// The file a colour list is read from: `path` itself, or for a list saved as a
// folder X.clr, the file X.clr inside it.
QString VQColorListFilePath(const QString &path);
