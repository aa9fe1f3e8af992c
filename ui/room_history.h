// The room's history, for Undo and Redo. Every command that changes the room
// is one step that keeps only the slots it changed, before and after; a run
// of typing in one text field is one step.
#pragma once

#include "ui/services/editor_context.h"
#include "ui/widgets/room_text_edit.h"

#include <QUndoCommand>

#include <array>
#include <functional>
#include <vector>

class QUndoStack;

namespace velmora {

// Puts pictures back into their slots, for undo and redo.
using ApplySlots = std::function<void(const std::vector<SlotChange>&)>;
// Puts a text field back into a state.
using ApplyText = std::function<void(int field, const RoomTextEdit::State&)>;

class SlotsStep : public QUndoCommand {
public:
    SlotsStep(const QString& name, std::vector<SlotChange> before, std::vector<SlotChange> after, ApplySlots apply);
    void undo() override;
    void redo() override;

private:
    std::vector<SlotChange> before_;
    std::vector<SlotChange> after_;
    ApplySlots apply_;
};

class TextStep : public QUndoCommand {
public:
    // The field already shows `after`: the first redo, done by the push,
    // leaves it (and its cursor) alone. Steps of one field and one `run`
    // merge into one.
    TextStep(const QString& name, int field, int run, RoomTextEdit::State before, RoomTextEdit::State after,
             ApplyText apply);
    int id() const override { return kId; }
    // A run that comes back to where it started changes nothing: it merges
    // into an obsolete step, which the history drops.
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;
    // Whether typing in `field` during `run` merges into this step.
    bool continues(int field, int run) const { return field_ == field && run_ == run; }
    const RoomTextEdit::State& before() const { return before_; }

private:
    static constexpr int kId = 1;
    int field_;
    int run_;
    RoomTextEdit::State before_;
    RoomTextEdit::State after_;
    ApplyText apply_;
    bool shown_ = true;
};

// Whether two states of a field hold the same room text; the edit's own
// modified mark alone is no change.
bool SameText(const RoomTextEdit::State& a, const RoomTextEdit::State& b);

// The step that typing in `field` during `run` would merge into, if it is
// the last step done and not the saved state; null otherwise.
const TextStep* RunningTextStep(const QUndoStack& history, int field, int run);

// Whether a step that changes pictures lies between the clean state and the
// current one (true when the clean state is out of reach).
bool PicturesChangedSinceClean(const QUndoStack& history);

// Steps kept; older ones are dropped.
constexpr int kHistorySteps = 256;

}  // namespace velmora
