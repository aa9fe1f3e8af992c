// Builds BMP files byte by byte for the tests, including forms and faults
// that our own encoder never writes.
#pragma once

#include "core/image/bitmap.h"
#include "core/image/bmp.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora::testing {

struct BmpLayout {
    uint32_t infoSize = 40;  // 12 writes the core header (16-bit fields, 3-byte colours)
    int32_t width = 1;
    int32_t height = 1;      // negative: top-down
    uint16_t planes = 1;
    uint16_t bpp = 8;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    std::vector<RgbQuad> colours;    // written as given, in full
    std::vector<uint8_t> pixelData;  // written right after the colour table
    std::optional<uint32_t> pixelOffset;  // default: where the data is written
};

inline std::vector<uint8_t> BuildBmp(const BmpLayout& s)
{
    const bool core = s.infoSize == 12;
    const size_t entry = core ? 3 : 4;
    const size_t tableStart = 14 + size_t{s.infoSize};
    const size_t dataStart = tableStart + entry * s.colours.size();
    std::vector<uint8_t> out(dataStart + s.pixelData.size(), 0);
    uint8_t* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    WriteLe32(p + 2, static_cast<uint32_t>(out.size()));
    WriteLe32(p + 10, s.pixelOffset.value_or(static_cast<uint32_t>(dataStart)));
    WriteLe32(p + 14, s.infoSize);
    if (core) {
        WriteLe16(p + 18, static_cast<uint16_t>(s.width));
        WriteLe16(p + 20, static_cast<uint16_t>(s.height));
        WriteLe16(p + 22, s.planes);
        WriteLe16(p + 24, s.bpp);
    } else {
        WriteLe32(p + 18, static_cast<uint32_t>(s.width));
        WriteLe32(p + 22, static_cast<uint32_t>(s.height));
        WriteLe16(p + 26, s.planes);
        WriteLe16(p + 28, s.bpp);
        WriteLe32(p + 30, s.compression);
        WriteLe32(p + 46, s.coloursUsed);
    }
    for (size_t i = 0; i < s.colours.size(); ++i) {
        uint8_t* e = p + tableStart + entry * i;
        e[0] = s.colours[i].blue;
        e[1] = s.colours[i].green;
        e[2] = s.colours[i].red;
        if (!core)
            e[3] = s.colours[i].reserved;
    }
    std::copy(s.pixelData.begin(), s.pixelData.end(), out.begin() + static_cast<ptrdiff_t>(dataStart));
    return out;
}

// Packs rows of colour indices (given top row first) into padded BMP rows,
// bottom row first unless `topDown`.
inline std::vector<uint8_t> PackRows(uint16_t bpp, const std::vector<std::vector<uint8_t>>& rows, bool topDown = false)
{
    std::vector<uint8_t> out;
    for (size_t r = 0; r < rows.size(); ++r) {
        const auto& row = rows[topDown ? r : rows.size() - 1 - r];
        const size_t rowBytes = ((row.size() * bpp + 31) / 32) * 4;
        std::vector<uint8_t> packed(rowBytes, 0);
        for (size_t x = 0; x < row.size(); ++x) {
            if (bpp == 8)
                packed[x] = row[x];
            else if (bpp == 4)
                packed[x / 2] |= static_cast<uint8_t>((row[x] & 0x0F) << (x % 2 ? 0 : 4));
            else if (bpp == 1 && (row[x] & 1))
                packed[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

// `n` distinct colours: entry i is (blue i, green 2i, red 3i).
inline std::vector<RgbQuad> TestColours(size_t n)
{
    std::vector<RgbQuad> c(n);
    for (size_t i = 0; i < n; ++i)
        c[i] = RgbQuad{static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i), static_cast<uint8_t>(3 * i), 0};
    return c;
}

inline std::vector<uint8_t> Flatten(const std::vector<std::vector<uint8_t>>& rows)
{
    std::vector<uint8_t> out;
    for (const auto& r : rows)
        out.insert(out.end(), r.begin(), r.end());
    return out;
}

}  // namespace velmora::testing
