#include "core/image/palette.h"

#include <limits>

namespace velmora {

namespace {

std::array<RgbQuad, 256> BuildPalette()
{
    std::array<RgbQuad, 256> p{};
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p[36 * r + 6 * g + b] = RgbQuad{static_cast<uint8_t>(255 - 51 * b), static_cast<uint8_t>(255 - 51 * g),
                                                static_cast<uint8_t>(255 - 51 * r), 0};
    static constexpr uint8_t ramp[10] = {238, 221, 187, 170, 136, 119, 85, 68, 34, 17};
    for (int i = 0; i < 10; ++i) {
        const uint8_t v = ramp[i];
        p[215 + i] = RgbQuad{0, 0, v, 0};
        p[225 + i] = RgbQuad{0, v, 0, 0};
        p[235 + i] = RgbQuad{v, 0, 0, 0};
        p[245 + i] = RgbQuad{v, v, v, 0};
    }
    p[255] = RgbQuad{0, 0, 0, 0};
    return p;
}

}  // namespace

const std::array<RgbQuad, 256>& RoomPalette()
{
    static const std::array<RgbQuad, 256> palette = BuildPalette();
    return palette;
}

std::vector<RgbQuad> RoomPaletteVector()
{
    const auto& p = RoomPalette();
    return std::vector<RgbQuad>(p.begin(), p.end());
}

std::array<uint8_t, 1024> RoomPaletteBytes()
{
    std::array<uint8_t, 1024> bytes{};
    const auto& p = RoomPalette();
    for (size_t i = 0; i < 256; ++i) {
        bytes[4 * i] = p[i].blue;
        bytes[4 * i + 1] = p[i].green;
        bytes[4 * i + 2] = p[i].red;
        bytes[4 * i + 3] = p[i].reserved;
    }
    return bytes;
}

uint8_t NearestIndexIn(std::span<const RgbQuad> table, RgbQuad colour)
{
    size_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < table.size() && i < 256; ++i) {
        const int d = ColourDistance(table[i], colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    return static_cast<uint8_t>(best);
}

uint8_t NearestRoomIndex(RgbQuad colour)
{
    return NearestIndexIn(RoomPalette(), colour);
}

std::vector<RgbQuad> MaskColoursBlackFirst()
{
    return {RgbQuad{0, 0, 0, 0}, RgbQuad{255, 255, 255, 0}};
}

std::vector<RgbQuad> MaskColoursWhiteFirst()
{
    return {RgbQuad{255, 255, 255, 0}, RgbQuad{0, 0, 0, 0}};
}

}  // namespace velmora
