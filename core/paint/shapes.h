// Lines, rectangles and ellipses, sent as runs of pixels to a plotter (its
// ink and brush); the forms with a value draw that colour one pixel wide
// and return the rectangle they drew in. During a drag a shape is drawn
// anew on every move from the picture as it was at the press (DragPreview).
#pragma once

#include "core/paint/plotter.h"

#include <vector>

namespace velmora {

// The pixels of the line from a to b in that order, one per step of the
// longer axis; the same pixels from either end (a midway tie rounds down the
// screen, or right on steep lines, whichever end it starts from).
std::vector<PixelPoint> LinePoints(PixelPoint a, PixelPoint b);
void DrawLine(Plotter& plot, PixelPoint a, PixelPoint b);

// a and b are opposite corners, both inside the shape, in any order.
void DrawRectangle(Plotter& plot, PixelPoint a, PixelPoint b, bool filled);
// The ellipse inscribed in that box: the pixels whose centres lie inside it,
// and for the outline those of them with a side open to the outside.
void DrawEllipse(Plotter& plot, PixelPoint a, PixelPoint b, bool filled);

inline PixelRect DrawLine(PaintPicture& picture, PixelPoint a, PixelPoint b, PaintValue value)
{
    const Ink ink = ColourInk(value);
    Plotter plot(picture, ink);
    DrawLine(plot, a, b);
    return plot.drawn();
}
inline PixelRect DrawRectangle(PaintPicture& picture, PixelPoint a, PixelPoint b, PaintValue value, bool filled)
{
    const Ink ink = ColourInk(value);
    Plotter plot(picture, ink);
    DrawRectangle(plot, a, b, filled);
    return plot.drawn();
}
inline PixelRect DrawEllipse(PaintPicture& picture, PixelPoint a, PixelPoint b, PaintValue value, bool filled)
{
    const Ink ink = ColourInk(value);
    Plotter plot(picture, ink);
    DrawEllipse(plot, a, b, filled);
    return plot.drawn();
}

// Shift's constraint: `end` moved so that the box from `start` is a square
// (a circle for the ellipse), as large as the longer side of the drag.
PixelPoint ConstrainToSquare(PixelPoint start, PixelPoint end);

}  // namespace velmora
