#include "picture_helpers.h"
#include "core/render/compose.h"
#include "core/render/prepared_room.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <set>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr Placement kWindow{79, 0, 133, 82};
constexpr Placement kDoorView{236, 35, 315, 123};

// An opaque room whose room picture is black with a white mask over the
// window and the door view, so both views show through.
RoomPictures RoomWithOpenings()
{
    RoomPictures p = OpaqueRoom();
    Bitmap& room = p[slot::RoomImage];
    Bitmap& roomMask = p[slot::RoomMask];
    for (const Placement& r : {kWindow, kDoorView}) {
        FillRect(room, r, kBlackIndex);
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x)
                roomMask.setIndex(x, y, 1);  // black-first mask: 1 is white
    }
    return p;
}

// What the layer order gives when every layer is opaque: the last layer
// covering a pixel wins.
Bitmap PaintedExpectation(const PreviewState& s)
{
    Bitmap b = Filled(320, 240, PartIndex(4));
    FillRect(b, kWindow, PartIndex(s.night ? 1 : 0));
    FillRect(b, kDoorView, PartIndex(s.night ? 19 : 3));
    const int box = s.treasureBoxOpen ? 11 : 10;
    const int bed = s.bedSleeping ? 9 : 8;
    const int door = s.door == DoorState::Open ? 7 : s.door == DoorState::HalfOpen ? 6 : 5;
    for (const auto& [part, placeOf] :
         std::initializer_list<std::pair<int, int>>{{13, 13}, {15, 15}, {12, 12}, {box, 10}, {bed, 8}, {door, 5}})
        FillRect(b, PartSlotTable::PlacementOf(placeOf), PartIndex(part));
    if (s.lettersAndBubble)
        for (int part : {16, 17, 18, 14})
            FillRect(b, PartSlotTable::PlacementOf(part), PartIndex(part));
    return b;
}

std::vector<PreviewState> AllStates()
{
    std::vector<PreviewState> states;
    for (int i = 0; i < 48; ++i)
        states.push_back(PreviewState{(i & 1) != 0, DoorState(i / 2 % 3), (i / 6 & 1) != 0, (i / 12 & 1) != 0,
                                      (i / 24 & 1) != 0});
    return states;
}

Bitmap Compose(const RoomPictures& p, const PreviewState& s)
{
    Bitmap out;
    ComposeRoom(p, s, out);
    return out;
}

Bitmap Row(std::initializer_list<uint8_t> indices)
{
    Bitmap b = Filled(int(indices.size()), 1, 0);
    b.pixels.assign(indices);
    return b;
}

}  // namespace

TEST(ComposeRoom, EveryStateStacksTheLayersInOrder)
{
    const RoomPictures p = RoomWithOpenings();
    for (const PreviewState& s : AllStates()) {
        const Bitmap out = Compose(p, s);
        ASSERT_EQ(out.width, 320);
        ASSERT_EQ(out.height, 240);
        ASSERT_EQ(out.bitsPerPixel, 8);
        EXPECT_EQ(out.colours, RoomPaletteVector());
        EXPECT_EQ(out.pixels, PaintedExpectation(s).pixels)
            << "night " << s.night << " door " << int(s.door) << " box " << s.treasureBoxOpen << " bed "
            << s.bedSleeping << " letters " << s.lettersAndBubble;
    }
}

TEST(ComposeRoom, ViewsShowOnlyThroughTheWhiteRoomMask)
{
    RoomPictures p = RoomWithOpenings();
    p[slot::RoomMask] = Mask(320, 240, false);
    std::set<uint8_t> seen;
    for (const PreviewState& s : AllStates())
        for (uint8_t v : Compose(p, s).pixels)
            seen.insert(v);
    for (int view : {0, 1, 3, 19})
        EXPECT_FALSE(seen.count(PartIndex(view))) << view;
    EXPECT_FALSE(seen.count(kWhiteIndex));
}

TEST(ComposeRoom, WhereRoomAndViewMasksAreWhiteTheBackgroundShows)
{
    RoomPictures p = RoomWithOpenings();
    p[0] = Filled(55, 83, kBlackIndex);
    p[20] = Mask(55, 83, true, true);
    const Bitmap out = Compose(p, PreviewState{});
    EXPECT_EQ(out.index(79, 0), kWhiteIndex);
    EXPECT_EQ(out.index(133, 52), kWhiteIndex);  // the bed covers the rows below
    EXPECT_EQ(out.index(134, 0), PartIndex(4));
}

