#include "core/image/bit_rows.h"

#include <cstring>
#include <initializer_list>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora {

void UnpackBitRowPortable(const uint8_t* src, int32_t width, uint8_t* dst)
{
    int32_t x = 0;
    // Eight pixels per source byte in one word: the byte repeated in every
    // lane, each lane keeping its own bit (the first pixel's is the top one),
    // any set bit then made 1; adding 0x7F to a lane never carries out of it.
    for (; x + 8 <= width; x += 8) {
        const uint64_t lanes = (src[x / 8] * 0x0101010101010101u) & 0x0102040810204080u;
        const uint64_t v = ((lanes + 0x7F7F7F7F7F7F7F7Fu) >> 7) & 0x0101010101010101u;
        for (int k = 0; k < 8; ++k)
            dst[x + k] = static_cast<uint8_t>(v >> (8 * k));
    }
    for (; x < width; ++x)
        dst[x] = (src[x / 8] >> (7 - x % 8)) & 1;
}

void PackBitRowPortable(const uint8_t* src, int32_t width, uint8_t* dst)
{
    int32_t x = 0;
    // Eight low bits gathered by one product: pixel i's bit, at 8i, meets the
    // multiplier's bit 63 - 9i and lands on 63 - i; the eight partial
    // products take distinct positions, so nothing carries into the top byte.
    for (; x + 8 <= width; x += 8) {
        uint64_t v = 0;
        for (int k = 0; k < 8; ++k)
            v |= uint64_t(src[x + k] & 1) << (8 * k);
        dst[x / 8] = static_cast<uint8_t>((v * 0x8040201008040201u) >> 56);
    }
    if (x < width) {
        uint8_t last = 0;
        for (int32_t k = 0; x + k < width; ++k)
            last = static_cast<uint8_t>(last | (src[x + k] & 1) << (7 - k));
        dst[x / 8] = last;
    }
}

#if defined(__SSE2__)

// The vectoriser cannot see that each source byte fans out to eight. Here
// source bytes are spread by repeated unpacking until each fills eight
// lanes, and each lane then tests its own bit: sixteen source bytes at a
// time while they last, then two.
void UnpackBitRow(const uint8_t* src, int32_t width, uint8_t* dst)
{
    const __m128i bit = _mm_set_epi8(1, 2, 4, 8, 16, 32, 64, char(128), 1, 2, 4, 8, 16, 32, 64, char(128));
    const __m128i one = _mm_set1_epi8(1);
    auto store = [&](uint8_t* out, __m128i eight) {
        const __m128i set = _mm_cmpeq_epi8(_mm_and_si128(eight, bit), bit);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_and_si128(set, one));
    };
    int32_t x = 0;
    for (; x + 128 <= width; x += 128) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x / 8));
        uint8_t* out = dst + x;
        for (const __m128i h : {_mm_unpacklo_epi8(s, s), _mm_unpackhi_epi8(s, s)})
            for (const __m128i q : {_mm_unpacklo_epi16(h, h), _mm_unpackhi_epi16(h, h)}) {
                store(out, _mm_unpacklo_epi32(q, q));
                store(out + 16, _mm_unpackhi_epi32(q, q));
                out += 32;
            }
    }
    for (; x + 16 <= width; x += 16) {
        uint16_t two;
        std::memcpy(&two, src + x / 8, 2);
        __m128i v = _mm_cvtsi32_si128(two);
        v = _mm_unpacklo_epi8(v, v);
        v = _mm_unpacklo_epi16(v, v);
        store(dst + x, _mm_unpacklo_epi32(v, v));
    }
    UnpackBitRowPortable(src + x / 8, width - x, dst + x);
}

// Each byte's low bit moved to the top (a shift within 16-bit lanes keeps
// it in its own byte when the byte is first masked), then gathered by movemask,
// which takes the top bits of sixteen bytes, first byte lowest.
void PackBitRow(const uint8_t* src, int32_t width, uint8_t* dst)
{
    const __m128i low = _mm_set1_epi8(1);
    int32_t x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i v = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x)), low);
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_slli_epi16(v, 7)));
        // movemask gives pixel 0 in bit 0; the file wants it in bit 7.
        static constexpr auto kReverse = [] {
            struct Table { uint8_t v[256]; } t{};
            for (int i = 0; i < 256; ++i) {
                uint8_t r = 0;
                for (int b = 0; b < 8; ++b)
                    if (i & (1 << b))
                        r = static_cast<uint8_t>(r | (0x80 >> b));
                t.v[i] = r;
            }
            return t;
        }();
        dst[x / 8] = kReverse.v[mask & 0xFF];
        dst[x / 8 + 1] = kReverse.v[mask >> 8];
    }
    PackBitRowPortable(src + x, width - x, dst + x / 8);
}

#else

void UnpackBitRow(const uint8_t* src, int32_t width, uint8_t* dst)
{
    UnpackBitRowPortable(src, width, dst);
}

void PackBitRow(const uint8_t* src, int32_t width, uint8_t* dst)
{
    PackBitRowPortable(src, width, dst);
}

#endif

}  // namespace velmora
