#include "layerfile/png_layer.h"

#include "imageio/picture_file.h"
#include "layerfile/layer_limits.h"
#include "layerfile/zip_archive.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

namespace velmora {

std::vector<uint8_t> EncodeLayerPng(const RgbaPicture& picture, bool opaque)
{
    if (picture.width <= 0 || picture.height <= 0)
        return EncodePng(RgbaPicture{1, 1, {0, 0, 0, 0}}, PngForm::Rgba);  // a part with no pixels
    return EncodePng(picture, opaque ? PngForm::Rgb : PngForm::Rgba);
}

std::vector<uint8_t> EncodeThumbnailPng(const RgbaPicture& picture, int side)
{
    const QImage image = ImageFromPicture(picture).scaled(side, side, Qt::KeepAspectRatio, Qt::FastTransformation);
    return EncodePng(PictureFromImage(image).value(), PngForm::Rgb);
}

void CheckLayerSize(int64_t width, int64_t height, const std::string& name, int64_t& pixelsSoFar)
{
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    if (width <= 0 || height <= 0 || width > kLayeredMaxSide || height > kLayeredMaxSide ||
        width * height > kLayeredMaxLayerPixels)
        throw LayeredFileError(name + ": the layer size " + size + " is too large (at most " +
                               std::to_string(kLayeredMaxSide) + " a side and " +
                               std::to_string(kLayeredMaxLayerPixels) + " pixels)");
    pixelsSoFar += width * height;
    if (pixelsSoFar > kLayeredMaxPixels)
        throw LayeredFileError(name + ": the layers together take more than " + std::to_string(kLayeredMaxPixels) +
                               " pixels");
}

RgbaPicture DecodeLayerPng(const std::vector<uint8_t>& png, const std::string& name, int64_t& pixelsSoFar)
{
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(png.data()), qsizetype(png.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid())
        throw LayeredFileError(name + " is not a PNG picture");
    CheckLayerSize(size.width(), size.height(), name, pixelsSoFar);
    QImage image;
    if (!reader.read(&image))
        throw LayeredFileError(name + " does not decode: " + reader.errorString().toStdString());
    if (image.size() != size)
        throw LayeredFileError(name + " decodes to another size than its header says");
    Result<RgbaPicture> picture = PictureFromImage(image);
    if (!picture)
        throw LayeredFileError(name + " does not decode");
    return std::move(picture).value();
}

}  // namespace velmora
