// File menu commands: open a room file, save the room to its file or under
// a new name, the rooms opened or saved last.
#include "ui/mainform.h"

#include "common/file_bytes.h"
#include "ui/services/failure_messages.h"
#include "ui/services/paths.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QScopedValueRollback>
#include <QTimer>

#include <functional>
#include <new>

namespace velmora {

namespace {

constexpr qsizetype kRecentRoomCount = 8;

// Calls back each time the window it watches becomes active.
class ActivationWatch : public QObject {
public:
    ActivationWatch(QObject* parent, std::function<void()> activated)
        : QObject(parent), activated_(std::move(activated))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate)
            activated_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> activated_;
};

}  // namespace

void TMainForm::OpenRoomFileClick()
{
    if (document_->hasUnsavedChanges() && !askQuestion(Text::UnsavedChanges))
        return;
    if (const std::optional<QString> path = prompts_->openFile(openDialog_))
        openRoomFile(*path);
}

void TMainForm::openRoomFile(const QString& path)
{
    // The size is known before anything is read, so a huge file costs nothing.
    const Result<std::vector<uint8_t>> file = ReadWholeFile(path, qint64(kRoomMaxFileSize));
    if (!file) {
        showFailure(Attempt::OpenRoom, file.failure());
        return;
    }
    if (file->size() < kRoomMinFileSize) {
        showFailure(Attempt::OpenRoom, Failure{FailureKind::TooShort, {}, path});
        return;
    }

    // The whole room is decoded before anything in the window changes: a
    // file that does not decode leaves the room, texts and flag as they were.
    Room room;
    try {
        room = ReadRoomFile(file.value());
    } catch (const std::bad_alloc&) {
        showFailure(Attempt::OpenRoom, Failure{FailureKind::TooLarge, {}, path});
        return;
    } catch (const FormatError& e) {
        showFailure(Attempt::OpenRoom, Malformed(e, path, texts_));
        return;
    }

    // A new room, a new history.
    document_->openRoom(std::move(room), QFileInfo(path).absoluteFilePath());
    stampRoomFile(file.value());
    rememberRoom(document_->filePath());
}

void TMainForm::openFromCommandLine(const QStringList& arguments)
{
    if (!arguments.isEmpty())
        // After a restored room this asks about its unsaved changes first.
        runCommand([this, &arguments] { openDroppedRoomFile(arguments.first()); });
}

void TMainForm::SaveClick()
{
    // A room never saved has no file yet: Save As chooses one.
    if (document_->filePath().isEmpty())
        SaveRoomFileClick();
    else
        saveRoomTo(document_->filePath());
}

void TMainForm::SaveRoomFileClick()
{
    if (const std::optional<SaveFileChoice> choice = prompts_->saveFile(saveDialog_))
        saveRoomTo(choice->path);
}

bool TMainForm::saveRoomTo(const QString& target)
{
    // Read anew at every save; only a template of the header's exact length
    // gives a room file the host can read.
    const Result<std::vector<uint8_t>> headerTemplate = ReadHeaderTemplate(programFolder_);
    if (!headerTemplate) {
        showFailure(Attempt::SaveRoom, headerTemplate.failure());
        return false;
    }

    // A character the room's encoding cannot hold would be saved as a
    // stand-in: say so rather than lose it.
    const Result<RoomTexts> texts = document_->textsToSave();
    if (!texts) {
        showFailure(Attempt::SaveRoom, texts.failure());
        return false;
    }

    // The whole room is made in memory first and the file replaced only
    // when all of it is written: a failed save leaves the old file intact.
    std::vector<uint8_t> bytes;
    try {
        bytes = WriteRoomFile(headerTemplate.value(), texts.value(), document_->pictures());
    } catch (const std::bad_alloc&) {
        showFailure(Attempt::SaveRoom, Failure{FailureKind::TooLarge, {}, target});
        return false;
    } catch (const FormatError& e) {
        showFailure(Attempt::SaveRoom, Malformed(e, target, texts_));
        return false;
    }
    // The room's own file, changed by another program since: replaced only
    // when the user says so.
    const QString absoluteTarget = QFileInfo(target).absoluteFilePath();
    if (absoluteTarget == document_->filePath() && outsideChange() &&
        !askQuestionText(AboutFile(TextOf(texts_, Text::RoomChangedOnSave), absoluteTarget)))
        return false;
    if (const Result<void> written = WriteWholeFile(target, bytes); !written) {
        showFailure(Attempt::SaveRoom, written.failure());
        return false;
    }
    document_->markSaved(absoluteTarget);
    stampRoomFile(bytes);
    rememberRoom(absoluteTarget);
    return true;
}

