#include "imageio/clipboard_picture.h"

#include <QMimeData>
#include <QVariant>

namespace velmora {

std::unique_ptr<QMimeData> PictureMimeData(const RgbaPicture& picture, PngForm form)
{
    const std::vector<uint8_t> png = EncodePng(picture, form);
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kPngMimeType),
                  QByteArray(reinterpret_cast<const char*>(png.data()), static_cast<qsizetype>(png.size())));
    // Offered as every other image type (BMP, ...) by Qt; the explicit PNG
    // above wins over the one Qt would make of this opaque picture.
    data->setImageData(ImageFromPicture(picture).convertToFormat(QImage::Format_RGB32));
    return data;
}

std::optional<Result<RgbaPicture>> PictureFromMimeData(const QMimeData* data)
{
    if (!data)
        return std::nullopt;
    const QString png = QString::fromLatin1(kPngMimeType);
    if (data->hasFormat(png)) {
        const QByteArray bytes = data->data(png);
        if (!bytes.isEmpty())
            return DecodePicture(std::vector<uint8_t>(bytes.begin(), bytes.end()), QStringLiteral("clipboard.png"));
    }
    if (!data->hasImage())
        return std::nullopt;
    return PictureFromImage(qvariant_cast<QImage>(data->imageData()));
}

}  // namespace velmora
