#include "core/VQSampleMean.h"

#include "core/VQColorSpaces.h"

#include <algorithm>
#include <cmath>

VQSampleMean VQMeanOfSquare(const QImage &image, QPoint centre, int n)
{
    if (n != 3 && n != 5 && n != 9)
        n = 1;
    if (image.isNull() || !image.rect().contains(centre))
        return {};
    // Any other format is read through a converted copy.
    const QImage source = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    const int half = n / 2;
    const int left = std::max(0, centre.x() - half), right = std::min(source.width() - 1, centre.x() + half);
    const int top = std::max(0, centre.y() - half), bottom = std::min(source.height() - 1, centre.y() + half);
    double sum[3] = {0, 0, 0};
    for (int y = top; y <= bottom; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = left; x <= right; ++x) {
            sum[0] += VQColorSpaces::sRGBToLinear(qRed(line[x]) / 255.0);
            sum[1] += VQColorSpaces::sRGBToLinear(qGreen(line[x]) / 255.0);
            sum[2] += VQColorSpaces::sRGBToLinear(qBlue(line[x]) / 255.0);
        }
    }
    const int count = (right - left + 1) * (bottom - top + 1);
    const auto encode = [count](double total) {
        return std::clamp(static_cast<int>(std::lround(VQColorSpaces::linearToSRGB(total / count) * 255)), 0, 255);
    };
    return {QColor(encode(sum[0]), encode(sum[1]), encode(sum[2])), count};
}