void TMainForm::watchRoomFile()
{
    // After the activation is through, so that a question asked then
    // finds the window as the user does.
    installEventFilter(new ActivationWatch(this, [this] {
        QTimer::singleShot(0, this, [this] { runCommand([this] { offerReload(); }); });
    }));
}

void TMainForm::stampRoomFile(std::span<const uint8_t> bytes)
{
    roomStamp_ = StampFile(document_->filePath(), bytes);
    answeredChange_.reset();
}

std::optional<FileStamp> TMainForm::outsideChange() const
{
    const QString& path = document_->filePath();
    if (path.isEmpty() || !roomStamp_ || CompareFile(path, *roomStamp_) != FileState::Changed)
        return std::nullopt;
    return StatFile(path);
}

void TMainForm::offerReload()
{
    // Not in the middle of a command or a dialog, nor over unsaved work
    // (Save asks then), and not twice for the same change.
    if (askingReload_ || !isActiveWindow() || QApplication::activeModalWidget() ||
        document_->hasUnsavedChanges())
        return;
    const std::optional<FileStamp> change = outsideChange();
    if (!change || (answeredChange_ && answeredChange_->sameSizeAndTime(*change)))
        return;
    answeredChange_ = change;
    const QScopedValueRollback<bool> asking(askingReload_, true);
    const QString path = document_->filePath();
    if (askQuestionText(AboutFile(TextOf(texts_, Text::RoomChangedReload), path)))
        openRoomFile(path);
}

QStringList TMainForm::recentRooms() const
{
    // The list is a convenience: a value spoilt by hand reads as no rooms,
    // and the next open or save writes it anew.
    const Result<std::optional<QString>> list = settings_.read(QString::fromLatin1(Settings::kRecentRooms));
    if (!list || !list.value())
        return {};
    return list.value()->split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TMainForm::rememberRoom(const QString& path)
{
    QStringList rooms = recentRooms();
    rooms.removeAll(path);
    rooms.prepend(path);
    // A settings file that cannot be written must not turn a good open or
    // save into a failure.
    (void)settings_.write(QString::fromLatin1(Settings::kRecentRooms),
                          rooms.mid(0, kRecentRoomCount).join(QLatin1Char('\n')));
}

void TMainForm::fillRecentMenu()
{
    RecentRooms->clear();
    const QStringList rooms = recentRooms();
    for (qsizetype i = 0; i < rooms.size() && i < kRecentRoomCount; ++i) {
        QString caption = QDir::toNativeSeparators(rooms[i]);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = RecentRooms->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
        const QString path = rooms[i];
        connect(item, &QAction::triggered, this, [this, path] { runCommand([this, path] { openRecentRoom(path); }); });
    }
    RecentRooms->setEnabled(!rooms.isEmpty());
}

void TMainForm::openRecentRoom(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        QStringList rooms = recentRooms();
        rooms.removeAll(path);
        (void)settings_.write(QString::fromLatin1(Settings::kRecentRooms), rooms.join(QLatin1Char('\n')));
        // Told as Open tells it, with the system's reason.
        if (const Result<std::vector<uint8_t>> gone = ReadWholeFile(path, 0); !gone)
            showFailure(Attempt::OpenRoom, gone.failure());
        return;
    }
    // As Open: changes are given up only when the user says so.
    if (document_->hasUnsavedChanges() && !askQuestion(Text::UnsavedChanges))
        return;
    openRoomFile(path);
}

}  // namespace velmora
