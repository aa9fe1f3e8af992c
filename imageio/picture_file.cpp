#include "imageio/picture_file.h"

#include "common/file_bytes.h"
#include "core/image/bmp.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QMap>

#include <cstring>
#include <stdexcept>

namespace velmora {

Result<RgbaPicture> ReadPictureFile(const QString& path)
{
    const Result<std::vector<uint8_t>> file = ReadWholeFile(path);
    Result<RgbaPicture> picture = file ? DecodePicture(file.value(), path) : file.failure();
    if (picture)
        return picture;
    Failure failure = picture.failure();
    failure.subject = path;
    // Not opened or not read, the picture was not read: one reason for both.
    if (failure.kind == FailureKind::CannotOpen)
        failure.kind = FailureKind::CannotRead;
    if (failure.kind == FailureKind::TooLarge)
        failure.reason = QStringLiteral("the file is %1 bytes long, more than the %2 bytes a picture may have")
                             .arg(failure.numbers.at(0))
                             .arg(failure.numbers.at(1));
    return failure;
}

namespace {

// The image plugins print their own complaints (libpng's, the TGA reader's);
// the reason is reported once by the caller, so they are kept quiet while reading.
class QuietImagePlugins {
public:
    QuietImagePlugins() : previous_(qInstallMessageHandler(&Drop)) {}
    ~QuietImagePlugins() { qInstallMessageHandler(previous_); }
    QuietImagePlugins(const QuietImagePlugins&) = delete;
    QuietImagePlugins& operator=(const QuietImagePlugins&) = delete;

private:
    static void Drop(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler previous_;
};

// Larger than any picture the editor takes: checked before decoding a file,
// and on a picture Qt decoded elsewhere (the clipboard's).
bool OverPixelLimit(QSize size)
{
    return size.width() > kMaxBmpSide || size.height() > kMaxBmpSide ||
           int64_t{size.width()} * size.height() > kMaxBmpPixels;
}

Failure TooManyPixels(QSize size)
{
    return Failure{FailureKind::TooManyPixels,
                   QStringLiteral("the picture size %1x%2 is too large").arg(size.width()).arg(size.height()),
                   {}, -1, {size.width(), size.height()}};
}

// One attempt at reading: by content, or as the named format.
Result<QImage> ReadAs(const QByteArray& data, const QByteArray& format, bool byContent)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(byContent);
    const QSize size = reader.size();
    if (size.isValid() && OverPixelLimit(size))
        return TooManyPixels(size);
    QImage image;
    if (reader.read(&image) && !image.isNull())
        return image;
    const bool unknown = reader.error() == QImageReader::UnsupportedFormatError;
    return Failure{FailureKind::Unreadable, unknown ? QString() : reader.errorString()};
}

}  // namespace

Result<RgbaPicture> DecodePicture(const std::vector<uint8_t>& bytes, const QString& nameForFormat)
{
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    const QByteArray suffix = QFileInfo(nameForFormat).suffix().toLower().toLatin1();
    const QuietImagePlugins quiet;
    Result<QImage> image = ReadAs(data, suffix, true);
    // Formats without a signature are known only by the name.
    if (!image && (suffix == "tga" || suffix == "wbmp"))
        image = ReadAs(data, suffix, false);
    if (!image)
        return image.failure();
    return PictureFromImage(image.value());
}

Result<RgbaPicture> PictureFromImage(const QImage& decoded)
{
    if (decoded.isNull())
        return Failure{FailureKind::Unreadable, {}};
    if (OverPixelLimit(decoded.size()))
        return TooManyPixels(decoded.size());
    const QImage image = decoded.convertToFormat(QImage::Format_RGBA8888);
    RgbaPicture picture;
    picture.width = image.width();
    picture.height = image.height();
    const size_t rowBytes = static_cast<size_t>(image.width()) * 4;
    picture.pixels.resize(rowBytes * static_cast<size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(picture.pixels.data() + rowBytes * static_cast<size_t>(y), image.constScanLine(y), rowBytes);
    return picture;
}

QImage ImageFromPicture(const RgbaPicture& picture)
{
    const size_t rowBytes = static_cast<size_t>(picture.width) * 4;
    if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() != rowBytes * size_t(picture.height))
        return {};
    QImage image(picture.width, picture.height, QImage::Format_RGBA8888);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.pixels.data() + rowBytes * static_cast<size_t>(y), rowBytes);
    return image;
}

QStringList ReadablePictureFilters(const QString& picturesName, const QString& allFilesName)
{
    // One entry per format, its other spellings beside it (*.jpeg *.jpg).
    const auto canonical = [](const QByteArray& format) -> QByteArray {
        if (format == "jpg")
            return "jpeg";
        if (format == "tif")
            return "tiff";
        return format;
    };
    QMap<QByteArray, QStringList> byFormat;
    QStringList all;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format);
        byFormat[canonical(format.toLower())] << pattern;
        all << pattern;
    }
    QStringList filters{QStringLiteral("%1 (%2)").arg(picturesName, all.join(QLatin1Char(' ')))};
    for (auto format = byFormat.cbegin(); format != byFormat.cend(); ++format)
        filters << QStringLiteral("%1 (%2)").arg(QString::fromLatin1(format.key().toUpper()),
                                                 format.value().join(QLatin1Char(' ')));
    filters << QStringLiteral("%1 (*)").arg(allFilesName);
    return filters;
}

std::vector<uint8_t> EncodePng(const RgbaPicture& picture, PngForm form)
{
    QImage image = ImageFromPicture(picture);
    if (image.isNull())
        throw std::runtime_error("there is no picture to write");
    if (form == PngForm::Rgb)
        image = image.convertToFormat(QImage::Format_RGB888);
    else if (form == PngForm::Grey)
        image = image.convertToFormat(QImage::Format_Grayscale8);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        throw std::runtime_error("the PNG writer failed: " + writer.errorString().toStdString());
    return std::vector<uint8_t>(data.begin(), data.end());
}

}  // namespace velmora
