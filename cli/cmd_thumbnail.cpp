// The thumbnail command: the daytime preview, scaled for file managers.
#include "commands.h"
#include "pac_common.h"

#include "core/render/compose.h"
#include "core/render/picture_export.h"

#include <QBuffer>
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
    // PNG goes through QImage until the project has a PNG writer of its own;
    // Qt's BMP reader takes our standard 8-bit form unchanged.
    const std::vector<uint8_t> bmp = EncodePreviewBmp(preview);
    const QImage image = QImage::fromData(bmp.data(), static_cast<int>(bmp.size()), "BMP");
    if (image.isNull())
        Fail(args[0], "the preview could not be converted");
    // Fit N x N keeping the room's 4:3 shape: 128 gives 128x96.
    const QSize fit = image.size().scaled(size, size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const QImage scaled = image.convertToFormat(QImage::Format_RGB32)
                              .scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!scaled.save(&buffer, "PNG"))
        Fail(args[1], "the thumbnail could not be encoded as PNG");
    SaveWholeFile(args[1], std::span(reinterpret_cast<const uint8_t*>(png.constData()), size_t(png.size())));
    return kSuccess;
}

}  // namespace velmora::pac
