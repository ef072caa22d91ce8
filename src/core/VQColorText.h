#pragma once
// The texts of the colour-entry dialog, which describe the forms that
// VQColor::fromRGBString accepts. The dialog shows them as they are here.

#include "core/VQCSSColor.h"

#include <QString>

#include <string_view>

// Colour text as the program reads it (paste, the colour-entry dialog, the
// command line): the older forms first, each exactly as it always was —
// (#)RRGGBB, (#)RGB, a basic HTML colour name as a prefix of the text, rgb(r, g, b)
// and hsl(h, s%, l%) with integers — then every CSS Color 4 value (VQCSSColor::read),
// then the colour names (VQColorNames, ignoring case, spaces and punctuation).
// When the text is no colour, `error` says what was expected.
VQCSSColor::Reading VQReadColorText(std::string_view utf8);
VQCSSColor::Reading VQReadColorText(const QString &text);

namespace VQColorEntryTexts
{
QString message();         // "Enter a hex, HTML or CSS color string."
QString informativeText(); // the accepted forms, one bullet per line
QString okButton();
QString cancelButton();
QString initialText();    // "#FFFFFF"
QString failureMessage(); // shown when the text is not a colour
QString failureInformativeText();
} // namespace VQColorEntryTexts
