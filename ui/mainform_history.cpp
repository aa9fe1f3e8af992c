// The room's history: the Edit menu, every change of pictures and texts as
// one step, and the unsaved state that follows the history's clean state.
#include "ui/mainform.h"

#include "ui/room_history.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTextDocument>
#include <QUndoStack>

namespace velmora {

namespace {

constexpr int kUndoLine = 19;
constexpr int kRedoLine = 20;
constexpr const char* kUndoCaption = "&Undo";
constexpr const char* kRedoCaption = "&Redo";
// Labels lines naming the three text fields, which name their typing steps.
constexpr int kFirstFieldLabelLine = 13;

}  // namespace

void TMainForm::createHistory()
{
    createRecovery();
    watchRoomFile();
    history_ = new QUndoStack(this);
    history_->setUndoLimit(kHistorySteps);
    connect(history_, &QUndoStack::indexChanged, this, [this] {
        refreshHistoryActions();
        scheduleRecovery();
    });
    connect(history_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        updateTitle();
        if (clean)
            runCommand([this] { removeRecovery(); });
    });
}

bool TMainForm::modified() const
{
    return PicturesChangedSinceClean(*history_);
}

void TMainForm::setModified(bool modified)
{
    if (modified)
        history_->resetClean();
    else
        history_->setClean();
    updateTitle();
    scheduleRecovery();
}

bool TMainForm::hasUnsavedChanges() const
{
    return !history_->isClean();
}

void TMainForm::changeSlots(const QString& stepName, std::vector<SlotChange> changes)
{
    std::vector<SlotChange> before;
    before.reserve(changes.size());
    for (const SlotChange& change : changes)
        before.push_back({change.slot, slotPicture(change.slot)});
    history_->push(new SlotsStep(stepName, std::move(before), std::move(changes),
                                 [this](const std::vector<SlotChange>& pictures) { restoreSlots(pictures); }));
}

void TMainForm::restoreSlots(const std::vector<SlotChange>& pictures)
{
    for (const SlotChange& change : pictures)
        setSlotPicture(change.slot, change.picture);
}

void TMainForm::textEdited(int field)
{
    if (restoringTexts_)
        return;
    const auto index = static_cast<size_t>(field);
    RoomTextEdit* edit = fields_[index];
    RoomTextEdit::State after = edit->state();
    if (after == textStates_[index])
        return;
    const TextStep* running = RunningTextStep(*history_, field, textRuns_[index]);
    const RoomTextEdit::State start = running ? running->before() : textStates_[index];
    const bool changed = !SameText(after, start);
    if (!changed) {
        // Typed and taken back: the edit's own modified mark goes back too,
        // so the field gives back the bytes it was given, not its text
        // encoded anew.
        edit->document()->setModified(start.modified);
        after = edit->state();
    }
    // A run that came back to its start merges away its step.
    if (changed || running) {
        const QString name = captions_[static_cast<size_t>(kFirstFieldLabelLine - 2 + field)]->text();
        history_->push(new TextStep(name, field, textRuns_[index], textStates_[index], after,
                                    [this](int f, const RoomTextEdit::State& state) { restoreText(f, state); }));
    }
    textStates_[index] = std::move(after);
}

void TMainForm::restoreText(int field, const RoomTextEdit::State& state)
{
    const auto index = static_cast<size_t>(field);
    restoringTexts_ = true;
    fields_[index]->restore(state);
    restoringTexts_ = false;
    textStates_[index] = state;
}

void TMainForm::UndoClick()
{
    endTypingRuns();
    history_->undo();
}

void TMainForm::RedoClick()
{
    endTypingRuns();
    history_->redo();
}

void TMainForm::endTypingRuns()
{
    // Typing after an undo or redo, of any step, is a step of its own.
    for (int& run : textRuns_)
        ++run;
}

void TMainForm::refreshHistoryActions()
{
    // The step's name follows the caption: "Undo Make mask".
    auto caption = [](const QString& command, const QString& step) {
        return step.isEmpty() ? command : command + QLatin1Char(' ') + step;
    };
    Undo->setText(caption(optionalMenuItem(kUndoLine, kUndoCaption), history_->undoText()));
    Redo->setText(caption(optionalMenuItem(kRedoLine, kRedoCaption), history_->redoText()));
    Undo->setEnabled(history_->canUndo());
    Redo->setEnabled(history_->canRedo());
}

void TMainForm::updateTitle()
{
    // The title line was read by applyTexts; this never throws.
    const QString program = texts_.lineOr(LanguageTexts::List::Labels, label::kTitle, "Velmora");
    const QString mark = hasUnsavedChanges() ? QStringLiteral("*") : QString();
    setWindowTitle(roomPath_.isEmpty() ? program + mark
                                       : QFileInfo(roomPath_).fileName() + mark + QStringLiteral(" - ") + program);
}

}  // namespace velmora
