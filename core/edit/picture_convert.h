// Pictures of any colour depth, with transparency, into a slot and out again.
#pragma once

#include "core/edit/picture_dither.h"
#include "core/edit/picture_fit.h"
#include "core/edit/rgba_picture.h"
#include "core/image/bitmap.h"
#include "core/room/room_file.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

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

// How a picture is taken into a slot; the defaults are ConvertToSlot's above.
struct ImportChoices {
    Fitting fit = Fitting::Exact;
    Dithering dither = Dithering::None;
    // A pixel with less alpha is see-through. 0 ignores the picture's alpha
    // (every pixel is drawn); 255 draws only fully opaque pixels. What the
    // fitting leaves uncovered is see-through whatever the threshold.
    uint8_t alphaThreshold = kOpaqueAlpha;
};

// ConvertToSlot of the picture brought to the slot's size by `choices.fit`
// (FitPicture, the scaled alpha judged by the threshold), a part's colours
// mapped by `choices.dither` (RoomIndices). A mask takes the same fitting
// and threshold; its light and dark pixels are not dithered. Throws
// std::invalid_argument as FitPicture does (Exact: the slot's size only).
// Quick enough to call on every change of a choice: a 640x480 picture into
// the room picture takes a few milliseconds.
SlotConversion ConvertToSlot(const RgbaPicture& picture, int slot, const ImportChoices& choices,
                             bool alwaysMask = false);

// The slot as a picture to hand out: a part with alpha 0 where its mask is
// see-through (white in the room palette) and 255 elsewhere; a mask in black
// and white, opaque. A mask of another size than its part is ignored.
RgbaPicture SlotToRgba(const RoomPictures& pictures, int slot);

// Any picture, opaque, colour for colour.
RgbaPicture BitmapToRgba(const Bitmap& picture);

// A part as it is drawn through `mask`: alpha 0 where the mask is
// see-through (white in the room palette), 255 elsewhere. A mask of another
// size is ignored.
RgbaPicture PartThroughMask(const Bitmap& picture, const Bitmap& mask);

}  // namespace velmora
