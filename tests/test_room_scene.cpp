// A room as one scene of layers and back: placing, cutting, the bubble's
// squeeze, the masks the night views take, and the whole trip.
#include "core/layers/room_scene.h"
#include "core/render/compose.h"
#include "core/room/default_room.h"
#include "core/room/room_lint.h"

#include "clean_noise_room.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

constexpr uint8_t R[4] = {255, 0, 0, 255};      // room index of pure red
constexpr uint8_t G[4] = {0, 255, 0, 255};
constexpr uint8_t T[4] = {9, 9, 9, 0};          // see-through, with a colour
constexpr uint8_t H[4] = {0, 0, 255, 100};      // half see-through blue

RgbaPicture Grid(int32_t width, int32_t height, std::initializer_list<const uint8_t*> pixels)
{
    RgbaPicture p{width, height, {}};
    for (const uint8_t* px : pixels)
        p.pixels.insert(p.pixels.end(), px, px + 4);
    return p;
}

SceneLayer Layer(const char* name, int32_t x, int32_t y, RgbaPicture picture)
{
    SceneLayer layer;
    layer.name = name;
    layer.x = x;
    layer.y = y;
    layer.picture = std::move(picture);
    return layer;
}

bool WhiteAt(const Bitmap& mask, int x, int y)
{
    return mask.colourAt(x, y).red == 255;
}

const uint8_t kRed = NearestRoomIndex(RgbQuad{0, 0, 255, 0});
const uint8_t kGreen = NearestRoomIndex(RgbQuad{0, 255, 0, 0});

std::vector<Bitmap> AllStates(const RoomPictures& pictures)
{
    std::vector<Bitmap> out;
    for (int night = 0; night < 2; ++night)
        for (DoorState door : {DoorState::Closed, DoorState::HalfOpen, DoorState::Open})
            for (int tbox = 0; tbox < 2; ++tbox)
                for (int bed = 0; bed < 2; ++bed)
                    for (int letters = 0; letters < 2; ++letters) {
                        Bitmap b;
                        ComposeRoom(pictures, PreviewState{night == 1, door, tbox == 1, bed == 1, letters == 1}, b);
                        out.push_back(std::move(b));
                    }
    return out;
}

}  // namespace

TEST(CutScene, PlacesALayerAtANegativeOffsetAndCutsOutThePartsPlace)
{
    // The window's place starts at (79, 0): a 3x3 layer at (78, -1) puts its
    // middle pixel on the part's top-left; five drawn pixels fall outside.
    Scene scene;
    scene.layers.push_back(Layer("WinDayImage", 78, -1, Grid(3, 3, {R, R, R,  R, G, R,  R, T, H})));
    const SceneCut cut = CutScene(DefaultRoomPictures(), scene, ImportChoices{});
    const Bitmap& part = cut.pictures[slot::WinDayImage];
    const Bitmap& mask = cut.pictures[slot::WinDayMask];
    ASSERT_EQ(part.width, 55);
    EXPECT_EQ(part.index(0, 0), kGreen);
    EXPECT_EQ(part.index(1, 0), kRed);
    EXPECT_FALSE(WhiteAt(mask, 0, 0));
    EXPECT_FALSE(WhiteAt(mask, 1, 0));
    // See-through (alpha 0, and 100 below the threshold): black and white in the mask.
    EXPECT_EQ(part.index(0, 1), kBlackIndex);
    EXPECT_TRUE(WhiteAt(mask, 0, 1));
    EXPECT_EQ(part.index(1, 1), kBlackIndex);
    EXPECT_TRUE(WhiteAt(mask, 1, 1));
    // What the layer does not cover is see-through.
    EXPECT_EQ(part.index(54, 82), kBlackIndex);
    EXPECT_TRUE(WhiteAt(mask, 54, 82));
    ASSERT_EQ(cut.warnings.size(), 1u);
    EXPECT_EQ(cut.warnings[0].kind, SceneWarning::Kind::Outside);
    EXPECT_EQ(cut.warnings[0].count, 5);
    EXPECT_EQ(cut.changedSlots, (std::vector<int>{slot::WinDayImage, slot::WinDayMask}));

    // A lower threshold draws the half see-through pixel; 0 draws the
    // alpha-0 one too, but what the layer does not cover stays see-through.
    ImportChoices low;
    low.alphaThreshold = 100;
    EXPECT_FALSE(WhiteAt(CutScene(DefaultRoomPictures(), scene, low).pictures[slot::WinDayMask], 1, 1));
    low.alphaThreshold = 0;
    const SceneCut all = CutScene(DefaultRoomPictures(), scene, low);
    EXPECT_FALSE(WhiteAt(all.pictures[slot::WinDayMask], 0, 1));
    EXPECT_TRUE(WhiteAt(all.pictures[slot::WinDayMask], 2, 0));
}

