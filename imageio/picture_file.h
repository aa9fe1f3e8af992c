// Pictures in the formats of Qt's image readers and writers (PNG, GIF, JPEG,
// BMP of any depth, WebP, TGA, ...), as plain RGBA pixels for the core.
#pragma once

#include "core/edit/picture_convert.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace velmora {

struct PictureRead {
    // Why a picture was not read, for a front to word in its own language.
    enum class Problem {
        None,
        FileTooLarge,    // numbers: file bytes, most bytes; `error` in English
        FileUnreadable,  // detail: the system's reason
        SizeTooLarge,    // numbers: width, height
        NotAPicture,     // no reader knows the bytes
        ReaderFailed,    // detail: the reader's reason
    };
    RgbaPicture picture;
    QString error;  // English; empty when the picture was read
    Problem problem = Problem::None;
    std::vector<qint64> numbers;
    QString detail;
    bool ok() const { return error.isEmpty(); }
};

// Reads a whole picture file of any format Qt reads, by its content (the
// name's extension helps only formats without a signature). Files over
// 16 MiB and pictures over kMaxBmpPixels are refused before decoding.
PictureRead ReadPictureFile(const QString& path);
PictureRead DecodePicture(const std::vector<uint8_t>& bytes, const QString& nameForFormat = {});

// A picture Qt has decoded (the clipboard's), as RGBA pixels; refused when
// it is larger than kMaxBmpSide a side or kMaxBmpPixels.
PictureRead PictureFromImage(const QImage& image);
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
