// What the canvas draws over the picture: the brush's footprint round the
// pixel under the mouse, and the symmetry axes.
#include "ui/painter/paint_canvas.h"

#include <QPainter>

#include <set>
#include <utility>

namespace velmora {

void PaintCanvas::setFootprint(std::vector<FootprintRow> footprint)
{
    if (hovered_)
        updateCells(footprintBox(*hovered_));
    footprint_ = std::move(footprint);
    if (hovered_)
        updateCells(footprintBox(*hovered_));
}

void PaintCanvas::setAxes(std::optional<int32_t> axisX2, std::optional<int32_t> axisY2)
{
    if (axisX2 == axisX2_ && axisY2 == axisY2_)
        return;
    axisX2_ = axisX2;
    axisY2_ = axisY2;
    viewport()->update();
}

QRect PaintCanvas::footprintBox(QPoint at) const
{
    QRect box;
    for (const FootprintRow& row : footprint_)
        box |= QRect(QPoint(at.x() + row.dx1, at.y() + row.dy), QPoint(at.x() + row.dx2, at.y() + row.dy));
    return box.adjusted(-1, -1, 1, 1);
}

void PaintCanvas::setHovered(std::optional<QPoint> pixel)
{
    if (pixel == hovered_)
        return;
    if (hovered_)
        updateCells(footprintBox(*hovered_));
    hovered_ = pixel;
    if (hovered_)
        updateCells(footprintBox(*hovered_));
}

void PaintCanvas::drawOverlay(QPainter& painter, const Geometry& g) const
{
    if (!picture_)
        return;
    const QRect part(g.origin, QSize(picture_->width, picture_->height) * g.cell);
    // An axis through a pixel's middle (even) or between two pixels (odd).
    painter.setPen(QPen(QColor(0, 160, 255), 1));
    if (axisX2_) {
        const int x = g.origin.x() + (*axisX2_ + 1) * g.cell / 2;
        painter.drawLine(x, part.top(), x, part.bottom());
    }
    if (axisY2_) {
        const int y = g.origin.y() + (*axisY2_ + 1) * g.cell / 2;
        painter.drawLine(part.left(), y, part.right(), y);
    }
    if (!hovered_ || footprint_.empty() || g.cell < 2)
        return;
    // The footprint's outline: each side of a covered pixel that a covered pixel does not share.
    std::set<std::pair<int, int>> covered;
    for (const FootprintRow& row : footprint_)
        for (int dx = row.dx1; dx <= row.dx2; ++dx)
            covered.insert({hovered_->x() + dx, hovered_->y() + row.dy});
    auto in = [&](int x, int y) { return covered.count({x, y}) != 0; };
    for (const QColor& colour : {QColor(Qt::white), QColor(Qt::black)}) {
        painter.setPen(QPen(colour, 1, colour == Qt::black ? Qt::DotLine : Qt::SolidLine));
        for (const auto& [x, y] : covered) {
            const int left = g.origin.x() + x * g.cell, top = g.origin.y() + y * g.cell;
            const int right = left + g.cell - 1, bottom = top + g.cell - 1;
            if (!in(x, y - 1))
                painter.drawLine(left, top, right, top);
            if (!in(x, y + 1))
                painter.drawLine(left, bottom, right, bottom);
            if (!in(x - 1, y))
                painter.drawLine(left, top, left, bottom);
            if (!in(x + 1, y))
                painter.drawLine(right, top, right, bottom);
        }
    }
}

}  // namespace velmora