TEST(ComposeRoom, UnusedSlotsAndNightMasksChangeNothing)
{
    const RoomPictures p = RoomWithOpenings();
    RoomPictures q = p;
    q[2] = Filled(55, 83, 99);
    q[22] = Mask(55, 83, true);
    q[21] = Mask(55, 83, true);  // night masks differ from the day masks
    q[39] = Mask(80, 89, true, true);
    for (const PreviewState& s : AllStates())
        EXPECT_EQ(Compose(q, s).pixels, Compose(p, s).pixels);
}

TEST(ComposeRoom, ComposingAgainStartsFromWhite)
{
    const RoomPictures p = RoomWithOpenings();
    Bitmap out;
    ComposeRoom(p, PreviewState{true, DoorState::Open, true, true, true}, out);
    ComposeRoom(p, PreviewState{}, out);
    EXPECT_EQ(out.pixels, Compose(p, PreviewState{}).pixels);
    ComposeRoom(p, PreviewState{}, out);
    EXPECT_EQ(out.pixels, Compose(p, PreviewState{}).pixels);

    Bitmap wrongForm = Filled(3, 3, 7);  // replaced, not drawn into
    ComposeRoom(p, PreviewState{}, wrongForm);
    EXPECT_TRUE(wrongForm.samePicture(Compose(p, PreviewState{})));
}

TEST(ComposeRoom, BubbleIsReducedToColumns247To319PictureAndMaskAlike)
{
    RoomPictures p = RoomWithOpenings();
    Bitmap& bubble = p[14];
    for (int y = 0; y < 71; ++y)
        for (int x = 0; x < 82; ++x)
            bubble.setIndex(x, y, uint8_t(100 + x));
    const PreviewState withBubble{false, DoorState::Closed, false, false, true};
    const Bitmap full = Compose(p, withBubble);
    std::vector<int> row;
    for (int x = 247; x <= 319; ++x)
        row.push_back(full.index(x, 150));
    EXPECT_EQ(row.front(), 100);
    EXPECT_EQ(row.back(), 181);  // column 319 is the last, showing the last source column
    EXPECT_EQ(full.index(246, 150), PaintedExpectation(PreviewState{}).index(246, 150));
    EXPECT_EQ(std::set<int>(row.begin(), row.end()).size(), 73u);
    EXPECT_TRUE(std::is_sorted(row.begin(), row.end()));
    EXPECT_EQ(full.index(319, 142), 181);
    EXPECT_EQ(full.index(319, 212), 181);
    EXPECT_EQ(full.index(300, 213), PaintedExpectation(PreviewState{}).index(300, 213));

    // See-through mask and black picture over source columns 40..45: exactly
    // the target columns that showed those columns now show what is beneath.
    for (int y = 0; y < 71; ++y)
        for (int x = 40; x <= 45; ++x) {
            bubble.setIndex(x, y, kBlackIndex);
            p[34].setIndex(x, y, 1);  // black-first mask: 1 is white
        }
    const Bitmap holed = Compose(p, withBubble);
    const Bitmap beneath = Compose(p, PreviewState{});
    int holes = 0;
    for (int x = 247; x <= 319; ++x) {
        const bool wasHole = full.index(x, 150) >= 140 && full.index(x, 150) <= 145;
        holes += wasHole;
        EXPECT_EQ(holed.index(x, 150), wasHole ? beneath.index(x, 150) : full.index(x, 150)) << x;
    }
    EXPECT_GE(holes, 5);
}

TEST(DrawMaskedPart, OutcomeTable)
{
    // Columns: white mask over part 0x0F on 0xF0; black mask; white mask over
    // a black part; white mask over another colour (AND of the indices).
    Bitmap target = Row({0xF0, 0xF0, 0x33, 0x46});
    const Bitmap part = Row({0x0F, 0x0F, kBlackIndex, 0x16});
    Bitmap mask = Bitmap::Make(4, 1, 1, MaskColoursBlackFirst());
    mask.pixels = {1, 0, 1, 1};
    DrawMaskedPart(target, Placement{0, 0, 3, 0}, part, mask, PartSize{4, 1});
    EXPECT_EQ(target.pixels, (std::vector<uint8_t>{0x00, 0x0F, 0x33, 0x06}));
}

TEST(DrawMaskedPart, MaskColourCountsNotItsBit)
{
    const Bitmap part = Row({0x21, 0x21});
    for (bool whiteFirst : {false, true}) {
        Bitmap target = Row({0xF0, 0xF0});
        Bitmap mask = Bitmap::Make(2, 1, 1, whiteFirst ? MaskColoursWhiteFirst() : MaskColoursBlackFirst());
        mask.pixels = {0, 1};
        DrawMaskedPart(target, Placement{0, 0, 1, 0}, part, mask, PartSize{2, 1});
        const std::vector<uint8_t> expect = whiteFirst ? std::vector<uint8_t>{0x20, 0x21}
                                                       : std::vector<uint8_t>{0x21, 0x20};
        EXPECT_EQ(target.pixels, expect) << whiteFirst;
    }
}

