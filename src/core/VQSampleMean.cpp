#include "core/VQSampleMean.h"

#include "core/VQColorSpaces.h"

#include <algorithm>
#include <cmath>

bool VQIsSampleSize(int n)
{
    return n == 1 || n == 3 || n == 5 || n == 9;
}

QRect VQSampleSquare(QPoint centre, int n, const QRect &bounds)
{
    if (!bounds.contains(centre))
        return {};
    const int half = VQIsSampleSize(n) ? n / 2 : 0;
    return QRect(centre - QPoint(half, half), centre + QPoint(half, half)).intersected(bounds);
}

VQSampleMean VQMeanOfSquare(const QImage &image, QPoint centre, int n)
{
    const QRect square = VQSampleSquare(centre, n, image.rect());
    if (square.isEmpty())
        return {};
    // Any other format is read through a converted copy.
    const QImage source = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    double sum[3] = {0, 0, 0};
    for (int y = square.top(); y <= square.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = square.left(); x <= square.right(); ++x) {
            sum[0] += VQColorSpaces::sRGBToLinear(qRed(line[x]) / 255.0);
            sum[1] += VQColorSpaces::sRGBToLinear(qGreen(line[x]) / 255.0);
            sum[2] += VQColorSpaces::sRGBToLinear(qBlue(line[x]) / 255.0);
        }
    }
    const int count = square.width() * square.height();
    const auto encode = [count](double total) {
        return std::clamp(static_cast<int>(std::lround(VQColorSpaces::linearToSRGB(total / count) * 255)), 0, 255);
    };
    return {QColor(encode(sum[0]), encode(sum[1]), encode(sum[2])), count};
}
