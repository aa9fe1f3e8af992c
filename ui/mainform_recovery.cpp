// Recovery after a crash: the unsaved room is written aside within seconds
// of each change, removed once nothing is unsaved, and offered at the next
// start of the editor.
#include "ui/mainform.h"

#include "ui/room_recovery.h"

#include <QTimer>
#include <QUndoStack>

namespace velmora {

namespace {

constexpr const char* kRecoveryQuestion = "Velmora stopped before this room was saved. Restore the unsaved work?";
// Typing goes on undisturbed; a crash loses at most these few seconds.
constexpr int kRecoveryDelayMs = 2000;

}  // namespace

void TMainForm::createRecovery()
{
    recovery_ = std::make_unique<RoomRecovery>(environment_.recoveryFolder);
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(kRecoveryDelayMs);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { runCommand([this] { writeRecovery(); }); });
}

QString TMainForm::recoveryFile() const
{
    return recovery_->file();
}

void TMainForm::scheduleRecovery()
{
    if (!recoveryTimer_->isActive())
        recoveryTimer_->start();
}

void TMainForm::removeRecovery()
{
    recoveryTimer_->stop();
    recovery_->remove();
}

void TMainForm::writeRecovery()
{
    if (!hasUnsavedChanges()) {
        removeRecovery();
        return;
    }
    RecoveredRoom room{roomPath_, pictures_, {}};
    for (size_t i = 0; i < fields_.size(); ++i)
        room.texts[i] = fields_[i]->state();
    // Written again with the next change; a box every few seconds would
    // only be in the way, and Save says the same with the reason.
    if (const std::optional<QString> error = recovery_->save(room))
        qWarning("Velmora: cannot write the recovery file %s: %s", qPrintable(recovery_->file()), qPrintable(*error));
}

void TMainForm::offerRecovery()
{
    const QString path = recovery_->takeOrphan();
    if (path.isEmpty())
        return;
    const QString question = texts_.lineOr(LanguageTexts::List::Messages, message::kRestoreRecovery, kRecoveryQuestion);
    if (!prompts_->question(texts_.label(label::kQuestionCaption), question)) {
        recovery_->discardOrphan();
        return;
    }
    RecoveredRoom room;
    try {
        room = RoomRecovery::read(path);
    } catch (const std::exception& e) {
        // Kept aside for whoever wants to look; never offered again.
        recovery_->discardOrphan(true);
        showWarningText(path + QStringLiteral(": ") + QString::fromUtf8(e.what()));
        return;
    }
    restoringTexts_ = true;
    for (size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->restore(room.texts[i]);
        textStates_[i] = room.texts[i];
    }
    restoringTexts_ = false;
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        setSlotPicture(slot, std::move(room.pictures[static_cast<size_t>(slot)]));
    // The work comes back unsaved, with a history of its own.
    history_->clear();
    history_->resetClean();
    roomPath_ = room.roomPath;
    updateTitle();
    recovery_->discardOrphan();
    writeRecovery();
}

}  // namespace velmora
