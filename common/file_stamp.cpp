#include "common/file_stamp.h"

#include "common/file_bytes.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace velmora {

namespace {

// Coarser than any file system's clock that the editor meets (FAT keeps
// two seconds).
constexpr qint64 kTimeGrainMs = 2000;

QByteArray Hash(std::span<const uint8_t> bytes)
{
    return QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
        QCryptographicHash::Sha256);
}

}  // namespace

FileStamp StatFile(const QString& path)
{
    const QFileInfo info(path);
    FileStamp stamp;
    if (info.isFile()) {
        stamp.size = info.size();
        stamp.modified = info.lastModified();
    }
    stamp.taken = QDateTime::currentDateTimeUtc();
    return stamp;
}

FileStamp StampFile(const QString& path, std::span<const uint8_t> bytes)
{
    FileStamp stamp = StatFile(path);
    stamp.hash = Hash(bytes);
    return stamp;
}

FileState CompareFile(const QString& path, const FileStamp& known)
{
    const FileStamp now = StatFile(path);
    if (now.size < 0)
        return FileState::Gone;
    if (now.size != known.size)
        return FileState::Changed;
    if (now.modified == known.modified && known.modified.msecsTo(known.taken) > kTimeGrainMs)
        return FileState::Same;
    // A file that cannot be read now is taken as changed: better one
    // question too many than a file replaced unasked.
    const Result<std::vector<uint8_t>> file = ReadWholeFile(path, known.size);
    if (!file)
        return FileState::Changed;
    return Hash(file.value()) == known.hash ? FileState::Same : FileState::Changed;
}

}  // namespace velmora
