// An animation of room pictures and its encoders. Every frame is an 8-bit
// picture in the room palette, all of one size; the encoders keep the
// palette's 256 colours exactly as they are.
#pragma once

#include "core/image/bitmap.h"
#include "core/render/pixel_rect.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace velmora {

// An encoder's library failed (out of memory, a limit of the format).
class AnimationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Animation {
    std::vector<Bitmap> frames;
    std::vector<int> delaysMs;  // one per frame: how long it stays
    int plays = 0;              // how many times it plays; 0 for ever
};

// The longest delay a frame takes: every format holds it exactly (GIF in
// hundredths, rounded to the nearest).
constexpr int kMaxDelayMs = 60000;
constexpr int kMaxPlays = 65535;

// The pixels in which `b` differs from `a` (same size); empty when none.
PixelRect ChangedRect(const Bitmap& a, const Bitmap& b);

// GIF89a: the room palette as the global colour table, each frame's delay in
// hundredths of a second, the plays as a NETSCAPE2.0 loop block (the number
// of repeats after the first play; none when it plays once), and each later
// frame only the rectangle that changed, drawn over the one before.
std::vector<uint8_t> EncodeGif(const Animation& animation);
// APNG on an 8-bit palette PNG: acTL with num_plays, fcTL and fdAT under one
// sequence counter, later frames as their changed rectangle, compressed at
// zlib's level 3 (level 6 misses 5 ms for the door of a noise room). A
// viewer without APNG shows the first frame.
std::vector<uint8_t> EncodeApng(const Animation& animation);
// Animated WebP, lossless and exact, loop_count the plays.
std::vector<uint8_t> EncodeWebp(const Animation& animation);

}  // namespace velmora
