// Colour text: hexadecimal values, basic HTML colour names, CSS colour values
// and colour names. The older forms are tried first, exactly as they always
// were read, so that every text they accept keeps its colour; the CSS reader
// and the names only see what they refuse.
#include "core/VQColor.h"
#include "core/VQColorText.h"
#include "core/VQCSSColor.h"
#include "core/VQColorNames.h"

#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQRegex.h"
#include "vqcore/VQStringExtensions.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace
{

struct NamedColor {
    const char *name;
    double r, g, b;
};

// Tested in this order as prefixes of the lower-cased text, so "navyblue" is navy.
constexpr NamedColor kNamedColors[] = {
    {"white", 1, 1, 1},      {"transparent", 1, 1, 1}, {"black", 0, 0, 0},           {"gray", 0.5, 0.5, 0.5},
    {"aqua", 0, 1, 1},       {"blue", 0, 0, 1},        {"yellow", 1, 1, 0},          {"lime", 0, 1, 0},
    {"fuchsia", 1, 0, 1},    {"red", 1, 0, 0},         {"silver", 0.75, 0.75, 0.75}, {"maroon", 0.5, 0, 0},
    {"purple", 0.5, 0, 0.5}, {"green", 0, 0.5, 0},     {"olive", 0.5, 0.5, 0},       {"navy", 0, 0, 0.5},
    {"teal", 0, 0.5, 0.5},
};

const QString kRGBPattern = QStringLiteral("rgba?\\(\\s*(?P<R>\\d+),\\s*(?P<G>\\d+),\\s*(?P<B>\\d+)");
const QString kHSLPattern = QStringLiteral("hsla?\\(\\s*(?P<H>\\d+),\\s*(?P<S>\\d+)%,\\s*(?P<L>\\d+)%");

// The user-perceived characters (grapheme clusters) of the text.
QStringList graphemes(const QString &text)
{
    QStringList result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        result << text.mid(start, end - start);
        start = end;
    }
    return result;
}

bool isASCIIDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// The three named groups of the first match, as decimal integers. The pattern's
// \d also matches digits of other scripts; those are not read as numbers here
// (they would silently count as 0), so such a text is no colour.
std::optional<std::array<double, 3>> readGroups(const QString &text, const QString &pattern, const char *const names[3])
{
    const VQRegex regex(pattern, VQRegex::CaseInsensitive);
    std::array<double, 3> values{};
    for (int i = 0; i < 3; ++i) {
        const std::optional<QString> group = getRegexVariableNamed(text, regex, QLatin1String(names[i]));
        if (!group || !isASCIIDigits(*group))
            return std::nullopt;
        values[i] = double(VQString::integerValue(*group));
    }
    return values;
}

// --- the older forms, for ASCII text ---------------------------------------------
// The same rules as the regular expressions above, without building any: the
// command line reads a million lines through here.

using VQColorSpaces::Triple;

int asciiHexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// (#)RRGGBB or (#)RGB, the whole text.
std::optional<Triple> legacyHex(std::string_view text)
{
    if (!text.empty() && text[0] == '#')
        text.remove_prefix(1);
    if (text.size() != 6 && text.size() != 3)
        return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return asciiHexDigit(c) >= 0; }))
        return std::nullopt;
    Triple rgb;
    for (int i = 0; i < 3; ++i) {
        const int value = text.size() == 3 ? asciiHexDigit(text[i]) * 17
                                           : asciiHexDigit(text[2 * i]) * 16 + asciiHexDigit(text[2 * i + 1]);
        rgb[i] = double(value) / 255.0;
    }
    return rgb;
}

bool isRegexSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Decimal digits at `p`, saturating as VQString::integerValue does.
std::optional<double> legacyInteger(std::string_view text, std::size_t *p)
{
    const std::size_t start = *p;
    std::uint64_t value = 0;
    bool overflow = false;
    while (*p < text.size() && text[*p] >= '0' && text[*p] <= '9') {
        const std::uint64_t digit = std::uint64_t(text[*p] - '0');
        if (value > (std::uint64_t(std::numeric_limits<std::int64_t>::max()) - digit) / 10)
            overflow = true;
        if (!overflow)
            value = value * 10 + digit;
        ++*p;
    }
    if (*p == start)
        return std::nullopt;
    return overflow ? double(std::numeric_limits<std::int64_t>::max()) : double(value);
}

