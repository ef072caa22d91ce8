#include "parsers/VQLabColor.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double kEpsilon = 216.0 / 24389.0; // (6/29)^3
constexpr double kKappa = 24389.0 / 27.0;    // (29/3)^3

// Reference white D50 (ICC), Y = 1.
constexpr double kWhiteX = 0.96422, kWhiteY = 1.0, kWhiteZ = 0.82521;

// XYZ (D50) → XYZ (D65), Bradford.
constexpr double kBradford[3][3] = {
    {0.9555766, -0.0230393, 0.0631636},
    {-0.0282895, 1.0099416, 0.0210077},
    {0.0122982, -0.0204830, 1.3299098},
};

// XYZ (D65) → linear sRGB.
constexpr double kToLinearSRGB[3][3] = {
    {3.2404542, -1.5371385, -0.4985314},
    {-0.9692660, 1.8760108, 0.0415560},
    {0.0556434, -0.2040259, 1.0572252},
};

double inverseF(double t)
{
    return t * t * t > kEpsilon ? t * t * t : (116.0 * t - 16.0) / kKappa;
}

double compand(double linear)
{
    const double v = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    // Written so that a NaN (from an absurd a* or b*) ends as 0 too.
    return v > 0.0 ? std::min(v, 1.0) : 0.0;
}

void multiply(const double (&m)[3][3], const double (&in)[3], double (&out)[3])
{
    for (int row = 0; row < 3; ++row)
        out[row] = m[row][0] * in[0] + m[row][1] * in[1] + m[row][2] * in[2];
}

} // namespace

VQRGBColor VQLabColor::toSRGB() const
{
    if (!std::isfinite(L) || !std::isfinite(a) || !std::isfinite(b))
        return {0, 0, 0};
    const double lightness = std::clamp(L, 0.0, 100.0);
    const double fy = (lightness + 16.0) / 116.0;
    const double fx = fy + a / 500.0;
    const double fz = fy - b / 200.0;
    const double yr = lightness > kKappa * kEpsilon ? fy * fy * fy : lightness / kKappa;
    const double d50[3] = {inverseF(fx) * kWhiteX, yr * kWhiteY, inverseF(fz) * kWhiteZ};

    double d65[3];
    multiply(kBradford, d50, d65);
    double linear[3];
    multiply(kToLinearSRGB, d65, linear);
    return {compand(linear[0]), compand(linear[1]), compand(linear[2])};
}
