#include "core/edit/picture_dither.h"

#include "core/image/colour_map.h"
#include "core/image/palette.h"

#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>

namespace velmora {

namespace {

RgbQuad Colour(int red, int green, int blue)
{
    return RgbQuad{uint8_t(blue), uint8_t(green), uint8_t(red), 0};
}

bool SeeThrough(const uint8_t* rgba, uint8_t threshold)
{
    return rgba[3] < threshold;
}

std::vector<uint8_t> Nearest(const RgbaPicture& picture, uint8_t threshold)
{
    const NearestColourLookup& lookup = RoomColourLookup();
    std::vector<uint8_t> out(size_t(picture.width) * size_t(picture.height));
    const uint8_t* p = picture.pixels.data();
    for (size_t i = 0; i < out.size(); ++i, p += 4)
        out[i] = SeeThrough(p, threshold) ? kBlackIndex : lookup.nearest(Colour(p[0], p[1], p[2]));
    return out;
}

// Floyd-Steinberg. Errors are in sixteenths of a level and split so that
// the four shares add up to the whole error: nothing is lost to rounding
// but what falls off the picture or onto a see-through pixel.
std::vector<uint8_t> FloydSteinberg(const RgbaPicture& picture, uint8_t threshold)
{
    const NearestColourLookup& lookup = RoomColourLookup();
    const std::array<RgbQuad, 256>& palette = RoomPalette();
    const int32_t width = picture.width;
    std::vector<uint8_t> out(size_t(width) * size_t(picture.height));
    // Two rows of errors, three channels, one spare pixel at either end.
    std::vector<int32_t> errors(size_t(width + 2) * 6);
    int32_t* here = errors.data() + 3;
    int32_t* below = here + size_t(width + 2) * 3;
    for (int32_t y = 0; y < picture.height; ++y) {
        std::fill(below - 3, below + size_t(width + 1) * 3, 0);
        const bool forward = y % 2 == 0;
        const int32_t step = forward ? 1 : -1;
        for (int32_t n = 0, x = forward ? 0 : width - 1; n < width; ++n, x += step) {
            const size_t i = size_t(y) * size_t(width) + size_t(x);
            const uint8_t* p = &picture.pixels[i * 4];
            if (SeeThrough(p, threshold)) {
                out[i] = kBlackIndex;
                continue;
            }
            int32_t want[3];
            for (int c = 0; c < 3; ++c)
                want[c] = std::clamp(16 * int32_t(p[c]) + here[x * 3 + c], 0, 255 * 16);
            const uint8_t index = lookup.nearest(Colour((want[0] + 8) >> 4, (want[1] + 8) >> 4, (want[2] + 8) >> 4));
            out[i] = index;
            const RgbQuad got = palette[index];
            const int32_t chosen[3] = {got.red, got.green, got.blue};
            for (int c = 0; c < 3; ++c) {
                const int32_t error = want[c] - 16 * chosen[c];
                const int32_t back = error * 3 / 16, down = error * 5 / 16, ahead = error / 16;
                here[(x + step) * 3 + c] += error - back - down - ahead;
                below[(x - step) * 3 + c] += back;
                below[x * 3 + c] += down;
                below[(x + step) * 3 + c] += ahead;
            }
        }
        std::swap(here, below);
    }
    return out;
}

constexpr std::array<uint8_t, 64> kBayer = {
    0,  32, 8,  40, 2,  34, 10, 42,  //
    48, 16, 56, 24, 50, 18, 58, 26,  //
    12, 44, 4,  36, 14, 46, 6,  38,  //
    60, 28, 52, 20, 62, 30, 54, 22,  //
    3,  35, 11, 43, 1,  33, 9,  41,  //
    51, 19, 59, 27, 49, 17, 57, 25,  //
    15, 47, 7,  39, 13, 45, 5,  37,  //
    63, 31, 55, 23, 61, 29, 53, 21,
};

constexpr int kCubeStep = 51;

// How far threshold t (0-63) moves a channel whose spread is `spread`:
// evenly from -spread/2 to +spread/2, rounded.
int Offset(int t, int spread)
{
    return ((2 * t - 63) * spread + 64) >> 7;
}

// The cell of the room's colour cube a colour is nearest to.
int CubeCell(int red, int green, int blue)
{
    auto level = [](int v) { return (v + kCubeStep / 2) / kCubeStep; };
    return 36 * level(red) + 6 * level(green) + level(blue);
}

struct Spread {
    int channel[3] = {0, 0, 0};
};

// The largest n from 0 to `most` that `passes`, by halving, 0 taken to pass.
// The answer has passed even where `passes` is not monotonic.
template <typename Passes>
int LargestPassing(int most, Passes passes)
{
    int low = 0, high = most;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (passes(mid))
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

// The spread of each cell of the colour cube, per channel: the largest, up
// to the cube's step, that moves none of the room colours in the cell off
// itself at any threshold, as the lookup itself answers. Among the ramps
// (17 levels apart) that is about 17, elsewhere the full step.
class OrderedSpreads {
public:
    OrderedSpreads()
    {
        const std::array<RgbQuad, 256>& palette = RoomPalette();
        std::array<std::vector<RgbQuad>, 216> members;
        for (const RgbQuad& c : palette)
            members[size_t(CubeCell(c.red, c.green, c.blue))].push_back(c);
        for (size_t cell = 0; cell < cells_.size(); ++cell) {
            Spread& spread = cells_[cell];
            // Each channel alone: a room colour's share of the colour space
            // is convex, so the two extreme thresholds decide.
            for (int c = 0; c < 3; ++c)
                spread.channel[c] = LargestPassing(kCubeStep, [&](int s) {
                    Spread one;
                    one.channel[c] = s;
                    return Keeps(members[cell], one, kExtremes);
                });
            // Together, at every threshold: the largest share of those
            // spreads that moves none.
            const Spread alone = spread;
            auto share = [&alone](int sixtyFourths) {
                Spread s;
                for (int c = 0; c < 3; ++c)
                    s.channel[c] = (alone.channel[c] * sixtyFourths + 32) / 64;
                return s;
            };
            spread = share(LargestPassing(64, [&](int n) { return Keeps(members[cell], share(n), kAllThresholds); }));
        }
    }

    const Spread& at(int cell) const { return cells_[size_t(cell)]; }

private:
    static constexpr std::array<int, 2> kExtremes = {0, 63};
    static constexpr std::array<int, 64> kAllThresholds = [] {
        std::array<int, 64> all{};
        for (int t = 0; t < 64; ++t)
            all[size_t(t)] = t;
        return all;
    }();

    static bool Keeps(const std::vector<RgbQuad>& colours, const Spread& spread, std::span<const int> thresholds)
    {
        const NearestColourLookup& lookup = RoomColourLookup();
        for (const RgbQuad& c : colours) {
            const uint8_t plain = lookup.nearest(c);
            const int channels[3] = {c.red, c.green, c.blue};
            for (int t : thresholds) {
                int moved[3];
                for (int k = 0; k < 3; ++k)
                    moved[k] = std::clamp(channels[k] + Offset(t, spread.channel[k]), 0, 255);
                if (lookup.nearest(Colour(moved[0], moved[1], moved[2])) != plain)
                    return false;
            }
        }
        return true;
    }

    std::array<Spread, 216> cells_;
};

std::vector<uint8_t> Ordered(const RgbaPicture& picture, uint8_t threshold)
{
    static const OrderedSpreads spreads;
    const NearestColourLookup& lookup = RoomColourLookup();
    std::vector<uint8_t> out(size_t(picture.width) * size_t(picture.height));
    const uint8_t* p = picture.pixels.data();
    size_t i = 0;
    for (int32_t y = 0; y < picture.height; ++y) {
        const uint8_t* bayerRow = &kBayer[size_t(y % 8) * 8];
        for (int32_t x = 0; x < picture.width; ++x, ++i, p += 4) {
            if (SeeThrough(p, threshold)) {
                out[i] = kBlackIndex;
                continue;
            }
            const Spread& spread = spreads.at(CubeCell(p[0], p[1], p[2]));
            const int t = bayerRow[x % 8];
            int moved[3];
            for (int c = 0; c < 3; ++c)
                moved[c] = std::clamp(int(p[c]) + Offset(t, spread.channel[c]), 0, 255);
            out[i] = lookup.nearest(Colour(moved[0], moved[1], moved[2]));
        }
    }
    return out;
}

}  // namespace

std::vector<uint8_t> RoomIndices(const RgbaPicture& picture, Dithering dithering, uint8_t alphaThreshold)
{
    if (picture.width < 0 || picture.height < 0 ||
        picture.pixels.size() != size_t(picture.width) * size_t(picture.height) * 4)
        throw std::invalid_argument("the picture's pixels do not match its size");
    switch (dithering) {
    case Dithering::FloydSteinberg:
        return FloydSteinberg(picture, alphaThreshold);
    case Dithering::Ordered:
        return Ordered(picture, alphaThreshold);
    case Dithering::None:
        break;
    }
    return Nearest(picture, alphaThreshold);
}

}  // namespace velmora