TEST(DrawMaskedPart, EightBitMasksGoColourByColour)
{
    // A mask in a foreign table: black, white, and a grey that is room index 247.
    Bitmap mask = Bitmap::Make(3, 1, 8);
    mask.colours[5] = RgbQuad{0, 0, 0, 0};
    mask.colours[6] = RgbQuad{255, 255, 255, 0};
    mask.colours[7] = RgbQuad{187, 187, 187, 0};
    mask.pixels = {5, 6, 7};
    Bitmap target = Row({0x10, 0x10, 0x00});
    DrawMaskedPart(target, Placement{0, 0, 2, 0}, Row({0x21, 0x21, kBlackIndex}), mask, PartSize{3, 1});
    EXPECT_EQ(target.pixels, (std::vector<uint8_t>{0x21, 0x00, 247}));
}

TEST(DrawMaskedPart, ForeignPalettesAndTrueColourMapToNearestRoomColour)
{
    const auto& room = RoomPalette();
    Bitmap reversed = Bitmap::Make(3, 1, 8);
    for (size_t i = 0; i < 256; ++i)
        reversed.colours[i] = room[255 - i];
    reversed.colours[9] = RgbQuad{250, 250, 250, 0};  // near white
    reversed.pixels = {3, 0, 9};
    Bitmap target = Row({0xFF, 0xFF, 0xFF});
    DrawMaskedPart(target, Placement{0, 0, 2, 0}, reversed, Mask(3, 1, false), PartSize{3, 1});
    EXPECT_EQ(target.pixels, (std::vector<uint8_t>{252, 255, 0}));

    Bitmap rgb = Bitmap::Make(3, 1, 24);
    rgb.pixels = {0, 0, 255, /**/ 1, 1, 254, /**/ 187, 187, 187};  // blue, green, red
    target = Row({0xFF, 0xFF, 0xFF});
    DrawMaskedPart(target, Placement{0, 0, 2, 0}, rgb, Mask(3, 1, false), PartSize{3, 1});
    EXPECT_EQ(target.pixels, (std::vector<uint8_t>{35, 35, 247}));  // 35 is pure red in the cube
    EXPECT_EQ(room[35], (RgbQuad{0, 0, 255, 0}));
}

TEST(DrawMaskedPart, SmallerPicturesLeaveTheRestLargerGiveTheirTopLeft)
{
    const Placement bed = PartSlotTable::PlacementOf(8);
    Bitmap target = Filled(320, 240, 50);
    DrawMaskedPart(target, bed, Filled(10, 5, 0x21), Mask(96, 76, false), PartSize{96, 76});
    EXPECT_EQ(target.index(105, 53), 0x21);
    EXPECT_EQ(target.index(114, 57), 0x21);
    EXPECT_EQ(target.index(115, 57), 50);
    EXPECT_EQ(target.index(114, 58), 50);
    EXPECT_EQ(target.index(200, 128), 50);

    target = Filled(320, 240, 50);  // a mask smaller than the part limits it alike
    DrawMaskedPart(target, bed, Filled(96, 76, 0x21), Mask(3, 76, false), PartSize{96, 76});
    EXPECT_EQ(target.index(107, 100), 0x21);
    EXPECT_EQ(target.index(108, 100), 50);

    Bitmap large = Filled(200, 200, 0x21);
    FillRect(large, Placement{96, 0, 199, 199}, 0x99);
    FillRect(large, Placement{0, 76, 199, 199}, 0x99);
    target = Filled(320, 240, 50);
    DrawMaskedPart(target, bed, large, Mask(200, 200, false), PartSize{96, 76});
    EXPECT_EQ(target.index(200, 128), 0x21);
    EXPECT_EQ(target.index(201, 128), 50);
    EXPECT_EQ(target.index(200, 129), 50);
    EXPECT_EQ(std::count(target.pixels.begin(), target.pixels.end(), 0x99), 0);
}

