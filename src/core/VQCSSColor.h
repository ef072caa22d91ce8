#pragma once
// CSS colour values (CSS Color 4, without calc()) read from ASCII text and
// written in the CSS notations beyond rgb() and hsl(). Plain C++, no Qt: the
// command line streams a million lines through these.

#include "core/VQColorSpaces.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace VQCSSColor
{

struct Reading {
    bool ok = false;
    VQColorSpaces::Triple rgb{}; // sRGB, 0–1 in every channel when ok
    bool gamutMapped = false;    // the value lay outside sRGB and was brought in
    bool looksLikeCSS = false;   // `error` is about a CSS value (#…, a known function, a text too long)
    std::string error;           // what was expected, when not ok
};

// The whole of `text` as one CSS colour value: #RGB, #RGBA, #RRGGBB, #RRGGBBAA,
// a named colour, rgb(), rgba(), hsl(), hsla(), hwb(), lab(), lch(), oklab(),
// oklch() or color(). Case is ignored; whitespace may separate the values as
// CSS allows, but not lead or trail the text. Alpha is read and dropped.
Reading read(std::string_view text);

// The 148 named colours of CSS, in alphabetical order.
struct Keyword {
    const char *name;
    std::uint32_t rgb; // 0xRRGGBB
};
std::span<const Keyword> keywords();
// The keyword named `name` (any case), or null.
const Keyword *findKeyword(std::string_view name);

// The notations colours are written in besides the classic copy formats.
enum class Notation { OKLCH, OKLab, Lab, LCH, HWB, DisplayP3 };
inline constexpr int kNotationCount = 6;

// `rgb` (sRGB 0–1) in `notation`, with as few digits as every 8-bit sRGB colour
// needs to read back as itself: "." for decimals, no exponent, no trailing
// zeros. `buffer` must hold kMaxWrittenLength characters; returns the length.
inline constexpr std::size_t kMaxWrittenLength = 160;
std::size_t write(Notation notation, const VQColorSpaces::Triple &rgb, char *buffer);
std::string write(Notation notation, const VQColorSpaces::Triple &rgb);

} // namespace VQCSSColor
