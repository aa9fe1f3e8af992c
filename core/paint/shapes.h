// Lines, rectangles and ellipses. Each draws `value` clipped to the picture
// and returns the rectangle it drew in. During a drag a shape is drawn anew
// on every move from the picture as it was at the press (DragPreview).
#pragma once

#include "core/paint/paint_picture.h"

#include <vector>

namespace velmora {

// The pixels of the line from a to b in that order, one per step of the
// longer axis; the same pixels from either end (a midway tie rounds down the
// screen, or right on steep lines, whichever end it starts from).
std::vector<PixelPoint> LinePoints(PixelPoint a, PixelPoint b);
PixelRect DrawLine(PaintPicture& picture, PixelPoint a, PixelPoint b, PaintValue value);

// a and b are opposite corners, both inside the shape, in any order.
PixelRect DrawRectangle(PaintPicture& picture, PixelPoint a, PixelPoint b, PaintValue value, bool filled);
// The ellipse inscribed in that box: the pixels whose centres lie inside it,
// and for the outline those of them with a side open to the outside.
PixelRect DrawEllipse(PaintPicture& picture, PixelPoint a, PixelPoint b, PaintValue value, bool filled);

// Shift's constraint: `end` moved so that the box from `start` is a square
// (a circle for the ellipse), as large as the longer side of the drag.
PixelPoint ConstrainToSquare(PixelPoint start, PixelPoint end);

}  // namespace velmora
