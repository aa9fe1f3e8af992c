// A rectangle of pixels, the area a drawing changed, in the coordinates of
// the picture it was drawn on.
#pragma once

#include <algorithm>
#include <cstdint>

namespace velmora {

struct PixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    int32_t right() const { return x + width - 1; }  // last column
    int32_t bottom() const { return y + height - 1; }  // last row
    bool contains(int32_t px, int32_t py) const { return px >= x && py >= y && px < x + width && py < y + height; }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The smallest rectangle holding both; an empty one adds nothing.
inline PixelRect United(const PixelRect& a, const PixelRect& b)
{
    if (a.empty())
        return b.empty() ? PixelRect{} : b;
    if (b.empty())
        return a;
    const int32_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int32_t right = std::max(a.right(), b.right()), bottom = std::max(a.bottom(), b.bottom());
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

// The part both share; empty when none.
inline PixelRect Intersected(const PixelRect& a, const PixelRect& b)
{
    const int32_t left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int32_t right = std::min(a.right(), b.right()), bottom = std::min(a.bottom(), b.bottom());
    if (a.empty() || b.empty() || right < left || bottom < top)
        return PixelRect{};
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

}  // namespace velmora
