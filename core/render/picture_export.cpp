#include "core/render/picture_export.h"

#include "core/image/colour_map.h"
#include "core/image/bmp.h"

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

// Encodes rgb (width * height * 3 bytes, rows top-down). On success *out is a
// malloc'd buffer the caller frees; on failure returns false with `message`.
bool EncodeRgb(const uint8_t* rgb, int width, int height, int quality, unsigned char** out,
               unsigned long* size, char* message)
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
        JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t(cinfo.next_scanline) * size_t(width) * 3);
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
    std::vector<uint8_t> rgb(size_t(preview.width) * size_t(preview.height) * 3);
    size_t i = 0;
    for (int y = 0; y < preview.height; ++y)
        for (int x = 0; x < preview.width; ++x) {
            const RgbQuad c = preview.colourAt(x, y);
            rgb[i++] = c.red;
            rgb[i++] = c.green;
            rgb[i++] = c.blue;
        }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = EncodeRgb(rgb.data(), preview.width, preview.height, quality, &buffer, &size, message);
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
