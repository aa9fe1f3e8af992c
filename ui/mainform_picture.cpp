// Import picture, Export picture, Copy picture and Paste picture of the part
// popup menu: pictures of any format, with their transparency, in and out of
// a slot through files and the clipboard.
#include "ui/mainform.h"

#include "common/file_bytes.h"
#include "ui/services/error_texts.h"
#include "imageio/clipboard_picture.h"
#include "imageio/picture_file.h"
#include "ui/dialogs/import_picture_form.h"
#include "ui/services/picture_lines.h"

#include "core/edit/picture_convert.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <stdexcept>

namespace velmora {

namespace {

// The message of this command for language files older than its line.
constexpr const char* kPictureUnreadableText = "The picture cannot be read:";

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
    // Shift held as the entry is chosen asks for the import dialog whatever
    // the picture's size; asked now, before the file dialog.
    const bool choose = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    if (const std::optional<QString> path = prompts_->openFile(importPictureDialog()))
        importPicture(path.value(), slot, choose);
}

void TMainForm::importPicture(const QString& path, int slot, bool choose)
{
    const PictureRead read = ReadPictureFile(path);
    if (!read.ok()) {
        showWarningText(texts_.lineOr(LanguageTexts::List::Messages, message::kPictureUnreadable, kPictureUnreadableText) + QLatin1Char('\n') + path +
                        QLatin1Char('\n') + ProblemText(read, texts_));
        return;
    }
    takePicture(read.picture, slot, choose, StepName(ImportPicture->text()));
}

void TMainForm::takePicture(const RgbaPicture& picture, int slot, bool choose, const QString& stepName)
{
    SlotConversion converted;
    if (choose || !FitsSlot(picture, slot)) {
        TImportPictureForm form(*this, picture, slot, stepName);
        if (!prompts_->runDialog(form) || !form.result())
            return;
        converted = *form.result();
    } else {
        converted = ConvertToSlot(picture, slot);
    }
    std::vector<SlotPicture> changes;
    changes.push_back({slot, std::move(converted.picture)});
    const int mask = PartSlotTable::MaskOf(slot);
    if (converted.mask && !converted.mask->samePicture(document_->picture(mask)))
        changes.push_back({mask, std::move(*converted.mask)});
    changeSlots(stepName, std::move(changes));
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
    const RgbaPicture picture = SlotToRgba(document_->pictures(), slot);
    if (picture.pixels.empty())
        throw std::runtime_error("The picture in this slot has no pixels to write.");
    const std::vector<uint8_t> bytes =
        EncodePng(picture, PartSlotTable::IsMask(slot) ? PngForm::Grey : PngForm::Rgba);
    if (const auto error = WriteWholeFile(path, bytes))
        throw std::runtime_error(cannotWriteText(path, *error).toStdString());
}

void TMainForm::CopyPictureClick()
{
    const RgbaPicture picture = SlotToRgba(document_->pictures(), selectedSlot_);
    if (picture.pixels.empty())
        throw std::runtime_error("The picture in this slot has no pixels to copy.");
    QGuiApplication::clipboard()->setMimeData(
        PictureMimeData(picture, PartSlotTable::IsMask(selectedSlot_) ? PngForm::Grey : PngForm::Rgba).release());
}

void TMainForm::PastePictureClick()
{
    const int slot = selectedSlot_;
    const std::optional<PictureRead> read = PictureFromMimeData(QGuiApplication::clipboard()->mimeData());
    if (!read) {
        showWarningText(texts_.lineOr(LanguageTexts::List::Messages, picture_lines::kNoClipboardPicture,
                                      picture_lines::kNoClipboardPictureText));
        return;
    }
    if (!read->ok()) {
        showWarningText(texts_.lineOr(LanguageTexts::List::Messages, message::kPictureUnreadable, kPictureUnreadableText) +
                        QLatin1Char('\n') + ProblemText(*read, texts_));
        return;
    }
    // No Shift rule here: the key of this command holds Shift already.
    takePicture(read->picture, slot, false, StepName(PastePicture->text()));
}

}  // namespace velmora
