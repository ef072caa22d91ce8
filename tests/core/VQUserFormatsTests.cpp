// Copy formats of the user's own: templates, their storage, and copying with them.

#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "core/VQUserFormats.h"
#include "VQTestSupport.h"
#include "vqcore/VQUserDefaults.h"

TEST(UserFormats, PlaceholdersBecomeTheChannels)
{
    const VQColorSpaces::Triple orange = {1, 0.5, 0};
    const struct {
        const char *pattern;
        const char *text;
    } rows[] = {
        {"QColor({rgb.r}, {rgb.g}, {rgb.b})", "QColor(255, 128, 0)"},
        {"Color(0xFF{HEX})", "Color(0xFFFF8000)"},
        {"#ff{hex}", "#ffff8000"},
        {"Color(red: {srgb.r}, green: {srgb.g:2}, blue: {srgb.b:0})", "Color(red: 1.000, green: 0.50, blue: 0)"},
        {"'brand': 'oklch({oklch.l} {oklch.c} {oklch.h:1})',", "'brand': 'oklch(0.7311 0.1861 52.8)',"},
        {"hsl {hsl.h} {hsl.s} {hsl.l} hwb {hwb.h} {hwb.w} {hwb.b}", "hsl 30 100 50 hwb 30 0 0"},
        {"{lab.l} {lab.a} {lab.b} / {lch.c} / {p3.r:2} / {oklab.a:3}", "67.72 45.72 74.79 / 87.66 / 0.94 / 0.113"},
        {"{{literal}} and {{{hex}}}", "{literal} and {ff8000}"},
    };
    for (const auto &row : rows) {
        QString error;
        const std::optional<QString> text = VQUserFormatText(QString::fromUtf8(row.pattern), orange, &error);
        ASSERT_TRUE(text) << row.pattern << ": " << error.toStdString();
        EXPECT_EQ(text->toStdString(), row.text);
    }
    const struct {
        const char *pattern;
        const char *message;
    } refusals[] = {
        {"{rgb.x}", "rgb has the channels r, g, b"},
        {"{cmyk.c}", "is no placeholder"},
        {"{srgb.r:7}", "the decimals after \":\" are 0 to 6"},
        {"open {hex", "a \"{\" without its \"}\""},
        {"close }", "a \"}\" without its \"{\""},
    };
    for (const auto &row : refusals) {
        QString error;
        EXPECT_FALSE(VQUserFormatText(QString::fromUtf8(row.pattern), orange, &error)) << row.pattern;
        EXPECT_TRUE(error.contains(QString::fromUtf8(row.message))) << error.toStdString();
    }
}

class UserFormatsTest : public VQLibraryTest
{
};

TEST_F(UserFormatsTest, StoredFormatsAreCopyFormatsFromOneHundred)
{
    VQUserDefaults &defaults = VQUserDefaults::standard();
    EXPECT_FALSE(VQCopyTemplateFromRawValue(100));
    const std::vector<VQUserFormat> formats = {{"Flutter", "Color(0xFF{HEX})"},
                                               {"Qt", "QColor({rgb.r}, {rgb.g}, {rgb.b})"}};
    VQStoreUserFormats(defaults, formats);
    EXPECT_EQ(VQStoredUserFormats(defaults), formats);

    const VQColorRef orange = VQColor::makeRGB(1, 0.5, 0);
    for (const auto &[raw, name, text] :
         {std::tuple{100, "Flutter", "Color(0xFFFF8000)"}, std::tuple{101, "Qt", "QColor(255, 128, 0)"}}) {
        const std::optional<VQCopyTemplate> format = VQCopyTemplateFromRawValue(raw);
        ASSERT_TRUE(format) << raw;
        EXPECT_EQ(VQCopyTemplateName(*format), name);
        EXPECT_EQ(VQCopyTemplateFromName(QString::fromLatin1(name).toLower()), format);
        EXPECT_EQ(VQCopyText(*orange, *format, true), text) << "the template decides the case";
    }
    EXPECT_FALSE(VQCopyTemplateFromRawValue(102));
    // A built-in name is never a user format's.
    VQStoreUserFormats(defaults, {{"hex", "{rgb.r}"}});
    EXPECT_EQ(VQCopyTemplateFromName("HEX"), VQCopyTemplate::HexRGBWithHash);
    // A template that is not valid copies nothing.
    VQStoreUserFormats(defaults, {{"Broken", "{nope}"}});
    EXPECT_EQ(VQCopyText(*orange, VQCopyTemplate(100), false), QString());
}
