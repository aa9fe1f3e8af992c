// Pictures in the formats of Qt's image readers and writers (PNG, GIF, JPEG,
// BMP of any depth, WebP, TGA, ...), as plain RGBA pixels for the core.
#pragma once

#include "common/result.h"
#include "core/edit/picture_convert.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace velmora {

// Reads a whole picture file of any format Qt reads, by its content (the
// name's extension helps only formats without a signature). Files over
// 16 MiB (TooLarge, numbers: its length and the limit) and pictures over
// kMaxBmpPixels (TooManyPixels, numbers: width and height) are refused
// before decoding; CannotOpen or CannotRead carry the system's reason,
// Unreadable the reader's, or none when no reader knows the bytes.
Result<RgbaPicture> ReadPictureFile(const QString& path);
Result<RgbaPicture> DecodePicture(const std::vector<uint8_t>& bytes, const QString& nameForFormat = {});

// A picture Qt has decoded (the clipboard's), as RGBA pixels; refused as
// DecodePicture refuses when it is larger than kMaxBmpSide a side or
// kMaxBmpPixels.
Result<RgbaPicture> PictureFromImage(const QImage& image);
// The pixels as a QImage (RGBA, straight alpha).
QImage ImageFromPicture(const RgbaPicture& picture);

// File-dialog filters for the pictures this build can read: all of them
// first, then each format, then any file. Asking loads every image plugin.
QStringList ReadablePictureFilters(const QString& picturesName, const QString& allFilesName);

// How a picture is stored in a PNG: with alpha, without, or as greys.
enum class PngForm { Rgba, Rgb, Grey };

// The picture as the bytes of a PNG file; throws std::runtime_error when the
// writer fails.
std::vector<uint8_t> EncodePng(const RgbaPicture& picture, PngForm form);

}  // namespace velmora
