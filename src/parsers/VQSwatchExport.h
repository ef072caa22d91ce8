#pragma once
// Collections out to the files other programs read:
//
//   .gpl   a GIMP palette: one collection ("Name:" its title, "Columns:" up to
//          16), a row "R G B<tab>name" per colour, channels rounded as the hex
//          text rounds them (CMYK colours through their RGB). Several
//          collections are refused: the format holds one palette. A title or
//          name goes out as a row holds it (VQPaletteRowName); those changed
//          are counted.
//   .ase   Adobe Swatch Exchange 1.0: one group per collection, RGB colours as
//          "RGB " and CMYK as "CMYK" with their components as 32-bit floats,
//          every colour a normal (process) colour, unnamed ones with an empty name.
//   .css   custom properties in :root, "--title-name: #RRGGBB;", every name
//          made an identifier (VQCSSIdentifier) and unique in the file; each
//          collection's title whole in a comment, with backslash, '*', '<' and
//          control characters as CSS escapes ("\3C " for '<').
//   .json  an array of collections in vellico-cli's shape (core/VQJson.h).
//
// .css and .json can be pasted into an HTML page as they are: no title or
// name can end a comment, a <style> or a <script> element there.
//
// Empty collections are written as they are (a palette or group without
// colours, no properties). Files are replaced atomically.

#include "core/VQSwatchCollection.h"
#include "parsers/VQParser.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

enum class VQExportFormat { GPL, ASE, CSS, JSON };

// "gpl", "ase", "css", "json" (any case); nothing for anything else.
std::optional<VQExportFormat> VQExportFormatNamed(const QString &name);
// By the path's extension.
std::optional<VQExportFormat> VQExportFormatForPath(const QString &path);
// The extensions, without the dot, in the order above.
QStringList VQExportExtensions();
// Whether the format is text (it may go to standard output).
bool VQExportFormatIsText(VQExportFormat format);

// The file's bytes; nothing, with `error` saying why, when the collections
// cannot be written in the format (none given, several for .gpl, a name longer
// than .ase allows). `changed` counts the titles and names that went out other
// than they are (only .gpl changes any).
std::optional<QByteArray> VQExportCollections(const std::vector<VQSwatchCollectionRef> &collections,
                                              VQExportFormat format, QString *error = nullptr,
                                              VQChangedNames *changed = nullptr);

// Writes the export to `path`, replacing what is there atomically: on any
// failure the old file (or nothing) stays, and `error` names the file and why.
bool VQWriteExport(const std::vector<VQSwatchCollectionRef> &collections, VQExportFormat format, const QString &path,
                   QString *error = nullptr, VQChangedNames *changed = nullptr);

// A CSS identifier from `text`: lower case; letters and digits (any script)
// and '_' kept; every other run of characters (dashes too) one '-', none at
// either end.
// Empty when nothing is left.
QString VQCSSIdentifier(const QString &text);
