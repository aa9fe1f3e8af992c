#include "core/edit/mask_ops.h"
#include "picture_helpers.h"
#include "core/room/default_room.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>

using namespace velmora;
using namespace velmora::test;

namespace {

// A picture whose colour table holds the given colours at indices 0, 1, ...
// and whose pixels are those indices in order.
Bitmap Palette8Row(std::initializer_list<RgbQuad> colours)
{
    Bitmap b = Bitmap::Make(int(colours.size()), 1, 8);
    uint8_t i = 0;
    for (const RgbQuad& c : colours) {
        b.colours[i] = c;
        b.pixels[i] = i;
        ++i;
    }
    return b;
}

// 1 where the 1-bit picture is white.
std::vector<uint8_t> WhiteMap(const Bitmap& mask)
{
    std::vector<uint8_t> out;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            out.push_back(mask.colourAt(x, y).red == 255 ? 1 : 0);
    return out;
}

constexpr RgbQuad kBlack{0, 0, 0, 0};
constexpr RgbQuad kWhite{255, 255, 255, 0};
constexpr RgbQuad kNearBlack{17, 17, 17, 0};
constexpr RgbQuad kNearWhite{254, 255, 255, 0};

}  // namespace

TEST(MaskOps, MakeMaskMarksExactlyPureBlackSeeThrough)
{
    const Bitmap picture = Palette8Row({kBlack, kNearBlack, kWhite, RgbQuad{0, 0, 1, 0}});
    const Bitmap mask = MakeMaskFromPicture(picture);
    EXPECT_EQ(mask.width, 4);
    EXPECT_EQ(mask.height, 1);
    EXPECT_EQ(mask.bitsPerPixel, 1);
    EXPECT_EQ(mask.colours, MaskColoursBlackFirst());
    EXPECT_EQ(mask.pixels, (std::vector<uint8_t>{1, 0, 0, 0}));

    Bitmap rgb = Bitmap::Make(3, 1, 24);
    rgb.pixels = {0, 0, 0, 17, 17, 17, 255, 255, 255};
    EXPECT_EQ(WhiteMap(MakeMaskFromPicture(rgb)), (std::vector<uint8_t>{1, 0, 0}));
    // 1-bit pictures by colour, not by bit: white-first table, bit 1 is black.
    Bitmap oneBit = Mask(2, 1, false, true);
    oneBit.pixels = {0, 1};
    EXPECT_EQ(WhiteMap(MakeMaskFromPicture(oneBit)), (std::vector<uint8_t>{0, 1}));
}

TEST(MaskOps, MakeMaskOfAllBlackAndOfNoBlack)
{
    const Bitmap allBlack = MakeMaskFromPicture(Filled(55, 83, kBlackIndex));
    EXPECT_EQ(WhiteMap(allBlack), std::vector<uint8_t>(55 * 83, 1));
    const Bitmap noBlack = MakeMaskFromPicture(Filled(55, 83, 254));  // darkest grey
    EXPECT_EQ(WhiteMap(noBlack), std::vector<uint8_t>(55 * 83, 0));
}

TEST(MaskOps, CopyFromImageMarksExactlyPureWhite)
{
    const Bitmap picture = Palette8Row({kBlack, kWhite, kNearWhite, kNearBlack});
    const Bitmap mask = MaskFromImageWhite(picture);
    EXPECT_EQ(mask.colours, MaskColoursBlackFirst());
    EXPECT_EQ(mask.pixels, (std::vector<uint8_t>{0, 1, 0, 0}));
    EXPECT_EQ(WhiteMap(MaskFromImageWhite(Filled(25, 16, 1))), std::vector<uint8_t>(25 * 16, 0));
    EXPECT_EQ(WhiteMap(MaskFromImageWhite(Filled(25, 16, kWhiteIndex))), std::vector<uint8_t>(25 * 16, 1));
}

