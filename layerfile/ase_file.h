// Aseprite (.aseprite, .ase): one frame, RGBA, one layer per part, each cel
// at its place, zlib-compressed.
#pragma once

#include "core/layers/room_scene.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

std::vector<uint8_t> WriteAse(const Scene& scene);

// The layers of the first frame, bottom first, groups walked down to their
// layers; a layer without a cel in that frame is empty. RGBA, greyscale and
// indexed files are read (indexed through the old or new palette chunks,
// the transparent index see-through). Chunk sizes, cel sizes and inflated
// sizes are checked before anything is allocated: a file that breaks a
// limit or lies throws LayeredFileError.
Scene ReadAse(std::span<const uint8_t> bytes);

}  // namespace velmora
