// Rooms and bytes shared by the benchmarks.
#pragma once

#include "core/room/room_file.h"

#include <cstdint>
#include <vector>

namespace velmora::bench {

// A 1056-byte header template of zeros.
const std::vector<uint8_t>& ZeroTemplate();
// The built-in default room, and a room whose forty pictures are noise.
const RoomPictures& DefaultPictures();
const RoomPictures& NoisePictures();
const std::vector<uint8_t>& DefaultRoomBytes();
const std::vector<uint8_t>& NoiseRoomBytes();

}  // namespace velmora::bench
