#include "ui/painter/pixel_view.h"

#include "ui/widgets/bitmap_image.h"

#include "core/image/palette.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace velmora {

namespace {

// Two greys that are not room colours, so see-through is not mistaken for paint.
constexpr QRgb kCheckerLight = qRgb(232, 232, 240);
constexpr QRgb kCheckerDark = qRgb(196, 196, 208);

}  // namespace

const std::array<QRgb, 256>& RoomRgb()
{
    static const std::array<QRgb, 256> table = [] {
        std::array<QRgb, 256> t{};
        for (size_t i = 0; i < 256; ++i)
            t[i] = ToQRgb(RoomPalette()[i]);
        return t;
    }();
    return table;
}

int DeviceCell(int zoom, qreal dpr)
{
    return std::max(1, int(std::lround(zoom * dpr)));
}

void UseDevicePixels(QPainter& painter, qreal dpr)
{
    painter.setWorldTransform(QTransform::fromScale(1.0 / dpr, 1.0 / dpr));
    // Pixel art: nearest neighbour only.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void DrawCells(QPainter& painter, const QImage& image, const QRect& source, QPoint topLeft, int cell,
               const QRect& clip, const QColor& grid, QImage& scratch)
{
    const QRect cells = source & image.rect();
    if (cells.isEmpty())
        return;
    const QPoint corner = topLeft + (cells.topLeft() - source.topLeft()) * cell;
    const QRect target = QRect(corner, cells.size() * cell) & clip;
    if (target.isEmpty())
        return;
    const int width = target.width();
    // One band of cells at a time, small enough to stay in the cache
    // between being made and being copied out.
    const int band = std::min(cell, target.height());
    if (scratch.width() < width || scratch.height() < band)
        scratch = QImage(std::max(scratch.width(), width), std::max(scratch.height(), band), QImage::Format_RGB32);

    const bool gridded = grid.isValid();
    const int alpha = grid.alpha(), red = grid.red() * alpha, green = grid.green() * alpha, blue = grid.blue() * alpha;
    auto gridOver = [&](QRgb c) {
        return qRgb((qRed(c) * (255 - alpha) + red) / 255, (qGreen(c) * (255 - alpha) + green) / 255,
                    (qBlue(c) * (255 - alpha) + blue) / 255);
    };
    std::vector<QRgb> plain(static_cast<size_t>(width)), lined(static_cast<size_t>(width));

    // Opaque cells: copied as they are, nothing blended.
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int y = target.top(); y <= target.bottom();) {
        const int row = (y - corner.y()) / cell;
        const int end = std::min(target.bottom() + 1, corner.y() + (row + 1) * cell);
        // One device row of these cells, and the same as a grid line.
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(cells.top() + row));
        for (int x = 0; x < width; ++x) {
            const int dx = target.left() + x - corner.x();
            const QRgb c = in[cells.left() + dx / cell] | 0xff000000u;
            lined[size_t(x)] = gridded ? gridOver(c) : c;
            plain[size_t(x)] = gridded && dx % cell == 0 ? lined[size_t(x)] : c;
        }
        for (int r = y; r < end; ++r) {
            const std::vector<QRgb>& made = gridded && (r - corner.y()) % cell == 0 ? lined : plain;
            std::memcpy(scratch.scanLine(r - y), made.data(), size_t(width) * sizeof(QRgb));
        }
        painter.drawImage(QPoint(target.left(), y), scratch, QRect(0, 0, width, end - y));
        y = end;
    }
    painter.setCompositionMode(mode);
}

void DrawDashedFrame(QPainter& painter, const QRect& rect)
{
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(rect);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(rect);
}

QImage PaintPictureImage(const PaintPicture& picture, bool maskAlone, const PaintPicture* onion)
{
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    UpdatePaintPictureImage(image, picture, picture.bounds(), maskAlone, onion);
    return image;
}

void UpdatePaintPictureImage(QImage& image, const PaintPicture& picture, const PixelRect& area, bool maskAlone,
                             const PaintPicture* onion)
{
    const PixelRect a = Intersected(area, picture.bounds());
    const auto& rgb = RoomRgb();
    if (onion && (onion->width != picture.width || onion->height != picture.height))
        onion = nullptr;
    auto faint = [](QRgb under, QRgb over) {
        auto mix = [](int u, int o) { return (u * (255 - kOnionOpacity) + o * kOnionOpacity + 127) / 255; };
        return qRgb(mix(qRed(under), qRed(over)), mix(qGreen(under), qGreen(over)), mix(qBlue(under), qBlue(over)));
    };
    for (int32_t y = a.y; y < a.y + a.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const PaintValue* values = picture.pixels.data() + size_t(y) * size_t(picture.width);
        const PaintValue* under = onion ? onion->pixels.data() + size_t(y) * size_t(onion->width) : nullptr;
        for (int32_t x = a.x; x < a.x + a.width; ++x) {
            const PaintValue v = values[x];
            if (v != kSeeThrough) {
                row[x] = maskAlone ? rgb[kBlackIndex] : rgb[v];
                continue;
            }
            const QRgb checker = (x + y) % 2 == 0 ? kCheckerLight : kCheckerDark;
            const PaintValue u = under ? under[x] : kSeeThrough;
            row[x] = u == kSeeThrough ? checker : faint(checker, maskAlone ? rgb[kBlackIndex] : rgb[u]);
        }
    }
}

QImage DimmedRoomImage(const Bitmap& room, QRgb background)
{
    QImage image(room.width, room.height, QImage::Format_RGB32);
    const auto& rgb = RoomRgb();
    auto half = [](int a, int b) { return (a + b) / 2; };
    std::array<QRgb, 256> dimmed{};
    for (size_t i = 0; i < 256; ++i)
        dimmed[i] = qRgb(half(qRed(rgb[i]), qRed(background)), half(qGreen(rgb[i]), qGreen(background)),
                         half(qBlue(rgb[i]), qBlue(background)));
    for (int32_t y = 0; y < room.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < room.width; ++x)
            row[x] = dimmed[room.index(x, y)];
    }
    return image;
}

}  // namespace velmora
