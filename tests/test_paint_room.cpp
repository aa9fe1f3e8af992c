// The painter's picture made from the room and written back, the part under
// a click in the composed room, and the room following a change region by region.
#include "paint_grid.h"
#include "picture_helpers.h"

#include "core/image/bmp.h"
#include "core/paint/hit_test.h"
#include "core/paint/paint_slots.h"
#include "core/paint/stroke.h"
#include "core/render/prepared_room.h"
#include "core/room/default_room.h"
#include "core/room/part_check.h"
#include "core/room/room_lint.h"

#include <gtest/gtest.h>

#include <random>

using namespace velmora;
using namespace velmora::test;
using Slots = std::vector<int>;

namespace {

constexpr RgbQuad kWhite{255, 255, 255, 0};

bool CheckAccepts(const RoomPictures& room, int slot)
{
    const BmpCheckFields fields = ReadCheckFields(EncodeBmp(room[size_t(slot)], ColoursUsedField::Zero));
    return PartBitmapCheck(fields, slot, RoomPaletteBytes()).outcome == CheckOutcome::Accepted;
}

Bitmap Composed(const RoomPictures& room, const PreviewState& state = {})
{
    Bitmap out;
    ComposeRoom(room, state, out);
    return out;
}

}  // namespace

TEST(PaintRoom, PaintingMakesAPixelThatColourAndOpaqueErasingMakesItBlackAndSeeThrough)
{
    RoomPictures room = DefaultRoomPictures();
    room[slot::BedImage].setIndex(5, 5, 7);  // shows through a hole in the mask, as lint
    room[slot::BedMask].setIndex(5, 5, 1);   // would say (white in a black-first mask)
    const RoomPictures before = room;
    PaintPicture p = ReadPaintPicture(room, slot::BedImage);
    EXPECT_EQ(p.at({0, 0}), 0);
    EXPECT_EQ(p.at({5, 5}), kSeeThrough);

    PencilStroke(p, 215, false).to({1, 1});
    PencilStroke(p, kSeeThrough, false).to({2, 1});
    // See-through already, but its part pixel becomes black all the same.
    const PixelRect erased = PencilStroke(p, kSeeThrough, false).to({5, 5});
    const PaintWriteBack w = WritePaintPicture(room, slot::BedImage, p, United({1, 1, 2, 1}, erased));
    EXPECT_EQ(w.changedSlots, (Slots{slot::BedImage, slot::BedMask}));
    EXPECT_EQ(w.area, (PixelRect{1, 1, 5, 5}));
    EXPECT_TRUE(w.reformed.empty());

    // Only those pixels changed, and both pictures keep their forms.
    Bitmap bed = before[slot::BedImage], mask = before[slot::BedMask];
    bed.setIndex(1, 1, 215);
    bed.setIndex(2, 1, kBlackIndex);
    bed.setIndex(5, 5, kBlackIndex);
    mask.setIndex(2, 1, 1);
    EXPECT_TRUE(room[slot::BedImage].samePicture(bed));
    EXPECT_TRUE(room[slot::BedMask].samePicture(mask));
    EXPECT_EQ(ReadPaintPicture(room, slot::BedImage), p);
    EXPECT_TRUE(LintRoom(room, RoomPalette()).empty());
    EXPECT_TRUE(CheckAccepts(room, slot::BedImage));
    EXPECT_TRUE(CheckAccepts(room, slot::BedMask));

    // Written again, nothing changes: no step for the history.
    EXPECT_TRUE(WritePaintPicture(room, slot::BedImage, p, p.bounds()).changedSlots.empty());
}

