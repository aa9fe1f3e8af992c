#include "core/image/bmp.h"

#include "core/image/bit_rows.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <stdexcept>

namespace velmora {

namespace {

uint32_t RowBytes(const Bitmap& b)
{
    return ((static_cast<uint32_t>(b.width) * b.bitsPerPixel + 31) / 32) * 4;
}

void EncodeRow(const uint8_t* src, int32_t width, uint16_t bpp, uint8_t* row, uint32_t rowBytes)
{
    uint32_t written = 0;
    switch (bpp) {
    case 24:
        written = static_cast<uint32_t>(width) * 3;
        std::memcpy(row, src, written);
        break;
    case 8:
        written = static_cast<uint32_t>(width);
        std::memcpy(row, src, written);
        break;
    case 4: {
        const int32_t pairs = width / 2;
        for (int32_t i = 0; i < pairs; ++i)
            row[i] = static_cast<uint8_t>((src[2 * i] & 0x0F) << 4 | (src[2 * i + 1] & 0x0F));
        written = static_cast<uint32_t>(pairs);
        if (width % 2)
            row[written++] = static_cast<uint8_t>((src[width - 1] & 0x0F) << 4);
        break;
    }
    case 1:
        PackBitRow(src, width, row);
        written = (static_cast<uint32_t>(width) + 7) / 8;
        break;
    }
    std::memset(row + written, 0, rowBytes - written);
}

}  // namespace

size_t EncodedBmpSize(const Bitmap& b)
{
    const uint32_t entries = b.bitsPerPixel <= 8 ? (1u << b.bitsPerPixel) : 0;
    return 14 + 40 + 4 * size_t{entries} + size_t{RowBytes(b)} * static_cast<uint32_t>(b.height);
}

void CheckEncodable(const Bitmap& b)
{
    const uint16_t bpp = b.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24)
        throw FormatError(FormatFault::EncodeDepth, {Num(bpp)});
    if (b.width <= 0 || b.height <= 0 ||
        b.pixels.size() != static_cast<size_t>(b.width) * b.height * b.bytesPerPixel())
        throw FormatError(FormatFault::EncodePixelCount, {});
}

void EncodeBmpInto(const Bitmap& b, ColoursUsedField coloursUsed, uint8_t* p)
{
    CheckEncodable(b);
    const uint16_t bpp = b.bitsPerPixel;

    const uint32_t entries = bpp <= 8 ? (1u << bpp) : 0;
    const uint32_t rowBytes = RowBytes(b);
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(b.height);
    const uint32_t offset = 14 + 40 + 4 * entries;
    const uint32_t fileSize = offset + imageSize;

    std::memset(p, 0, 54);
    p[0] = 'B';
    p[1] = 'M';
    WriteLe32(p + 2, fileSize);
    WriteLe32(p + 10, offset);
    WriteLe32(p + 14, 40);
    WriteLe32(p + 18, static_cast<uint32_t>(b.width));
    WriteLe32(p + 22, static_cast<uint32_t>(b.height));
    WriteLe16(p + 26, 1);
    WriteLe16(p + 28, bpp);
    WriteLe32(p + 30, 0);
    WriteLe32(p + 34, imageSize);
    WriteLe32(p + 46, coloursUsed == ColoursUsedField::Zero ? 0 : entries);

    // The table entries are stored as they lie in the file: blue, green, red, reserved.
    static_assert(sizeof(RgbQuad) == 4 && offsetof(RgbQuad, blue) == 0 && offsetof(RgbQuad, reserved) == 3);
    uint8_t* table = p + 54;
    const size_t given = std::min<size_t>(entries, b.colours.size());
    if (given > 0)
        std::memcpy(table, b.colours.data(), 4 * given);
    std::memset(table + 4 * given, 0, 4 * (entries - given));

    const size_t srcRow = static_cast<size_t>(b.width) * b.bytesPerPixel();
    for (int32_t y = 0; y < b.height; ++y)
        EncodeRow(b.pixels.data() + static_cast<size_t>(y) * srcRow, b.width, bpp,
                  p + offset + static_cast<size_t>(b.height - 1 - y) * rowBytes, rowBytes);
}

std::vector<uint8_t> EncodeBmp(const Bitmap& b, ColoursUsedField coloursUsed)
{
    CheckEncodable(b);
    std::vector<uint8_t> out(EncodedBmpSize(b));
    EncodeBmpInto(b, coloursUsed, out.data());
    return out;
}

}  // namespace velmora
