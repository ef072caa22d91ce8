#include "platform/VQPixelFormat.h"

#include <bit>

namespace
{
// The masked field scaled to 0–255.
int channel(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t field = mask >> shift;
    return int(((value & mask) >> shift) * 255u / field);
}
} // namespace

bool VQPixelFormat::isReadable() const
{
    return (bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32) && scanlinePad >= 8 &&
           scanlinePad % 8 == 0 && redMask && greenMask && blueMask;
}

std::size_t VQPixelFormat::bytesPerLine(int width) const
{
    const std::size_t bits = std::size_t(width) * std::size_t(bitsPerPixel);
    const std::size_t pad = std::size_t(scanlinePad);
    return (bits + pad - 1) / pad * pad / 8;
}

QRgb VQPixelFormat::decode(const std::uint8_t *pixel) const
{
    const int bytes = bitsPerPixel / 8;
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        const int byte = mostSignificantByteFirst ? i : bytes - 1 - i;
        value = (value << 8) | pixel[byte];
    }
    return qRgb(channel(value, redMask), channel(value, greenMask), channel(value, blueMask));
}