// The first match of "NAMEa?\(\s*(\d+)S1,\s*(\d+)S2,\s*(\d+)S3" anywhere in `text`,
// where S1–S3 are "" for rgb and "", "%", "%" for hsl.
std::optional<std::array<double, 3>> legacyFunction(std::string_view text, std::string_view name, bool percentages)
{
    for (std::size_t start = text.find(name); start != std::string_view::npos; start = text.find(name, start + 1)) {
        std::size_t p = start + name.size();
        if (p < text.size() && text[p] == 'a' && p + 1 < text.size() && text[p + 1] == '(')
            ++p;
        if (p >= text.size() || text[p] != '(')
            continue;
        ++p;
        std::array<double, 3> values{};
        bool matched = true;
        for (int i = 0; i < 3 && matched; ++i) {
            while (p < text.size() && isRegexSpace(text[p]))
                ++p;
            const std::optional<double> value = legacyInteger(text, &p);
            if (!value) {
                matched = false;
                break;
            }
            values[i] = *value;
            if (percentages && i > 0) {
                if (p >= text.size() || text[p] != '%') {
                    matched = false;
                    break;
                }
                ++p;
            }
            if (i < 2) {
                if (p >= text.size() || text[p] != ',') {
                    matched = false;
                    break;
                }
                ++p;
            }
        }
        if (matched)
            return values;
    }
    return std::nullopt;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix)
{
    if (text.size() < lowerPrefix.size())
        return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? char(text[i] - 'A' + 'a') : text[i];
        if (c != lowerPrefix[i])
            return false;
    }
    return true;
}

std::optional<Triple> legacyRead(std::string_view text)
{
    if (const std::optional<Triple> hex = legacyHex(text))
        return hex;
    for (const NamedColor &named : kNamedColors) {
        if (startsWithIgnoringCase(text, named.name))
            return Triple{named.r, named.g, named.b};
    }
    const bool rgb = startsWithIgnoringCase(text, "rgb"), hsl = startsWithIgnoringCase(text, "hsl");
    if (!rgb && !hsl)
        return std::nullopt;
    // The patterns are matched case-insensitively: against the lower-cased text.
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    if (rgb) {
        if (const auto values = legacyFunction(lower, "rgb", false)) {
            const auto channel = [](double value) { return std::min(value, 255.0) / 255.0; };
            return Triple{channel((*values)[0]), channel((*values)[1]), channel((*values)[2])};
        }
    } else if (const auto values = legacyFunction(lower, "hsl", true)) {
        const auto percent = [](double value) { return std::min(value, 100.0) / 100.0; };
        const VQRGBColor converted =
            VQHSLColor{std::fmod((*values)[0], 360.0) / 360.0, percent((*values)[1]), percent((*values)[2])}.toRGB();
        return Triple{converted.r, converted.g, converted.b};
    }
    return std::nullopt;
}

// The older reader on any text, for text beyond ASCII (its patterns see Unicode characters).
std::optional<Triple> legacyReadUnicode(const QString &text)
{
    // The hexadecimal patterns are ASCII: only the names and functions can match here.
    const QString lower = text.toLower();
    for (const NamedColor &named : kNamedColors) {
        if (lower.startsWith(QLatin1String(named.name)))
            return Triple{named.r, named.g, named.b};
    }
    if (lower.startsWith(QLatin1String("rgb"))) {
        static const char *const names[3] = {"R", "G", "B"};
        if (const auto rgb = readGroups(lower, kRGBPattern, names)) {
            const auto channel = [](double value) { return std::min(value, 255.0) / 255.0; };
            return Triple{channel((*rgb)[0]), channel((*rgb)[1]), channel((*rgb)[2])};
        }
    } else if (lower.startsWith(QLatin1String("hsl"))) {
        static const char *const names[3] = {"H", "S", "L"};
        if (const auto hsl = readGroups(lower, kHSLPattern, names)) {
            const auto percent = [](double value) { return std::min(value, 100.0) / 100.0; };
            const VQRGBColor rgb =
                VQHSLColor{std::fmod((*hsl)[0], 360.0) / 360.0, percent((*hsl)[1]), percent((*hsl)[2])}.toRGB();
            return Triple{rgb.r, rgb.g, rgb.b};
        }
    }
    return std::nullopt;
}