TEST(CutScene, NamesTrimmedInAnyCaseTheTopLayerWinsOthersAreListed)
{
    Scene scene;
    scene.layers.push_back(Layer("bedimage", 105, 53, Grid(1, 1, {R})));
    scene.layers.push_back(Layer("  BEDIMAGE ", 105, 53, Grid(1, 1, {G})));
    scene.layers.push_back(Layer("Sketch", 0, 0, Grid(1, 1, {R})));
    scene.layers.back().visible = false;
    scene.layers.push_back(Layer("TableImage", 142, 129, Grid(1, 1, {R})));
    scene.layers.back().plain = false;
    scene.layers.back().visible = false;  // hidden layers count like visible ones
    const RoomPictures before = DefaultRoomPictures();
    const SceneCut cut = CutScene(before, scene, ImportChoices{});
    EXPECT_EQ(cut.pictures[slot::BedImage].index(0, 0), kGreen);
    EXPECT_EQ(cut.pictures[slot::TableImage].index(0, 0), kRed);
    ASSERT_EQ(cut.taken.size(), 2u);
    EXPECT_EQ(cut.taken[0].part, slot::BedImage);
    EXPECT_EQ(cut.taken[0].layer, "  BEDIMAGE ");
    std::vector<SceneWarning::Kind> kinds;
    for (const SceneWarning& w : cut.warnings)
        kinds.push_back(w.kind);
    EXPECT_EQ(kinds, (std::vector<SceneWarning::Kind>{SceneWarning::Kind::Covered, SceneWarning::Kind::NoPart,
                                                        SceneWarning::Kind::NotPlain}));
    // Parts the scene lacks stay as they were.
    EXPECT_TRUE(cut.pictures[slot::DoorCloseImage].samePicture(before[slot::DoorCloseImage]));

    scene.width = 640;
    EXPECT_THROW(CutScene(before, scene, ImportChoices{}), SceneError);
}

TEST(CutScene, ANightViewSetsItsOwnMaskNeverTheDayViewsMask)
{
    const RoomPictures before = DefaultRoomPictures();
    Scene scene;
    scene.layers.push_back(Layer("WinNightImage", 79, 0, Grid(2, 1, {T, G})));
    scene.layers.push_back(Layer("DoorNightImage", 236, 35, Grid(1, 1, {R})));
    const SceneCut cut = CutScene(before, scene, ImportChoices{});
    EXPECT_EQ(cut.pictures[slot::WinNightImage].index(1, 0), kGreen);
    EXPECT_TRUE(WhiteAt(cut.pictures[slot::WinNightMask], 0, 0));
    EXPECT_TRUE(cut.pictures[slot::WinDayMask].samePicture(before[slot::WinDayMask]));
    EXPECT_TRUE(cut.pictures[slot::DoorDayMask].samePicture(before[slot::DoorDayMask]));
    EXPECT_EQ(cut.changedSlots, (std::vector<int>{slot::WinNightImage, slot::DoorNightImage, slot::WinNightMask,
                                                   slot::DoorNightMask}));
}

