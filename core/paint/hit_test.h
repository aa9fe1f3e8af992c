// Which part a click in the composed room means.
#pragma once

#include "core/render/compose.h"
#include "core/room/room_file.h"

namespace velmora {

// The picture slot drawn on top at room pixel (x, y) when the room is
// composed in `state`: the top-most layer whose mask draws there (the views
// beneath the room only where the room's mask does not draw); the room
// picture (slot 4) where no part is drawn, and outside the room.
int PartAt(const RoomPictures& pictures, const PreviewState& state, int32_t x, int32_t y);

}  // namespace velmora
