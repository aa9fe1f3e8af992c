// The thumbnail command: the daytime preview, scaled for file managers.
#include "commands.h"
#include "pac_common.h"

#include "core/render/compose.h"
#include "core/edit/picture_convert.h"
#include "imageio/picture_file.h"

#include <QImage>

namespace velmora::pac {

namespace {

constexpr int kDefaultThumbnailSize = 128;
constexpr int kMaxThumbnailSize = 4096;

int ThumbnailSize(const QString& option)
{
    if (option.isEmpty())
        return kDefaultThumbnailSize;
    bool ok = false;
    const int size = option.toInt(&ok);
    if (!ok || size < 1 || size > kMaxThumbnailSize)
        UsageError("--size takes a number of pixels from 1 to " + std::to_string(kMaxThumbnailSize) + ", not \"" +
                   Local(option) + "\"");
    return size;
}

}  // namespace

int RunThumbnail(const QStringList& args, const Options& options)
{
    const int size = ThumbnailSize(options.size);
    const Room room = ReadRoom(args[0]);
    Bitmap preview;
    ComposeRoom(room.pictures, PreviewState{}, preview);
    // Fit N x N keeping the room's 4:3 shape: 128 gives 128x96. Qt scales
    // smoothly; the PNG is written as every picture the tool writes.
    RgbaPicture rgba = BitmapToRgba(preview);
    const QImage image(rgba.pixels.data(), rgba.width, rgba.height, rgba.width * 4, QImage::Format_RGBA8888);
    const QSize fit = image.size().scaled(size, size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const QImage scaled = image.scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGBA8888);
    RgbaPicture thumbnail{scaled.width(), scaled.height(), {}};
    thumbnail.pixels.reserve(size_t(scaled.width()) * size_t(scaled.height()) * 4);
    for (int y = 0; y < scaled.height(); ++y) {
        const uint8_t* row = scaled.constScanLine(y);
        thumbnail.pixels.insert(thumbnail.pixels.end(), row, row + size_t(scaled.width()) * 4);
    }
    SaveWholeFile(args[1], EncodePng(thumbnail, PngForm::Rgb));
    return kSuccess;
}

}  // namespace velmora::pac
