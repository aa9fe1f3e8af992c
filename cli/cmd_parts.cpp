// Commands on single parts: extract, pack and check.
#include "commands.h"
#include "pac_common.h"
#include "picture_io.h"

#include "core/image/bmp.h"
#include "imageio/picture_file.h"
#include "core/room/part_check.h"
#include "common/message_lines.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <cstdio>

namespace velmora::pac {

namespace {

// A file without the "BM" signature, as Qt's image readers tell it by its
// content: "not a BMP picture but a PNG one", with its size when that differs.
std::string NotBmpText(std::span<const uint8_t> bytes, int slot)
{
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format().toUpper();
    if (format.isEmpty())
        return "not a BMP picture (it does not start with \"BM\")";
    std::string text = "not a BMP picture but a " + format.toStdString() + " one";
    const PartSize size = PartSlotTable::RequiredSize(slot);
    const QSize given = reader.size();
    if (given.isValid() && given != QSize(size.width, size.height))
        text += " of " + SizeText(given.width(), given.height()) + "; " + SlotTakes(slot);
    return text;
}

// "(N): reason", N the line of the editor's messages that refuses or asks.
std::string Reason(const CheckResult& r, std::span<const uint8_t> bytes, int slot)
{
    // Appended, not "(" + ...: GCC 12 warns falsely of an overlap (-Wrestrict)
    // inside operator+ on a temporary string.
    std::string reason = "(";
    reason += std::to_string(CheckMessageLine(r.kind));
    reason += "): ";
    // The check reads fixed offsets, as the editor does: another format is
    // refused with the editor's number, but its fields say nothing.
    if (r.outcome == CheckOutcome::Refused && (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M'))
        return reason + NotBmpText(bytes, slot);
    reason += CheckKindText(r.kind);
    if (r.kind == CheckKind::WrongSize) {
        const BmpCheckFields fields = ReadCheckFields(bytes);
        // A 12-byte header holds its size in two 16-bit fields.
        const bool core = fields.infoHeaderSize == 12 && bytes.size() >= 22;
        const int32_t width = core ? ReadLe16(&bytes[18]) : fields.width;
        const int32_t height = core ? ReadLe16(&bytes[20]) : fields.height;
        reason += ": the picture is " + SizeText(width, height) + (height < 0 ? " (rows top-down)" : "") + "; " +
                  SlotTakes(slot);
    }
    return reason;
}

// Reads one part file for `slot`, runs the acceptance check and decodes it.
// A palette that differs is taken with a warning, as a user answering Yes.
Bitmap LoadPart(const QString& path, int slot, const std::optional<std::array<uint8_t, 1024>>& palette)
{
    const std::vector<uint8_t> bytes = ReadWholeFile(path, kMaxBmpFileBytes);
    const CheckResult r = PartBitmapCheck(ReadCheckFields(bytes), slot, palette);
    if (r.outcome == CheckOutcome::Refused)
        Fail(path, "refused " + Reason(r, bytes, slot));
    if (r.outcome == CheckOutcome::PaletteDiffers)
        Warn(path, "palette differs " + Reason(r, bytes, slot) + "; taken all the same");
    try {
        return DecodeBmp(bytes);
    } catch (const FormatError& e) {
        Fail(path, e.what());
    }
}

}  // namespace

int ParseSlot(const QString& text)
{
    bool ok = false;
    const int slot = text.toInt(&ok);
    if (!ok || !PartSlotTable::IsValidSlot(slot))
        UsageError("SLOT must be a number from 0 to 39, not \"" + Local(text) + "\"");
    return slot;
}

int RunExtract(const QStringList& args, const Options& options)
{
    const TextConversion conversion(options.encoding);
    const Room room = ReadRoom(args[0]);
    const QString dirPath = args[1];
    if (!QDir().mkpath(dirPath))
        Fail(dirPath, "cannot create the folder");
    const QDir dir(dirPath);
    if (options.png) {
        for (int part = 0; part < PartSlotTable::kPartCount; ++part)
            SaveWholeFile(dir.filePath(SlotPngName(part)), SlotPng(room.pictures, part));
    } else {
        for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
            SaveWholeFile(dir.filePath(SlotFileName(slot)),
                          EncodeBmp(room.pictures[static_cast<size_t>(slot)], ColoursUsedField::EntriesWritten));
    }
    const std::array<const std::string*, 3> texts = {&room.texts.name, &room.texts.comment, &room.texts.copyright};
    for (size_t i = 0; i < 3; ++i) {
        const std::string text = conversion.toUser(*texts[i]);
        const auto* data = reinterpret_cast<const uint8_t*>(text.data());
        SaveWholeFile(dir.filePath(QString::fromLatin1(kTextFileNames[i])), {data, text.size()});
    }
    return kSuccess;
}

int RunPack(const QStringList& args, const Options& options)
{
    const TextConversion conversion(options.encoding);
    const QDir dir(args[0]);
    if (!dir.exists())
        Fail(args[0], "no such folder");
    const std::vector<uint8_t> header = ReadHeaderTemplate();

    RoomTexts texts;
    const std::array<std::string*, 3> fields = {&texts.name, &texts.comment, &texts.copyright};
    for (size_t i = 0; i < 3; ++i) {
        const QString path = dir.filePath(QString::fromLatin1(kTextFileNames[i]));
        const std::vector<uint8_t> raw = ReadWholeFile(path, 1 << 20);
        const std::string bytes = conversion.toRoom(std::string(raw.begin(), raw.end()), path);
        if (bytes.size() > kRoomTextMax)
            Fail(path, std::string("the ") + kRoomTextNames[i] + " is " + std::to_string(bytes.size()) +
                           " bytes long; a room file holds at most " + std::to_string(kRoomTextMax));
        *fields[i] = bytes;
    }

    std::string problem;
    const auto palette = ReadStandardPalette(problem);
    if (!palette)
        Warn(StandardPalettePath(), problem + "; part pictures are taken without comparing their colour tables");

    RoomPictures pictures;
    std::array<bool, PartSlotTable::kSlotCount> done{};
    // A part given as a picture with its transparency brings its mask along.
    for (int part = 0; part < PartSlotTable::kPartCount; ++part) {
        const QString png = dir.filePath(SlotPngName(part));
        if (!QFileInfo::exists(png))
            continue;
        SlotConversion converted = ReadSlotPicture(png, part, true);
        pictures[static_cast<size_t>(part)] = std::move(converted.picture);
        pictures[static_cast<size_t>(PartSlotTable::MaskOf(part))] = std::move(*converted.mask);
        done[static_cast<size_t>(part)] = done[static_cast<size_t>(PartSlotTable::MaskOf(part))] = true;
    }
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        if (!done[static_cast<size_t>(slot)])
            pictures[static_cast<size_t>(slot)] = LoadPart(dir.filePath(SlotFileName(slot)), slot, palette);

    std::vector<uint8_t> file;
    try {
        file = WriteRoomFile(header, texts, pictures);
    } catch (const FormatError& e) {
        Fail(args[1], e.what());
    }
    SaveWholeFile(args[1], file);
    return kSuccess;
}

int RunCheck(const QStringList& args, const Options&)
{
    const QString path = args[0];
    const int slot = ParseSlot(args[1]);
    const std::vector<uint8_t> bytes = ReadWholeFile(path, kMaxBmpFileBytes);
    std::string problem;
    const auto palette = PartSlotTable::IsMask(slot) ? std::nullopt : ReadStandardPalette(problem);
    const CheckResult r = PartBitmapCheck(ReadCheckFields(bytes), slot, palette);
    switch (r.outcome) {
    case CheckOutcome::Refused:
        std::printf("refused %s\n", Reason(r, bytes, slot).c_str());
        return kBadInput;
    case CheckOutcome::PaletteDiffers:
        std::printf("palette differs %s\n", Reason(r, bytes, slot).c_str());
        return kBadInput;
    case CheckOutcome::PaletteMissing:
        Warn(StandardPalettePath(), problem + " (5); the picture is taken without comparing its colour table");
        break;
    case CheckOutcome::Accepted:
        break;
    }
    // The header passed; the picture must also decode to be of any use.
    try {
        DecodeBmp(bytes);
    } catch (const FormatError& e) {
        Fail(path, e.what());
    }
    std::printf("accepted\n");
    return kSuccess;
}

}  // namespace velmora::pac
