// GIF through giflib, written into memory: the caller writes the bytes whole.
#include "core/share/animation.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace velmora {

namespace {

int AppendBytes(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

[[noreturn]] void GifFailed(int error)
{
    const char* text = GifErrorString(error);
    throw AnimationError(std::string("giflib: ") + (text ? text : "failed"));
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

void Check(GifFileType* gif, int result)
{
    if (result == GIF_ERROR)
        GifFailed(gif->Error);
}

}  // namespace

std::vector<uint8_t> EncodeGif(const Animation& a)
{
    if (a.frames.empty() || a.delaysMs.size() != a.frames.size())
        throw std::invalid_argument("an animation needs frames and one delay each");
    const Bitmap& first = a.frames[0];
    std::vector<uint8_t> out;
    out.reserve(first.pixels.size() / 2);
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&out, AppendBytes, &error));
    if (!gif)
        GifFailed(error);
    EGifSetGifVersion(gif.get(), true);

    GifColorType colours[256] = {};
    for (size_t i = 0; i < 256 && i < first.colours.size(); ++i)
        colours[i] = GifColorType{first.colours[i].red, first.colours[i].green, first.colours[i].blue};
    ColorMapObject* map = GifMakeMapObject(256, colours);
    if (!map)
        throw AnimationError("giflib: out of memory");
    const int screen = EGifPutScreenDesc(gif.get(), first.width, first.height, 8, 0, map);
    GifFreeMapObject(map);
    Check(gif.get(), screen);

    if (a.plays != 1) {
        // Viewers read the count as repeats after the first play.
        const int repeats = a.plays == 0 ? 0 : a.plays - 1;
        Check(gif.get(), EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE));
        Check(gif.get(), EGifPutExtensionBlock(gif.get(), 11, "NETSCAPE2.0"));
        const GifByteType loop[3] = {1, GifByteType(repeats & 0xFF), GifByteType(repeats >> 8)};
        Check(gif.get(), EGifPutExtensionBlock(gif.get(), 3, loop));
        Check(gif.get(), EGifPutExtensionTrailer(gif.get()));
    }

    for (size_t i = 0; i < a.frames.size(); ++i) {
        const Bitmap& frame = a.frames[i];
        if (frame.bitsPerPixel != 8 || frame.width != first.width || frame.height != first.height)
            throw std::invalid_argument("animation frames are 8-bit pictures of one size");
        PixelRect area{0, 0, frame.width, frame.height};
        if (i > 0) {
            area = ChangedRect(a.frames[i - 1], frame);
            if (area.empty())
                area = PixelRect{0, 0, 1, 1};
        }
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = (a.delaysMs[i] + 5) / 10;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType block[4];
        EGifGCBToExtension(&control, block);
        Check(gif.get(), EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, 4, block));
        Check(gif.get(), EGifPutImageDesc(gif.get(), area.x, area.y, area.width, area.height, false, nullptr));
        for (int32_t y = area.y; y < area.y + area.height; ++y) {
            auto* row = const_cast<GifPixelType*>(frame.pixels.data() + size_t(y) * frame.width + area.x);
            Check(gif.get(), EGifPutLine(gif.get(), row, area.width));
        }
    }
    GifFileType* closing = gif.release();
    if (EGifCloseFile(closing, &error) == GIF_ERROR)
        GifFailed(error);
    return out;
}

}  // namespace velmora
