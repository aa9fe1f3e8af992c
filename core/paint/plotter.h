// Where the drawing routines send their pixels: runs of columns on a row,
// stamped with the brush's footprint, clipped to the picture, made what the
// ink makes them; it keeps the rectangle drawn in, what every tool returns.
#pragma once

#include "core/paint/brush.h"
#include "core/paint/ink.h"
#include "core/paint/paint_picture.h"

#include <algorithm>
#include <vector>

namespace velmora {

class Plotter {
public:
    // `before`, of the picture's size, is what inks that read a pixel read
    // (the picture itself when null); `footprint` null stamps one pixel.
    Plotter(PaintPicture& picture, const Ink& ink, const PaintPicture* before = nullptr,
            const std::vector<FootprintRow>* footprint = nullptr)
        : picture_(picture), ink_(ink), before_(before ? *before : picture), footprint_(footprint)
    {
    }

    void plot(PixelPoint p) { span(p.y, p.x, p.x); }
    // Columns left..right of row y, each stamped with the footprint.
    void span(int32_t y, int32_t left, int32_t right)
    {
        if (!footprint_) {
            fill(y, left, right);
            return;
        }
        for (const FootprintRow& row : *footprint_)
            fill(y + row.dy, left + row.dx1, right + row.dx2);
    }
    // One pixel set to v as it stands, whatever the ink and the brush.
    void put(PixelPoint p, PaintValue v)
    {
        if (picture_.contains(p)) {
            picture_.set(p, v);
            mark(p.x, p.x, p.y);
        }
    }
    PixelRect drawn() const { return drawn_; }
    int32_t rows() const { return picture_.height; }

private:
    void fill(int32_t y, int32_t left, int32_t right)
    {
        if (y < 0 || y >= picture_.height)
            return;
        left = std::max(left, 0);
        right = std::min(right, picture_.width - 1);
        if (left > right)
            return;
        const size_t first = size_t(y) * size_t(picture_.width) + size_t(left);
        ink_.apply(&picture_.pixels[first], &before_.pixels[first], right - left + 1);
        mark(left, right, y);
    }
    void mark(int32_t left, int32_t right, int32_t y) { drawn_ = United(drawn_, PixelRect{left, y, right - left + 1, 1}); }

    PaintPicture& picture_;
    const Ink& ink_;
    const PaintPicture& before_;
    const std::vector<FootprintRow>* footprint_;
    PixelRect drawn_;
};

// p brought within kPaintCoordinateLimit of the origin.
inline PixelPoint Limited(PixelPoint p)
{
    return PixelPoint{std::clamp(p.x, -kPaintCoordinateLimit, kPaintCoordinateLimit),
                      std::clamp(p.y, -kPaintCoordinateLimit, kPaintCoordinateLimit)};
}

// The pixels from a to b, both included (a drag's box), brought within the limit.
inline PixelRect BoxBetween(PixelPoint a, PixelPoint b)
{
    a = Limited(a);
    b = Limited(b);
    const int32_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    return PixelRect{left, top, std::max(a.x, b.x) - left + 1, std::max(a.y, b.y) - top + 1};
}

}  // namespace velmora
