// What screen readers say of the drawn controls' values.

#include "core/VQColor.h"
#include "core/VQColorNames.h"
#include "ui/accessibility/VQAccessibleText.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
struct Row {
    const char *name;
    std::function<QString()> text;
    const char *expected;
};

void check(const std::vector<Row> &rows)
{
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.text().toStdString(), row.expected);
    }
}
} // namespace

TEST(AccessibleText, ComponentsAreRoundedInTheirUnit)
{
    using VQAccessibleText::component;
    using Unit = VQAccessibleText::Unit;
    check({
        {"a whole number", [] { return component("Red", 128, Unit::Whole); }, "Red 128"},
        {"a fraction rounds", [] { return component("Green", 127.6, Unit::Whole); }, "Green 128"},
        {"degrees", [] { return component("Hue", 210, Unit::Degrees); }, "Hue 210°"},
        {"a full turn is 0°", [] { return component("Hue", 360, Unit::Degrees); }, "Hue 0°"},
        {"rounding up to a full turn is 0°", [] { return component("Hue", 359.6, Unit::Degrees); }, "Hue 0°"},
        {"a fraction as percent", [] { return component("Cyan", 0.254, Unit::Percent); }, "Cyan 25%"},
        {"all of it", [] { return component("Gray", 1, Unit::Percent); }, "Gray 100%"},
        {"a name with a placeholder stays", [] { return component("%2", 3, Unit::Whole); }, "%2 3"},
    });
}

TEST(AccessibleText, PickersSayTheirValues)
{
    using namespace VQAccessibleText;
    check({
        {"the wheel", [] { return wheel(210.0 / 360, 0.494); }, "Hue 210°, saturation 49%"},
        {"the wheel's rim at red", [] { return wheel(1, 1); }, "Hue 0°, saturation 100%"},
        {"the wheel's centre", [] { return wheel(0, 0); }, "Hue 0°, saturation 0%"},
        {"brightness", [] { return brightness(0.6); }, "Brightness 60%"},
        {"half a percent rounds up", [] { return brightness(0.005); }, "Brightness 1%"},
        {"less stays 0", [] { return brightness(0.004); }, "Brightness 0%"},
        {"the square", [] { return saturationBrightness(0.49, 0.6); }, "Saturation 49%, brightness 60%"},
    });
}

TEST(AccessibleText, ColorsSayTheirNames)
{
    const VQColorNames names(QByteArrayLiteral("336699\tSteel Blue\nFF8000\tOrange Peel\n"));
    using VQAccessibleText::color;
    check({
        {"a named colour", [&] { return color(*VQColor::fromHexString("#336699"), names); },
         "Color #336699, Steel Blue"},
        {"the nearest name", [&] { return color(*VQColor::fromHexString("#336698"), names); },
         "Color #336698, close to Steel Blue"},
        {"a CSS keyword", [&] { return color(*VQColor::whiteColor(), names); }, "Color #FFFFFF, white"},
        {"a CMYK colour gives its inks", [&] { return color(*VQColor::makeCMYK(0, 0.5, 0.9, 0.1), names); },
         "Color cyan 0%, magenta 50%, yellow 90%, black 10%, close to Orange Peel"},
    });
}

TEST(AccessibleText, LaneSwatchesAndLoupe)
{
    using namespace VQAccessibleText;
    check({
        {"a collection", [] { return collection("Harbour at dusk", 2); }, "Harbour at dusk, 2 color(s)"},
        {"a title with a placeholder stays", [] { return collection("50%1 off", 3); }, "50%1 off, 3 color(s)"},
        {"an empty collection", [] { return collection("New", 0); }, "New, 0 color(s)"},
        {"a swatch counts from 1", [] { return swatch("Color #336699, Steel Blue", 2, 9); },
         "Color #336699, Steel Blue (3 of 9)"},
        {"a label with a placeholder stays", [] { return swatch("%2", 0, 1); }, "%2 (1 of 1)"},
        {"the loupe", [] { return loupe("Color #336699, Steel Blue", QStringLiteral("3×3")); },
         "Color #336699, Steel Blue, sample 3×3"},
        {"no colour", [] { return noColor(); }, "No color selected"},
    });
}
