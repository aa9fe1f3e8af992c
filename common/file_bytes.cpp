#include "common/file_bytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>

#ifdef Q_OS_UNIX
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#endif

namespace velmora {

Result<std::vector<uint8_t>> ReadWholeFile(const QString& path, qint64 maxSize)
{
    QFile file(path);
    // A folder opens as a file here but never reads; treat it as unopenable.
    if (QFileInfo(path).isDir())
        return Failure{FailureKind::CannotOpen, QString::fromLocal8Bit(std::strerror(EISDIR)), path};
    if (!file.open(QIODevice::ReadOnly))
        return Failure{FailureKind::CannotOpen, file.errorString(), path};
    const qint64 size = file.size();
    const Failure tooLarge{FailureKind::TooLarge,
                           QStringLiteral("the file is %1 bytes long, more than the %2 bytes taken").arg(size).arg(maxSize),
                           path, -1, {size, maxSize}};
    if (size > maxSize)
        return tooLarge;
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return tooLarge;
    }
    if (file.read(reinterpret_cast<char*>(bytes.data()), size) != size)
        return Failure{FailureKind::CannotRead, file.errorString(), path};
    return bytes;
}

Result<void> SyncFileToDisk([[maybe_unused]] QFileDevice& file)
{
#ifdef Q_OS_UNIX
    // A file system that allocates late says "no space" only here.
    if (::fsync(file.handle()) != 0)
        return Failure{FailureKind::CannotWrite, QString::fromLocal8Bit(std::strerror(errno)), file.fileName()};
#elif defined(Q_OS_WIN)
    // FlushFileBuffers on the descriptor's handle, its reason from the
    // system: _commit does the same but leaves errno unset on some runtimes.
    // A descriptor below zero would stop the C runtime itself.
    const int descriptor = file.handle();
    const intptr_t handle = descriptor < 0 ? -1 : ::_get_osfhandle(descriptor);
    if (handle == -1)
        return Failure{FailureKind::CannotWrite, QString::fromLocal8Bit(std::strerror(EBADF)), file.fileName()};
    if (!::FlushFileBuffers(reinterpret_cast<HANDLE>(handle)))
        return Failure{FailureKind::CannotWrite, qt_error_string(int(::GetLastError())), file.fileName()};
#endif
    return {};
}

namespace {

std::atomic<FileSync> g_fileSync{&SyncFileToDisk};

}  // namespace

FileSync ReplaceFileSync(FileSync sync)
{
    return g_fileSync.exchange(sync ? sync : &SyncFileToDisk);
}

Result<void> WriteAllBytes(QFileDevice& file, std::span<const uint8_t> bytes)
{
    // A write that fills the disk part way returns a short count and sets no
    // error ("Unknown error"); the write of the rest then fails and says why.
    while (!bytes.empty()) {
        errno = 0;
        const qint64 written = file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        if (written <= 0) {
            QString reason = file.errorString();
            if (file.error() == QFileDevice::NoError)
                reason = errno != 0 ? QString::fromLocal8Bit(std::strerror(errno))
                                    : QStringLiteral("the file took none of the last %1 bytes").arg(bytes.size());
            return Failure{FailureKind::CannotWrite, reason, file.fileName()};
        }
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return {};
}

Result<void> WriteWholeFile(const QString& path, std::span<const uint8_t> bytes)
{
    const auto failure = [&path](const QString& reason) {
        return Failure{FailureKind::CannotWrite, reason, path};
    };
    if (QFileInfo(path).isDir())
        return failure(QString::fromLocal8Bit(std::strerror(EISDIR)));
    QSaveFile file(path);
    // Unbuffered: every write reaches the system at once, so a short one is
    // seen and retried here, not inside a flush that only says it failed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(file.errorString());
    // commit() neither reports a failed flush nor a failed sync: each step
    // is checked here, and a failure drops the new file before anything is
    // replaced.
    const auto fail = [&](const QString& reason) {
        file.cancelWriting();
        return failure(reason);
    };
    if (const Result<void> written = WriteAllBytes(file, bytes); !written)
        return fail(written.failure().reason);
    if (!file.flush())
        return fail(file.errorString());
    if (const Result<void> synced = g_fileSync.load()(file); !synced)
        return fail(synced.failure().reason);
    if (!file.commit())
        return failure(file.errorString());
    return {};
}

}  // namespace velmora
