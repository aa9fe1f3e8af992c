// A room of noise that lint finds clean: every part pixel a room colour that
// comes back as itself, every mask 1-bit noise in the default form, and
// each part black wherever the mask the room draws it through is see-through.
#pragma once

#include "core/image/palette.h"
#include "core/room/default_room.h"

#include <random>

namespace velmora::test {

inline RoomPictures CleanNoiseRoom(unsigned seed)
{
    std::mt19937 random(seed);
    // Indices whose colour no lower index shares: the ones the nearest-colour rule gives back.
    std::vector<uint8_t> own;
    for (int i = 0; i < 256; ++i)
        if (NearestRoomIndex(RoomPalette()[size_t(i)]) == i)
            own.push_back(uint8_t(i));
    RoomPictures pictures = DefaultRoomPictures();
    for (int part = 0; part < PartSlotTable::kPartCount; ++part) {
        Bitmap& picture = pictures[size_t(part)];
        for (uint8_t& p : picture.pixels)
            p = own[random() % own.size()];
        Bitmap& mask = pictures[size_t(PartSlotTable::MaskOf(part))];
        for (uint8_t& m : mask.pixels)
            m = uint8_t(random() % 4 == 0);
    }
    for (int part = 0; part < PartSlotTable::kPartCount; ++part) {
        Bitmap& picture = pictures[size_t(part)];
        const Bitmap& mask = pictures[size_t(PartSlotTable::DrawMaskOf(part))];
        for (size_t i = 0; i < picture.pixels.size(); ++i)
            if (mask.colours[mask.pixels[i]].red == 255)
                picture.pixels[i] = kBlackIndex;
    }
    return pictures;
}

}  // namespace velmora::test
