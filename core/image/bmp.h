// BMP decoding and encoding, in memory.
#pragma once

#include "core/image/bitmap.h"
#include "core/image/errors.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

// The largest picture the decoder takes, in pixels per side and in total. Far
// above any room part (320x240), and small enough that a forged header cannot
// make us allocate much.
constexpr int32_t kMaxBmpSide = 16384;
constexpr int64_t kMaxBmpPixels = int64_t{64} * 1024 * 1024;

// Decodes a whole BMP file. Takes 1-, 4-, 8- and 24-bit pictures, uncompressed
// or RLE8/RLE4, and 16- and 32-bit pictures with the default channels or bit-
// field masks (decoded to 24 bits), bottom-up or top-down, with the 12-byte
// core header or a 40-byte or longer information header. Anything else, and
// anything malformed, throws FormatError saying what is wrong; never reads
// outside `bytes`.
Bitmap DecodeBmp(std::span<const uint8_t> bytes);

// What goes into the colours-used field (bytes 46..49): 0 in room files, the
// number of colour-table entries written for a part saved on its own.
enum class ColoursUsedField { Zero, EntriesWritten };

// Writes the standard encoding: 14-byte file header, 40-byte information
// header, a full colour table of 2^bits entries (none for 24 bits), rows
// bottom-up padded to 4 bytes, no compression.
std::vector<uint8_t> EncodeBmp(const Bitmap& bitmap, ColoursUsedField coloursUsed);

// The same in pieces, for writers that place many pictures in one buffer:
// CheckEncodable throws FormatError for what EncodeBmp refuses; for a picture
// that passes, EncodedBmpSize is its length and EncodeBmpInto writes exactly
// that many bytes at `out`.
void CheckEncodable(const Bitmap& bitmap);
size_t EncodedBmpSize(const Bitmap& bitmap);
void EncodeBmpInto(const Bitmap& bitmap, ColoursUsedField coloursUsed, uint8_t* out);

// Little-endian helpers shared by the readers of our file formats.
inline uint32_t ReadLe32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t ReadLe16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline void WriteLe32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline void WriteLe16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

}  // namespace velmora
