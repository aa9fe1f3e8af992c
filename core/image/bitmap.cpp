#include "core/image/bitmap.h"

#include <stdexcept>

namespace velmora {

Bitmap Bitmap::Make(int32_t width, int32_t height, uint16_t bitsPerPixel, std::vector<RgbQuad> colours)
{
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("picture size must be positive");
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
        throw std::invalid_argument("unsupported bits per pixel");
    Bitmap b;
    b.width = width;
    b.height = height;
    b.bitsPerPixel = bitsPerPixel;
    if (bitsPerPixel <= 8) {
        colours.resize(size_t{1} << bitsPerPixel);
        b.colours = std::move(colours);
    }
    b.pixels.assign(static_cast<size_t>(width) * height * b.bytesPerPixel(), 0);
    return b;
}

RgbQuad Bitmap::colourAt(int x, int y) const
{
    if (bitsPerPixel == 24) {
        const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
        return RgbQuad{p[0], p[1], p[2], 0};
    }
    const uint8_t i = index(x, y);
    return i < colours.size() ? colours[i] : RgbQuad{};
}

bool Bitmap::samePicture(const Bitmap& other) const
{
    return width == other.width && height == other.height && bitsPerPixel == other.bitsPerPixel &&
           colours == other.colours && pixels == other.pixels;
}

}  // namespace velmora
