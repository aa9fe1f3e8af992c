// Pictures of any colours into the room palette, plainly or dithered.
#pragma once

#include "core/edit/rgba_picture.h"

#include <cstdint>
#include <vector>

namespace velmora {

enum class Dithering {
    None,            // each pixel the nearest room colour
    FloydSteinberg,  // error diffusion, rows in alternate directions
    Ordered,         // 8x8 Bayer thresholds
};

// The room palette index of each pixel of `picture`, rows top-down. A pixel
// with alpha below `alphaThreshold` is see-through: black (kBlackIndex), and
// under Floyd-Steinberg it neither takes nor passes error. A picture of room
// colours comes out as None gives it under every choice. Integer arithmetic
// only, so every platform gives the same indices.
// - None: the room colour nearest to the pixel (NearestRoomIndex's rule).
// - FloydSteinberg: the difference between the colour wanted and the room
//   colour chosen goes 7/16 ahead, 3/16, 5/16 and 1/16 to the row below,
//   kept in sixteenths of a level; the row direction alternates.
// - Ordered: each pixel is moved by its Bayer threshold before the nearest
//   colour is taken, by at most half the room palette's spacing around it
//   (51 levels in the colour cube, 17 among the ramps), so that no room
//   colour is moved off itself.
std::vector<uint8_t> RoomIndices(const RgbaPicture& picture, Dithering dithering,
                                 uint8_t alphaThreshold = kOpaqueAlpha);

}  // namespace velmora