TEST(Bubble, SqueezedAsTheRoomDrawsItAndItsSkippedColumnsTakeTheirLeftNeighbour)
{
    // Column k of the bubble holds room colour k + 1, so each layer column
    // tells which it came from.
    RoomPictures pictures = DefaultRoomPictures();
    Bitmap& bubble = pictures[slot::BubbleImage];
    for (int y = 0; y < bubble.height; ++y)
        for (int x = 0; x < bubble.width; ++x)
            bubble.setIndex(x, y, uint8_t(x + 1));
    Bitmap& mask = pictures[slot::BubbleMask];
    const uint8_t drawnIndex = mask.colours[0].red == 0 ? 0 : 1;
    std::fill(mask.pixels.begin(), mask.pixels.end(), drawnIndex);
    const Scene scene = SceneOfRoom(pictures);
    const SceneLayer& layer = scene.layers.back();
    ASSERT_EQ(layer.name, "BubbleImage");
    ASSERT_EQ(layer.picture.width, 73);
    EXPECT_EQ(layer.x, 247);
    // The room draws source column (2x + 1) * 82 / 146: 0, 1, 2, 3, 5, ...
    std::vector<int> drawn;
    for (int x = 0; x < 6; ++x) {
        const uint8_t* px = &layer.picture.pixels[size_t(x) * 4];
        drawn.push_back(NearestRoomIndex(RgbQuad{px[2], px[1], px[0], 0}) - 1);
    }
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3, 5, 6}));

    const RgbaPicture wide = UnsqueezeBubble(layer.picture);
    ASSERT_EQ(wide.width, 82);
    const auto column = [&](int x) {
        const uint8_t* px = &wide.pixels[size_t(x) * 4];
        return NearestRoomIndex(RgbQuad{px[2], px[1], px[0], 0}) - 1;
    };
    EXPECT_EQ(column(3), 3);
    EXPECT_EQ(column(4), 3);  // skipped: its left neighbour
    EXPECT_EQ(column(5), 5);
    EXPECT_EQ(column(81), 81);
}

TEST(SceneTrip, TheDefaultRoomComesBackButForTheBubblesUndrawnColumns)
{
    const RoomPictures before = DefaultRoomPictures();
    const Scene scene = SceneOfRoom(before);
    ASSERT_EQ(scene.layers.size(), 20u);
    EXPECT_EQ(scene.layers[5].name, "RoomImage");  // above the views, as the room draws them
    int visible = 0;
    for (const SceneLayer& l : scene.layers)
        visible += l.visible;
    EXPECT_EQ(visible, 9);
    const SceneCut cut = CutScene(before, scene, ImportChoices{});
    EXPECT_EQ(cut.warnings.size(), 0u);
    for (int s = 0; s < PartSlotTable::kSlotCount; ++s) {
        if (PartSlotTable::PartOf(s) == slot::BubbleImage)
            continue;
        EXPECT_TRUE(cut.pictures[size_t(s)].samePicture(before[size_t(s)])) << "slot " << s;
    }
    const Bitmap& b = cut.pictures[slot::BubbleImage];
    int differing = 0;
    for (int x = 0; x < 82; ++x) {
        bool same = true;
        for (int y = 0; y < b.height; ++y)
            same = same && b.index(x, y) == before[slot::BubbleImage].index(x, y);
        differing += !same;
    }
    EXPECT_LE(differing, 9);
}

TEST(SceneTrip, ACleanRoomOfNoiseKeepsItsPartsDrawnMasksAndEveryState)
{
    const RoomPictures before = test::CleanNoiseRoom(29);
    ASSERT_TRUE(LintRoom(before, RoomPalette()).empty());
    ImportChoices fs;
    fs.dither = Dithering::FloydSteinberg;  // room colours come back as themselves under any dithering
    const SceneCut cut = CutScene(before, SceneOfRoom(before), fs);
    for (int s = 0; s < PartSlotTable::kSlotCount; ++s) {
        if (PartSlotTable::PartOf(s) == slot::BubbleImage || s == slot::WinNightMask || s == slot::DoorNightMask)
            continue;
        EXPECT_TRUE(cut.pictures[size_t(s)].samePicture(before[size_t(s)])) << "slot " << s;
    }
    EXPECT_EQ(AllStates(cut.pictures).size(), 48u);
    const std::vector<Bitmap> a = AllStates(before), b = AllStates(cut.pictures);
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i].pixels, b[i].pixels) << "state " << i;
}
