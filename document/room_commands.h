// The steps of the room's history. Each one changes the document itself, in
// both directions, and keeps only what it changed.
#pragma once

#include "document/room_document.h"

#include <QUndoCommand>

#include <vector>

namespace velmora {

// New pictures for one or more slots (a command, a load, a painter stroke
// that writes a part and its mask).
class ReplaceSlotsCommand : public QUndoCommand {
public:
    // The pictures before are taken from the document.
    ReplaceSlotsCommand(RoomDocument& document, const QString& name, std::vector<SlotPicture> after);
    void undo() override;
    void redo() override;

private:
    RoomDocument& document_;
    std::vector<SlotPicture> before_;
    std::vector<SlotPicture> after_;
};

// A run of typing in one text field.
class EditTextCommand : public QUndoCommand {
public:
    EditTextCommand(RoomDocument& document, const QString& name, int field, int run, DocumentText before,
                    DocumentText after);
    int id() const override { return kId; }
    // Takes in the next edit of the same field and run; a run that ends
    // where it began is no step at all.
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

private:
    static constexpr int kId = 1;
    RoomDocument& document_;
    int field_;
    int run_;
    DocumentText before_;
    DocumentText after_;
};

}  // namespace velmora
