// Pictures of another size and of any colours into a slot: fitting and dithering.
#include "core/edit/picture_convert.h"
#include "core/image/bmp.h"
#include "core/image/palette.h"
#include "core/room/slot_table.h"

#include <gtest/gtest.h>

#include <map>

using namespace velmora;

namespace {

struct Rgba {
    uint8_t r, g, b, a;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Rows top-down, width given.
RgbaPicture Picture(int32_t width, std::initializer_list<Rgba> pixels)
{
    RgbaPicture p{width, int32_t(pixels.size()) / width, {}};
    for (const Rgba& c : pixels)
        p.pixels.insert(p.pixels.end(), {c.r, c.g, c.b, c.a});
    return p;
}

RgbaPicture Flat(int32_t width, int32_t height, Rgba c)
{
    RgbaPicture p{width, height, {}};
    for (int32_t i = 0; i < width * height; ++i)
        p.pixels.insert(p.pixels.end(), {c.r, c.g, c.b, c.a});
    return p;
}

std::vector<Rgba> Pixels(const RgbaPicture& p)
{
    std::vector<Rgba> out;
    for (size_t i = 0; i + 3 < p.pixels.size(); i += 4)
        out.push_back({p.pixels[i], p.pixels[i + 1], p.pixels[i + 2], p.pixels[i + 3]});
    return out;
}

Rgba Grey(uint8_t v, uint8_t a = 255)
{
    return {v, v, v, a};
}

uint8_t RoomColour(uint8_t r, uint8_t g, uint8_t b)
{
    return NearestRoomIndex(RgbQuad{b, g, r, 0});
}

constexpr Rgba kClear{0, 0, 0, 0};

}  // namespace

TEST(FitPicture, EachFitOfA3x2PictureIntoA2x2Frame)
{
    // C is see-through white: under scaling it lends alpha, never colour.
    const Rgba A = Grey(0), B = Grey(60), C = Grey(255, 0), D = Grey(60), E = Grey(120), F = Grey(240);
    const RgbaPicture picture = Picture(3, {A, B, C, D, E, F});

    EXPECT_THROW(FitPicture(picture, 2, 2, Fitting::Exact), std::invalid_argument);
    // Scaled to 2x1 in the top row (2/3 rounds to 1, the spare row below):
    // each pixel takes one and a half source columns of both rows.
    // Left (2A + B + 2D + E) / 6 = 50; right (B + 2C + E + 2F), C weighing nothing: 165, alpha 4/6.
    EXPECT_EQ(Pixels(FitPicture(picture, 2, 2, Fitting::Contain)),
              (std::vector<Rgba>{Grey(50), Grey(165, 170), kClear, kClear}));
    // 1:1 covers; the middle of three columns, a column to the left.
    EXPECT_EQ(Pixels(FitPicture(picture, 2, 2, Fitting::Cover)), (std::vector<Rgba>{A, B, D, E}));
    EXPECT_EQ(Pixels(FitPicture(picture, 2, 2, Fitting::Crop)), (std::vector<Rgba>{A, B, D, E}));
    // What the picture does not reach is see-through.
    EXPECT_EQ(Pixels(FitPicture(picture, 2, 3, Fitting::Crop)), (std::vector<Rgba>{A, B, D, E, kClear, kClear}));
    EXPECT_EQ(Pixels(FitPicture(picture, 3, 2, Fitting::Contain)), Pixels(picture));
}

TEST(FitPicture, AScaledSideRoundsToTheNearestPixel)
{
    // Columns of one grey each, so only the widths decide.
    const Rgba A = Grey(0), B = Grey(100), C = Grey(90), D = Grey(180);
    // 2x3 contained in 4x4: 4 rows high, 8/3 = 2.67 columns wide, so 3
    // columns, the middle one half of each, and the spare column right.
    const RgbaPicture two = Picture(2, {A, B, A, B, A, B});
    const std::vector<Rgba> row = {A, Grey(50), B, kClear};
    std::vector<Rgba> contained;
    for (int y = 0; y < 4; ++y)
        contained.insert(contained.end(), row.begin(), row.end());
    EXPECT_EQ(Pixels(FitPicture(two, 4, 4, Fitting::Contain)), contained);
    // 3x2 covering 4x3: 3 rows high, 4.5 columns wide, so 5 columns of which
    // the first four are kept: A, 2/3 A + 1/3 C, C, 1/3 C + 2/3 D.
    const RgbaPicture three = Picture(3, {A, C, D, A, C, D});
    const std::vector<Rgba> covered = {A, Grey(30), C, Grey(150)};
    std::vector<Rgba> cover;
    for (int y = 0; y < 3; ++y)
        cover.insert(cover.end(), covered.begin(), covered.end());
    EXPECT_EQ(Pixels(FitPicture(three, 4, 3, Fitting::Cover)), cover);
}

TEST(FitPicture, WholeNumberScalesRepeatOrAverageWholePixels)
{
    // Pixel art doubled stays sharp; halved it averages each 2x2 block.
    const Rgba X = {255, 0, 0, 255}, Y = {0, 0, 255, 255};
    EXPECT_EQ(Pixels(FitPicture(Picture(2, {X, Y}), 4, 2, Fitting::Cover)), (std::vector<Rgba>{X, X, Y, Y, X, X, Y, Y}));
    const RgbaPicture blocks = Picture(4, {Grey(10), Grey(30), X, X, Grey(50), Grey(70), X, Y});
    EXPECT_EQ(Pixels(FitPicture(blocks, 2, 1, Fitting::Contain)), (std::vector<Rgba>{Grey(40), {191, 0, 64, 255}}));
    // A long thin picture covering a frame makes only the part it keeps.
    const RgbaPicture line = Flat(1, kMaxBmpSide, X);
    EXPECT_EQ(Pixels(FitPicture(line, 320, 240, Fitting::Cover)), Pixels(Flat(320, 240, X)));
}

TEST(RoomIndices, RoomColoursStayThemselvesUnderEveryDithering)
{
    // Every room colour as an 8x8 block, so each meets all 64 thresholds.
    RgbaPicture picture{128, 128, std::vector<uint8_t>(128 * 128 * 4)};
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const RgbQuad c = RoomPalette()[size_t(y / 8 * 16 + x / 8)];
            uint8_t* p = &picture.pixels[size_t(y * 128 + x) * 4];
            p[0] = c.red, p[1] = c.green, p[2] = c.blue, p[3] = 255;
        }
    const std::vector<uint8_t> plain = RoomIndices(picture, Dithering::None);
    for (size_t i = 0; i < plain.size(); ++i)
        ASSERT_EQ(RoomPalette()[plain[i]], RoomPalette()[size_t(i / 1024 * 16 + i % 128 / 8)]) << i;
    EXPECT_EQ(RoomIndices(picture, Dithering::FloydSteinberg), plain);
    EXPECT_EQ(RoomIndices(picture, Dithering::Ordered), plain);
}

