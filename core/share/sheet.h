// The sheet of every state: the 48 rooms in rows on white, so that anyone
// can cut the tiles out again by the arithmetic alone.
#pragma once

#include "core/render/pixel_rect.h"
#include "core/render/prepared_room.h"

#include <cstdint>

namespace velmora {

struct SheetLayout {
    int columns = 6;
    int gap = 8;          // between tiles and around them
    int scale = 1;
    int labelHeight = 0;  // white rows under each tile for its name; 0 without names

    int tileWidth() const;
    int tileHeight() const;
    int rows() const;
    int64_t width() const;
    int64_t height() const;
    // Tile i at column i mod columns, row i div columns.
    PixelRect tile(int i) const;
    // The white rows under tile i that its name may take.
    PixelRect label(int i) const;
};

constexpr int kMaxColumns = 48;
constexpr int kMaxGap = 256;
// The largest sheet written: far beyond every sheet at scale 4 in any
// columns, and short of what would take gigabytes.
constexpr int64_t kMaxSheetPixels = int64_t{160} * 1024 * 1024;

// The 48 states (EveryState) composed into one 8-bit picture in the room
// palette, white (index 0) around the tiles.
Bitmap ComposeSheet(const PreparedRoom& room, const SheetLayout& layout);

}  // namespace velmora
