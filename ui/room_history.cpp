#include "ui/room_history.h"

#include <QUndoStack>

#include <algorithm>

namespace velmora {

SlotsStep::SlotsStep(const QString& name, std::vector<SlotChange> before, std::vector<SlotChange> after,
                     ApplySlots apply)
    : QUndoCommand(name), before_(std::move(before)), after_(std::move(after)), apply_(std::move(apply))
{
}

void SlotsStep::undo()
{
    apply_(before_);
}

void SlotsStep::redo()
{
    apply_(after_);
}

TextStep::TextStep(const QString& name, int field, int run, RoomTextEdit::State before, RoomTextEdit::State after,
                   ApplyText apply)
    : QUndoCommand(name),
      field_(field),
      run_(run),
      before_(std::move(before)),
      after_(std::move(after)),
      apply_(std::move(apply))
{
}

bool TextStep::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const TextStep*>(other);
    if (next->field_ != field_ || next->run_ != run_)
        return false;
    after_ = next->after_;
    setObsolete(SameText(before_, after_));
    return true;
}

void TextStep::undo()
{
    shown_ = false;
    apply_(field_, before_);
}

void TextStep::redo()
{
    if (shown_)
        return;
    apply_(field_, after_);
    shown_ = true;
}

bool SameText(const RoomTextEdit::State& a, const RoomTextEdit::State& b)
{
    return a.text == b.text && a.originalBytes == b.originalBytes;
}

const TextStep* RunningTextStep(const QUndoStack& history, int field, int run)
{
    // The history never merges into the saved state: typing after a save
    // starts a step of its own.
    const int index = history.index();
    if (index == 0 || index == history.cleanIndex())
        return nullptr;
    const auto* step = dynamic_cast<const TextStep*>(history.command(index - 1));
    return step && step->continues(field, run) ? step : nullptr;
}

bool PicturesChangedSinceClean(const QUndoStack& history)
{
    const int clean = history.cleanIndex();
    if (clean < 0)
        return true;
    const int index = history.index();
    for (int i = std::min(clean, index); i < std::max(clean, index); ++i)
        if (dynamic_cast<const SlotsStep*>(history.command(i)))
            return true;
    return false;
}

}  // namespace velmora
