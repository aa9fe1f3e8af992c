// Import picture, Export picture, Copy picture and Paste picture of the part
// popup menu: pictures of any format, with their transparency, in and out of
// a slot through files and the clipboard.
#include "ui/mainform.h"

#include "common/file_bytes.h"
#include "ui/services/failure_messages.h"
#include "imageio/clipboard_picture.h"
#include "imageio/picture_file.h"
#include "ui/dialogs/import_picture_form.h"

#include "core/edit/picture_convert.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace velmora {

namespace {

// The slot as the clipboard and a PNG take it. A picture whose pixels do
// not match its size cannot be written: the core's words for that.
RgbaPicture SlotAsRgba(const RoomPictures& pictures, int slot)
{
    RgbaPicture picture = SlotToRgba(pictures, slot);
    if (picture.pixels.empty())
        throw FormatError(FormatFault::EncodePixelCount, {});
    return picture;
}

}  // namespace

FileDialogSettings TMainForm::importPictureDialog() const
{
    FileDialogSettings dialog = importPictureDialog_;
    dialog.filters = ReadablePictureFilters(
        TextOf(texts_, Text::PicturesFileType), TextOf(texts_, Text::AllFilesFileType));
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
    const Result<RgbaPicture> read = ReadPictureFile(path);
    if (!read) {
        showFailure(Attempt::ImportPicture, read.failure());
        return;
    }
    takePicture(read.value(), slot, choose, StepName(ImportPicture->text()));
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
    const std::vector<uint8_t> bytes =
        EncodePng(SlotAsRgba(document_->pictures(), slot), PartSlotTable::IsMask(slot) ? PngForm::Grey : PngForm::Rgba);
    if (const Result<void> written = WriteWholeFile(path, bytes); !written)
        showFailure(Attempt::ExportPicture, written.failure());
}

void TMainForm::CopyPictureClick()
{
    QGuiApplication::clipboard()->setMimeData(PictureMimeData(SlotAsRgba(document_->pictures(), selectedSlot_),
                                                              PartSlotTable::IsMask(selectedSlot_) ? PngForm::Grey
                                                                                                   : PngForm::Rgba)
                                                  .release());
}

void TMainForm::PastePictureClick()
{
    const int slot = selectedSlot_;
    const std::optional<Result<RgbaPicture>> read = PictureFromMimeData(QGuiApplication::clipboard()->mimeData());
    if (!read) {
        showWarning(Text::NoClipboardPicture);
        return;
    }
    if (!*read) {
        showFailure(Attempt::PastePicture, read->failure());
        return;
    }
    // No Shift rule here: the key of this command holds Shift already.
    takePicture(read->value(), slot, false, StepName(PastePicture->text()));
}

}  // namespace velmora