VQCSSColor::Reading readLegacyResult(const Triple &rgb)
{
    VQCSSColor::Reading reading;
    reading.ok = true;
    reading.rgb = rgb;
    return reading;
}

// After the older forms: CSS, then the colour names, then (for what is neither) a general message.
VQCSSColor::Reading readNewer(std::string_view utf8)
{
    VQCSSColor::Reading reading = VQCSSColor::read(utf8);
    if (reading.ok || reading.looksLikeCSS)
        return reading;
    // Spaces within a name are ignored, but as for every colour text, none may lead or trail.
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; };
    const bool padded = !utf8.empty() && (isSpace(utf8.front()) || isSpace(utf8.back()));
    // Punctuation is ignored in a name; a control character (a NUL, a line break) makes it none.
    const bool control =
        std::any_of(utf8.begin(), utf8.end(), [](char c) { return (unsigned char)c < 0x20 || c == 0x7F; });
    if (const std::optional<std::uint32_t> named =
            padded || control ? std::nullopt : VQColorNames::shared().colorForName(utf8)) {
        reading.ok = true;
        reading.rgb = {((*named >> 16) & 0xFF) / 255.0, ((*named >> 8) & 0xFF) / 255.0, (*named & 0xFF) / 255.0};
        reading.error.clear();
        return reading;
    }
    if (!reading.ok)
        reading.error = "expected a hex color such as #RRGGBB, a color name, or a CSS color "
                        "function: rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch() or color()";
    return reading;
}

} // namespace

VQColorRef VQColor::fromHexString(const QString &text)
{
    QStringList characters = graphemes(text);
    if (characters.size() != 6 && characters.size() != 7)
        return nullptr;
    if (characters.first() == QLatin1String("#"))
        characters.removeFirst();
    // Seven characters without "#": the first six are read.
    double channels[3];
    for (int i = 0; i < 3; ++i) {
        const QString pair = characters.value(2 * i) + characters.value(2 * i + 1);
        if (!matchesRegexString(pair, QStringLiteral("[0-9a-fA-F]{2}")))
            return nullptr;
        channels[i] = double(VQString::hexValue(pair)) / 255.0;
    }
    return makeRGB(channels[0], channels[1], channels[2]);
}

VQCSSColor::Reading VQReadColorText(std::string_view utf8)
{
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return (unsigned char)c < 0x80; });
    if (!ascii)
        return VQReadColorText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    if (const std::optional<Triple> rgb = legacyRead(utf8))
        return readLegacyResult(*rgb);
    return readNewer(utf8);
}

VQCSSColor::Reading VQReadColorText(const QString &text)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii)
        return VQReadColorText(std::string_view(text.toLatin1().constData(), size_t(text.size())));
    if (const std::optional<Triple> rgb = legacyReadUnicode(text))
        return readLegacyResult(*rgb);
    const QByteArray utf8 = text.toUtf8();
    return readNewer(std::string_view(utf8.constData(), size_t(utf8.size())));
}

VQColorRef VQColor::fromRGBString(const QString &text)
{
    const VQCSSColor::Reading reading = VQReadColorText(text);
    if (!reading.ok)
        return nullptr;
    return makeRGB(reading.rgb[0], reading.rgb[1], reading.rgb[2]);
}

namespace VQColorEntryTexts
{
QString message()
{
    return VQLocalizedString("Enter a hex, HTML or CSS color string.");
}
QString informativeText()
{
    return VQLocalizedString("Vellico accepts strings in these formats: \n"
                             "\u2022 (#)RRGGBB (e.g. #EE11EE, #E1E or EE11EE, E1E)\n"
                             "\u2022 CSS rgb(r,g,b) and rgba(r,g,b,a)\n"
                             "\u2022 basic HTML colors (e.g. black, white)\n"
                             "\u2022 every CSS color: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), "
                             "color() and the named colors (e.g. cornflowerblue).");
}
QString okButton()
{
    return VQLocalizedString("OK");
}
QString cancelButton()
{
    return VQLocalizedString("Cancel");
}
QString initialText()
{
    return QStringLiteral("#FFFFFF");
}
QString failureMessage()
{
    return VQLocalizedString("Vellico couldn't parse the entered hex value.");
}
QString failureInformativeText()
{
    // Names and CSS forms parse as well as hex values: say so, not only "(#)RRGGBB".
    return informativeText();
}
} // namespace VQColorEntryTexts
