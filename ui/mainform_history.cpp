// The window as a view of the room document: the boxes and text fields show
// what it holds, the fields send their edits to it, the title and the Edit
// menu follow its history.
#include "ui/mainform.h"

#include "ui/services/history_actions.h"
#include "ui/widgets/bitmap_image.h"
#include "ui/widgets/picture_box.h"

#include <QAction>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTextDocument>
#include <QUndoStack>

namespace velmora {

void TMainForm::observeDocument()
{
    connect(document_, &RoomDocument::slotsChanged, this, [this](const QList<int>& changed) {
        for (const int slot : changed)
            showPicture(slot);
    });
    connect(document_, &RoomDocument::textChanged, this, &TMainForm::showText);
    connect(document_, &RoomDocument::roomReplaced, this, [this] {
        for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
            showPicture(slot);
        for (int field = 0; field < RoomDocument::kTextCount; ++field)
            showText(field);
    });
    connect(document_, &RoomDocument::textEncodingChanged, this, [this] {
        for (RoomTextEdit* field : fields_)
            field->setCodec(document_->codec());
        // No step, but the recovery file keeps the encoding the texts are shown in.
        scheduleRecovery();
    });
    connect(document_, &RoomDocument::filePathChanged, this, &TMainForm::updateTitle);
    connect(document_, &RoomDocument::cleanChanged, this, [this](bool clean) {
        updateTitle();
        // A save makes typed texts the room's own.
        for (int field = 0; field < RoomDocument::kTextCount; ++field)
            showText(field);
        if (clean)
            runCommand([this] { removeRecovery(); });
        else
            scheduleRecovery();
    });
    connect(document_, &RoomDocument::historyChanged, this, [this] {
        refreshHistoryActions();
        scheduleRecovery();
    });

    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        showPicture(slot);
    for (RoomTextEdit* field : fields_)
        field->setCodec(document_->codec());
}

void TMainForm::showPicture(int slot)
{
    boxes_[static_cast<size_t>(slot)]->setPicture(ToQImage(document_->picture(slot)));
}

void TMainForm::showText(int field)
{
    RoomTextEdit* edit = fields_[static_cast<size_t>(field)];
    const QString shown = document_->shownText(field);
    if (edit->text() != AsFieldText(shown)) {
        const QScopedValueRollback<bool> showing(showingText_, true);
        edit->setPlainText(shown);
        edit->moveCursor(QTextCursor::End);
    }
    edit->document()->setModified(document_->text(field).typed.has_value());
}

void TMainForm::textEdited(int field)
{
    if (showingText_)
        return;
    // The field's caption names its typing steps.
    const QString name = TextOrEnglish(texts_, Nth(Text::NameCaption, field));
    document_->editText(field, ApplyFieldEdit(document_->shownText(field), fields_[static_cast<size_t>(field)]->text()),
                        name);
    // Typed back to the room's own bytes, the field is unchanged again.
    fields_[static_cast<size_t>(field)]->document()->setModified(document_->text(field).typed.has_value());
}

void TMainForm::changeSlots(const QString& stepName, std::vector<SlotPicture> changes)
{
    document_->changeSlots(stepName, std::move(changes));
}

void TMainForm::UndoClick()
{
    document_->undo();
}

void TMainForm::RedoClick()
{
    document_->redo();
}

void TMainForm::refreshHistoryActions()
{
    ShowHistoryOn(*Undo, *Redo, document_->history(), texts_);
}

void TMainForm::updateTitle()
{
    // Never throws: it follows the document's signals.
    const QString program = TextOrEnglish(texts_, Text::Title);
    const QString mark = document_->hasUnsavedChanges() ? QStringLiteral("*") : QString();
    const QString& path = document_->filePath();
    setWindowTitle(path.isEmpty() ? program + mark : QFileInfo(path).fileName() + mark + QStringLiteral(" - ") + program);
}

}  // namespace velmora
