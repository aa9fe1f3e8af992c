#include "core/paint/shapes.h"

#include "core/paint/plotter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora {

namespace {

// The half-width of an ellipse row in doubled coordinates: the largest d of
// the parity of w - 1 with (d h)^2 + (dy w)^2 <= (w h)^2, or -1 when the row
// lies outside. dy is the row's doubled distance from the centre.
int64_t HalfSpan(int64_t w, int64_t h, int64_t dy)
{
    const int64_t limit = w * w * h * h - dy * dy * w * w;
    if (limit < 0)
        return -1;
    int64_t d = int64_t(std::sqrt(double(limit) / double(h * h)));
    while (d * d * h * h > limit)
        --d;
    while ((d + 1) * (d + 1) * h * h <= limit)
        ++d;
    if ((d - (w - 1)) % 2 != 0)
        --d;
    return d;
}

// The box with corners a and b, both inside it: left, top, right, bottom.
struct Box {
    int32_t left, top, right, bottom;
};

Box BoxOf(PixelPoint a, PixelPoint b)
{
    const PixelRect r = BoxBetween(a, b);
    return Box{r.x, r.y, r.x + r.width - 1, r.y + r.height - 1};
}

}  // namespace

std::vector<PixelPoint> LinePoints(PixelPoint a, PixelPoint b)
{
    a = Limited(a);
    b = Limited(b);
    const bool steep = std::abs(b.y - a.y) > std::abs(b.x - a.x);
    // Walk from the end with the smaller coordinate on the longer axis, so
    // that either end gives the same pixels.
    const bool reversed = steep ? b.y < a.y : b.x < a.x;
    const PixelPoint from = reversed ? b : a, to = reversed ? a : b;
    const int64_t major = steep ? to.y - from.y : to.x - from.x;
    const int64_t minor = steep ? to.x - from.x : to.y - from.y;
    std::vector<PixelPoint> points;
    points.reserve(size_t(major + 1));
    for (int64_t i = 0; i <= major; ++i) {
        const int32_t offset = major == 0 ? 0 : int32_t(FloorDiv(2 * i * minor + major, 2 * major));
        points.push_back(steep ? PixelPoint{from.x + offset, from.y + int32_t(i)}
                               : PixelPoint{from.x + int32_t(i), from.y + offset});
    }
    if (reversed)
        std::reverse(points.begin(), points.end());
    return points;
}

void DrawLine(Plotter& plot, PixelPoint a, PixelPoint b)
{
    for (PixelPoint p : LinePoints(a, b))
        plot.plot(p);
}

void DrawRectangle(Plotter& plot, PixelPoint a, PixelPoint b, bool filled)
{
    const auto [left, top, right, bottom] = BoxOf(a, b);
    // Rows beyond the brush's reach of the picture draw nothing; the bound
    // keeps a rectangle far off the picture quick.
    const int32_t first = std::max(top, -kBrushMaxSize), last = std::min(bottom, plot.rows() + kBrushMaxSize);
    for (int32_t y = first; y <= last; ++y) {
        if (filled || y == top || y == bottom) {
            plot.span(y, left, right);
        } else {
            plot.plot({left, y});
            plot.plot({right, y});
        }
    }
}

void DrawEllipse(Plotter& plot, PixelPoint a, PixelPoint b, bool filled)
{
    const Box box = BoxOf(a, b);  // named, not unpacked: the lambda below uses it
    const int32_t left = box.left, top = box.top, right = box.right, bottom = box.bottom;
    const int64_t w = right - left + 1, h = bottom - top + 1;
    // Row y covers columns (left + right -/+ half) / 2; -1 leaves it empty.
    auto halfOf = [&](int32_t y) {
        return y < top || y > bottom ? int64_t{-1} : HalfSpan(w, h, 2 * int64_t(y) - top - bottom);
    };
    const int32_t firstRow = std::max(top, -kBrushMaxSize), lastRow = std::min(bottom, plot.rows() + kBrushMaxSize);
    for (int32_t y = firstRow; y <= lastRow; ++y) {
        const int64_t half = halfOf(y);
        if (half < 0)
            continue;
        const int32_t from = int32_t((left + right - half) / 2), to = int32_t((left + right + half) / 2);
        if (filled) {
            plot.span(y, from, to);
            continue;
        }
        // A pixel of the outline has a side open to the outside: it ends its
        // row, or the row above or below does not reach it.
        const int64_t narrower = std::min(halfOf(y - 1), halfOf(y + 1));
        if (narrower < 0) {
            plot.span(y, from, to);
            continue;
        }
        const int32_t innerFrom = int32_t((left + right - narrower) / 2), innerTo = int32_t((left + right + narrower) / 2);
        plot.span(y, from, std::max(from, innerFrom - 1));
        plot.span(y, std::min(to, innerTo + 1), to);
    }
}

PixelPoint ConstrainToSquare(PixelPoint start, PixelPoint end)
{
    start = Limited(start);
    end = Limited(end);
    const int32_t dx = end.x - start.x, dy = end.y - start.y;
    const int32_t side = std::max(std::abs(dx), std::abs(dy));
    return PixelPoint{start.x + (dx < 0 ? -side : side), start.y + (dy < 0 ? -side : side)};
}

}  // namespace velmora
