// The mean of a square of pixels in linear light, clipped at the image's edges.

#include "core/VQSampleMean.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// The sRGB transfer function as IEC 61966-2-1 writes it.
double decode(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
int encode(double linear)
{
    const double c = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return int(std::lround(c * 255));
}

// Ten by ten pixels: even columns `even`, odd columns `odd`.
QImage stripes(QRgb even, QRgb odd, QImage::Format format)
{
    QImage image(10, 10, format);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            image.setPixel(x, y, x % 2 == 0 ? even : odd);
    return image;
}
} // namespace

TEST(SampleMean, AveragesInLinearLightOverTheSquareThatExists)
{
    const QRgb a = qRgb(0xFF, 0x20, 0x00), b = qRgb(0x00, 0x80, 0xFF);
    struct Row {
        const char *what;
        QRgb even, odd;
        QImage::Format format;
        QPoint centre;
        int n;
        int evenPixels, oddPixels; // how many of each the square holds
    };
    const Row rows[] = {
        {"uniform", 0x336699, 0x336699, QImage::Format_RGB32, {5, 5}, 5, 10, 15},
        {"stripes 3×3", a, b, QImage::Format_RGB32, {5, 5}, 3, 6, 3},
        {"stripes 9×9", a, b, QImage::Format_ARGB32, {4, 4}, 9, 45, 36},
        {"5×5 stripes", a, b, QImage::Format_RGB32, {3, 5}, 5, 10, 15},
        {"top-left corner", a, b, QImage::Format_RGB32, {0, 0}, 3, 2, 2},
        {"left edge", a, b, QImage::Format_RGB32, {0, 5}, 5, 10, 5},
        {"bottom-right corner", a, b, QImage::Format_RGB32, {9, 9}, 9, 10, 15},
        {"one pixel", a, b, QImage::Format_RGB32, {7, 2}, 1, 0, 1},
        {"any other size is one pixel", a, b, QImage::Format_RGB32, {4, 2}, 4, 1, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const VQSampleMean mean = VQMeanOfSquare(stripes(row.even, row.odd, row.format), row.centre, row.n);
        const int count = row.evenPixels + row.oddPixels;
        EXPECT_EQ(mean.pixels, count);
        const auto expected = [&](int (*channel)(QRgb)) {
            return encode((row.evenPixels * decode(channel(row.even)) + row.oddPixels * decode(channel(row.odd))) /
                          count);
        };
        EXPECT_EQ(mean.color, QColor(expected(qRed), expected(qGreen), expected(qBlue)));
    }
}

TEST(SampleMean, ReadsNothingOutsideTheImage)
{
    EXPECT_FALSE(VQMeanOfSquare(QImage(), {0, 0}, 3).color.isValid());
    const VQSampleMean outside = VQMeanOfSquare(stripes(0, 0xFFFFFF, QImage::Format_RGB32), {10, 3}, 3);
    EXPECT_FALSE(outside.color.isValid());
    EXPECT_EQ(outside.pixels, 0);
}