TEST(PaintRoom, TheNightViewIsPaintedThroughTheDayMaskAndErasingBlackensBothViews)
{
    RoomPictures room = DefaultRoomPictures();
    room[slot::WinDayImage] = Filled(55, 83, 30);
    room[slot::WinNightImage] = Filled(55, 83, 40);
    room[slot::WinNightMask] = Mask(55, 83, true);  // never drawn, so not what is painted
    const RoomPictures before = room;
    PaintPicture p = ReadPaintPicture(room, slot::WinNightImage);
    EXPECT_EQ(p, PaintPicture::Make(55, 83, 40));

    p.set({3, 4}, kSeeThrough);
    p.set({5, 4}, 2);
    const PaintWriteBack w = WritePaintPicture(room, slot::WinNightImage, p, {3, 4, 3, 1});
    EXPECT_EQ(w.changedSlots, (Slots{slot::WinDayImage, slot::WinNightImage, slot::WinDayMask}));
    EXPECT_EQ(room[slot::WinNightImage].index(3, 4), kBlackIndex);
    EXPECT_EQ(room[slot::WinNightImage].index(5, 4), 2);
    EXPECT_EQ(room[slot::WinDayImage].index(3, 4), kBlackIndex);
    EXPECT_EQ(room[slot::WinDayImage].index(5, 4), 30);
    EXPECT_EQ(room[slot::WinDayMask].colours, before[slot::WinDayMask].colours);  // white first, as it was
    EXPECT_EQ(room[slot::WinDayMask].colourAt(3, 4), kWhite);
    EXPECT_TRUE(room[slot::WinNightMask].samePicture(before[slot::WinNightMask]));
    EXPECT_TRUE(LintRoom(room, RoomPalette()).empty());
}

TEST(PaintRoom, AStateSiblingsAreTheOtherStatesOfItsKindInTheSamePlace)
{
    EXPECT_EQ(PartSlotTable::SiblingsOf(slot::DoorHalfImage), (Slots{slot::DoorCloseImage, slot::DoorOpenImage}));
    // The night door view sits at the end of the table, far from its day view.
    EXPECT_EQ(PartSlotTable::SiblingsOf(slot::DoorNightImage), Slots{slot::DoorDayImage});
    EXPECT_EQ(PartSlotTable::SiblingsOf(slot::TBoxOpenMask), Slots{slot::TBoxMask});
    for (int s : {int(slot::RoomImage), int(slot::TableImage), int(slot::Letter2Mask), int(slot::BubbleImage)})
        EXPECT_TRUE(PartSlotTable::SiblingsOf(s).empty()) << s;
    // A sibling is laid under the slot pixel for pixel.
    for (int s = 0; s < PartSlotTable::kSlotCount; ++s)
        for (int sibling : PartSlotTable::SiblingsOf(s)) {
            EXPECT_EQ(PartSlotTable::IsMask(sibling), PartSlotTable::IsMask(s)) << s;
            EXPECT_EQ(PartSlotTable::PlacementOf(PartSlotTable::PartOf(sibling)),
                      PartSlotTable::PlacementOf(PartSlotTable::PartOf(s))) << s;
            EXPECT_EQ(PartSlotTable::SiblingsOf(sibling).size(), PartSlotTable::SiblingsOf(s).size()) << s;
        }
}

TEST(PaintRoom, AMaskSlotIsPaintedInTwoValues)
{
    RoomPictures room = DefaultRoomPictures();
    room[slot::BedImage] = Filled(96, 76, 9);
    PaintPicture p = ReadPaintPicture(room, slot::BedMask);
    EXPECT_EQ(p, PaintPicture::Make(96, 76, kBlackIndex));

    p.set({0, 0}, kSeeThrough);
    EXPECT_EQ(WritePaintPicture(room, slot::BedMask, p, {0, 0, 1, 1}).changedSlots, (Slots{slot::BedImage, slot::BedMask}));
    EXPECT_EQ(room[slot::BedImage].index(0, 0), kBlackIndex);
    EXPECT_FALSE(MaskDrawsAt(room[slot::BedMask], 0, 0));
    // Any colour makes the mask draw again; the part keeps its black.
    p.set({0, 0}, 7);
    EXPECT_EQ(WritePaintPicture(room, slot::BedMask, p, {0, 0, 1, 1}).changedSlots, (Slots{slot::BedMask}));
    EXPECT_EQ(room[slot::BedImage].index(0, 0), kBlackIndex);
    EXPECT_TRUE(MaskDrawsAt(room[slot::BedMask], 0, 0));
    // No part is drawn through the night view's own mask.
    PaintPicture night = ReadPaintPicture(room, slot::WinNightMask);
    night.set({0, 0}, kSeeThrough);
    EXPECT_EQ(WritePaintPicture(room, slot::WinNightMask, night, {0, 0, 1, 1}).changedSlots, (Slots{slot::WinNightMask}));
}

