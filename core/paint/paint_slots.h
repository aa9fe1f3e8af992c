// The painter's picture of a slot, made from the room's pictures and written
// back into them.
#pragma once

#include "core/paint/paint_picture.h"
#include "core/room/room_file.h"

#include <vector>

namespace velmora {

// Whether `mask` lets its part be drawn at (x, y): the pixel's colour is
// black as the masked draw sees it (its nearest room colour is index 255).
// Outside the mask nothing is drawn.
bool MaskDrawsAt(const Bitmap& mask, int32_t x, int32_t y);

// The painter's picture of `slot`, of the slot's size:
// - a part (0-19) as the preview draws it, through DrawMaskOf(slot) (the
//   night views through the day views' masks): the room index of its pixel
//   where that mask draws, see-through elsewhere and where either picture
//   is smaller than the slot;
// - a mask (20-39) in two values: kBlackIndex where it draws, see-through elsewhere.
PaintPicture ReadPaintPicture(const RoomPictures& pictures, int slot);

struct PaintWriteBack {
    std::vector<int> changedSlots;  // the slots that changed, ascending: one step of the history
    PixelRect area;                 // where they changed, in the slot's coordinates
    std::vector<int> reformed;      // slots put in the slot's standard form first (below)
};

// Writes the pixels of `picture` (ReadPaintPicture's of `slot`, painted on)
// inside `area` back into the pictures the slot is read from:
// - a colour makes the mask draw there and, for a part, the part pixel that
//   colour (a mask slot takes any colour as "draws");
// - see-through makes the mask not draw there (pure white), and makes every
//   part drawn through that mask black (index 255) there, so nothing of it
//   blends into the room: the day and night views share a mask, so erasing
//   one blackens both.
// Pixels already right are left as they are, byte for byte.
// Each picture keeps its form (size, depth, colour table and its order) when
// its table holds the colours to be written exactly: a part's painted colours
// and black, a mask's pure black and white. A picture that does not, or that
// has a depth or size its slot refuses, is put in the slot's standard form
// first and listed in `reformed`: a part 8-bit in the room palette, each
// pixel its nearest room colour (as the preview shows it); a mask 1-bit with
// the default room's colour table for the slot. The area is then the whole slot.
// Throws std::invalid_argument when `picture` is not of the slot's size or
// holds a value above kSeeThrough.
PaintWriteBack WritePaintPicture(RoomPictures& pictures, int slot, const PaintPicture& picture,
                                 const PixelRect& area);

}  // namespace velmora
