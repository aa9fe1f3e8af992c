#include "core/paint/paint_picture.h"

#include <stdexcept>

namespace velmora {

PaintPicture PaintPicture::Make(int32_t width, int32_t height, PaintValue fill)
{
    if (width < 0 || height < 0)
        throw std::invalid_argument("a picture's size cannot be negative");
    PaintPicture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(size_t(width) * size_t(height), fill);
    return p;
}

}  // namespace velmora
