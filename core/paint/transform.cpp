#include "core/paint/transform.h"

#include <stdexcept>

namespace velmora {

PaintPicture FlippedHorizontally(const PaintPicture& block)
{
    PaintPicture out = block;
    for (int32_t y = 0; y < block.height; ++y)
        for (int32_t x = 0; x < block.width; ++x)
            out.set({block.width - 1 - x, y}, block.at({x, y}));
    return out;
}

PaintPicture FlippedVertically(const PaintPicture& block)
{
    PaintPicture out = block;
    const size_t row = size_t(block.width);
    for (int32_t y = 0; y < block.height; ++y)
        std::copy_n(block.pixels.begin() + ptrdiff_t(size_t(y) * row), row,
                    out.pixels.begin() + ptrdiff_t(size_t(block.height - 1 - y) * row));
    return out;
}

PaintPicture Turned(const PaintPicture& block, Turn turn)
{
    const int32_t w = block.width, h = block.height;
    if (turn == Turn::Half) {
        PaintPicture out = block;
        std::copy(block.pixels.rbegin(), block.pixels.rend(), out.pixels.begin());
        return out;
    }
    PaintPicture out = PaintPicture::Make(h, w);
    // Row by row of the result, reading down (clockwise) or up (anticlockwise) a column of the block.
    PaintValue* to = out.pixels.data();
    for (int32_t y = 0; y < w; ++y) {
        const int32_t column = turn == Turn::Clockwise ? y : w - 1 - y;
        for (int32_t x = 0; x < h; ++x) {
            const int32_t row = turn == Turn::Clockwise ? h - 1 - x : x;
            *to++ = block.pixels[size_t(row) * size_t(w) + size_t(column)];
        }
    }
    return out;
}

PaintPicture Scaled(const PaintPicture& block, int32_t factor)
{
    if (factor < 1 || factor > kPaintCoordinateLimit)
        throw std::invalid_argument("a scale factor below 1 or beyond any picture");
    const int64_t w = int64_t{block.width} * factor, h = int64_t{block.height} * factor;
    if (w > kPaintCoordinateLimit || h > kPaintCoordinateLimit)
        throw std::invalid_argument("a scaled block larger than any picture");
    PaintPicture out = PaintPicture::Make(int32_t(w), int32_t(h));
    for (int32_t y = 0; y < out.height; ++y)
        for (int32_t x = 0; x < out.width; ++x)
            out.set({x, y}, block.at({x / factor, y / factor}));
    return out;
}

PixelRect Outline(PaintPicture& picture, const PixelRect& area, PaintValue value, bool eightWay)
{
    const PixelRect a = Intersected(area, picture.bounds());
    const PaintPicture before = picture;
    auto opaque = [&](int32_t x, int32_t y) { return before.contains({x, y}) && before.at({x, y}) != kSeeThrough; };
    PixelRect drawn;
    for (int32_t y = a.y; y < a.y + a.height; ++y)
        for (int32_t x = a.x; x < a.x + a.width; ++x) {
            if (before.at({x, y}) != kSeeThrough)
                continue;
            bool beside = opaque(x - 1, y) || opaque(x + 1, y) || opaque(x, y - 1) || opaque(x, y + 1);
            if (!beside && eightWay)
                beside = opaque(x - 1, y - 1) || opaque(x + 1, y - 1) || opaque(x - 1, y + 1) || opaque(x + 1, y + 1);
            if (beside) {
                picture.set({x, y}, value);
                drawn = United(drawn, PixelRect{x, y, 1, 1});
            }
        }
    return drawn;
}

}  // namespace velmora
