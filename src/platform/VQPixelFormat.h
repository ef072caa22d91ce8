#pragma once
// How an X server lays out the pixels of a screen image (a Z-pixmap): bits per
// pixel, the scan-line padding, the byte order and the visual's colour masks.
// Turns them into 8-bit RGB whatever the depth (8-8-8, 5-6-5, 10-10-10…).
// Pure: tested without a display.

#include <QRgb>

#include <cstddef>
#include <cstdint>

struct VQPixelFormat {
    int bitsPerPixel = 32; // 16, 24 or 32 are read; others are refused
    int scanlinePad = 32;  // each row is padded to a multiple of this many bits
    bool mostSignificantByteFirst = false;
    std::uint32_t redMask = 0xff0000, greenMask = 0xff00, blueMask = 0xff;

    bool isReadable() const;
    // The bytes of one row of `width` pixels, padding included.
    std::size_t bytesPerLine(int width) const;
    // The colour of the pixel whose first byte is at `pixel`.
    QRgb decode(const std::uint8_t *pixel) const;
};
