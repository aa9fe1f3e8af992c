#include "document/room_commands.h"

namespace velmora {

ReplaceSlotsCommand::ReplaceSlotsCommand(RoomDocument& document, const QString& name,
                                         std::vector<SlotPicture> after)
    : QUndoCommand(name), document_(document), after_(std::move(after))
{
    before_.reserve(after_.size());
    for (const SlotPicture& change : after_)
        before_.push_back({change.slot, document_.picture(change.slot)});
}

void ReplaceSlotsCommand::undo()
{
    document_.putPictures(before_);
}

void ReplaceSlotsCommand::redo()
{
    document_.putPictures(after_);
}

EditTextCommand::EditTextCommand(RoomDocument& document, const QString& name, int field, int run,
                                 DocumentText before, DocumentText after)
    : QUndoCommand(name),
      document_(document),
      field_(field),
      run_(run),
      before_(std::move(before)),
      after_(std::move(after))
{
}

bool EditTextCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const EditTextCommand*>(other);
    if (next->field_ != field_ || next->run_ != run_)
        return false;
    after_ = next->after_;
    setObsolete(after_ == before_);
    return true;
}

void EditTextCommand::undo()
{
    document_.putText(field_, before_);
}

void EditTextCommand::redo()
{
    document_.putText(field_, after_);
}

}  // namespace velmora
