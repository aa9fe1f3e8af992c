// Pictures of any format in and out of a room: import, export, and the PNG
// forms of extract, pack and render.
#include "commands.h"
#include "pac_common.h"
#include "picture_format.h"
#include "picture_io.h"
#include "quiet_stderr.h"

#include "core/edit/picture_convert.h"
#include "imageio/picture_file.h"

namespace velmora::pac {

QString SlotPngName(int slot)
{
    QString name = SlotFileName(slot);
    name.chop(4);
    return name + QStringLiteral(".png");
}

SlotConversion ReadSlotPicture(const QString& path, int slot, bool alwaysMask, const ImportChoices& choices)
{
    const Result<RgbaPicture> read = [&] {
        const QuietStderr quiet;
        return ReadPictureFile(path);
    }();
    if (!read) {
        Failure failure = read.failure();
        failure.subject = path;
        Fail(failure);
    }
    if (choices.fit == Fitting::Exact && !FitsSlot(read.value(), slot))
        Fail(path, "the picture is " + SizeText(read->width, read->height) + "; " + SlotTakes(slot));
    return ConvertToSlot(read.value(), slot, choices, alwaysMask);
}

std::vector<uint8_t> SlotPng(const RoomPictures& pictures, int slot)
{
    const RgbaPicture picture = SlotToRgba(pictures, slot);
    if (picture.pixels.empty())
        Fail(SlotFileName(slot), "the picture in the room has no pixels to write");
    return EncodePng(picture, PartSlotTable::IsMask(slot) ? PngForm::Grey : PngForm::Rgba);
}

int RunImport(const QStringList& args, const Options& options)
{
    const QString roomPath = args[0];
    const int slot = ParseSlot(args[1]);
    const ImportChoices choices = ParseImportChoices(options.fit, options.dither, options.alpha);
    const QString out = options.output.isEmpty() ? roomPath : options.output;
    Room room = ReadRoom(roomPath);
    SlotConversion converted = ReadSlotPicture(args[2], slot, false, choices);
    room.pictures[static_cast<size_t>(slot)] = std::move(converted.picture);
    if (converted.mask)
        room.pictures[static_cast<size_t>(PartSlotTable::MaskOf(slot))] = std::move(*converted.mask);
    SaveRoom(out, room);
    return kSuccess;
}

int RunExport(const QStringList& args, const Options&)
{
    const PictureFormat format = ExportFormat(args[2]);
    const int slot = ParseSlot(args[1]);
    const Room room = ReadRoom(args[0]);
    SaveWholeFile(args[2], SlotPicture(room.pictures, slot, format));
    return kSuccess;
}

}  // namespace velmora::pac
