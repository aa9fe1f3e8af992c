// File menu commands: open a room file, save the room under a new name.
#include "ui/mainform.h"

#include "common/file_bytes.h"
#include "ui/services/paths.h"
#include "ui/widgets/room_text_edit.h"

#include <new>

namespace velmora {

void TMainForm::OpenRoomFileClick()
{
    if (hasUnsavedChanges() && !askQuestion(message::kUnsavedChanges))
        return;
    if (const std::optional<QString> path = prompts_->openFile(openDialog_))
        openRoomFile(*path);
}

void TMainForm::openRoomFile(const QString& path)
{
    // The size is known before anything is read, so a huge file costs nothing.
    const ReadResult file = ReadWholeFile(path, qint64(kRoomMaxFileSize));
    if (file.status == ReadResult::Status::CannotOpen || file.status == ReadResult::Status::ReadFailed) {
        showWarning(message::kCannotOpen);
        return;
    }
    if (file.size < qint64(kRoomMinFileSize)) {
        showWarning(message::kRoomTooShort);
        return;
    }
    if (file.status == ReadResult::Status::TooLarge) {
        showWarning(message::kOutOfMemory);
        return;
    }

    // The whole room is decoded before anything in the window changes: a
    // file that does not decode leaves the room, texts and flag as they were.
    Room room;
    try {
        room = ReadRoomFile(file.bytes);
    } catch (const std::bad_alloc&) {
        showWarning(message::kOutOfMemory);
        return;
    } catch (const FormatError& e) {
        showWarningText(path + QStringLiteral(": ") + QString::fromUtf8(e.what()));
        return;
    }

    setRoomTexts(room.texts);
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        setSlotPicture(slot, std::move(room.pictures[static_cast<size_t>(slot)]));
    modified_ = false;
    markTextsSaved();
}

void TMainForm::openFromCommandLine(const QStringList& arguments)
{
    if (!arguments.isEmpty())
        runCommand([this, &arguments] { openRoomFile(arguments.first()); });
}

void TMainForm::SaveRoomFileClick()
{
    const std::optional<SaveFileChoice> choice = prompts_->saveFile(saveDialog_);
    if (!choice)
        return;
    const QString& target = choice->path;

    // Read anew at every save; only a template of the header's exact length
    // gives a room file the host can read.
    const std::optional<std::vector<uint8_t>> headerTemplate = ReadHeaderTemplate(programFolder_);
    if (!headerTemplate) {
        showWarningText(texts_.message(message::kCannotOpen) + QLatin1Char(' ') + HeaderTemplatePath(programFolder_));
        return;
    }

    // A character the room's encoding cannot hold would be saved as a
    // stand-in: say so rather than lose it.
    for (size_t i = 0; i < fields_.size(); ++i)
        if (!fields_[i]->isEncodable()) {
            showWarningText(QStringLiteral("The %1 holds characters that the text encoding %2 cannot hold. Change "
                                           "the text or the text encoding, then save again.")
                                .arg(QString::fromLatin1(kRoomTextNames[i]),
                                     textEncoding_.isEmpty() ? QStringLiteral("of the system")
                                                             : QString::fromLatin1(textEncoding_)));
            return;
        }

    // The whole room is made in memory first and the file replaced only
    // when all of it is written: a failed save leaves the old file intact.
    std::vector<uint8_t> bytes;
    try {
        bytes = WriteRoomFile(*headerTemplate, roomTexts(), pictures_);
    } catch (const std::bad_alloc&) {
        showWarning(message::kOutOfMemory);
        return;
    } catch (const FormatError& e) {
        showWarningText(texts_.message(message::kCannotOpen) + QLatin1Char('\n') + QString::fromUtf8(e.what()));
        return;
    }
    if (const std::optional<QString> error = WriteWholeFile(target, bytes)) {
        showWarningText(texts_.message(message::kCannotOpen) + QLatin1Char('\n') + *error);
        return;
    }
    modified_ = false;
    markTextsSaved();
}

}  // namespace velmora
