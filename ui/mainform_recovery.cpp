// Recovery after a crash: the unsaved room is written aside within seconds
// of each change, removed once nothing is unsaved, and offered at the next
// start of the editor.
#include "ui/mainform.h"

#include "ui/room_recovery.h"

#include "common/file_bytes.h"
#include "ui/services/failure_messages.h"

#include <QLabel>
#include <QPalette>
#include <QTimer>

namespace velmora {

namespace {

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
    if (!document_->hasUnsavedChanges()) {
        removeRecovery();
        return;
    }
    const Result<void> written = recovery_->save(document_->data());
    if (written) {
        recoveryProblem_->hide();
        return;
    }
    // Told once, where it does not stop the typing; it stays until a write
    // succeeds, so a later failure is told anew.
    if (!recoveryProblem_->isHidden())
        return;
    const QString& reason = written.failure().reason;
    recoveryProblem_->setText(MessageFor(Attempt::WriteRecovery, written.failure(), texts_).text);
    recoveryProblem_->setToolTip(AboutFile(
        TextOf(texts_, Text::RecoveryNotWritten),
        recovery_->file(), reason));
    recoveryProblem_->show();
    qWarning("Velmora: cannot write the recovery file %s: %s", qPrintable(recovery_->file()), qPrintable(reason));
}

void TMainForm::offerRecovery()
{
    // The newest file a stopped editor left that reads; a damaged one is
    // set aside with a word, and the next one is tried.
    QString path;
    std::optional<DocumentData> room;
    for (;;) {
        path = recovery_->takeOrphan();
        if (path.isEmpty())
            return;
        Result<DocumentData> read = RoomRecovery::read(path);
        if (read) {
            room = std::move(read).value();
            break;
        }
        Failure failure = read.failure();
        failure.subject = recovery_->setOrphanAside();
        showFailure(Attempt::ReadRecovery, failure);
    }
    // The room's own file names it; a room never saved has only this one.
    if (!askQuestionText(AboutFile(TextOf(texts_, Text::RestoreRecovery), room->filePath.isEmpty() ? path : room->filePath))) {
        recovery_->discardOrphan();
        return;
    }
    // The work comes back as it was, unsaved whatever the file says (its
    // room file does not hold it), with a history of its own.
    room->unsaved = true;
    document_->restore(std::move(*room));
    // Its file as it is now: what it was before the stop is not known.
    roomStamp_.reset();
    if (const Result<std::vector<uint8_t>> file = ReadWholeFile(document_->filePath(), qint64(kRoomMaxFileSize)))
        stampRoomFile(file.value());
    recovery_->discardOrphan();
    writeRecovery();
}

}  // namespace velmora