TEST(MaskOps, CopyFromRoomViewCutsThePlacement)
{
    RoomPictures p = OpaqueRoom();
    Bitmap& room = p[slot::RoomImage];
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            room.setIndex(x, y, uint8_t((x + 3 * y) % 256));
    for (int part : {0, 1, 2, 3, 19, 8, 18}) {
        const Bitmap copy = CopyPartFromRoom(p, part);
        const Placement r = PartSlotTable::PlacementOf(part);
        ASSERT_EQ(copy.width, PartSlotTable::RequiredSize(part).width);
        EXPECT_EQ(copy.colours, p[size_t(part)].colours);
        EXPECT_EQ(copy.index(0, 0), room.index(r.left, r.top)) << part;
        EXPECT_EQ(copy.index(copy.width - 1, copy.height - 1), room.index(r.right, r.bottom)) << part;
    }
    EXPECT_TRUE(CopyPartFromRoom(p, 0).samePicture(CopyPartFromRoom(p, 1)));
    EXPECT_TRUE(CopyPartFromRoom(p, 0).samePicture(CopyPartFromRoom(p, 2)));
    EXPECT_TRUE(CopyPartFromRoom(p, 3).samePicture(CopyPartFromRoom(p, 19)));
}

TEST(MaskOps, CopyFromRoomViewStretchesTheBubble)
{
    RoomPictures p = OpaqueRoom();
    Bitmap& room = p[slot::RoomImage];
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            room.setIndex(x, y, uint8_t(x - 247 + (y == 142 ? 0 : 100) + 256));  // 0..72 on row 142
    const Bitmap bubble = CopyPartFromRoom(p, slot::BubbleImage);
    ASSERT_EQ(bubble.width, 82);
    ASSERT_EQ(bubble.height, 71);
    std::vector<uint8_t> row(bubble.pixels.begin(), bubble.pixels.begin() + 82);
    EXPECT_EQ(row.front(), 0);
    EXPECT_EQ(row.back(), 72);  // column 319
    EXPECT_TRUE(std::is_sorted(row.begin(), row.end()));
    EXPECT_EQ(std::set<uint8_t>(row.begin(), row.end()).size(), 73u);  // every column, nine twice
    EXPECT_EQ(bubble.index(0, 70), room.index(247, 212));
}

TEST(MaskOps, CopyFromRoomViewCarriesColoursIntoThePartsFormat)
{
    Bitmap room = Filled(320, 240, 35);  // pure red
    room.setIndex(79, 0, 247);           // grey 187
    const Placement window = PartSlotTable::PlacementOf(0);

    Bitmap foreign = Bitmap::Make(55, 83, 8);
    foreign.colours[0] = RgbQuad{0, 0, 250, 0};        // near red
    foreign.colours[1] = RgbQuad{190, 190, 190, 0};    // near grey
    foreign.colours[2] = RgbQuad{0, 250, 0, 0};
    const Bitmap mapped = CopyFromRoomView(room, window, foreign);
    EXPECT_EQ(mapped.colours, foreign.colours);
    EXPECT_EQ(mapped.index(0, 0), 1);
    EXPECT_EQ(mapped.index(1, 0), 0);

    const Bitmap rgb = CopyFromRoomView(room, window, Bitmap::Make(55, 83, 24));
    EXPECT_EQ(rgb.colourAt(0, 0), (RgbQuad{187, 187, 187, 0}));
    EXPECT_EQ(rgb.colourAt(54, 82), (RgbQuad{0, 0, 255, 0}));
}

TEST(MaskOps, CopyFromASmallRoomKeepsWhatLiesOutside)
{
    const Bitmap room = Filled(100, 20, 7);
    const Bitmap part = Filled(55, 83, 9);
    const Bitmap copy = CopyFromRoomView(room, PartSlotTable::PlacementOf(0), part);
    EXPECT_EQ(copy.index(20, 19), 7);   // room column 99, row 19
    EXPECT_EQ(copy.index(21, 19), 9);   // room column 100 is outside
    EXPECT_EQ(copy.index(20, 20), 9);
    EXPECT_TRUE(CopyFromRoomView(Bitmap{}, PartSlotTable::PlacementOf(0), part).samePicture(part));
    EXPECT_TRUE(CopyFromRoomView(room, Placement{INT32_MIN, 0, INT32_MAX, 5}, part).samePicture(part));
}

TEST(PasteParts, NoTicksGiveTheRoomItself)
{
    RoomPictures p = OpaqueRoom();
    EXPECT_TRUE(PasteParts(p, PasteChoice{}).samePicture(p[slot::RoomImage]));
    p[slot::RoomImage] = Bitmap::Make(320, 240, 24);
    EXPECT_TRUE(PasteParts(p, PasteChoice{}).samePicture(p[slot::RoomImage]));
}

