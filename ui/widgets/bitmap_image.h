// The one place where a room picture becomes something Qt can draw.
#pragma once

#include "core/image/bitmap.h"

#include <QImage>

namespace velmora {

// A colour-table entry as Qt draws it.
inline QRgb ToQRgb(const RgbQuad& c)
{
    return qRgb(c.red, c.green, c.blue);
}

// Indexed pictures keep their indices and colour table; 24-bit ones become RGB.
QImage ToQImage(const Bitmap& bitmap);

}  // namespace velmora