TEST(DrawMaskedPart, StaysInsideWhateverTheSizes)
{
    Bitmap target = Filled(4, 4, 50);
    const Bitmap part = Row({1, 2, 3, 4});
    DrawMaskedPart(target, Placement{-2, 0, 1, 3}, part, Mask(4, 1, false), PartSize{4, 4});
    EXPECT_EQ(target.index(0, 0), 3);  // target column 0 is source column 2
    EXPECT_EQ(target.index(1, 0), 4);
    EXPECT_EQ(target.index(2, 0), 50);
    EXPECT_EQ(target.index(0, 1), 50);  // the part has one row only

    DrawMaskedPart(target, Placement{3, 3, 400, 400}, Filled(300, 300, 9), Mask(300, 300, false), {300, 300});
    EXPECT_EQ(target.index(3, 3), 9);
    EXPECT_EQ(target.index(2, 3), 50);
    EXPECT_EQ(target.index(3, 2), 50);

    // Placements wholly outside, turned inside out or beyond any range, and
    // pictures without whole pixels draw nothing at all.
    const std::vector<uint8_t> before = target.pixels;
    DrawMaskedPart(target, Placement{10, 10, 20, 20}, part, Mask(4, 1, false), PartSize{4, 1});
    EXPECT_EQ(target.pixels, before) << "placement outside the target";
    DrawMaskedPart(target, Placement{2, 2, 1, 1}, part, Mask(4, 1, false), PartSize{4, 1});
    EXPECT_EQ(target.pixels, before) << "right of left, bottom above top";
    DrawMaskedPart(target, Placement{0, 0, 3, 3}, Bitmap{}, Mask(4, 1, false), PartSize{4, 4});
    EXPECT_EQ(target.pixels, before) << "empty picture";
    DrawMaskedPart(target, Placement{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, part, Mask(4, 1, false), {4, 1});
    EXPECT_EQ(target.pixels, before) << "extreme placement";
    Bitmap shortBuffer = Filled(4, 4, 9);
    shortBuffer.pixels.resize(3);
    DrawMaskedPart(target, Placement{0, 0, 3, 3}, shortBuffer, Mask(4, 4, false), PartSize{4, 4});
    EXPECT_EQ(target.pixels, before) << "picture shorter than its size";

    Bitmap rgbTarget = Bitmap::Make(4, 4, 24);
    EXPECT_THROW(DrawMaskedPart(rgbTarget, Placement{0, 0, 1, 1}, part, Mask(4, 1, false), {4, 1}),
                 std::invalid_argument);
}

TEST(DrawMaskedPart, DrawingAPictureOntoItselfReadsTheOriginal)
{
    Bitmap target = Row({1, 2, 3, 4});
    DrawMaskedPart(target, Placement{1, 0, 3, 0}, target, Mask(4, 1, false), PartSize{3, 1});
    EXPECT_EQ(target.pixels, (std::vector<uint8_t>{1, 1, 2, 3}));
}

namespace {

// Pictures of every kind a room may hold: noise in the room palette, masks of
// one bit and of eight, a part in a foreign palette and one in true colour,
// and sizes other than the slot's (smaller, larger).
RoomPictures MixedNoiseRoom(uint32_t seed)
{
    std::mt19937 rng(seed);
    RoomPictures p = OpaqueRoom();
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        Bitmap& b = p[size_t(slot)];
        const bool mask = PartSlotTable::IsMask(slot);
        if (slot == slot::BedImage) {
            b = Bitmap::Make(b.width - 5, b.height + 3, 24);
        } else if (slot == slot::TableImage) {
            std::vector<RgbQuad> reversed(RoomPalette().rbegin(), RoomPalette().rend());
            b = Bitmap::Make(b.width, b.height, 8, reversed);
        } else if (slot == slot::DoorCloseMask) {
            b = Bitmap::Make(b.width, b.height, 8, RoomPaletteVector());
        }
        const uint32_t modulo = b.bitsPerPixel == 24 ? 256 : (mask && b.bitsPerPixel == 8 ? 3 : 1u << b.bitsPerPixel);
        for (auto& px : b.pixels)
            px = uint8_t(rng() % modulo);
    }
    return p;
}

}  // namespace

TEST(PreparedRoom, ComposesWhatComposeRoomDoesAlsoAfterSlotChanges)
{
    RoomPictures pictures = MixedNoiseRoom(7);
    PreparedRoom prepared(pictures);
    auto expectSame = [&](const char* when) {
        for (const PreviewState& s : AllStates()) {
            Bitmap cached;
            ComposeRoom(prepared, s, cached);
            ASSERT_TRUE(cached.samePicture(Compose(pictures, s))) << when;
        }
    };
    expectSame("prepared once");

    // A base layer's mask, a state's picture and a shared day mask change;
    // each is told, and only then composed.
    const RoomPictures other = MixedNoiseRoom(8);
    for (int slot : {int(slot::RoomMask), int(slot::DoorHalfImage), int(slot::WinDayMask)}) {
        pictures[size_t(slot)] = other[size_t(slot)];
        prepared.slotChanged(pictures, slot);
    }
    expectSame("after slot changes");

    Bitmap white;
    PreparedRoom().compose(PreviewState{}, white);
    EXPECT_TRUE(std::all_of(white.pixels.begin(), white.pixels.end(), [](uint8_t v) { return v == kWhiteIndex; }));
}
