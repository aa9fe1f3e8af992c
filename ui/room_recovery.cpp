#include "ui/room_recovery.h"

#include "common/file_bytes.h"
#include "common/recovery_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace velmora {

namespace {

QString LockOf(const QString& file)
{
    return file + QStringLiteral(".lock");
}

std::unique_ptr<QLockFile> TryLock(const QString& file)
{
    auto lock = std::make_unique<QLockFile>(LockOf(file));
    // A lock is stale only when its editor is gone, however old it is.
    lock->setStaleLockTime(0);
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}

RecoveryText ToRecovery(const RoomTextEdit::State& state)
{
    return {state.originalBytes, state.text, state.modified};
}

RoomTextEdit::State FromRecovery(const RecoveryText& text)
{
    return {text.originalBytes, text.text, text.modified};
}

}  // namespace

RoomRecovery::RoomRecovery(QString folder) : folder_(std::move(folder))
{
    if (folder_.isEmpty())
        folder_ = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // The process id keeps two editors apart; the time keeps a new editor
    // that got a stopped one's id from taking its file.
    path_ = QDir(folder_).filePath(QStringLiteral("recovery-%1-%2.vrec")
                                       .arg(QCoreApplication::applicationPid())
                                       .arg(QDateTime::currentMSecsSinceEpoch()));
}

RoomRecovery::~RoomRecovery() = default;

std::optional<QString> RoomRecovery::save(const RecoveredRoom& room)
{
    // The room is the user's unsaved work: only the user may read it.
    if (!QDir(folder_).exists()) {
        if (!QDir().mkpath(folder_))
            return QStringLiteral("cannot make the folder ") + QDir::toNativeSeparators(folder_);
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    if (!lock_)
        lock_ = TryLock(path_);

    RecoveryContents contents{room.roomPath, room.pictures, {}};
    for (size_t i = 0; i < room.texts.size(); ++i)
        contents.texts[i] = ToRecovery(room.texts[i]);
    QByteArray data;
    try {
        data = EncodeRecoveryFile(contents);
    } catch (const std::exception& e) {
        // A picture the encoder refuses; Save says the same when asked.
        return QString::fromUtf8(e.what());
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
    std::optional<QString> error = WriteWholeFile(path_, {bytes, size_t(data.size())});
    if (!error)
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return error;
}

void RoomRecovery::remove()
{
    QFile::remove(path_);
    lock_.reset();
}

QString RoomRecovery::takeOrphan()
{
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QStringLiteral("recovery-*.vrec")}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        const QString path = file.absoluteFilePath();
        // A file that could be neither moved aside nor deleted is not taken twice.
        if (path == QFileInfo(path_).absoluteFilePath() || taken_.contains(path))
            continue;
        if (auto lock = TryLock(path)) {
            orphan_ = path;
            orphanLock_ = std::move(lock);
            taken_.append(path);
            return orphan_;
        }
    }
    return {};
}

RecoveredRoom RoomRecovery::read(const QString& path)
{
    const ReadResult file = ReadWholeFile(path, kRecoveryMaxFileSize);
    if (file.status == ReadResult::Status::TooLarge)
        throw RecoveryFileError("the file is " + std::to_string(file.size) + " bytes long, more than the " +
                                std::to_string(kRecoveryMaxFileSize) + " a recovery file may have");
    if (!file.ok())
        throw RecoveryFileError(file.error.toStdString());
    const RecoveryContents contents = DecodeRecoveryFile(file.bytes);
    RecoveredRoom room{contents.roomPath, contents.pictures, {}};
    for (size_t i = 0; i < room.texts.size(); ++i)
        room.texts[i] = FromRecovery(contents.texts[i]);
    return room;
}

void RoomRecovery::discardOrphan()
{
    if (!orphan_.isEmpty())
        QFile::remove(orphan_);
    releaseOrphan();
}

QString RoomRecovery::setOrphanAside()
{
    QString aside = orphan_ + QStringLiteral(".unreadable");
    if (!orphan_.isEmpty() && !QFile::rename(orphan_, aside)) {
        // Where it cannot be moved it keeps its name; this run does not take it again.
        aside = orphan_;
    }
    releaseOrphan();
    return aside;
}

void RoomRecovery::releaseOrphan()
{
    orphan_.clear();
    orphanLock_.reset();
}

}  // namespace velmora