TEST(PaintRoom, PicturesKeepTheirFormsUnlessTheyCannotHoldWhatIsPainted)
{
    RoomPictures room = DefaultRoomPictures();
    // A table whose colour table has the room's first red only at entry 5,
    // drawn through a mask stored with 8 bits.
    Bitmap& table = room[slot::TableImage];
    table.colours[5] = RoomPalette()[215];
    table.colours[215] = RgbQuad{1, 2, 3, 0};
    room[slot::TableMask] = Filled(77, 50, kBlackIndex);
    PaintPicture p = ReadPaintPicture(room, slot::TableImage);
    p.set({0, 0}, 215);
    p.set({1, 0}, kSeeThrough);
    PaintWriteBack w = WritePaintPicture(room, slot::TableImage, p, {0, 0, 2, 1});
    EXPECT_TRUE(w.reformed.empty());
    EXPECT_EQ(table.index(0, 0), 5);
    EXPECT_EQ(table.colours[215], (RgbQuad{1, 2, 3, 0}));
    EXPECT_EQ(room[slot::TableMask].bitsPerPixel, 8);
    EXPECT_EQ(room[slot::TableMask].index(1, 0), kWhiteIndex);

    // A mailbox of 24 bits and too narrow cannot take a room index: it is
    // put in the room palette at its slot's size, and the room looks as
    // before but for the painted pixel.
    Bitmap post = Bitmap::Make(40, 76, 24);
    for (size_t i = 0; i < post.pixels.size(); i += 3)
        post.pixels[i + 1] = 200;  // green
    room[slot::PostImage] = post;
    Bitmap expected = Composed(room);
    p = ReadPaintPicture(room, slot::PostImage);
    EXPECT_EQ(p.at({45, 0}), kSeeThrough);
    p.set({0, 0}, 215);
    w = WritePaintPicture(room, slot::PostImage, p, {0, 0, 1, 1});
    EXPECT_EQ(w.reformed, (Slots{slot::PostImage}));
    EXPECT_EQ(w.changedSlots, (Slots{slot::PostImage, slot::PostMask}));
    EXPECT_EQ(w.area, (PixelRect{0, 0, 50, 76}));
    expected.setIndex(15, 159, 215);
    EXPECT_EQ(Composed(room).pixels, expected.pixels);
    EXPECT_TRUE(CheckAccepts(room, slot::PostImage));
    EXPECT_EQ(ReadPaintPicture(room, slot::PostImage), p);
}

TEST(PaintRoom, AMaskInAnyFormKeepsItsMeaningWhenThePartIsPainted)
{
    const RgbQuad black{0, 0, 0, 0}, nearBlack{2, 1, 2, 0}, grey{128, 128, 128, 0}, nearWhite{250, 250, 250, 0};
    struct Form {
        const char* name;
        int32_t width, height;
        uint16_t bits;
        std::vector<RgbQuad> colours;
        uint8_t drawn, hidden;  // the entries that draw and that do not
    };
    const std::vector<Form> forms = {
        {"1-bit white first", 96, 76, 1, MaskColoursWhiteFirst(), 1, 0},
        {"1-bit black first", 96, 76, 1, MaskColoursBlackFirst(), 0, 1},
        {"1-bit near colours", 96, 76, 1, {nearWhite, nearBlack}, 1, 0},
        {"4-bit white first", 96, 76, 4, {kWhite, grey, black}, 2, 0},
        {"4-bit black first", 96, 76, 4, {black, grey, kWhite}, 0, 2},
        {"8-bit white first", 96, 76, 8, {kWhite, black}, 1, 0},
        {"8-bit black first", 96, 76, 8, {black, kWhite}, 0, 1},
        {"too small", 60, 40, 1, MaskColoursBlackFirst(), 0, 1},
        {"too large", 120, 90, 8, {nearBlack, nearWhite}, 0, 1},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.name);
        RoomPictures room = DefaultRoomPictures();
        std::vector<RgbQuad> colours = form.colours;
        colours.resize(size_t(1) << form.bits, kWhite);
        Bitmap mask = Bitmap::Make(form.width, form.height, form.bits, colours);
        auto draws = [](int32_t x, int32_t y) { return (x + 2 * y) % 3 != 0; };
        for (int32_t y = 0; y < form.height; ++y)
            for (int32_t x = 0; x < form.width; ++x)
                mask.setIndex(x, y, draws(x, y) ? form.drawn : form.hidden);
        room[slot::BedMask] = mask;
        room[slot::BedImage] = Filled(96, 76, 9);

        PaintPicture p = ReadPaintPicture(room, slot::BedImage);
        EXPECT_EQ(p.at({1, 0}), 9);
        EXPECT_EQ(p.at({0, 0}), kSeeThrough);
        p.set({0, 0}, 7);            // hidden, painted
        p.set({1, 0}, kSeeThrough);  // drawn, erased
        WritePaintPicture(room, slot::BedImage, p, {0, 0, 2, 1});
        for (int32_t y = 0; y < 76; ++y)
            for (int32_t x = 0; x < 96; ++x) {
                const bool expected = x == 0 && y == 0   ? true
                                      : x == 1 && y == 0 ? false
                                                         : x < form.width && y < form.height && draws(x, y);
                ASSERT_EQ(MaskDrawsAt(room[slot::BedMask], x, y), expected) << x << "," << y;
            }
        EXPECT_EQ(ReadPaintPicture(room, slot::BedImage), p);
    }
}

