// A picture of any source as plain RGBA pixels, the form pictures come into
// the core in.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

// Four bytes a pixel (red, green, blue, alpha), rows top-down.
struct RgbaPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};

// A pixel with less alpha than this is see-through, unless the import asks
// for another threshold.
constexpr uint8_t kOpaqueAlpha = 128;

}  // namespace velmora
