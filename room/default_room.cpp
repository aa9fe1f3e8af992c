#include "default_room.h"

#include "palette.h"

namespace velmora {

namespace {

bool WhiteFirstMask(int maskSlot)
{
    return (maskSlot >= 20 && maskSlot <= 23) || maskSlot == 39;
}

Bitmap MaskFor(const Bitmap& picture, int maskSlot)
{
    const bool whiteFirst = WhiteFirstMask(maskSlot);
    Bitmap mask = Bitmap::Make(picture.width, picture.height, 1,
                               whiteFirst ? MaskColoursWhiteFirst() : MaskColoursBlackFirst());
    const uint8_t white = whiteFirst ? 0 : 1;
    const uint8_t black = whiteFirst ? 1 : 0;
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        mask.pixels[i] = picture.pixels[i] == kBlackIndex ? white : black;
    return mask;
}

}  // namespace

RoomPictures DefaultRoomPictures()
{
    RoomPictures pictures;
    for (int part = 0; part < PartSlotTable::kPartCount; ++part) {
        const PartSize size = PartSlotTable::RequiredSize(part);
        pictures[static_cast<size_t>(part)] = Bitmap::Make(size.width, size.height, 8, RoomPaletteVector());
    }
    // Drawings for slots 2, 4, 14, 16, 17 and 18 go here.
    for (int part = 0; part < PartSlotTable::kPartCount; ++part)
        pictures[static_cast<size_t>(PartSlotTable::MaskOf(part))] =
            MaskFor(pictures[static_cast<size_t>(part)], PartSlotTable::MaskOf(part));
    return pictures;
}

}  // namespace velmora
