// Turning the pixels of a picture into indices of another colour table.
#pragma once

#include "core/image/bitmap.h"
#include "core/image/palette.h"

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace velmora {

// Where target position t of targetLength samples its source of
// sourceLength: the source cell under the target cell's centre (nearest
// neighbour). Equal lengths map one to one; 82 -> 73 drops nine evenly spread
// columns, 73 -> 82 repeats nine.
inline int32_t SampleCoordinate(int32_t t, int32_t targetLength, int32_t sourceLength)
{
    return static_cast<int32_t>((int64_t{2} * t + 1) * sourceLength / (int64_t{2} * targetLength));
}

// Whether two colours, or two tables entry for entry, are the same; the
// reserved byte of an entry does not count.
inline bool SameRgb(RgbQuad a, RgbQuad b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
bool SameColours(std::span<const RgbQuad> a, std::span<const RgbQuad> b);

// Maps the pixels of one source picture to indices of a target table. An
// indexed source maps its colour table once (index for index when the tables
// hold the same colours); a 24-bit source maps each colour when first seen.
// Colour indices beyond the source's table count as black.
class IndexMapper {
public:
    IndexMapper(const Bitmap& source, std::span<const RgbQuad> targetTable);

    bool identity() const { return identity_; }
    // Target index of the source pixel at (x, y); the caller keeps x, y inside the picture.
    uint8_t at(int x, int y);
    // Target indices of the pixels (columns[i], y), i < count, into out; may
    // instead return a pointer into the source when the columns are
    // consecutive and the tables equal.
    const uint8_t* row(int y, const int32_t* columns, int count, bool consecutive, uint8_t* out);

private:
    uint8_t fromRgb(const uint8_t* bgr);

    const Bitmap& source_;
    std::span<const RgbQuad> table_;
    bool identity_ = false;
    std::array<uint8_t, 256> lut_{};
    std::vector<uint32_t> cache_;  // 24-bit sources: (colour + 1) << 8 | index
};

// NearestIndexIn for many colours: the colour cube is cut into 16x16x16
// cells, and each cell keeps, in index order, only the entries that can be
// nearest to some colour inside it (those no farther from the cell than the
// farthest point of the cell is from its best entry). The answer is always
// NearestIndexIn's, ties included, at a handful of comparisons a pixel.
class NearestColourLookup {
public:
    explicit NearestColourLookup(std::span<const RgbQuad> table);

    uint8_t nearest(RgbQuad colour) const
    {
        const size_t cell = size_t(colour.red >> 4) << 8 | size_t(colour.green >> 4) << 4 | size_t(colour.blue >> 4);
        uint8_t best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (uint32_t i = cellStart_[cell], end = cellStart_[cell + 1]; i < end; ++i) {
            const int d = ColourDistance(table_[candidates_[i]], colour);
            if (d < bestDistance) {
                bestDistance = d;
                best = candidates_[i];
            }
        }
        return best;
    }

private:
    static constexpr size_t kCells = 16 * 16 * 16;
    std::vector<RgbQuad> table_;
    std::array<uint32_t, kCells + 1> cellStart_{};
    std::vector<uint8_t> candidates_;
};

// The lookup of the room palette, built on first use.
const NearestColourLookup& RoomColourLookup();

// Whether a rectangle's coordinates are small enough for the drawing
// arithmetic; no picture comes near this, so any that are not are nonsense.
inline bool IsSaneRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    constexpr int32_t kLimit = 1 << 28;
    for (int32_t v : {left, top, right, bottom})
        if (v < -kLimit || v > kLimit)
            return false;
    return true;
}

// Whether the picture's pixel buffer holds width x height pixels of its depth;
// pictures that do not are treated as empty rather than read past their end.
bool HasWholePixels(const Bitmap& picture);

}  // namespace velmora
