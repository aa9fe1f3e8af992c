// APNG by hand: Debian's libpng writes no animation chunks.
#include "core/share/animation.h"
#include "core/share/png_chunks.h"

#include <stdexcept>

namespace velmora {

namespace {

void CheckFrames(const Animation& a)
{
    if (a.frames.empty() || a.delaysMs.size() != a.frames.size())
        throw std::invalid_argument("an animation needs frames and one delay each");
    for (const Bitmap& f : a.frames)
        if (f.bitsPerPixel != 8 || f.width != a.frames[0].width || f.height != a.frames[0].height)
            throw std::invalid_argument("animation frames are 8-bit pictures of one size");
}

}  // namespace

std::vector<uint8_t> EncodeApng(const Animation& a)
{
    CheckFrames(a);
    std::vector<uint8_t> out;
    png::AppendHeader(out, a.frames[0]);
    std::vector<uint8_t> actl;
    png::AppendU32(actl, uint32_t(a.frames.size()));
    png::AppendU32(actl, uint32_t(a.plays));
    png::AppendChunk(out, "acTL", actl);

    uint32_t sequence = 0;
    for (size_t i = 0; i < a.frames.size(); ++i) {
        const Bitmap& frame = a.frames[i];
        PixelRect area{0, 0, frame.width, frame.height};
        if (i > 0) {
            area = ChangedRect(a.frames[i - 1], frame);
            if (area.empty())
                area = PixelRect{0, 0, 1, 1};  // a frame has at least one pixel
        }
        std::vector<uint8_t> fctl;
        png::AppendU32(fctl, sequence++);
        png::AppendU32(fctl, uint32_t(area.width));
        png::AppendU32(fctl, uint32_t(area.height));
        png::AppendU32(fctl, uint32_t(area.x));
        png::AppendU32(fctl, uint32_t(area.y));
        png::AppendU16(fctl, uint16_t(a.delaysMs[i]));
        png::AppendU16(fctl, 1000);
        fctl.push_back(0);  // dispose: none, the next frame draws over this one
        fctl.push_back(0);  // blend: source, the rectangle replaced as it is
        png::AppendChunk(out, "fcTL", fctl);
        std::vector<uint8_t> data = png::DeflateRows(frame, area, 3);
        if (i == 0) {
            png::AppendChunk(out, "IDAT", data);
            continue;
        }
        std::vector<uint8_t> fdat;
        fdat.reserve(data.size() + 4);
        png::AppendU32(fdat, sequence++);
        fdat.insert(fdat.end(), data.begin(), data.end());
        png::AppendChunk(out, "fdAT", fdat);
    }
    png::AppendChunk(out, "IEND", {});
    return out;
}

}  // namespace velmora
