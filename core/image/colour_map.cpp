#include "core/image/colour_map.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace velmora {

namespace {

bool SameColours(std::span<const RgbQuad> a, std::span<const RgbQuad> b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue)
            return false;
    return true;
}

constexpr size_t kCacheBits = 12;

}  // namespace

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
        const bool samePlace = i < targetTable.size() && SameColours(std::span(&c, 1), targetTable.subspan(i, 1));
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

bool HasWholePixels(const Bitmap& picture)
{
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    if (picture.bitsPerPixel != 24 && !picture.isIndexed())
        return false;
    return picture.pixels.size() >= size_t(picture.width) * size_t(picture.height) * size_t(picture.bytesPerPixel());
}

}  // namespace velmora
