#include "common/file_bytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace velmora {

ReadResult ReadWholeFile(const QString& path, qint64 maxSize)
{
    ReadResult result;
    QFile file(path);
    // A folder opens as a file here but never reads; treat it as unopenable.
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        result.status = ReadResult::Status::CannotOpen;
        result.error = QFileInfo(path).isDir() ? QString::fromLocal8Bit(std::strerror(EISDIR)) : file.errorString();
        return result;
    }
    result.size = file.size();
    if (result.size > maxSize) {
        result.status = ReadResult::Status::TooLarge;
        return result;
    }
    try {
        result.bytes.resize(static_cast<size_t>(result.size));
    } catch (const std::bad_alloc&) {
        result.status = ReadResult::Status::TooLarge;
        return result;
    }
    const qint64 got = file.read(reinterpret_cast<char*>(result.bytes.data()), result.size);
    if (got != result.size) {
        result.status = ReadResult::Status::ReadFailed;
        result.error = file.errorString();
        result.bytes.clear();
        return result;
    }
    result.status = ReadResult::Status::Ok;
    return result;
}

std::optional<std::array<uint8_t, 1024>> ReadStandardPalette(const QString& path, QString* problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = QStringLiteral("cannot open the standard palette file: ") + file.errorString();
        return std::nullopt;
    }
    std::array<uint8_t, 1024> palette{};
    const qint64 got = file.read(reinterpret_cast<char*>(palette.data()), qint64(palette.size()));
    if (got != qint64(palette.size())) {
        if (problem)
            *problem = QStringLiteral("the standard palette file holds %1 bytes, not 1024").arg(std::max<qint64>(got, 0));
        return std::nullopt;
    }
    return palette;
}

namespace {

std::optional<QString> SyncToDisk([[maybe_unused]] QFileDevice& file)
{
#ifdef Q_OS_UNIX
    // A file system that allocates late says "no space" only here.
    if (::fsync(file.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
#endif
    return std::nullopt;
}

std::atomic<FileSync> g_fileSync{&SyncToDisk};

}  // namespace

FileSync ReplaceFileSyncForTests(FileSync sync)
{
    return g_fileSync.exchange(sync ? sync : &SyncToDisk);
}

std::optional<QString> WriteAllBytes(QFileDevice& file, std::span<const uint8_t> bytes)
{
    // A write that fills the disk part way returns a short count and sets no
    // error ("Unknown error"); the write of the rest then fails and says why.
    while (!bytes.empty()) {
        errno = 0;
        const qint64 written = file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        if (written <= 0) {
            if (file.error() != QFileDevice::NoError)
                return file.errorString();
            return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno))
                              : QStringLiteral("the file took none of the last %1 bytes").arg(bytes.size());
        }
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return std::nullopt;
}

std::optional<QString> WriteWholeFile(const QString& path, std::span<const uint8_t> bytes)
{
    if (QFileInfo(path).isDir())
        return QString::fromLocal8Bit(std::strerror(EISDIR));
    QSaveFile file(path);
    // Unbuffered: every write reaches the system at once, so a short one is
    // seen and retried here, not inside a flush that only says it failed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // commit() neither reports a failed flush nor a failed sync: each step
    // is checked here, and a failure drops the new file before anything is
    // replaced.
    const auto fail = [&file](const QString& error) {
        file.cancelWriting();
        return error;
    };
    if (std::optional<QString> error = WriteAllBytes(file, bytes))
        return fail(*error);
    if (!file.flush())
        return fail(file.errorString());
    if (std::optional<QString> error = g_fileSync.load()(file))
        return fail(*error);
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

}  // namespace velmora
