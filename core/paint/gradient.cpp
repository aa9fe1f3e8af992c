#include "core/paint/gradient.h"

#include "core/paint/fill.h"
#include "core/paint/plotter.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

// The 4x4 ordered-dither thresholds: each step of 16 adds pixels spread evenly.
constexpr std::array<std::array<int, 4>, 4> kThreshold = {{{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}}};

// A value no pixel holds: what marks the area to fill.
constexpr PaintValue kMarked = kSeeThrough + 1;

}  // namespace

PixelRect DrawGradient(PaintPicture& picture, PixelPoint from, PixelPoint to, PaintValue first, PaintValue last)
{
    if (!picture.contains(from))
        return PixelRect{};
    from = Limited(from);
    to = Limited(to);
    // The area is what the fill would fill: found by filling a copy with a mark.
    PaintPicture area = picture;
    const PixelRect box = FloodFill(area, from, kMarked);
    const int64_t dx = to.x - from.x, dy = to.y - from.y;
    const int64_t length2 = dx * dx + dy * dy;
    for (int32_t y = box.y; y < box.y + box.height; ++y) {
        const size_t row = size_t(y) * size_t(picture.width);
        for (int32_t x = box.x; x < box.x + box.width; ++x) {
            if (area.pixels[row + size_t(x)] != kMarked)
                continue;
            // The share of the way along the drag, in sixteenths, rounded.
            const int64_t along = (x - from.x) * dx + (y - from.y) * dy;
            const int64_t level = length2 == 0 ? 0 : std::clamp<int64_t>((32 * along + length2) / (2 * length2), 0, 16);
            picture.pixels[row + size_t(x)] = level > kThreshold[size_t(y & 3)][size_t(x & 3)] ? last : first;
        }
    }
    return box;
}

}  // namespace velmora