TEST(PasteParts, DefaultBlankPartsPaintWhiteBlocks)
{
    RoomPictures p = DefaultRoomPictures();
    p[slot::RoomImage].pixels.assign(320 * 240, 50);
    const Bitmap bed = PasteParts(p, PasteChoice{.bed = true});
    Bitmap expected = Filled(320, 240, 50);
    FillRect(expected, Placement{105, 53, 200, 128}, kWhiteIndex);
    EXPECT_EQ(bed.pixels, expected.pixels);
    EXPECT_EQ(bed.colours, p[slot::RoomImage].colours);

    const Bitmap all = PasteParts(p, PasteChoice{true, true, true, true, true});
    for (int part : {8, 10, 12, 13, 15})
        FillRect(expected, PartSlotTable::PlacementOf(part), kWhiteIndex);
    EXPECT_EQ(all.pixels, expected.pixels);
}

TEST(PasteParts, LaterPartsLieOverEarlierOnes)
{
    const RoomPictures p = OpaqueRoom();
    const Bitmap out = PasteParts(p, PasteChoice{.bed = true, .treasureBox = true});
    for (int y = 75; y <= 128; ++y) {
        EXPECT_EQ(out.index(105, y), PartIndex(10)) << y;
        EXPECT_EQ(out.index(106, y), PartIndex(10)) << y;
        EXPECT_EQ(out.index(107, y), PartIndex(8)) << y;
    }
    EXPECT_EQ(out.index(105, 74), PartIndex(8));
    EXPECT_EQ(out.index(106, 129), PartIndex(10));
    EXPECT_EQ(out.index(104, 53), PartIndex(4));
}

TEST(PasteParts, SeeThroughMaskKeepsTheRoomUnderBlackAndAndsElsewhere)
{
    RoomPictures p = OpaqueRoom();
    p[slot::RoomImage].pixels.assign(320 * 240, 0xF0);
    p[12].setIndex(0, 0, kBlackIndex);
    p[12].setIndex(1, 0, 0x3C);
    p[32] = Mask(77, 50, true);
    const Bitmap out = PasteParts(p, PasteChoice{.table = true});
    EXPECT_EQ(out.index(142, 129), 0xF0);
    EXPECT_EQ(out.index(143, 129), 0x30);
}

TEST(PasteParts, ATrueColourRoomKeepsItsFormAndUntouchedPixels)
{
    RoomPictures p = OpaqueRoom();
    Bitmap room = Bitmap::Make(320, 240, 24);
    for (size_t i = 0; i < room.pixels.size(); ++i)
        room.pixels[i] = uint8_t(i % 7 + 100);  // colours not in the room palette
    p[slot::RoomImage] = room;
    p[28] = Mask(96, 76, true);  // see-through bed over a black picture: nothing changes
    p[8].pixels.assign(p[8].pixels.size(), kBlackIndex);
    p[8].setIndex(0, 0, 0);  // except one white pixel, which ANDs the room to white
    const Bitmap out = PasteParts(p, PasteChoice{.bed = true, .table = true});
    ASSERT_EQ(out.bitsPerPixel, 24);
    EXPECT_EQ(out.colourAt(105, 53), (RgbQuad{255, 255, 255, 0}));
    EXPECT_EQ(out.colourAt(106, 53), room.colourAt(106, 53));
    EXPECT_EQ(out.colourAt(142, 129), RoomPalette()[PartIndex(12)]);
    EXPECT_EQ(out.colourAt(0, 0), room.colourAt(0, 0));
}

TEST(PasteParts, AFourBitRoomGetsIndicesOfItsOwnTable)
{
    RoomPictures p = OpaqueRoom();
    std::vector<RgbQuad> table(16);
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = RgbQuad{uint8_t(i * 9 + 1), uint8_t(200 - i * 5), uint8_t(i * 13 + 7), 0};  // none in the room palette
    table[5] = RoomPalette()[PartIndex(12)];
    Bitmap room = Bitmap::Make(320, 240, 4, table);
    room.pixels.assign(room.pixels.size(), 3);
    p[slot::RoomImage] = room;

    const Bitmap out = PasteParts(p, PasteChoice{.table = true});
    ASSERT_EQ(out.bitsPerPixel, 4);
    EXPECT_EQ(out.colours, table);
    EXPECT_EQ(out.index(142, 129), 5);  // the table's colour, as the room's own entry
    EXPECT_EQ(out.index(218, 178), 5);
    EXPECT_EQ(out.index(141, 129), 3);  // untouched, though no room-palette colour is exact
    EXPECT_EQ(out.index(0, 0), 3);
    EXPECT_TRUE(std::all_of(out.pixels.begin(), out.pixels.end(), [](uint8_t v) { return v < 16; }));
}
