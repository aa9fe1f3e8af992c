// BMP files in the forms other programs write and our encoder does not: the
// 12-byte core header, the 124-byte V5 header, top-down rows, RLE8 and RLE4.
// The seed generator and the hostile-input tests build their pictures here.
#pragma once

#include "core/image/bmp.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velmora::forms {

enum class Form { Standard, CoreHeader, V5Header, TopDown, Rle };

namespace detail {

inline void PutRow(std::vector<uint8_t>& out, const Bitmap& b, int32_t y)
{
    const uint32_t rowBytes = ((static_cast<uint32_t>(b.width) * b.bitsPerPixel + 31) / 32) * 4;
    const size_t start = out.size();
    out.resize(start + rowBytes, 0);
    const uint8_t* src = b.pixels.data() + static_cast<size_t>(y) * b.width * b.bytesPerPixel();
    uint8_t* row = out.data() + start;
    for (int32_t x = 0; x < b.width; ++x) {
        switch (b.bitsPerPixel) {
        case 24: std::copy(src + 3 * x, src + 3 * x + 3, row + 3 * x); break;
        case 8: row[x] = src[x]; break;
        case 4: row[x / 2] |= static_cast<uint8_t>((src[x] & 0x0F) << (x % 2 ? 0 : 4)); break;
        case 1: row[x / 8] |= static_cast<uint8_t>((src[x] & 1) << (7 - x % 8)); break;
        }
    }
}

// One row in RLE8 or RLE4: runs of equal pixels as encoded runs, other
// stretches of three or more pixels as absolute runs.
inline void PutRleRow(std::vector<uint8_t>& out, const uint8_t* px, int32_t width, bool four)
{
    int32_t x = 0;
    while (x < width) {
        int32_t run = 1;
        while (x + run < width && run < 255 && px[x + run] == px[x])
            ++run;
        if (run >= 2 || width - x < 3) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(four ? static_cast<uint8_t>(px[x] << 4 | px[x]) : px[x]);
            x += run;
            continue;
        }
        int32_t n = 1;  // literal stretch: up to the next pair of equal pixels
        while (x + n < width && n < 255 && !(x + n + 1 < width && px[x + n] == px[x + n + 1]))
            ++n;
        if (n < 3)
            n = std::min(3, width - x);
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(n));
        const size_t bytes = four ? (static_cast<size_t>(n) + 1) / 2 : static_cast<size_t>(n);
        const size_t start = out.size();
        out.resize(start + bytes + (bytes & 1), 0);
        for (int32_t i = 0; i < n; ++i) {
            if (four)
                out[start + i / 2] |= static_cast<uint8_t>(px[x + i] << (i % 2 ? 0 : 4));
            else
                out[start + i] = px[x + i];
        }
        x += n;
    }
}

}  // namespace detail

// The bytes of `b` in the given form. Rle takes 4- and 8-bit pictures only.
inline std::vector<uint8_t> Encode(const Bitmap& b, Form form)
{
    if (form == Form::Standard)
        return EncodeBmp(b, ColoursUsedField::EntriesWritten);
    const uint32_t infoSize = form == Form::CoreHeader ? 12 : form == Form::V5Header ? 124 : 40;
    const uint32_t entrySize = form == Form::CoreHeader ? 3 : 4;
    const uint32_t entries = b.isIndexed() ? 1u << b.bitsPerPixel : 0;
    const uint32_t offset = 14 + infoSize + entrySize * entries;
    std::vector<uint8_t> out(offset, 0);
    uint8_t* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    WriteLe32(p + 10, offset);
    WriteLe32(p + 14, infoSize);
    if (form == Form::CoreHeader) {
        WriteLe16(p + 18, static_cast<uint16_t>(b.width));
        WriteLe16(p + 20, static_cast<uint16_t>(b.height));
        WriteLe16(p + 22, 1);
        WriteLe16(p + 24, b.bitsPerPixel);
    } else {
        WriteLe32(p + 18, static_cast<uint32_t>(b.width));
        WriteLe32(p + 22, static_cast<uint32_t>(form == Form::TopDown ? -b.height : b.height));
        WriteLe16(p + 26, 1);
        WriteLe16(p + 28, b.bitsPerPixel);
        WriteLe32(p + 30, form != Form::Rle ? 0 : b.bitsPerPixel == 8 ? 1 : 2);
        WriteLe32(p + 46, entries);
    }
    for (uint32_t i = 0; i < entries; ++i) {
        const RgbQuad c = b.colours[i];
        uint8_t* e = p + 14 + infoSize + entrySize * i;
        e[0] = c.blue;
        e[1] = c.green;
        e[2] = c.red;
    }
    if (form == Form::Rle) {
        for (int32_t y = b.height - 1; y >= 0; --y) {
            detail::PutRleRow(out, b.pixels.data() + static_cast<size_t>(y) * b.width, b.width, b.bitsPerPixel == 4);
            out.push_back(0);
            out.push_back(y == 0 ? 1 : 0);  // end of picture after the top row, else end of line
        }
    } else {
        for (int32_t i = 0; i < b.height; ++i)
            detail::PutRow(out, b, form == Form::TopDown ? i : b.height - 1 - i);
    }
    WriteLe32(out.data() + 2, static_cast<uint32_t>(out.size()));
    if (form != Form::CoreHeader)
        WriteLe32(out.data() + 34, static_cast<uint32_t>(out.size() - offset));
    return out;
}

// A small picture with every kind of stretch the encoders meet: runs, single
// pixels, and colours that differ from pixel to pixel.
inline Bitmap Pattern(int32_t width, int32_t height, uint16_t bitsPerPixel)
{
    std::vector<RgbQuad> colours;
    if (bitsPerPixel <= 8)
        for (uint32_t i = 0; i < (1u << bitsPerPixel); ++i)
            colours.push_back(RgbQuad{uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 31), 0});
    Bitmap b = Bitmap::Make(width, height, bitsPerPixel, colours);
    const uint32_t mask = bitsPerPixel >= 8 ? 0xFF : (1u << bitsPerPixel) - 1;
    for (size_t i = 0; i < b.pixels.size(); ++i) {
        const size_t x = i % static_cast<size_t>(width * b.bytesPerPixel());
        b.pixels[i] = static_cast<uint8_t>((x < 5 ? 1 : x * 13 + i / 7) & mask);
    }
    return b;
}

}  // namespace velmora::forms
