// Colour text in both directions: what a user may type or paste becomes a
// colour, and a colour becomes the text of each copy format.

#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "core/VQPasteboard.h"
#include "VQTestSupport.h"
#include "vqcore/VQUserDefaults.h"

#include <limits>
#include <optional>
#include <vector>

namespace
{

struct ParseRow {
    const char *text;
    std::optional<VQRGBColor> expected; // nothing: the text is no colour
};

void expectParsed(const ParseRow &row, VQColorRef (*parse)(const QString &))
{
    SCOPED_TRACE(row.text);
    const VQColorRef color = parse(QString::fromUtf8(row.text));
    if (!row.expected) {
        EXPECT_EQ(color, nullptr) << "parsed as " << color->hexValue().toStdString();
        return;
    }
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->colorSpace(), VQColorSpace::RGB);
    EXPECT_FALSE(color->hasStoredName());
    EXPECT_NEAR(color->component1(), row.expected->r, 1e-12);
    EXPECT_NEAR(color->component2(), row.expected->g, 1e-12);
    EXPECT_NEAR(color->component3(), row.expected->b, 1e-12);
}

constexpr VQRGBColor kPink{238 / 255.0, 17 / 255.0, 238 / 255.0};
constexpr VQRGBColor kRed{1, 0, 0};

} // namespace

TEST(ColorText, OnlyTheDocumentedFormsAreColours)
{
    const std::vector<ParseRow> rgbStringRows = {
        // Hexadecimal, six and three digits, with and without "#", either case.
        {"#EE11EE", kPink},
        {"EE11EE", kPink},
        {"#ee11ee", kPink},
        {"#E1E", kPink},
        {"E1E", kPink},
        {"#000", VQRGBColor{0, 0, 0}},
        {"fff", VQRGBColor{1, 1, 1}},
        {"#EE11EE0", std::nullopt},
        {"#EE11E", std::nullopt},
        {"EE11EG", std::nullopt},
        {" #EE11EE", std::nullopt},
        {"#EE11EE ", std::nullopt},
        {"##E1E", std::nullopt},
        // Colour names: prefixes of the lower-cased text, in table order ("greenyellow" is green).
        {"Red", kRed},
        {"RED", kRed},
        {"redish", kRed},
        {"navyblue", VQRGBColor{0, 0, 0.5}},
        {"whitesmoke", VQRGBColor{1, 1, 1}},
        {"transparent", VQRGBColor{1, 1, 1}},
        {"gray", VQRGBColor{0.5, 0.5, 0.5}},
        {"silver", VQRGBColor{0.75, 0.75, 0.75}},
        {"Teal", VQRGBColor{0, 0.5, 0.5}},
        {"greenyellow", VQRGBColor{0, 0.5, 0}},
        {"grey", std::nullopt},
        {" red", std::nullopt},
        // CSS rgb()/rgba(): anything after the third number is not examined.
        {"rgb(255, 0, 0)", kRed},
        {"rgba(255,0,0,0.5)", kRed},
        {"RGB(255,0,0)", kRed},
        {"rgb( 255,0,0", kRed},
        // Components beyond 255 are clamped, however many digits they have.
        {"rgb(300,0,0)", kRed},
        {"rgb(256,0,0)", kRed},
        {"rgb(0,1000,99999999999999999999999999)", VQRGBColor{0, 1, 1}},
        {"rgb(255 0 0)", std::nullopt},
        {"rgb(255, 0)", std::nullopt},
        {"rgb(-1,0,0)", std::nullopt},
        {"rgb", std::nullopt},
        {"rgb(0.5,0,0)", std::nullopt},
        // CSS hsl()/hsla().
        {"hsl(120, 100%, 50%)", VQRGBColor{0, 1, 0}},
        {"hsl(0, 0%, 40%)", VQRGBColor{0.4, 0.4, 0.4}},
        {"hsla(240,100%,50%,0.3)", VQRGBColor{0, 0, 1}},
        {"hsl(120, 100, 50)", std::nullopt},
        // Saturation and lightness are clamped to 100 %, hues wrap around the circle.
        {"hsl(0, 300%, 50%)", kRed},
        {"hsl(480, 100%, 50%)", VQRGBColor{0, 1, 0}},
        {"hsl(360, 100%, 200%)", VQRGBColor{1, 1, 1}},
        {"hsl(720, 100000%, 50%)", kRed},
        // Nothing else.
        {"", std::nullopt},
        {"#", std::nullopt},
        {"colour", std::nullopt},
        {"12345", std::nullopt},
        // Full-width "#E1E", and Arabic-Indic digits that the CSS pattern's \d matches: no digits, not zeros.
        {"\xEF\xBC\x83\xEF\xBC\xA5\xEF\xBC\x91\xEF\xBC\xA5", std::nullopt},
        {"rgb(\xD9\xA2\xD9\xA5\xD9\xA5,0,0)", std::nullopt},
        // A Turkish dotted capital I lower-cases to two characters, so "WHİTE" is no name.
        {"WH\xC4\xB0TE", std::nullopt},
        {"RED\xC3\x89", kRed},
        {"\xF0\x9F\x8E\xA8", std::nullopt},
    };
    for (const ParseRow &row : rgbStringRows)
        expectParsed(row, &VQColor::fromRGBString);

    // The hexadecimal reader counts user-perceived characters.
    const std::vector<ParseRow> hexStringRows = {
        // Seven characters without "#": the first six are read, even when the seventh is two code units.
        {"EE11EEZ", kPink},
        {"EE11EEX\xCC\x81", kPink},
        {"E1E", std::nullopt},
        {"#EE11EE0", std::nullopt},
        {"", std::nullopt},
        // Six characters that are not all hexadecimal digits give nothing, not zeros; "E" with a
        // combining accent is one character but no digit.
        {"GGGGGG", std::nullopt},
        {"#12 456", std::nullopt},
        {"EE11E\xCC\x81"
         "E",
         std::nullopt},
    };
    for (const ParseRow &row : hexStringRows)
        expectParsed(row, &VQColor::fromHexString);

    EXPECT_NE(VQColor::fromRGBString("red")->colorID(), VQColor::fromRGBString("red")->colorID())
        << "every parsed colour is a new one";
}

