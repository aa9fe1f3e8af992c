#include "ui/room_recovery.h"

#include "common/file_bytes.h"

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

Result<void> RoomRecovery::save(const DocumentData& data)
{
    // The room is the user's unsaved work: only the user may read it.
    if (!QDir(folder_).exists()) {
        if (!QDir().mkpath(folder_))
            return Failure{FailureKind::CannotWrite,
                           QStringLiteral("cannot make the folder ") + QDir::toNativeSeparators(folder_), path_};
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    if (!lock_)
        lock_ = TryLock(path_);

    QByteArray bytes;
    try {
        bytes = WriteDocumentData(data);
    } catch (const std::exception& e) {
        // A picture the encoder refuses; Save says the same when asked.
        return Failure{FailureKind::CannotWrite, QString::fromUtf8(e.what()), path_};
    }
    const Result<void> written =
        WriteWholeFile(path_, {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
    if (written)
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return written;
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

Result<DocumentData> RoomRecovery::read(const QString& path)
{
    const Result<std::vector<uint8_t>> file = ReadWholeFile(path, kRecoveryMaxFileSize);
    if (!file) {
        Failure failure = file.failure();
        if (failure.kind == FailureKind::TooLarge)
            failure.reason = QStringLiteral("the file is %1 bytes long, more than the %2 a recovery file may have")
                                 .arg(failure.numbers.at(0))
                                 .arg(kRecoveryMaxFileSize);
        return failure;
    }
    Result<DocumentData> data = ReadDocumentData(file.value());
    if (!data) {
        Failure failure = data.failure();
        failure.subject = path;
        return failure;
    }
    return data;
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
