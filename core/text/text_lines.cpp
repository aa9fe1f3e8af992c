#include "core/text/text_lines.h"

#include <algorithm>

namespace velmora {

std::vector<std::string> SplitTextLines(std::span<const uint8_t> bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    std::vector<std::string> lines;
    auto start = bytes.begin();
    auto it = start;
    while (it != end) {
        if (*it == '\r' || *it == '\n') {
            lines.emplace_back(start, it);
            if (*it == '\r' && it + 1 != end && it[1] == '\n')
                ++it;
            start = ++it;
        } else {
            ++it;
        }
    }
    if (start != end)
        lines.emplace_back(start, end);
    return lines;
}

}  // namespace velmora
