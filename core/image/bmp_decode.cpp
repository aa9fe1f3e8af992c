#include "core/image/bmp.h"

#include "core/image/bit_rows.h"
#include "core/image/bmp_bitfields.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

namespace velmora {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;

[[noreturn]] void Fail(FormatFault fault, const std::vector<FaultArg>& args = {})
{
    throw FormatError(fault, args);
}

struct Header {
    uint32_t infoSize = 0;
    int32_t width = 0;
    int32_t height = 0;  // absolute
    bool topDown = false;
    uint16_t bpp = 0;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    uint32_t pixelOffset = 0;
};

Header ReadHeader(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 14 + 12)
        Fail(FormatFault::BmpTooShort, {Num(int64_t(bytes.size()))});
    const uint8_t* p = bytes.data();
    if (p[0] != 'B' || p[1] != 'M')
        Fail(FormatFault::BmpNoSignature);
    Header h;
    h.pixelOffset = ReadLe32(p + 10);
    h.infoSize = ReadLe32(p + 14);
    if (h.infoSize == 12) {
        h.width = ReadLe16(p + 18);
        h.height = ReadLe16(p + 20);
        if (ReadLe16(p + 22) != 1)
            Fail(FormatFault::BmpPlanes);
        h.bpp = ReadLe16(p + 24);
    } else if (h.infoSize >= 40 && h.infoSize <= 1024) {
        if (bytes.size() < 14 + static_cast<size_t>(h.infoSize))
            Fail(FormatFault::BmpHeaderCut);
        h.width = static_cast<int32_t>(ReadLe32(p + 18));
        const int32_t rawHeight = static_cast<int32_t>(ReadLe32(p + 22));
        if (ReadLe16(p + 26) != 1)
            Fail(FormatFault::BmpPlanes);
        h.bpp = ReadLe16(p + 28);
        h.compression = ReadLe32(p + 30);
        h.coloursUsed = ReadLe32(p + 46);
        if (rawHeight == INT32_MIN)
            Fail(FormatFault::BmpHeightOutOfRange);
        h.topDown = rawHeight < 0;
        h.height = rawHeight < 0 ? -rawHeight : rawHeight;
    } else {
        Fail(FormatFault::BmpHeaderSize, {Num(h.infoSize)});
    }
    if (h.width <= 0 || h.height <= 0)
        Fail(FormatFault::BmpSizeNotPositive, {Num(h.width), Num(h.height)});
    if (h.width > kMaxBmpSide || h.height > kMaxBmpSide ||
        int64_t{h.width} * h.height > kMaxBmpPixels)
        Fail(FormatFault::BmpSizeTooLarge, {Num(h.width), Num(h.height)});
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 24 && !bmp_detail::IsDirectColourDepth(h.bpp))
        Fail(FormatFault::BmpDepth, {Num(h.bpp)});
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    const bool bitfields = bmp_detail::IsBitfieldsCompression(h.compression);
    if (h.compression != kBiRgb && !rle && !bitfields)
        Fail(FormatFault::BmpCompression, {Num(h.compression)});
    if ((h.compression == kBiRle8 && h.bpp != 8) || (h.compression == kBiRle4 && h.bpp != 4) ||
        (bitfields && !bmp_detail::IsDirectColourDepth(h.bpp)))
        Fail(FormatFault::BmpCompressionDepth);
    if (rle && h.topDown)
        Fail(FormatFault::BmpCompressedTopDown);
    return h;
}

std::vector<RgbQuad> ReadColourTable(std::span<const uint8_t> bytes, const Header& h)
{
    if (h.bpp > 8)
        return {};
    const uint32_t full = 1u << h.bpp;
    uint32_t count = h.coloursUsed == 0 ? full : h.coloursUsed;
    if (count > full)
        Fail(FormatFault::BmpColourTableTooLong, {Num(count), Num(full)});
    const size_t entrySize = h.infoSize == 12 ? 3 : 4;
    const size_t start = 14 + static_cast<size_t>(h.infoSize);
    const size_t end = start + entrySize * count;
    if (end > bytes.size() || end > h.pixelOffset)
        Fail(FormatFault::BmpColourTableMisplaced);
    std::vector<RgbQuad> table(full);
    const uint8_t* entries = bytes.data() + start;
    if (entrySize == 4) {
        // Entries lie in the file as RgbQuad holds them: blue, green, red, reserved.
        static_assert(sizeof(RgbQuad) == 4 && offsetof(RgbQuad, blue) == 0 && offsetof(RgbQuad, reserved) == 3);
        std::memcpy(table.data(), entries, 4 * size_t{count});
        return table;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = entries + 3 * i;
        table[i] = RgbQuad{e[0], e[1], e[2], 0};
    }
    return table;
}

// Expands one file row of 1 or 4 bits per pixel to one byte per pixel.
void UnpackRow(const uint8_t* src, int32_t width, uint16_t bpp, uint8_t* dst)
{
    if (bpp == 4) {
        const int32_t pairs = width / 2;
        for (int32_t i = 0; i < pairs; ++i) {
            dst[2 * i] = src[i] >> 4;
            dst[2 * i + 1] = src[i] & 0x0F;
        }
        if (width % 2)
            dst[width - 1] = src[pairs] >> 4;
        return;
    }
    UnpackBitRow(src, width, dst);
}