TEST(RoomIndices, AFlatColourBetweenTwoRoomColoursMixesThemInProportion)
{
    struct Case {
        Rgba colour;
        uint8_t low, high;
        double highShare;
    };
    const Case cases[] = {
        {{255, 15, 0, 255}, RoomColour(255, 0, 0), RoomColour(255, 51, 0), 15.0 / 51},      // cube neighbours
        {{230, 0, 0, 255}, RoomColour(238, 0, 0), RoomColour(221, 0, 0), 8.0 / 17},         // red ramp
        {{120, 120, 120, 255}, RoomColour(119, 119, 119), RoomColour(136, 136, 136), 1.0 / 17},  // grey ramp
    };
    for (const Case& c : cases)
        for (Dithering d : {Dithering::FloydSteinberg, Dithering::Ordered}) {
            std::map<uint8_t, int> count;
            for (uint8_t i : RoomIndices(Flat(64, 64, c.colour), d))
                ++count[i];
            EXPECT_EQ(count.size(), 2u) << int(c.colour.r) << " dithering " << int(d);
            EXPECT_NEAR(count[c.high] / 4096.0, c.highShare, 0.02) << int(c.colour.r) << " dithering " << int(d);
            EXPECT_EQ(count[c.low] + count[c.high], 4096);
        }
}