TEST(PaintRoom, AClickInTheRoomMeansTheTopmostPartDrawnThere)
{
    RoomPictures room = OpaqueRoom();
    PreviewState day, sleeping, letters, night;
    sleeping.bedSleeping = true;
    letters.lettersAndBubble = true;
    night.night = true;
    EXPECT_EQ(PartAt(room, day, 150, 100), slot::BedImage);
    EXPECT_EQ(PartAt(room, sleeping, 150, 100), slot::BedSleepingImage);
    EXPECT_EQ(PartAt(room, day, 160, 140), slot::TableImage);
    EXPECT_EQ(PartAt(room, letters, 160, 140), slot::Letter2Image);
    EXPECT_EQ(PartAt(room, day, -1, 0), slot::RoomImage);
    EXPECT_EQ(PartAt(room, day, 320, 0), slot::RoomImage);

    // A hole in the bed's mask shows the room beneath; the window view shows
    // only where the room's mask lets it.
    room[slot::BedMask].setIndex(150 - 105, 100 - 53, 1);
    EXPECT_EQ(PartAt(room, day, 150, 100), slot::RoomImage);
    EXPECT_EQ(PartAt(room, day, 100, 10), slot::RoomImage);
    room[slot::RoomMask].setIndex(100, 10, 1);
    EXPECT_EQ(PartAt(room, day, 100, 10), slot::WinDayImage);
    EXPECT_EQ(PartAt(room, night, 100, 10), slot::WinNightImage);

    // The bubble's 82 columns are drawn in 73: its last column lands on 319.
    room[slot::BubbleMask] = Mask(82, 71, true);
    for (int y = 0; y < 71; ++y)
        room[slot::BubbleMask].setIndex(81, y, 0);
    EXPECT_EQ(PartAt(room, letters, 319, 150), slot::BubbleImage);
    EXPECT_EQ(PartAt(room, letters, 318, 150), slot::RoomImage);
}

TEST(PaintRoom, ARegionUpdateComposesAsAFullPrepare)
{
    std::mt19937 rng(22);
    RoomPictures room = OpaqueRoom();
    for (Bitmap& b : room)
        for (uint8_t& px : b.pixels)
            px = uint8_t(rng() % (1u << b.bitsPerPixel));
    PreparedRoom prepared(room);
    PreviewState plain, everything, halfOpen;
    everything = PreviewState{true, DoorState::Open, true, true, true};
    halfOpen.door = DoorState::HalfOpen;
    auto expectSame = [&](int step) {
        const PreparedRoom fresh(room);
        for (const PreviewState& s : {plain, everything, halfOpen}) {
            Bitmap got, want;
            prepared.compose(s, got);
            fresh.compose(s, want);
            ASSERT_EQ(got.pixels, want.pixels) << "step " << step;
        }
    };
    for (int step = 0; step < 120; ++step) {
        const int slot = int(rng() % PartSlotTable::kSlotCount);
        Bitmap& b = room[size_t(slot)];
        const PixelRect area = Intersected({int32_t(rng() % b.width) - 2, int32_t(rng() % b.height) - 2,
                                            int32_t(rng() % 9), int32_t(rng() % 9)},
                                           {0, 0, b.width, b.height});
        for (int32_t y = area.y; y < area.y + area.height; ++y)
            for (int32_t x = area.x; x < area.x + area.width; ++x)
                b.setIndex(x, y, uint8_t(rng() % (1u << b.bitsPerPixel)));
        prepared.slotChanged(room, slot, area);
        expectSame(step);
    }
    // A picture that changes size is taken whole.
    room[slot::PostImage] = Filled(40, 76, 3);
    prepared.slotChanged(room, slot::PostImage, {0, 0, 1, 1});
    expectSame(-1);
}
