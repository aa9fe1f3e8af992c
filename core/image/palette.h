// The room palette: the colour table of the default pictures and the preview.
#pragma once

#include "core/image/bitmap.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

constexpr uint8_t kWhiteIndex = 0;
constexpr uint8_t kBlackIndex = 255;

// 0-214: 6x6x6 cube (index 36r+6g+b has red 255-51r, green 255-51g, blue 255-51b);
// 215-224 red ramp, 225-234 green, 235-244 blue, 245-254 grey; 255 black.
const std::array<RgbQuad, 256>& RoomPalette();
std::vector<RgbQuad> RoomPaletteVector();
// The palette as 1024 bytes in colour-table order, as the palette file holds it.
std::array<uint8_t, 1024> RoomPaletteBytes();

// Squared RGB distance, the measure of every nearest-colour choice.
inline int ColourDistance(RgbQuad a, RgbQuad b)
{
    const int dr = int(a.red) - b.red, dg = int(a.green) - b.green, db = int(a.blue) - b.blue;
    return dr * dr + dg * dg + db * db;
}

// The index in `table` whose colour is nearest to `colour` (squared RGB
// distance, the lowest index wins a tie); an empty table gives 0.
uint8_t NearestIndexIn(std::span<const RgbQuad> table, RgbQuad colour);
// The same for the room palette: exact colours map to their own index.
uint8_t NearestRoomIndex(RgbQuad colour);

// The two-entry table of a 1-bit mask: black first (the usual order) or white first.
std::vector<RgbQuad> MaskColoursBlackFirst();
std::vector<RgbQuad> MaskColoursWhiteFirst();

}  // namespace velmora
