#pragma once
// Reader of colour lists (.clr): the typedstream and keyed-archive variants.

#include "VQColor.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

struct VQColorListEntry {
    QString key;
    VQColorRef color;   // null when its kind cannot become a VQColor
};

struct VQColorList {
    std::vector<VQColorListEntry> entries;   // keys in list order
};

// Reads a .clr file's bytes (either archive variant). No value (and *error set) when it is not a colour list.
std::optional<VQColorList> VQReadColorList(const QByteArray &data, QString *error = nullptr);
// Reads a .clr path; a folder X.clr reads X.clr/X.clr.
std::optional<VQColorList> VQReadColorListFile(const QString &path, QString *error = nullptr);