TEST(CopyTemplate, EveryFormatOfEveryKindOfColour)
{
    struct CopyRow {
        const char *name;
        VQColorRef color;
        std::vector<const char *> texts; // templates 0–10
    };
    const std::vector<CopyRow> rows = {
        {"white",
         VQColor::makeRGB(1, 1, 1),
         {"FFFFFF", "#FFFFFF", "(255, 255, 255)", "(1.0, 1.0, 1.0)", "rgb(255, 255, 255)", "rgba(255, 255, 255, 1)",
          "[NSColor colorWithDeviceWhite:1.000 alpha:1.0]", "[NSColor colorWithCalibratedWhite:1.000 alpha:1.0]",
          "CGColorCreateGenericGray(1.000, 1.0)", "[UIColor colorWithWhite:1.000 alpha:1.0]",
          "hsla(0, 0%, 100%, 1.0)"}},
        {"black",
         VQColor::makeRGB(0, 0, 0),
         {"000000", "#000000", "(0, 0, 0)", "(0.0, 0.0, 0.0)", "rgb(0, 0, 0)", "rgba(0, 0, 0, 1)",
          "[NSColor colorWithDeviceWhite:0.000 alpha:1.0]", "[NSColor colorWithCalibratedWhite:0.000 alpha:1.0]",
          "CGColorCreateGenericGray(0.000, 1.0)", "[UIColor colorWithWhite:0.000 alpha:1.0]", "hsla(0, 0%, 0%, 1.0)"}},
        // Hexadecimal rounds 127.5 up; the decimal formats truncate it.
        {"orange",
         VQColor::makeRGB(1, 0.5, 0),
         {"FF8000", "#FF8000", "(255, 127, 0)", "(1.0, 0.5, 0.0)", "rgb(255, 127, 0)", "rgba(255, 127, 0, 1)",
          "[NSColor colorWithDeviceRed:1.000 green:0.500 blue:0.000 alpha:1.0]",
          "[NSColor colorWithCalibratedRed:1.000 green:0.500 blue:0.000 alpha:1.0]",
          "CGColorCreateGenericRGB(1.000, 0.500, 0.000, 1.0)",
          "[UIColor colorWithRed:1.000 green:0.500 blue:0.000 alpha:1.0]", "hsla(30, 100%, 50%, 1.0)"}},
        // Channels within 0.005 of each other: grey for formats 6–9 only.
        {"nearly grey",
         VQColor::makeRGB(0.5, 0.502, 0.5),
         {"808080", "#808080", "(127, 128, 127)", "(0.5, 0.502, 0.5)", "rgb(127, 128, 127)", "rgba(127, 128, 127, 1)",
          "[NSColor colorWithDeviceWhite:0.500 alpha:1.0]", "[NSColor colorWithCalibratedWhite:0.500 alpha:1.0]",
          "CGColorCreateGenericGray(0.500, 1.0)", "[UIColor colorWithWhite:0.500 alpha:1.0]",
          "hsla(120, 0%, 50%, 1.0)"}},
        // A CMYK colour is copied through its RGB conversion.
        {"cmyk red",
         VQColor::makeCMYK(0, 1, 1, 0),
         {"FF0000", "#FF0000", "(255, 0, 0)", "(1.0, 0.0, 0.0)", "rgb(255, 0, 0)", "rgba(255, 0, 0, 1)",
          "[NSColor colorWithDeviceRed:1.000 green:0.000 blue:0.000 alpha:1.0]",
          "[NSColor colorWithCalibratedRed:1.000 green:0.000 blue:0.000 alpha:1.0]",
          "CGColorCreateGenericRGB(1.000, 0.000, 0.000, 1.0)",
          "[UIColor colorWithRed:1.000 green:0.000 blue:0.000 alpha:1.0]", "hsla(0, 100%, 50%, 1.0)"}},
        {"a third",
         VQColor::makeRGB(1.0 / 3, 1.0 / 3, 2.0 / 3),
         {"5555AA", "#5555AA", "(85, 85, 170)", "(0.333333333333333, 0.333333333333333, 0.666666666666667)",
          "rgb(85, 85, 170)", "rgba(85, 85, 170, 1)",
          "[NSColor colorWithDeviceRed:0.333 green:0.333 blue:0.667 alpha:1.0]",
          "[NSColor colorWithCalibratedRed:0.333 green:0.333 blue:0.667 alpha:1.0]",
          "CGColorCreateGenericRGB(0.333, 0.333, 0.667, 1.0)",
          "[UIColor colorWithRed:0.333 green:0.333 blue:0.667 alpha:1.0]", "hsla(240, 33%, 50%, 1.0)"}},
        // A stored colour beyond the range (an older library may hold one) is copied as it is.
        {"out of range",
         VQColor::makeRGB(300 / 255.0, 0, 0),
         {"12C0000", "#12C0000", "(300, 0, 0)", "(1.17647058823529, 0.0, 0.0)", "rgb(300, 0, 0)", "rgba(300, 0, 0, 1)",
          "[NSColor colorWithDeviceRed:1.176 green:0.000 blue:0.000 alpha:1.0]",
          "[NSColor colorWithCalibratedRed:1.176 green:0.000 blue:0.000 alpha:1.0]",
          "CGColorCreateGenericRGB(1.176, 0.000, 0.000, 1.0)",
          "[UIColor colorWithRed:1.176 green:0.000 blue:0.000 alpha:1.0]", "hsla(0, 142%, 58%, 1.0)"}},
    };
    for (const CopyRow &row : rows) {
        ASSERT_EQ(row.texts.size(), 11u) << row.name;
        for (int raw = 0; raw <= 10; ++raw) {
            SCOPED_TRACE(std::string(row.name) + ", template " + std::to_string(raw));
            const std::optional<VQCopyTemplate> format = VQCopyTemplateFromRawValue(raw);
            ASSERT_TRUE(format);
            const QString expected = QString::fromUtf8(row.texts[raw]);
            EXPECT_EQ(VQCopyText(*row.color, *format, false).toStdString(), expected.toStdString());
            // Lower case touches the hexadecimal and CSS formats only.
            const QString lower = raw < 6 ? expected.toLower() : expected;
            EXPECT_EQ(VQCopyText(*row.color, *format, true).toStdString(), lower.toStdString());
        }
    }
    for (const std::int64_t raw :
         {std::int64_t(-1), std::int64_t(11), std::int64_t(1) << 40, std::numeric_limits<std::int64_t>::min()})
        EXPECT_FALSE(VQCopyTemplateFromRawValue(raw).has_value()) << raw;
}

class CopyTest : public VQLibraryTest
{
};

TEST_F(CopyTest, WritingThePasteboardFollowsTheLowercaseDefaultThenRunsTheAfterCopyHandler)
{
    // The handler (close the window, hand the focus back) runs after the text is in place.
    std::vector<QString> seenByHandler;
    VQSetAfterCopyHandler([&] { seenByHandler.push_back(VQPasteboard::general().string()); });
    const VQColorRef orange = VQColor::makeRGB(1, 0.5, 0);
    orange->writeToPasteboardWithTemplate(VQCopyTemplate::HexRGBWithHash);
    VQUserDefaults::standard().setBool(QLatin1String(VQUseLowercaseDefaultsKey), true);
    orange->writeToPasteboardWithTemplate(VQCopyTemplate::HexRGBWithoutHash);
    orange->writeToPasteboardWithTemplate(VQCopyTemplate::UIColor);
    VQSetAfterCopyHandler(nullptr);
    EXPECT_EQ(seenByHandler, (std::vector<QString>{"#FF8000", "ff8000",
                                                   "[UIColor colorWithRed:1.000 green:0.500 blue:0.000 alpha:1.0]"}));
}
