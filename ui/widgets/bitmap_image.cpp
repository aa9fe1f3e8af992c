#include "ui/widgets/bitmap_image.h"

#include <cstring>

namespace velmora {

QImage ToQImage(const Bitmap& bitmap)
{
    if (bitmap.empty())
        return {};
    const size_t rowBytes = static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.bytesPerPixel());
    if (bitmap.isIndexed()) {
        QImage image(bitmap.width, bitmap.height, QImage::Format_Indexed8);
        QList<QRgb> table;
        table.reserve(static_cast<qsizetype>(bitmap.colours.size()));
        for (const RgbQuad& c : bitmap.colours)
            table.push_back(ToQRgb(c));
        // Indices beyond the table (a short table) show black rather than fail.
        while (table.size() < 256)
            table.push_back(qRgb(0, 0, 0));
        image.setColorTable(table);
        for (int y = 0; y < bitmap.height; ++y)
            std::memcpy(image.scanLine(y), bitmap.pixels.data() + static_cast<size_t>(y) * rowBytes, rowBytes);
        return image;
    }
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB888);
    for (int y = 0; y < bitmap.height; ++y) {
        const uint8_t* in = bitmap.pixels.data() + static_cast<size_t>(y) * rowBytes;
        uchar* out = image.scanLine(y);
        for (int x = 0; x < bitmap.width; ++x) {
            out[3 * x] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x];
        }
    }
    return image;
}

}  // namespace velmora
