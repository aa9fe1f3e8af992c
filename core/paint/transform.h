// Transforms of a block of pixels (a selection, or the whole picture):
// flips, quarter turns, whole-number scale, and an outline round what is opaque.
#pragma once

#include "core/paint/paint_picture.h"

namespace velmora {

enum class Turn { Clockwise, Anticlockwise, Half };

PaintPicture FlippedHorizontally(const PaintPicture& block);
PaintPicture FlippedVertically(const PaintPicture& block);
// A quarter turn swaps the block's width and height.
PaintPicture Turned(const PaintPicture& block, Turn turn);
// Each pixel becomes factor x factor pixels (nearest neighbour); factor >= 1.
PaintPicture Scaled(const PaintPicture& block, int32_t factor);

// Every see-through pixel of `area` beside an opaque one (side by side, or
// with eightWay corner to corner too) becomes `value`: an outline outside
// the shapes. Returns the rectangle it drew in.
PixelRect Outline(PaintPicture& picture, const PixelRect& area, PaintValue value, bool eightWay);

}  // namespace velmora
