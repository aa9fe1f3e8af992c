// The composed preview written as a JPEG or BMP file image.
#pragma once

#include "core/image/bitmap.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace velmora {

class JpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Baseline colour JPEG (three components) of the picture's colours, with the
// library's defaults at the given quality: the bytes `cjpeg -quality 80`
// makes from the same pixels. Throws JpegError with libjpeg's message.
// The quality every exported preview is written with.
inline constexpr int kPreviewJpegQuality = 80;

std::vector<uint8_t> EncodePreviewJpeg(const Bitmap& preview, int quality = kPreviewJpegQuality);

// The picture as an uncompressed BMP in its own form; the 320x240 preview in
// the room palette gives 77,878 bytes.
std::vector<uint8_t> EncodePreviewBmp(const Bitmap& preview);

}  // namespace velmora
