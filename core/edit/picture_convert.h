// Pictures of any colour depth, with transparency, into a slot and out again.
#pragma once

#include "core/image/bitmap.h"
#include "core/room/room_file.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

// Four bytes a pixel (red, green, blue, alpha), rows top-down.
struct RgbaPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};

// A pixel with less alpha than this is see-through.
constexpr uint8_t kOpaqueAlpha = 128;

// What a picture becomes in a slot: the slot's picture and, for a part with
// see-through pixels, its new mask (slot part + 20).
struct SlotConversion {
    Bitmap picture;
    std::optional<Bitmap> mask;
};

bool FitsSlot(const RgbaPicture& picture, int slot);

// A picture of the slot's size (FitsSlot; std::invalid_argument otherwise)
// in the slot's form.
// - A part (0-19) becomes 8-bit in the room palette: an opaque pixel takes
//   the room colour nearest to it, a see-through one is black (index 255)
//   and white in the new mask. Without see-through pixels the mask is left,
//   unless `alwaysMask` asks for one (then all black).
// - A mask (20-39) becomes 1-bit: white where the pixel is see-through or
//   light (luma (299 R + 587 G + 114 B) / 1000 of 128 or more), black elsewhere.
// Masks take the colour table, and its order, of the default room's mask of
// the slot.
SlotConversion ConvertToSlot(const RgbaPicture& picture, int slot, bool alwaysMask = false);

// The slot as a picture to hand out: a part with alpha 0 where its mask is
// see-through (white in the room palette) and 255 elsewhere; a mask in black
// and white, opaque. A mask of another size than its part is ignored.
RgbaPicture SlotToRgba(const RoomPictures& pictures, int slot);

// Any picture, opaque, colour for colour.
RgbaPicture BitmapToRgba(const Bitmap& picture);

}  // namespace velmora
