// Animated WebP through libwebp's animation encoder, lossless and exact.
#include "core/share/animation.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <memory>
#include <stdexcept>

namespace velmora {

namespace {

struct EncoderDeleter {
    void operator()(WebPAnimEncoder* e) const { WebPAnimEncoderDelete(e); }
};

struct PictureFree {
    void operator()(WebPPicture* p) const { WebPPictureFree(p); }
};

}  // namespace

std::vector<uint8_t> EncodeWebp(const Animation& a)
{
    if (a.frames.empty() || a.delaysMs.size() != a.frames.size())
        throw std::invalid_argument("an animation needs frames and one delay each");
    const int width = a.frames[0].width, height = a.frames[0].height;
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        throw AnimationError("libwebp: a version other than the one built with");
    options.anim_params.loop_count = a.plays;
    options.anim_params.bgcolor = 0xFFFFFFFF;
    options.allow_mixed = 0;
    std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder(WebPAnimEncoderNew(width, height, &options));
    if (!encoder)
        throw AnimationError("libwebp: out of memory");
    WebPConfig config;
    if (!WebPConfigInit(&config))
        throw AnimationError("libwebp: a version other than the one built with");
    config.lossless = 1;
    config.exact = 1;
    config.method = 0;  // fastest: room pictures compress well at any effort
    config.quality = 25;

    WebPPicture picture;
    if (!WebPPictureInit(&picture))
        throw AnimationError("libwebp: a version other than the one built with");
    picture.use_argb = 1;
    picture.width = width;
    picture.height = height;
    if (!WebPPictureAlloc(&picture))
        throw AnimationError("libwebp: out of memory");
    std::unique_ptr<WebPPicture, PictureFree> owned(&picture);

    int timestamp = 0;
    for (size_t i = 0; i < a.frames.size(); ++i) {
        const Bitmap& frame = a.frames[i];
        if (frame.bitsPerPixel != 8 || frame.width != width || frame.height != height)
            throw std::invalid_argument("animation frames are 8-bit pictures of one size");
        uint32_t argb[256];
        for (size_t c = 0; c < 256; ++c) {
            const RgbQuad q = c < frame.colours.size() ? frame.colours[c] : RgbQuad{};
            argb[c] = 0xFF000000u | uint32_t(q.red) << 16 | uint32_t(q.green) << 8 | q.blue;
        }
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* in = frame.pixels.data() + size_t(y) * width;
            uint32_t* row = picture.argb + size_t(y) * picture.argb_stride;
            for (int32_t x = 0; x < width; ++x)
                row[x] = argb[in[x]];
        }
        if (!WebPAnimEncoderAdd(encoder.get(), &picture, timestamp, &config))
            throw AnimationError(std::string("libwebp: ") + WebPAnimEncoderGetError(encoder.get()));
        timestamp += a.delaysMs[i];
    }
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, timestamp, nullptr))
        throw AnimationError(std::string("libwebp: ") + WebPAnimEncoderGetError(encoder.get()));
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder.get(), &data))
        throw AnimationError(std::string("libwebp: ") + WebPAnimEncoderGetError(encoder.get()));
    std::vector<uint8_t> out(data.bytes, data.bytes + data.size);
    WebPDataClear(&data);
    return out;
}

}  // namespace velmora
