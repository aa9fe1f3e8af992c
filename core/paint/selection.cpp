#include "core/paint/selection.h"

#include "core/paint/plotter.h"

#include <algorithm>
#include <stdexcept>

namespace velmora {

PaintPicture CopyArea(const PaintPicture& picture, const PixelRect& area)
{
    const PixelRect a = Intersected(area, picture.bounds());
    PaintPicture block = PaintPicture::Make(a.width, a.height);
    for (int32_t y = 0; y < a.height; ++y) {
        const auto from = picture.pixels.begin() + ptrdiff_t(size_t(a.y + y) * size_t(picture.width) + size_t(a.x));
        std::copy_n(from, a.width, block.pixels.begin() + ptrdiff_t(size_t(y) * size_t(a.width)));
    }
    return block;
}

PixelRect PlaceBlock(PaintPicture& picture, const PaintPicture& block, PixelPoint at)
{
    at = Limited(at);
    const PixelRect a = Intersected(PixelRect{at.x, at.y, block.width, block.height}, picture.bounds());
    for (int32_t y = a.y; y < a.y + a.height; ++y) {
        const auto from = block.pixels.begin() + ptrdiff_t(size_t(y - at.y) * size_t(block.width) + size_t(a.x - at.x));
        std::copy_n(from, a.width, picture.pixels.begin() + ptrdiff_t(size_t(y) * size_t(picture.width) + size_t(a.x)));
    }
    return a;
}

PixelRect ClearArea(PaintPicture& picture, const PixelRect& area)
{
    const PixelRect a = Intersected(area, picture.bounds());
    for (int32_t y = a.y; y < a.y + a.height; ++y)
        std::fill_n(picture.pixels.begin() + ptrdiff_t(size_t(y) * size_t(picture.width) + size_t(a.x)), a.width,
                    kSeeThrough);
    return a;
}

PixelRect MoveArea(PaintPicture& picture, const PixelRect& area, int32_t dx, int32_t dy, bool copy)
{
    const PixelRect a = Intersected(area, picture.bounds());
    if (a.empty())
        return PixelRect{};
    const PaintPicture block = CopyArea(picture, a);
    const PixelRect cleared = copy ? PixelRect{} : ClearArea(picture, a);
    // Beyond twice the picture's size nothing lands inside; the bound keeps the sums small.
    const int32_t reachX = 2 * picture.width, reachY = 2 * picture.height;
    const PixelPoint to{a.x + std::clamp(dx, -reachX, reachX), a.y + std::clamp(dy, -reachY, reachY)};
    return United(cleared, PlaceBlock(picture, block, to));
}

PixelRect RestoreArea(PaintPicture& picture, const PaintPicture& from, const PixelRect& area)
{
    if (from.width != picture.width || from.height != picture.height)
        throw std::invalid_argument("the pictures to restore from and into differ in size");
    const PixelRect a = Intersected(area, picture.bounds());
    return PlaceBlock(picture, CopyArea(from, a), PixelPoint{a.x, a.y});
}

}  // namespace velmora
