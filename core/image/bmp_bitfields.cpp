#include "core/image/bmp_bitfields.h"

#include "core/image/bmp.h"

#include <array>
#include <bit>
#include <string>

namespace velmora::bmp_detail {

namespace {

[[noreturn]] void Fail(FormatFault fault, const std::vector<FaultArg>& args = {})
{
    throw FormatError(fault, args);
}

// The masks follow the 40-byte part of the header: inside a longer header
// (V2 and up), or in place of a colour table after a 40-byte one.
constexpr size_t kMaskOffset = 14 + 40;

// One channel: where its bits lie and how to widen them to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    uint8_t value(uint32_t pixel) const
    {
        if (bits == 0)
            return 0;
        const uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return static_cast<uint8_t>(v >> (bits - 8));
        const uint32_t top = (1u << bits) - 1;
        return static_cast<uint8_t>((v * 255 + top / 2) / top);
    }
};

Channel MakeChannel(uint32_t mask)
{
    Channel c;
    c.mask = mask;
    if (mask != 0) {
        c.shift = std::countr_zero(mask);
        c.bits = std::popcount(mask);
    }
    return c;
}

std::array<uint32_t, 4> ReadMasks(std::span<const uint8_t> bytes, const DirectColourHeader& h)
{
    if (!IsBitfieldsCompression(h.compression)) {
        // BI_RGB: 5-5-5 in 16 bits, 8-8-8 in 32; masks in a long header are ignored.
        if (h.bpp == 16)
            return {0x7C00, 0x03E0, 0x001F, 0};
        return {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    }
    if (h.infoSize == 12)
        Fail(FormatFault::BmpCoreHeaderMasks);
    // The alpha mask is there with BI_ALPHABITFIELDS, and in V3 and longer headers.
    const size_t count = h.compression == kBiAlphaBitfields || h.infoSize >= 56 ? 4 : 3;
    const size_t end = kMaskOffset + 4 * count;
    if (end > bytes.size() || end > h.pixelOffset)
        Fail(FormatFault::BmpMasksMisplaced);
    std::array<uint32_t, 4> masks{};
    for (size_t i = 0; i < count; ++i)
        masks[i] = ReadLe32(bytes.data() + kMaskOffset + 4 * i);
    return masks;
}

void CheckMasks(const std::array<uint32_t, 4>& masks, uint16_t bpp)
{
    const uint64_t depthLimit = uint64_t{1} << bpp;
    uint32_t seen = 0;
    for (size_t i = 0; i < masks.size(); ++i) {
        const uint32_t m = masks[i];
        if (m == 0)
            continue;
        const FaultArg channel{FaultArg::Kind::Channel, int64_t(i)};
        const FaultArg mask{FaultArg::Kind::Hex, m};
        const uint32_t run = m >> std::countr_zero(m);
        if ((run & (run + 1)) != 0)
            Fail(FormatFault::BmpMaskNotOneRun, {channel, mask});
        if (m >= depthLimit)
            Fail(FormatFault::BmpMaskOutsidePixel, {channel, mask, Num(bpp)});
        if (m & seen)
            Fail(FormatFault::BmpMaskOverlaps, {channel, mask});
        seen |= m;
    }
}

}  // namespace

Bitmap DecodeDirectColour(std::span<const uint8_t> bytes, const DirectColourHeader& h)
{
    const std::array<uint32_t, 4> masks = ReadMasks(bytes, h);
    CheckMasks(masks, h.bpp);
    const Channel red = MakeChannel(masks[0]), green = MakeChannel(masks[1]), blue = MakeChannel(masks[2]);

    // Every row must be in the file; the last one may lack its padding.
    const std::span<const uint8_t> data = bytes.subspan(h.pixelOffset);
    const size_t pixelBytes = h.bpp / 8;
    const uint64_t rowBytes = ((uint64_t(h.width) * h.bpp + 31) / 32) * 4;
    const uint64_t needed = rowBytes * (uint64_t(h.height) - 1) + uint64_t(h.width) * pixelBytes;
    if (needed > data.size())
        Fail(FormatFault::BmpPixelsCut, {Num(int64_t(data.size())), Num(int64_t(needed))});

    Bitmap b;
    b.width = h.width;
    b.height = h.height;
    b.bitsPerPixel = 24;
    b.source = BmpSourceForm{h.infoSize, h.compression, h.topDown, h.coloursUsed};
    b.pixels.resize(size_t(h.width) * size_t(h.height) * 3);
    for (int32_t y = 0; y < h.height; ++y) {
        const int32_t fileRow = h.topDown ? y : h.height - 1 - y;
        const uint8_t* src = data.data() + rowBytes * uint64_t(fileRow);
        uint8_t* dst = b.pixels.data() + size_t(y) * size_t(h.width) * 3;
        for (int32_t x = 0; x < h.width; ++x, src += pixelBytes, dst += 3) {
            const uint32_t pixel = pixelBytes == 2 ? ReadLe16(src) : ReadLe32(src);
            dst[0] = blue.value(pixel);
            dst[1] = green.value(pixel);
            dst[2] = red.value(pixel);
        }
    }
    return b;
}

}  // namespace velmora::bmp_detail
