#pragma once
// Colour management of imported colours, over Little CMS 2: an RGB or grey
// source space and its conversion to sRGB, the space every VQColor is in.
// Read-only after creation; one profile may convert from several threads.

#include "core/VQColor.h"

#include <QByteArray>

#include <memory>
#include <optional>
#include <vector>

class VQColorProfile
{
  public:
    ~VQColorProfile();
    VQColorProfile(const VQColorProfile &) = delete;
    VQColorProfile &operator=(const VQColorProfile &) = delete;

    // An embedded ICC profile of an RGB or grey space, ready to convert to
    // sRGB; null when it cannot be read or is of another kind.
    static std::shared_ptr<const VQColorProfile> fromICC(const QByteArray &icc);
    // Generic RGB: primaries R (0.630, 0.340), G (0.295, 0.605), B (0.155,
    // 0.077), white D65, gamma 1.8. Colour lists' calibrated RGB is in it.
    static const VQColorProfile &genericRGB();

    // 3 for RGB, 1 for grey.
    int channels() const { return _channels; }
    // `components` holds channels() values, nominally 0–1; the sRGB result is
    // not clamped (a wider source gives values outside 0–1). Nothing when there
    // are too few components.
    std::optional<VQRGBColor> toSRGB(const std::vector<double> &components) const;

  private:
    VQColorProfile(void *transform, int channels) : _transform(transform), _channels(channels) {}

    void *_transform; // cmsHTRANSFORM
    int _channels;
};