void DecodeUncompressed(std::span<const uint8_t> data, const Header& h, Bitmap& b)
{
    // The caller has checked that the data holds every row; the last row need
    // not carry its padding, as many writers omit it.
    const uint64_t rowBytes = ((uint64_t(h.width) * h.bpp + 31) / 32) * 4;
    const size_t outRow = static_cast<size_t>(h.width) * b.bytesPerPixel();
    auto fileRow = [&](int32_t y) {
        return data.data() + rowBytes * static_cast<uint64_t>(h.topDown ? y : h.height - 1 - y);
    };
    if (h.bpp >= 8) {
        // Whole rows appended to reserved storage: each pixel written once.
        b.pixels.clear();
        b.pixels.reserve(outRow * static_cast<size_t>(h.height));
        for (int32_t y = 0; y < h.height; ++y)
            b.pixels.insert(b.pixels.end(), fileRow(y), fileRow(y) + outRow);
        return;
    }
    b.pixels.resize(outRow * static_cast<size_t>(h.height));
    for (int32_t y = 0; y < h.height; ++y)
        UnpackRow(fileRow(y), h.width, h.bpp, b.pixels.data() + outRow * static_cast<size_t>(y));
}

// RLE8 and RLE4 as Windows writes and reads them. Pixels not set by the
// stream (after a delta or an early end) stay index 0.
void DecodeRle(std::span<const uint8_t> data, const Header& h, Bitmap& b)
{
    const bool four = h.compression == kBiRle4;
    size_t pos = 0;
    int64_t x = 0;
    int64_t row = 0;  // counted from the bottom
    auto put = [&](uint8_t v) {
        if (x < h.width && row < h.height)
            b.pixels[static_cast<size_t>(h.height - 1 - row) * h.width + static_cast<size_t>(x)] = v;
        ++x;
    };
    auto need = [&](size_t n) {
        if (data.size() - pos < n)
            Fail(FormatFault::BmpRunsCut);
    };
    while (row < h.height) {
        need(2);
        const uint8_t count = data[pos];
        const uint8_t value = data[pos + 1];
        pos += 2;
        if (count > 0) {  // a run of `count` pixels
            for (int i = 0; i < count; ++i)
                put(four ? ((i % 2) ? (value & 0x0F) : (value >> 4)) : value);
        } else if (value == 0) {  // end of line
            x = 0;
            ++row;
        } else if (value == 1) {  // end of picture
            return;
        } else if (value == 2) {  // delta
            need(2);
            x += data[pos];
            row += data[pos + 1];
            pos += 2;
        } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
            const size_t n = value;
            const size_t bytes = four ? (n + 1) / 2 : n;
            need(bytes + (bytes & 1));
            for (size_t i = 0; i < n; ++i) {
                const uint8_t byte = data[pos + (four ? i / 2 : i)];
                put(four ? ((i % 2) ? (byte & 0x0F) : (byte >> 4)) : byte);
            }
            pos += bytes + (bytes & 1);
        }
        if (x > h.width)
            Fail(FormatFault::BmpRunPastWidth);
    }
}

}  // namespace

Bitmap DecodeBmp(std::span<const uint8_t> bytes)
{
    const Header h = ReadHeader(bytes);
    if (h.pixelOffset >= bytes.size())
        Fail(FormatFault::BmpOffsetOutside, {Num(h.pixelOffset)});
    if (h.pixelOffset < 14 + h.infoSize)
        Fail(FormatFault::BmpOffsetInHeader, {Num(h.pixelOffset)});
    if (bmp_detail::IsDirectColourDepth(h.bpp))
        return bmp_detail::DecodeDirectColour(bytes, {h.infoSize, h.width, h.height, h.topDown, h.bpp, h.compression,
                                                      h.coloursUsed, h.pixelOffset});
    Bitmap b;
    b.width = h.width;
    b.height = h.height;
    b.bitsPerPixel = h.bpp;
    b.colours = ReadColourTable(bytes, h);
    b.source = BmpSourceForm{h.infoSize, h.compression, h.topDown, h.coloursUsed};
    const std::span<const uint8_t> data = bytes.subspan(h.pixelOffset);
    // Refuse a size that is absurd for the data present before allocating.
    // Runs hold at most 255 pixels in two bytes; the slack admits pictures
    // that end early or skip with deltas.
    const uint64_t pixels = uint64_t(h.width) * uint64_t(h.height);
    if (h.compression == kBiRgb) {
        const uint64_t rowBytes = ((uint64_t(h.width) * h.bpp + 31) / 32) * 4;
        const uint64_t needed = rowBytes * (uint64_t(h.height) - 1) + (uint64_t(h.width) * h.bpp + 7) / 8;
        if (needed > data.size())
            Fail(FormatFault::BmpPixelsCut, {Num(int64_t(data.size())), Num(int64_t(needed))});
    } else if (pixels > 128 * uint64_t(data.size()) + 65536) {
        Fail(FormatFault::BmpSizeTooLargeForRuns, {Num(h.width), Num(h.height)});
    }
    if (h.compression == kBiRgb) {
        DecodeUncompressed(data, h, b);
    } else {
        b.pixels.assign(static_cast<size_t>(pixels) * b.bytesPerPixel(), 0);
        DecodeRle(data, h, b);
    }
    return b;
}

}  // namespace velmora
