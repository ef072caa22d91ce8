#include "parsers/VQColorProfile.h"

#include <lcms2.h>

#include <limits>

namespace
{
// Relative colorimetric, as the profiles of colour lists are matrix-and-curve
// profiles without perceptual tables. No cache: a transform is shared between
// threads, and the float path keeps values outside 0–1 (unbounded mode).
cmsHTRANSFORM transformToSRGB(cmsHPROFILE source, cmsUInt32Number inputFormat)
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    if (!srgb)
        return nullptr;
    cmsHTRANSFORM transform = cmsCreateTransform(source, inputFormat, srgb, TYPE_RGB_DBL, INTENT_RELATIVE_COLORIMETRIC,
                                                 cmsFLAGS_NOCACHE | cmsFLAGS_NOOPTIMIZE);
    cmsCloseProfile(srgb);
    return transform;
}
} // namespace

VQColorProfile::~VQColorProfile()
{
    if (_transform)
        cmsDeleteTransform(static_cast<cmsHTRANSFORM>(_transform));
}

std::shared_ptr<const VQColorProfile> VQColorProfile::fromICC(const QByteArray &icc)
{
    if (icc.size() < 128 || icc.size() > qsizetype(std::numeric_limits<cmsUInt32Number>::max()))
        return nullptr;
    cmsHPROFILE profile = cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size()));
    if (!profile)
        return nullptr;
    cmsHTRANSFORM transform = nullptr;
    int channels = 0;
    if (cmsGetColorSpace(profile) == cmsSigRgbData) {
        transform = transformToSRGB(profile, TYPE_RGB_DBL);
        channels = 3;
    } else if (cmsGetColorSpace(profile) == cmsSigGrayData) {
        transform = transformToSRGB(profile, TYPE_GRAY_DBL);
        channels = 1;
    }
    cmsCloseProfile(profile);
    if (!transform)
        return nullptr;
    return std::shared_ptr<const VQColorProfile>(new VQColorProfile(transform, channels));
}

const VQColorProfile &VQColorProfile::genericRGB()
{
    static const VQColorProfile generic = [] {
        const cmsCIExyY white = {0.3127, 0.3290, 1.0}; // D65
        const cmsCIExyYTRIPLE primaries = {{0.630, 0.340, 1.0}, {0.295, 0.605, 1.0}, {0.155, 0.077, 1.0}};
        cmsToneCurve *gamma = cmsBuildGamma(nullptr, 1.8);
        cmsToneCurve *curves[3] = {gamma, gamma, gamma};
        cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
        cmsFreeToneCurve(gamma);
        cmsHTRANSFORM transform = profile ? transformToSRGB(profile, TYPE_RGB_DBL) : nullptr;
        if (profile)
            cmsCloseProfile(profile);
        return VQColorProfile(transform, 3);
    }();
    return generic;
}

std::optional<VQRGBColor> VQColorProfile::toSRGB(const std::vector<double> &components) const
{
    if (!_transform || components.size() < std::size_t(_channels))
        return std::nullopt;
    double in[3] = {components[0], _channels == 3 ? components[1] : 0, _channels == 3 ? components[2] : 0};
    double out[3] = {0, 0, 0};
    cmsDoTransform(static_cast<cmsHTRANSFORM>(_transform), in, out, 1);
    return VQRGBColor{out[0], out[1], out[2]};
}
