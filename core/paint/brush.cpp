#include "core/paint/brush.h"

#include <algorithm>

namespace velmora {

std::vector<FootprintRow> Footprint(const Brush& brush)
{
    const int32_t s = std::clamp(brush.size, 1, kBrushMaxSize);
    const int32_t offset = (s - 1) / 2;
    std::vector<FootprintRow> rows;
    for (int32_t i = 0; i < s; ++i) {
        if (brush.shape == BrushShape::Square) {
            rows.push_back({i - offset, -offset, s - 1 - offset});
            continue;
        }
        // In doubled coordinates about the square's centre: (2x + 1 - s)^2 +
        // (2i + 1 - s)^2 <= s^2 - s, a circle a little inside the square's,
        // so that a round of 3 is a cross and one of 1 or 2 its square.
        const int32_t dy2 = (2 * i + 1 - s) * (2 * i + 1 - s);
        int32_t first = 0;
        while (first < s && (2 * first + 1 - s) * (2 * first + 1 - s) + dy2 > s * s - s)
            ++first;
        if (first < s)
            rows.push_back({i - offset, first - offset, s - 1 - first - offset});
    }
    return rows;
}

}  // namespace velmora
