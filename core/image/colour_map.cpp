#include "core/image/colour_map.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace velmora {

namespace {

constexpr size_t kCacheBits = 12;

}  // namespace

bool SameColours(std::span<const RgbQuad> a, std::span<const RgbQuad> b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameRgb);
}

IndexMapper::IndexMapper(const Bitmap& source, std::span<const RgbQuad> targetTable)
    : source_(source), table_(targetTable)
{
    if (!source.isIndexed()) {
        cache_.assign(size_t{1} << kCacheBits, 0);
        return;
    }
    identity_ = SameColours(source.colours, targetTable);
    const size_t used = std::min(source.colours.size(), lut_.size());
    for (size_t i = 0; i < used; ++i) {
        const RgbQuad c = source.colours[i];
        // Tables in the wild mostly share entries with the target at the same place.
        const bool samePlace = i < targetTable.size() && SameRgb(c, targetTable[i]);
        lut_[i] = samePlace ? static_cast<uint8_t>(i) : NearestIndexIn(targetTable, c);
    }
    if (used < lut_.size())
        std::fill(lut_.begin() + static_cast<ptrdiff_t>(used), lut_.end(), NearestIndexIn(targetTable, RgbQuad{}));
}

uint8_t IndexMapper::fromRgb(const uint8_t* bgr)
{
    const uint32_t key = uint32_t(bgr[0]) | uint32_t(bgr[1]) << 8 | uint32_t(bgr[2]) << 16;
    uint32_t& slot = cache_[(key * 2654435761u) >> (32 - kCacheBits)];
    if ((slot >> 8) == key + 1)
        return static_cast<uint8_t>(slot);
    const uint8_t index = NearestIndexIn(table_, RgbQuad{bgr[0], bgr[1], bgr[2], 0});
    slot = (key + 1) << 8 | index;
    return index;
}

uint8_t IndexMapper::at(int x, int y)
{
    const size_t i = static_cast<size_t>(y) * source_.width + x;
    if (source_.isIndexed())
        return lut_[source_.pixels[i]];
    return fromRgb(&source_.pixels[i * 3]);
}

const uint8_t* IndexMapper::row(int y, const int32_t* columns, int count, bool consecutive, uint8_t* out)
{
    if (count <= 0)
        return out;
    const size_t rowStart = static_cast<size_t>(y) * source_.width;
    if (source_.isIndexed()) {
        const uint8_t* src = &source_.pixels[rowStart];
        if (consecutive) {
            src += columns[0];
            if (identity_)
                return src;
            if (source_.bitsPerPixel == 1) {
                // Two colours: a select on eight pixels at a time. Each byte
                // of `bits` is 0 or 1, so the product cannot carry between bytes.
                const uint8_t first = lut_[0], flip = static_cast<uint8_t>(lut_[0] ^ lut_[1]);
                constexpr uint64_t kOnes = 0x0101010101010101u;
                int i = 0;
                for (; i + 8 <= count; i += 8) {
                    uint64_t bits;
                    std::memcpy(&bits, src + i, 8);
                    const uint64_t v = (first * kOnes) ^ ((bits & kOnes) * flip);
                    std::memcpy(out + i, &v, 8);
                }
                for (; i < count; ++i)
                    out[i] = static_cast<uint8_t>(first ^ ((src[i] & 1) * flip));
            } else {
                for (int i = 0; i < count; ++i)
                    out[i] = lut_[src[i]];
            }
        } else {
            for (int i = 0; i < count; ++i)
                out[i] = lut_[src[columns[i]]];
        }
        return out;
    }
    const uint8_t* src = &source_.pixels[rowStart * 3];
    for (int i = 0; i < count; ++i)
        out[i] = fromRgb(src + size_t(columns[i]) * 3);
    return out;
}

NearestColourLookup::NearestColourLookup(std::span<const RgbQuad> table)
    : table_(table.begin(), table.begin() + static_cast<ptrdiff_t>(std::min<size_t>(table.size(), 256)))
{
    if (table_.empty())
        table_.push_back(RgbQuad{});  // NearestIndexIn answers 0 for an empty table
    // Squared distance of value v from the range [lo, lo + 15], nearest and farthest point.
    auto nearSq = [](int v, int lo) {
        const int d = v < lo ? lo - v : v > lo + 15 ? v - lo - 15 : 0;
        return d * d;
    };
    auto farSq = [](int v, int lo) {
        const int d = std::max(std::abs(v - lo), std::abs(v - lo - 15));
        return d * d;
    };
    candidates_.reserve(kCells * 8);
    for (size_t cell = 0; cell < kCells; ++cell) {
        const int r = int(cell >> 8) * 16, g = int(cell >> 4 & 15) * 16, b = int(cell & 15) * 16;
        int bound = std::numeric_limits<int>::max();
        for (const RgbQuad& c : table_)
            bound = std::min(bound, farSq(c.red, r) + farSq(c.green, g) + farSq(c.blue, b));
        cellStart_[cell] = static_cast<uint32_t>(candidates_.size());
        for (size_t i = 0; i < table_.size(); ++i) {
            const RgbQuad& c = table_[i];
            if (nearSq(c.red, r) + nearSq(c.green, g) + nearSq(c.blue, b) <= bound)
                candidates_.push_back(static_cast<uint8_t>(i));
        }
    }
    cellStart_[kCells] = static_cast<uint32_t>(candidates_.size());
}

const NearestColourLookup& RoomColourLookup()
{
    static const NearestColourLookup lookup(RoomPalette());
    return lookup;
}

bool HasWholePixels(const Bitmap& picture)
{
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    if (picture.bitsPerPixel != 24 && !picture.isIndexed())
        return false;
    return picture.pixels.size() >= size_t(picture.width) * size_t(picture.height) * size_t(picture.bytesPerPixel());
}

}  // namespace velmora
