// Colour text in both directions: what a user may type or paste becomes a
// colour, and a colour becomes the text of each copy format.

#include "core/VQCSSColor.h"
#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "core/VQPasteboard.h"
#include "VQTestSupport.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

#include <limits>
#include <optional>
#include <vector>

namespace
{

// Texts that all read as one colour, or as none.
struct ParseGroup {
    std::optional<VQRGBColor> expected;
    std::vector<const char *> texts;
};

void expectParsed(const std::vector<ParseGroup> &groups, VQColorRef (*parse)(const QString &))
{
    for (const ParseGroup &group : groups)
        for (const char *text : group.texts) {
            SCOPED_TRACE(text);
            const VQColorRef color = parse(QString::fromUtf8(text));
            if (!group.expected) {
                EXPECT_EQ(color, nullptr) << "parsed as " << color->hexValue().toStdString();
                continue;
            }
            ASSERT_NE(color, nullptr);
            EXPECT_EQ(color->colorSpace(), VQColorSpace::RGB);
            EXPECT_FALSE(color->hasStoredName());
            EXPECT_NEAR(color->component1(), group.expected->r, 1e-12);
            EXPECT_NEAR(color->component2(), group.expected->g, 1e-12);
            EXPECT_NEAR(color->component3(), group.expected->b, 1e-12);
        }
}

constexpr VQRGBColor kPink{238 / 255.0, 17 / 255.0, 238 / 255.0};
constexpr VQRGBColor kRed{1, 0, 0}, kGreen{0, 1, 0}, kBlue{0, 0, 1}, kWhite{1, 1, 1};
const std::optional<VQRGBColor> kNone;

} // namespace

