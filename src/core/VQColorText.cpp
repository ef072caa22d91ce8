// Colour text: hexadecimal values, basic HTML colour names and CSS functions.
#include "core/VQColor.h"
#include "core/VQColorText.h"

#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQRegex.h"
#include "vqcore/VQStringExtensions.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

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

const QString kSixDigitPattern = QStringLiteral("#?[0-9a-fA-F]{6}");
const QString kThreeDigitPattern = QStringLiteral("#?[0-9a-fA-F]{3}");
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

VQColorRef VQColor::fromRGBString(const QString &text)
{
    if (matchesRegexString(text, kSixDigitPattern))
        return fromHexString(text);
    if (matchesRegexString(text, kThreeDigitPattern)) {
        const QString digits = VQString::stringByDeletingPrefix(text, QStringLiteral("#"));
        // Each digit d stands for dd, that is d × 17.
        double channels[3];
        for (int i = 0; i < 3; ++i)
            channels[i] = double(VQString::hexValue(digits.mid(i, 1)) * 17) / 255.0;
        return makeRGB(channels[0], channels[1], channels[2]);
    }

    const QString lower = text.toLower();
    for (const NamedColor &named : kNamedColors) {
        if (lower.startsWith(QLatin1String(named.name)))
            return makeRGB(named.r, named.g, named.b);
    }
    // Components beyond their range are brought into it, as CSS does: a typed
    // "rgb(256,0,0)" is red, never a colour that no format can print. The
    // patterns admit no sign, so only the upper end needs a bound; hues wrap.
    if (lower.startsWith(QLatin1String("rgb"))) {
        static const char *const names[3] = {"R", "G", "B"};
        if (const auto rgb = readGroups(lower, kRGBPattern, names)) {
            const auto channel = [](double value) { return std::min(value, 255.0) / 255.0; };
            return makeRGB(channel((*rgb)[0]), channel((*rgb)[1]), channel((*rgb)[2]));
        }
        return nullptr;
    }
    if (lower.startsWith(QLatin1String("hsl"))) {
        static const char *const names[3] = {"H", "S", "L"};
        if (const auto hsl = readGroups(lower, kHSLPattern, names)) {
            const auto percent = [](double value) { return std::min(value, 100.0) / 100.0; };
            return makeRGB(
                VQHSLColor{std::fmod((*hsl)[0], 360.0) / 360.0, percent((*hsl)[1]), percent((*hsl)[2])}.toRGB());
        }
        return nullptr;
    }
    return nullptr;
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
                             "\u2022 basic HTML colors (e.g. black, white).");
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
