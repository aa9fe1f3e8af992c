#include "core/image/bmp.h"

#include <stdexcept>

namespace velmora {

std::vector<uint8_t> EncodeBmp(const Bitmap& b, ColoursUsedField coloursUsed)
{
    const uint16_t bpp = b.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24)
        throw FormatError("cannot encode a picture of " + std::to_string(bpp) + " bits per pixel");
    if (b.width <= 0 || b.height <= 0 ||
        b.pixels.size() != static_cast<size_t>(b.width) * b.height * b.bytesPerPixel())
        throw FormatError("cannot encode a picture whose pixels do not match its size");

    const uint32_t entries = bpp <= 8 ? (1u << bpp) : 0;
    const uint32_t rowBytes = ((static_cast<uint32_t>(b.width) * bpp + 31) / 32) * 4;
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(b.height);
    const uint32_t offset = 14 + 40 + 4 * entries;
    const uint32_t fileSize = offset + imageSize;

    std::vector<uint8_t> out(fileSize, 0);
    uint8_t* p = out.data();
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

    uint8_t* table = p + 54;
    for (uint32_t i = 0; i < entries; ++i) {
        const RgbQuad c = i < b.colours.size() ? b.colours[i] : RgbQuad{};
        table[4 * i] = c.blue;
        table[4 * i + 1] = c.green;
        table[4 * i + 2] = c.red;
        table[4 * i + 3] = c.reserved;
    }

    for (int32_t y = 0; y < b.height; ++y) {
        uint8_t* row = p + offset + static_cast<size_t>(b.height - 1 - y) * rowBytes;
        const uint8_t* src = b.pixels.data() + static_cast<size_t>(y) * b.width * b.bytesPerPixel();
        switch (bpp) {
        case 24:
            std::copy(src, src + static_cast<size_t>(b.width) * 3, row);
            break;
        case 8:
            std::copy(src, src + b.width, row);
            break;
        case 4:
            for (int32_t x = 0; x < b.width; ++x)
                row[x / 2] |= static_cast<uint8_t>((src[x] & 0x0F) << (x % 2 ? 0 : 4));
            break;
        case 1:
            for (int32_t x = 0; x < b.width; ++x)
                if (src[x] & 1)
                    row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            break;
        }
    }
    return out;
}

}  // namespace velmora
