// The render command: the check dialog's composition and export, from the
// command line.
#include "commands.h"
#include "pac_common.h"
#include "picture_format.h"

#include "core/render/compose.h"
#include "core/render/picture_export.h"
#include "core/edit/picture_convert.h"
#include "imageio/picture_file.h"

namespace velmora::pac {

namespace {

PictureFormat ChooseFormat(const QString& out, const QString& format)
{
    if (!format.isEmpty()) {
        if (format == QLatin1String("jpg") || format == QLatin1String("jpeg"))
            return PictureFormat::Jpeg;
        if (format == QLatin1String("bmp"))
            return PictureFormat::Bmp;
        if (format == QLatin1String("png"))
            return PictureFormat::Png;
        UsageError("--format takes jpg, bmp or png, not \"" + Local(format) + "\"");
    }
    if (const std::optional<PictureFormat> byName = FormatOfName(out))
        return *byName;
    UsageError("cannot tell the format of \"" + Local(out) + "\": name it .jpg, .jpeg, .bmp or .png, or give --format");
}

}  // namespace

int RunRender(const QStringList& args, const Options& options)
{
    const PictureFormat format = ChooseFormat(args[1], options.format);
    PreviewState state;
    state.night = options.night;
    state.lettersAndBubble = options.letters;
    if (!options.door.isEmpty())
        state.door = Choice<DoorState>(QStringLiteral("door"), options.door,
                                       {{"closed", DoorState::Closed}, {"half", DoorState::HalfOpen},
                                        {"open", DoorState::Open}});
    if (!options.tbox.isEmpty())
        state.treasureBoxOpen = Choice<bool>(QStringLiteral("tbox"), options.tbox, {{"closed", false}, {"open", true}});
    if (!options.bed.isEmpty())
        state.bedSleeping = Choice<bool>(QStringLiteral("bed"), options.bed, {{"default", false}, {"sleeping", true}});

    const Room room = ReadRoom(args[0]);
    Bitmap preview;
    ComposeRoom(room.pictures, state, preview);
    const std::vector<uint8_t> bytes = format == PictureFormat::Jpeg  ? EncodePreviewJpeg(preview)
                                       : format == PictureFormat::Bmp ? EncodePreviewBmp(preview)
                                                                      : EncodePng(BitmapToRgba(preview), PngForm::Rgb);
    SaveWholeFile(args[1], bytes);
    return kSuccess;
}

}  // namespace velmora::pac