TEST(RoomIndices, SeeThroughPixelsTakeAndPassNoError)
{
    // Green 20 is 20 from red (255, 0, 0) and 31 from orange (255, 51, 0).
    // Worked through by hand: the top row keeps its 320/16 of green error
    // from the hidden pixel, and the second row, right to left, tips over.
    const uint8_t R = RoomColour(255, 0, 0), O = RoomColour(255, 51, 0), K = kBlackIndex;
    const std::vector<uint8_t> expected = {R, K, R, O, R, O};
    for (Rgba hidden : {Rgba{0, 0, 0, 0}, Rgba{255, 255, 255, 100}, Rgba{0, 255, 0, 127}}) {
        const Rgba p{255, 20, 0, 255};
        const RgbaPicture picture = Picture(3, {p, hidden, p, p, p, p});
        EXPECT_EQ(RoomIndices(picture, Dithering::FloydSteinberg), expected) << int(hidden.a);
        EXPECT_EQ(RoomIndices(picture, Dithering::Ordered)[1], K);
    }
}

TEST(RoomIndices, FloydSteinbergSpreadsEachShareToItsOwnNeighbour)
{
    // Green 14 lies between red (255, 0, 0) and orange (255, 51, 0). Three
    // rows, so that the 7, 3, 5 and 1 sixteenths and the direction of the
    // second and third rows all show: another weight in any place, or rows
    // all one way, gives another picture.
    const uint8_t R = RoomColour(255, 0, 0), O = RoomColour(255, 51, 0);
    const std::vector<uint8_t> expected = {
        R, R, R, R,  //
        O, R, O, R,  //
        R, R, R, O,
    };
    EXPECT_EQ(RoomIndices(Flat(4, 3, {255, 14, 0, 255}), Dithering::FloydSteinberg), expected);
}

TEST(ConvertToSlot, FittingAndTheThresholdMakeThePartAndItsMask)
{
    // A letter (25x16) from a 25x8 picture: contained, it fills rows 4-11.
    const int letter = slot::Letter1Image;
    const RgbaPicture half = Flat(25, 8, {255, 0, 0, 100});
    auto maskWhite = [](const Bitmap& mask, int x, int y) { return mask.colourAt(x, y) == RgbQuad{255, 255, 255, 0}; };

    ImportChoices choices;
    EXPECT_THROW(ConvertToSlot(half, letter, choices), std::invalid_argument);
    choices.fit = Fitting::Contain;
    // Alpha 100 is below 128: all see-through.
    SlotConversion c = ConvertToSlot(half, letter, choices);
    ASSERT_TRUE(c.mask);
    EXPECT_TRUE(maskWhite(*c.mask, 3, 6));
    // Threshold 0 draws the picture whatever its alpha, but not the rows the
    // fitting left uncovered.
    choices.alphaThreshold = 0;
    c = ConvertToSlot(half, letter, choices);
    ASSERT_TRUE(c.mask);
    for (int y : {0, 3, 12, 15}) {
        EXPECT_TRUE(maskWhite(*c.mask, 0, y)) << y;
        EXPECT_EQ(c.picture.index(0, y), kBlackIndex) << y;
    }
    for (int y : {4, 11}) {
        EXPECT_FALSE(maskWhite(*c.mask, 24, y)) << y;
        EXPECT_EQ(c.picture.index(24, y), RoomColour(255, 0, 0)) << y;
    }
    // The mask slot takes the same fitting: light pixels and uncovered rows white.
    const Bitmap mask = ConvertToSlot(Flat(25, 8, Grey(40)), PartSlotTable::MaskOf(letter), choices).picture;
    EXPECT_EQ(mask.bitsPerPixel, 1);
    EXPECT_TRUE(maskWhite(mask, 0, 3));
    EXPECT_FALSE(maskWhite(mask, 0, 4));
}
