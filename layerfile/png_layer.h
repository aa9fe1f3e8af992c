// A layer's pixels as PNG, read with its size checked before it is decoded.
#pragma once

#include "core/edit/rgba_picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

std::vector<uint8_t> EncodeLayerPng(const RgbaPicture& picture, bool opaque);
// The picture scaled to fit `side` x `side`, keeping its shape.
std::vector<uint8_t> EncodeThumbnailPng(const RgbaPicture& picture, int side);

// Refused (LayeredFileError naming `name`) when the bytes are not a PNG,
// when its header claims more than kLayeredMaxSide a side or
// kLayeredMaxLayerPixels, or when with the `pixelsSoFar` of the layers
// before it the file would pass kLayeredMaxPixels; adds its own to them.
RgbaPicture DecodeLayerPng(const std::vector<uint8_t>& png, const std::string& name, int64_t& pixelsSoFar);

// Refused as DecodeLayerPng refuses a layer of that size.
void CheckLayerSize(int64_t width, int64_t height, const std::string& name, int64_t& pixelsSoFar);

}  // namespace velmora
