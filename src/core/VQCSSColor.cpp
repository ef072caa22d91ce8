// CSS colour values in and out. Reading follows the CSS Color 4 grammar
// without calc(); a value outside sRGB is brought in by OKLCH chroma reduction
// (VQColorSpaces::gamutMapOKLabToSRGB), never by clipping alone.
#include "core/VQCSSColor.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace VQCSSColor
{
namespace
{

using VQColorSpaces::Space;
using VQColorSpaces::Triple;

// Longer than any colour value written by hand, short enough to refuse pasted documents quickly.
constexpr std::size_t kMaxLength = 1000;

constexpr Keyword kKeywords[] = {
#include "core/VQCSSKeywords.inc"
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
char lowered(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isIdentStart(char c)
{
    return isLetter(c) || c == '_' || c == '-';
}
bool isIdentChar(char c)
{
    return isIdentStart(c) || isDigit(c);
}
int hexDigit(char c)
{
    if (isDigit(c))
        return c - '0';
    c = lowered(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}
bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowered(x) == lowered(y); });
}
std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

Triple fromRGB24(std::uint32_t rgb)
{
    return {double((rgb >> 16) & 0xFF) / 255, double((rgb >> 8) & 0xFF) / 255, double(rgb & 0xFF) / 255};
}

struct Token {
    enum Kind { Number, Percentage, Dimension, Ident, Comma, Slash } kind;
    double value = 0;
    std::string_view text; // the whole token as written
    std::string_view unit; // a dimension's unit
};

// What a component may be.
enum class Accepts {
    NumberOrPercentage, // numbers and percentages, scaled differently
    Hue,                // a number of degrees or an angle
};

Reading failure(std::string message, bool looksLikeCSS = true)
{
    Reading reading;
    reading.error = std::move(message);
    reading.looksLikeCSS = looksLikeCSS;
    return reading;
}

Reading success(const Triple &rgb, bool mapped = false)
{
    Reading reading;
    reading.ok = true;
    reading.looksLikeCSS = true;
    reading.rgb = rgb;
    reading.gamutMapped = mapped;
    return reading;
}

// An sRGB colour that may lie outside the gamut: within it (up to rounding), it is
// clipped; beyond it, it is gamut mapped.
Reading fromXYZ(const Triple &xyz)
{
    const Triple rgb = VQColorSpaces::fromXYZD65(Space::SRGB, xyz);
    if (VQColorSpaces::isInSRGBGamut(rgb))
        return success({std::clamp(rgb[0], 0.0, 1.0), std::clamp(rgb[1], 0.0, 1.0), std::clamp(rgb[2], 0.0, 1.0)});
    bool mapped = false;
    const Triple mappedRGB = VQColorSpaces::gamutMapOKLabToSRGB(VQColorSpaces::XYZD65ToOKLab(xyz), &mapped);
    return success(mappedRGB, mapped);
}

Reading fromOKLab(const Triple &lab)
{
    bool mapped = false;
    const Triple rgb = VQColorSpaces::gamutMapOKLabToSRGB(lab, &mapped);
    return success(rgb, mapped);
}

// The tokens of a function's arguments; no colour function has more than ten.
struct TokenList {
    std::array<Token, 10> items{};
    std::size_t count = 0;
    const Token *begin() const { return items.data(); }
    const Token *end() const { return items.data() + count; }
    bool empty() const { return count == 0; }
    std::size_t size() const { return count; }
    const Token &operator[](std::size_t i) const { return items[i]; }
};

class ArgumentReader
{
  public:
    ArgumentReader(std::string_view text, std::size_t position) : _text(text), _position(position) {}

    // The tokens up to the closing parenthesis (CSS closes a function the text leaves open).
    std::optional<TokenList> tokens(std::string *error)
    {
        TokenList result;
        for (;;) {
            if (result.count == result.items.size()) {
                *error = "too many values";
                return std::nullopt;
            }
            while (_position < _text.size() && isSpace(_text[_position]))
                ++_position;
            if (_position == _text.size())
                return result;
            const char c = _text[_position];
            if (c == ')') {
                if (_position + 1 != _text.size()) {
                    *error = "nothing may follow the closing parenthesis; found " + quoted(_text.substr(_position + 1));
                    return std::nullopt;
                }
                return result;
            }
            if (c == ',' || c == '/') {
                push(result, {c == ',' ? Token::Comma : Token::Slash, 0, _text.substr(_position, 1), {}});
                ++_position;
                continue;
            }
            if (isDigit(c) || c == '.' || c == '+' || (c == '-' && !isIdentAhead())) {
                if (const std::optional<Token> number = readNumber()) {
                    push(result, *number);
                    continue;
                }
                *error = "expected a number at " + quoted(rest());
                return std::nullopt;
            }
            if (isIdentStart(c)) {
                const std::size_t start = _position;
                while (_position < _text.size() && isIdentChar(_text[_position]))
                    ++_position;
                push(result, {Token::Ident, 0, _text.substr(start, _position - start), {}});
                continue;
            }
            if (static_cast<unsigned char>(c) >= 0x80)
                *error = "expected a number written in ASCII digits, found a non-ASCII character";
            else if (c == '\0')
                *error = "expected a number, found a NUL character";
            else
                *error = std::string("unexpected \"") + c + "\"";
            return std::nullopt;
        }
    }

  private:
    static void push(TokenList &list, const Token &token) { list.items[list.count++] = token; }
    std::string_view rest() const
    {
        return _text.substr(_position, std::min<std::size_t>(20, _text.size() - _position));
    }
    // A "-" that begins an identifier ("-foo") rather than a negative number.
    bool isIdentAhead() const
    {
        return _position + 1 < _text.size() && isIdentStart(_text[_position + 1]) && _text[_position + 1] != '-';
    }

    std::optional<Token> readNumber()
    {
        const std::size_t start = _position;
        std::size_t p = _position;
        if (p < _text.size() && (_text[p] == '+' || _text[p] == '-'))
            ++p;
        const std::size_t digitsStart = p;
        while (p < _text.size() && isDigit(_text[p]))
            ++p;
        bool anyDigits = p > digitsStart;
        if (p + 1 < _text.size() && _text[p] == '.' && isDigit(_text[p + 1])) {
            ++p;
            while (p < _text.size() && isDigit(_text[p]))
                ++p;
            anyDigits = true;
        }
        if (!anyDigits)
            return std::nullopt;
        // An exponent only when digits follow the "e" (otherwise it starts a unit, as in "1em").
        if (p < _text.size() && lowered(_text[p]) == 'e') {
            std::size_t q = p + 1;
            if (q < _text.size() && (_text[q] == '+' || _text[q] == '-'))
                ++q;
            if (q < _text.size() && isDigit(_text[q])) {
                while (q < _text.size() && isDigit(_text[q]))
                    ++q;
                p = q;
            }
        }
        Token token{Token::Number, 0, {}, {}};
        const std::size_t numberStart = _text[start] == '+' ? start + 1 : start;
        const auto parsed = std::from_chars(_text.data() + numberStart, _text.data() + p, token.value);
        if (parsed.ec == std::errc::result_out_of_range)
            token.value = std::isinf(token.value) ? token.value : 0; // far too large or too small
        else if (parsed.ec != std::errc() || parsed.ptr != _text.data() + p)
            return std::nullopt;
        if (std::isinf(token.value) || std::isnan(token.value))
            token.value = std::copysign(1e300, _text[start] == '-' ? -1.0 : 1.0);
        if (p < _text.size() && _text[p] == '%') {
            token.kind = Token::Percentage;
            ++p;
        } else if (p < _text.size() && isIdentStart(_text[p])) {
            const std::size_t unitStart = p;
            while (p < _text.size() && isIdentChar(_text[p]))
                ++p;
            token.kind = Token::Dimension;
            token.unit = _text.substr(unitStart, p - unitStart);
        }
        token.text = _text.substr(start, p - start);
        _position = p;
        return token;
    }

    std::string_view _text;
    std::size_t _position;
};

// How one function reads its three values.
struct FunctionShape {
    std::string_view name;
    const char *components; // for messages: "lightness, chroma and hue"
    std::array<Accepts, 3> accepts;
    std::array<double, 3> percentScale; // what 100 % stands for
    bool legacyCommas;                  // rgb() and hsl() also take the comma-separated form
};

constexpr FunctionShape kShapes[] = {
    {"rgb", "red, green and blue", {}, {255, 255, 255}, true},
    {"rgba", "red, green and blue", {}, {255, 255, 255}, true},
    {"hsl", "hue, saturation and lightness", {Accepts::Hue}, {0, 100, 100}, true},
    {"hsla", "hue, saturation and lightness", {Accepts::Hue}, {0, 100, 100}, true},
    {"hwb", "hue, whiteness and blackness", {Accepts::Hue}, {0, 100, 100}, false},
    {"lab", "lightness, a and b", {}, {100, 125, 125}, false},
    {"lch",
     "lightness, chroma and hue",
     {Accepts::NumberOrPercentage, Accepts::NumberOrPercentage, Accepts::Hue},
     {100, 150, 0},
     false},
    {"oklab", "lightness, a and b", {}, {1, 0.4, 0.4}, false},
    {"oklch",
     "lightness, chroma and hue",
     {Accepts::NumberOrPercentage, Accepts::NumberOrPercentage, Accepts::Hue},
     {1, 0.4, 0},
     false},
    {"color", "a color space and three values", {}, {1, 1, 1}, false},
};

struct ColorSpaceName {
    const char *name;
    Space space;
};
constexpr ColorSpaceName kColorSpaces[] = {
    {"srgb", Space::SRGB},      {"srgb-linear", Space::SRGBLinear},   {"display-p3", Space::DisplayP3},
    {"a98-rgb", Space::A98RGB}, {"prophoto-rgb", Space::ProPhotoRGB}, {"rec2020", Space::Rec2020},
    {"xyz", Space::XYZD65},     {"xyz-d65", Space::XYZD65},           {"xyz-d50", Space::XYZD50},
};
constexpr const char *kColorSpaceList =
    "srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 or xyz-d65";

bool isNone(const Token &token)
{
    return token.kind == Token::Ident && equalsIgnoringCase(token.text, "none");
}

// A hue in degrees from a number or an angle.
std::optional<double> hueDegrees(const Token &token)
{
    if (token.kind == Token::Number)
        return token.value;
    if (token.kind != Token::Dimension)
        return std::nullopt;
    if (equalsIgnoringCase(token.unit, "deg"))
        return token.value;
    if (equalsIgnoringCase(token.unit, "rad"))
        return token.value * 180 / std::numbers::pi;
    if (equalsIgnoringCase(token.unit, "grad"))
        return token.value * 0.9;
    if (equalsIgnoringCase(token.unit, "turn"))
        return token.value * 360;
    return std::nullopt;
}

Reading readFunction(const FunctionShape &shape, std::string_view text, std::size_t argumentsStart)
{
    // Messages are made only when there is one to give.
    const auto name = [&shape] { return std::string(shape.name) + "()"; };
    std::string error;
    ArgumentReader reader(text, argumentsStart);
    const std::optional<TokenList> read = reader.tokens(&error);
    if (!read)
        return failure(name() + ": " + error);
    TokenList tokens = *read;

    // color() begins with the name of its space.
    Space space = Space::SRGB;
    if (shape.name == "color") {
        if (tokens.empty() || tokens[0].kind != Token::Ident)
            return failure("color() needs a color space first (" + std::string(kColorSpaceList) + ")");
        const auto found = std::find_if(std::begin(kColorSpaces), std::end(kColorSpaces), [&](const ColorSpaceName &s) {
            return equalsIgnoringCase(tokens[0].text, s.name);
        });
        if (found == std::end(kColorSpaces))
            return failure("color(): unknown color space " + quoted(tokens[0].text) + "; expected " + kColorSpaceList);
        space = found->space;
        std::copy(tokens.items.begin() + 1, tokens.items.end(), tokens.items.begin());
        --tokens.count;
    }

    const bool commas =
        std::any_of(tokens.begin(), tokens.end(), [](const Token &t) { return t.kind == Token::Comma; });
    std::array<Token, 3> values{};
    std::optional<Token> alpha;
    const auto expected = [&] {
        return name() + " needs " + shape.components +
               (commas ? ", separated by commas, and may end with an alpha value"
                       : ", separated by spaces, and may end with / alpha");
    };
    if (commas) {
        if (!shape.legacyCommas)
            return failure(name() + " separates its values by spaces, not commas");
        // value , value , value [, alpha]: a comma between every two values.
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const bool wantComma = i % 2 == 1;
            if (tokens[i].kind == Token::Slash)
                return failure(name() + ": with commas, alpha follows a comma, not \"/\"");
            if ((tokens[i].kind == Token::Comma) != wantComma)
                return failure(name() + " separates its values either all by commas or all by spaces");
            if (!wantComma && isNone(tokens[i]))
                return failure(name() + ": \"none\" is allowed only in the space-separated form");
        }
        if (tokens.size() % 2 == 0)
            return failure(expected() + "; found a comma at the end");
        const std::size_t count = (tokens.size() + 1) / 2;
        if (count < 3 || count > 4)
            return failure(expected() + "; found " + std::to_string(count) + " values");
        values = {tokens[0], tokens[2], tokens[4]};
        if (count == 4)
            alpha = tokens[6];
    } else {
        const auto slash =
            std::find_if(tokens.begin(), tokens.end(), [](const Token &t) { return t.kind == Token::Slash; });
        const std::size_t valueCount = std::size_t(slash - tokens.begin());
        std::copy(tokens.begin(), tokens.begin() + std::min<std::size_t>(valueCount, 3), values.begin());
        if (slash != tokens.end()) {
            if (std::next(slash) == tokens.end())
                return failure(name() + ": \"/\" must be followed by an alpha value");
            if (std::distance(slash, tokens.end()) > 2)
                return failure(name() + ": only one alpha value may follow \"/\"");
            alpha = *std::next(slash);
        }
        if (valueCount != 3)
            return failure(expected() + "; found " + std::to_string(valueCount) +
                           (valueCount == 1 ? " value" : " values"));
    }
    if (alpha && !isNone(*alpha) && alpha->kind != Token::Number && alpha->kind != Token::Percentage)
        return failure(name() + ": alpha must be a number or a percentage; found " + quoted(alpha->text));

    // Legacy rgb() takes all numbers or all percentages.
    if (commas && shape.percentScale[0] == 255 &&
        !(std::all_of(values.begin(), values.end(), [](const Token &t) { return t.kind == Token::Number; }) ||
          std::all_of(values.begin(), values.end(), [](const Token &t) { return t.kind == Token::Percentage; })))
        return failure(name() + " with commas takes three numbers or three percentages, not a mix");

    static const char *const ordinals[] = {"first", "second", "third"};
    Triple v{};
    for (int i = 0; i < 3; ++i) {
        const Token &token = values[i];
        if (isNone(token))
            continue; // a missing component counts as zero
        const Accepts accepts = shape.accepts[i];
        if (accepts == Accepts::Hue) {
            const std::optional<double> degrees = hueDegrees(token);
            if (!degrees)
                return failure(name() + ": the hue must be a number or an angle (deg, rad, grad or turn); found " +
                               quoted(token.text));
            v[i] = *degrees;
            continue;
        }
        // hsl() with commas takes percentages for saturation and lightness.
        const bool percentOnly = commas && shape.accepts[0] == Accepts::Hue;
        if (token.kind == Token::Percentage) {
            v[i] = token.value / 100 * shape.percentScale[i];
        } else if (token.kind == Token::Number && !percentOnly) {
            v[i] = token.value;
        } else {
            return failure(name() + ": the " + ordinals[i] + " value must be " +
                           (percentOnly ? "a percentage" : "a number or a percentage") + "; found " +
                           quoted(token.text));
        }
    }

    const auto clamp01 = [](double x) { return std::clamp(x, 0.0, 1.0); };
    const std::string_view n = shape.name;
    if (n == "rgb" || n == "rgba")
        return success({clamp01(v[0] / 255), clamp01(v[1] / 255), clamp01(v[2] / 255)});
    if (n == "hsl" || n == "hsla") {
        // Saturation and lightness are brought into 0–100 %, as the older reader did.
        const double s = clamp01(v[1] / 100), l = clamp01(v[2] / 100);
        return success(VQColorSpaces::HSLToSRGB({v[0], s, l}));
    }
    if (n == "hwb")
        return success(VQColorSpaces::HWBToSRGB({v[0], clamp01(v[1] / 100), clamp01(v[2] / 100)}));
    if (n == "lab" || n == "lch") {
        Triple lab = {std::clamp(v[0], 0.0, 100.0), v[1], v[2]};
        if (n == "lch")
            lab = VQColorSpaces::polarToRectangular({lab[0], std::max(v[1], 0.0), v[2]});
        return fromXYZ(VQColorSpaces::XYZD50ToXYZD65(VQColorSpaces::labToXYZD50(lab)));
    }
    if (n == "oklab" || n == "oklch") {
        Triple lab = {clamp01(v[0]), v[1], v[2]};
        if (n == "oklch")
            lab = VQColorSpaces::polarToRectangular({lab[0], std::max(v[1], 0.0), v[2]});
        const Triple rgb = VQColorSpaces::OKLabToSRGB(lab);
        if (VQColorSpaces::isInSRGBGamut(rgb))
            return success({clamp01(rgb[0]), clamp01(rgb[1]), clamp01(rgb[2])});
        return fromOKLab(lab);
    }
    // color(): sRGB values are kept as they are when within the gamut.
    if (space == Space::SRGB && VQColorSpaces::isInSRGBGamut(v))
        return success({clamp01(v[0]), clamp01(v[1]), clamp01(v[2])});
    return fromXYZ(VQColorSpaces::toXYZD65(space, v));
}

Reading readHex(std::string_view digits)
{
    for (char c : digits) {
        if (hexDigit(c) < 0)
            return failure("a hex color has only the digits 0–9 and A–F after \"#\"; found " +
                           (static_cast<unsigned char>(c) >= 0x80 ? std::string("a non-ASCII character")
                            : c == '\0'                           ? std::string("a NUL character")
                                                                  : quoted(std::string_view(&c, 1))));
    }
    const std::size_t n = digits.size();
    if (n != 3 && n != 4 && n != 6 && n != 8)
        return failure("a hex color has 3, 4, 6 or 8 digits after \"#\"; found " + std::to_string(n));
    Triple rgb;
    for (int i = 0; i < 3; ++i) {
        const int value =
            n <= 4 ? hexDigit(digits[i]) * 17 : hexDigit(digits[2 * i]) * 16 + hexDigit(digits[2 * i + 1]);
        rgb[i] = double(value) / 255;
    }
    return success(rgb);
}

// Writes `value` rounded to `decimals` places (at most 6), without trailing
// zeros, exponent or "-0".
char *writeNumber(char *out, double value, int decimals)
{
    constexpr long long kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    const double scaled = std::round(value * double(kPowers[decimals]));
    if (!std::isfinite(scaled))
        return writeNumber(out, 0, 0);
    if (std::abs(scaled) >= 1e17) // beyond a long long's exact digits: a plain fixed notation
        return std::to_chars(out, out + 64, scaled / double(kPowers[decimals]), std::chars_format::fixed, 0).ptr;
    long long units = static_cast<long long>(scaled);
    if (units < 0) {
        *out++ = '-';
        units = -units;
    }
    out = std::to_chars(out, out + 24, units / kPowers[decimals]).ptr;
    long long fraction = units % kPowers[decimals];
    if (fraction == 0)
        return out;
    int digits = decimals;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    *out++ = '.';
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = char('0' + fraction % 10);
        fraction /= 10;
    }
    return out + digits;
}

