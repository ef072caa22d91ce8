// Colour-space arithmetic. The matrices and constants are the published
// definitions of each space (CSS Color 4 gives them all, most as exact
// fractions); a conversion between two spaces passes through CIE XYZ.
#include "core/VQColorSpaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace VQColorSpaces
{
namespace
{

using Matrix = std::array<Triple, 3>;

Triple multiply(const Matrix &m, const Triple &v)
{
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// Linear sRGB (and Display P3, which shares its curve) from and to XYZ D65.
constexpr Matrix kSRGBToXYZ = {{{506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
                                {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
                                {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270}}};
constexpr Matrix kXYZToSRGB = {{{12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
                                {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
                                {705.0 / 12673, -2585.0 / 12673, 705.0 / 667}}};
constexpr Matrix kP3ToXYZ = {{{608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
                              {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
                              {0.0, 32229.0 / 714400, 5220557.0 / 5000800}}};
constexpr Matrix kXYZToP3 = {{{446124.0 / 178915, -333277.0 / 357830, -72051.0 / 178915},
                              {-14852.0 / 17905, 63121.0 / 35810, 423.0 / 17905},
                              {11844.0 / 330415, -50337.0 / 660830, 316169.0 / 330415}}};
constexpr Matrix kA98ToXYZ = {{{573536.0 / 994567, 263643.0 / 1420810, 187206.0 / 994567},
                               {591459.0 / 1989134, 6239551.0 / 9945670, 374412.0 / 4972835},
                               {53769.0 / 1989134, 351524.0 / 4972835, 4929758.0 / 4972835}}};
constexpr Matrix kXYZToA98 = {{{1829569.0 / 896150, -506331.0 / 896150, -308931.0 / 896150},
                               {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
                               {16779.0 / 1248040, -147721.0 / 1248040, 1266979.0 / 1248040}}};
constexpr Matrix kRec2020ToXYZ = {{{63426534.0 / 99577255, 20160776.0 / 139408157, 47086771.0 / 278816314},
                                   {26158966.0 / 99577255, 472592308.0 / 697040785, 8267143.0 / 139408157},
                                   {0.0, 19567812.0 / 697040785, 295819943.0 / 278816314}}};
constexpr Matrix kXYZToRec2020 = {{{30757411.0 / 17917100, -6372589.0 / 17917100, -4539589.0 / 17917100},
                                   {-19765991.0 / 29648200, 47925759.0 / 29648200, 467509.0 / 29648200},
                                   {792561.0 / 44930125, -1921689.0 / 44930125, 42328811.0 / 44930125}}};
// ProPhoto RGB is defined against D50.
constexpr Matrix kProPhotoToXYZD50 = {{{0.79776664490064230, 0.13518129740053308, 0.03134773412839220},
                                       {0.28807482881940130, 0.71183523424187300, 0.00008993693872564},
                                       {0.0, 0.0, 0.82510460251046020}}};
constexpr Matrix kXYZD50ToProPhoto = {{{1.34578688164715830, -0.25557208737979464, -0.05110186497554526},
                                       {-0.54463070512490190, 1.50824774284514680, 0.02052744743642139},
                                       {0.0, 0.0, 1.21196754563894520}}};
// Bradford chromatic adaptation between the two whites.
constexpr Matrix kD65ToD50 = {{{1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
                               {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
                               {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371}}};
constexpr Matrix kD50ToD65 = {{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
                               {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
                               {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};
// OKLab: XYZ D65 to cone responses, then their cube roots to L, a, b.
constexpr Matrix kXYZToLMS = {{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                               {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                               {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
constexpr Matrix kLMSToOKLab = {{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                                 {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                                 {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
constexpr Matrix kOKLabToLMS = {{{1.0, 0.3963377773761749, 0.2158037573299030},
                                 {1.0, -0.1055613458156586, -0.0638541728258133},
                                 {1.0, -0.0894841775298119, -1.2914855480194092}}};
constexpr Matrix kLMSToXYZ = {{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                               {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                               {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};

// The D50 white as x, y chromaticity made XYZ with Y = 1.
constexpr Triple kD50White = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
constexpr double kLabEpsilon = 216.0 / 24389;
constexpr double kLabKappa = 24389.0 / 27;

// A transfer function applied to each channel, keeping the sign.
template <class F> Triple perChannel(const Triple &v, F f)
{
    return {f(v[0]), f(v[1]), f(v[2])};
}
double signedPower(double value, double exponent)
{
    return std::copysign(std::pow(std::abs(value), exponent), value);
}

double a98ToLinear(double c)
{
    return signedPower(c, 563.0 / 256);
}
double linearToA98(double c)
{
    return signedPower(c, 256.0 / 563);
}
double proPhotoToLinear(double c)
{
    return std::abs(c) <= 16.0 / 512 ? c / 16 : signedPower(c, 1.8);
}
double linearToProPhoto(double c)
{
    return std::abs(c) >= 1.0 / 512 ? signedPower(c, 1 / 1.8) : 16 * c;
}
// Rec. 2020 as CSS defines it for displays: the BT.1886 curve, a pure 2.4 power.
double rec2020ToLinear(double c)
{
    return signedPower(c, 2.4);
}
double linearToRec2020(double c)
{
    return signedPower(c, 1 / 2.4);
}

Triple clipped(const Triple &rgb)
{
    return perChannel(rgb, [](double c) { return std::clamp(c, 0.0, 1.0); });
}

// The hue of an RGB colour in degrees, with its largest and smallest channel.
double hueOf(const Triple &rgb, double max, double min)
{
    const double d = max - min;
    if (d == 0)
        return 0;
    double h;
    if (max == rgb[0])
        h = (rgb[1] - rgb[2]) / d + (rgb[1] < rgb[2] ? 6 : 0);
    else if (max == rgb[1])
        h = (rgb[2] - rgb[0]) / d + 2;
    else
        h = (rgb[0] - rgb[1]) / d + 4;
    return h * 60;
}

} // namespace

namespace
{
double sRGBCurve(double c)
{
    const double a = std::abs(c);
    if (a <= 0.04045)
        return c / 12.92;
    return std::copysign(std::pow((a + 0.055) / 1.055, 2.4), c);
}
} // namespace

double sRGBToLinear(double c)
{
    // The 256 values of 8-bit channels, which most colours have, from a table of the same results.
    static const auto table = [] {
        std::array<double, 256> values{};
        for (int i = 0; i < 256; ++i)
            values[i] = sRGBCurve(i / 255.0);
        return values;
    }();
    const double scaled = c * 255;
    if (scaled >= 0 && scaled <= 255 && scaled == std::floor(scaled) && int(scaled) / 255.0 == c)
        return table[int(scaled)];
    return sRGBCurve(c);
}

double linearToSRGB(double c)
{
    const double a = std::abs(c);
    if (a <= 0.0031308)
        return c * 12.92;
    return std::copysign(1.055 * std::pow(a, 1 / 2.4) - 0.055, c);
}

Triple linearSRGBToXYZD65(const Triple &rgb)
{
    return multiply(kSRGBToXYZ, rgb);
}
Triple XYZD65ToLinearSRGB(const Triple &xyz)
{
    return multiply(kXYZToSRGB, xyz);
}
Triple XYZD65ToXYZD50(const Triple &xyz)
{
    return multiply(kD65ToD50, xyz);
}
Triple XYZD50ToXYZD65(const Triple &xyz)
{
    return multiply(kD50ToD65, xyz);
}

Triple toXYZD65(Space space, const Triple &v)
{
    switch (space) {
    case Space::SRGB:
        return multiply(kSRGBToXYZ, perChannel(v, sRGBToLinear));
    case Space::SRGBLinear:
        return multiply(kSRGBToXYZ, v);
    case Space::DisplayP3:
        return multiply(kP3ToXYZ, perChannel(v, sRGBToLinear));
    case Space::A98RGB:
        return multiply(kA98ToXYZ, perChannel(v, a98ToLinear));
    case Space::ProPhotoRGB:
        return XYZD50ToXYZD65(multiply(kProPhotoToXYZD50, perChannel(v, proPhotoToLinear)));
    case Space::Rec2020:
        return multiply(kRec2020ToXYZ, perChannel(v, rec2020ToLinear));
    case Space::XYZD65:
        return v;
    case Space::XYZD50:
        return XYZD50ToXYZD65(v);
    }
    return v;
}

Triple fromXYZD65(Space space, const Triple &xyz)
{
    switch (space) {
    case Space::SRGB:
        return perChannel(multiply(kXYZToSRGB, xyz), linearToSRGB);
    case Space::SRGBLinear:
        return multiply(kXYZToSRGB, xyz);
    case Space::DisplayP3:
        return perChannel(multiply(kXYZToP3, xyz), linearToSRGB);
    case Space::A98RGB:
        return perChannel(multiply(kXYZToA98, xyz), linearToA98);
    case Space::ProPhotoRGB:
        return perChannel(multiply(kXYZD50ToProPhoto, XYZD65ToXYZD50(xyz)), linearToProPhoto);
    case Space::Rec2020:
        return perChannel(multiply(kXYZToRec2020, xyz), linearToRec2020);
    case Space::XYZD65:
        return xyz;
    case Space::XYZD50:
        return XYZD65ToXYZD50(xyz);
    }
    return xyz;
}

Triple XYZD50ToLab(const Triple &xyz)
{
    const auto f = [](double t) { return t > kLabEpsilon ? std::cbrt(t) : (kLabKappa * t + 16) / 116; };
    const double fx = f(xyz[0] / kD50White[0]), fy = f(xyz[1] / kD50White[1]), fz = f(xyz[2] / kD50White[2]);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Triple labToXYZD50(const Triple &lab)
{
    const double fy = (lab[0] + 16) / 116;
    const double fx = lab[1] / 500 + fy;
    const double fz = fy - lab[2] / 200;
    const auto inverse = [](double f) {
        const double cube = f * f * f;
        return cube > kLabEpsilon ? cube : (116 * f - 16) / kLabKappa;
    };
    const double y = lab[0] > kLabKappa * kLabEpsilon ? fy * fy * fy : lab[0] / kLabKappa;
    return {inverse(fx) * kD50White[0], y * kD50White[1], inverse(fz) * kD50White[2]};
}

Triple rectangularToPolar(const Triple &lab)
{
    const double chroma = std::hypot(lab[1], lab[2]);
    double hue = std::atan2(lab[2], lab[1]) * 180 / std::numbers::pi;
    if (hue < 0)
        hue += 360;
    if (hue >= 360)
        hue -= 360;
    return {lab[0], chroma, hue};
}

Triple polarToRectangular(const Triple &lch)
{
    const double radians = lch[2] * std::numbers::pi / 180;
    return {lch[0], lch[1] * std::cos(radians), lch[1] * std::sin(radians)};
}

Triple XYZD65ToOKLab(const Triple &xyz)
{
    return multiply(kLMSToOKLab, perChannel(multiply(kXYZToLMS, xyz), [](double c) { return std::cbrt(c); }));
}

Triple OKLabToXYZD65(const Triple &lab)
{
    return multiply(kLMSToXYZ, perChannel(multiply(kOKLabToLMS, lab), [](double c) { return c * c * c; }));
}

Triple sRGBToOKLab(const Triple &rgb)
{
    return XYZD65ToOKLab(toXYZD65(Space::SRGB, rgb));
}

Triple OKLabToSRGB(const Triple &lab)
{
    return fromXYZD65(Space::SRGB, OKLabToXYZD65(lab));
}

Triple HWBToSRGB(const Triple &hwb)
{
    double white = hwb[1], black = hwb[2];
    if (white + black >= 1) {
        const double grey = white / (white + black);
        return {grey, grey, grey};
    }
    // The fully saturated colour of the hue, then mixed with white and black.
    const Triple pure = HSLToSRGB({hwb[0], 1, 0.5});
    return perChannel(pure, [&](double c) { return c * (1 - white - black) + white; });
}

Triple HSLToSRGB(const Triple &hsl)
{
    const double hue = std::fmod(std::fmod(hsl[0], 360) + 360, 360);
    const double amount = hsl[1] * std::min(hsl[2], 1 - hsl[2]);
    const auto channel = [&](double n) {
        const double k = std::fmod(n + hue / 30, 12);
        return hsl[2] - amount * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {channel(0), channel(8), channel(4)};
}

Triple sRGBToHWB(const Triple &rgb)
{
    const double max = std::max({rgb[0], rgb[1], rgb[2]});
    const double min = std::min({rgb[0], rgb[1], rgb[2]});
    return {hueOf(rgb, max, min), min, 1 - max};
}

Triple sRGBToHSL(const Triple &rgb)
{
    const double max = std::max({rgb[0], rgb[1], rgb[2]});
    const double min = std::min({rgb[0], rgb[1], rgb[2]});
    const double lightness = (max + min) / 2;
    const double d = max - min;
    const double saturation = d == 0 || lightness == 0 || lightness == 1 ? 0 : d / (1 - std::abs(2 * lightness - 1));
    return {hueOf(rgb, max, min), saturation, lightness};
}

double deltaEOK(const Triple &a, const Triple &b)
{
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

bool isInSRGBGamut(const Triple &rgb)
{
    constexpr double tolerance = 0.000075;
    return std::all_of(rgb.begin(), rgb.end(), [](double c) { return c >= -tolerance && c <= 1 + tolerance; });
}

Triple gamutMapOKLabToSRGB(const Triple &oklab, bool *mapped)
{
    if (mapped)
        *mapped = false;
    const Triple rgb = OKLabToSRGB(oklab);
    if (isInSRGBGamut(rgb))
        return clipped(rgb);
    if (mapped)
        *mapped = true;
    // Lightness beyond either end has no chroma to give: the nearest is white or black.
    if (oklab[0] >= 1)
        return {1, 1, 1};
    if (oklab[0] <= 0)
        return {0, 0, 0};

    constexpr double justNoticeable = 0.02;
    constexpr double precision = 0.0001;
    Triple polar = rectangularToPolar(oklab);
    // How far clipping moves the colour with chroma `chroma`, and the clipped colour.
    const auto clipAt = [&polar](double chroma, Triple *clippedRGB) {
        polar[1] = chroma;
        const Triple lab = polarToRectangular(polar);
        const Triple rgbAtChroma = OKLabToSRGB(lab);
        *clippedRGB = clipped(rgbAtChroma);
        return std::pair{isInSRGBGamut(rgbAtChroma), deltaEOK(sRGBToOKLab(*clippedRGB), lab)};
    };

    Triple result;
    if (clipAt(polar[1], &result).second < justNoticeable)
        return result;
    // Bisect the chroma. The lower bound stays a colour within the gamut until a
    // clipped colour close enough is found; from then on it may lie outside.
    double low = 0, high = polar[1];
    bool lowInGamut = true;
    while (high - low > precision) {
        const double chroma = (low + high) / 2;
        Triple candidate;
        const auto [inGamut, distance] = clipAt(chroma, &candidate);
        if (lowInGamut && inGamut) {
            low = chroma;
            continue;
        }
        result = candidate;
        if (distance < justNoticeable) {
            if (justNoticeable - distance < precision)
                return result;
            lowInGamut = false;
            low = chroma;
        } else {
            high = chroma;
        }
    }
    if (lowInGamut)
        clipAt(low, &result);
    return result;
}

} // namespace VQColorSpaces
