// The pure parts of the desktop portal's color picker: where its answer comes
// from, and what the answer means. The calls themselves run against a fake
// portal in the Wayland desktop tests.

#include "platform/portal/VQPortalColorPicker.h"
#include "platform/portal/VQPortalRequest.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
struct PathRow {
    const char *uniqueName;
    const char *token;
    const char *path;
};

const PathRow kPathRows[] = {
    {":1.42", "vellico_7", "/org/freedesktop/portal/desktop/request/1_42/vellico_7"},
    {":1.2045", "vellico_4294967295", "/org/freedesktop/portal/desktop/request/1_2045/vellico_4294967295"},
    {":12.3.4", "t", "/org/freedesktop/portal/desktop/request/12_3_4/t"},
    // A name without the colon keeps its first character.
    {"1.5", "t", "/org/freedesktop/portal/desktop/request/1_5/t"},
};

TEST(VQPortalColorPickerTest, RequestPathFromTheUniqueNameAndTheToken)
{
    for (const PathRow &row : kPathRows) {
        SCOPED_TRACE(row.uniqueName);
        EXPECT_EQ(VQPortalRequest::requestPath(QString::fromLatin1(row.uniqueName), QString::fromLatin1(row.token))
                      .toStdString(),
                  row.path);
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct ColorRow {
    const char *name;
    double red, green, blue;
    const char *hex; // nullptr: no color
};

const ColorRow kColorRows[] = {
    {"exact thirds of 255", 0.2, 0.4, 0.6, "#336699"},
    {"black", 0, 0, 0, "#000000"},
    {"white", 1, 1, 1, "#ffffff"},
    {"rounded to the nearest byte, half up", 127.5 / 255, 127.49 / 255, 0.5, "#807f80"},
    {"a hair below a byte still makes it", 50.999 / 255, 51.2 / 255, 254.6 / 255, "#3333ff"},
    {"clamped below 0 and above 1", -0.5, 1.5, -1e-9, "#00ff00"},
    {"huge values are clamped", 1e300, -1e300, 0, "#ff0000"},
    {"not a number: none", kNaN, 0, 0, nullptr},
    {"infinite: none", 0, kInfinity, 0, nullptr},
    {"minus infinity: none", 0, 0, -kInfinity, nullptr},
};

TEST(VQPortalColorPickerTest, ColorFromTheComponentsClampedAndRounded)
{
    for (const ColorRow &row : kColorRows) {
        SCOPED_TRACE(row.name);
        const std::optional<QColor> color = VQPortalColorPicker::colorFromComponents(row.red, row.green, row.blue);
        ASSERT_EQ(color.has_value(), row.hex != nullptr);
        if (color) {
            EXPECT_EQ(color->name().toStdString(), row.hex);
        }
    }
}

using Kind = VQPickOutcome::Kind;
using Components = std::optional<std::array<double, 3>>;

struct OutcomeRow {
    const char *name;
    uint code;
    Components color;
    Kind kind;
    const char *hexOrReason; // the color's hex when picked, a part of the reason when failed
};

const OutcomeRow kOutcomeRows[] = {
    {"success with a color", 0, std::array<double, 3>{0.2, 0.4, 0.6}, Kind::Picked, "#336699"},
    {"success without a color", 0, std::nullopt, Kind::Failed, "without a color"},
    {"success with a color that is not a number", 0, std::array<double, 3>{kNaN, 0, 0}, Kind::Failed, "not a number"},
    {"the user cancelled", 1, std::nullopt, Kind::Cancelled, ""},
    {"the user cancelled, a color or not", 1, std::array<double, 3>{1, 1, 1}, Kind::Cancelled, ""},
    {"ended some other way", 2, std::nullopt, Kind::Failed, "ended the pick"},
    {"ended some other way, a color or not", 2, std::array<double, 3>{1, 1, 1}, Kind::Failed, "ended the pick"},
    {"an unknown response", 7, std::array<double, 3>{1, 1, 1}, Kind::Failed, "unknown response 7"},
};

TEST(VQPortalColorPickerTest, OutcomeOfTheResponse)
{
    for (const OutcomeRow &row : kOutcomeRows) {
        SCOPED_TRACE(row.name);
        const VQPickOutcome outcome = VQPortalColorPicker::outcomeOf(row.code, row.color);
        ASSERT_EQ(outcome.kind, row.kind);
        switch (row.kind) {
        case Kind::Picked:
            EXPECT_EQ(outcome.color.name().toStdString(), row.hexOrReason);
            EXPECT_TRUE(outcome.reason.isEmpty());
            break;
        case Kind::Cancelled:
            EXPECT_TRUE(outcome.reason.isEmpty());
            break;
        case Kind::Failed:
            EXPECT_TRUE(outcome.reason.contains(QLatin1String(row.hexOrReason))) << qPrintable(outcome.reason);
            EXPECT_FALSE(outcome.reason.contains(QLatin1Char('\n')));
            break;
        }
    }
}
} // namespace
