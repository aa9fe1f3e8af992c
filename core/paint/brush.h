// The footprint a tool stamps at each point of its path: a square or a
// round of 1 to 16 pixels, as runs of columns row by row.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

enum class BrushShape { Square, Round };

struct Brush {
    BrushShape shape = BrushShape::Square;
    int32_t size = 1;  // 1..kBrushMaxSize
    friend bool operator==(const Brush&, const Brush&) = default;
};

constexpr int32_t kBrushMaxSize = 16;

// One row of a footprint, relative to the point stamped.
struct FootprintRow {
    int32_t dy, dx1, dx2;
};

// The rows of the brush's footprint around its point. The point is the
// middle pixel, or for an even size the one left of and above the middle.
// Round: the pixels whose centres lie inside a circle just within the square.
// A size outside 1..kBrushMaxSize is brought into it.
std::vector<FootprintRow> Footprint(const Brush& brush);

}  // namespace velmora