char *writeText(char *out, std::string_view text)
{
    return std::copy(text.begin(), text.end(), out);
}

// How each notation is written: the fewest decimals for which every 8-bit sRGB
// colour reads back as itself (the round-trip test walks all of them).
struct NotationForm {
    const char *prefix;
    std::array<int, 3> decimals;
    std::array<bool, 3> percent;
};
constexpr NotationForm kNotationForms[kNotationCount] = {
    {"oklch(", {4, 5, 2}, {}},
    {"oklab(", {4, 5, 5}, {}},
    {"lab(", {2, 2, 2}, {}},
    {"lch(", {2, 2, 2}, {}},
    {"hwb(", {1, 1, 1}, {false, true, true}},
    {"color(display-p3 ", {4, 4, 4}, {}},
};

} // namespace

std::span<const Keyword> keywords()
{
    return kKeywords;
}

const Keyword *findKeyword(std::string_view name)
{
    const auto found = std::find_if(std::begin(kKeywords), std::end(kKeywords),
                                    [&](const Keyword &k) { return equalsIgnoringCase(name, k.name); });
    return found == std::end(kKeywords) ? nullptr : found;
}

Reading read(std::string_view text)
{
    if (text.empty())
        return failure("expected a color, found nothing", false);
    if (text.size() > kMaxLength)
        return failure("the text is " + std::to_string(text.size()) + " characters long; a color is at most " +
                       std::to_string(kMaxLength));
    if (text[0] == '#')
        return readHex(text.substr(1));
    std::size_t end = 0;
    while (end < text.size() && isIdentChar(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end);
    if (end < text.size() && text[end] == '(') {
        for (const FunctionShape &shape : kShapes) {
            if (equalsIgnoringCase(word, shape.name))
                return readFunction(shape, text, end + 1);
        }
        return failure(quoted(word) + "() is no CSS color function", false);
    }
    if (end == text.size()) {
        if (const Keyword *keyword = findKeyword(word))
            return success(fromRGB24(keyword->rgb));
    }
    return failure("not a CSS color", false);
}

std::size_t write(Notation notation, const Triple &rgb, char *buffer)
{
    const NotationForm &form = kNotationForms[int(notation)];
    Triple values;
    switch (notation) {
    case Notation::OKLCH:
        values = VQColorSpaces::rectangularToPolar(VQColorSpaces::sRGBToOKLab(rgb));
        break;
    case Notation::OKLab:
        values = VQColorSpaces::sRGBToOKLab(rgb);
        break;
    case Notation::Lab:
    case Notation::LCH:
        values = VQColorSpaces::XYZD50ToLab(VQColorSpaces::XYZD65ToXYZD50(VQColorSpaces::toXYZD65(Space::SRGB, rgb)));
        if (notation == Notation::LCH)
            values = VQColorSpaces::rectangularToPolar(values);
        break;
    case Notation::HWB:
        values = VQColorSpaces::sRGBToHWB(rgb);
        values[1] *= 100;
        values[2] *= 100;
        break;
    case Notation::DisplayP3:
        values = VQColorSpaces::fromXYZD65(Space::DisplayP3, VQColorSpaces::toXYZD65(Space::SRGB, rgb));
        break;
    }
    // A grey has no hue: when the chroma is written as 0, so is the hue.
    if ((notation == Notation::OKLCH || notation == Notation::LCH) &&
        std::abs(values[1]) * std::pow(10.0, form.decimals[1]) < 0.5)
        values[2] = 0;
    if (notation == Notation::HWB && values[1] + values[2] >= 100)
        values[0] = 0;
    char *out = writeText(buffer, form.prefix);
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            *out++ = ' ';
        out = writeNumber(out, values[i], form.decimals[i]);
        if (form.percent[i])
            *out++ = '%';
    }
    *out++ = ')';
    return std::size_t(out - buffer);
}

std::string write(Notation notation, const Triple &rgb)
{
    char buffer[kMaxWrittenLength];
    return std::string(buffer, write(notation, rgb, buffer));
}

} // namespace VQCSSColor
