// Small builders for pictures in tests.
#pragma once

#include "core/image/bitmap.h"
#include "core/image/palette.h"
#include "core/room/room_file.h"
#include "core/room/slot_table.h"

namespace velmora::test {

// An 8-bit picture in the room palette, every pixel `index`.
inline Bitmap Filled(int width, int height, uint8_t index)
{
    Bitmap b = Bitmap::Make(width, height, 8, RoomPaletteVector());
    b.pixels.assign(b.pixels.size(), index);
    return b;
}

// A 1-bit mask, every pixel black (drawn) or white (see-through), in either entry order.
inline Bitmap Mask(int width, int height, bool white, bool whiteFirst = false)
{
    Bitmap m = Bitmap::Make(width, height, 1, whiteFirst ? MaskColoursWhiteFirst() : MaskColoursBlackFirst());
    m.pixels.assign(m.pixels.size(), uint8_t(white != whiteFirst ? 1 : 0));
    return m;
}

inline void FillRect(Bitmap& b, const Placement& r, uint8_t index)
{
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x)
            b.setIndex(x, y, index);
}

// Every part filled with its own index 10 + 7k, every mask black (opaque).
inline RoomPictures OpaqueRoom()
{
    RoomPictures pictures;
    for (int k = 0; k < PartSlotTable::kPartCount; ++k) {
        const PartSize s = PartSlotTable::RequiredSize(k);
        pictures[size_t(k)] = Filled(s.width, s.height, uint8_t(10 + 7 * k));
        pictures[size_t(k + 20)] = Mask(s.width, s.height, false, k % 2 == 1);
    }
    return pictures;
}

inline uint8_t PartIndex(int part)
{
    return uint8_t(10 + 7 * part);
}

}  // namespace velmora::test
