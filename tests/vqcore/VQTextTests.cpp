#include "vqcore/VQRegex.h"
#include "vqcore/VQStringExtensions.h"
#include "vqcore/VQTranslations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace VQString;

namespace
{
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<std::int64_t>::min();
constexpr std::uint64_t kUIntMax = std::numeric_limits<std::uint64_t>::max();
const std::string kManyDigits = "1" + std::string(400, '0');

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
QString hex(std::uint64_t value)
{
    return QString::number(value, 16);
}
} // namespace

// The same text read as a decimal number, its integer part and a hexadecimal number.
TEST(VQTextTest, NumbersAtTheStartOfText)
{
    struct Row {
        const char *text;
        double asDouble;
        std::int64_t asInteger;
        std::uint64_t asHex;
    } rows[] = {
        {"", 0, 0, 0},
        {"  -1.5e3kg", -1500, -1, 0},
        {"42.9", 42.9, 42, 0x42},
        {"1e3", 1000, 1, 0x1E3},
        {"  +7x", 7, 7, 0},
        {"5.", 5, 5, 5},
        {"-", 0, 0, 0},
        {"- 5", 0, 0, 0},
        {"1e+", 1, 1, 0x1E},
        {"\t\n7", 7, 7, 7},
        {"1,5", 1, 1, 1},
        {"inf", 0, 0, 0},
        {"0x1F", 0, 0, 0x1F},
        {"#ee11ee", 0, 0, 0xEE11EE},
        {"##ff", 0, 0, 0},
        {"0x", 0, 0, 0},
        {"deadBEEF", 0, 0, 0xDEADBEEF},
        {"12g4", 12, 12, 0x12},
        {"1e-400", 0, 1, 0x1E},
        {"1e400", kInf, 1, 0x1E400},
        {"-1e400", -kInf, -1, 0},
        {"\xEF\xBC\x91\xEF\xBC\x92", 0, 0, 0}, // wide digits are not digits
        {kManyDigits.c_str(), kInf, kIntMax, kUIntMax},
        {"9223372036854775807", 9223372036854775807.0, kIntMax, kUIntMax},
        {"9223372036854775808", 9223372036854775808.0, kIntMax, kUIntMax},
        {"-9223372036854775808", -9223372036854775808.0, kIntMin, 0},
        {"9007199254740993", 9007199254740992.0, 9007199254740993LL, 0x9007199254740993ULL},
        {"FFFFFFFFFFFFFFFF", 0, 0, kUIntMax},
        {"1FFFFFFFFFFFFFFFF", 1, 1, kUIntMax},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(doubleValue(text(row.text)), row.asDouble);
        EXPECT_EQ(integerValue(text(row.text)), row.asInteger);
        EXPECT_EQ(hexValue(text(row.text)), row.asHex);
    }
    EXPECT_TRUE(std::signbit(doubleValue(QStringLiteral("-1e-400"))));
}

TEST(VQTextTest, PrefixesCodesDigestAndDefaults)
{
    const QString none = QStringLiteral("(none)");
    struct Row {
        const char *name;
        QString actual, expected;
    } rows[] = {
        {"prefix #", stringByDeletingPrefix(text("#FF8000"), text("#")), text("FF8000")},
        {"no prefix", stringByDeletingPrefix(text("FF8000"), text("#")), text("FF8000")},
        {"prefix once", stringByDeletingPrefix(text("##A"), text("#")), text("#A")},
        {"prefix is all", stringByDeletingPrefix(text("abc"), text("abc")), QString()},
        {"code 8BCO", hex(fourCharCodeValue(text("8BCO"))), text("3842434f")},
        {"code RGB is padded", hex(fourCharCodeValue(text("RGB"))), text("52474220")},
        {"empty code", hex(fourCharCodeValue(QString())), text("0")},
        {"code too long", hex(fourCharCodeValue(text("ABCDE"))), text("0")},
        {"code in Latin-1", hex(fourCharCodeValue(text("\u00e9"))), text("e9202020")},
        {"code outside Latin-1", hex(fourCharCodeValue(text("\u20acab"))), text("0")},
        {"digest of the UTF-8 bytes", MD5Digest(text("\u00e9")), text("66ddcd97cfdeabb2f6fb8a999b4bc76f")},
        {"empty text", descriptionWithDefaultValue(std::optional<QString>(QString()), none), QString()},
        {"number variant", descriptionWithDefaultValue(QVariant(5), none), text("5")},
        {"no text", descriptionWithDefaultValue(std::optional<QString>(), none), none},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.actual, row.expected);
    }
}

