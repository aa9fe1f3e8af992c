// Commands of the part popup menu.
#include "ui/mainform.h"

#include "common/file_bytes.h"
#include "ui/services/error_texts.h"
#include "ui/services/failure_messages.h"
#include "ui/services/paths.h"

#include "core/edit/mask_ops.h"
#include "core/edit/part_commands.h"
#include "core/image/bmp.h"

#include <QAction>

namespace velmora {

namespace {

// Message 6 used to pass through printf with no arguments. Only the doubled
// percent sign keeps that meaning; any other conversion is shown as written,
// so a language file can never make us read memory.
QString CollapseDoubledPercent(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out.append(text[i]);
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] == u'%')
            ++i;
    }
    return out;
}

}  // namespace

void TMainForm::PopupMenuPopup()
{
    const PartCommands enabled = PartCommandsFor(selectedSlot_);
    CopyImage->setEnabled(enabled.copyFromRoomView);
    PasteParts->setEnabled(enabled.pasteParts);
    CreateMask->setEnabled(enabled.makeMask);
    CopyData->setEnabled(enabled.copyFromImage);
    ImportPicture->setEnabled(enabled.importPicture);
    ExportPicture->setEnabled(enabled.exportPicture);
    // The clipboard's way in and out, as the file's.
    CopyPicture->setEnabled(enabled.exportPicture);
    PastePicture->setEnabled(enabled.importPicture);
}

CheckResult TMainForm::checkPartBitmap(std::span<const uint8_t> fileBytes, int slot)
{
    const BmpCheckFields fields = ReadCheckFields(fileBytes);
    // Masks are never compared with the palette, so its file is not read for them.
    std::optional<std::array<uint8_t, 1024>> palette;
    if (!PartSlotTable::IsMask(slot))
        if (const Result<std::array<uint8_t, 1024>> read = ReadStandardPalette(StandardPalettePath(programFolder_)))
            palette = read.value();
    const CheckResult result = PartBitmapCheck(fields, slot, palette);
    switch (result.outcome) {
    case CheckOutcome::Accepted:
        return result;
    case CheckOutcome::Refused:
    case CheckOutcome::PaletteMissing:
        showWarning(MessageLine(CheckMessageLine(result.kind)));
        return result;
    case CheckOutcome::PaletteDiffers: {
        if (askQuestionText(CollapseDoubledPercent(TextOf(texts_, Text::PaletteDiffers))))
            return {CheckOutcome::Accepted, CheckKind::None};
        return {CheckOutcome::Refused, CheckKind::PaletteDiffers};
    }
    }
    return result;
}

bool TMainForm::takePartBitmap(std::span<const uint8_t> fileBytes, int slot, const QString& fileNameForMessages,
                               const QString& stepName)
{
    Bitmap picture;
    try {
        picture = DecodeBmp(fileBytes);
    } catch (const FormatError& e) {
        // Read back from the image editor or loaded: the same words.
        showFailure(Attempt::LoadPart, Malformed(e, fileNameForMessages, texts_));
        return false;
    }
    changeSlots(stepName, {{slot, std::move(picture)}});
    return true;
}

void TMainForm::OpenPFileClick()
{
    const int slot = selectedSlot_;
    if (const std::optional<QString> path = prompts_->openFile(openPictureDialog_))
        loadPartFile(path.value(), slot);
}

void TMainForm::loadPartFile(const QString& path, int slot)
{
    const Result<std::vector<uint8_t>> file = ReadWholeFile(path);
    if (!file) {
        showFailure(Attempt::LoadPart, file.failure());
        return;
    }
    if (checkPartBitmap(file.value(), slot).outcome == CheckOutcome::Refused)
        return;
    takePartBitmap(file.value(), slot, path, StepName(OpenPFile->text()));
}

void TMainForm::SavePFileClick()
{
    const int slot = selectedSlot_;
    const std::optional<SaveFileChoice> choice = prompts_->saveFile(savePictureDialog_);
    if (!choice)
        return;
    const std::vector<uint8_t> bytes = EncodeBmp(document_->picture(slot), ColoursUsedField::EntriesWritten);
    if (const Result<void> written = WriteWholeFile(choice->path, bytes); !written)
        showFailure(Attempt::SavePart, written.failure());
}

void TMainForm::CopyImageClick()
{
    const int slot = selectedSlot_;
    changeSlots(StepName(CopyImage->text()), {{slot, CopyPartFromRoom(document_->pictures(), slot)}});
}

void TMainForm::CreateMaskClick()
{
    const int slot = selectedSlot_;
    changeSlots(StepName(CreateMask->text()), {{PartSlotTable::MaskOf(slot), MakeMaskFromPicture(document_->picture(slot))}});
}

void TMainForm::CopyDataClick()
{
    const int slot = selectedSlot_;
    changeSlots(StepName(CopyData->text()), {{slot, MaskFromImageWhite(document_->picture(PartSlotTable::PartOf(slot)))}});
}

}  // namespace velmora
