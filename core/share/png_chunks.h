// PNG written by hand on zlib: an 8-bit palette picture, and the chunks the
// APNG writer adds around it.
#pragma once

#include "core/image/bitmap.h"
#include "core/render/pixel_rect.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace velmora::png {

// Appends one chunk: length, type, data and the CRC of type and data.
void AppendChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data);
void AppendU32(std::vector<uint8_t>& out, uint32_t v);
void AppendU16(std::vector<uint8_t>& out, uint16_t v);

// The signature, IHDR (8-bit, colour type 3) and PLTE of the picture's 256
// colours.
void AppendHeader(std::vector<uint8_t>& out, const Bitmap& picture);
// The zlib stream of `area`'s rows of an 8-bit picture, each row after its
// filter byte (none).
std::vector<uint8_t> DeflateRows(const Bitmap& picture, const PixelRect& area, int level);

}  // namespace velmora::png

namespace velmora {

// A still 8-bit palette PNG of the picture; its colour table as PLTE, the
// indices as they are. Fast to write: large sheets compress at zlib's level 1.
std::vector<uint8_t> EncodeIndexedPng(const Bitmap& picture);

}  // namespace velmora