TEST(ColorText, OnlyTheDocumentedFormsAreColours)
{
    expectParsed(
        {
            // Hexadecimal, six and three digits, with and without "#", either case.
            {kPink, {"#EE11EE", "EE11EE", "#ee11ee", "#E1E", "E1E"}},
            {VQRGBColor{0, 0, 0}, {"#000"}},
            // Colour names: prefixes of the lower-cased text, in table order ("greenyellow" is green).
            {kWhite, {"fff", "whitesmoke", "transparent"}},
            {kRed, {"Red", "RED", "redish"}},
            {VQRGBColor{0, 0, 0.5}, {"navyblue"}},
            {VQRGBColor{0.5, 0.5, 0.5}, {"gray"}},
            {VQRGBColor{0.75, 0.75, 0.75}, {"silver"}},
            {VQRGBColor{0, 0.5, 0.5}, {"Teal"}},
            {VQRGBColor{0, 0.5, 0}, {"greenyellow"}},
            // CSS rgb()/rgba(): anything after the third number is not examined. Components
            // beyond 255 are clamped, however many digits they have.
            {kRed,
             {"rgb(255, 0, 0)", "rgba(255,0,0,0.5)", "RGB(255,0,0)", "rgb( 255,0,0", "rgb(300,0,0)", "rgb(256,0,0)"}},
            {VQRGBColor{0, 1, 1}, {"rgb(0,1000,99999999999999999999999999)"}},
            // CSS hsl()/hsla(); saturation and lightness are clamped to 100 %, hues wrap around the circle.
            {kGreen, {"hsl(120, 100%, 50%)", "hsl(480, 100%, 50%)"}},
            {VQRGBColor{0.4, 0.4, 0.4}, {"hsl(0, 0%, 40%)"}},
            {kBlue, {"hsla(240,100%,50%,0.3)"}},
            {kRed, {"hsl(0, 300%, 50%)", "hsl(720, 100000%, 50%)"}},
            {kWhite, {"hsl(360, 100%, 200%)"}},
            {kNone,
             {"#EE11EE0", "#EE11E", "EE11EG", " #EE11EE", "#EE11EE ", "##E1E", " red", "rgb(255, 0)", "rgb",
              "hsl(120, 100, 50)", "", "#", "colour", "12345"}},
            // Refused by the older forms, read as CSS: the modern syntax, a keyword, clamping, fractions.
            {kRed, {"rgb(255 0 0)"}},
            {VQRGBColor{128 / 255.0, 128 / 255.0, 128 / 255.0}, {"grey"}},
            {VQRGBColor{0, 0, 0}, {"rgb(-1,0,0)"}},
            {VQRGBColor{0.5 / 255, 0, 0}, {"rgb(0.5,0,0)"}},
            // Full-width "#E1E", and Arabic-Indic digits that the CSS pattern's \d matches: no digits, not zeros.
            // A Turkish dotted capital I lower-cases to two characters, so "WHİTE" is no name.
            {kNone,
             {"\xEF\xBC\x83\xEF\xBC\xA5\xEF\xBC\x91\xEF\xBC\xA5", "rgb(\xD9\xA2\xD9\xA5\xD9\xA5,0,0)", "WH\xC4\xB0TE",
              "\xF0\x9F\x8E\xA8"}},
            {kRed, {"RED\xC3\x89"}},
        },
        &VQColor::fromRGBString);

    // The hexadecimal reader counts user-perceived characters: of seven without "#" the first
    // six are read, even when the seventh is two code units. Six that are not all hexadecimal
    // digits give nothing, not zeros; "E" with a combining accent is one character but no digit.
    expectParsed({{kPink, {"EE11EEZ", "EE11EEX\xCC\x81"}},
                  {kNone,
                   {"E1E", "#EE11EE0", "", "GGGGGG", "#12 456",
                    "EE11E\xCC\x81"
                    "E"}}},
                 &VQColor::fromHexString);

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
        // Formats 11–16 are the CSS notations (their texts are tested with the notations), either case.
        const VQRGBColor rgb = row.color->RGBColor();
        for (int raw = 11; raw <= 16; ++raw) {
            const std::string css = VQCSSColor::write(VQCSSColor::Notation(raw - 11), {rgb.r, rgb.g, rgb.b});
            EXPECT_EQ(VQCopyText(*row.color, VQCopyTemplate(raw), false).toStdString(), css) << row.name;
            EXPECT_EQ(VQCopyText(*row.color, VQCopyTemplate(raw), true).toStdString(), css) << row.name;
        }
    }
    for (const std::int64_t raw :
         {std::int64_t(-1), std::int64_t(17), std::int64_t(1) << 40, std::numeric_limits<std::int64_t>::min()})
        EXPECT_FALSE(VQCopyTemplateFromRawValue(raw).has_value()) << raw;
}

class CopyTest : public VQLibraryTest
{
};

TEST_F(CopyTest, WritingThePasteboardFollowsTheLowercaseDefaultThenTellsOfTheCopy)
{
    // What follows a copy (close the window, hand the focus back) hears of it once the text is in place.
    std::vector<QString> seenByHandler;
    const VQObserverToken copied(VQNotificationCenter::defaultCenter().addObserver(
        VQColorWasCopiedNotification, nullptr,
        [&](const VQNotification &) { seenByHandler.push_back(VQPasteboard::general().string()); }));
    const VQColorRef orange = VQColor::makeRGB(1, 0.5, 0);
    orange->writeToPasteboardWithTemplate(VQCopyTemplate::HexRGBWithHash);
    VQUserDefaults::standard().setBool(QLatin1String(VQUseLowercaseDefaultsKey), true);
    orange->writeToPasteboardWithTemplate(VQCopyTemplate::HexRGBWithoutHash);
    orange->writeToPasteboardWithTemplate(VQCopyTemplate::UIColor);
    EXPECT_EQ(seenByHandler, (std::vector<QString>{"#FF8000", "ff8000",
                                                   "[UIColor colorWithRed:1.000 green:0.500 blue:0.000 alpha:1.0]"}));
}
