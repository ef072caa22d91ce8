// What a colour drag carries: the exact colour for ourselves, Qt's colour type
// and the hex text for other programs.

#include "core/VQColorDrag.h"

#include <QColor>
#include <QMimeData>

#include <gtest/gtest.h>

#include <array>

namespace
{

struct Row {
    const char *name;
    VQColorSpace space;
    std::array<double, 4> components;
    const char *hex;
};

VQColorRef make(const Row &row)
{
    const auto &v = row.components;
    return row.space == VQColorSpace::CMYK ? VQColor::makeCMYK(v[0], v[1], v[2], v[3])
                                           : VQColor::makeRGB(v[0], v[1], v[2]);
}

} // namespace

TEST(VQColorDragTest, ExactColorThroughTheMimeData)
{
    const Row rows[] = {
        {"CMYK 0/.5/.9/.1 stays #E66600", VQColorSpace::CMYK, {0, 0.5, 0.9, 0.1}, "#E66600"},
        {"CMYK with digits beyond 16 bits", VQColorSpace::CMYK, {0.123456789, 0.2, 0.3, 0.987654321}, nullptr},
        {"RGB #FFFEFD", VQColorSpace::RGB, {1, 254.0 / 255, 253.0 / 255, 0}, "#FFFEFD"},
        {"RGB with digits beyond 16 bits", VQColorSpace::RGB, {0.1234567891, 0.5, 0.9876543219, 0}, nullptr},
        {"extended RGB keeps its range", VQColorSpace::RGB, {1.25, -0.125, 0.5, 0}, nullptr},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQColorRef original = make(row);
        QMimeData data;
        VQColorDrag::write(data, *original);

        // Other programs still get a colour and its text.
        EXPECT_TRUE(data.hasColor());
        EXPECT_EQ(data.text(), original->hexValue());

        const VQColorRef dropped = VQColorDrag::read(&data);
        ASSERT_TRUE(dropped);
        EXPECT_EQ(dropped->colorSpace(), row.space);
        EXPECT_EQ(dropped->components(), original->components());
        if (row.hex) {
            EXPECT_EQ(dropped->hexValue(), QString::fromLatin1(row.hex));
        }
        EXPECT_NE(dropped->colorID(), original->colorID()) << "a drop makes a colour of its own";
    }
}

TEST(VQColorDragTest, WhatOtherProgramsDrop)
{
    QMimeData foreign;
    foreign.setColorData(QColor(255, 128, 0));
    const VQColorRef color = VQColorDrag::read(&foreign);
    ASSERT_TRUE(color);
    EXPECT_EQ(color->hexValue(), QStringLiteral("#FF8000"));

    // Our type unreadable: Qt's colour type still counts.
    foreign.setData(QString::fromLatin1(VQColorDrag::MimeType), "not a property list");
    const VQColorRef fallback = VQColorDrag::read(&foreign);
    ASSERT_TRUE(fallback);
    EXPECT_EQ(fallback->hexValue(), QStringLiteral("#FF8000"));

    QMimeData text;
    text.setText(QStringLiteral("#FF8000"));
    EXPECT_EQ(VQColorDrag::read(&text), nullptr);
    EXPECT_EQ(VQColorDrag::read(nullptr), nullptr);
}
