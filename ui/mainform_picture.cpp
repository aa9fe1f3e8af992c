// Import picture and Export picture of the part popup menu: pictures of any
// format, with their transparency, in and out of a slot.
#include "ui/mainform.h"

#include "common/file_bytes.h"
#include "imageio/picture_file.h"

#include "core/edit/picture_convert.h"

#include <stdexcept>

namespace velmora {

namespace {

// The messages of this command for language files older than their lines.
constexpr const char* kWrongPictureSizeText = "The picture is %1 pixels; this part needs %2 pixels.";
constexpr const char* kPictureUnreadableText = "The picture cannot be read:";

QString SizeText(int32_t width, int32_t height)
{
    return QStringLiteral("%1×%2").arg(width).arg(height);
}

}  // namespace

const FileDialogSettings& TMainForm::importPictureDialog()
{
    if (importPictureDialog_.filters.isEmpty())
        importPictureDialog_.filters = ReadablePictureFilters();
    return importPictureDialog_;
}

void TMainForm::ImportPictureClick()
{
    const int slot = selectedSlot_;
    if (const std::optional<QString> path = prompts_->openFile(importPictureDialog()))
        importPicture(path.value(), slot);
}

void TMainForm::importPicture(const QString& path, int slot)
{
    const PictureRead read = ReadPictureFile(path);
    if (!read.ok()) {
        showWarningText(texts_.lineOr(LanguageTexts::List::Messages, message::kPictureUnreadable, kPictureUnreadableText) + QLatin1Char('\n') + path +
                        QLatin1Char('\n') + read.error);
        return;
    }
    if (!FitsSlot(read.picture, slot)) {
        const PartSize size = PartSlotTable::RequiredSize(slot);
        showWarningText(texts_.lineOr(LanguageTexts::List::Messages, message::kWrongPictureSize, kWrongPictureSizeText)
                            .arg(SizeText(read.picture.width, read.picture.height), SizeText(size.width, size.height)));
        return;
    }
    SlotConversion converted = ConvertToSlot(read.picture, slot);
    std::vector<SlotChange> changes;
    changes.push_back({slot, std::move(converted.picture)});
    const int mask = PartSlotTable::MaskOf(slot);
    if (converted.mask && !converted.mask->samePicture(slotPicture(mask)))
        changes.push_back({mask, std::move(*converted.mask)});
    changeSlots(StepName(ImportPicture->text()), std::move(changes));
}

void TMainForm::ExportPictureClick()
{
    const int slot = selectedSlot_;
    FileDialogSettings dialog = exportPictureDialog_;
    const std::string_view box = PartSlotTable::BoxName(slot);
    dialog.startName = QString::fromLatin1(box.data(), static_cast<qsizetype>(box.size())) + QStringLiteral(".png");
    if (const std::optional<SaveFileChoice> choice = prompts_->saveFile(dialog))
        exportPicture(choice->path, slot);
}

void TMainForm::exportPicture(const QString& path, int slot)
{
    const RgbaPicture picture = SlotToRgba(pictures_, slot);
    if (picture.pixels.empty())
        throw std::runtime_error("The picture in this slot has no pixels to write.");
    const std::vector<uint8_t> bytes =
        EncodePng(picture, PartSlotTable::IsMask(slot) ? PngForm::Grey : PngForm::Rgba);
    if (const auto error = WriteWholeFile(path, bytes))
        throw std::runtime_error(("Cannot write " + path + ": " + *error).toStdString());
}

}  // namespace velmora
