// One-bit rows (masks) between their packed file form, first pixel in the
// top bit, and one byte per pixel. Masks are half of a room's pictures, so
// these run on every read and write.
#pragma once

#include <cstdint>

namespace velmora {

// Expands `width` pixels from `src` ((width + 7) / 8 bytes) to 0 or 1 each.
void UnpackBitRow(const uint8_t* src, int32_t width, uint8_t* dst);
// Packs the low bit of `width` bytes into (width + 7) / 8 bytes; the unused
// bits of the last byte are 0.
void PackBitRow(const uint8_t* src, int32_t width, uint8_t* dst);

// The plain C++ forms, which the fast ones must match; for the tests.
void UnpackBitRowPortable(const uint8_t* src, int32_t width, uint8_t* dst);
void PackBitRowPortable(const uint8_t* src, int32_t width, uint8_t* dst);

}  // namespace velmora
