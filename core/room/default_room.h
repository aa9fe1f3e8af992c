// The room the editor starts with: forty pictures built in code.
#pragma once

#include "core/room/room_file.h"

namespace velmora {

// Part pictures are 8-bit in the room palette; masks are 1-bit, white exactly
// where the picture is black (index 255), with white as entry 0 in the masks
// of slots 20 to 23 and 39 and black as entry 0 in the others.
RoomPictures DefaultRoomPictures();

// The colour table of the default room's mask in `maskSlot` (20-39), and
// whether white is its entry 0.
bool WhiteFirstMask(int maskSlot);
std::vector<RgbQuad> DefaultMaskColours(int maskSlot);

}  // namespace velmora
