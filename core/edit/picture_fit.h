// Pictures of another size brought to the size of a slot: scaled, cropped or
// placed, with what they do not cover left see-through.
#pragma once

#include "core/edit/rgba_picture.h"

#include <cstdint>

namespace velmora {

enum class Fitting {
    Exact,    // the picture must have the size already
    Contain,  // scaled to fit inside, keeping its shape, in the middle; the rest see-through
    Cover,    // scaled to cover, keeping its shape; the middle is kept, the rest cut off
    Crop,     // 1:1 at the top-left; what sticks out is cut off, what is not covered see-through
};

// `picture` in a frame of width x height as `fit` says. Uncovered pixels are
// black with alpha 0. A picture of the frame's size comes back unchanged
// under every choice. Scaling averages the area of the source each pixel
// covers (alpha-weighted, so see-through pixels lend no colour): whole-number
// enlargements repeat pixels exactly, so pixel art stays sharp, and
// reductions of photos do not alias. Integer arithmetic throughout.
// std::invalid_argument for Exact and another size, for an empty picture,
// and for a side beyond kMaxBmpSide.
RgbaPicture FitPicture(const RgbaPicture& picture, int32_t width, int32_t height, Fitting fit);

}  // namespace velmora
