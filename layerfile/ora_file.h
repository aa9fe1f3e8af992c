// OpenRaster (.ora): a zip of stack.xml and one PNG per layer.
#pragma once

#include "core/layers/room_scene.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

// The scene as an OpenRaster file: `mimetype` first and stored, stack.xml
// (top layer first), each layer a PNG as large as it is at its offset,
// `merged` as mergedimage.png and a thumbnail of at most 256x256.
std::vector<uint8_t> WriteOra(const Scene& scene, const RgbaPicture& merged);

// The layers of an OpenRaster file, groups walked down to their layers
// (their offsets added), bottom first. Every limit of layer_limits.h is
// checked before the memory it guards is taken; a file that breaks one, or
// is damaged, throws LayeredFileError with one line saying why.
Scene ReadOra(std::span<const uint8_t> bytes);

}  // namespace velmora
