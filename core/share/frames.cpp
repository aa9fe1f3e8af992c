#include "core/share/frames.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace velmora {

Bitmap ScaledUp(const Bitmap& picture, int scale)
{
    if (picture.bitsPerPixel != 8)
        throw std::invalid_argument("ScaledUp takes an 8-bit picture");
    if (scale < kMinScale || scale > kMaxScale)
        throw std::invalid_argument("ScaledUp takes a scale of 1 to 8");
    if (scale == 1)
        return picture;
    Bitmap out = Bitmap::Make(picture.width * scale, picture.height * scale, 8, picture.colours);
    const size_t outWidth = size_t(out.width);
    for (int32_t y = 0; y < picture.height; ++y) {
        const uint8_t* in = picture.pixels.data() + size_t(y) * picture.width;
        uint8_t* first = out.pixels.data() + size_t(y) * scale * outWidth;
        for (int32_t x = 0; x < picture.width; ++x)
            std::memset(first + size_t(x) * scale, in[x], size_t(scale));
        for (int r = 1; r < scale; ++r)
            std::memcpy(first + r * outWidth, first, outWidth);
    }
    return out;
}

std::vector<Bitmap> ComposeFrames(const PreparedRoom& room, std::span<const PreviewState> states, int scale)
{
    std::vector<Bitmap> frames;
    frames.reserve(states.size());
    Bitmap composed;
    for (const PreviewState& state : states) {
        room.compose(state, composed);
        frames.push_back(ScaledUp(composed, scale));
    }
    return frames;
}

Animation MakeAnimation(std::vector<Bitmap> frames, int delayMs, int holdMs, int plays)
{
    Animation a;
    a.delaysMs.assign(frames.size(), delayMs);
    if (!a.delaysMs.empty())
        a.delaysMs.back() = holdMs;
    a.frames = std::move(frames);
    a.plays = plays;
    return a;
}

PixelRect ChangedRect(const Bitmap& a, const Bitmap& b)
{
    if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size())
        throw std::invalid_argument("ChangedRect takes two pictures of one size");
    int32_t top = -1, bottom = -1, left = a.width, right = -1;
    for (int32_t y = 0; y < a.height; ++y) {
        const uint8_t* ra = a.pixels.data() + size_t(y) * a.width;
        const uint8_t* rb = b.pixels.data() + size_t(y) * b.width;
        if (std::memcmp(ra, rb, size_t(a.width)) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int32_t x = 0;
        while (ra[x] == rb[x])
            ++x;
        left = std::min(left, x);
        int32_t r = a.width - 1;
        while (ra[r] == rb[r])
            --r;
        right = std::max(right, r);
    }
    if (top < 0)
        return PixelRect{};
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

}  // namespace velmora
