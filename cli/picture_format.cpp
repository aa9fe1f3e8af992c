#include "picture_format.h"

#include "pac_common.h"
#include "picture_io.h"

#include "core/image/bmp.h"
#include "core/render/picture_export.h"

namespace velmora::pac {

std::optional<PictureFormat> FormatOfName(const QString& name)
{
    const QString lower = name.toLower();
    if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg")))
        return PictureFormat::Jpeg;
    if (lower.endsWith(QLatin1String(".bmp")))
        return PictureFormat::Bmp;
    if (lower.endsWith(QLatin1String(".png")))
        return PictureFormat::Png;
    return std::nullopt;
}

PictureFormat ExportFormat(const QString& name)
{
    if (const std::optional<PictureFormat> format = FormatOfName(name))
        return *format;
    UsageError("export writes .png, .bmp, .jpg or .jpeg files; cannot write \"" + Local(name) + "\"");
}

std::vector<uint8_t> SlotPicture(const RoomPictures& pictures, int slot, PictureFormat format)
{
    if (format == PictureFormat::Png)
        return SlotPng(pictures, slot);
    const Bitmap& picture = pictures[static_cast<size_t>(slot)];
    if (picture.empty())
        Fail(SlotFileName(slot), "the picture in the room has no pixels to write");
    try {
        return format == PictureFormat::Bmp ? EncodeBmp(picture, ColoursUsedField::EntriesWritten)
                                            : EncodePreviewJpeg(picture);
    } catch (const std::exception& e) {
        Fail(SlotFileName(slot), e.what());
    }
}

}  // namespace velmora::pac
