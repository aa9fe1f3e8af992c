#include "ui/room_recovery.h"

#include "common/file_bytes.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <stdexcept>

namespace velmora {

namespace {

const QByteArray kMagic = QByteArrayLiteral("VELMORA RECOVERY");
constexpr quint32 kVersion = 1;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
// Any room file, its path and texts fit far below this.
constexpr qint64 kMaxRecoveryFileSize = qint64(kRoomMaxFileSize) + 64 * 1024;

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
            return QStringLiteral("cannot make the folder ") + folder_;
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    if (!lock_)
        lock_ = TryLock(path_);

    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << kMagic << kVersion << room.roomPath;
    for (const RoomTextEdit::State& text : room.texts)
        out << QByteArray::fromStdString(text.originalBytes) << text.text << text.modified;
    // The pictures as a room file with a blank header: the texts are above,
    // kept whole even where the room's encoding cannot hold them.
    const std::vector<uint8_t> header(kRoomHeaderSize, 0);
    const std::vector<uint8_t> pictures = WriteRoomFile(header, RoomTexts{}, room.pictures);
    out << QByteArray(reinterpret_cast<const char*>(pictures.data()), qsizetype(pictures.size()));
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
        if (path == QFileInfo(path_).absoluteFilePath())
            continue;
        if (auto lock = TryLock(path)) {
            orphan_ = path;
            orphanLock_ = std::move(lock);
            return orphan_;
        }
    }
    return {};
}

RecoveredRoom RoomRecovery::read(const QString& path)
{
    const ReadResult file = ReadWholeFile(path, kMaxRecoveryFileSize);
    if (!file.ok())
        throw std::runtime_error(file.error.isEmpty() ? "the file is too large" : file.error.toStdString());
    QDataStream in(QByteArray::fromRawData(reinterpret_cast<const char*>(file.bytes.data()), qsizetype(file.size)));
    in.setVersion(kStreamVersion);
    QByteArray magic;
    quint32 version = 0;
    RecoveredRoom room;
    in >> magic >> version >> room.roomPath;
    if (magic != kMagic || version != kVersion)
        throw std::runtime_error("this is not a recovery file of this version");
    for (RoomTextEdit::State& text : room.texts) {
        QByteArray bytes;
        in >> bytes >> text.text >> text.modified;
        text.originalBytes = bytes.toStdString();
    }
    QByteArray pictures;
    in >> pictures;
    if (in.status() != QDataStream::Ok)
        throw std::runtime_error("the file is cut short");
    const auto* data = reinterpret_cast<const uint8_t*>(pictures.constData());
    room.pictures = ReadRoomFile({data, size_t(pictures.size())}).pictures;
    return room;
}

void RoomRecovery::discardOrphan(bool keep)
{
    if (orphan_.isEmpty())
        return;
    if (keep)
        QFile::rename(orphan_, orphan_ + QStringLiteral(".unreadable"));
    else
        QFile::remove(orphan_);
    orphan_.clear();
    orphanLock_.reset();
}

}  // namespace velmora
