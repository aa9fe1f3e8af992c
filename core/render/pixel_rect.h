// A rectangle of pixels, the area a drawing changed, in the coordinates of
// the picture it was drawn on.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace velmora {

struct PixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    int64_t right() const { return int64_t{x} + width - 1; }  // last column
    int64_t bottom() const { return int64_t{y} + height - 1; }  // last row
    bool contains(int32_t px, int32_t py) const
    {
        return px >= x && py >= y && int64_t{px} < int64_t{x} + width && int64_t{py} < int64_t{y} + height;
    }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The smallest rectangle holding both; an empty one adds nothing.
inline PixelRect United(const PixelRect& a, const PixelRect& b)
{
    if (a.empty())
        return b.empty() ? PixelRect{} : b;
    if (b.empty())
        return a;
    // In 64 bits: a rectangle far off a picture must not overflow.
    const int64_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int64_t right = std::max(int64_t{a.x} + a.width, int64_t{b.x} + b.width);
    const int64_t bottom = std::max(int64_t{a.y} + a.height, int64_t{b.y} + b.height);
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return PixelRect{int32_t(left), int32_t(top), int32_t(std::min(right - left, kMax)),
                     int32_t(std::min(bottom - top, kMax))};
}

// The part both share; empty when none.
inline PixelRect Intersected(const PixelRect& a, const PixelRect& b)
{
    if (a.empty() || b.empty())
        return PixelRect{};
    const int64_t left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int64_t right = std::min(int64_t{a.x} + a.width, int64_t{b.x} + b.width);
    const int64_t bottom = std::min(int64_t{a.y} + a.height, int64_t{b.y} + b.height);
    if (right <= left || bottom <= top)
        return PixelRect{};
    return PixelRect{int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
}

}  // namespace velmora
