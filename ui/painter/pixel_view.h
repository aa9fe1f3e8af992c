// Pixel art on screen: every picture pixel a square of whole device pixels,
// drawn without smoothing, so that no colour appears that the picture lacks,
// whatever the screen's scale factor.
#pragma once

#include "core/image/bitmap.h"
#include "core/paint/paint_picture.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <array>

class QPainter;

namespace velmora {

// The room palette as Qt's colours, made once.
const std::array<QRgb, 256>& RoomRgb();

// The side of a picture pixel in device pixels at `zoom` on a screen of
// scale factor `dpr`: a whole number, at least 1.
int DeviceCell(int zoom, qreal dpr);

// Makes `painter` take device pixels as its coordinates.
void UseDevicePixels(QPainter& painter, qreal dpr);

// Draws the pixels `source` of `image` (Format_RGB32) as cells of `cell`
// device pixels, the first one's corner at `topLeft`, only where they meet
// `clip` (device pixels; the painter as UseDevicePixels leaves it). With a
// valid `grid` colour, the top and left line of each cell is that colour
// laid over the pixel's. The cells are made in `scratch`, kept between
// calls, and copied to the painter one to one: no scaling of Qt's, so every
// cell is exactly `cell` pixels wide.
void DrawCells(QPainter& painter, const QImage& image, const QRect& source, QPoint topLeft, int cell,
               const QRect& clip, const QColor& grid, QImage& scratch);

// Outlines `rect` as QPainter::drawRect does, one pixel wide, white under
// black dashes, so that the frame shows on any colour.
void DrawDashedFrame(QPainter& painter, const QRect& rect);

// A painter's picture as the canvas shows it: room colours, see-through as a
// checkerboard of the pixels. On a mask alone every colour shows black.
// With an `onion` picture of the same size (another state of the part),
// its opaque pixels show faintly (kOnionOpacity) over the checkerboard
// where the picture is see-through.
QImage PaintPictureImage(const PaintPicture& picture, bool maskAlone, const PaintPicture* onion = nullptr);
// Redraws only `area` of such an image.
void UpdatePaintPictureImage(QImage& image, const PaintPicture& picture, const PixelRect& area, bool maskAlone,
                             const PaintPicture* onion = nullptr);
// How much of an onion skin's colour shows, in 255ths.
constexpr int kOnionOpacity = 89;

// The composed room for the canvas's surroundings: its colours taken halfway
// to `background`, so that the part stands out.
QImage DimmedRoomImage(const Bitmap& room, QRgb background);

}  // namespace velmora
