// Recovery after a crash: the unsaved room is written aside within seconds
// of each change, removed once nothing is unsaved, and offered at the next
// start of the editor.
#include "ui/mainform.h"

#include "ui/room_recovery.h"

#include "common/file_bytes.h"

#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <QUndoStack>

namespace velmora {

namespace {

constexpr const char* kRecoveryQuestion = "Velmora stopped before this room was saved. Restore the unsaved work?";
constexpr const char* kRecoveryNotWritten = "Unsaved work cannot be written to the recovery file:";
constexpr const char* kRecoveryDamaged = "A recovery file is damaged and cannot be restored. It was set aside:";
// Typing goes on undisturbed; a crash loses at most these few seconds.
constexpr int kRecoveryDelayMs = 2000;
// The failed write is told in the empty space right of the letters, so the
// designed layout stays as it is and typing is not interrupted.
constexpr QRect kRecoveryProblemPlace{264, 202, 344, 34};

}  // namespace

void TMainForm::createRecovery()
{
    recovery_ = std::make_unique<RoomRecovery>(environment_.recoveryFolder);
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(kRecoveryDelayMs);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { runCommand([this] { writeRecovery(); }); });

    recoveryProblem_ = new QLabel(centralWidget());
    recoveryProblem_->setObjectName(QStringLiteral("RecoveryProblem"));
    recoveryProblem_->setGeometry(kRecoveryProblemPlace);
    recoveryProblem_->setWordWrap(true);
    recoveryProblem_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = recoveryProblem_->palette();
    palette.setColor(QPalette::WindowText, QColor(160, 0, 0));
    recoveryProblem_->setPalette(palette);
    recoveryProblem_->hide();
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
    recoveryProblem_->hide();
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
    const std::optional<QString> error = recovery_->save(room);
    if (!error) {
        recoveryProblem_->hide();
        return;
    }
    // Told once, where it does not stop the typing; it stays until a write
    // succeeds, so a later failure is told anew.
    if (!recoveryProblem_->isHidden())
        return;
    const QString line = texts_.lineOr(LanguageTexts::List::Messages, message::kRecoveryNotWritten, kRecoveryNotWritten);
    recoveryProblem_->setText(line + QLatin1Char('\n') + *error);
    recoveryProblem_->setToolTip(AboutFile(line, recovery_->file(), *error));
    recoveryProblem_->show();
    qWarning("Velmora: cannot write the recovery file %s: %s", qPrintable(recovery_->file()), qPrintable(*error));
}

void TMainForm::offerRecovery()
{
    // The newest file a stopped editor left that reads; a damaged one is
    // set aside with a word, and the next one is tried.
    QString path;
    RecoveredRoom room;
    for (;;) {
        path = recovery_->takeOrphan();
        if (path.isEmpty())
            return;
        try {
            room = RoomRecovery::read(path);
            break;
        } catch (const std::exception& e) {
            const QString aside = recovery_->setOrphanAside();
            showWarningText(AboutFile(texts_.lineOr(LanguageTexts::List::Messages, message::kRecoveryDamaged,
                                                    kRecoveryDamaged),
                                      aside, QString::fromUtf8(e.what())));
        }
    }
    // The room's own file names it; a room never saved has only this one.
    const QString question = texts_.lineOr(LanguageTexts::List::Messages, message::kRestoreRecovery, kRecoveryQuestion);
    if (!prompts_->question(texts_.label(label::kQuestionCaption),
                            AboutFile(question, room.roomPath.isEmpty() ? path : room.roomPath))) {
        recovery_->discardOrphan();
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
    // Its file as it is now: what it was before the stop is not known.
    roomStamp_.reset();
    if (const ReadResult file = ReadWholeFile(roomPath_, qint64(kRoomMaxFileSize)); file.ok())
        stampRoomFile(file.bytes);
    updateTitle();
    recovery_->discardOrphan();
    writeRecovery();
}

}  // namespace velmora