// Rows without a group ask whether the whole text matches; rows with one search
// for the first match anywhere and read that group (nullptr: no value).
TEST(VQTextTest, RegexWholeTextAndNamedGroups)
{
    const char *const kWhole = nullptr, *const kYes = "", *const kNo = nullptr;
    const char *const rgb = R"(rgba?\(\s*(?P<R>\d+),\s*(?P<G>\d+),\s*(?P<B>\d+))";
    struct Row {
        const char *pattern, *text, *group, *expected;
        unsigned options = VQRegex::NoOptions;
    } rows[] = {
        {"#?[0-9a-fA-F]{6}", "#EE11EE0", kWhole, kNo},
        {"a", "xa", kWhole, kNo},
        {"a", "ax", kWhole, kNo},
        {"a|ab", "ab", kWhole, kYes},
        {"a|b", "ab", kWhole, kNo},
        {"[0-9]+", "12\n", kWhole, kNo},
        {"abc", "ABC", kWhole, kYes, VQRegex::CaseInsensitive},
        // Invalid patterns never match, however a lenient reader might read them.
        {"(?P<R>\\d+", "12", kWhole, kNo},
        {"(?P<1bad>x)", "x", kWhole, kNo},
        {"(?P<R>a)(?P<R>b)", "ab", "R", kNo},
        {rgb, "RGBA(255, 10,0, 0.5)", "G", "10", VQRegex::CaseInsensitive},
        {rgb, "RGBA(255, 10,0, 0.5)", "G", kNo},
        {"(?P<lead>x)?(?P<tail>y)", "y", "lead", kNo},
        {"(?P<lead>x)?(?P<tail>y)", "y", "tail", "y"},
        {"a(?P<mid>b*)c", "ac", "mid", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.pattern) + " on " + row.text + " for " + (row.group ? row.group : "the whole"));
        const VQRegex regex(text(row.pattern), row.options);
        EXPECT_EQ(regex.isValid(), regex.errorString().isEmpty());
        if (!row.group) {
            EXPECT_EQ(regex.matchesWholeText(text(row.text)), row.expected != nullptr);
            if (row.options == VQRegex::NoOptions) { // twice: the second goes through the cache
                for (int i = 0; i < 2; ++i)
                    EXPECT_EQ(matchesRegexString(text(row.text), text(row.pattern)), row.expected != nullptr);
            }
        } else {
            EXPECT_EQ(getRegexVariableNamed(text(row.text), regex, text(row.group)),
                      row.expected ? std::optional<QString>(text(row.expected)) : std::nullopt);
        }
    }
}

// The session's languages, most wanted first, become the translation files to
// look for; English is built in and ends the search.
TEST(VQTextTest, TranslationCandidatesFollowTheSessionsLanguages)
{
    const struct {
        QStringList languages;
        QStringList candidates;
    } rows[] = {
        {{"de-DE"}, {"de_DE", "de", "en"}},
        {{"pt-BR", "pt"}, {"pt_BR", "pt", "en"}},
        {{"de_AT.UTF-8"}, {"de_AT", "de", "en"}},
        {{"sr_RS@latin"}, {"sr_RS@latin", "sr", "en"}},
        {{"ja", "en-US", "de"}, {"ja", "en"}},
        {{"en", "de"}, {"en"}},
        {{"en-GB"}, {"en"}},
        {{"C"}, {"en"}},
        {{"", " ", "fr"}, {"fr", "en"}},
        {{}, {"en"}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(VQTranslationCandidates(row.languages), row.candidates) << row.languages.join(':').toStdString();
}
