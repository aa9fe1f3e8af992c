// Sets pixels of one value, clipped to the picture, and keeps the rectangle
// it drew in: what every tool returns.
#pragma once

#include "core/paint/paint_picture.h"

#include <algorithm>

namespace velmora {

class Plotter {
public:
    Plotter(PaintPicture& picture, PaintValue value) : picture_(picture), value_(value) {}

    void plot(PixelPoint p)
    {
        if (picture_.contains(p)) {
            picture_.set(p, value_);
            mark(p.x, p.x, p.y);
        }
    }
    // Columns left..right of row y.
    void span(int32_t y, int32_t left, int32_t right)
    {
        if (y < 0 || y >= picture_.height)
            return;
        left = std::max(left, 0);
        right = std::min(right, picture_.width - 1);
        if (left > right)
            return;
        std::fill_n(&picture_.pixels[size_t(y) * size_t(picture_.width) + size_t(left)], right - left + 1, value_);
        mark(left, right, y);
    }
    PixelRect drawn() const { return drawn_; }

private:
    void mark(int32_t left, int32_t right, int32_t y) { drawn_ = United(drawn_, PixelRect{left, y, right - left + 1, 1}); }

    PaintPicture& picture_;
    PaintValue value_;
    PixelRect drawn_;
};

// p brought within kPaintCoordinateLimit of the origin.
inline PixelPoint Limited(PixelPoint p)
{
    return PixelPoint{std::clamp(p.x, -kPaintCoordinateLimit, kPaintCoordinateLimit),
                      std::clamp(p.y, -kPaintCoordinateLimit, kPaintCoordinateLimit)};
}

}  // namespace velmora
