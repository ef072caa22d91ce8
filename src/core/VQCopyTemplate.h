#pragma once
// The code formats a colour is copied in, and the copy itself: the eleven
// classic formats (0–10) and the CSS Color 4 notations (11–16).

#include "core/VQColor.h"

#include <QString>

#include <cstdint>
#include <optional>

enum class VQCopyTemplate : int {
    HexRGBWithoutHash = 0,
    HexRGBWithHash = 1,
    RGB255 = 2,
    RGB1 = 3,
    CSS3RGB = 4,
    CSS3RGBA = 5,
    NSColorDevice = 6,
    NSColorCalibrated = 7,
    CGColorRef = 8,
    UIColor = 9,
    CSS3HSLA = 10,
    OKLCH = 11,
    OKLab = 12,
    Lab = 13,
    LCH = 14,
    HWB = 15,
    DisplayP3 = 16,
};
inline constexpr int VQCopyTemplateCount = 17;

// Nothing for any integer outside 0–16 and the user formats' 100, 101, …
// (VQUserFormats.h; the preferences store the raw value).
std::optional<VQCopyTemplate> VQCopyTemplateFromRawValue(std::int64_t raw);

// The name the command line knows a format by ("hex", "rgb", "oklch", "display-p3", …,
// a user format's own name), and the format of a name (any case; built-in names first).
QString VQCopyTemplateName(VQCopyTemplate format);
std::optional<VQCopyTemplate> VQCopyTemplateFromName(const QString &name);

// The text `color` copies as. With `lowercase`, formats 0–5 are lower-cased;
// the source-code formats (6–10) never change, and the CSS notations (11–16)
// are lower case already.
QString VQCopyText(const VQColor &color, VQCopyTemplate format, bool lowercase);

// VQColor::writeToPasteboardWithTemplate puts the colour's text for the format on
// the general pasteboard ("VQUseLowercase" from the user defaults decides the
// case), then posts this (object: the colour). The desktop program closes its
// window on it and hands the focus back.
inline constexpr const char *VQColorWasCopiedNotification = "VQColorWasCopiedNotification";

class VQUserDefaults;

// The partner of a copy format: c − 1 when c is odd, c + 1 when even (0 ↔ 1, 2 ↔ 3, …);
// the last format (16), which has none after it, has the one before it.
std::int64_t VQAlternateCopyFormatPartner(std::int64_t copyType);
// The alternate format as the preferences show it and copying uses it: the
// number stored under "VQAlternateCopyFormat", or, when it holds none, the
// partner of "VQCopyType".
std::int64_t VQStoredAlternateCopyFormat(const VQUserDefaults &defaults);

// User-defaults keys.
inline constexpr const char *VQDefaultCopyFormatDefaultsKey = "VQCopyType";
inline constexpr const char *VQAlternateCopyFormatDefaultsKey = "VQAlternateCopyFormat";
inline constexpr const char *VQUseLowercaseDefaultsKey = "VQUseLowercase";
