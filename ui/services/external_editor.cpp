#include "ui/services/external_editor.h"

#include "common/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cstring>

namespace velmora {

namespace {

// Enough for a burst of edits in one second, and for a folder full of
// planted names to end in an error rather than a long search.
constexpr int kMaxAttempts = 1000;

}  // namespace

Result<QString> CreateExclusiveFile(const std::function<QString(int attempt)>& pathFor,
                                    std::span<const uint8_t> bytes)
{
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const QString path = pathFor(attempt);
        QFile file(path);
        // NewOnly creates the file or fails: an existing name, a link
        // included, is never opened.
        // Unbuffered: a write that fills the disk part way is seen at once.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered,
                       QFile::ReadOwner | QFile::WriteOwner)) {
            const QFileInfo taken(path);
            if (taken.exists() || taken.isSymLink())
                continue;
            return Failure{FailureKind::CannotWrite, file.errorString(), path};
        }
        Result<void> written = WriteAllBytes(file, bytes);
        if (written && !file.flush())
            written = Failure{FailureKind::CannotWrite, file.errorString(), path};
        file.close();
        if (!written) {
            file.remove();
            return Failure{FailureKind::CannotWrite, written.failure().reason, path};
        }
        return path;
    }
    // Every name taken: the system gives no reason of its own.
    return Failure{FailureKind::CannotWrite, QString::fromLocal8Bit(std::strerror(EEXIST)), pathFor(0)};
}

Result<void> RunEditor(const QString& program, const QString& file)
{
    QProcess process;
    process.setProgram(program);
    // Windows programs expect backslashes in the paths they are given.
    process.setArguments({QDir::toNativeSeparators(file)});
    // Like an inherited console: the editor's output goes where ours goes,
    // and nothing piles up in a pipe nobody reads.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start();
    if (!process.waitForStarted(-1))
        return Failure{FailureKind::NotStarted, process.errorString(), program};
    process.waitForFinished(-1);
    return {};
}

}  // namespace velmora
