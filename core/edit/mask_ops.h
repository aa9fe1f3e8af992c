// Pictures derived from other pictures of the room: masks, cut-outs, pastes.
#pragma once

#include "core/image/bitmap.h"
#include "core/room/room_file.h"
#include "core/room/slot_table.h"

namespace velmora {

// 1-bit pictures made here carry black as entry 0 and white as entry 1.

// The mask of a part picture: white (see-through) exactly where the pixel's
// colour is pure black (0, 0, 0), black everywhere else. Any depth.
Bitmap MakeMaskFromPicture(const Bitmap& picture);

// A mask copied from a picture: white exactly where the pixel's colour is
// pure white (255, 255, 255), black everywhere else. Any depth.
Bitmap MaskFromImageWhite(const Bitmap& picture);

// The part picture redrawn from the room area columns rect.left..rect.right,
// rows rect.top..rect.bottom, scaled nearest-neighbour onto the whole part
// (the bubble's 73 columns become 82). Keeps the part's size, depth and colour
// table: index for index when the room has the same table, otherwise the
// nearest colour of the part's table (a 24-bit part takes the colour itself).
// Part pixels whose source would lie outside the room picture keep their value.
Bitmap CopyFromRoomView(const Bitmap& room, const Placement& rect, const Bitmap& part);

// CopyFromRoomView for part slot `part` at its placement.
Bitmap CopyPartFromRoom(const RoomPictures& pictures, int part);

// The furniture that can be burnt into the room picture, drawn in this order.
struct PasteChoice {
    bool bed = false;
    bool treasureBox = false;
    bool table = false;
    bool mailbox = false;
    bool bathTub = false;
};

// A copy of the room picture with the chosen parts drawn through their masks
// at their placements (slots 8, 10, 12, 13, 15). The copy keeps the room
// picture's size, depth and colour table; an 8-bit room is drawn on index for
// index. A room of another depth is drawn on by its nearest room-palette
// colours, and only pixels the drawing changed are written back, in the
// room's own form.
Bitmap PasteParts(const RoomPictures& pictures, const PasteChoice& choice);

}  // namespace velmora
