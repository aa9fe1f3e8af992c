#include "core/render/picture_export.h"

#include "core/image/colour_map.h"
#include "core/image/bmp.h"

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <jpeglib.h>

namespace velmora {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return. We
// jump back to the encoder, which holds only plain C objects at that point.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings would go to stderr by default; a warning does not stop the encoder.
void JpegQuietMessage(j_common_ptr) {}

// Feeds the picture to libjpeg one RGB row at a time, through a table of its
// colours when indexed: no whole-picture buffer to allocate and fault in.
class RgbRows {
public:
    // One spare byte: each indexed pixel is written as four, the fourth
    // overwritten by the next pixel.
    explicit RgbRows(const Bitmap& picture) : picture_(picture), row_(size_t(picture.width) * 3 + 1)
    {
        if (!picture.isIndexed())
            return;
        for (size_t i = 0; i < 256; ++i) {
            const RgbQuad c = i < picture.colours.size() ? picture.colours[i] : RgbQuad{};
            const uint8_t rgb[4] = {c.red, c.green, c.blue, 0};
            std::memcpy(&table_[i], rgb, 4);
        }
    }

    JSAMPROW row(int y)
    {
        const size_t width = size_t(picture_.width);
        uint8_t* out = row_.data();
        if (picture_.isIndexed()) {
            const uint8_t* src = picture_.pixels.data() + size_t(y) * width;
            for (size_t x = 0; x < width; ++x)
                std::memcpy(out + 3 * x, &table_[src[x]], 4);
        } else {
            const uint8_t* src = picture_.pixels.data() + size_t(y) * width * 3;
            for (size_t x = 0; x < width; ++x) {
                out[3 * x] = src[3 * x + 2];
                out[3 * x + 1] = src[3 * x + 1];
                out[3 * x + 2] = src[3 * x];
            }
        }
        return out;
    }

private:
    const Bitmap& picture_;
    std::vector<uint8_t> row_;
    std::array<uint32_t, 256> table_{};  // red, green, blue, 0 in memory order
};

// On success *out is a malloc'd buffer the caller frees; on failure returns
// false with `message`.
bool EncodeRows(RgbRows& rows, int width, int height, int quality, unsigned char** out, unsigned long* size,
                char* message)
{
    jpeg_compress_struct cinfo;
    JpegErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = JpegErrorExit;
    err.pub.output_message = JpegQuietMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::memcpy(message, err.message, JMSG_LENGTH_MAX);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = rows.row(static_cast<int>(cinfo.next_scanline));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

std::vector<uint8_t> EncodePreviewJpeg(const Bitmap& preview, int quality)
{
    if (!HasWholePixels(preview))
        throw JpegError("there is no picture to encode");
    RgbRows rows(preview);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = EncodeRows(rows, preview.width, preview.height, quality, &buffer, &size, message);
    const std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer, &std::free);
    if (!ok)
        throw JpegError(std::string("JPEG encoding failed: ") + message);
    return std::vector<uint8_t>(buffer, buffer + size);
}

std::vector<uint8_t> EncodePreviewBmp(const Bitmap& preview)
{
    return EncodeBmp(preview, ColoursUsedField::Zero);
}

}  // namespace velmora
