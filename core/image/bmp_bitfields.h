// The decoder's direct-colour half: 16- and 32-bit pictures, with the
// default channel layout or with bit-field masks. Internal to the BMP decoder.
#pragma once

#include "core/image/bitmap.h"

#include <cstdint>
#include <span>

namespace velmora::bmp_detail {

constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr bool IsDirectColourDepth(uint16_t bpp) { return bpp == 16 || bpp == 32; }
constexpr bool IsBitfieldsCompression(uint32_t c) { return c == kBiBitfields || c == kBiAlphaBitfields; }

// What the header parser has already read and checked: a size within the
// limits, a 16- or 32-bit depth, BI_RGB or a bit-field compression, and a
// pixel offset inside the file past the information header.
struct DirectColourHeader {
    uint32_t infoSize;
    int32_t width;
    int32_t height;
    bool topDown;
    uint16_t bpp;
    uint32_t compression;
    uint32_t coloursUsed;
    uint32_t pixelOffset;
};

// Decodes the pixels into a 24-bit Bitmap (alpha is dropped: rooms have
// none). Throws FormatError for masks that are not contiguous, lie outside
// the depth or overlap, and for missing data; never reads outside `bytes`.
Bitmap DecodeDirectColour(std::span<const uint8_t> bytes, const DirectColourHeader& h);

}  // namespace velmora::bmp_detail
