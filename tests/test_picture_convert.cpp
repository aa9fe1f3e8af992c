// Pictures with transparency into a slot and out again.
#include "core/edit/picture_convert.h"
#include "core/image/colour_map.h"
#include "core/room/default_room.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

using namespace velmora;

namespace {

RgbaPicture Solid(int slot, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    const PartSize size = PartSlotTable::RequiredSize(slot);
    RgbaPicture p{size.width, size.height, {}};
    for (int i = 0; i < size.width * size.height; ++i)
        p.pixels.insert(p.pixels.end(), {r, g, b, a});
    return p;
}

void SetPixel(RgbaPicture& p, int i, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    p.pixels[4 * size_t(i)] = r;
    p.pixels[4 * size_t(i) + 1] = g;
    p.pixels[4 * size_t(i) + 2] = b;
    p.pixels[4 * size_t(i) + 3] = a;
}

bool WhiteAt(const Bitmap& mask, int i)
{
    return mask.colours[mask.pixels[size_t(i)]] == RgbQuad{255, 255, 255, 0};
}

}  // namespace

TEST(NearestColourLookup, AgreesWithTheFullSearchTiesIncluded)
{
    const NearestColourLookup& lookup = RoomColourLookup();
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) {
        const uint32_t v = random();
        const RgbQuad c{uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), 0};
        ASSERT_EQ(lookup.nearest(c), NearestRoomIndex(c)) << int(c.red) << "," << int(c.green) << "," << int(c.blue);
    }
    // Cell edges and the midpoints between palette steps, where ties fall.
    for (int r : {0, 15, 16, 25, 26, 127, 128, 229, 230, 255})
        for (int g : {0, 15, 16, 25, 26, 127, 128, 229, 230, 255})
            for (int b : {0, 15, 16, 25, 26, 127, 128, 229, 230, 255}) {
                const RgbQuad c{uint8_t(b), uint8_t(g), uint8_t(r), 0};
                ASSERT_EQ(lookup.nearest(c), NearestRoomIndex(c)) << r << "," << g << "," << b;
            }
    // Any table, not just the room's: two equal entries, the lower wins.
    const std::vector<RgbQuad> table = {{9, 9, 9, 0}, {200, 10, 10, 0}, {200, 10, 10, 0}};
    const NearestColourLookup small(table);
    EXPECT_EQ(small.nearest(RgbQuad{190, 20, 20, 0}), 1);
    EXPECT_EQ(small.nearest(RgbQuad{0, 0, 0, 0}), 0);
}

TEST(ConvertToSlot, OnlyThePictureOfTheSlotsSizeFits)
{
    EXPECT_TRUE(FitsSlot(Solid(slot::BedImage, 0, 0, 0, 255), slot::BedMask));
    // The bed turned on its side has as many pixels, and does not fit.
    const RgbaPicture side{76, 96, std::vector<uint8_t>(76 * 96 * 4, 255)};
    for (const int slot : {int(slot::BedImage), int(slot::BedMask)}) {
        EXPECT_FALSE(FitsSlot(side, slot)) << slot;
        EXPECT_THROW(ConvertToSlot(side, slot), std::invalid_argument) << slot;
    }
}

TEST(ConvertToSlot, PartAlphaBelow128IsSeeThroughAndBlack)
{
    RgbaPicture p = Solid(slot::BedImage, 255, 0, 0, 255);
    SetPixel(p, 0, 255, 0, 0, 127);
    SetPixel(p, 1, 255, 0, 0, 128);
    SetPixel(p, 2, 0, 255, 0, 0);
    const SlotConversion c = ConvertToSlot(p, slot::BedImage);
    ASSERT_EQ(c.picture.bitsPerPixel, 8);
    EXPECT_EQ(c.picture.colours, RoomPaletteVector());
    const uint8_t red = NearestRoomIndex(RgbQuad{0, 0, 255, 0});
    EXPECT_EQ(c.picture.pixels[0], kBlackIndex);
    EXPECT_EQ(c.picture.pixels[1], red);
    EXPECT_EQ(c.picture.pixels[2], kBlackIndex);
    EXPECT_EQ(c.picture.pixels[3], red);
    ASSERT_TRUE(c.mask.has_value());
    EXPECT_EQ(c.mask->bitsPerPixel, 1);
    EXPECT_TRUE(WhiteAt(*c.mask, 0));
    EXPECT_FALSE(WhiteAt(*c.mask, 1));
    EXPECT_TRUE(WhiteAt(*c.mask, 2));
    EXPECT_FALSE(WhiteAt(*c.mask, 3));
}

