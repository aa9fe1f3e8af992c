// The gradient fill: the area of one colour under the press filled with an
// ordered dither that runs from one colour to another along the drag.
#pragma once

#include "core/paint/paint_picture.h"

namespace velmora {

// Fills the area joined by sides to `from` that has its value (as the fill
// finds it) with `first` before the line through `from` across the drag and
// `last` beyond the one through `to`, between them a 4x4 ordered dither
// whose share of `last` grows in 16 steps. A drag of no length fills with
// `first`. Returns the rectangle it drew in.
PixelRect DrawGradient(PaintPicture& picture, PixelPoint from, PixelPoint to, PaintValue first, PaintValue last);

}  // namespace velmora
