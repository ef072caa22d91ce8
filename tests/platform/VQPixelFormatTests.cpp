// Reading screen pixels in the layouts X servers use.

#include "platform/VQPixelFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct Row {
    const char *name;
    VQPixelFormat format;
    std::vector<std::uint8_t> bytes;
    QRgb colour;
};

const Row kRows[] = {
    {"8-8-8 in 32 bits, little-endian",
     {32, 32, false, 0xff0000, 0xff00, 0xff},
     {0x40, 0xc0, 0x20, 0x99},
     qRgb(0x20, 0xc0, 0x40)},
    {"8-8-8 in 32 bits, big-endian",
     {32, 32, true, 0xff0000, 0xff00, 0xff},
     {0x99, 0x20, 0xc0, 0x40},
     qRgb(0x20, 0xc0, 0x40)},
    {"blue and red swapped masks",
     {32, 32, false, 0xff, 0xff00, 0xff0000},
     {0x40, 0xc0, 0x20, 0},
     qRgb(0x40, 0xc0, 0x20)},
    {"packed 24 bits", {24, 32, false, 0xff0000, 0xff00, 0xff}, {0x01, 0x02, 0x03}, qRgb(3, 2, 1)},
    {"5-6-5, white", {16, 32, false, 0xf800, 0x7e0, 0x1f}, {0xff, 0xff}, qRgb(255, 255, 255)},
    {"5-6-5, pure green", {16, 32, false, 0xf800, 0x7e0, 0x1f}, {0xe0, 0x07}, qRgb(0, 255, 0)},
    {"5-6-5, half red", {16, 32, false, 0xf800, 0x7e0, 0x1f}, {0x00, 0x80}, qRgb(131, 0, 0)},
    {"10-10-10, full blue", {32, 32, false, 0x3ff00000, 0xffc00, 0x3ff}, {0xff, 0x03, 0, 0}, qRgb(0, 0, 255)},
    {"10-10-10, 512 red", {32, 32, false, 0x3ff00000, 0xffc00, 0x3ff}, {0, 0, 0, 0x20}, qRgb(127, 0, 0)},
};

TEST(VQPixelFormatTest, DecodesEveryLayout)
{
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(row.format.isReadable());
        EXPECT_EQ(row.format.decode(row.bytes.data()), row.colour);
    }
}

TEST(VQPixelFormatTest, RowsArePaddedToTheScanlinePad)
{
    EXPECT_EQ((VQPixelFormat{32, 32}).bytesPerLine(9), 36u);
    EXPECT_EQ((VQPixelFormat{24, 32}).bytesPerLine(9), 28u); // 27 bytes, padded to 4
    EXPECT_EQ((VQPixelFormat{16, 32}).bytesPerLine(9), 20u);
    EXPECT_EQ((VQPixelFormat{16, 8}).bytesPerLine(9), 18u);
    EXPECT_EQ((VQPixelFormat{32, 32}).bytesPerLine(1), 4u);
}

TEST(VQPixelFormatTest, RefusesWhatItCannotRead)
{
    EXPECT_FALSE((VQPixelFormat{8, 32}).isReadable()); // palette
    EXPECT_FALSE((VQPixelFormat{1, 32}).isReadable()); // monochrome
    EXPECT_FALSE((VQPixelFormat{32, 32, false, 0, 0, 0}).isReadable());
    EXPECT_FALSE((VQPixelFormat{0, 32}).isReadable()); // the root depth had no format
}
} // namespace
