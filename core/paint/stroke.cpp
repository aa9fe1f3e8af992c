#include "core/paint/stroke.h"

#include "core/paint/plotter.h"
#include "core/paint/shapes.h"

#include <cstdlib>

namespace velmora {

namespace {

bool SideBySide(PixelPoint a, PixelPoint b)
{
    return std::abs(a.x - b.x) + std::abs(a.y - b.y) == 1;
}

bool Diagonal(PixelPoint a, PixelPoint b)
{
    return std::abs(a.x - b.x) == 1 && std::abs(a.y - b.y) == 1;
}

}  // namespace

std::optional<PixelPoint> PencilStroke::last() const
{
    if (!last_)
        return std::nullopt;
    return last_->at;
}

void PencilStroke::put(PixelPoint p, PaintValue v, PixelRect& area)
{
    if (!picture_.contains(p))
        return;
    picture_.set(p, v);
    area = United(area, PixelRect{p.x, p.y, 1, 1});
}

PixelRect PencilStroke::step(PixelPoint p)
{
    PixelRect area;
    const Visit visit{p, picture_.contains(p) ? picture_.at(p) : kSeeThrough};
    put(p, value_, area);
    if (pixelPerfect_ && previous_ && last_ && Diagonal(previous_->at, p) && SideBySide(previous_->at, last_->at) &&
        SideBySide(last_->at, p)) {
        // An L: the corner goes back to what it was, and the path runs
        // diagonally from the point before it.
        put(last_->at, last_->before, area);
        last_ = visit;
    } else {
        previous_ = last_;
        last_ = visit;
    }
    return area;
}

PixelRect PencilStroke::to(PixelPoint p)
{
    p = Limited(p);
    PixelRect area;
    if (!last_) {
        area = step(p);
    } else if (!(last_->at == p)) {
        const std::vector<PixelPoint> points = LinePoints(last_->at, p);
        for (size_t i = 1; i < points.size(); ++i)
            area = United(area, step(points[i]));
    }
    drawn_ = United(drawn_, area);
    return area;
}

}  // namespace velmora
