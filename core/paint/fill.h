// The bucket: flood fill and replacing a colour everywhere.
#pragma once

#include "core/paint/paint_picture.h"

namespace velmora {

// Fills the area of seed's value that is joined to it side by side (four
// ways) with `value`. See-through counts as a value of its own, so a fill
// stops at see-through and fills see-through areas alone.
PixelRect FloodFill(PaintPicture& picture, PixelPoint seed, PaintValue value);

// Every pixel of seed's value, joined to it or not, becomes `value`.
PixelRect ReplaceEverywhere(PaintPicture& picture, PixelPoint seed, PaintValue value);

}  // namespace velmora
