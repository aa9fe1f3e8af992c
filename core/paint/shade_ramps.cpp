#include "core/paint/shade_ramps.h"

#include "core/image/palette.h"

#include <algorithm>

namespace velmora {

namespace {

// step -1 lighter, +1 darker.
std::array<uint8_t, 256> Steps(int step)
{
    std::array<uint8_t, 256> out{};
    for (int i = 0; i < 215; ++i) {
        const int r = std::clamp(i / 36 + step, 0, 5), g = std::clamp(i / 6 % 6 + step, 0, 5),
                  b = std::clamp(i % 6 + step, 0, 5);
        const int next = 36 * r + 6 * g + b;
        out[size_t(i)] = next == 215 ? kBlackIndex : uint8_t(next);  // past the cube's darkest: black
    }
    for (int first : {215, 225, 235, 245})
        for (int i = first; i < first + 10; ++i)
            out[size_t(i)] = uint8_t(std::clamp(i + step, first, first + 9));
    if (step < 0) {
        out[245] = kWhiteIndex;
        out[kBlackIndex] = 254;
    } else {
        out[254] = kBlackIndex;
        out[kBlackIndex] = kBlackIndex;
    }
    return out;
}

}  // namespace

const std::array<uint8_t, 256>& LighterSteps()
{
    static const std::array<uint8_t, 256> steps = Steps(-1);
    return steps;
}

const std::array<uint8_t, 256>& DarkerSteps()
{
    static const std::array<uint8_t, 256> steps = Steps(+1);
    return steps;
}

}  // namespace velmora
