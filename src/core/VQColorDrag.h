#pragma once
// What a colour drag carries. Qt's colour type (`application/x-color`) keeps
// 16 bits a channel, so a colour that went through it may come back one step
// off in hex (CMYK 0/0.5/0.9/0.1 is #E66600 and arrives as #E56600). Beside it
// and the hex text, a drag therefore carries the colour's space and its four
// components exactly under a type of our own, and a drop prefers that.

#include "core/VQColor.h"

class QMimeData;

namespace VQColorDrag
{

// The exact colour: a property-list dictionary with the colour's space and
// components (the keys of the colour's dictionary form), nothing else.
inline constexpr const char *MimeType = "application/x-vellico-color";

// Fills `data` with the exact colour, Qt's colour type for other programs and
// the hex text.
void write(QMimeData &data, const VQColor &color);

// The colour a drop carries: the exact one when our type is there and reads,
// else Qt's colour type; null for anything else. A new colour each time (fresh
// identifier, no name). Text is not read: any text that starts with a colour
// name would read as one.
VQColorRef read(const QMimeData *data);

} // namespace VQColorDrag
