#include "core/paint/tool_loop.h"

#include "core/paint/fill.h"
#include "core/paint/gradient.h"
#include "core/paint/shapes.h"

namespace velmora {

namespace {

Ink InkOf(const ToolInput& input)
{
    Ink ink;
    ink.kind = input.parts.ink;
    ink.value = input.value;
    ink.other = input.other;
    ink.steps = input.shadeSteps;
    return ink;
}

}  // namespace

PixelRect ToolLoop::press(const ToolInput& input, PixelPoint at)
{
    release();
    at = Limited(at);
    input_ = input;
    ink_ = InkOf(input);
    start_ = at;
    mirrors_ = MirrorsOf(input.symmetry);
    drawn_ = PixelRect{};
    selectionAtPress_ = selection_;
    preview_.emplace(picture_);
    active_ = true;
    const ToolParts& parts = input.parts;
    switch (parts.controller) {
    case Controller::Freehand: {
        strokes_.clear();
        points_.clear();
        if (input.shift && lastPoint_ && parts.trace == Trace::Accumulate) {
            // Shift+click: a line from where the last stroke ended.
            drawFreehand(*lastPoint_);
        }
        return drawFreehand(at);
    }
    case Controller::TwoPoints:
        drawn_ = drawFigure(picture_, at);
        return drawn_;
    case Controller::Pick:
    case Controller::OnePoint: {
        const PixelRect area = drawFigure(picture_, at);
        active_ = false;  // done at the press
        preview_.reset();
        return area;
    }
    case Controller::Selection:
        if (selection_.contains(at.x, at.y)) {
            drag_ = Drag::Moving;
        } else {
            drag_ = Drag::Selecting;
            setSelection(Intersected(BoxBetween(at, at), picture_.bounds()));
        }
        return PixelRect{};
    }
    return PixelRect{};
}

PixelRect ToolLoop::drawFreehand(PixelPoint at)
{
    const ToolParts& parts = input_.parts;
    const Brush brush = parts.brushed ? input_.brush : Brush{};
    const bool perfect = parts.joining == Joining::PixelPerfect && input_.pixelPerfect;
    const PaintPicture* before = ink_.readsBefore() ? &preview_->atPress() : nullptr;
    auto strokeAll = [&](PaintPicture& picture, const std::vector<PixelPoint>& points) {
        PixelRect area;
        if (strokes_.empty() || parts.trace == Trace::Redraw) {
            strokes_.clear();
            for (size_t i = 0; i < mirrors_.size(); ++i)
                strokes_.emplace_back(picture, ink_, brush, perfect, before);
        }
        const std::vector<FootprintRow> footprint = Footprint(brush);
        Plotter dabs(picture, ink_, before, &footprint);
        for (PixelPoint p : points)
            for (size_t i = 0; i < mirrors_.size(); ++i) {
                const PixelPoint q = Mirrored(input_.symmetry, mirrors_[i], p);
                if (parts.joining == Joining::None)
                    dabs.plot(q);
                else
                    area = United(area, strokes_[i].to(q));
            }
        return United(area, dabs.drawn());
    };
    lastPoint_ = at;
    if (parts.trace == Trace::Accumulate) {
        const PixelRect area = strokeAll(picture_, {at});
        drawn_ = United(drawn_, area);
        return area;
    }
    points_.push_back(at);
    const PixelRect area = preview_->update(picture_, [&](PaintPicture& picture) { return strokeAll(picture, points_); });
    drawn_ = United(drawn_, area);
    return area;
}

PixelRect ToolLoop::drawFigure(PaintPicture& picture, PixelPoint at)
{
    const ToolParts& parts = input_.parts;
    const Figure figure = parts.figure;
    const bool square = input_.shift && figure != Figure::Line && figure != Figure::Fill && figure != Figure::Gradient;
    const PixelPoint end = square ? ConstrainToSquare(start_, at) : at;
    const std::vector<FootprintRow> footprint = Footprint(parts.brushed ? input_.brush : Brush{});
    const bool outline = figure == Figure::Line || figure == Figure::Rectangle || figure == Figure::Ellipse;
    const PaintPicture* before = ink_.readsBefore() ? &preview_->atPress() : nullptr;
    Plotter plot(picture, ink_, before, outline && footprint.size() > 1 ? &footprint : nullptr);
    PixelRect filled;
    for (Mirror m : mirrors_) {
        const PixelPoint a = Mirrored(input_.symmetry, m, start_), b = Mirrored(input_.symmetry, m, end);
        switch (figure) {
        case Figure::None: break;
        case Figure::Line: DrawLine(plot, a, b); break;
        case Figure::Rectangle: DrawRectangle(plot, a, b, false); break;
        case Figure::FilledRectangle: DrawRectangle(plot, a, b, true); break;
        case Figure::Ellipse: DrawEllipse(plot, a, b, false); break;
        case Figure::FilledEllipse: DrawEllipse(plot, a, b, true); break;
        case Figure::Fill:
            filled = United(filled, input_.shift ? ReplaceEverywhere(picture, b, input_.value)
                                                 : FloodFill(picture, b, input_.value));
            break;
        case Figure::Gradient: filled = United(filled, DrawGradient(picture, a, b, input_.value, input_.other)); break;
        }
    }
    return United(plot.drawn(), filled);
}

PixelRect ToolLoop::move(PixelPoint at)
{
    if (!active_)
        return PixelRect{};
    at = Limited(at);
    switch (input_.parts.controller) {
    case Controller::Freehand: return drawFreehand(at);
    case Controller::TwoPoints: {
        const PixelRect area =
            preview_->update(picture_, [&](PaintPicture& picture) { return drawFigure(picture, at); });
        drawn_ = United(drawn_, area);
        return area;
    }
    case Controller::Pick:
    case Controller::OnePoint: return PixelRect{};
    case Controller::Selection:
        if (drag_ == Drag::Selecting) {
            setSelection(Intersected(BoxBetween(start_, at), picture_.bounds()));
            return PixelRect{};
        } else {
            const int32_t dx = at.x - start_.x, dy = at.y - start_.y;
            const PixelRect from = selectionAtPress_;
            const bool copy = input_.control;
            const PixelRect area = preview_->update(
                picture_, [&](PaintPicture& picture) { return MoveArea(picture, from, dx, dy, copy); });
            drawn_ = United(drawn_, area);
            setSelection(Intersected(PixelRect{from.x + dx, from.y + dy, from.width, from.height}, picture_.bounds()));
            return area;
        }
    }
    return PixelRect{};
}

void ToolLoop::release()
{
    if (!active_)
        return;
    active_ = false;
    if (drag_ == Drag::Selecting && selection_.width == 1 && selection_.height == 1)
        setSelection(PixelRect{});  // a click without a drag selects nothing
    drag_ = Drag::None;
    strokes_.clear();
    points_.clear();
    preview_.reset();
}

PixelRect ToolLoop::cancel()
{
    if (!active_)
        return PixelRect{};
    const PixelRect area = RestoreArea(picture_, preview_->atPress(), drawn_);
    selection_ = selectionAtPress_;
    if (input_.parts.controller == Controller::Freehand)
        lastPoint_.reset();
    drag_ = Drag::None;
    release();
    return area;
}

}  // namespace velmora
