#pragma once
// Copy formats of the user's own: a name and a template whose placeholders
// stand for the colour's channels in any of the program's spaces.
//
//   {rgb.r} {rgb.g} {rgb.b}        0–255            {srgb.r} …          0–1
//   {hsl.h} {hsl.s} {hsl.l}        degrees, percent {hwb.h} {hwb.w} {hwb.b}
//   {oklch.l} {oklch.c} {oklch.h}  {oklab.l} {oklab.a} {oklab.b}
//   {lab.l} {lab.a} {lab.b}        {lch.l} {lch.c} {lch.h}   {p3.r} {p3.g} {p3.b}
//   {hex} {HEX}                    RRGGBB in lower or upper case
//
// ":N" after a channel gives N decimals (0–6, trailing zeros kept): {srgb.r:3}.
// "{{" and "}}" are braces. The formats are stored as JSON under "VQUserFormats"
// and have the raw copy-format values 100, 101, … in their order.

#include "core/VQColorSpaces.h"

#include <QString>

#include <optional>
#include <vector>

class VQUserDefaults;

struct VQUserFormat {
    QString name;
    QString pattern;
    friend bool operator==(const VQUserFormat &, const VQUserFormat &) = default;
};

inline constexpr int VQUserFormatFirstRawValue = 100;
inline constexpr const char *VQUserFormatsDefaultsKey = "VQUserFormats";

// The text of `pattern` for the sRGB colour `rgb`; nothing, and the reason, for a
// pattern with an unknown or unfinished placeholder.
std::optional<QString> VQUserFormatText(const QString &pattern, const VQColorSpaces::Triple &rgb,
                                        QString *error = nullptr);

// The stored formats (those whose pattern is not valid are kept: copying with one does nothing).
std::vector<VQUserFormat> VQStoredUserFormats(const VQUserDefaults &defaults);
void VQStoreUserFormats(VQUserDefaults &defaults, const std::vector<VQUserFormat> &formats);
