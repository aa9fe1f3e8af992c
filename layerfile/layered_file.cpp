#include "layerfile/layered_file.h"

#include "common/file_bytes.h"
#include "layerfile/ase_file.h"
#include "layerfile/layer_limits.h"
#include "layerfile/ora_file.h"
#include "layerfile/zip_archive.h"

namespace velmora {

std::optional<LayeredFormat> LayeredFormatOfName(const QString& name)
{
    if (name.endsWith(QLatin1String(".ora"), Qt::CaseInsensitive))
        return LayeredFormat::OpenRaster;
    if (name.endsWith(QLatin1String(".aseprite"), Qt::CaseInsensitive) ||
        name.endsWith(QLatin1String(".ase"), Qt::CaseInsensitive))
        return LayeredFormat::Aseprite;
    return std::nullopt;
}

std::vector<uint8_t> EncodeLayeredFile(const RoomPictures& pictures, LayeredFormat format)
{
    const Scene scene = SceneOfRoom(pictures);
    return format == LayeredFormat::OpenRaster ? WriteOra(scene, DefaultStatePicture(pictures)) : WriteAse(scene);
}

Scene DecodeLayeredFile(std::span<const uint8_t> bytes)
{
    if (bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K')
        return ReadOra(bytes);
    if (bytes.size() >= 6 && bytes[4] == 0xE0 && bytes[5] == 0xA5)
        return ReadAse(bytes);
    throw LayeredFileError("neither an OpenRaster nor an Aseprite file");
}

Result<void> WriteLayeredFile(const QString& path, const RoomPictures& pictures, std::optional<LayeredFormat> format)
{
    if (!format)
        format = LayeredFormatOfName(path);
    if (!format)
        return Failure{FailureKind::CannotWrite, QStringLiteral("name it .ora, .aseprite or .ase"), path};
    std::vector<uint8_t> bytes;
    try {
        bytes = EncodeLayeredFile(pictures, *format);
    } catch (const std::exception& e) {
        return Failure{FailureKind::CannotWrite, QString::fromStdString(e.what()), path};
    }
    return WriteWholeFile(path, bytes);
}

Result<Scene> ReadLayeredFile(const QString& path)
{
    Result<std::vector<uint8_t>> bytes = ReadWholeFile(path, kLayeredMaxFileSize);
    if (!bytes)
        return bytes.failure();
    try {
        return DecodeLayeredFile(bytes.value());
    } catch (const LayeredFileError& e) {
        return Failure{FailureKind::Damaged, QString::fromStdString(e.what()), path};
    }
}

}  // namespace velmora
