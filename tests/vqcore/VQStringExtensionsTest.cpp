#include "VQStringExtensions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace VQString;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<std::int64_t>::min();
constexpr std::uint64_t kUIntMax = std::numeric_limits<std::uint64_t>::max();
} // namespace

TEST(VQStringExtensionsTest, StringByDeletingPrefix)
{
    struct Row {
        const char *text, *prefix, *expected;
    } rows[] = {
        {"#FF8000", "#", "FF8000"}, {"FF8000", "#", "FF8000"}, {"##A", "#", "#A"},   {"abc", "", "abc"},
        {"abc", "abc", ""},         {"Abc", "a", "Abc"},       {"ab", "abc", "ab"},  {"", "#", ""},
        {"ütf", "ü", "tf"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.text) + " - " + row.prefix);
        EXPECT_EQ(stringByDeletingPrefix(QString::fromUtf8(row.text), QString::fromUtf8(row.prefix)),
                  QString::fromUtf8(row.expected));
    }
}

TEST(VQStringExtensionsTest, DoubleValue)
{
    struct Row {
        const char *name, *text;
        double expected;
    } rows[] = {
        {"empty", "", 0},
        {"letters", "abc", 0},
        {"library version", "0.3", 0.3},
        {"sign, exponent and a unit", "  -1.5e3kg", -1500},
        {"plus sign", "+2.5", 2.5},
        {"fraction only", ".5", 0.5},
        {"trailing point", "5.", 5},
        {"lone point", ".", 0},
        {"lone sign", "-", 0},
        {"exponent without digits", "1e", 1},
        {"exponent sign without digits", "1e+", 1},
        {"negative exponent", "2E-2", 0.02},
        {"explicit positive exponent", "2e+2", 200},
        {"tabs and newlines first", "\t\n7", 7},
        {"comma is not a decimal point", "1,5", 1},
        {"words for infinity are not numbers", "inf", 0},
        {"words for nan are not numbers", "nan", 0},
        {"hexadecimal is not decimal", "0x10", 0},
        {"leading zeros", "00012.50", 12.5},
        {"wide digits are not digits", "\xEF\xBC\x91\xEF\xBC\x92", 0},
        {"overflow", "1e400", kInf},
        {"negative overflow", "-1e400", -kInf},
        {"overflow by digits", "1" "000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                               "000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                               "000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                               "000000000000000000000000000000000000000000000000000000000000000000000000000000000",
         kInf},
        {"underflow", "1e-400", 0},
        {"small but representable", "0.000001e-300", 1e-306},
        {"space between sign and digits", "- 5", 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(doubleValue(QString::fromUtf8(row.text)), row.expected);
    }
    EXPECT_TRUE(std::signbit(doubleValue(QStringLiteral("-1e-400"))));
}

TEST(VQStringExtensionsTest, IntegerValue)
{
    struct Row {
        const char *name, *text;
        std::int64_t expected;
    } rows[] = {
        {"plain", "42", 42},
        {"fraction dropped", "42.9", 42},
        {"negative fraction toward zero", "-42.9", -42},
        {"exponent ignored", "1e3", 1},
        {"sign, spaces and a tail", "  +7x", 7},
        {"letters first", "x7", 0},
        {"empty", "", 0},
        {"fraction only", ".9", 0},
        {"negative zero", "-0", 0},
        {"largest", "9223372036854775807", kIntMax},
        {"one past the largest", "9223372036854775808", kIntMax},
        {"far past the largest", "99999999999999999999999", kIntMax},
        {"smallest", "-9223372036854775808", kIntMin},
        {"one past the smallest", "-9223372036854775809", kIntMin},
        {"far past the smallest", "-99999999999999999999999", kIntMin},
        {"above 2^53 stays exact", "9007199254740993", 9007199254740993LL},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(integerValue(QString::fromUtf8(row.text)), row.expected);
    }
}

TEST(VQStringExtensionsTest, HexValue)
{
    struct Row {
        const char *text;
        std::uint64_t expected;
    } rows[] = {
        {"FF8000", 0xFF8000},  {"#ee11ee", 0xEE11EE}, {"0x1F", 0x1F},      {"0X1f", 0x1F},
        {"12g4", 0x12},        {"zz", 0},             {"", 0},             {"#", 0},
        {"  ff", 0xFF},        {"0", 0},              {"0x", 0},           {"##ff", 0},
        {"E1E", 0xE1E},        {"00ff", 0xFF},        {"deadBEEF", 0xDEADBEEF},
        {"FFFFFFFFFFFFFFFF", kUIntMax},               {"1FFFFFFFFFFFFFFFF", kUIntMax},
        {"123456789abcdef0", 0x123456789ABCDEF0ULL},  {"-1", 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(hexValue(QString::fromUtf8(row.text)), row.expected);
    }
}

TEST(VQStringExtensionsTest, FourCharCodeValue)
{
    struct Row {
        const char *text;
        std::uint32_t expected;
    } rows[] = {
        {"8BCO", 0x3842434Fu}, {"ASEF", 0x41534546u}, {"RGB ", 0x52474220u}, {"RGB", 0x52474220u},
        {"Lab", 0x4C616220u},  {"A", 0x41202020u},     {"", 0u},              {"ABCDE", 0u},
        {"\xC3\xA9", 0xE9202020u}, // é is Latin-1
        {"\xE2\x82\xAC" "ab", 0u}, // € is not
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(fourCharCodeValue(QString::fromUtf8(row.text)), row.expected);
    }
}

TEST(VQStringExtensionsTest, MD5DigestKnownVectors)
{
    struct Row {
        const char *text, *digest;
    } rows[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
        // UTF-8 bytes, not Latin-1 or UTF-16.
        {"\xC3\xA9", "66ddcd97cfdeabb2f6fb8a999b4bc76f"},
        {"Vellico \xE2\x9C\x93", "65155752f7e34dcd254bab5de634c1cf"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(MD5Digest(QString::fromUtf8(row.text)), QString::fromLatin1(row.digest));
    }
}

TEST(VQStringExtensionsTest, DescriptionWithDefaultValue)
{
    const QString fallback = QStringLiteral("(none)");
    EXPECT_EQ(descriptionWithDefaultValue(std::optional<QString>(), fallback), fallback);
    EXPECT_EQ(descriptionWithDefaultValue(std::optional<QString>(QString()), fallback), QString());
    EXPECT_EQ(descriptionWithDefaultValue(std::optional<QString>(QStringLiteral("x")), fallback), QStringLiteral("x"));
    EXPECT_EQ(descriptionWithDefaultValue(QVariant(), fallback), fallback);
    EXPECT_EQ(descriptionWithDefaultValue(QVariant(5), fallback), QStringLiteral("5"));
    EXPECT_EQ(descriptionWithDefaultValue(QVariant(QStringLiteral("y")), fallback), QStringLiteral("y"));
}
