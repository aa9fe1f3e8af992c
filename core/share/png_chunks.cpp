#include "core/share/png_chunks.h"

#include "core/share/animation.h"

#include <zlib.h>

#include <stdexcept>

namespace velmora::png {

void AppendU32(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v >> 24));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

void AppendU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

void AppendChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data)
{
    AppendU32(out, uint32_t(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32_z(crc, out.data() + typeAt, out.size() - typeAt);
    AppendU32(out, uint32_t(crc));
}

void AppendHeader(std::vector<uint8_t>& out, const Bitmap& picture)
{
    if (picture.bitsPerPixel != 8)
        throw std::invalid_argument("a palette PNG takes an 8-bit picture");
    static constexpr uint8_t kSignature[] = {137, 80, 78, 71, 13, 10, 26, 10};
    out.insert(out.end(), std::begin(kSignature), std::end(kSignature));
    std::vector<uint8_t> ihdr;
    AppendU32(ihdr, uint32_t(picture.width));
    AppendU32(ihdr, uint32_t(picture.height));
    ihdr.insert(ihdr.end(), {8, 3, 0, 0, 0});  // depth, palette, deflate, no filter kinds, no interlace
    AppendChunk(out, "IHDR", ihdr);
    std::vector<uint8_t> plte;
    plte.reserve(768);
    for (size_t i = 0; i < 256; ++i) {
        const RgbQuad c = i < picture.colours.size() ? picture.colours[i] : RgbQuad{};
        plte.insert(plte.end(), {c.red, c.green, c.blue});
    }
    AppendChunk(out, "PLTE", plte);
}

std::vector<uint8_t> DeflateRows(const Bitmap& picture, const PixelRect& area, int level)
{
    std::vector<uint8_t> raw;
    raw.reserve(size_t(area.height) * (size_t(area.width) + 1));
    for (int32_t y = area.y; y < area.y + area.height; ++y) {
        raw.push_back(0);
        const uint8_t* row = picture.pixels.data() + size_t(y) * picture.width + area.x;
        raw.insert(raw.end(), row, row + area.width);
    }
    uLongf length = compressBound(uLong(raw.size()));
    std::vector<uint8_t> out(length);
    if (compress2(out.data(), &length, raw.data(), uLong(raw.size()), level) != Z_OK)
        throw AnimationError("zlib could not compress the picture");
    out.resize(length);
    return out;
}

}  // namespace velmora::png

namespace velmora {

std::vector<uint8_t> EncodeIndexedPng(const Bitmap& picture)
{
    std::vector<uint8_t> out;
    png::AppendHeader(out, picture);
    png::AppendChunk(out, "IDAT", png::DeflateRows(picture, {0, 0, picture.width, picture.height}, 1));
    png::AppendChunk(out, "IEND", {});
    return out;
}

}  // namespace velmora
