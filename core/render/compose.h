// The room composed in one state: parts drawn through their masks.
#pragma once

#include "core/image/bitmap.h"
#include "core/room/room_file.h"
#include "core/room/slot_table.h"

namespace velmora {

// Draws the top-left sourceSize.width x sourceSize.height pixels of `part`
// through `mask` onto `target`'s rectangle (right and bottom included), which
// must be an 8-bit picture indexed in the room palette:
//   target |= room index of the mask pixel's colour; target &= room index of
//   the part pixel's colour.
// So a black mask pixel (255) lets the part's pixel through, a white one (0)
// leaves the target ANDed with the part, unchanged under a black part pixel.
// - Colours become room indices by nearest colour; a picture already in the
//   room palette is used index for index. This holds for masks too: a grey
//   mask pixel ORs in its nearest room index, like any other colour.
// - When the rectangle and the source size differ (the bubble's 82 columns in
//   73), both pictures are sampled nearest-neighbour, see SampleCoordinate.
// - Where the part or the mask is smaller than the source size, the missing
//   area is see-through: the target keeps its pixel. Larger pictures give only
//   their top-left source size. Nothing outside the target is touched.
// Throws std::invalid_argument when the target is not 8 bits per pixel.
void DrawMaskedPart(Bitmap& target, const Placement& targetRect, const Bitmap& part, const Bitmap& mask,
                    PartSize sourceSize);

// Draws part slot `part` through its mask slot at its own placement and size.
void DrawSlotPart(Bitmap& target, const RoomPictures& pictures, int part);

enum class DoorState { Closed, HalfOpen, Open };

struct PreviewState {
    bool night = false;
    DoorState door = DoorState::Closed;
    bool treasureBoxOpen = false;
    bool bedSleeping = false;
    bool lettersAndBubble = false;

    friend bool operator==(const PreviewState&, const PreviewState&) = default;
};

// Composes the room for `state` into `out`: 320x240, 8 bits, room palette.
// `out` is reused when it already has that form. Starts from white each time,
// so composing twice gives the picture of composing once.
void ComposeRoom(const RoomPictures& pictures, const PreviewState& state, Bitmap& out);

}  // namespace velmora
