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

PencilStroke::PencilStroke(PaintPicture& picture, const Ink& ink, const Brush& brush, bool pixelPerfect,
                           const PaintPicture* before)
    : picture_(picture), ink_(ink), footprint_(Footprint(brush)), pixelPerfect_(pixelPerfect && brush.size <= 1),
      before_(before)
{
}

std::optional<PixelPoint> PencilStroke::last() const
{
    if (!last_)
        return std::nullopt;
    return last_->at;
}

PixelRect PencilStroke::step(PixelPoint p)
{
    const Visit visit{p, picture_.contains(p) ? picture_.at(p) : kSeeThrough};
    Plotter plot(picture_, ink_, before_, footprint_.size() == 1 ? nullptr : &footprint_);
    plot.plot(p);
    if (pixelPerfect_ && previous_ && last_ && Diagonal(previous_->at, p) && SideBySide(previous_->at, last_->at) &&
        SideBySide(last_->at, p)) {
        // An L: the corner goes back to what it was, and the path runs
        // diagonally from the point before it.
        plot.put(last_->at, last_->before);
        last_ = visit;
    } else {
        previous_ = last_;
        last_ = visit;
    }
    return plot.drawn();
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
