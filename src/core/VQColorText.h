#pragma once
// The texts of the colour-entry dialog, which describe the forms that
// VQColor::fromRGBString accepts. The dialog shows them as they are here.

#include <QString>

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
