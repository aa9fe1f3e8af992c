// Import picture and Export picture of the part popup menu: pictures of any
// format, with their transparency, in and out of a slot.
#include "ui/mainform.h"

#include "common/file_bytes.h"
#include "ui/services/error_texts.h"
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

// Why the picture was not read, in the chosen language.
QString ProblemText(const PictureRead& read, const LanguageTexts& texts)
{
    auto line = [&](int index, const char* english) {
        return texts.lineOr(LanguageTexts::List::Messages, index, english);
    };
    QStringList numbers;
    for (const qint64 number : read.numbers)
        numbers << QString::number(number);
    switch (read.problem) {
    case PictureRead::Problem::FileTooLarge:
        return FillLine(line(message::kPictureFileTooLarge,
                             "the file is %1 bytes long, more than the %2 bytes a picture may have"),
                        numbers);
    case PictureRead::Problem::FileUnreadable:
        return FillLine(line(message::kPictureFileUnreadable, "cannot read the file: %1"), {read.detail});
    case PictureRead::Problem::SizeTooLarge:
        return FillLine(line(message::kPictureSizeTooLarge, "the picture size %1x%2 is too large"), numbers);
    case PictureRead::Problem::NotAPicture:
        return FillLine(line(message::kPictureReaderFailed, "the picture cannot be read: %1"),
                        {line(message::kNotAPicture, "not a picture in any format known here")});
    case PictureRead::Problem::ReaderFailed:
        return FillLine(line(message::kPictureReaderFailed, "the picture cannot be read: %1"), {read.detail});
    case PictureRead::Problem::None:
        break;
    }
    return read.error;
}

}  // namespace

FileDialogSettings TMainForm::importPictureDialog() const
{
    FileDialogSettings dialog = importPictureDialog_;
    dialog.filters = ReadablePictureFilters(
        texts_.lineOr(LanguageTexts::List::Labels, label::kPicturesFileType, label::kPicturesFileTypeText),
        texts_.lineOr(LanguageTexts::List::Labels, label::kAllFilesFileType, label::kAllFilesFileTypeText));
    return dialog;
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
                        QLatin1Char('\n') + ProblemText(read, texts_));
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
        throw std::runtime_error(cannotWriteText(path, *error).toStdString());
}

}  // namespace velmora
