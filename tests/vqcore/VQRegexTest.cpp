#include "VQRegex.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

const QString kRGBPattern = QStringLiteral(R"(rgba?\(\s*(?P<R>\d+),\s*(?P<G>\d+),\s*(?P<B>\d+))");
const QString kHSLPattern = QStringLiteral(R"(hsla?\(\s*(?P<H>\d+),\s*(?P<S>\d+)%,\s*(?P<L>\d+)%)");

struct WholeTextRow {
    const char *name;
    const char *pattern;
    const char *text;
    bool matches;
};

const WholeTextRow kWholeTextRows[] = {
    {"six digits with hash", "#?[0-9a-fA-F]{6}", "#EE11EE", true},
    {"six digits without hash", "#?[0-9a-fA-F]{6}", "ee11ee", true},
    {"seven digits are not six", "#?[0-9a-fA-F]{6}", "#EE11EE0", false},
    {"five digits are not six", "#?[0-9a-fA-F]{6}", "#EE11E", false},
    {"three digits", "#?[0-9a-fA-F]{3}", "E1E", true},
    {"css text is not three digits", "#?[0-9a-fA-F]{3}", "rgb(255,0,0)", false},
    {"match inside is not enough", "a", "xa", false},
    {"prefix match is not enough", "a", "ax", false},
    {"alternation, short branch first", "a|ab", "ab", true},
    {"alternation, long branch first", "ab|a", "ab", true},
    {"alternation binds inside the anchors", "a|b", "ab", false},
    {"trailing newline is text", "[0-9]+", "12\n", false},
    {"empty pattern, empty text", "", "", true},
    {"empty pattern, some text", "", "x", false},
    {"case matters by default", "abc", "ABC", false},
    {"invalid pattern", "(?P<R>\\d+", "12", false},
    {"unbalanced bracket", "[", "[", false},
};

} // namespace

TEST(VQRegexTest, WholeTextMatches)
{
    for (const WholeTextRow &row : kWholeTextRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(matchesRegexString(QString::fromUtf8(row.text), QString::fromUtf8(row.pattern)), row.matches);
        // A second call goes through the cache and must agree.
        EXPECT_EQ(matchesRegexString(QString::fromUtf8(row.text), QString::fromUtf8(row.pattern)), row.matches);
    }
}

TEST(VQRegexTest, NamedGroupsOfTheFirstMatch)
{
    const VQRegex rgb(kRGBPattern, VQRegex::CaseInsensitive);
    ASSERT_TRUE(rgb.isValid()) << rgb.errorString().toStdString();
    const QString text = QStringLiteral("rgba(255, 10,0, 0.5)");
    EXPECT_EQ(getRegexVariableNamed(text, rgb, QStringLiteral("R")), QStringLiteral("255"));
    EXPECT_EQ(getRegexVariableNamed(text, rgb, QStringLiteral("G")), QStringLiteral("10"));
    EXPECT_EQ(getRegexVariableNamed(text, rgb, QStringLiteral("B")), QStringLiteral("0"));

    const VQRegex hsl(kHSLPattern, VQRegex::CaseInsensitive);
    const QString hslText = QStringLiteral("hsl(120, 100%, 50%)");
    EXPECT_EQ(getRegexVariableNamed(hslText, hsl, QStringLiteral("H")), QStringLiteral("120"));
    EXPECT_EQ(getRegexVariableNamed(hslText, hsl, QStringLiteral("S")), QStringLiteral("100"));
    EXPECT_EQ(getRegexVariableNamed(hslText, hsl, QStringLiteral("L")), QStringLiteral("50"));
    // Without the percent signs the pattern does not match at all.
    EXPECT_EQ(getRegexVariableNamed(QStringLiteral("hsl(120, 100, 50)"), hsl, QStringLiteral("H")), std::nullopt);
}

TEST(VQRegexTest, NamedGroupsAreSearchedNotAnchored)
{
    const VQRegex rgb(kRGBPattern);
    // The first of two matches, somewhere inside the text.
    const QString text = QStringLiteral("color: rgb(1,2,3); background: rgb(4,5,6)");
    EXPECT_EQ(getRegexVariableNamed(text, rgb, QStringLiteral("R")), QStringLiteral("1"));
    EXPECT_EQ(getRegexVariableNamed(text, rgb, QStringLiteral("B")), QStringLiteral("3"));
    // No commas: no match.
    EXPECT_EQ(getRegexVariableNamed(QStringLiteral("rgb(255 0 0)"), rgb, QStringLiteral("R")), std::nullopt);
}

TEST(VQRegexTest, MissingOrNonParticipatingGroupsGiveNothing)
{
    const VQRegex optional(QStringLiteral("(?P<lead>x)?(?P<tail>y)"));
    ASSERT_TRUE(optional.isValid());
    EXPECT_EQ(getRegexVariableNamed(QStringLiteral("y"), optional, QStringLiteral("lead")), std::nullopt);
    EXPECT_EQ(getRegexVariableNamed(QStringLiteral("y"), optional, QStringLiteral("tail")), QStringLiteral("y"));
    // A group the pattern does not have.
    EXPECT_EQ(getRegexVariableNamed(QStringLiteral("xy"), optional, QStringLiteral("other")), std::nullopt);
    EXPECT_EQ(getRegexVariableNamed(QStringLiteral("xy"), optional, QString()), std::nullopt);
    // A group that matched the empty text is present, and empty.
    const VQRegex empty(QStringLiteral("a(?P<mid>b*)c"));
    EXPECT_EQ(getRegexVariableNamed(QStringLiteral("ac"), empty, QStringLiteral("mid")), QString());
}

TEST(VQRegexTest, CaseInsensitiveOption)
{
    EXPECT_TRUE(VQRegex(QStringLiteral("rgb"), VQRegex::CaseInsensitive).matchesWholeText(QStringLiteral("RGB")));
    EXPECT_FALSE(VQRegex(QStringLiteral("rgb")).matchesWholeText(QStringLiteral("RGB")));
    // The same pattern with other options is a different compiled expression.
    EXPECT_TRUE(VQRegex(QStringLiteral("rgb"), VQRegex::CaseInsensitive).matchesWholeText(QStringLiteral("RGB")));
}

TEST(VQRegexTest, InvalidPatternsNeverMatchNorThrow)
{
    for (const char *pattern : {"(?P<R>\\d+", "[", "(?P<1bad>x)", "a{2,1}", "(?P<R>a)(?P<R>b)"}) {
        SCOPED_TRACE(pattern);
        const VQRegex regex{QString::fromUtf8(pattern)};
        EXPECT_FALSE(regex.isValid());
        EXPECT_FALSE(regex.errorString().isEmpty());
        EXPECT_FALSE(regex.matchesWholeText(QStringLiteral("a")));
        EXPECT_EQ(getRegexVariableNamed(QStringLiteral("ab12"), regex, QStringLiteral("R")), std::nullopt);
        EXPECT_FALSE(regex.firstMatch(QStringLiteral("ab12")).hasMatch());
    }
}

TEST(VQRegexTest, SharedCacheFromSeveralThreads)
{
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&failures, t] {
            for (int i = 0; i < 200; ++i) {
                const QString pattern = QStringLiteral("(?P<n>%1)x").arg((i + t) % 17);
                const QString text = QStringLiteral("..%1x..").arg((i + t) % 17);
                const VQRegex regex(pattern);
                if (getRegexVariableNamed(text, regex, QStringLiteral("n")) != QString::number((i + t) % 17))
                    ++failures;
            }
        });
    }
    for (auto &thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}