TEST(ConvertToSlot, MasksTakeTheDefaultRoomsTableAndOrder)
{
    const RoomPictures defaults = DefaultRoomPictures();
    for (int part : {int(slot::WinDayImage), int(slot::BedImage), int(slot::DoorNightImage)}) {
        RgbaPicture p = Solid(part, 10, 10, 10, 0);
        const SlotConversion c = ConvertToSlot(p, part);
        ASSERT_TRUE(c.mask.has_value());
        EXPECT_EQ(c.mask->colours, defaults[size_t(PartSlotTable::MaskOf(part))].colours) << part;
        EXPECT_TRUE(WhiteAt(*c.mask, 0));
    }
}

TEST(ConvertToSlot, TiesGoToTheLowestIndexAndOpaquePicturesLeaveTheMask)
{
    // (0, 27, 140) is 745 from both cube entry 206 (0, 51, 153) and blue ramp entry 239 (0, 0, 136).
    const RgbaPicture p = Solid(slot::TableImage, 0, 27, 140, 255);
    const SlotConversion c = ConvertToSlot(p, slot::TableImage);
    EXPECT_EQ(c.picture.pixels[0], 206);
    EXPECT_FALSE(c.mask.has_value());
    EXPECT_TRUE(ConvertToSlot(p, slot::TableImage, true).mask.has_value());
}

TEST(ConvertToSlot, GreyMaskPictureSplitsAtLuma128)
{
    RgbaPicture p = Solid(slot::BedMask, 128, 128, 128, 255);
    SetPixel(p, 1, 127, 127, 127, 255);
    SetPixel(p, 2, 0, 0, 0, 127);      // see-through counts as white
    SetPixel(p, 3, 255, 0, 0, 255);    // luma 76: black
    SetPixel(p, 4, 0, 219, 0, 255);    // luma 128.5 -> 128: white
    const SlotConversion c = ConvertToSlot(p, slot::BedMask);
    EXPECT_FALSE(c.mask.has_value());
    EXPECT_EQ(c.picture.colours, DefaultMaskColours(slot::BedMask));
    EXPECT_TRUE(WhiteAt(c.picture, 0));
    EXPECT_FALSE(WhiteAt(c.picture, 1));
    EXPECT_TRUE(WhiteAt(c.picture, 2));
    EXPECT_FALSE(WhiteAt(c.picture, 3));
    EXPECT_TRUE(WhiteAt(c.picture, 4));
}

TEST(ConvertToSlot, WrongSizeIsRefused)
{
    RgbaPicture p = Solid(slot::BedImage, 0, 0, 0, 255);
    EXPECT_TRUE(FitsSlot(p, slot::BedImage));
    EXPECT_FALSE(FitsSlot(p, slot::TableImage));
    EXPECT_THROW(ConvertToSlot(p, slot::TableImage), std::invalid_argument);
    p.pixels.pop_back();
    EXPECT_FALSE(FitsSlot(p, slot::BedImage));
}

TEST(SlotToRgba, ExportThenImportGivesBackEveryPartAndMask)
{
    RoomPictures room = DefaultRoomPictures();
    // Colours all over the palette where the mask is black.
    Bitmap& bed = room[slot::BedImage];
    for (size_t i = 0; i < bed.pixels.size(); ++i)
        if (bed.pixels[i] != kBlackIndex)
            bed.pixels[i] = uint8_t(i % 255);
    for (int part = 0; part < PartSlotTable::kPartCount; ++part) {
        const int mask = PartSlotTable::MaskOf(part);
        const RgbaPicture out = SlotToRgba(room, part);
        const SlotConversion back = ConvertToSlot(out, part);
        EXPECT_TRUE(back.picture.samePicture(room[size_t(part)])) << part;
        if (back.mask) {
            EXPECT_TRUE(back.mask->samePicture(room[size_t(mask)])) << part;
        }
        EXPECT_TRUE(ConvertToSlot(SlotToRgba(room, mask), mask).picture.samePicture(room[size_t(mask)])) << mask;
    }
}
