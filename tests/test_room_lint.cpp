#include "picture_helpers.h"

#include "core/room/default_room.h"
#include "core/room/room_lint.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;
using Kind = LintFinding::Kind;

namespace {

std::vector<LintFinding> Lint(const RoomPictures& pictures)
{
    return LintRoom(pictures, RoomPalette());
}

}  // namespace

TEST(LintRoom, DefaultAndOpaqueRoomsAreClean)
{
    EXPECT_TRUE(Lint(DefaultRoomPictures()).empty());
    EXPECT_TRUE(Lint(OpaqueRoom()).empty());
}

TEST(LintRoom, SizeDepthPaletteAndMaskDepth)
{
    RoomPictures p = DefaultRoomPictures();
    p[8] = Filled(90, 76, 0);                                   // bed too narrow
    p[28] = Mask(90, 76, false);                                // and its mask with it
    p[12] = Bitmap::Make(77, 50, 24);                           // table in 24 bits
    p[13].colours[3] = RgbQuad{1, 2, 3, 0};                     // mailbox palette changed
    p[35] = Filled(61, 46, 255);                                // bath mask stored 8-bit
    const std::vector<LintFinding> f = Lint(p);
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(f[0].slot, 8);
    EXPECT_EQ(f[0].kind, Kind::WrongSize);
    EXPECT_EQ(f[0].text, "the picture is 90x76; the slot's size is 96x76");
    EXPECT_EQ(f[1].slot, 12);
    EXPECT_EQ(f[1].kind, Kind::WrongDepth);
    EXPECT_EQ(f[2].slot, 13);
    EXPECT_EQ(f[2].kind, Kind::ForeignPalette);
    EXPECT_EQ(f[3].slot, 28);
    EXPECT_EQ(f[3].kind, Kind::WrongSize);
    EXPECT_EQ(f[4].slot, 35);
    EXPECT_EQ(f[4].kind, Kind::MaskNotOneBit);
    EXPECT_EQ(f[4].text, "the mask has 8 bits per pixel, not 1");
}

TEST(LintRoom, PartPixelsShowingThroughAreCountedWithTheirBox)
{
    RoomPictures p = OpaqueRoom();
    // The table's mask is see-through in a band; the table is black there
    // except for three pixels, which the masked draw would blend.
    Bitmap& mask = p[32];
    Bitmap& table = p[12];
    for (int y = 10; y < 20; ++y)
        for (int x = 0; x < 77; ++x) {
            mask.setIndex(x, y, 1);  // white in a black-first mask
            table.setIndex(x, y, kBlackIndex);
        }
    table.setIndex(5, 11, 0);
    table.setIndex(40, 18, 17);
    table.setIndex(76, 12, 200);
    // A see-through mask entry stored first counts by colour, not by bit.
    p[33] = Mask(50, 76, true, /*whiteFirst=*/true);
    p[13] = Filled(50, 76, kBlackIndex);
    p[13].setIndex(0, 0, 1);

    const std::vector<LintFinding> f = Lint(p);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].slot, 12);
    EXPECT_EQ(f[0].kind, Kind::PartShowsThrough);
    EXPECT_EQ(f[0].count, 3);
    EXPECT_EQ((std::array{f[0].left, f[0].top, f[0].right, f[0].bottom}), (std::array{5, 11, 76, 18}));
    EXPECT_NE(f[0].text.find("3 pixels are not black where TableMask is see-through, in (5,11)-(76,18)"),
              std::string::npos);
    EXPECT_EQ(f[1].slot, 13);
    EXPECT_EQ(f[1].count, 1);
}

TEST(LintRoom, MismatchedPictureAndMaskSizesAreComparedWhereBothExist)
{
    RoomPictures p = OpaqueRoom();
    p[16] = Filled(10, 10, 5);
    p[36] = Mask(30, 30, true);
    const std::vector<LintFinding> f = Lint(p);
    ASSERT_EQ(f.size(), 3u);  // two sizes, one show-through over the 10x10 overlap
    EXPECT_EQ(f[1].kind, Kind::PartShowsThrough);
    EXPECT_EQ(f[1].count, 100);
}

TEST(LintRoom, NightViewsAreJudgedThroughTheDayMasksThePreviewDrawsThemWith)
{
    RoomPictures p = OpaqueRoom();
    // The night views' own masks are see-through everywhere, but the preview
    // never draws through them: nothing to report.
    p[slot::WinNightMask] = Mask(55, 83, true);
    p[slot::DoorNightMask] = Mask(80, 89, true);
    EXPECT_TRUE(Lint(p).empty());

    // A see-through pixel in a day mask shows the day and the night view there.
    p[slot::WinDayMask] = Mask(55, 83, false);
    p[slot::DoorDayMask] = Mask(80, 89, false);
    p[slot::WinDayMask].setIndex(3, 4, 1);  // black first: 1 is white
    p[slot::DoorDayMask].setIndex(7, 8, 1);
    const std::vector<LintFinding> f = Lint(p);
    ASSERT_EQ(f.size(), 4u);
    const int expectedSlots[] = {slot::WinDayImage, slot::WinNightImage, slot::DoorDayImage, slot::DoorNightImage};
    for (size_t i = 0; i < f.size(); ++i) {
        EXPECT_EQ(f[i].slot, expectedSlots[i]);
        EXPECT_EQ(f[i].count, 1);
    }
    EXPECT_NE(f[1].text.find("where WinDayMask is see-through, in (3,4)-(3,4)"), std::string::npos) << f[1].text;
    EXPECT_NE(f[3].text.find("where DoorDayMask is see-through, in (7,8)-(7,8)"), std::string::npos) << f[3].text;
}
